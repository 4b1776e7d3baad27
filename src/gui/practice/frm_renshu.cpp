// The practice window's controls and where they stand: the start panel on
// the left, the sheet picture with its answer fields, and on the right the
// work panel of a run or the records panel between runs.

#include "gui/practice/frm_renshu.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>

#include "draw/font_substitution.h"
#include "draw/qt_color.h"
#include "draw/qt_text.h"
#include "gui/app/widget_helpers.h"
#include "gui/practice/frm_zen_seikai.h"
#include "gui/practice/message_picture_view.h"
#include "gui/practice/number_pad_panel.h"
#include "gui/practice/scratch_pad.h"
#include "gui/practice/sheet_picture.h"
#include "practice/record_line.h"

namespace tavolo {

namespace {

constexpr int kGap = TfrmRenshu::kPaperGap;  // between the panels and the sheet picture
constexpr int kButtonHeight = 32;
constexpr int kMessageHeight = 100;  // the message picture under the run buttons
constexpr int kResultHeight = 130;   // room for five rows of instructions or a picture
constexpr int kMinimumHeight = 560;
const QColor kPanelColour(0xF0, 0xF0, 0xE0);

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setMinimumHeight(kButtonHeight);
  // Enter presses the button that has the focus (the run hands it 採点,
  // 復習 or 閉じる); the fields keep their own Enter.
  button->setAutoDefault(true);
  return button;
}

}  // namespace

TfrmRenshu::TfrmRenshu(PageRenderer& renderer, AnswerBoxRegistry& registry, Host host,
                       QWidget* parent)
    : QDialog(parent), renderer_(renderer), registry_(registry), host_(std::move(host)) {
  setObjectName("frmRenshu");
  setModal(true);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  Colour(this, kPanelColour);

  CreateStartPanel();
  scrPaper_ = new QScrollArea(this);
  scrPaper_->setObjectName("scrPaper");
  scrPaper_->setAccessibleName(QStringLiteral("ワークシート"));
  scrPaper_->setBackgroundRole(QPalette::Dark);
  imgPaper2_ = new SheetPicture(scrPaper_);
  imgPaper2_->setObjectName("imgPaper2");
  imgPaper2_->setAccessibleName(QStringLiteral("ワークシート"));
  scrPaper_->setWidget(imgPaper2_);
  CreateBoxEdits();
  CreateWorkPanel();
  CreateRecordsPanel();

  timSecond_ = new QTimer(this);
  timSecond_->setObjectName("timSecond");
  timSecond_->setInterval(1000);
  connect(timSecond_, &QTimer::timeout, this, [this] {
    if (run_) run_->Tick();
  });
  frmZenSeikai_ = new TfrmZenSeikai(this);
}

void TfrmRenshu::CreateStartPanel() {
  pnlRenshu_ = new QFrame(this);
  pnlRenshu_->setObjectName("pnlRenshu");
  pnlRenshu_->setAccessibleName(QStringLiteral("学習の開始"));
  pnlRenshu_->setFrameShape(QFrame::StyledPanel);
  Colour(pnlRenshu_, kToolPanelColour);
  btnRenshu_ = Button(pnlRenshu_, "btnRenshu", "練習");
  btnTest_ = Button(pnlRenshu_, "btnTest", "テスト");
  btnFukushu_ = Button(pnlRenshu_, "btnFukushu", "復習");
  btnShowRecord_ = Button(pnlRenshu_, "btnShowRecord", "記録表示");
  btnStartPrint_ = Button(pnlRenshu_, "btnStartPrint", "印刷");
  btnEnd_ = Button(pnlRenshu_, "btnEnd", "閉じる");
  btnShowRecord_->setEnabled(false);  // until a records viewer is set

  grbColor_ = new QGroupBox(QStringLiteral("解答欄の色"), pnlRenshu_);
  grbColor_->setObjectName("grbColor");
  auto* colours = new QGridLayout(grbColor_);
  colours->setContentsMargins(6, 6, 6, 6);
  for (int i = 0; i < 4; ++i) {
    const QString number = QString::number(i + 1);
    auto* swatch = new QFrame(grbColor_);
    swatch->setObjectName("shpCol" + number);
    swatch->setAccessibleName(QStringLiteral("解答欄の色 ") + number);
    swatch->setFrameShape(QFrame::Box);
    swatch->setFixedSize(36, 18);
    swatch->setCursor(Qt::PointingHandCursor);
    Colour(swatch, ToQColor(PracticeRun::kBoxColors[static_cast<std::size_t>(i)]));
    swatch->installEventFilter(this);
    auto* radio = new QRadioButton(grbColor_);
    radio->setObjectName("rad" + number);
    radio->setAccessibleName(QStringLiteral("色 ") + number);
    colours->addWidget(swatch, i, 0);
    colours->addWidget(radio, i, 1);
    swatches_[static_cast<std::size_t>(i)] = swatch;
    radios_[static_cast<std::size_t>(i)] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, i] { ChooseColour(i + 1); });
  }
  radios_[0]->setChecked(true);

  auto* layout = new QVBoxLayout(pnlRenshu_);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  layout->addWidget(btnRenshu_);
  layout->addWidget(btnTest_);
  layout->addWidget(btnFukushu_);
  layout->addSpacing(12);
  layout->addWidget(btnShowRecord_);
  layout->addWidget(btnStartPrint_);
  layout->addSpacing(12);
  layout->addWidget(grbColor_);
  layout->addStretch(1);
  layout->addWidget(btnEnd_);

  connect(btnRenshu_, &QPushButton::clicked, this, &TfrmRenshu::btnRenshuClick);
  connect(btnTest_, &QPushButton::clicked, this, &TfrmRenshu::btnTestClick);
  connect(btnFukushu_, &QPushButton::clicked, this, &TfrmRenshu::btnFukushuClick);
  connect(btnShowRecord_, &QPushButton::clicked, this, &TfrmRenshu::btnShowRecordClick);
  connect(btnStartPrint_, &QPushButton::clicked, this, &TfrmRenshu::btnStartPrintClick);
  connect(btnEnd_, &QPushButton::clicked, this, &TfrmRenshu::btnEndClick);
}

