#pragma once
// What the whole program shares for one run: the course folder, the school
// and learner names, the key lock, where records go, the paper, and the
// register of open worksheets. The main window owns one instance.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "content/course_index.h"
#include "platform/settings.h"
#include "sheet/sheet_params.h"

namespace tavolo {

// The paper buttons, in the order of the paper table (SheetPapers()).
enum class PaperSize { B5, A4, B4, A3 };

// Width of the paper a button stands for, from the one paper table.
int PaperWidth(PaperSize size);

// The paper a "PaperSize" value stands for: the button it checks and the page
// size it gives. A width that matches no entry checks A4 but keeps its own
// width, with the height width x sqrt(2).
struct PaperChoice {
  PaperSize button = PaperSize::A4;
  int width = kDefaultPaperWidth;
  int height = 891;
  bool operator==(const PaperChoice&) const = default;
};
PaperChoice PaperFromSetting(int width);

// The learner name every program knows; the one without a password.
inline constexpr std::string_view kSharedLearnerName = "共通";

struct AppState {
  std::string courseFolder;                     // always ends in "/"
  bool onCd = false;                            // the course folder cannot be written to
  std::string schoolName;                       // "theSchool"
  std::string learnerName{kSharedLearnerName};  // "LogOnName"
  bool keyLock = false;                         // false: teacher mode, true: learner mode
  std::string recordDrive;                      // "RecDrive", always ends in "/"
  std::string recordFolder;                     // recordDrive + "Tavolo/LogOn"
  std::string windowsFolder;                    // the per-user data folder, ends in "/"
  PaperChoice paper;
  bool answerDisplay = true;            // answers shown on the worksheets
  CourseIndex course;                   // Main.ind as read at start
  std::vector<std::string> openSheets;  // identities of the open worksheets, in opening order
};

// Switches teacher/learner mode and remembers it for the next start.
void SetKeyLock(AppState& state, SettingsStore& settings, bool locked);

// The school-name dialog's OK: the new title of every worksheet, kept for the next start.
void SetSchoolName(AppState& state, SettingsStore& settings, std::string_view name);

// The main window's caption and the product name of the version window.
inline constexpr std::string_view kApplicationTitle = "Tavolo++ 数学問題集１・正と負の数";
inline constexpr std::string_view kVersionText = "Version 4.83 2005.09.10";

}  // namespace tavolo
