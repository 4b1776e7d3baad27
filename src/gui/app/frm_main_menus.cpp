// The main window's menus, those of the frame and those a worksheet brings
// while it is in front, the operations behind them and behind the tool
// panel's buttons (each acts on the worksheet in front), and the small
// windows they open.

#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

#include "app/answer_box_settings.h"
#include "app/help_pages.h"
#include "app/sheet_saving.h"
#include "content/file_checks.h"
#include "draw/qt_text.h"
#include "gui/app/frm_dummy.h"
#include "gui/app/frm_help.h"
#include "gui/app/frm_juku.h"
#include "gui/app/frm_main.h"
#include "gui/app/frm_menu.h"
#include "gui/app/frm_print.h"
#include "gui/app/frm_print_mode.h"
#include "gui/app/frm_print_ok.h"
#include "gui/app/frm_set_paper.h"
#include "gui/app/frm_settei.h"
#include "gui/app/frm_version.h"
#include "gui/app/sheet_print_source.h"
#include "gui/app/tool_panel.h"
#include "gui/authoring/frm_edit_index.h"
#include "gui/authoring/frm_edit_ques.h"
#include "gui/authoring/frm_input_name.h"
#include "gui/practice/frm_class_records.h"
#include "platform/text_file.h"
#include "sheet/sheet_edits.h"

namespace tavolo {

void TfrmMain::CreateMenus() {
  mnuFile_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  mnuFile_->setObjectName("mnuFile");
  QAction* open = mnuFile_->addAction(QStringLiteral("開く(&O)"));
  open->setObjectName("mnuOpen");
  connect(open, &QAction::triggered, this, [this] { OpenUnitFromMenu(); });
  QAction* openCopy = mnuFile_->addAction(QStringLiteral("コピーファイルを開く(&Y)..."));
  openCopy->setObjectName("mnuOpenCopy");
  connect(openCopy, &QAction::triggered, this, &TfrmMain::mnuOpenCopyClick);
  mnuFile_->addSeparator();
  QAction* classRecords = mnuFile_->addAction(QStringLiteral("学級の記録(&R)..."));
  classRecords->setObjectName("mnuClassRecords");
  connect(classRecords, &QAction::triggered, this, &TfrmMain::mnuClassRecordsClick);
  mnuFile_->addSeparator();
  QAction* exit = mnuFile_->addAction(QStringLiteral("終了(&X)"));
  exit->setObjectName("mnuExit");
  connect(exit, &QAction::triggered, this, &QWidget::close);

  mnuEdit_ = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  mnuEdit_->setObjectName("mnuEdit");
  QAction* makeIndex = mnuEdit_->addAction(QStringLiteral("目次作成(&C)"));
  makeIndex->setObjectName("mnuMakeIndex");
  connect(makeIndex, &QAction::triggered, this, &TfrmMain::mnuMakeIndexClick);
  QAction* juku = mnuEdit_->addAction(QStringLiteral("学校名・塾名(&J)"));
  juku->setObjectName("mnuJuku");
  connect(juku, &QAction::triggered, this, &TfrmMain::mnuJukuClick);

  CreateSheetMenus();

  mnuWindow_ = menuBar()->addMenu(QStringLiteral("ウィンドウ(&W)"));
  mnuWindow_->setObjectName("mnuWindow");
  QAction* maximize = mnuWindow_->addAction(QStringLiteral("最大表示(&M)"));
  maximize->setObjectName("mnuMaximize");
  connect(maximize, &QAction::triggered, this, [this] {
    if (QMdiSubWindow* sheet = mdiArea_->activeSubWindow(); sheet && sheet != frmDummy_)
      sheet->setGeometry(0, 0, ChildAreaWidth(), ChildAreaHeight());
  });
  QAction* tile = mnuWindow_->addAction(QStringLiteral("タイル表示(&T)"));
  tile->setObjectName("mnuTile");
  connect(tile, &QAction::triggered, mdiArea_, &QMdiArea::tileSubWindows);
  QAction* cascade = mnuWindow_->addAction(QStringLiteral("カスケード表示(&C)"));
  cascade->setObjectName("mnuCascade");
  connect(cascade, &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
  QAction* closeAll = mnuWindow_->addAction(QStringLiteral("すべて閉じる(&A)"));
  closeAll->setObjectName("mnuCloseAll");
  connect(closeAll, &QAction::triggered, this, [this] { CloseAllSheets(); });
  windowItems_ = {maximize, tile, cascade, closeAll};
  connect(mnuWindow_, &QMenu::aboutToShow, this, &TfrmMain::UpdateWindowMenu);
  UpdateWindowMenu();

  mnuHelp_ = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  mnuHelp_->setObjectName("mnuHelp");
  QAction* usage = mnuHelp_->addAction(QStringLiteral("使い方(&U)"));
  usage->setObjectName("mnuUsage");
  connect(usage, &QAction::triggered, this, [this] { ShowHelp(0); });
  QAction* version = mnuHelp_->addAction(QStringLiteral("バージョン(&V)"));
  version->setObjectName("mnuVersion");
  connect(version, &QAction::triggered, this, [this] { frmVersion_->exec(); });
  mnuDoYouKnow_ = mnuHelp_->addAction(QStringLiteral("ご存じですか(&D)"));
  mnuDoYouKnow_->setObjectName("mnuDoYouKnow");
  connect(mnuDoYouKnow_, &QAction::triggered, this, &TfrmMain::ShowTips);
  QAction* hosoku = mnuHelp_->addAction(QStringLiteral("補足"));
  hosoku->setObjectName("mnuHosoku");
  connect(hosoku, &QAction::triggered, this, &TfrmMain::mnuHosokuClick);
}

// While a worksheet is active its menus stand in for "ファイル(&F)" and
// "編集(&E)" and add "表示(&V)" and "設定(&C)"; their items act on that sheet.
void TfrmMain::CreateSheetMenus() {
  auto item = [](QMenu* menu, const char* caption, const char* name, bool enabled = true) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
  };
  mnuSheetFile_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  mnuSheetFile_->setObjectName("mnuSheetFile");
  connect(item(mnuSheetFile_, "開く(&O)", "mnuSheetOpen"), &QAction::triggered, this,
          [this] { OpenUnitFromMenu(); });
  connect(item(mnuSheetFile_, "コピーファイルを開く(&Y)...", "mnuSheetOpenCopy"),
          &QAction::triggered, this, &TfrmMain::mnuOpenCopyClick);
  mnuSheetSave_ = item(mnuSheetFile_, "上書き保存(&S)", "mnuSheetSave");
  connect(mnuSheetSave_, &QAction::triggered, this, &TfrmMain::btnSaveMasterClick);
  // Ctrl+S saves the sheet in front: over its unit, or a copy sheet as a copy.
  connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
          &TfrmMain::SaveSheetInFront);
  connect(item(mnuSheetFile_, "印刷(&P)", "mnuSheetPrint"), &QAction::triggered, this,
          &TfrmMain::btnStartPrintClick);
  connect(item(mnuSheetFile_, "閉じる(&C)", "mnuSheetClose"), &QAction::triggered, this,
          &TfrmMain::CloseCurrentSheet);
  connect(item(mnuSheetFile_, "学級の記録(&R)...", "mnuSheetClassRecords"), &QAction::triggered,
          this, &TfrmMain::mnuClassRecordsClick);
  connect(item(mnuSheetFile_, "終了(&X)", "mnuSheetExit"), &QAction::triggered, this,
          &QWidget::close);

