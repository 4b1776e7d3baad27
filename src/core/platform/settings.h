#pragma once
// Per-user settings: the program key and the family key. The store behind them
// is an interface so that core flows stay free of Qt; the desktop program uses
// QSettings INI files (gui/app/qsettings_store.h), tests an in-memory store.
// A read of a missing value writes the default back, so after the first start
// every value that start-up reads exists. A stored value of the wrong type
// (e.g. "PaperSize=abc") reads as the default and is left as the user had it.

#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace tavolo {

enum class SettingsKey { Program, Family };

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Read(SettingsKey key, std::string_view name) = 0;
  // Stores the value at once; a store that cannot keep it says so.
  virtual Status Write(SettingsKey key, std::string_view name, std::string_view value) = 0;
};

bool ReadSettingBool(SettingsStore& store, std::string_view name, bool defaultValue);
int ReadSettingInteger(SettingsStore& store, std::string_view name, int defaultValue);
std::string ReadSettingText(SettingsStore& store, std::string_view name,
                            std::string_view defaultValue);
std::string ReadCommonText(SettingsStore& store, std::string_view name,
                           std::string_view defaultValue);

Status WriteSettingBool(SettingsStore& store, std::string_view name, bool value);
Status WriteSettingInteger(SettingsStore& store, std::string_view name, int value);
Status WriteSettingText(SettingsStore& store, std::string_view name, std::string_view value);

}  // namespace tavolo
