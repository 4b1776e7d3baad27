#include "gui/practice/number_pad_panel.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "draw/qt_color.h"
#include "draw/qt_text.h"
#include "gui/app/widget_helpers.h"

namespace tavolo {

NumberPadPanel::NumberPadPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("pnlBunsu");
  setFrameShape(QFrame::StyledPanel);
  setAccessibleName(QStringLiteral("数字パッド"));

  auto makeEdit = [this](const char* name, const char* accessible) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(QString::fromUtf8(accessible));
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(64);
    edit->installEventFilter(this);
    tavolo::SetInputMethod(edit, false);
    return edit;
  };
  edtSign_ = makeEdit("edtSign", "整数・小数");
  edtBunshi_ = makeEdit("edtBunshi", "分子");
  edtBunbo_ = makeEdit("edtBunbo", "分母");
  lblSign_ = new QLabel(this);
  lblSign_->setObjectName("lblSign");
  lblSign_->setAccessibleName(QStringLiteral("符号"));
  lblSign_->setAlignment(Qt::AlignCenter);
  lblSign_->setFixedWidth(16);
  shpBunno_ = new QFrame(this);
  shpBunno_->setObjectName("shpBunno");
  shpBunno_->setAccessibleName(QStringLiteral("分数の横線"));
  shpBunno_->setFrameShape(QFrame::Box);
  shpBunno_->setFixedSize(64, 6);
  Colour(shpBunno_, Qt::white);

  connect(edtSign_, &QLineEdit::textEdited, this,
          [this](const QString& text) { emit typed(NumberPad::Field::MainEntry, text); });
  connect(edtBunbo_, &QLineEdit::textEdited, this,
          [this](const QString& text) { emit typed(NumberPad::Field::Denominator, text); });
  connect(edtBunshi_, &QLineEdit::textEdited, this,
          [this](const QString& text) { emit typed(NumberPad::Field::Numerator, text); });

  auto* fraction = new QGridLayout;
  fraction->setSpacing(2);
  fraction->addWidget(lblSign_, 0, 0, 3, 1);
  fraction->addWidget(edtSign_, 0, 1, 3, 1, Qt::AlignVCenter);
  fraction->addWidget(edtBunshi_, 0, 2);
  fraction->addWidget(shpBunno_, 1, 2);
  fraction->addWidget(edtBunbo_, 2, 2);
  fraction->setColumnStretch(3, 1);

  auto* keys = new QGridLayout;
  keys->setSpacing(3);
  auto addKey = [&](const char* name, const QString& caption, const QString& accessible, int row,
                    int column) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAccessibleName(accessible);
    button->setFocusPolicy(Qt::TabFocus);  // a click leaves the caret where it was
    button->setAutoDefault(false);
    button->setMinimumWidth(40);
    keys->addWidget(button, row, column);
    return button;
  };
  const struct {
    char key;
    const char* name;
    const char* accessible;
    int row, column;
  } keyTable[] = {
      {'7', "btnKey7", "7", 0, 0}, {'8', "btnKey8", "8", 0, 1},
      {'9', "btnKey9", "9", 0, 2}, {'-', "btnMinus", "マイナス", 0, 3},
      {'4', "btnKey4", "4", 1, 0}, {'5', "btnKey5", "5", 1, 1},
      {'6', "btnKey6", "6", 1, 2}, {'+', "btnPlus", "プラス", 1, 3},
      {'1', "btnKey1", "1", 2, 0}, {'2', "btnKey2", "2", 2, 1},
      {'3', "btnKey3", "3", 2, 2}, {'.', "btnPoint", "小数点", 2, 3},
      {'0', "btnKey0", "0", 3, 0},
  };
  for (const auto& k : keyTable) {
    QPushButton* button = addKey(k.name, QString(QLatin1Char(k.key)),
                                 QString::fromUtf8(k.accessible), k.row, k.column);
    const char key = k.key;
    connect(button, &QPushButton::clicked, this, [this, key] { emit keyPressed(key); });
  }
  connect(addKey("btnBunno", QStringLiteral("分の"), QStringLiteral("分の"), 3, 1),
          &QPushButton::clicked, this, &NumberPadPanel::bunnoPressed);
  connect(addKey("btnSaitenNext", QStringLiteral("次へ"), QStringLiteral("次へ"), 3, 2),
          &QPushButton::clicked, this, &NumberPadPanel::nextPressed);
  connect(addKey("btnClear", QStringLiteral("消去"), QStringLiteral("消去"), 3, 3),
          &QPushButton::clicked, this, &NumberPadPanel::clearPressed);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(6);
  layout->addLayout(fraction);
  layout->addLayout(keys);
}

void NumberPadPanel::SetInputMethod(bool on) {
  for (QLineEdit* edit : {edtSign_, edtBunbo_, edtBunshi_}) tavolo::SetInputMethod(edit, on);
}

QLineEdit* NumberPadPanel::Edit(NumberPad::Field field) const {
  switch (field) {
    case NumberPad::Field::Denominator:
      return edtBunbo_;
    case NumberPad::Field::Numerator:
      return edtBunshi_;
    case NumberPad::Field::MainEntry:
      break;
  }
  return edtSign_;
}

void NumberPadPanel::Show(const NumberPad& pad) {
  const std::pair<QLineEdit*, const std::string*> entries[] = {{edtSign_, &pad.MainEntry()},
                                                               {edtBunbo_, &pad.Denominator()},
                                                               {edtBunshi_, &pad.Numerator()}};
  for (const auto& [edit, text] : entries) {
    const QString shown = ToQString(*text);
    if (edit->text() != shown) edit->setText(shown);
  }
  lblSign_->setText(ToQString(pad.Sign()));
  Colour(shpBunno_, ToQColor(pad.BarColor()));
}

void NumberPadPanel::FocusField(NumberPad::Field field) {
  QLineEdit* edit = Edit(field);
  edit->setFocus();
  edit->deselect();
  edit->end(false);
}

bool NumberPadPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (watched == edtBunbo_) {
        emit denominatorEntered();
      } else if (watched == edtSign_ || watched == edtBunshi_) {
        emit nextPressed();
      }
      return true;  // never the dialog's default button
    }
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace tavolo