  mnuSheetEdit_ = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  mnuSheetEdit_->setObjectName("mnuSheetEdit");
  connect(item(mnuSheetEdit_, "目次作成(&C)", "mnuSheetMakeIndex"), &QAction::triggered, this,
          &TfrmMain::mnuMakeIndexClick);
  connect(item(mnuSheetEdit_, "学校名・塾名(&J)", "mnuSheetJuku"), &QAction::triggered, this,
          &TfrmMain::mnuJukuClick);
  connect(item(mnuSheetEdit_, "編集(&E)", "mnuSheetEditUnit"), &QAction::triggered, this,
          &TfrmMain::btnEditClick);
  connect(item(mnuSheetEdit_, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&B)", "mnuSheetClipboard"), &QAction::triggered,
          this, [this] {
            if (currentSheet_) currentSheet_->CopyWholePage();
          });

  mnuSheetView_ = menuBar()->addMenu(QStringLiteral("表示(&V)"));
  mnuSheetView_->setObjectName("mnuSheetView");
  mnuSheetAnswers_ = item(mnuSheetView_, "解答表示(&A)", "mnuSheetAnswers");
  mnuSheetAnswers_->setCheckable(true);
  connect(mnuSheetAnswers_, &QAction::triggered, this, &TfrmMain::ToggleAnswerDisplay);
  connect(mnuSheetView_, &QMenu::aboutToShow, this, [this] {
    mnuSheetAnswers_->setEnabled(toolPanel_->AnswerButtonEnabled());
    mnuSheetAnswers_->setChecked(state_.AnswerDisplay());
  });

