#pragma once
// The settings store of the desktop program: two INI files in the user's
// configuration folder, one per key, so that a user can read and back them up
// like any other Linux program's settings:
//   program key  <config>/Tavolo++/TavoloSF.ini
//   family key   <config>/Tavolo/Common.ini
// <config> is $XDG_CONFIG_HOME (else ~/.config). Each call opens the file,
// reads or writes one value and lets it go, so two running programs and a
// hand edit between calls are all seen.

#include <QString>

#include "platform/settings.h"

namespace tavolo {

class QSettingsStore final : public SettingsStore {
 public:
  // Uses the user's configuration folder as it is at the time of the call.
  QSettingsStore();
  // Uses configFolder instead (tests, portable setups).
  explicit QSettingsStore(QString configFolder);

  std::optional<std::string> Read(SettingsKey key, std::string_view name) override;
  Status Write(SettingsKey key, std::string_view name, std::string_view value) override;

  // The INI file that holds the values of a key.
  QString FilePath(SettingsKey key) const;

 private:
  QString configFolder_;
};

}  // namespace tavolo
