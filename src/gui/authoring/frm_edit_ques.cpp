// The question editor's controls and where they stand: the header fields and
// OK on top; the question box with its edit buttons on the left, random
// data, answer choices, dummies, hints and layout blocks under it; the extracted answers
// in the middle; the figure files with their preview and the two figure
// boxes on the right.

#include "gui/authoring/frm_edit_ques.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "draw/font_substitution.h"
#include "gui/app/frm_bmp.h"
#include "gui/app/redo_key.h"
#include "random/editor_random.h"

namespace tavolo {

namespace {

// The question box is read most: a larger Japanese face than the others.
constexpr int kQuestionPointSize = 14;
constexpr int kBoxPointSize = 12;
constexpr QSize kPreviewSize(180, 135);

QFont BoxFont(int pointSize) {
  QFont font(SubstituteFontFamily(QStringLiteral("ＭＳ ゴシック")));
  font.setPointSize(pointSize);
  return font;
}

QPlainTextEdit* Box(const char* name, const QString& caption, int pointSize, QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(name);
  box->setAccessibleName(caption);
  box->setFont(BoxFont(pointSize));
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setTabChangesFocus(true);
  // Typed Japanese comes through the input method.
  box->setAttribute(Qt::WA_InputMethodEnabled, true);
  return box;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent,
                    const QString& hint = QString()) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  // Enter belongs to the boxes: it never presses OK by itself.
  button->setAutoDefault(false);
  if (!hint.isEmpty()) {
    button->setToolTip(hint);
    button->setAccessibleDescription(hint);
  }
  return button;
}

QLineEdit* HeaderField(const char* name, const QString& caption, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setAccessibleName(caption);
  field->setReadOnly(true);
  return field;
}

// A caption over a control, with the buttons that act on it beside the caption.
QVBoxLayout* Captioned(const QString& caption, QWidget* control,
                       std::initializer_list<QWidget*> buttons, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(control);
  auto* top = new QHBoxLayout;
  top->addWidget(label);
  top->addStretch(1);
  for (QWidget* button : buttons) top->addWidget(button);
  auto* column = new QVBoxLayout;
  column->setSpacing(2);
  column->addLayout(top);
  column->addWidget(control, 1);
  return column;
}

}  // namespace

TfrmEditQues::TfrmEditQues(Dialogs& dialogs, Host host, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), host_(std::move(host)), editor_(CheckEditorRandomData) {
  setObjectName("frmEditQues");
  setWindowTitle(QStringLiteral("マスターファイルの編集"));
  setModal(true);
  InstallRedoKey();
  CreateControls();
  CreateLayout();
  ConnectControls();
  SetTabOrder();
  frmBMP_ = new TfrmBMP(this);
}

