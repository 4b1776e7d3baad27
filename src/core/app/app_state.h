#pragma once
// What the whole program shares for one run: the course folder, the school
// and learner names, the key lock, where records go, the paper, and the
// register of open worksheets. The main window owns one instance.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
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

// What the program shares for one run. The view values (paper, answer
// display, alternatives, reduced view) change only through their Set...
// functions, which tell the window listening (SetViewListener), so that no
// window can change one unseen by the others.
class AppState {
 public:
  // The course folder (always ends in "/") and whether it cannot be written to.
  const std::string& CourseFolder() const { return courseFolder_; }
  void SetCourseFolder(std::string folder) { courseFolder_ = std::move(folder); }
  bool OnCd() const { return onCd_; }
  void SetOnCd(bool readOnly) { onCd_ = readOnly; }
  // Main.ind as read at start (the course menu reads it again when it opens).
  const CourseIndex& Course() const { return course_; }
  void SetCourse(CourseIndex course) { course_ = std::move(course); }

  const std::string& SchoolName() const { return schoolName_; }  // "theSchool"
  void SetSchoolName(std::string name) { schoolName_ = std::move(name); }
  const std::string& LearnerName() const { return learnerName_; }  // "LogOnName"
  void SetLearnerName(std::string name) { learnerName_ = std::move(name); }
  bool KeyLock() const { return keyLock_; }  // false: teacher mode, true: learner mode
  void SetKeyLock(bool locked) { keyLock_ = locked; }

  // "RecDrive" (ends in "/") and the roster folder below it, "Tavolo/LogOn".
  const std::string& RecordDrive() const { return recordDrive_; }
  const std::string& RecordFolder() const { return recordFolder_; }
  void SetRecordDrive(std::string drive);
  // The per-user data folder, ends in "/".
  const std::string& WindowsFolder() const { return windowsFolder_; }
  void SetWindowsFolder(std::string folder) { windowsFolder_ = std::move(folder); }

  // How the worksheets are shown.
  const PaperChoice& Paper() const { return paper_; }
  bool AnswerDisplay() const { return answerDisplay_; }        // answers shown on the worksheets
  bool ShowAlternatives() const { return showAlternatives_; }  // "別解表示": beside the answers
  bool ReducedView() const { return reducedView_; }  // the whole page scaled to fit its window
  void SetAnswerDisplay(bool shown);
  void SetShowAlternatives(bool shown);
  void SetReducedView(bool reduced);
  // The paper of the worksheet in front (its activation), or read at start.
  void ShowPaper(const PaperChoice& paper);
  // Who is told of every change of a view value; nothing stops telling.
  void SetViewListener(std::function<void(ViewChange)> listener) {
    viewChanged_ = std::move(listener);
  }

  // The register of open worksheets: one identity each, in opening order.
  const std::vector<std::string>& OpenSheets() const { return openSheets_; }
  bool IsOpen(const std::string& identity) const;
  void AddOpenSheet(std::string identity) { openSheets_.push_back(std::move(identity)); }
  void RemoveOpenSheet(const std::string& identity);
  void ClearOpenSheets() { openSheets_.clear(); }

 private:
  void Tell(ViewChange change) const;

  std::string courseFolder_;
  bool onCd_ = false;
  CourseIndex course_;
  std::string schoolName_;
  std::string learnerName_{kSharedLearnerName};
  bool keyLock_ = false;
  std::string recordDrive_;
  std::string recordFolder_;
  std::string windowsFolder_;
  PaperChoice paper_;
  bool answerDisplay_ = true;
  bool showAlternatives_ = true;
  bool reducedView_ = false;
  std::function<void(ViewChange)> viewChanged_;
  std::vector<std::string> openSheets_;
};

// Switches teacher/learner mode and remembers it for the next start.
[[nodiscard]] Status SetKeyLock(AppState& state, SettingsStore& settings, bool locked);

// The school-name dialog's OK: the new title of every worksheet, kept for the next start.
[[nodiscard]] Status SetSchoolName(AppState& state, SettingsStore& settings, std::string_view name);

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
