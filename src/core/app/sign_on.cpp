#include "app/sign_on.h"

#include "app/record_file.h"
#include "authoring/roster.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "practice/learner_name.h"

namespace tavolo {

namespace fs = std::filesystem;

fs::path RosterFolder(const AppState& app) {
  if (app.OnCd()) return fs::path(app.RecordFolder());
  return CoursePath(app.CourseFolder(), "LogOn");
}

fs::path DefaultRosterFile(const AppState& app) {
  return RosterFolder(app) / std::string(kRosterFileName);
}

namespace {

std::string RosterFullMessage() {
  return "名簿には" + std::to_string(kMaxRosterNames) + "人までしか載せられません";
}

}  // namespace

bool AddToRoster(Roster& roster, std::string_view typed, Dialogs& dialogs) {
  const std::string name = TrimLearnerName(typed);
  if (auto why = LearnerNameRefusal(name)) {
    dialogs.Inform(*why);
    return false;
  }
  if (name.empty() || roster.Find(name)) return false;
  if (!roster.Add(name)) {
    dialogs.Inform(RosterFullMessage());
    return false;
  }
  return true;
}

SignOnOutcome SignOn(AppState& app, SettingsStore& settings, Dialogs& dialogs, Roster& roster,
                     const SignOnRequest& request) {
  std::string name = TrimLearnerName(request.name);
  // A name that cannot name a record file signs nobody on and never reaches
  // the roster, where it would be offered again.
  if (auto why = LearnerNameRefusal(name)) {
    dialogs.Inform(*why);
    return SignOnOutcome::Stay;
  }
  // "taro" signs on as the roster's "Taro": one learner, one record file.
  if (auto listed = roster.Find(name)) name = *listed;
  const bool added = roster.Add(name);
  if (!name.empty() && !added && !roster.Find(name)) {
    dialogs.Inform(RosterFullMessage());
    return SignOnOutcome::Stay;
  }
  // A roster that could not be read when the window opened has no file name:
  // writing it would replace that file with what little the window holds. An
  // unchanged roster is not written at all, so a read-only one stops nobody
  // already on it.
  const fs::path rosterFile =
      roster.FileName().empty() ? fs::path() : RosterFolder(app) / roster.FileName();
  if (!rosterFile.empty() && (roster.Modified() || rosterFile != roster.LoadedFrom())) {
    if (Status saved = roster.Store(rosterFile); !saved) {
      dialogs.Inform(added ? "「" + name + "」を名簿に加えられません。\n" + saved.message()
                           : saved.message());
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
  app.SetLearnerName(name);
  WriteSettingText(settings, "LogOnName", name);
  return SignOnOutcome::SignedOn;
}

void OpenRoster(const AppState& app, Roster& roster, Dialogs& dialogs) {
  const auto file = dialogs.ChooseOpenFile(app.CourseFolder(), kRosterFileFilter);
  if (!file) return;
  if (Status loaded = roster.Load(*file); !loaded) dialogs.Inform(loaded.message());
}

bool SaveRosterAs(const AppState& app, const Roster& roster, Dialogs& dialogs) {
  const std::string suggested =
      app.CourseFolder() +
      (roster.FileName().empty() ? std::string(kRosterFileName) : roster.FileName());
  auto file = dialogs.ChooseSaveFile(suggested, kRosterFileFilter);
  if (!file) return false;
  if (!fs::path(*file).has_extension()) *file += ".txt";
  if (PathExists(*file) &&
      !dialogs.AskBeforeDestroying("ファイル" + *file + "を上書きしてもいいですか？"))
    return false;
  if (Status saved = roster.SaveAs(*file); !saved) {
    dialogs.Inform(saved.message());
    return false;
  }
  return true;
}

}  // namespace tavolo
