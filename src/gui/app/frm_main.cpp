#include "gui/app/frm_main.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <filesystem>

#include "app/record_file.h"
#include "app/sheet_saving.h"
#include "content/unit_names.h"
#include "draw/qimage_provider.h"
#include "draw/qt_text.h"
#include "gui/app/frm_do_you_know.h"
#include "gui/app/frm_dummy.h"
#include "gui/app/frm_edit_source.h"
#include "gui/app/frm_help.h"
#include "gui/app/frm_juku.h"
#include "gui/app/frm_menu.h"
#include "gui/app/frm_print.h"
#include "gui/app/frm_print_mode.h"
#include "gui/app/frm_print_ok.h"
#include "gui/app/frm_set_paper.h"
#include "gui/app/frm_settei.h"
#include "gui/app/frm_version.h"
#include "gui/app/frm_zen_tangen.h"
#include "gui/app/glyphs.h"
#include "gui/app/redo_key.h"
#include "gui/app/tool_panel.h"
#include "gui/authoring/frm_edit_index.h"
#include "gui/authoring/frm_edit_ques.h"
#include "gui/authoring/frm_input_name.h"
#include "gui/authoring/frm_input_text.h"
#include "gui/practice/frm_class_records.h"
#include "gui/practice/frm_kiroku.h"
#include "gui/practice/frm_renshu.h"
#include "platform/text_file.h"
#include "sheet/sheet_edits.h"
#include "sheet/sheet_pictures.h"

namespace tavolo {

namespace {

// The main window leaves this much of the screen's height free (a task bar).
constexpr int kScreenHeightReserve = 28;

}  // namespace

TfrmMain::TfrmMain(SettingsStore& settings, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      dialogs_(dialogs),
      images_(std::make_unique<QImageProvider>()) {
  setObjectName("frmMain");
  setWindowTitle(ToQString(kApplicationTitle));
  setWindowIcon(ProgramIcon());
  InstallRedoKey();

  auto* central = new QWidget(this);
  central->setObjectName("pnlClient");
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  CreateToolPanel();
  layout->addWidget(toolPanel_);
  mdiArea_ = new QMdiArea(central);
  toolPanel_->HideSavePanelOnEnter(mdiArea_);
  mdiArea_->setObjectName("mdiArea");
  layout->addWidget(mdiArea_, 1);
  setCentralWidget(central);
  toolPanel_->setParent(central);

  CreateHiddenOperations();
  state_.SetViewListener([this](ViewChange change) { ShowViewChange(change); });
  CreateMenus();
  CreateSideWindows();

  // The whole screen, as the worksheets want every pixel of height.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.topLeft());
    resize(area.width(), std::max(area.height() - kScreenHeightReserve, 480));
  }
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
    if (window && window == frmDummy_) SyncTitleWindow();
    if (auto* sheet = qobject_cast<TfrmPrint*>(window)) SheetActivated(sheet);
  });
}

TfrmMain::~TfrmMain() {
  // The child windows outlive this object's members: no activation may reach
  // the state while they go.
  mdiArea_->disconnect(this);
  state_.SetViewListener(nullptr);
  // The title window has no parent until start-up shows it.
  if (!frmDummy_->parent()) delete frmDummy_;
  delete frmHelp_;
}