void TfrmRenshu::CreateBoxEdits() {
  // Made once and reused for every sheet; box n has the field "M" + n (M0 is
  // never a box).
  for (int n = 0; n <= AnswerBoxRegistry::kMaxBoxes; ++n) {
    auto* edit = new QLineEdit(imgPaper2_);
    edit->setObjectName("M" + QString::number(n));
    edit->setAccessibleName(QStringLiteral("解答欄 ") + QString::number(n));
    edit->setProperty("box", n);
    edit->setFocusPolicy(Qt::ClickFocus);  // no tab stops: Enter moves on
    edit->setGeometry(0, 0, 100, 50);
    edit->setReadOnly(true);
    edit->hide();
    edit->installEventFilter(this);
    // Every change of the text, not only typing: a screen reader, an
    // on-screen keyboard or dictation sets it through the accessibility
    // interface. The run's own updates are told apart (BoxEdited).
    connect(edit, &QLineEdit::textChanged, this,
            [this, n](const QString& text) { BoxEdited(n, text); });
    edits_[static_cast<std::size_t>(n)] = edit;
  }
}

void TfrmRenshu::CreateWorkPanel() {
  pnlSS_ = new QFrame(this);
  pnlSS_->setObjectName("pnlSS");
  pnlSS_->setAccessibleName(QStringLiteral("解答の入力"));
  pnlSS_->setFrameShape(QFrame::StyledPanel);

  grbTest_ = new QGroupBox(pnlSS_);
  grbTest_->setObjectName("grbTest");
  grbTest_->setAccessibleName(QStringLiteral("解答の操作"));
  btnAnswer_ = Button(grbTest_, "btnAnswer", "答えを見る");
  btnAbort_ = Button(grbTest_, "btnAbort", "中止");
  btnSaiten_ = Button(grbTest_, "btnSaiten", "採点");
  btnHint_ = Button(grbTest_, "btnHint", "ヒントを見る");
  auto* runButtons = new QGridLayout(grbTest_);
  runButtons->setContentsMargins(4, 4, 4, 4);
  runButtons->setSpacing(4);
  runButtons->addWidget(btnAnswer_, 0, 0);
  runButtons->addWidget(btnAbort_, 0, 1);
  runButtons->addWidget(btnSaiten_, 1, 0);
  runButtons->addWidget(btnHint_, 1, 1);

  // The message picture scrolls when wrapped hints do not fit its height.
  scrMessXX_ = new QScrollArea(pnlSS_);
  scrMessXX_->setObjectName("scrMessXX");
  scrMessXX_->setAccessibleName(QStringLiteral("メッセージ"));
  scrMessXX_->setFixedHeight(kMessageHeight);
  scrMessXX_->setFrameShape(QFrame::NoFrame);
  scrMessXX_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrMessXX_->setFocusPolicy(Qt::NoFocus);
  imgMessXX_ = new MessagePictureView;
  imgMessXX_->setObjectName("imgMessXX");
  imgMessXX_->setAccessibleName(QStringLiteral("メッセージ"));
  scrMessXX_->setWidget(imgMessXX_);

  grbSelect_ = new QGroupBox(QStringLiteral("答えの選択"), pnlSS_);
  grbSelect_->setObjectName("grbSelect");
  lstKgroup_ = new QListWidget(grbSelect_);
  lstKgroup_->setObjectName("lstKgroup");
  lstKgroup_->setAccessibleName(QStringLiteral("答えの選択"));
  btnNext2_ = Button(grbSelect_, "btnNext2", "入力");
  btnClear2_ = Button(grbSelect_, "btnClear2", "クリア");
  auto* select = new QGridLayout(grbSelect_);
  select->setContentsMargins(4, 4, 4, 4);
  select->addWidget(lstKgroup_, 0, 0, 4, 1);
  int row = 0;
  for (const char* text : {"解答を選択し", "[入力]ボタンを", "押してください"}) {
    auto* label = new QLabel(QString::fromUtf8(text), grbSelect_);
    select->addWidget(label, row++, 1);
  }
  select->addWidget(btnNext2_, 3, 1);
  select->addWidget(btnClear2_, 4, 1);
  select->setColumnStretch(0, 1);

  pnlBunsu_ = new NumberPadPanel(pnlSS_);
  imgMemo_ = new ScratchPad(pnlSS_);
  imgMemo_->setObjectName("imgMemo");
  imgMemo_->setAccessibleName(QStringLiteral("計算用メモ"));

  auto* layout = new QVBoxLayout(pnlSS_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addWidget(grbTest_);
  layout->addWidget(scrMessXX_);
  layout->addWidget(grbSelect_);
  layout->addWidget(pnlBunsu_);
  layout->addWidget(imgMemo_, 1);

  connect(btnAnswer_, &QPushButton::clicked, this,
          [this] { Act([this] { return run_->ShowAnswer(); }); });
  connect(btnAbort_, &QPushButton::clicked, this,
          [this] { Act([this] { return run_->Abort(); }); });
  connect(btnSaiten_, &QPushButton::clicked, this,
          [this] { Act([this] { return run_->Grade(); }); });
  connect(btnHint_, &QPushButton::clicked, this,
          [this] { Act([this] { return run_->ShowHints(); }); });
  connect(lstKgroup_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int chosen = lstKgroup_->row(item);
    Act([this, chosen] { return run_->ChooseItem(chosen); });
  });
  connect(btnNext2_, &QPushButton::clicked, this,
          [this] { Act([this] { return run_->Enter(); }); });
  connect(btnClear2_, &QPushButton::clicked, this,
          [this] { Act([this] { return run_->ClearBox(); }); });

  connect(pnlBunsu_, &NumberPadPanel::keyPressed, this, [this](char key) {
    if (!run_) return;
    run_->PressPadKey(key);
    ShowPad(true);
  });
  connect(pnlBunsu_, &NumberPadPanel::bunnoPressed, this, [this] {
    if (!run_) return;
    run_->PressPadBunno();
    ShowPad(true);
  });
  connect(pnlBunsu_, &NumberPadPanel::denominatorEntered, this, [this] {
    if (!run_) return;
    run_->EnterInPadDenominator();
    ShowPad(true);
  });
  connect(pnlBunsu_, &NumberPadPanel::typed, this,
          [this](NumberPad::Field field, const QString& text) {
            if (run_) run_->TypeInPad(field, ToStdString(text));
          });
  connect(pnlBunsu_, &NumberPadPanel::nextPressed, this,
          [this] { Act([this] { return run_->PadNext(); }); });
  connect(pnlBunsu_, &NumberPadPanel::clearPressed, this,
          [this] { Act([this] { return run_->PadClear(); }); });
}

