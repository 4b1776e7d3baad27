#pragma once
// The main window `frmMain`: the tool panel on the left, the child area with
// the worksheets, the menus, and the application-wide state for the run.
// What the program does at start and on the key lock is decided in core
// (app/start_up.h, app/app_state.h); this window shows it. The services it
// gives core's flows and its worksheets (StartUpView, SheetWindows,
// PracticeWindows, SheetHost) it implements itself, each in one block below.
// frm_main.cpp holds the state, the side windows and the worksheets;
// frm_main_menus.cpp the menus and the tool panel's operations.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "app/app_state.h"
#include "app/open_unit.h"
#include "app/practice_flow.h"
#include "app/start_up.h"
#include "gui/app/lazy_window.h"
#include "gui/app/sheet_host.h"
#include "platform/dialogs.h"
#include "platform/settings.h"
#include "sheet/answer_box_registry.h"
#include "sheet/page_renderer.h"
#include "sheet/print_job.h"

class QAction;
class QMdiArea;
class QMenu;
class QPushButton;
class QUrl;

namespace tavolo {

class QImageProvider;
class TfrmClassRecords;
class TfrmDoYouKnow;
class TfrmDummy;
class TfrmEditIndex;
class TfrmEditQues;
class TfrmEditSource;
class TfrmHelp;
class TfrmInputText;
class TfrmInputName;
class TfrmJuku;
class TfrmKiroku;
class TfrmMenu;
class TfrmPrint;
class TfrmPrintMode;
class TfrmPrintOk;
class TfrmRenshu;
class TfrmSetPaper;
class TfrmSettei;
class TfrmVersion;
class TfrmZenTangen;
class ToolPanel;

class TfrmMain final : public QMainWindow,
                       private StartUpView,
                       private SheetWindows,
                       private PracticeWindows,
                       private SheetHost {
  Q_OBJECT
 public:
  TfrmMain(SettingsStore& settings, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Everything from the first showing until the window waits for the user.
  // Quit: the reason has been shown and the program ends.
  StartUpOutcome StartUp(const StartUpPlaces& places);

  const AppState& State() const { return state_; }
  QMdiArea* MdiArea() const { return mdiArea_; }

  // The width worksheets fill: the window less the tool panel and a margin.
  int ChildAreaWidth() const;

  // The key lock: learner mode hides every teacher tool.
  void btnLockClick();

  // "開  く ": a unit chosen in the course menu becomes a worksheet.
  bool OpenUnitFromMenu() override;
  // A unit chosen elsewhere (after editing it, with replace) becomes a worksheet.
  OpenResult OpenUnit(const CourseMenuChoice& choice, bool replace);
  // The worksheet activated last, if it is still open.
  TfrmPrint* CurrentSheetWindow() const;
  // "閉じる": the current sheet (which may ask to save first).
  void CloseCurrentSheet();
  // "すべて閉じる(&A)".
  void CloseAllSheets();
  TfrmMenu* MenuWindow() const { return frmMenu_; }
  TfrmPrintOk* PrintWindow() const { return frmPrintOk_; }
  TfrmRenshu* PracticeWindow() { return frmRenshu_.Get(); }

  // "学　習": the practice window on the sheet in front, or on a unit chosen
  // in the course menu first.
  void btnTestClick();
  const PrintSettings& PrintChoices() const { return printSettings_; }

  // "印　刷" and the sheet menu "印刷(&P)": the print dialog for the current sheet.
  void btnStartPrintClick();
  // "印字モードの設定(&P)".
  void mnuPrintModeClick();
  // "保　存": the save choices beside the button.
  void btnSaveClick();
  // "上書き保存" and the sheet menu "上書き保存(&S)".
  void btnSaveMasterClick();
  // "名前を付けて保存".
  void btnSaveCopyClick();
  // A copy file saved earlier, opened as a sheet again.
  void mnuOpenCopyClick();
  // Opens a web page outside the program; calls `failed` when no browser took it.
  using BrowserLauncher = std::function<void(const QUrl&, std::function<void()> failed)>;
  void SetBrowserLauncher(BrowserLauncher launcher) { openInBrowser_ = std::move(launcher); }
  TfrmHelp* HelpWindow() const { return frmHelp_; }
  // For the editors: a whole file's lines edited as text.
  TfrmEditSource* SourceEditor() { return frmEditSource_.Get(); }
  // "目次作成(&C)": the index editor, refused while a worksheet is open.
  void mnuMakeIndexClick();
  TfrmEditIndex* IndexEditorWindow() { return frmEditIndex_.Get(); }
  TfrmEditQues* QuestionEditor() { return frmEditQues_.Get(); }
  // "編　集" and the sheet menu "編集(&E)": the current sheet's unit in the
  // question editor; on OK the sheet is opened anew with the edits.
  void btnEditClick();

  // "学習者": the name window; true when a learner signed on.
  bool btnLogOnClick();
  TfrmInputName* InputNameWindow() { return frmInputName_.Get(); }
  // The records viewer, for the course menu and the practice window:
  // ShowRecords(lesson, learner, unit section) shows it modally.
  TfrmKiroku* RecordsWindow() { return frmKiroku_.Get(); }
  // "学級の記録(&R)": the class overview, on the course menu's lesson.
  void mnuClassRecordsClick();
  TfrmClassRecords* ClassRecordsWindow() { return frmClassRecords_.Get(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // StartUpView
  Status SetTitlePicture(const std::filesystem::path& file) override;
  void SetTipsNextTime(bool ticked) override;
  void ShowTips() override;
  void SetLessons(const std::vector<std::string>& captions) override;
  void ApplyPaper(const PaperChoice& paper) override;
  void ShowTitleWindow() override;
  void ApplyLearnerName(const std::string& name) override;
  void ApplyKeyLock(bool locked) override;

  // SheetWindows, and PracticeWindows where the two ask the same
  PictureFiles SheetPictureFiles() override;
  void CreateSheet(OpenedSheet sheet, const CourseMenuChoice& choice) override;
  void BringSheetToFront(const std::string& identity) override;
  bool CloseSheetWindow(const std::string& identity) override;
  std::optional<std::string> CurrentSheet() const override;
  void DiscardChanges(const std::string& identity) override;
  void SetCurrentSheetPaper(int paperWidth) override;

  // PracticeWindows
  void ScrollSheetToTop() override;
  void ShowLearnerName(bool shown) override;
  void ShowPractice() override;
  void RedrawSheet() override;

  // SheetHost
  PageRenderer& Renderer() override { return renderer_; }
  PageSettings PageSettingsFor(const TfrmPrint& sheet) override;
  int NextSheetNumber() const override { return printSettings_.startNumber; }
  bool QueryCloseSheet(TfrmPrint& sheet) override;
  void SheetClosed(TfrmPrint& sheet) override;
  bool TeacherMode() const override { return !state_.KeyLock(); }
  bool ReducedView() const override { return state_.ReducedView(); }
  void SetReducedView(bool reduced) override { state_.SetReducedView(reduced); }

  // The open worksheet window of the document with that identity.
  TfrmPrint* FindSheet(const std::string& identity) const;
  void SheetActivated(TfrmPrint* sheet);
  void ChangeCurrentSheet(const std::function<void(SheetParams&)>& change, bool marksModified);
  // Shows a changed view value wherever it is shown.
  void ShowViewChange(ViewChange change);
  void ToggleAnswerDisplay();
  void ToggleReducedView();
  void ScrollCurrentSheet();
  // The height worksheets fill: the tool panel's.
  int ChildAreaHeight() const;
  // Opens the course's help on its contents (context 0) or on a topic.
  void ShowHelp(int context);
  // Ctrl+S: over its unit, or a copy sheet as a copy.
  void SaveSheetInFront();

  void CreateToolPanel();
  void CreateHiddenOperations();
  void CreateMenus();
  void CreateSheetMenus();
  void UpdateMenus();
  void CreateSideWindows();
  void CreatePracticeWindow();
  void CreateEditors();
  // The question editor making a unit that "開  く " did not find.
  bool CreateMissingUnit(const CourseMenuChoice& choice);

  void UpdateWindowMenu();
  void mnuJukuClick();
  void mnuHosokuClick();
  void mnuSetPaperClick();
  void btnKranClick();
  void SyncTitleWindow();
  // A learner has signed on: the name field, the course menu's marks and the
  // name line of the sheet in front follow.
  void LearnerSignedOn(const std::string& name);
  // The lesson the course menu has chosen, 1 before any.
  int CurrentLesson() const;
  bool PrintAllUnitsView(const QImage& image);
  void OpenInDesktopBrowser(const QUrl& url, std::function<void()> failed);

  SettingsStore& settings_;
  Dialogs& dialogs_;
  AppState state_;
  AnswerBoxRegistry registry_;
  PageRenderer renderer_{registry_};
  std::unique_ptr<QImageProvider> images_;
  QPointer<TfrmPrint> currentSheet_;
  // The sheet a practice runs on: the one in front when it starts.
  QPointer<TfrmPrint> practisedSheet_;
  // Cleared while a sheet asks whether to save: activations then change nothing.
  bool activationSync_ = true;

  QMdiArea* mdiArea_ = nullptr;
  ToolPanel* toolPanel_ = nullptr;

  // Hidden operations other windows call.
  QPushButton* btnShukusho_ = nullptr;
  QPushButton* btnScroll_ = nullptr;

  // Menus.
  QMenu* mnuFile_ = nullptr;
  QMenu* mnuEdit_ = nullptr;
  QMenu* mnuWindow_ = nullptr;
  QMenu* mnuHelp_ = nullptr;
  QAction* mnuDoYouKnow_ = nullptr;
  QMenu* mnuSheetFile_ = nullptr;
  QMenu* mnuSheetEdit_ = nullptr;
  QMenu* mnuSheetView_ = nullptr;
  QMenu* mnuSheetSettings_ = nullptr;
  QAction* mnuSheetAnswers_ = nullptr;
  std::vector<QAction*> windowItems_;

  // Side windows, created once and reused; the lazy ones when first needed.
  TfrmMenu* frmMenu_ = nullptr;
  TfrmZenTangen* frmZenTangen_ = nullptr;
  LazyWindow<TfrmVersion> frmVersion_;
  LazyWindow<TfrmSetPaper> frmSetPaper_;
  LazyWindow<TfrmEditSource> frmEditSource_;
  LazyWindow<TfrmInputText> frmInputText_;
  LazyWindow<TfrmEditIndex> frmEditIndex_;
  LazyWindow<TfrmEditQues> frmEditQues_;
  TfrmSettei* frmSettei_ = nullptr;
  TfrmPrintMode* frmPrintMode_ = nullptr;
  TfrmPrintOk* frmPrintOk_ = nullptr;
  LazyWindow<TfrmRenshu> frmRenshu_;
  // The print-mode dialog's choices and whether a print job is running.
  PrintSettings printSettings_;
  QAction* mnuSheetSave_ = nullptr;
  TfrmDummy* frmDummy_ = nullptr;
  TfrmJuku* frmJuku_ = nullptr;
  TfrmDoYouKnow* frmDoYouKnow_ = nullptr;
  LazyWindow<TfrmInputName> frmInputName_;
  LazyWindow<TfrmKiroku> frmKiroku_;
  LazyWindow<TfrmClassRecords> frmClassRecords_;
  // Parentless, so that a modal window of the main window (the tips) does not
  // block it; deleted with the main window.
  TfrmHelp* frmHelp_ = nullptr;
  BrowserLauncher openInBrowser_;
};

}  // namespace tavolo