void TfrmMain::CreateSideWindows() {
  frmMenu_ = new TfrmMenu(state_, dialogs_, this);
  frmZenTangen_ = new TfrmZenTangen(
      frmMenu_->Menu(), dialogs_, [this](const QImage& image) { return PrintAllUnitsView(image); },
      this);
  frmMenu_->SetAllUnitsView([this] { frmZenTangen_->ShowView(geometry()); });
  frmVersion_ = LazyWindow<TfrmVersion>([this] { return new TfrmVersion(this); });
  frmEditSource_ = LazyWindow<TfrmEditSource>([this] {
    return new TfrmEditSource(
        dialogs_, [this](int context) { ShowHelp(context); }, this);
  });
  frmInputText_ = LazyWindow<TfrmInputText>([this] { return new TfrmInputText(this); });
  frmEditIndex_ = LazyWindow<TfrmEditIndex>([this] {
    return new TfrmEditIndex(
        state_, dialogs_, *frmInputText_,
        TfrmEditIndex::Host{[this](int context) { ShowHelp(context); },
                            [this](const std::string& path, int context,
                                   const std::vector<std::string>& lines, LinesCheck check) {
                              return frmEditSource_->Edit(path, context, lines, geometry(),
                                                          std::move(check));
                            },
                            [this] { frmMenu_->Menu().SetIndexChanged(); }},
        this);
  });
  CreateEditors();
  frmSetPaper_ = LazyWindow<TfrmSetPaper>([this] { return new TfrmSetPaper(this); });
  frmSettei_ = new TfrmSettei(
      TfrmSettei::Host{[this](std::function<void(SheetParams&)> change, bool marksModified) {
                         ChangeCurrentSheet(change, marksModified);
                       },
                       [this] { ToggleReducedView(); }, [this] { ScrollCurrentSheet(); }},
      this);
  frmDummy_ = new TfrmDummy;
  frmJuku_ = new TfrmJuku(this);
  frmDoYouKnow_ = new TfrmDoYouKnow(
      settings_, [this](int context) { ShowHelp(context); }, this);
  // Modal to the main window only: the help pages its buttons open stay usable.
  frmDoYouKnow_->setWindowModality(Qt::WindowModal);
  frmHelp_ = new TfrmHelp;
  openInBrowser_ = [this](const QUrl& url, std::function<void()> failed) {
    OpenInDesktopBrowser(url, std::move(failed));
  };
  frmPrintMode_ = new TfrmPrintMode(printSettings_, settings_, this);
  frmPrintMode_->SetRedraw([this] {
    if (currentSheet_) currentSheet_->Redraw();
  });
  frmPrintOk_ = new TfrmPrintOk(printSettings_, dialogs_, this);
  frmKiroku_ = LazyWindow<TfrmKiroku>([this] { return new TfrmKiroku(state_, dialogs_, this); });
  frmInputName_ = LazyWindow<TfrmInputName>([this] {
    return new TfrmInputName(
        state_, settings_, dialogs_,
        TfrmInputName::Host{[this] { return CurrentLesson(); },
                            [this](const std::string& name) { LearnerSignedOn(name); }},
        this);
  });
  frmClassRecords_ =
      LazyWindow<TfrmClassRecords>([this] { return new TfrmClassRecords(state_, dialogs_, this); });
  // The course menu's "記録表示": sign-on first when nobody is signed on.
  frmMenu_->SetRecordsView(TfrmMenu::RecordsView{
      [this] { return state_.LearnerName(); }, [this] { frmInputName_->ShowSignOn(); },
      [this](int lesson, const std::string& section) {
        return frmKiroku_->ShowRecords(lesson, state_.LearnerName(), section);
      }});
  CreatePracticeWindow();
}

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

bool TfrmMain::CreateMissingUnit(const CourseMenuChoice& choice) {
  return frmEditQues_->CreateUnit(state_.Course(), choice.address, choice.captions, geometry());
}

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

int TfrmMain::CurrentLesson() const { return std::max(frmMenu_->Menu().lesson(), 1); }

int TfrmMain::ChildAreaWidth() const { return width() - toolPanel_->width() - 10; }

int TfrmMain::ChildAreaHeight() const { return toolPanel_->height(); }

StartUpOutcome TfrmMain::StartUp(const StartUpPlaces& places) {
  const StartUpOutcome outcome = RunStartUp(state_, settings_, dialogs_, *this, places);
  // The school-name field starts from the stored name: an OK on an empty
  // field would otherwise wipe the title of every worksheet.
  frmJuku_->SchoolEdit()->setText(ToQString(state_.SchoolName()));
  return outcome;
}

Status TfrmMain::SetTitlePicture(const std::filesystem::path& file) {
  return frmDummy_->SetTitlePicture(file);
}

void TfrmMain::SetTipsNextTime(bool ticked) { frmDoYouKnow_->NextTimeBox()->setChecked(ticked); }

void TfrmMain::ShowTips() { frmDoYouKnow_->exec(); }

// The course menu lists what the application state's course index holds.
void TfrmMain::SetLessons(const std::vector<std::string>&) { frmMenu_->ShowLessons(); }

// Start-up has set the paper (the application state holds it) and the
// answer display: the answer button is usable from now on.
void TfrmMain::ApplyPaper(const PaperChoice&) {
  toolPanel_->EnableAnswerButton();
  ShowViewChange(ViewChange::AnswerDisplay);
}

