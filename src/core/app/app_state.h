#pragma once
// What the whole program shares for one run: the course folder, the school
// and learner names, the key lock, where records go, the paper, and the
// register of open worksheets. The main window owns one instance.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "content/course_index.h"
#include "content/learner_names.h"
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
  int height = kDefaultPaperHeight;
  bool operator==(const PaperChoice&) const = default;
};
PaperChoice PaperFromSetting(int width);

// Which of the view values below changed; the windows that show one listen.
enum class ViewChange { AnswerDisplay, Alternatives, ReducedView, Paper };

struct AppState {
  std::string courseFolder;                     // always ends in "/"
  bool onCd = false;                            // the course folder cannot be written to
  std::string schoolName;                       // "theSchool"
  std::string learnerName{kSharedLearnerName};  // "LogOnName"
  bool keyLock = false;                         // false: teacher mode, true: learner mode
  std::string recordDrive;                      // "RecDrive", always ends in "/"
  std::string recordFolder;                     // recordDrive + "Tavolo/LogOn"
  std::string windowsFolder;                    // the per-user data folder, ends in "/"
  // How the worksheets are shown. Each is held here only; change them through
  // the Set... functions below, which tell `viewChanged`.
  PaperChoice paper;
  bool answerDisplay = true;     // answers shown on the worksheets
  bool showAlternatives = true;  // "別解表示": alternative answers beside the answers
  bool reducedView = false;      // the whole page scaled to fit its window
  std::function<void(ViewChange)> viewChanged;

  CourseIndex course;                   // Main.ind as read at start
  std::vector<std::string> openSheets;  // identities of the open worksheets, in opening order
};

// Switches teacher/learner mode and remembers it for the next start.
[[nodiscard]] Status SetKeyLock(AppState& state, SettingsStore& settings, bool locked);

// The school-name dialog's OK: the new title of every worksheet, kept for the next start.
[[nodiscard]] Status SetSchoolName(AppState& state, SettingsStore& settings, std::string_view name);

void SetAnswerDisplay(AppState& state, bool shown);
void SetShowAlternatives(AppState& state, bool shown);
void SetReducedView(AppState& state, bool reduced);
// The paper of the worksheet in front (its activation): the setting stays.
void ShowPaper(AppState& state, const PaperChoice& paper);
// The paper dialog's choice: shown, and the paper for the next start ("PaperSize").
// A setting that cannot be written is told; the choice holds for this run.
[[nodiscard]] Status ChoosePaper(AppState& state, SettingsStore& settings, int paperWidth);

// The caption of the switch to and from the reduced view: what it does next.
std::string_view ZoomCaption(bool reduced);

// Problems found while preparing something, one per line, for one message.
std::string JoinProblems(const std::vector<std::string>& problems);

// The main window's caption and the product name of the version window.
inline constexpr std::string_view kApplicationTitle = "Tavolo++ 数学問題集１・正と負の数";
inline constexpr std::string_view kVersionText = "Version 4.83 2005.09.10";

}  // namespace tavolo