void TfrmEditQues::CreateControls() {
  edtLesson_ = HeaderField("edtLesson", QStringLiteral("§"), this);
  edtLesson_->setMaximumWidth(110);
  edtTangen_ = HeaderField("edtTangen", QStringLiteral("単元"), this);
  edtFileName_ = HeaderField("edtFileName", QStringLiteral("データファイル"), this);

  MemQues_ = Box("MemQues", QStringLiteral("<<ques 問題ブロック"), kQuestionPointSize, this);
  memDummy_ = Box("memDummy", QStringLiteral("<<dummy ダミーの解答"), kBoxPointSize, this);
  memKgroup_ = Box("memKgroup", QStringLiteral("<<kgroup 解選択ブロック"), kBoxPointSize, this);
  memHint_ = Box("memHint", QStringLiteral("<<hint ヒントブロック"), kBoxPointSize, this);
  memQGraph_ = Box("memQGraph", QStringLiteral("<<graph 問題のグラフ"), kBoxPointSize, this);
  memAGraph_ = Box("memAGraph", QStringLiteral("<<AGraph 解答のグラフ"), kBoxPointSize, this);
  memPasteLo_ = Box("memPasteLo", QStringLiteral("<<value 位置情報など"), kBoxPointSize, this);
  memRandom_ = Box("memRandom", QStringLiteral("乱数"), kBoxPointSize, this);
  memRandom_->setToolTip(
      QStringLiteral("<<random ブロック: 1 行に 1 つの宣言（a = int(1..9) など）"));

  lstKai_ = new QListWidget(this);
  lstKai_->setObjectName("lstKai");
  lstKai_->setAccessibleName(QStringLiteral("抽出された解"));
  lstKai_->setFont(BoxFont(kBoxPointSize));
  lblKosuh_ = new QLabel(QStringLiteral("0"), this);
  lblKosuh_->setObjectName("lblKosuh");
  lblKosuh_->setAccessibleName(QStringLiteral("抽出された解の個数"));
  lblKosuh2_ = new QLabel(QStringLiteral("0"), this);
  lblKosuh2_->setObjectName("lblKosuh2");
  lblKosuh2_->setAccessibleName(QStringLiteral("ソフトキーボードの文字数"));
  lblKosuh3_ = new QLabel(QStringLiteral("0"), this);
  lblKosuh3_->setObjectName("lblKosuh3");
  lblKosuh3_->setAccessibleName(QStringLiteral("ソフトキーボードのキーの個数"));

  flbGraph_ = new QListWidget(this);
  flbGraph_->setObjectName("flbGraph");
  flbGraph_->setAccessibleName(QStringLiteral("使えるグラフ"));
  flbGraph_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  imgGraph_ = new QLabel(this);
  imgGraph_->setObjectName("imgGraph");
  imgGraph_->setAccessibleName(QStringLiteral("グラフのプレビュー"));
  imgGraph_->setFixedSize(kPreviewSize);
  imgGraph_->setFrameShape(QFrame::Box);
  imgGraph_->setAlignment(Qt::AlignCenter);
  imgGraph_->setCursor(Qt::PointingHandCursor);
  imgGraph_->setToolTip(QStringLiteral("クリックすると拡大表示します"));
  imgGraph_->installEventFilter(this);

  btnOk_ = Button("btnOk", QStringLiteral("  Ｏ　Ｋ"), this);
  btnCancel_ = Button("btnCancel", QStringLiteral("キャンセル"), this);
  btnEditDirect_ = Button("btnEditDirect", QStringLiteral("直接編集"), this);
  btnKai_ = Button("btnKai", QStringLiteral("解答欄"), this);
  btnNumber_ = Button("btnNumber", QStringLiteral("問題番号"), this);
  btnKakko_ = Button("btnKakko", QStringLiteral("Ｕ"), this, QStringLiteral("下線"));
  BitBtn1_ = Button("BitBtn1", QStringLiteral("Ｂ"), this, QStringLiteral("太字"));
  BitBtn2_ = Button("BitBtn2", QStringLiteral("Ｉ"), this, QStringLiteral("斜体"));
  btnTest_ = Button("btnTest", QStringLiteral("抽出=>"), this);
  const QString both = QStringLiteral("解とダミーの解を挿入");
  btnKgAdd_ = Button("btnKgAdd", QStringLiteral("<=挿入"), this, both);
  btnDummy_ = Button("btnDummy", QStringLiteral("=>"), this, both);
  btnKGClear_ = Button("btnKGClear", QStringLiteral("クリア"), this,
                       QStringLiteral("解選択ブロックを空にする"));
  btnTry_ = Button("btnTry", QStringLiteral("試す"), this,
                   QStringLiteral("乱数の値を入れた問題と解答を番号ごとに見る"));
  chkSuuji_ = new QCheckBox(QStringLiteral("数字除く"), this);
  chkSuuji_->setObjectName("chkSuuji");
  chkSuuji_->setChecked(true);
  chkKigou_ = new QCheckBox(QStringLiteral("記号除く"), this);
  chkKigou_->setObjectName("chkKigou");
  chkKigou_->setChecked(true);
  btnQGAdd_ = Button("btnQGAdd", QStringLiteral("<=挿入"), this,
                     QStringLiteral("選んだグラフを問題のグラフに挿入"));
  btnAGAdd_ = Button("btnAGAdd", QStringLiteral("<=挿入"), this,
                     QStringLiteral("選んだグラフを解答のグラフに挿入"));
  btnQGClear_ = Button("btnQGClear", QStringLiteral("クリア"), this,
                       QStringLiteral("問題のグラフを空にする"));
  btnAGClear_ = Button("btnAGClear", QStringLiteral("クリア"), this,
                       QStringLiteral("解答のグラフを空にする"));
  // Buttons that share a caption say for screen readers what each one does.
  const std::pair<QPushButton*, const char*> spoken[] = {
      {btnKakko_, "下線"},
      {BitBtn1_, "太字"},
      {BitBtn2_, "斜体"},
      {btnKgAdd_, "抽出された解を解選択ブロックに挿入"},
      {btnDummy_, "ダミーの解を解選択ブロックに挿入"},
      {btnKGClear_, "解選択ブロックをクリア"},
      {btnQGAdd_, "選んだグラフを問題のグラフに挿入"},
      {btnAGAdd_, "選んだグラフを解答のグラフに挿入"},
      {btnQGClear_, "問題のグラフをクリア"},
      {btnAGClear_, "解答のグラフをクリア"}};
  for (const auto& [button, name] : spoken) button->setAccessibleName(QString::fromUtf8(name));
  for (QPushButton* style : {btnKakko_, BitBtn1_, BitBtn2_}) {
    QFont bold = style->font();
    bold.setBold(true);
    style->setFont(bold);
    style->setMinimumWidth(36);
    style->setMaximumWidth(48);
  }
}

