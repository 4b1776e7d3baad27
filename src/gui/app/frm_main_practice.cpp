// "学　習": the practice window on the sheet in front. The order of the steps
// is core's practice flow; this file gives it the main window's windows.

#include <QPointer>

#include "app/practice_flow.h"
#include "app/record_file.h"
#include "gui/app/frm_main.h"
#include "gui/app/frm_menu.h"
#include "gui/app/frm_print.h"
#include "gui/app/frm_print_ok.h"
#include "gui/practice/frm_kiroku.h"
#include "gui/practice/frm_renshu.h"

namespace tavolo {

class TfrmMain::PracticeSheets final : public PracticeWindows {
 public:
  explicit PracticeSheets(TfrmMain& main) : main_(main) {}

  std::optional<std::string> CurrentSheet() const override { return main_.CurrentSheet(); }
  bool OpenUnitFromMenu() override { return main_.OpenUnitFromMenu(); }
  void ScrollSheetToTop() override {
    if (TfrmPrint* sheet = main_.CurrentSheetWindow()) sheet->ScrollToTop();
  }
  void DiscardChanges(const std::string& identity) override { main_.DiscardChanges(identity); }
  void ShowLearnerName(bool shown) override {
    // The sheet practised on is the one in front when the practice starts.
    if (shown) practised_ = main_.CurrentSheetWindow();
    if (!practised_) return;
    practised_->Document().showLearnerName = shown;
    practised_->Redraw();
  }
  void ShowPractice() override {
    if (practised_) main_.frmRenshu_->ShowFor(*practised_, main_.state_);
  }
  void RedrawSheet() override {
    if (practised_) practised_->Redraw();
  }
  bool CloseSheetWindow(const std::string& identity) override {
    return main_.CloseSheetWindow(identity);
  }

 private:
  TfrmMain& main_;
  QPointer<TfrmPrint> practised_;
};

void TfrmMain::CreatePracticeWindow() {
  frmRenshu_ = LazyWindow<TfrmRenshu>([this] {
    auto* practice = new TfrmRenshu(
        renderer_, registry_,
        TfrmRenshu::Host{[this](const TfrmPrint& sheet) { return PageSettingsFor(sheet); },
                         [this](PrintableSheet& sheet) { frmPrintOk_->PrintSheet(sheet); },
                         [this] { frmMenu_->Menu().RefreshUnitMarks(); }},
        this);
    // 記録表示 in the practice window: the file its records list reads (lesson
    // 1's for a copy file), with the sheet's own entry chosen.
    practice->SetRecordsViewer([this] {
      int lesson = CurrentLesson();
      std::string section;
      if (currentSheet_) {
        const SheetDocument& document = currentSheet_->Document();
        if (document.master) {
          lesson = std::max(document.address.lesson, 1);
          section = UnitSectionName(document.address.section, document.address.unit,
                                    currentSheet_->Choice().captions.unit);
        } else {
          lesson = 1;
          section = CopyFileSection(document.filePath);
        }
      }
      (void)frmKiroku_->ShowRecords(lesson, state_.LearnerName(), section);
    });
    return practice;
  });
}

void TfrmMain::btnTestClick() {
  HideSavePanel();
  PracticeSheets sheets(*this);
  PracticeFromMainWindow(state_, sheets);
  UpdateWindowMenu();
  setFocus();
}

}  // namespace tavolo