  mnuSheetSettings_ = menuBar()->addMenu(QStringLiteral("設定(&C)"));
  mnuSheetSettings_->setObjectName("mnuSheetSettings");
  connect(item(mnuSheetSettings_, "印字モードの設定(&P)", "mnuSheetPrintMode"), &QAction::triggered,
          this, &TfrmMain::mnuPrintModeClick);
  connect(item(mnuSheetSettings_, "解答欄の設定(&K)", "mnuSheetKran"), &QAction::triggered, this,
          &TfrmMain::btnKranClick);
  connect(item(mnuSheetSettings_, "用紙サイズとオプションの設定(&S)", "mnuSheetPaper"),
          &QAction::triggered, this, &TfrmMain::mnuSetPaperClick);
  UpdateMenus();
}

void TfrmMain::UpdateMenus() {
  const bool sheet = currentSheet_ != nullptr;
  const bool teacher = !state_.KeyLock();
  mnuFile_->menuAction()->setVisible(teacher && !sheet);
  mnuEdit_->menuAction()->setVisible(teacher && !sheet);
  mnuSheetFile_->menuAction()->setVisible(teacher && sheet);
  mnuSheetEdit_->menuAction()->setVisible(teacher && sheet);
  // Answers and layout are the teacher's: in learner mode the sheet brings no menus.
  mnuSheetView_->menuAction()->setVisible(teacher && sheet);
  mnuSheetSettings_->menuAction()->setVisible(teacher && sheet);
  for (QMenu* menu : {mnuSheetFile_, mnuSheetEdit_, mnuSheetView_, mnuSheetSettings_})
    menu->setEnabled(teacher && sheet);
  // Only a sheet of a question file can be saved over its unit.
  mnuSheetSave_->setEnabled(sheet && currentSheet_->Document().master);
}

// The all-units view goes on paper as it looks, page-wide, through the same
// print dialog as the worksheets (a PDF file is one of its printers).
bool TfrmMain::PrintAllUnitsView(const QImage& image) {
  if (!frmPrintOk_->ChoosePrinter()) return false;
  QPainter painter;
  if (!painter.begin(&frmPrintOk_->Printer())) {
    dialogs_.Inform("印刷を開始できません");
    return false;
  }
  const QRect page = painter.viewport();
  const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.drawImage(QRect(page.topLeft(), size), image);
  return painter.end();
}

void TfrmMain::UpdateWindowMenu() {
  const bool anySheet = !state_.OpenSheets().empty();
  for (QAction* item : windowItems_) item->setEnabled(anySheet);
}

void TfrmMain::mnuMakeIndexClick() {
  if (Status mayOpen = IndexEditorMayOpen(state_.OpenSheets().size()); !mayOpen) {
    dialogs_.Inform(mayOpen.message());
    return;
  }
  frmEditIndex_->ShowEditor(geometry());
  setFocus();
}

void TfrmMain::mnuJukuClick() {
  // Without an open worksheet the field keeps what was last typed into it.
  std::optional<QString> current;
  if (!state_.OpenSheets().empty()) current = ToQString(state_.SchoolName());
  if (auto school = frmJuku_->Ask(current)) {
    if (Status stored = SetSchoolName(state_, settings_, ToStdString(*school)); !stored)
      dialogs_.Inform(stored.message());
    if (currentSheet_) currentSheet_->Redraw();  // the name line shows it
  }
  setFocus();
}

void TfrmMain::mnuSetPaperClick() {
  const QPointer<TfrmPrint> sheet = currentSheet_;
  if (!sheet) return;
  const auto choice = frmSetPaper_->Ask(sheet->Document().params.headerOptions);
  if (!choice || !sheet) return;
  if (Status stored = ChoosePaper(state_, settings_, choice->paperWidth); !stored)
    dialogs_.Inform(stored.message());
  const PaperAndOptions chosen = *choice;
  sheet->ChangeParams(
      [chosen](SheetParams& p) { SetPaperAndHeader(p, chosen.paperWidth, chosen.headerOptions); },
      true);
}

void TfrmMain::ShowHelp(int context) {
  const auto page = context == 0 ? HelpContentsPath(state_.CourseFolder())
                                 : HelpTopicPath(state_.CourseFolder(), context);
  if (Status shown = frmHelp_->ShowPage(page); !shown) dialogs_.Inform(shown.message());
}

