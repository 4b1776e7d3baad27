#include "gui/app/qsettings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include "draw/qt_text.h"

namespace tavolo {

QSettingsStore::QSettingsStore()
    : QSettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) {}

QSettingsStore::QSettingsStore(QString configFolder) : configFolder_(std::move(configFolder)) {}

QString QSettingsStore::FilePath(SettingsKey key) const {
  return configFolder_ + (key == SettingsKey::Program ? QStringLiteral("/Tavolo++/TavoloSF.ini")
                                                      : QStringLiteral("/Tavolo/Common.ini"));
}

std::optional<std::string> QSettingsStore::Read(SettingsKey key, std::string_view name) {
  const QSettings settings(FilePath(key), QSettings::IniFormat);
  const QVariant value = settings.value(ToQString(name));
  if (!value.isValid()) return std::nullopt;
  // A hand-written "a, b" comes back as a list; the user meant the text.
  if (value.typeId() == QMetaType::QStringList)
    return value.toStringList().join(QStringLiteral(", ")).toStdString();
  // Anything QSettings cannot turn into text (a serialised variant of another
  // type) reads as text that no reader accepts, so the reader's default wins.
  if (!value.canConvert<QString>()) return std::string();
  return value.toString().toStdString();
}

Status QSettingsStore::Write(SettingsKey key, std::string_view name, std::string_view value) {
  QSettings settings(FilePath(key), QSettings::IniFormat);
  settings.setValue(ToQString(name), ToQString(value));
  // Written at once, as a registry write would be: a crash later loses nothing.
  settings.sync();
  if (settings.status() != QSettings::NoError)
    return Failure{"設定ファイル " + ToStdString(FilePath(key)) + " に書き込めません"};
  return Succeeded();
}

}  // namespace tavolo
