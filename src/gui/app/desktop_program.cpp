#include "gui/app/desktop_program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include "app/app_state.h"
#include "app/locations.h"
#include "app/start_up.h"
#include "draw/qt_text.h"
#include "gui/app/frm_main.h"
#include "gui/app/glyphs.h"
#include "gui/app/message_dialogs.h"
#include "gui/app/qsettings_store.h"

namespace tavolo {

bool InstallQtTranslations() {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  // Every Qt module the program uses (Core, Gui, Widgets, PrintSupport) keeps
  // its texts in qtbase's catalogue: the file, print and message dialogs, the
  // context menus of text fields. Charts has no texts of its own. The parent
  // is the application, which keeps the translator for the whole run.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_ja"), folder) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  // Numbers and dates that Qt's widgets write follow Japanese usage too; the
  // file dialog's list, which uses the system's locale, is seen to itself
  // (message_dialogs.cpp).
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  return true;
}

int RunDesktopProgram(QApplication& app, const std::string& courseFolder) {
  InstallQtTranslations();
  // The per-user data folder is ~/.local/share/Tavolo++/TavoloSF, beside the settings.
  QCoreApplication::setOrganizationName(QStringLiteral("Tavolo++"));
  QCoreApplication::setApplicationName(QStringLiteral("TavoloSF"));
  QGuiApplication::setApplicationDisplayName(ToQString(kApplicationTitle));
  QGuiApplication::setWindowIcon(ProgramIcon());

  QSettingsStore settings;
  MessageDialogs dialogs;
  TfrmMain window(settings, dialogs);
  dialogs.SetParent(&window);
  window.show();
  if (window.StartUp(DesktopPlaces(courseFolder)) == StartUpOutcome::Quit) return 1;
  return app.exec();
}

}  // namespace tavolo
