#include "gui/app/frm_main.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "app/answer_box_settings.h"
#include "app/help_pages.h"
#include "app/sheet_saving.h"
#include "content/file_checks.h"
#include "content/unit_names.h"
#include "gui/app/frm_do_you_know.h"
#include "gui/app/frm_dummy.h"
#include "gui/app/frm_edit_source.h"
#include "gui/app/frm_help.h"
#include "gui/app/frm_juku.h"
#include "gui/app/frm_menu.h"
#include "gui/app/frm_print.h"
#include "gui/app/frm_set_paper.h"
#include "gui/app/frm_settei.h"
#include "gui/app/frm_version.h"
#include "gui/app/frm_zen_tangen.h"
#include "gui/app/glyphs.h"
#include "gui/app/qt_text.h"
#include "gui/sheet/frm_print_mode.h"
#include "gui/sheet/frm_print_ok.h"
#include "gui/sheet/printable_sheet.h"
#include "gui/sheet/qimage_provider.h"
#include "platform/text_file.h"
#include "sheet/sheet_pictures.h"

namespace tavolo {

namespace {

// Colours of the panels, as the course material's screens have them.
const QColor kToolPanelColour(0xFF, 0xFF, 0xF0);
const QColor kPaperPanelColour(0xE0, 0xE0, 0xE0);

constexpr int kToolPanelWidth = 128;
constexpr int kButtonHeight = 30;
// The main window leaves this much of the screen's height free (a task bar).
constexpr int kScreenHeightReserve = 28;

void Colour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace

TfrmMain::TfrmMain(SettingsStore& settings, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      dialogs_(dialogs),
      images_(std::make_unique<QImageProvider>()) {
  registry_.SetRegistering(true);
  setObjectName("frmMain");
  setWindowTitle(ToQString(kApplicationTitle));
  setWindowIcon(ProgramIcon());

  auto* central = new QWidget(this);
  central->setObjectName("pnlClient");
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  CreateToolPanel();
  layout->addWidget(pnlMain_);
  mdiArea_ = new QMdiArea(central);
  mdiArea_->installEventFilter(this);
  mdiArea_->setObjectName("mdiArea");
  layout->addWidget(mdiArea_, 1);
  setCentralWidget(central);
  pnlMain_->setParent(central);

  CreateHiddenHolders();
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
  // The title window has no parent until start-up shows it.
  if (!frmDummy_->parent()) delete frmDummy_;
}

QPushButton* TfrmMain::AddButton(const char* objectName, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), pnlMain_);
  button->setObjectName(objectName);
  button->setMinimumHeight(kButtonHeight);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

void TfrmMain::CreateToolPanel() {
  pnlMain_ = new QFrame(this);
  pnlMain_->setObjectName("pnlMain");
  pnlMain_->setFrameShape(QFrame::StyledPanel);
  pnlMain_->setFixedWidth(kToolPanelWidth);
  Colour(pnlMain_, kToolPanelColour);

  btnLock_ = AddButton("btnLock", "先生用");
  btnLock_->setToolTip(QStringLiteral("編集機能のON/OFF"));
  btnLock_->setIconSize(QSize(24, 24));
  btnFpClose_ = AddButton("btnFpClose", "閉じる");
  btnOpenMaster_ = AddButton("btnOpenMaster", "開  く ");
  btnSave_ = AddButton("btnSave", "保　存");
  btnStartPrint_ = AddButton("btnStartPrint", "印　刷");
  btnEdit_ = AddButton("btnEdit", "編　集");
  btnTest_ = AddButton("btnTest", "学　習");
  btnLogOn_ = AddButton("btnLogOn", "学習者");
  edtLogOnName_ = new QLineEdit(pnlMain_);
  edtLogOnName_->setObjectName("edtLogOnName");
  edtLogOnName_->setReadOnly(true);
  edtLogOnName_->setFocusPolicy(Qt::NoFocus);
  edtLogOnName_->setAlignment(Qt::AlignCenter);
  btnKaitou_ = AddButton("btnKaitou", "解答表示");
  btnKaitou_->setIconSize(QSize(16, 16));
  btnKaitou_->setIcon(AnswerGlyph(state_.answerDisplay));
  chkBekkai_ = new QCheckBox(QStringLiteral("別解表示"), pnlMain_);
  chkBekkai_->setObjectName("chkBekkai");
  chkBekkai_->setChecked(true);
  btnKran_ = AddButton("btnKran", "解答欄　");

  lblGyouSpace_ = new QLabel(QStringLiteral("主行間"), pnlMain_);
  lblGyouSpace_->setObjectName("lblGyouSpace");
  spnGyouSpace_ = new QSpinBox(pnlMain_);
  spnGyouSpace_->setObjectName("spnGyouSpace");
  spnGyouSpace_->setRange(-5, 200);
  spnGyouSpace_->setValue(30);
  lblMoji_ = new QLabel(QStringLiteral("文　字"), pnlMain_);
  lblMoji_->setObjectName("lblMoji");
  lblSize_ = new QLabel(QStringLiteral("サイズ"), pnlMain_);
  lblSize_->setObjectName("lblSize");
  spnMojiSize_ = new QSpinBox(pnlMain_);
  spnMojiSize_->setObjectName("spnMojiSize");
  spnMojiSize_->setRange(8, 50);
  spnMojiSize_->setValue(10);

  pnlCopy_ = new QFrame(pnlMain_);
  pnlCopy_->setObjectName("pnlCopy");
  pnlCopy_->setFrameShape(QFrame::StyledPanel);
  btnCopy_ = new QPushButton(QStringLiteral("コピー"), pnlCopy_);
  btnCopy_->setObjectName("btnCopy");
  btnCancel_ = new QPushButton(QStringLiteral("キャンセル"), pnlCopy_);
  btnCancel_->setObjectName("btnCancel");
  // Nothing is selected on a worksheet yet.
  btnCopy_->setEnabled(false);
  btnCancel_->setEnabled(false);
  auto* copyLayout = new QVBoxLayout(pnlCopy_);
  copyLayout->setContentsMargins(4, 4, 4, 4);
  copyLayout->addWidget(btnCopy_);
  copyLayout->addWidget(btnCancel_);

  auto* spins = new QGridLayout;
  spins->addWidget(lblGyouSpace_, 0, 0, 1, 1);
  spins->addWidget(spnGyouSpace_, 0, 1, 1, 1);
  auto* mojiLabels = new QVBoxLayout;
  mojiLabels->setSpacing(0);
  mojiLabels->addWidget(lblMoji_);
  mojiLabels->addWidget(lblSize_);
  spins->addLayout(mojiLabels, 1, 0, 1, 1);
  spins->addWidget(spnMojiSize_, 1, 1, 1, 1);

  auto* panel = new QVBoxLayout(pnlMain_);
  panel->setContentsMargins(6, 6, 6, 6);
  panel->setSpacing(4);
  panel->addWidget(btnLock_);
  panel->addSpacing(8);
  panel->addWidget(btnFpClose_);
  panel->addWidget(btnOpenMaster_);
  panel->addWidget(btnSave_);
  panel->addWidget(btnStartPrint_);
  panel->addWidget(btnEdit_);
  panel->addSpacing(8);
  panel->addWidget(btnTest_);
  panel->addWidget(btnLogOn_);
  panel->addWidget(edtLogOnName_);
  panel->addSpacing(8);
  panel->addWidget(btnKaitou_);
  panel->addWidget(chkBekkai_);
  panel->addWidget(btnKran_);
  panel->addLayout(spins);
  panel->addWidget(pnlCopy_);
  panel->addStretch(1);

  // The save choices float beside the save button when it is pressed.
  pnlSave_ = new QFrame(this);
  pnlSave_->setObjectName("pnlSave");
  pnlSave_->setFrameShape(QFrame::Panel);
  pnlSave_->setFrameShadow(QFrame::Raised);
  Colour(pnlSave_, kToolPanelColour);
  btnSaveMaster_ = new QPushButton(QStringLiteral("上書き保存"), pnlSave_);
  btnSaveMaster_->setObjectName("btnSaveMaster");
  btnSaveCopy_ = new QPushButton(QStringLiteral("名前を付けて保存"), pnlSave_);
  btnSaveCopy_->setObjectName("btnSaveCopy");
  auto* saveLayout = new QVBoxLayout(pnlSave_);
  saveLayout->setContentsMargins(4, 4, 4, 4);
  saveLayout->addWidget(btnSaveMaster_);
  saveLayout->addWidget(btnSaveCopy_);
  pnlSave_->adjustSize();
  pnlSave_->hide();

  // What the editors, practice and sign-on bring is not part of this program
  // yet: the buttons are in place but do nothing.
  for (QWidget* later : std::initializer_list<QWidget*>{btnEdit_, btnTest_, btnLogOn_})
    later->setEnabled(false);
  for (QWidget* hides : std::initializer_list<QWidget*>{pnlMain_, btnStartPrint_, btnKran_,
                                                        btnSaveMaster_, btnSaveCopy_})
    hides->installEventFilter(this);
  connect(btnStartPrint_, &QPushButton::clicked, this, &TfrmMain::btnStartPrintClick);
  // "コピー" and "キャンセル" act on the current sheet's selection.
  connect(btnCopy_, &QPushButton::clicked, this, [this] {
    if (currentSheet_) currentSheet_->CopySelection();
    setFocus();
  });
  connect(btnCancel_, &QPushButton::clicked, this, [this] {
    if (currentSheet_) currentSheet_->CancelSelection();
    setFocus();
  });
  connect(btnSave_, &QPushButton::clicked, this, &TfrmMain::btnSaveClick);
  connect(btnSaveMaster_, &QPushButton::clicked, this, &TfrmMain::btnSaveMasterClick);
  connect(btnSaveCopy_, &QPushButton::clicked, this, &TfrmMain::btnSaveCopyClick);

  connect(btnLock_, &QPushButton::clicked, this, &TfrmMain::btnLockClick);
  connect(btnOpenMaster_, &QPushButton::clicked, this, [this] {
    OpenUnitFromMenu();
    setFocus();
  });
  connect(btnFpClose_, &QPushButton::clicked, this, &TfrmMain::CloseCurrentSheet);
  connect(btnKran_, &QPushButton::clicked, this, &TfrmMain::btnKranClick);
  connect(spnGyouSpace_, &QSpinBox::valueChanged, this, [this](int value) {
    ChangeCurrentSheet([value](SheetParams& p) { p.lineSpacing = value; }, true);
  });
  connect(spnMojiSize_, &QSpinBox::valueChanged, this, [this](int value) {
    ChangeCurrentSheet(
        [value](SheetParams& p) {
          p.charSize = value;
          p.halfWidthFont.size = value;
        },
        true);
  });
  connect(btnKaitou_, &QPushButton::clicked, this, [this] {
    if (!currentSheet_) return;
    state_.answerDisplay = !state_.answerDisplay;
    ShowAnswerDisplay();
    const bool shown = state_.answerDisplay;
    ChangeCurrentSheet([shown](SheetParams& p) { p.answerDisplay = shown; }, false);
  });
  connect(chkBekkai_, &QCheckBox::toggled, this,
          [this] { ChangeCurrentSheet([](SheetParams&) {}, false); });
}

void TfrmMain::CreateHiddenHolders() {
  pnlSize_ = new QFrame(this);
  pnlSize_->setObjectName("pnlSize");
  Colour(pnlSize_, kPaperPanelColour);
  auto* paperLayout = new QHBoxLayout(pnlSize_);
  const std::pair<QRadioButton**, const char*> papers[] = {
      {&radB5_, "radB5"}, {&radA4_, "radA4"}, {&radB4_, "radB4"}, {&radA3_, "radA3"}};
  for (const auto& [member, name] : papers) {
    *member = new QRadioButton(QString::fromUtf8(name + 3), pnlSize_);
    (*member)->setObjectName(name);
    paperLayout->addWidget(*member);
  }
  radA4_->setChecked(true);
  pnlSize_->hide();

  btnShukusho_ = new QPushButton(QStringLiteral("縮小"), this);
  btnShukusho_->setObjectName("btnShukusho");
  btnShukusho_->hide();
  btnScroll_ = new QPushButton(this);
  btnScroll_->setObjectName("btnScroll");
  btnScroll_->hide();
  connect(btnShukusho_, &QPushButton::clicked, this, [this] { btnShukushoClick(); });
  connect(btnScroll_, &QPushButton::clicked, this, [this] {
    if (currentSheet_) currentSheet_->ScrollTopOrBottom();
  });
}

void TfrmMain::CreateMenus() {
  mnuFile_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  mnuFile_->setObjectName("mnuFile");
  QAction* open = mnuFile_->addAction(QStringLiteral("開く(&O)"));
  open->setObjectName("mnuOpen");
  connect(open, &QAction::triggered, this, [this] { OpenUnitFromMenu(); });
  QAction* openCopy = mnuFile_->addAction(QStringLiteral("コピーファイルを開く(&P)..."));
  openCopy->setObjectName("mnuOpenCopy");
  connect(openCopy, &QAction::triggered, this, &TfrmMain::mnuOpenCopyClick);
  QAction* exit = mnuFile_->addAction(QStringLiteral("終了(&X)"));
  exit->setObjectName("mnuExit");
  connect(exit, &QAction::triggered, this, &QWidget::close);

  mnuEdit_ = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  mnuEdit_->setObjectName("mnuEdit");
  QAction* makeIndex = mnuEdit_->addAction(QStringLiteral("目次作成(&C)"));
  makeIndex->setObjectName("mnuMakeIndex");
  makeIndex->setEnabled(false);  // with the index editor
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
  connect(item(mnuSheetFile_, "コピーファイルを開く(&P)...", "mnuSheetOpenCopy"),
          &QAction::triggered, this, &TfrmMain::mnuOpenCopyClick);
  mnuSheetSave_ = item(mnuSheetFile_, "上書き保存(&S)", "mnuSheetSave");
  connect(mnuSheetSave_, &QAction::triggered, this, &TfrmMain::btnSaveMasterClick);
  connect(item(mnuSheetFile_, "印刷(&P)", "mnuSheetPrint"), &QAction::triggered, this,
          &TfrmMain::btnStartPrintClick);
  connect(item(mnuSheetFile_, "閉じる(&C)", "mnuSheetClose"), &QAction::triggered, this,
          &TfrmMain::CloseCurrentSheet);
  connect(item(mnuSheetFile_, "終了(&X)", "mnuSheetExit"), &QAction::triggered, this,
          &QWidget::close);

  mnuSheetEdit_ = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  mnuSheetEdit_->setObjectName("mnuSheetEdit");
  connect(item(mnuSheetEdit_, "目次作成(&C)", "mnuSheetMakeIndex"), &QAction::triggered, this,
          &TfrmMain::mnuMakeIndexClick);
  connect(item(mnuSheetEdit_, "学校名・塾名(&J)", "mnuSheetJuku"), &QAction::triggered, this,
          &TfrmMain::mnuJukuClick);
  item(mnuSheetEdit_, "編集(&E)", "mnuSheetEditUnit", false);  // with the editor
  connect(item(mnuSheetEdit_, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&B)", "mnuSheetClipboard"), &QAction::triggered,
          this, [this] {
            if (currentSheet_) currentSheet_->CopyWholePage();
          });

  mnuSheetView_ = menuBar()->addMenu(QStringLiteral("表示(&V)"));
  mnuSheetView_->setObjectName("mnuSheetView");
  mnuSheetAnswers_ = item(mnuSheetView_, "解答表示(&A)", "mnuSheetAnswers");
  mnuSheetAnswers_->setCheckable(true);
  connect(mnuSheetAnswers_, &QAction::triggered, this, [this] { btnKaitou_->click(); });
  connect(mnuSheetView_, &QMenu::aboutToShow, this, [this] {
    mnuSheetAnswers_->setEnabled(btnKaitou_->isEnabled());
    mnuSheetAnswers_->setChecked(state_.answerDisplay);
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
  const bool teacher = !state_.keyLock;
  mnuFile_->menuAction()->setVisible(teacher && !sheet);
  mnuEdit_->menuAction()->setVisible(teacher && !sheet);
  mnuSheetFile_->menuAction()->setVisible(teacher && sheet);
  mnuSheetEdit_->menuAction()->setVisible(teacher && sheet);
  mnuSheetView_->menuAction()->setVisible(sheet);
  mnuSheetSettings_->menuAction()->setVisible(sheet);
  // Only a sheet of a question file can be saved over its unit.
  mnuSheetSave_->setEnabled(sheet && currentSheet_->Document().master);
}

void TfrmMain::CreateSideWindows() {
  frmMenu_ = new TfrmMenu(state_, dialogs_, this);
  frmZenTangen_ = new TfrmZenTangen(
      frmMenu_->Menu(), dialogs_, [this](const QImage& image) { PrintOnDefaultPrinter(image); },
      this);
  frmMenu_->SetAllUnitsView([this] { frmZenTangen_->ShowView(geometry()); });
  frmVersion_ = new TfrmVersion(this);
  frmEditSource_ = new TfrmEditSource([this](int context) { ShowHelp(context); }, this);
  frmSetPaper_ = new TfrmSetPaper(this);
  frmSettei_ = new TfrmSettei(
      TfrmSettei::Host{[this](std::function<void(SheetParams&)> change, bool marksModified) {
                         ChangeCurrentSheet(change, marksModified);
                       },
                       [this] { return btnShukushoClick(); }, [this] { btnScroll_->click(); }},
      this);
  frmDummy_ = new TfrmDummy;
  frmJuku_ = new TfrmJuku(this);
  frmDoYouKnow_ = new TfrmDoYouKnow(
      settings_, [this](int context) { ShowHelp(context); }, this);
  frmHelp_ = new TfrmHelp(this);
  frmPrintMode_ = new TfrmPrintMode(printSettings_, settings_, this);
  frmPrintMode_->SetRedraw([this] {
    if (currentSheet_) currentSheet_->Redraw();
  });
  frmPrintOk_ = new TfrmPrintOk(printSettings_, dialogs_, this);
}

// The all-units view goes to the default printer as it looks, page-wide.
void TfrmMain::PrintOnDefaultPrinter(const QImage& image) {
  if (QPrinterInfo::defaultPrinter().isNull()) {
    dialogs_.Inform("プリンタが見つかりません");
    return;
  }
  QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
  QPainter painter;
  if (!painter.begin(&printer)) {
    dialogs_.Inform("印刷を開始できません");
    return;
  }
  const QRect page = painter.viewport();
  const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.drawImage(QRect(page.topLeft(), size), image);
  painter.end();
}

int TfrmMain::ChildAreaWidth() const { return width() - pnlMain_->width() - 10; }

int TfrmMain::ChildAreaHeight() const { return pnlMain_->height(); }

StartUpOutcome TfrmMain::StartUp(const StartUpPlaces& places) {
  const StartUpOutcome outcome = RunStartUp(state_, settings_, dialogs_, *this, places);
  // The school-name field starts from the stored name: an OK on an empty
  // field would otherwise wipe the title of every worksheet.
  frmJuku_->SchoolEdit()->setText(ToQString(state_.schoolName));
  return outcome;
}

Status TfrmMain::SetTitlePicture(const std::filesystem::path& file) {
  return frmDummy_->SetTitlePicture(file);
}

void TfrmMain::SetTipsNextTime(bool ticked) { frmDoYouKnow_->NextTimeBox()->setChecked(ticked); }

void TfrmMain::ShowTips() { frmDoYouKnow_->exec(); }

// The course menu lists what the application state's course index holds.
void TfrmMain::SetLessons(const std::vector<std::string>&) { frmMenu_->ShowLessons(); }

void TfrmMain::ApplyPaper(const PaperChoice& paper) {
  switch (paper.button) {
    case PaperSize::B5:
      radB5_->setChecked(true);
      break;
    case PaperSize::A4:
      radA4_->setChecked(true);
      break;
    case PaperSize::B4:
      radB4_->setChecked(true);
      break;
    case PaperSize::A3:
      radA3_->setChecked(true);
      break;
  }
  btnKaitou_->setEnabled(true);
  ShowAnswerDisplay();
}

void TfrmMain::ShowAnswerDisplay() { btnKaitou_->setIcon(AnswerGlyph(state_.answerDisplay)); }

void TfrmMain::ShowTitleWindow() {
  frmDummy_->setWindowTitle(ToQString(state_.course.title));
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
  frmDummy_->PlaceTitleButton(QPoint((screenWidth - pnlMain_->width() - button.width() - 20) / 2,
                                     (height() - button.height() - 100) / 2));
}

void TfrmMain::ApplyLearnerName(const std::string& name) {
  edtLogOnName_->setText(ToQString(name));
}

void TfrmMain::ApplyKeyLock(bool locked) {
  btnLock_->setIcon(LockGlyph(locked));
  btnLock_->setText(locked ? QStringLiteral("生徒用") : QStringLiteral("先生用"));
  for (QWidget* teacherTool : std::initializer_list<QWidget*>{
           btnFpClose_, btnOpenMaster_, btnSave_, btnStartPrint_, btnEdit_, btnKran_, chkBekkai_,
           btnKaitou_, spnGyouSpace_, spnMojiSize_, pnlCopy_, lblGyouSpace_, lblMoji_, lblSize_})
    teacherTool->setVisible(!locked);
  if (locked) pnlSave_->hide();
  mnuWindow_->menuAction()->setVisible(!locked);
  UpdateMenus();
  mnuDoYouKnow_->setVisible(!locked);
  (locked ? btnTest_ : btnOpenMaster_)->setFocus();
}

void TfrmMain::btnLockClick() {
  SetKeyLock(state_, settings_, !state_.keyLock);
  ApplyKeyLock(state_.keyLock);
  setFocus();
}

void TfrmMain::UpdateWindowMenu() {
  const bool anySheet = !state_.openSheets.empty();
  for (QAction* item : windowItems_) item->setEnabled(anySheet);
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
      state_, [this] { return frmMenu_->ShowOpen(geometry()); }, *this, dialogs_);
  UpdateWindowMenu();
  return opened;
}

OpenResult TfrmMain::OpenUnit(const CourseMenuChoice& choice, bool replace) {
  const OpenResult result = tavolo::OpenUnit(state_, choice, replace, *this, dialogs_);
  UpdateWindowMenu();
  return result;
}

void TfrmMain::CreateSheet(SheetDocument document, const CourseMenuChoice& choice) {
  std::vector<std::string> problems;
  SheetPictures pictures =
      LoadSheetPictures(document.params, FigureFolder(state_.course, choice.address.lesson),
                        ClassFlagFile(), *images_, problems);
  if (!problems.empty()) {
    std::string message;
    for (const std::string& problem : problems) message += (message.empty() ? "" : "\n") + problem;
    dialogs_.Inform(message);
  }
  // A copy file goes by its own file name in the sheet-number line.
  std::string shortName = document.master
                              ? ShortUnitName(state_.course, choice.address)
                              : PathText(std::filesystem::path(document.filePath).filename());
  auto* sheet =
      new TfrmPrint(*this, std::move(document), choice, std::move(shortName), std::move(pictures));
  // The title picture steps aside while worksheets fill the child area.
  frmDummy_->hide();
  connect(sheet, &TfrmPrint::selectionChanged, this, [this, sheet](bool hasSelection) {
    if (sheet == currentSheet_) ShowSelection(hasSelection);
  });
  mdiArea_->addSubWindow(sheet);
  sheet->setGeometry(0, 0, ChildAreaWidth(), ChildAreaHeight());
  sheet->show();
  mdiArea_->setActiveSubWindow(sheet);
  sheet->widget()->setFocus();
}

TfrmPrint* TfrmMain::FindSheet(const std::string& identity) const {
  const QString caption = ToQString(identity);
  for (QMdiSubWindow* window : mdiArea_->subWindowList())
    // A closed window lingers hidden until it is deleted: it is no open sheet.
    if (auto* sheet = qobject_cast<TfrmPrint*>(window);
        sheet && !sheet->isHidden() && sheet->windowTitle() == caption)
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

// The sheet's values become those of the shared controls; the controls'
// change signals meanwhile are not edits of the sheet.
void TfrmMain::SheetActivated(TfrmPrint* sheet) {
  // While a question is open or a print job runs, activations change nothing.
  if (!activationSync_ || !printSettings_.notPrinting) return;
  currentSheet_ = sheet;
  UpdateMenus();
  ShowSelection(sheet->HasSelection());
  SheetParams& params = sheet->Document().params;
  sheet->HoldRedraws(true);
  pushingSheet_ = true;
  state_.paper = PaperFromSetting(params.paperWidth);
  ApplyPaper(state_.paper);
  state_.answerDisplay = params.answerDisplay;
  ShowAnswerDisplay();
  spnGyouSpace_->setValue(params.lineSpacing);
  spnMojiSize_->setValue(params.charSize);
  frmSettei_->LoadFrom(params);
  sheet->SetReduced(reducedView_);
  params.ApplyPaper(state_.paper.width);
  pushingSheet_ = false;
  sheet->HoldRedraws(false);
  sheet->Redraw();
}

void TfrmMain::ChangeCurrentSheet(const std::function<void(SheetParams&)>& change,
                                  bool marksModified) {
  if (pushingSheet_ || !currentSheet_) return;
  currentSheet_->ChangeParams(change, marksModified);
}

PageSettings TfrmMain::PageSettingsFor(const TfrmPrint& sheet) {
  PageSettings settings;
  settings.showAlternatives = chkBekkai_->isChecked();
  // The printed number is the print-mode dialog's; the sheet's own start
  // number stays with the sheet and does not feed it.
  settings.sheetNumber = printSettings_.SheetNumber();
  settings.shortUnitName = sheet.ShortUnitName();
  settings.schoolName = state_.schoolName;
  settings.learnerName = state_.learnerName;
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
    ShowSelection(false);
  }
  UpdateWindowMenu();
  UpdateMenus();
  if (state_.openSheets.empty() && frmDummy_->mdiArea()) {
    frmDummy_->show();
    SyncTitleWindow();
  }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  CloseAllSheets();
  if (!state_.openSheets.empty()) {
    event->ignore();  // a sheet's save question was cancelled
    return;
  }
  frmHelp_->close();  // the program ends with this window, help included
  QMainWindow::closeEvent(event);
}

void TfrmMain::mnuMakeIndexClick() {
  if (!state_.openSheets.empty()) {
    dialogs_.Inform("開いているファイルをすべて閉じてください");
    return;
  }
}

void TfrmMain::mnuJukuClick() {
  // Without an open worksheet the field keeps what was last typed into it.
  std::optional<QString> current;
  if (!state_.openSheets.empty()) current = ToQString(state_.schoolName);
  if (auto school = frmJuku_->Ask(current)) {
    SetSchoolName(state_, settings_, ToStdString(*school));
    if (currentSheet_) currentSheet_->Redraw();  // the name line shows it
  }
  setFocus();
}

void TfrmMain::mnuSetPaperClick() {
  if (!currentSheet_) return;
  const auto choice = frmSetPaper_->Ask(currentSheet_->Document().params.headerOptions);
  if (!choice || !currentSheet_) return;
  state_.paper = PaperFromSetting(choice->paperWidth);
  ApplyPaper(state_.paper);
  WriteSettingInteger(settings_, "PaperSize", choice->paperWidth);
  const PaperAndOptions chosen = *choice;
  currentSheet_->ChangeParams(
      [chosen](SheetParams& p) {
        p.ApplyPaper(chosen.paperWidth);
        p.headerOptions = chosen.headerOptions;
      },
      true);
}

void TfrmMain::btnKranClick() {
  if (!currentSheet_) return;
  if (!state_.answerDisplay) btnKaitou_->click();  // the boxes are set while the answers show
  const QRect panel(pnlMain_->mapToGlobal(QPoint(0, 0)), pnlMain_->size());
  if (!frmSettei_->ShowFor(currentSheet_->Document().params, btnShukusho_->text(), panel)) return;
  if (!currentSheet_) return;
  const int width = frmSettei_->WidthValue();
  const int height = frmSettei_->HeightValue();
  currentSheet_->ChangeParams(
      [width, height](SheetParams& p) {
        SetKranValue(p, KranField::Width, width);
        SetKranValue(p, KranField::Height, height);
      },
      false);
  setFocus();
}

QString TfrmMain::btnShukushoClick() {
  reducedView_ = !reducedView_;
  btnShukusho_->setText(reducedView_ ? QStringLiteral("拡大") : QStringLiteral("縮小"));
  if (currentSheet_) currentSheet_->SetReduced(reducedView_);
  return btnShukusho_->text();
}

void TfrmMain::ShowHelp(int context) {
  const auto page = context == 0 ? HelpContentsPath(state_.courseFolder)
                                 : HelpTopicPath(state_.courseFolder, context);
  if (Status shown = frmHelp_->ShowPage(page); !shown) dialogs_.Inform(shown.message());
}

void TfrmMain::mnuHosokuClick() {
  const auto page = SupplementPagePath(state_.courseFolder);
  if (Status exists = RequireFile(page); !exists) {
    dialogs_.Inform(exists.message());
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(PathText(page)))))
    dialogs_.Inform("ファイル " + PathText(page) + " を開けません");
}

namespace {

// The current worksheet window as the print dialogs see it.
class SheetPrintSource final : public PrintableSheet {
 public:
  SheetPrintSource(TfrmPrint& sheet, PageRenderer& renderer, AnswerBoxRegistry& registry,
                   PageSettings settings, std::function<void()> leaveReducedView)
      : sheet_(sheet),
        renderer_(renderer),
        registry_(registry),
        settings_(std::move(settings)),
        leaveReducedView_(std::move(leaveReducedView)) {}

