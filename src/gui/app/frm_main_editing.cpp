// The main window's way into the question editor: editing the unit of the
// sheet in front, and making a unit the course menu did not find.

#include "app/sheet_saving.h"
#include "gui/app/frm_edit_source.h"
#include "gui/app/frm_main.h"
#include "gui/app/frm_menu.h"
#include "gui/app/frm_print.h"
#include "gui/authoring/frm_edit_ques.h"

namespace tavolo {

void TfrmMain::CreateEditors() {
  frmEditQues_ = LazyWindow<TfrmEditQues>([this] {
    TfrmEditQues::Host host;
    host.editSource = [this](const std::string& path, const Lines& lines, LinesCheck check) {
      return frmEditSource_->Edit(path, kQuestionSourceHelpContext, lines, geometry(),
                                  std::move(check));
    };
    // A unit made or changed may change the menu's marks (similar problems).
    host.refreshMarks = [this] {
      frmMenu_->Menu().SetMarksNeedFullRefresh();
      frmMenu_->Menu().RefreshUnitMarks();
    };
    return new TfrmEditQues(dialogs_, std::move(host), this);
  });
}

void TfrmMain::btnEditClick() {
  HideSavePanel();
  TfrmPrint* sheet = CurrentSheetWindow();
  if (!sheet) return;
  const SheetDocument& document = sheet->Document();
  if (document.address.section < 1) {
    // A copy file opened from disk belongs to no unit of the course.
    dialogs_.Inform("コピーファイルは編集できません");
    setFocus();
    return;
  }
  // The sheet's own address, a similar problem included, with the captions
  // it was opened with, so that the reopened sheet has the same title.
  CourseMenuChoice choice = sheet->Choice();
  choice.address = document.address;
  const EditorSheet editorSheet{document.params, sheet->Layout().segmentStarts,
                                sheet->Layout().questionsBottom};
  if (frmEditQues_->EditSheetUnit(state_.Course(), choice.address, choice.captions, editorSheet,
                                  geometry()))
    OpenUnit(choice, true);
  setFocus();
}

bool TfrmMain::CreateMissingUnit(const CourseMenuChoice& choice) {
  return frmEditQues_->CreateUnit(state_.Course(), choice.address, choice.captions, geometry());
}

void TfrmMain::SetCurrentSheetPaper(int paperWidth) {
  if (!currentSheet_) return;
  state_.ShowPaper(PaperFromSetting(paperWidth));
  currentSheet_->ChangeParams([paperWidth](SheetParams& p) { p.ApplyPaper(paperWidth); }, false);
}

}  // namespace tavolo
