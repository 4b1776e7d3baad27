// The main window's tool panel: its buttons and spin boxes, the save panel
// that floats beside "保　存", and the actions behind them. Each acts on the
// worksheet in front.

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/answer_box_settings.h"
#include "app/sheet_saving.h"
#include "gui/app/frm_main.h"
#include "gui/app/frm_print.h"
#include "gui/app/frm_print_mode.h"
#include "gui/app/frm_print_ok.h"
#include "gui/app/frm_settei.h"
#include "gui/app/glyphs.h"
#include "gui/app/widget_helpers.h"
#include "gui/app/worksheet_printable.h"
#include "gui/sheet/qt_text.h"

namespace tavolo {

namespace {

constexpr int kToolPanelWidth = 128;
constexpr int kButtonHeight = 30;

}  // namespace

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
  edtLogOnName_->setAccessibleName(QStringLiteral("学習者の名前"));
  edtLogOnName_->setReadOnly(true);
  edtLogOnName_->setFocusPolicy(Qt::NoFocus);
  edtLogOnName_->setAlignment(Qt::AlignCenter);
  btnKaitou_ = AddButton("btnKaitou", "解答表示");
  btnKaitou_->setIconSize(QSize(16, 16));
  btnKaitou_->setIcon(AnswerGlyph(state_.AnswerDisplay()));
  chkBekkai_ = new QCheckBox(QStringLiteral("別解表示"), pnlMain_);
  chkBekkai_->setObjectName("chkBekkai");
  chkBekkai_->setChecked(true);
  btnKran_ = AddButton("btnKran", "解答欄　");

  lblGyouSpace_ = new QLabel(QStringLiteral("主行間"), pnlMain_);
  lblGyouSpace_->setObjectName("lblGyouSpace");
  spnGyouSpace_ = new QSpinBox(pnlMain_);
  spnGyouSpace_->setObjectName("spnGyouSpace");
  spnGyouSpace_->setAccessibleName(QStringLiteral("主行間"));
  spnGyouSpace_->setRange(kLineSpacingRange.low, kLineSpacingRange.high);
  spnGyouSpace_->setValue(30);
  lblMoji_ = new QLabel(QStringLiteral("文　字"), pnlMain_);
  lblMoji_->setObjectName("lblMoji");
  lblSize_ = new QLabel(QStringLiteral("サイズ"), pnlMain_);
  lblSize_->setObjectName("lblSize");
  spnMojiSize_ = new QSpinBox(pnlMain_);
  spnMojiSize_->setObjectName("spnMojiSize");
  spnMojiSize_->setAccessibleName(QStringLiteral("文字サイズ"));
  spnMojiSize_->setRange(kCharSizeRange.low, kCharSizeRange.high);
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

  connect(btnLogOn_, &QPushButton::clicked, this, &TfrmMain::btnLogOnClick);
  for (QWidget* hides : std::initializer_list<QWidget*>{pnlMain_, btnStartPrint_, btnKran_,
                                                        btnSaveMaster_, btnSaveCopy_})
    hides->installEventFilter(this);
  connect(btnStartPrint_, &QPushButton::clicked, this, &TfrmMain::btnStartPrintClick);
  connect(btnTest_, &QPushButton::clicked, this, &TfrmMain::btnTestClick);
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
  connect(btnEdit_, &QPushButton::clicked, this, &TfrmMain::btnEditClick);
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
  connect(btnKaitou_, &QPushButton::clicked, this, &TfrmMain::ToggleAnswerDisplay);
  connect(chkBekkai_, &QCheckBox::toggled, this,
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
  const QRect panel(pnlMain_->mapToGlobal(QPoint(0, 0)), pnlMain_->size());
  if (!frmSettei_->ShowFor(sheet->Document().params, sheet->PageOnScreen(), panel)) return;
  if (!sheet) return;
  const int width = frmSettei_->WidthValue();
  const int height = frmSettei_->HeightValue();
  sheet->ChangeParams(
      [width, height](SheetParams& p) {
        SetKranValue(p, KranField::Width, width);
        SetKranValue(p, KranField::Height, height);
      },
      false);
  setFocus();
}

void TfrmMain::ToggleReducedView() { state_.SetReducedView(!state_.ReducedView()); }

namespace {

// The current worksheet window as the print dialogs see it.
class SheetPrintSource final : public WorksheetPrintable {
 public:
  SheetPrintSource(TfrmPrint& sheet, PageRenderer& renderer, AnswerBoxRegistry& registry,
                   PageSettings settings, std::function<void()> leaveReducedView)
      : WorksheetPrintable(sheet),
        renderer_(renderer),
        registry_(registry),
        settings_(std::move(settings)),
        leaveReducedView_(std::move(leaveReducedView)) {}

  PageRenderer& Renderer() override { return renderer_; }
  AnswerBoxRegistry& Registry() override { return registry_; }
  PageSettings BaseSettings() override { return settings_; }
  void LeaveReducedView() override { leaveReducedView_(); }

 private:
  PageRenderer& renderer_;
  AnswerBoxRegistry& registry_;
  PageSettings settings_;
  std::function<void()> leaveReducedView_;
};

}  // namespace

void TfrmMain::btnStartPrintClick() {
  HideSavePanel();
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
  btnSaveMaster_->setEnabled(sheet->Document().master);
  // Beside the button: its right edge less 30, 5 above its top.
  const QPoint at = btnSave_->mapTo(this, QPoint(btnSave_->width() - 30, -5));
  pnlSave_->move(at);
  pnlSave_->raise();
  pnlSave_->show();
}

void TfrmMain::btnSaveMasterClick() {
  // The sheet in front when the button was pressed, whatever hiding the panel does.
  TfrmPrint* sheet = CurrentSheetWindow();
  HideSavePanel();
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
  HideSavePanel();
  if (sheet) {
    if (SaveCopyFile(sheet->Document(), state_, dialogs_) == SaveOutcome::Saved) {
      sheet->setWindowTitle(ToQString(sheet->Document().identity));
      UpdateMenus();
      UpdateWindowMenu();
    }
  }
  setFocus();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter && pnlSave_->isVisible()) {
    if (watched == btnSaveMaster_ || watched == btnSaveCopy_) {
      static_cast<QWidget*>(watched)->setFocus();
    } else {
      HideSavePanel();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::ShowSelection(bool hasSelection) {
  if (!hasSelection) KeepFocusOffSheets(pnlCopy_);
  btnCopy_->setEnabled(hasSelection);
  btnCancel_->setEnabled(hasSelection);
}

// A focused widget that hides or is disabled hands the focus to the next one
// in the focus chain, which may sit in another worksheet; the child area then
// brings that worksheet to the front and the tool panel would act on it. The
// main window takes the focus first, so only the user changes the front sheet.
void TfrmMain::KeepFocusOffSheets(QWidget* leaving) {
  const QWidget* focus = QApplication::focusWidget();
  if (focus && (focus == leaving || leaving->isAncestorOf(focus))) setFocus();
}

void TfrmMain::HideSavePanel() {
  KeepFocusOffSheets(pnlSave_);
  pnlSave_->hide();
}

}  // namespace tavolo
