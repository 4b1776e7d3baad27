#pragma once
// "学　習" on the main window: the practice window on the sheet in front, or
// on a unit chosen in the course menu first. While the window is open the
// sheet hides its answers and their alternatives and carries the learner's
// name; afterwards everything is as it was, and a sheet opened only for the
// practice is closed again.

#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/sheet_document.h"
#include "practice/practice_run.h"
#include "sheet/page_renderer.h"

namespace tavolo {

// The windows the flow works with, as the main window provides them.
class PracticeWindows {
 public:
  virtual ~PracticeWindows() = default;
  // The identity of the sheet in front, if any.
  virtual std::optional<std::string> CurrentSheet() const = 0;
  // "開  く ": the course menu, and the chosen unit as the sheet in front.
  virtual bool OpenUnitFromMenu() = 0;
  virtual void ScrollSheetToTop() = 0;
  virtual void DiscardChanges(const std::string& identity) = 0;
  // The learner's name on the name line of the sheet in front.
  virtual void ShowLearnerName(bool shown) = 0;
  // The practice window on the sheet in front; returns when it has closed.
  virtual void ShowPractice() = 0;
  virtual void RedrawSheet() = 0;
  virtual bool CloseSheetWindow(const std::string& identity) = 0;
};

// True when the practice window was shown.
bool PracticeFromMainWindow(AppState& app, PracticeWindows& windows);

// The hint lines of a sheet's unit, read from its question file ("<<hint").
// A copy file, a missing or unreadable file, or a unit no longer in it has none.
std::vector<std::string> UnitHintLines(const SheetDocument& sheet);

// What a practice run needs to know of a sheet as it was last drawn.
PracticeSheet PracticeSheetFor(const SheetDocument& sheet, const PageLayout& layout,
                               std::vector<std::string> hints, int startPanelWidth);

}  // namespace tavolo