void TfrmRenshu::CreateRecordsPanel() {
  pnlKiroku_ = new QFrame(this);
  pnlKiroku_->setObjectName("pnlKiroku");
  pnlKiroku_->setAccessibleName(QStringLiteral("学習の記録"));
  pnlKiroku_->setFrameShape(QFrame::StyledPanel);
  imgMess_ = new MessagePictureView(pnlKiroku_);
  imgMess_->setObjectName("imgMess");
  imgMess_->setAccessibleName(QStringLiteral("学習の結果"));
  imgMess_->setFixedHeight(kResultHeight);
  imgMess_->setCursor(Qt::PointingHandCursor);
  lblKiroku_ = new QLabel(pnlKiroku_);
  lblKiroku_->setObjectName("lblKiroku");
  lblKiroku_->setWordWrap(true);
  memKiroku_ = new QPlainTextEdit(pnlKiroku_);
  memKiroku_->setObjectName("memKiroku");
  memKiroku_->setAccessibleName(QStringLiteral("学習の記録"));
  memKiroku_->setReadOnly(true);
  // One record, one line: the panel is made wide enough for this sheet's
  // records (RecordsPanelWidth); a longer line from elsewhere scrolls.
  memKiroku_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont records(SubstituteFontFamily(QStringLiteral("ＭＳ ゴシック")));
  records.setPointSize(9);
  memKiroku_->setFont(records);

  auto* layout = new QVBoxLayout(pnlKiroku_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addWidget(imgMess_);
  layout->addWidget(lblKiroku_);
  layout->addWidget(memKiroku_, 1);

  connect(imgMess_, &MessagePictureView::clicked, this, [this] {
    if (run_) Act([this] { return run_->ClickResultPicture(); });
  });
}

void TfrmRenshu::LayOut() {
  const int height = this->height();
  pnlRenshu_->setGeometry(0, 0, kStartPanelWidth, height);
  const int frame = 2 * scrPaper_->frameWidth();
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrPaper_);
  const QSize picture = imgPaper2_->size();
  // The sheet keeps its width; the window's height decides how much of it shows.
  const int paperWidth =
      std::min(picture.width() + frame + (picture.height() + frame > height ? bar : 0),
               std::max(200, width() - kStartPanelWidth - 3 * kGap -
                                 std::max(kWorkPanelWidth, recordsPanelWidth_)));
  const int paperLeft = kStartPanelWidth + kGap;
  scrPaper_->setGeometry(paperLeft, 0, paperWidth, height);
  const int right = paperLeft + paperWidth + kGap;
  pnlSS_->setGeometry(right, 0, kWorkPanelWidth, height);
  pnlKiroku_->setGeometry(right, 0, recordsPanelWidth_, height);
  FitMessagePicture();
}

