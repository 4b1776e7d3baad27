#include "gui/app/tool_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/app/glyphs.h"
#include "gui/app/widget_helpers.h"
#include "sheet/sheet_params.h"

namespace tavolo {

namespace {

constexpr int kToolPanelWidth = 128;
constexpr int kButtonHeight = 30;

}  // namespace

QPushButton* ToolPanel::AddButton(const char* objectName, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(objectName);
  button->setMinimumHeight(kButtonHeight);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

ToolPanel::ToolPanel(QWidget* home, QWidget* parent) : QFrame(parent), home_(home) {
  setObjectName("pnlMain");
  setFrameShape(QFrame::StyledPanel);
  setFixedWidth(kToolPanelWidth);
  Colour(this, kToolPanelColour);

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
  edtLogOnName_ = new QLineEdit(this);
  edtLogOnName_->setObjectName("edtLogOnName");
  edtLogOnName_->setAccessibleName(QStringLiteral("学習者の名前"));
  edtLogOnName_->setReadOnly(true);
  edtLogOnName_->setFocusPolicy(Qt::NoFocus);
  edtLogOnName_->setAlignment(Qt::AlignCenter);
  btnKaitou_ = AddButton("btnKaitou", "解答表示");
  btnKaitou_->setIconSize(QSize(16, 16));
  chkBekkai_ = new QCheckBox(QStringLiteral("別解表示"), this);
  chkBekkai_->setObjectName("chkBekkai");
  chkBekkai_->setChecked(true);
  btnKran_ = AddButton("btnKran", "解答欄　");

  lblGyouSpace_ = new QLabel(QStringLiteral("主行間"), this);
  lblGyouSpace_->setObjectName("lblGyouSpace");
  spnGyouSpace_ = new QSpinBox(this);
  spnGyouSpace_->setObjectName("spnGyouSpace");
  spnGyouSpace_->setAccessibleName(QStringLiteral("主行間"));
  spnGyouSpace_->setRange(kLineSpacingRange.low, kLineSpacingRange.high);
  spnGyouSpace_->setValue(30);
  lblMoji_ = new QLabel(QStringLiteral("文　字"), this);
  lblMoji_->setObjectName("lblMoji");
  lblSize_ = new QLabel(QStringLiteral("サイズ"), this);
  lblSize_->setObjectName("lblSize");
  spnMojiSize_ = new QSpinBox(this);
  spnMojiSize_->setObjectName("spnMojiSize");
  spnMojiSize_->setAccessibleName(QStringLiteral("文字サイズ"));
  spnMojiSize_->setRange(kCharSizeRange.low, kCharSizeRange.high);
  spnMojiSize_->setValue(10);

  pnlCopy_ = new QFrame(this);
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

  auto* panel = new QVBoxLayout(this);
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

  CreateSavePanel();
  ConnectSignals();
}

// The save choices float over the main window beside the save button when it
// is pressed.
void ToolPanel::CreateSavePanel() {
  pnlSave_ = new QFrame(home_);
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
}

void ToolPanel::ConnectSignals() {
  for (QWidget* hides : std::initializer_list<QWidget*>{this, btnStartPrint_, btnKran_,
                                                        btnSaveMaster_, btnSaveCopy_})
    hides->installEventFilter(this);
  const std::pair<QPushButton*, void (ToolPanel::*)()> clicks[] = {
      {btnLogOn_, &ToolPanel::logOnClicked},
      {btnStartPrint_, &ToolPanel::printClicked},
      {btnTest_, &ToolPanel::practiceClicked},
      {btnCopy_, &ToolPanel::copyClicked},
      {btnCancel_, &ToolPanel::cancelClicked},
      {btnSave_, &ToolPanel::saveClicked},
      {btnSaveMaster_, &ToolPanel::saveMasterClicked},
      {btnSaveCopy_, &ToolPanel::saveCopyClicked},
      {btnLock_, &ToolPanel::lockClicked},
      {btnOpenMaster_, &ToolPanel::openClicked},
      {btnFpClose_, &ToolPanel::closeClicked},
      {btnEdit_, &ToolPanel::editClicked},
      {btnKran_, &ToolPanel::kranClicked},
      {btnKaitou_, &ToolPanel::answersClicked},
  };
  for (const auto& [button, signal] : clicks) connect(button, &QPushButton::clicked, this, signal);
  connect(spnGyouSpace_, &QSpinBox::valueChanged, this, &ToolPanel::lineSpacingChanged);
  connect(spnMojiSize_, &QSpinBox::valueChanged, this, &ToolPanel::charSizeChanged);
  connect(chkBekkai_, &QCheckBox::toggled, this, &ToolPanel::alternativesChanged);
}

void ToolPanel::ShowSheetValues(int lineSpacing, int charSize) {
  const QSignalBlocker spacingBlocker(spnGyouSpace_);
  const QSignalBlocker sizeBlocker(spnMojiSize_);
  spnGyouSpace_->setValue(lineSpacing);
  spnMojiSize_->setValue(charSize);
}

void ToolPanel::ShowAnswerDisplay(bool shown) { btnKaitou_->setIcon(AnswerGlyph(shown)); }

void ToolPanel::ShowAlternatives(bool shown) {
  const QSignalBlocker blocker(chkBekkai_);
  chkBekkai_->setChecked(shown);
}

void ToolPanel::EnableAnswerButton() { btnKaitou_->setEnabled(true); }

bool ToolPanel::AnswerButtonEnabled() const { return btnKaitou_->isEnabled(); }

void ToolPanel::ShowLearnerName(const QString& name) { edtLogOnName_->setText(name); }

void ToolPanel::ShowKeyLock(bool locked) {
  btnLock_->setIcon(LockGlyph(locked));
  btnLock_->setText(locked ? QStringLiteral("生徒用") : QStringLiteral("先生用"));
  KeepFocusOffSheets(this);
  for (QWidget* teacherTool : std::initializer_list<QWidget*>{
           btnFpClose_, btnOpenMaster_, btnSave_, btnStartPrint_, btnEdit_, btnKran_, chkBekkai_,
           btnKaitou_, spnGyouSpace_, spnMojiSize_, pnlCopy_, lblGyouSpace_, lblMoji_, lblSize_})
    teacherTool->setVisible(!locked);
  if (locked) HideSavePanel();
  (locked ? btnTest_ : btnOpenMaster_)->setFocus();
}

void ToolPanel::ShowSelection(bool hasSelection) {
  if (!hasSelection) KeepFocusOffSheets(pnlCopy_);
  btnCopy_->setEnabled(hasSelection);
  btnCancel_->setEnabled(hasSelection);
}

void ToolPanel::ShowSavePanel(bool overUnit) {
  btnSaveMaster_->setEnabled(overUnit);
  // Beside the button: its right edge less 30, 5 above its top.
  const QPoint at = btnSave_->mapTo(home_, QPoint(btnSave_->width() - 30, -5));
  pnlSave_->move(at);
  pnlSave_->raise();
  pnlSave_->show();
}

void ToolPanel::HideSavePanel() {
  KeepFocusOffSheets(pnlSave_);
  pnlSave_->hide();
}

void ToolPanel::HideSavePanelOnEnter(QWidget* widget) { widget->installEventFilter(this); }

// The save panel floats beside its button: the mouse leaving for the rest of
// the window hides it, and its buttons take the focus under the mouse.
bool ToolPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter && pnlSave_->isVisible()) {
    if (watched == btnSaveMaster_ || watched == btnSaveCopy_) {
      static_cast<QWidget*>(watched)->setFocus();
    } else {
      HideSavePanel();
    }
  }
  return QFrame::eventFilter(watched, event);
}

// A focused widget that hides or is disabled hands the focus to the next one
// in the focus chain, which may sit in another worksheet; the child area then
// brings that worksheet to the front and the tool panel would act on it. The
// main window takes the focus first, so only the user changes the front sheet.
void ToolPanel::KeepFocusOffSheets(QWidget* leaving) {
  const QWidget* focus = QApplication::focusWidget();
  if (focus && (focus == leaving || leaving->isAncestorOf(focus))) home_->setFocus();
}

}  // namespace tavolo