void TfrmMain::mnuHosokuClick() {
  const auto page = SupplementPagePath(state_.CourseFolder());
  if (Status exists = RequireFile(page); !exists) {
    dialogs_.Inform(exists.message());
    return;
  }
  // Without a browser that takes it, the page shows in the help window.
  openInBrowser_(QUrl::fromLocalFile(ToQString(PathText(page))), [this, page] {
    if (Status shown = frmHelp_->ShowPage(page); !shown) dialogs_.Inform(shown.message());
  });
}

// The desktop's browser, through xdg-open: it says by its exit status whether
// a browser took the page (QDesktopServices only says that it started it).
void TfrmMain::OpenInDesktopBrowser(const QUrl& url, std::function<void()> failed) {
  auto* opener = new QProcess(this);
  connect(opener, &QProcess::finished, this,
          [opener, failed](int exitCode, QProcess::ExitStatus status) {
            if (status != QProcess::NormalExit || exitCode != 0) failed();
            opener->deleteLater();
          });
  connect(opener, &QProcess::errorOccurred, this, [opener, failed](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    failed();
    opener->deleteLater();
  });
  opener->start(QStringLiteral("xdg-open"), {url.toString()});
}

void TfrmMain::mnuClassRecordsClick() {
  // A teacher's window: learner mode has no way here, and none by a shortcut.
  if (state_.KeyLock()) return;
  frmClassRecords_->ShowOverview(CurrentLesson());
  setFocus();
}

void TfrmMain::btnLockClick() {
  if (Status stored = SetKeyLock(state_, settings_, !state_.KeyLock()); !stored)
    dialogs_.Inform(stored.message());
  ApplyKeyLock(state_.KeyLock());
  setFocus();
}

bool TfrmMain::btnLogOnClick() {
  const bool signedOn = frmInputName_->ShowSignOn();
  setFocus();
  return signedOn;
}

void TfrmMain::LearnerSignedOn(const std::string& name) {
  ApplyLearnerName(name);
  frmMenu_->RefreshUnitMarks();
  if (currentSheet_) currentSheet_->Redraw();
}

void TfrmMain::CreateToolPanel() {
  toolPanel_ = new ToolPanel(this, this);
  toolPanel_->ShowAnswerDisplay(state_.AnswerDisplay());
  connect(toolPanel_, &ToolPanel::logOnClicked, this, &TfrmMain::btnLogOnClick);
  connect(toolPanel_, &ToolPanel::printClicked, this, &TfrmMain::btnStartPrintClick);
  connect(toolPanel_, &ToolPanel::practiceClicked, this, &TfrmMain::btnTestClick);
  // "コピー" and "キャンセル" act on the current sheet's selection.
  connect(toolPanel_, &ToolPanel::copyClicked, this, [this] {
    if (currentSheet_) currentSheet_->CopySelection();
    setFocus();
  });
  connect(toolPanel_, &ToolPanel::cancelClicked, this, [this] {
    if (currentSheet_) currentSheet_->CancelSelection();
    setFocus();
  });
  connect(toolPanel_, &ToolPanel::saveClicked, this, &TfrmMain::btnSaveClick);
  connect(toolPanel_, &ToolPanel::saveMasterClicked, this, &TfrmMain::btnSaveMasterClick);
  connect(toolPanel_, &ToolPanel::saveCopyClicked, this, &TfrmMain::btnSaveCopyClick);
  connect(toolPanel_, &ToolPanel::lockClicked, this, &TfrmMain::btnLockClick);
  connect(toolPanel_, &ToolPanel::openClicked, this, [this] {
    OpenUnitFromMenu();
    setFocus();
  });
  connect(toolPanel_, &ToolPanel::closeClicked, this, &TfrmMain::CloseCurrentSheet);
  connect(toolPanel_, &ToolPanel::editClicked, this, &TfrmMain::btnEditClick);
  connect(toolPanel_, &ToolPanel::kranClicked, this, &TfrmMain::btnKranClick);
  connect(toolPanel_, &ToolPanel::lineSpacingChanged, this, [this](int value) {
    ChangeCurrentSheet([value](SheetParams& p) { SetLineSpacing(p, value); }, true);
  });
  connect(toolPanel_, &ToolPanel::charSizeChanged, this, [this](int value) {
    ChangeCurrentSheet([value](SheetParams& p) { SetCharSize(p, value); }, true);
  });
  connect(toolPanel_, &ToolPanel::answersClicked, this, &TfrmMain::ToggleAnswerDisplay);
  connect(toolPanel_, &ToolPanel::alternativesChanged, this,
          [this](bool shown) { state_.SetShowAlternatives(shown); });
}

