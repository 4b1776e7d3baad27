#pragma once
// The start of the desktop program, from the first showing of the main window
// until it waits for the user. The order of the steps matters (the tips window
// comes before the paper is set up, the key lock is applied last), so it is
// kept here, and the window only carries out each step through StartUpView.

#include <filesystem>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/dialogs.h"
#include "platform/result.h"
#include "platform/settings.h"

namespace tavolo {

// The folders the program starts with. Stand-ins for the places the course
// material was made for: the per-user data folder for the Windows folder, the
// home folder for the record drive "C:\".
struct StartUpPlaces {
  std::string courseFolder;  // as given, with or without a trailing "/"
  std::string dataFolder;
  std::string homeFolder;
  bool courseFolderReadOnly = false;  // stands in for a course on a CD-ROM
};

// What start-up asks the windows to do, in the order it asks.
class StartUpView {
 public:
  virtual ~StartUpView() = default;
  // Loads the title picture into the title window; a failure's message is shown.
  virtual Status SetTitlePicture(const std::filesystem::path& file) = 0;
  virtual void SetTipsNextTime(bool ticked) = 0;
  // Shows the tips window modally.
  virtual void ShowTips() = 0;
  virtual void SetLessons(const std::vector<std::string>& captions) = 0;
  virtual void ApplyPaper(const PaperChoice& paper) = 0;
  virtual void ShowTitleWindow() = 0;
  virtual void ApplyLearnerName(const std::string& name) = 0;
  virtual void ApplyKeyLock(bool locked) = 0;
};

enum class StartUpOutcome { Ready, Quit };

// Runs every step; Quit means the program ends (with a non-zero status) after
// the reason has been shown.
StartUpOutcome RunStartUp(AppState& state, SettingsStore& settings, Dialogs& dialogs,
                          StartUpView& view, const StartUpPlaces& places);

// True when nothing can be created in the folder (a read-only file system or
// no write permission): such a course is treated like one on a CD-ROM.
bool IsReadOnlyFolder(const std::filesystem::path& folder);

}  // namespace tavolo
