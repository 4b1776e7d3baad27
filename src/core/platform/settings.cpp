#include "platform/settings.h"

#include <charconv>
#include <string>

namespace tavolo {

namespace {

std::optional<bool> ParseBool(std::string_view text) {
  if (text == "true" || text == "True" || text == "1") return true;
  if (text == "false" || text == "False" || text == "0") return false;
  return std::nullopt;
}

std::optional<int> ParseInteger(std::string_view text) {
  int value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

const char* BoolText(bool value) { return value ? "true" : "false"; }

}  // namespace

// Reads write a missing value's default back so that the file lists every
// value; when that write fails the default still holds, and the next read
// tries again. Nothing the user chose is lost, so the reads do not report it.
bool ReadSettingBool(SettingsStore& store, std::string_view name, bool defaultValue) {
  const auto stored = store.Read(SettingsKey::Program, name);
  if (!stored) {
    (void)store.Write(SettingsKey::Program, name, BoolText(defaultValue));
    return defaultValue;
  }
  return ParseBool(*stored).value_or(defaultValue);
}

int ReadSettingInteger(SettingsStore& store, std::string_view name, int defaultValue) {
  const auto stored = store.Read(SettingsKey::Program, name);
  if (!stored) {
    (void)store.Write(SettingsKey::Program, name, std::to_string(defaultValue));
    return defaultValue;
  }
  return ParseInteger(*stored).value_or(defaultValue);
}

std::string ReadSettingText(SettingsStore& store, std::string_view name,
                            std::string_view defaultValue) {
  if (auto stored = store.Read(SettingsKey::Program, name)) return *stored;
  (void)store.Write(SettingsKey::Program, name, defaultValue);
  return std::string(defaultValue);
}

std::string ReadCommonText(SettingsStore& store, std::string_view name,
                           std::string_view defaultValue) {
  if (auto stored = store.Read(SettingsKey::Family, name)) return *stored;
  (void)store.Write(SettingsKey::Family, name, defaultValue);
  return std::string(defaultValue);
}

Status WriteSettingBool(SettingsStore& store, std::string_view name, bool value) {
  return store.Write(SettingsKey::Program, name, BoolText(value));
}

Status WriteSettingInteger(SettingsStore& store, std::string_view name, int value) {
  return store.Write(SettingsKey::Program, name, std::to_string(value));
}

Status WriteSettingText(SettingsStore& store, std::string_view name, std::string_view value) {
  return store.Write(SettingsKey::Program, name, value);
}

}  // namespace tavolo
