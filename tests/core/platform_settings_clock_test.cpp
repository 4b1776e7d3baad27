#include <gtest/gtest.h>

#include <cstdlib>

#include "app_fakes.h"
#include "platform/clock.h"
#include "platform/settings.h"

namespace tavolo {
namespace {

using MemoryStore = test::MemorySettings;

TEST(Settings, MissingValuesAreWrittenBackWithTheirDefaults) {
  MemoryStore store;
  EXPECT_EQ(ReadSettingText(store, "theSchool", ""), "");
  EXPECT_TRUE(ReadSettingBool(store, "ShowDoYouKnow", true));
  EXPECT_EQ(ReadSettingInteger(store, "PaperSize", 630), 630);
  EXPECT_EQ(ReadSettingText(store, "LogOnName", "共通"), "共通");
  EXPECT_FALSE(ReadSettingBool(store, "KeyLock", false));
  EXPECT_EQ(ReadCommonText(store, "RecDrive", "C:\\"), "C:\\");

  using K = SettingsKey;
  EXPECT_EQ(store.values.at({K::Program, "theSchool"}), "");
  EXPECT_EQ(store.values.at({K::Program, "ShowDoYouKnow"}), "true");
  EXPECT_EQ(store.values.at({K::Program, "PaperSize"}), "630");
  EXPECT_EQ(store.values.at({K::Program, "LogOnName"}), "共通");
  EXPECT_EQ(store.values.at({K::Program, "KeyLock"}), "false");
  EXPECT_EQ(store.values.at({K::Family, "RecDrive"}), "C:\\");
  EXPECT_EQ(store.values.count({K::Program, "RecDrive"}), 0u);
}

TEST(Settings, StoredValuesWinAndWrongTypesReadAsTheDefaultUntouched) {
  MemoryStore store;
  WriteSettingInteger(store, "PaperSize", 891);
  WriteSettingBool(store, "KeyLock", true);
  WriteSettingText(store, "LogOnName", "山田");
  EXPECT_EQ(ReadSettingInteger(store, "PaperSize", 630), 891);
  EXPECT_TRUE(ReadSettingBool(store, "KeyLock", false));
  EXPECT_EQ(ReadSettingText(store, "LogOnName", "共通"), "山田");

  WriteSettingText(store, "PaperSize", "abc");
  WriteSettingText(store, "KeyLock", "maybe");
  EXPECT_EQ(ReadSettingInteger(store, "PaperSize", 630), 630);
  EXPECT_FALSE(ReadSettingBool(store, "KeyLock", false));
  EXPECT_EQ(store.values.at({SettingsKey::Program, "PaperSize"}), "abc");
  WriteSettingText(store, "PaperSize", "99999999999999");
  EXPECT_EQ(ReadSettingInteger(store, "PaperSize", 630), 630);
}

TEST(Clock, FixedTimeFromTheEnvironment) {
  ::setenv("TAVOLO_NOW", "2024-05-03T09:05:07", 1);
  EXPECT_EQ(Now(), (DateTime{2024, 5, 3, 9, 5, 7}));
  const DateTime t = Now();
  EXPECT_EQ(DateDotText(t), "2024.05.03");
  EXPECT_EQ(DateKanjiText(t), "2024年05月03日");
  EXPECT_EQ(TimeText(t), "09:05");

  ::setenv("TAVOLO_NOW", "2024-02-30T10:00:00", 1);  // no such day: the real clock
  EXPECT_GE(Now().year, 2024);
  ::unsetenv("TAVOLO_NOW");
}

TEST(Clock, ParsesOnlyCompleteValidTimes) {
  EXPECT_TRUE(ParseDateTime("2024-02-29T23:59:59"));
  const char* invalid[] = {"",
                           "2024-05-03",
                           "2024-05-03 10:00:00",
                           "2023-02-29T10:00:00",
                           "2024-13-01T10:00:00",
                           "2024-05-03T24:00:00",
                           "2024-05-03T10:60:00",
                           "20x4-05-03T10:00:00",
                           "2024-05-03T10:00:00Z"};
  for (const char* text : invalid) EXPECT_FALSE(ParseDateTime(text)) << text;
}

}  // namespace
}  // namespace tavolo
