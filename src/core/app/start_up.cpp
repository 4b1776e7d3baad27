#include "app/start_up.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <system_error>

#include "content/file_checks.h"
#include "platform/confined_folders.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "practice/learner_name.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

std::string WithTrailingSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// The record drive is a folder of this machine: a value copied from another
// system ("C:\") or a relative path would put records wherever the program
// happened to be started, so those fall back to the home folder.
std::string RecordDrive(SettingsStore& settings, const std::string& homeFolder) {
  const std::string home = WithTrailingSlash(homeFolder);
  const std::string stored = ReadCommonText(settings, "RecDrive", home);
  if (stored.empty() || stored.front() != '/') return home;
  return WithTrailingSlash(stored);
}

// Creates the folder with every missing folder above it (a fresh account has
// no ~/.local/share yet); false when it neither exists nor can be made.
bool EnsureFolder(const fs::path& folder) {
  if (IsFolder(folder)) return true;
  std::error_code ec;
  fs::create_directories(folder, ec);
  return !ec && IsFolder(folder);
}

// A lesson stem names a folder of its own under the data folder; a stem that
// would reach elsewhere is left out.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string::npos;
}

void CreateRecordFolders(AppState& state, SettingsStore& settings, Dialogs& dialogs,
                         const StartUpPlaces& places) {
  state.SetRecordDrive(RecordDrive(settings, places.homeFolder));
  state.SetWindowsFolder(WithTrailingSlash(places.dataFolder));
  // Records and rosters are only read and written inside these folders, as
  // the course's files are inside the course folder.
  ConfineFilesTo(state.RecordDrive() + "Tavolo");
  ConfineFilesTo(state.WindowsFolder());
  for (const std::string& folder : {state.RecordDrive() + "Tavolo", state.RecordFolder()}) {
    if (!EnsureFolder(folder)) {
      // Practice still works without records; say so once and go on.
      dialogs.Inform("記録用のフォルダ " + folder + " を作成できません");
      return;
    }
  }
  // A course that cannot be written to keeps what the lessons write (copies,
  // edited files) in a folder per lesson under the data folder instead.
  if (state.OnCd()) {
    if (!EnsureFolder(state.WindowsFolder())) {
      dialogs.Inform("フォルダ " + state.WindowsFolder() + " を作成できません");
      return;
    }
    for (const auto& lesson : state.Course().lessons) {
      if (!IsPlainName(lesson.stem)) continue;
      const std::string folder = state.WindowsFolder() + lesson.stem;
      if (!EnsureFolder(folder)) {
        dialogs.Inform("フォルダ " + folder + " を作成できません");
        return;
      }
    }
  }
}

// A program killed while it wrote leaves its temporary file beside the file
// it was replacing; nobody holds it any more, so it goes at the next start.
void RemoveLeftoverTemporaries(const AppState& state) {
  std::vector<fs::path> folders = {state.CourseFolder(), CoursePath(state.CourseFolder(), "LogOn"),
                                   state.RecordFolder(), state.WindowsFolder()};
  for (const auto& lesson : state.Course().lessons) {
    if (!lesson.pathProblem.empty()) continue;
    folders.push_back(CoursePath(state.CourseFolder(), lesson.folder));
    if (IsPlainName(lesson.stem)) folders.push_back(fs::path(state.WindowsFolder()) / lesson.stem);
  }
  for (const fs::path& folder : folders)
    if (!folder.empty() && !LeadsOutOfConfinedFolder(folder)) RemoveStaleTemporaries(folder);
}

}  // namespace

bool IsReadOnlyFolder(const fs::path& folder) {
  struct statvfs info {};
  if (::statvfs(folder.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0) return true;
  return ::access(folder.c_str(), W_OK) != 0;
}

StartUpOutcome RunStartUp(AppState& state, SettingsStore& settings, Dialogs& dialogs,
                          StartUpView& view, const StartUpPlaces& places) {
  // Absolute, so that a sheet's identity (its caption and register entry)
  // names the same file wherever the program was started from.
  std::error_code absoluteError;
  const fs::path absolute = fs::absolute(places.courseFolder, absoluteError);
  state.SetCourseFolder(CourseFolderText(absoluteError ? places.courseFolder
                                                       : PathText(absolute.lexically_normal())));
  if (Status folder = RequireFolder(state.CourseFolder()); !folder) {
    dialogs.Inform(folder.message());
    return StartUpOutcome::Quit;
  }
  state.SetOnCd(places.courseFolderReadOnly);
  state.SetSchoolName(ReadSettingText(settings, "theSchool", ""));

  // The title picture is course material; without it the title window stays empty.
  const fs::path title = CoursePath(state.CourseFolder(), "Title.BMP");
  if (Status exists = RequireFile(title); !exists) {
    dialogs.Inform(exists.message());
  } else if (Status loaded = view.SetTitlePicture(title); !loaded) {
    dialogs.Inform(loaded.message());
  }
  state.ClearOpenSheets();

  auto course = ReadCourseIndex(state.CourseFolder());
  if (!course) {
    dialogs.Inform(course.message());
    return StartUpOutcome::Quit;
  }
  state.SetCourse(std::move(course).value());

  const bool tips = ReadSettingBool(settings, "ShowDoYouKnow", true);
  view.SetTipsNextTime(tips);
  if (tips) view.ShowTips();

  std::vector<std::string> captions;
  captions.reserve(state.Course().lessons.size());
  for (const auto& lesson : state.Course().lessons) captions.push_back(lesson.caption);
  view.SetLessons(captions);

  state.SetAnswerDisplay(true);
  state.ShowPaper(PaperFromSetting(ReadSettingInteger(settings, "PaperSize", kDefaultPaperWidth)));
  view.ApplyPaper(state.Paper());

  CreateRecordFolders(state, settings, dialogs, places);
  RemoveLeftoverTemporaries(state);

  view.ShowTitleWindow();

  std::string learner = ReadSettingText(settings, "LogOnName", kSharedLearnerName);
  // A learner name becomes part of a file name (the learner's record file):
  // a name that cannot be one is not used. An empty name means that nobody
  // has signed on yet; it names no file until someone does.
  if (!learner.empty() && !IsUsableLearnerName(learner)) {
    dialogs.Inform("学習者名 " + learner + " は使えません。「" + std::string(kSharedLearnerName) +
                   "」で始めます");
    learner = kSharedLearnerName;
  }
  state.SetLearnerName(learner);
  view.ApplyLearnerName(state.LearnerName());

  state.SetKeyLock(ReadSettingBool(settings, "KeyLock", false));
  view.ApplyKeyLock(state.KeyLock());
  return StartUpOutcome::Ready;
}

}  // namespace tavolo
