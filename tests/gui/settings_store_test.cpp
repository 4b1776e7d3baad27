// The desktop program's settings store: two INI files under the user's
// configuration folder, values that survive a round trip, defaults written back.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/locations.h"
#include "gui/app/qsettings_store.h"

namespace tavolo {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QSettingsStore store{dir.path()};

  QString ProgramFile() const { return dir.path() + "/Tavolo++/TavoloSF.ini"; }
  QString FamilyFile() const { return dir.path() + "/Tavolo/Common.ini"; }
  void WriteRaw(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
};

TEST_F(SettingsStoreTest, KeysLiveInTheirOwnFiles) {
  EXPECT_EQ(store.FilePath(SettingsKey::Program), ProgramFile());
  EXPECT_EQ(store.FilePath(SettingsKey::Family), FamilyFile());
  store.Write(SettingsKey::Program, "theSchool", "ＣＡＩ中学校　１年　２組");
  store.Write(SettingsKey::Family, "RecDrive", "/home/someone/");
  EXPECT_TRUE(QFile::exists(ProgramFile()));
  EXPECT_TRUE(QFile::exists(FamilyFile()));
  EXPECT_EQ(store.Read(SettingsKey::Program, "theSchool"), "ＣＡＩ中学校　１年　２組");
  EXPECT_EQ(store.Read(SettingsKey::Family, "RecDrive"), "/home/someone/");
  // The same name under the other key is another value.
  EXPECT_EQ(store.Read(SettingsKey::Family, "theSchool"), std::nullopt);
  EXPECT_EQ(store.Read(SettingsKey::Program, "RecDrive"), std::nullopt);
}

TEST_F(SettingsStoreTest, TextsRoundTripExactly) {
  const std::string texts[] = {
      "", "共通", "a, b", "\"quoted\"", "semi;colon", "back\\slash", "  padded  ", "=", "#hash"};
  for (const auto& text : texts) {
    store.Write(SettingsKey::Program, "LogOnName", text);
    EXPECT_EQ(store.Read(SettingsKey::Program, "LogOnName"), text) << text;
  }
}

TEST_F(SettingsStoreTest, EachCallSeesTheFileAsItIsNow) {
  store.Write(SettingsKey::Program, "KeyLock", "true");
  QSettings other(ProgramFile(), QSettings::IniFormat);
  other.setValue("KeyLock", "false");
  other.sync();
  EXPECT_EQ(store.Read(SettingsKey::Program, "KeyLock"), "false");
}

TEST_F(SettingsStoreTest, HandEditedValuesReadAsText) {
  WriteRaw(ProgramFile(),
           "[General]\r\ntheSchool=first, second\r\nPaperSize=abc\r\nLogOnName=@Invalid()\r\n");
  EXPECT_EQ(store.Read(SettingsKey::Program, "theSchool"), "first, second");
  EXPECT_EQ(ReadSettingInteger(store, "PaperSize", 630), 630);
  // The user's text is left as it was; only missing values are written.
  EXPECT_EQ(store.Read(SettingsKey::Program, "PaperSize"), "abc");
  // QSettings' own marker for "no value" counts as missing.
  EXPECT_EQ(ReadSettingText(store, "LogOnName", "共通"), "共通");
}

TEST_F(SettingsStoreTest, GarbageFileDoesNotStopReadsOrWrites) {
  WriteRaw(ProgramFile(), QByteArray("\x00\xff\xfe[[[=\n\x81", 8));
  EXPECT_EQ(ReadSettingBool(store, "ShowDoYouKnow", true), true);
  WriteSettingBool(store, "ShowDoYouKnow", false);
  EXPECT_EQ(ReadSettingBool(store, "ShowDoYouKnow", true), false);
}

TEST_F(SettingsStoreTest, DefaultsAreWrittenBackOnFirstRead) {
  EXPECT_EQ(ReadSettingText(store, "theSchool", ""), "");
  EXPECT_EQ(ReadSettingBool(store, "ShowDoYouKnow", true), true);
  EXPECT_EQ(ReadSettingInteger(store, "PaperSize", 630), 630);
  EXPECT_EQ(ReadSettingText(store, "LogOnName", "共通"), "共通");
  EXPECT_EQ(ReadSettingBool(store, "KeyLock", false), false);
  EXPECT_EQ(ReadCommonText(store, "RecDrive", "/home/u/"), "/home/u/");
  // A second store on the same folder (the next start) sees every value.
  QSettingsStore next(dir.path());
  EXPECT_EQ(next.Read(SettingsKey::Program, "theSchool"), "");
  EXPECT_TRUE(next.Read(SettingsKey::Program, "ShowDoYouKnow").has_value());
  EXPECT_EQ(next.Read(SettingsKey::Program, "PaperSize"), "630");
  EXPECT_EQ(next.Read(SettingsKey::Program, "LogOnName"), "共通");
  EXPECT_TRUE(next.Read(SettingsKey::Program, "KeyLock").has_value());
  EXPECT_EQ(next.Read(SettingsKey::Family, "RecDrive"), "/home/u/");
  // And the stored values are the defaults, read back with a different default.
  EXPECT_EQ(ReadSettingBool(next, "ShowDoYouKnow", false), true);
  EXPECT_EQ(ReadSettingBool(next, "KeyLock", true), false);
}

TEST_F(SettingsStoreTest, AWriteThatCannotBeKeptSaysSo) {
  // A file where the program's folder should be: nothing can be written there.
  WriteRaw(dir.path() + "/Tavolo++", "not a folder");
  const Status stored = WriteSettingBool(store, "KeyLock", true);
  ASSERT_FALSE(stored.ok());
  EXPECT_EQ(stored.message(), "設定ファイル " + ProgramFile().toStdString() + " に書き込めません");
  EXPECT_FALSE(WriteSettingText(store, "unused", "x").ok());
  // The family key lives elsewhere and is still written.
  EXPECT_TRUE(store.Write(SettingsKey::Family, "RecDrive", "/home/x/").ok());
}

TEST(SettingsStoreConfigFolder, FollowsXdgConfigHome) {
  QTemporaryDir dir;
  const QByteArray old = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
  QSettingsStore store;
  store.Write(SettingsKey::Program, "PaperSize", "891");
  if (old.isNull())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", old);
  EXPECT_TRUE(QFile::exists(dir.path() + "/Tavolo++/TavoloSF.ini"));
}

}  // namespace
}  // namespace tavolo

namespace tavolo {
namespace {

// The program's data folder is found without Qt (the commands need it too):
// it must be the folder Qt's own rules give, with and without XDG_DATA_HOME.
TEST(DesktopDataFolder, IsWhereQtPutsTheApplicationsData) {
  const QByteArray old = qgetenv("XDG_DATA_HOME");
  QTemporaryDir dir;
  // (A relative XDG_DATA_HOME is ignored, as the desktop's rules say; Qt 6.4
  // would take it relative to wherever the program was started.)
  for (const QByteArray& value : {QByteArray(), dir.path().toUtf8()}) {
    if (value.isNull())
      qunsetenv("XDG_DATA_HOME");
    else
      qputenv("XDG_DATA_HOME", value);
    EXPECT_EQ(DesktopDataFolder(),
              QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() +
                  "/Tavolo++/TavoloSF")
        << value.toStdString();
  }
  EXPECT_EQ(HomeFolder(),
            QStandardPaths::writableLocation(QStandardPaths::HomeLocation).toStdString());
  if (old.isNull())
    qunsetenv("XDG_DATA_HOME");
  else
    qputenv("XDG_DATA_HOME", old);
}

}  // namespace
}  // namespace tavolo