void TfrmMain::ToggleAnswerDisplay() {
  if (!currentSheet_) return;
  state_.SetAnswerDisplay(!state_.AnswerDisplay());
}

// The operations other windows call, as hidden buttons: their state lives in
// the application state, the buttons only carry the operation.
void TfrmMain::CreateHiddenOperations() {
  btnShukusho_ = new QPushButton(ToQString(ZoomCaption(state_.ReducedView())), this);
  btnShukusho_->setObjectName("btnShukusho");
  btnShukusho_->hide();
  btnScroll_ = new QPushButton(this);
  btnScroll_->setObjectName("btnScroll");
  btnScroll_->setAccessibleName(QStringLiteral("シートをスクロール"));
  btnScroll_->hide();
  connect(btnShukusho_, &QPushButton::clicked, this, &TfrmMain::ToggleReducedView);
  connect(btnScroll_, &QPushButton::clicked, this, &TfrmMain::ScrollCurrentSheet);
}

void TfrmMain::ScrollCurrentSheet() {
  if (currentSheet_) currentSheet_->ScrollTopOrBottom();
}

void TfrmMain::btnKranClick() {
  const QPointer<TfrmPrint> sheet = currentSheet_;
  if (!sheet) return;
  if (!state_.AnswerDisplay()) ToggleAnswerDisplay();  // the boxes are set while the answers show
  const QRect panel(toolPanel_->mapToGlobal(QPoint(0, 0)), toolPanel_->size());
  if (!frmSettei_->ShowFor(sheet->Document().params, sheet->PageOnScreen(), panel)) return;
  if (!sheet) return;
  const int width = frmSettei_->WidthValue();
  const int height = frmSettei_->HeightValue();
  sheet->ChangeParams([width, height](SheetParams& p) { SetBoxSize(p, width, height); }, false);
  setFocus();
}

void TfrmMain::ToggleReducedView() { state_.SetReducedView(!state_.ReducedView()); }

void TfrmMain::btnStartPrintClick() {
  toolPanel_->HideSavePanel();
  if (TfrmPrint* sheet = CurrentSheetWindow()) {
    SheetPrintSource source(*sheet, renderer_, registry_, PageSettingsFor(*sheet),
                            [this] { state_.SetReducedView(false); });
    frmPrintOk_->PrintSheet(source);
    // The screen shows the numbering as it now stands (back to the start).
    if (currentSheet_) currentSheet_->Redraw();
  }
  setFocus();
}

void TfrmMain::mnuPrintModeClick() {
  frmPrintMode_->exec();
  setFocus();
}

void TfrmMain::btnSaveClick() {
  TfrmPrint* sheet = CurrentSheetWindow();
  if (!sheet) return;
  toolPanel_->ShowSavePanel(sheet->Document().master);
}

void TfrmMain::btnSaveMasterClick() {
  // The sheet in front when the button was pressed, whatever hiding the panel does.
  TfrmPrint* sheet = CurrentSheetWindow();
  toolPanel_->HideSavePanel();
  // Whatever the outcome, SaveMaster has told the teacher; nothing else follows here.
  if (sheet && sheet->Document().master) static_cast<void>(SaveMaster(sheet->Document(), dialogs_));
  setFocus();
}

void TfrmMain::SaveSheetInFront() {
  TfrmPrint* sheet = CurrentSheetWindow();
  // A learner's screen has no saving.
  if (!sheet || state_.KeyLock()) return;
  if (sheet->Document().master)
    btnSaveMasterClick();
  else
    btnSaveCopyClick();
}

void TfrmMain::btnSaveCopyClick() {
  TfrmPrint* sheet = CurrentSheetWindow();
  toolPanel_->HideSavePanel();
  if (sheet) {
    if (SaveCopyFile(sheet->Document(), state_, dialogs_) == SaveOutcome::Saved) {
      sheet->setWindowTitle(ToQString(sheet->Document().identity));
      UpdateMenus();
      UpdateWindowMenu();
    }
  }
  setFocus();
}

void TfrmMain::btnEditClick() {
  toolPanel_->HideSavePanel();
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

void TfrmMain::btnTestClick() {
  toolPanel_->HideSavePanel();
  practisedSheet_ = nullptr;
  PracticeFromMainWindow(state_, *this);
  UpdateWindowMenu();
  setFocus();
}

void TfrmMain::mnuOpenCopyClick() {
  tavolo::OpenCopyFile(state_, *this, dialogs_);
  setFocus();
}

}  // namespace tavolo
