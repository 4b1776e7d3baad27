#pragma once
// Signing a learner on: the roster's place, and the order of steps when the
// name window's OK is pressed. The roster is written before anything else,
// so a name typed for the first time joins it even when the password is then
// refused; "共通" needs no password; every other name gives its own (or sets
// one, the first time, in the record file of the current lesson).

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "authoring/password.h"
#include "authoring/roster.h"
#include "platform/dialogs.h"
#include "platform/settings.h"

namespace tavolo {

// The folder of the roster files: the course folder's "LogOn", or the records
// folder (records drive + "Tavolo/LogOn") for a course that cannot be written to.
std::filesystem::path RosterFolder(const AppState& app);
// RosterFolder + "sname.txt": what the name window loads each time it opens.
std::filesystem::path DefaultRosterFile(const AppState& app);

enum class SignOnOutcome {
  Stay,       // the name window stays open (refused name, roster not written, no password)
  Cancelled,  // no name: the window closes as cancelled
  SignedOn,   // the window closes with OK
};

struct SignOnRequest {
  std::string name;  // what is in the name field
  int lesson = 1;    // the current lesson: its record file holds the password
  // Shows the password window; true when it closed with OK.
  std::function<bool(PasswordEntry&)> askPassword;
};

// The name window's OK. On success the learner name is the program's current
// one and is kept for the next start ("LogOnName"); the caller shows it and
// refreshes what depends on it. Messages go through dialogs.
SignOnOutcome SignOn(AppState& app, SettingsStore& settings, Dialogs& dialogs, Roster& roster,
                     const SignOnRequest& request);

// "追加 =>": the name without blanks around it joins the roster; a name the
// rule refuses is not added, and the message says which rule failed.
bool AddToRoster(Roster& roster, std::string_view name, Dialogs& dialogs);

// "名簿を開く": a roster file chosen in the course folder; one that cannot be
// read is reported and the roster stays as it was.
void OpenRoster(const AppState& app, Roster& roster, Dialogs& dialogs);

// "名前を付けて保存": the roster written to a file chosen in the course folder;
// an existing file is replaced only after a Yes.
bool SaveRosterAs(const AppState& app, const Roster& roster, Dialogs& dialogs);

}  // namespace tavolo