void TfrmEditQues::CreateLayout() {
  auto* header = new QHBoxLayout;
  auto headerField = [this, header](const QString& caption, QLineEdit* field, int stretch) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    header->addWidget(label);
    header->addWidget(field, stretch);
    header->addSpacing(8);
  };
  headerField(QStringLiteral("§"), edtLesson_, 0);
  headerField(QStringLiteral("単元"), edtTangen_, 3);
  headerField(QStringLiteral("データファイル"), edtFileName_, 4);
  header->addSpacing(12);
  header->addWidget(btnEditDirect_);
  header->addSpacing(12);
  header->addWidget(btnOk_);
  header->addWidget(btnCancel_);

  // Left: the question box and the boxes that go with it.
  auto* tools = new QHBoxLayout;
  for (QPushButton* button : {btnKai_, btnNumber_}) tools->addWidget(button);
  tools->addSpacing(12);
  for (QPushButton* button : {btnKakko_, BitBtn1_, BitBtn2_}) tools->addWidget(button);
  tools->addStretch(1);
  auto* choiceFilters = new QHBoxLayout;
  choiceFilters->addWidget(chkSuuji_);
  choiceFilters->addWidget(chkKigou_);
  choiceFilters->addStretch(1);
  auto* counters = new QHBoxLayout;
  counters->setSpacing(4);
  counters->addWidget(new QLabel(QStringLiteral("ソフトキーボード"), this));
  counters->addWidget(lblKosuh2_);
  counters->addWidget(new QLabel(QStringLiteral("文字"), this));
  counters->addSpacing(8);
  counters->addWidget(lblKosuh3_);
  counters->addWidget(new QLabel(QStringLiteral("個"), this));
  counters->addStretch(1);
  QVBoxLayout* choices = Captioned(QStringLiteral("<<kgroup 解選択ブロック"), memKgroup_,
                                   {btnKgAdd_, btnKGClear_}, this);
  choices->addLayout(choiceFilters);
  choices->addLayout(counters);
  auto* answers = new QHBoxLayout;
  answers->addLayout(
      Captioned(QStringLiteral("<<dummy ダミーの解答"), memDummy_, {btnDummy_}, this), 1);
  answers->addLayout(choices, 1);
  auto* extra = new QHBoxLayout;
  extra->addLayout(Captioned(QStringLiteral("<<hint ヒントブロック"), memHint_, {}, this), 1);
  extra->addLayout(Captioned(QStringLiteral("<<value 位置情報など"), memPasteLo_, {}, this), 1);
  auto* left = new QVBoxLayout;
  left->addLayout(tools);
  left->addLayout(Captioned(QStringLiteral("<<ques 問題ブロック"), MemQues_, {}, this), 5);
  left->addLayout(Captioned(QStringLiteral("乱数"), memRandom_, {btnTry_}, this), 2);
  left->addLayout(answers, 3);
  left->addLayout(extra, 3);

  // Middle: what extraction found ("<=挿入" of the choice box takes it from here).
  auto* count = new QHBoxLayout;
  count->addStretch(1);
  count->addWidget(lblKosuh_);
  count->addWidget(new QLabel(QStringLiteral("個"), this));
  auto* middle = new QVBoxLayout;
  middle->addWidget(btnTest_);
  middle->addLayout(Captioned(QStringLiteral("抽出された解"), lstKai_, {}, this), 1);
  middle->addLayout(count);

  // Right: figure files, their preview and the two figure boxes.
  auto* preview = new QHBoxLayout;
  preview->addStretch(1);
  preview->addWidget(imgGraph_);
  preview->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addLayout(Captioned(QStringLiteral("使えるグラフ"), flbGraph_, {}, this), 3);
  right->addLayout(preview);
  right->addLayout(
      Captioned(QStringLiteral("<<graph 問題のグラフ"), memQGraph_, {btnQGAdd_, btnQGClear_}, this),
      2);
  right->addLayout(Captioned(QStringLiteral("<<AGraph 解答のグラフ"), memAGraph_,
                             {btnAGAdd_, btnAGClear_}, this),
                   2);

  auto* body = new QHBoxLayout;
  body->addLayout(left, 7);
  body->addLayout(middle, 2);
  body->addLayout(right, 4);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addLayout(body, 1);
}

// Tab goes through the window as it reads: the header, the question box with
// its tools, the boxes under it, the extracted answers, then the figures.
void TfrmEditQues::SetTabOrder() {
  QWidget* const order[] = {
      edtLesson_, edtTangen_,  edtFileName_, btnEditDirect_, btnOk_,     btnCancel_, btnKai_,
      btnNumber_, btnKakko_,   BitBtn1_,     BitBtn2_,       MemQues_,   btnTry_,    memRandom_,
      btnDummy_,  memDummy_,   btnKgAdd_,    btnKGClear_,    memKgroup_, chkSuuji_,  chkKigou_,
      memHint_,   memPasteLo_, btnTest_,     lstKai_,        flbGraph_,  btnQGAdd_,  btnQGClear_,
      memQGraph_, btnAGAdd_,   btnAGClear_,  memAGraph_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace tavolo
