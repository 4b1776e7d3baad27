#include "app/sign_on.h"

#include <system_error>

#include "app/record_file.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "practice/learner_name.h"

namespace tavolo {

namespace fs = std::filesystem;

fs::path RosterFolder(const AppState& app) {
  if (app.onCd) return fs::path(app.recordFolder);
  return CoursePath(app.courseFolder, "LogOn");
}

fs::path DefaultRosterFile(const AppState& app) {
  return RosterFolder(app) / std::string(kRosterFileName);
}

bool AddToRoster(Roster& roster, std::string_view name, Dialogs& dialogs) {
  if (LearnerNameRefusal(name)) {
    dialogs.Inform(kRefusedNameMessage);
    return false;
  }
  return roster.Add(name);
}

SignOnOutcome SignOn(AppState& app, SettingsStore& settings, Dialogs& dialogs, Roster& roster,
                     const SignOnRequest& request) {
  const std::string& name = request.name;
  // A name that cannot name a record file signs nobody on and never reaches
  // the roster, where it would be offered again.
  if (LearnerNameRefusal(name)) {
    dialogs.Inform(kRefusedNameMessage);
    return SignOnOutcome::Stay;
  }
  roster.Add(name);
  // A roster that could not be read when the window opened has no file name:
  // writing it would replace that file with what little the window holds.
  if (!roster.FileName().empty()) {
    if (Status saved = roster.SaveAs(RosterFolder(app) / roster.FileName()); !saved) {
      dialogs.Inform(saved.message());
      return SignOnOutcome::Stay;
    }
  }
  if (name.empty()) return SignOnOutcome::Cancelled;

  if (name != kSharedLearnerName) {
    auto recordFile = RecordFilePath(app, request.lesson, name);
    if (!recordFile) {
      dialogs.Inform(recordFile.message());
      return SignOnOutcome::Stay;
    }
    PasswordEntry entry(name, std::move(recordFile).value());
    if (!request.askPassword || !request.askPassword(entry)) return SignOnOutcome::Stay;
  }
  app.learnerName = name;
  WriteSettingText(settings, "LogOnName", name);
  return SignOnOutcome::SignedOn;
}

void OpenRoster(const AppState& app, Roster& roster, Dialogs& dialogs) {
  const auto file = dialogs.ChooseOpenFile(app.courseFolder, kRosterFileFilter);
  if (!file) return;
  if (Status loaded = roster.Load(*file); !loaded) dialogs.Inform(loaded.message());
}

bool SaveRosterAs(const AppState& app, const Roster& roster, Dialogs& dialogs) {
  const std::string suggested =
      app.courseFolder +
      (roster.FileName().empty() ? std::string(kRosterFileName) : roster.FileName());
  auto file = dialogs.ChooseSaveFile(suggested, kRosterFileFilter);
  if (!file) return false;
  if (!fs::path(*file).has_extension()) *file += ".txt";
  std::error_code ec;
  if (fs::exists(*file, ec) &&
      !dialogs.AskBeforeDestroying("ファイル" + *file + "を上書きしてもいいですか？"))
    return false;
  if (Status saved = roster.SaveAs(*file); !saved) {
    dialogs.Inform(saved.message());
    return false;
  }
  return true;
}

}  // namespace tavolo
