#include "app/practice_flow.h"

#include <utility>

#include "content/unit_address.h"
#include "content/unit_reader.h"
#include "platform/text_file.h"
#include "sheet/answer_box_geometry.h"

namespace tavolo {

bool PracticeFromMainWindow(AppState& app, PracticeWindows& windows) {
  const bool hadSheet = windows.CurrentSheet().has_value();
  if (hadSheet) {
    windows.ScrollSheetToTop();
  } else if (!windows.OpenUnitFromMenu()) {
    return false;
  }
  const std::optional<std::string> sheet = windows.CurrentSheet();
  if (!sheet) return false;
  // A sheet opened just for the practice has nothing the teacher could lose.
  if (!hadSheet) windows.DiscardChanges(*sheet);

  const bool answers = app.AnswerDisplay();
  const bool alternatives = app.ShowAlternatives();
  app.SetAnswerDisplay(false);
  app.SetShowAlternatives(false);
  windows.ShowLearnerName(true);
  windows.ShowPractice();
  windows.ShowLearnerName(false);
  app.SetShowAlternatives(alternatives);
  app.SetAnswerDisplay(answers);
  windows.RedrawSheet();
  if (!hadSheet) windows.CloseSheetWindow(*sheet);
  return true;
}

std::vector<std::string> UnitHintLines(const SheetDocument& sheet) {
  if (!sheet.master) return {};
  // The hint box as the question editor loads it.
  return ReadUnitHintLines(sheet.filePath, sheet.address);
}

PracticeSheet PracticeSheetFor(const SheetDocument& sheet, const PageLayout& layout,
                               std::vector<std::string> hints, int startPanelWidth) {
  PracticeSheet practice;
  practice.boxStyle = BoxStyle::FromSheet(sheet.params);
  practice.pictureWidth = sheet.params.paperWidth;
  practice.choices = sheet.params.unit.kgroupLines;
  practice.hints = std::move(hints);
  practice.copyFile = !sheet.master;
  // The layout lists "start" before the answers the page drew.
  practice.answerCount = layout.answers.empty() ? 0 : static_cast<int>(layout.answers.size()) - 1;
  practice.scoreSpot = layout.scorePosition;
  practice.startPanelWidth = startPanelWidth;
  return practice;
}

}  // namespace tavolo