// Every window that shows a view value follows it here.
void TfrmMain::ShowViewChange(ViewChange change) {
  switch (change) {
    case ViewChange::AnswerDisplay: {
      toolPanel_->ShowAnswerDisplay(state_.AnswerDisplay());
      const bool shown = state_.AnswerDisplay();
      ChangeCurrentSheet([shown](SheetParams& p) { SetSheetAnswerDisplay(p, shown); }, false);
      break;
    }
    case ViewChange::Alternatives:
      toolPanel_->ShowAlternatives(state_.ShowAlternatives());
      if (currentSheet_) currentSheet_->Redraw();
      break;
    case ViewChange::ReducedView:
      btnShukusho_->setText(ToQString(ZoomCaption(state_.ReducedView())));
      frmSettei_->ShowZoom(ToQString(ZoomCaption(state_.ReducedView())));
      if (currentSheet_) currentSheet_->ShowPage();
      break;
    case ViewChange::Paper:
      // The sheet in front carries its paper itself; nothing else shows it.
      break;
  }
}

void TfrmMain::ShowTitleWindow() {
  frmDummy_->setWindowTitle(ToQString(state_.Course().title));
  if (!frmDummy_->mdiArea()) mdiArea_->addSubWindow(frmDummy_);
  frmDummy_->show();
  SyncTitleWindow();
}

// The title window fills the child area and keeps its picture in the middle
// of the space right of the tool panel.
void TfrmMain::SyncTitleWindow() {
  frmDummy_->setGeometry(0, 0, ChildAreaWidth(), ChildAreaHeight());
  const QScreen* screen = this->screen();
  const int screenWidth = screen ? screen->geometry().width() : width();
  const QSize button = frmDummy_->TitleButtonSize();
  frmDummy_->PlaceTitleButton(QPoint((screenWidth - toolPanel_->width() - button.width() - 20) / 2,
                                     (height() - button.height() - 100) / 2));
}

void TfrmMain::ApplyLearnerName(const std::string& name) {
  toolPanel_->ShowLearnerName(ToQString(name));
}

void TfrmMain::ApplyKeyLock(bool locked) {
  toolPanel_->ShowKeyLock(locked);
  mnuWindow_->menuAction()->setVisible(!locked);
  UpdateMenus();
  mnuDoYouKnow_->setVisible(!locked);
}

void TfrmMain::CloseAllSheets() {
  tavolo::CloseAllSheets(state_, *this);
  UpdateWindowMenu();
}

void TfrmMain::CloseCurrentSheet() {
  if (currentSheet_) currentSheet_->close();
  setFocus();
}

bool TfrmMain::OpenUnitFromMenu() {
  const bool opened = tavolo::OpenUnitFromMenu(
      state_, [this] { return frmMenu_->ShowOpen(geometry()); }, *this, dialogs_,
      [this](const CourseMenuChoice& choice) { return CreateMissingUnit(choice); });
  UpdateWindowMenu();
  return opened;
}

OpenResult TfrmMain::OpenUnit(const CourseMenuChoice& choice, bool replace) {
  const OpenResult result = tavolo::OpenUnit(state_, choice, replace, *this, dialogs_);
  UpdateWindowMenu();
  return result;
}

PictureFiles TfrmMain::SheetPictureFiles() { return {*images_, ClassFlagFile()}; }

void TfrmMain::CreateSheet(OpenedSheet opened, const CourseMenuChoice& choice) {
  // A new sheet starts unjudged: no mark of an earlier sheet's run shows on it.
  registry_.ResetStatuses();
  auto* sheet =
      new TfrmPrint(*this, std::move(opened.document), choice, std::move(opened.shortName),
                    std::move(opened.pictures), std::move(opened.variants));
  // The title picture steps aside while worksheets fill the child area.
  frmDummy_->hide();
  connect(sheet, &TfrmPrint::selectionChanged, this, [this, sheet](bool hasSelection) {
    if (sheet == currentSheet_) toolPanel_->ShowSelection(hasSelection);
  });
  mdiArea_->addSubWindow(sheet);
  sheet->setGeometry(0, 0, ChildAreaWidth(), ChildAreaHeight());
  sheet->show();
  mdiArea_->setActiveSubWindow(sheet);
  sheet->widget()->setFocus();
}

TfrmPrint* TfrmMain::FindSheet(const std::string& identity) const {
  for (QMdiSubWindow* window : mdiArea_->subWindowList())
    // A closed window lingers hidden until it is deleted: it is no open sheet.
    if (auto* sheet = qobject_cast<TfrmPrint*>(window);
        sheet && !sheet->isHidden() && sheet->Document().identity == identity)
      return sheet;
  return nullptr;
}

void TfrmMain::BringSheetToFront(const std::string& identity) {
  if (TfrmPrint* sheet = FindSheet(identity)) {
    mdiArea_->setActiveSubWindow(sheet);
    sheet->raise();
  }
}

