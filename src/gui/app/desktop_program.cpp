#include "gui/app/desktop_program.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

namespace tavolo {

int RunDesktopProgram(QApplication& app, const std::string& courseFolder) {
  (void)courseFolder;
  QMainWindow window;
  window.setObjectName("frmMain");
  window.setWindowTitle(QStringLiteral("Tavolo++ 数学問題集１・正と負の数"));
  window.setCentralWidget(new QMdiArea(&window));
  window.resize(1200, 800);
  window.show();
  return app.exec();
}

}  // namespace tavolo