  PageRenderer& Renderer() override { return renderer_; }
  AnswerBoxRegistry& Registry() override { return registry_; }
  SheetPage Page() override { return sheet_.Page(); }
  PageSettings BaseSettings() override { return settings_; }
  std::string PaperName() const override {
    const SheetPaper* paper = FindPaperByWidth(sheet_.Document().params.paperWidth);
    return std::string(paper ? paper->name : "A4");
  }
  int StartNumber() const override { return sheet_.Document().params.startNumber; }
  void SetStartNumber(int number) override {
    sheet_.ChangeParams([number](SheetParams& p) { p.startNumber = number; });
  }
  void LeaveReducedView() override { leaveReducedView_(); }
  void Redraw() override { sheet_.Redraw(); }

 private:
  TfrmPrint& sheet_;
  PageRenderer& renderer_;
  AnswerBoxRegistry& registry_;
  PageSettings settings_;
  std::function<void()> leaveReducedView_;
};

}  // namespace

void TfrmMain::btnStartPrintClick() {
  pnlSave_->hide();
  if (TfrmPrint* sheet = CurrentSheetWindow()) {
    SheetPrintSource source(*sheet, renderer_, registry_, PageSettingsFor(*sheet), [this] {
      if (reducedView_) btnShukushoClick();
    });
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
  btnSaveMaster_->setEnabled(sheet->Document().master);
  // Beside the button: its right edge less 30, 5 above its top.
  const QPoint at = btnSave_->mapTo(this, QPoint(btnSave_->width() - 30, -5));
  pnlSave_->move(at);
  pnlSave_->raise();
  pnlSave_->show();
}

void TfrmMain::btnSaveMasterClick() {
  pnlSave_->hide();
  TfrmPrint* sheet = CurrentSheetWindow();
  if (sheet && sheet->Document().master) SaveMaster(sheet->Document(), dialogs_);
  setFocus();
}

void TfrmMain::btnSaveCopyClick() {
  pnlSave_->hide();
  if (TfrmPrint* sheet = CurrentSheetWindow()) {
    if (SaveCopyFile(sheet->Document(), state_, dialogs_) == SaveOutcome::Saved) {
      sheet->setWindowTitle(ToQString(sheet->Document().identity));
      UpdateMenus();
      UpdateWindowMenu();
    }
  }
  setFocus();
}

void TfrmMain::mnuOpenCopyClick() {
  tavolo::OpenCopyFile(state_, *this, dialogs_);
  setFocus();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter && pnlSave_->isVisible()) {
    if (watched == btnSaveMaster_ || watched == btnSaveCopy_) {
      static_cast<QWidget*>(watched)->setFocus();
    } else {
      pnlSave_->hide();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::ShowSelection(bool hasSelection) {
  btnCopy_->setEnabled(hasSelection);
  btnCancel_->setEnabled(hasSelection);
}

}  // namespace tavolo