bool TfrmMain::CloseSheetWindow(const std::string& identity) {
  TfrmPrint* sheet = FindSheet(identity);
  return sheet && sheet->close();
}

TfrmPrint* TfrmMain::CurrentSheetWindow() const { return currentSheet_; }

std::optional<std::string> TfrmMain::CurrentSheet() const {
  if (!currentSheet_) return std::nullopt;
  return currentSheet_->Document().identity;
}

void TfrmMain::DiscardChanges(const std::string& identity) {
  if (TfrmPrint* sheet = FindSheet(identity)) sheet->Document().modified = false;
}

void TfrmMain::SetCurrentSheetPaper(int paperWidth) {
  if (!currentSheet_) return;
  state_.ShowPaper(PaperFromSetting(paperWidth));
  currentSheet_->ChangeParams([paperWidth](SheetParams& p) { p.ApplyPaper(paperWidth); }, false);
}

void TfrmMain::ScrollSheetToTop() {
  if (currentSheet_) currentSheet_->ScrollToTop();
}

void TfrmMain::ShowLearnerName(bool shown) {
  if (shown) practisedSheet_ = currentSheet_;
  if (!practisedSheet_) return;
  practisedSheet_->Document().showLearnerName = shown;
  practisedSheet_->Redraw();
}

void TfrmMain::ShowPractice() {
  if (practisedSheet_) frmRenshu_->ShowFor(*practisedSheet_, state_);
}

void TfrmMain::RedrawSheet() {
  if (practisedSheet_) practisedSheet_->Redraw();
}

// The sheet's values become those of the shared controls, which show them
// without taking them for edits; the answer display the program's state
// gives back is the sheet's own, and the sheet draws once at the end.
void TfrmMain::SheetActivated(TfrmPrint* sheet) {
  // While a question is open or a print job runs, activations change nothing.
  if (!activationSync_ || !printSettings_.notPrinting) return;
  currentSheet_ = sheet;
  UpdateMenus();
  toolPanel_->ShowSelection(sheet->HasSelection());
  SheetParams& params = sheet->Document().params;
  sheet->HoldRedraws(true);
  state_.ShowPaper(PaperFromSetting(params.paperWidth));
  state_.SetAnswerDisplay(params.answerDisplay);
  toolPanel_->ShowSheetValues(params.lineSpacing, params.charSize);
  frmSettei_->LoadFrom(params);
  params.ApplyPaper(state_.Paper().width);
  sheet->HoldRedraws(false);
  sheet->Redraw();
}

void TfrmMain::ChangeCurrentSheet(const std::function<void(SheetParams&)>& change,
                                  bool marksModified) {
  if (!currentSheet_) return;
  currentSheet_->ChangeParams(change, marksModified);
}

PageSettings TfrmMain::PageSettingsFor(const TfrmPrint& sheet) {
  PageSettings settings;
  settings.showAlternatives = state_.ShowAlternatives();
  // The printed number is the print-mode dialog's; the sheet's own start
  // number stays with the sheet and does not feed it.
  settings.sheetNumber = printSettings_.SheetNumber();
  settings.shortUnitName = sheet.ShortUnitName();
  if (const CopyVariants* variants = sheet.Variants())
    settings.fingerprint = variants->Fingerprint();
  settings.schoolName = state_.SchoolName();
  settings.learnerName = state_.LearnerName();
  settings.showLearnerName = sheet.Document().showLearnerName;
  return settings;
}

bool TfrmMain::QueryCloseSheet(TfrmPrint& sheet) {
  // While the question is open, activations (the question box itself takes
  // the focus) must not change the current sheet.
  activationSync_ = false;
  const bool mayClose = tavolo::QueryCloseSheet(sheet.Document(), state_, dialogs_);
  activationSync_ = true;
  return mayClose;
}

void TfrmMain::SheetClosed(TfrmPrint& sheet) {
  CloseSheet(sheet.Document(), state_);
  if (currentSheet_ == &sheet) {
    currentSheet_ = nullptr;
    toolPanel_->ShowSelection(false);
  }
  UpdateWindowMenu();
  UpdateMenus();
  if (state_.OpenSheets().empty() && frmDummy_->mdiArea()) {
    frmDummy_->show();
    SyncTitleWindow();
  }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  CloseAllSheets();
  if (!state_.OpenSheets().empty()) {
    event->ignore();  // a sheet's save question was cancelled
    return;
  }
  frmHelp_->close();  // the program ends with this window, help included
  QMainWindow::closeEvent(event);
}

}  // namespace tavolo