// As wide as the sheet with both panels, as high as the screen allows.
void TfrmRenshu::FitToScreen() {
  const QWidget* over = parentWidget() ? parentWidget() : this;
  const QRect area = over->screen() ? over->screen()->availableGeometry() : QRect(0, 0, 1280, 960);
  const int frame = 2 * scrPaper_->frameWidth();
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrPaper_);
  const QSize picture = imgPaper2_->size();
  const int width = kStartPanelWidth + 3 * kPaperGap + picture.width() + frame + bar +
                    std::max(kWorkPanelWidth, recordsPanelWidth_);
  const int height =
      std::max(kMinimumHeight, std::min(picture.height() + frame, area.height() - 40));
  resize(std::min(width, area.width()), std::min(height, area.height()));
  move(area.left() + std::max(0, (area.width() - this->width()) / 2), area.top());
  LayOut();
}

// As wide as its scroll area, and as high as its texts need when that is more
// than the area shows; a scroll bar takes its width only when it is needed.
void TfrmRenshu::FitMessagePicture() {
  if (auto* layout = pnlSS_->layout()) layout->activate();
  const QSize room = scrMessXX_->maximumViewportSize();
  int width = room.width();
  int height = imgMessXX_->HeightFor(width);
  if (height > room.height()) {
    width -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrMessXX_);
    height = imgMessXX_->HeightFor(width);
  }
  const QSize size(width, std::max(room.height(), height));
  if (imgMessXX_->size() != size) imgMessXX_->resize(size);
}

// Wide enough that a record of this sheet stands on one line of the records
// list: the widest date and time, a tries digit for every box, two-digit
// counts, full marks and a long run, in the list's own font.
int TfrmRenshu::RecordsPanelWidth(int boxes, int variant) const {
  constexpr int kWidest = 640;  // beyond this the list scrolls sideways
  RunRecord widest;
  widest.when = DateTime{2024, 12, 31, 23, 59, 0};
  widest.variant = variant;
  widest.triesDigits = std::string(static_cast<std::size_t>(std::max(boxes, 1)), '0');
  widest.correct = widest.total = std::max(boxes, 10);
  widest.score = 100;
  widest.elapsedSeconds = 99 * 60 + 59;
  const int text =
      QFontMetrics(memKiroku_->font()).horizontalAdvance(ToQString(RecordLine(widest)));
  const int chrome = 2 * memKiroku_->frameWidth() +
                     2 * qCeil(memKiroku_->document()->documentMargin()) +
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, memKiroku_) + 6;
  return std::clamp(text + chrome, kRecordsPanelWidth, kWidest);
}

void TfrmRenshu::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOut();
}

const QImage& TfrmRenshu::SheetPictureImage() const { return imgPaper2_->Page(); }

}  // namespace tavolo
