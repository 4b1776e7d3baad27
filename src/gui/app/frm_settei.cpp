#include "gui/app/frm_settei.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>

#include "app/answer_box_settings.h"
#include "gui/app/widget_helpers.h"

namespace tavolo {

namespace {

// The answer position and the box size have no bound of their own.
constexpr int kUnbounded = 99999;

QSpinBox* Spin(const char* name, int min, int max, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(min, max);
  return spin;
}

QToolButton* Arrow(const char* name, Qt::ArrowType type, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setArrowType(type);
  return button;
}

}  // namespace

TfrmSettei::TfrmSettei(Host host, QWidget* parent) : QDialog(parent), host_(std::move(host)) {
  setObjectName("frmSettei");
  setWindowTitle(QStringLiteral("設定"));
  Colour(this, QColor(0xC0, 0xC0, 0xFF));

  auto* grpShape = new QGroupBox(QStringLiteral("解答欄の形"), this);
  grpShape->setObjectName("grpShape");
  Colour(grpShape, QColor(0xFF, 0xFF, 0xF0));
  radNon_ = new QRadioButton(QStringLiteral("なし"), grpShape);
  radNon_->setObjectName("radNon");
  radShikaku_ = new QRadioButton(QStringLiteral("四角"), grpShape);
  radShikaku_->setObjectName("radShikaku");
  radKasen_ = new QRadioButton(QStringLiteral("____"), grpShape);
  radKasen_->setObjectName("radKasen");
  radKasen_->setAccessibleName(QStringLiteral("下線"));
  radRound_ = new QRadioButton(QStringLiteral("角丸"), grpShape);
  radRound_->setObjectName("radRound");
  shapes_ = new QButtonGroup(this);
  shapes_->addButton(radNon_, 0);
  shapes_->addButton(radShikaku_, 1);
  shapes_->addButton(radKasen_, 4);
  shapes_->addButton(radRound_, 5);
  spnKranWX_ = Spin("spnKranWX", -kUnbounded, kUnbounded, grpShape);
  spnKranH_ = Spin("spnKranH", -kUnbounded, kUnbounded, grpShape);
  // Inside a group box every control would be called by the group's title.
  spnKranWX_->setAccessibleName(QStringLiteral("解答欄の幅"));
  spnKranH_->setAccessibleName(QStringLiteral("解答欄の高さ"));
  auto* shapeLayout = new QGridLayout(grpShape);
  shapeLayout->addWidget(radNon_, 0, 0);
  shapeLayout->addWidget(radShikaku_, 0, 1);
  shapeLayout->addWidget(radKasen_, 1, 0);
  shapeLayout->addWidget(radRound_, 1, 1);
  shapeLayout->addWidget(new QLabel(QStringLiteral("幅"), grpShape), 2, 0);
  shapeLayout->addWidget(spnKranWX_, 2, 1);
  shapeLayout->addWidget(new QLabel(QStringLiteral("高さ"), grpShape), 3, 0);
  shapeLayout->addWidget(spnKranH_, 3, 1);

  auto* grpPosition = new QGroupBox(QStringLiteral("解答位置と余白"), this);
  grpPosition->setObjectName("grpPosition");
  Colour(grpPosition, QColor(0xFF, 0xFF, 0xF0));
  spnAnsX_ = Spin("spnAnsX", -kUnbounded, kUnbounded, grpPosition);
  spnAnsY_ = Spin("spnAnsY", -kUnbounded, kUnbounded, grpPosition);
  spnLeftM_ = Spin("spnLeftM", kMarginRange.low, kMarginRange.high, grpPosition);
  spnRightM_ = Spin("spnRightM", kMarginRange.low, kMarginRange.high, grpPosition);
  QToolButton* btnLeft = Arrow("btnLeft", Qt::LeftArrow, grpPosition);
  QToolButton* btnRight = Arrow("btnRight", Qt::RightArrow, grpPosition);
  QToolButton* btnUp = Arrow("btnUp", Qt::UpArrow, grpPosition);
  QToolButton* btnDown = Arrow("btnDown", Qt::DownArrow, grpPosition);
  const std::pair<QWidget*, const char*> spoken[] = {
      {spnAnsX_, "解答位置の横"},        {spnAnsY_, "解答位置の縦"},
      {spnLeftM_, "左の余白"},           {spnRightM_, "右の余白"},
      {btnLeft, "解答位置を左へ動かす"}, {btnRight, "解答位置を右へ動かす"},
      {btnUp, "解答位置を上へ動かす"},   {btnDown, "解答位置を下へ動かす"}};
  for (const auto& [control, name] : spoken) control->setAccessibleName(QString::fromUtf8(name));
  auto* positionLayout = new QGridLayout(grpPosition);
  positionLayout->addWidget(new QLabel(QStringLiteral("解答位置"), grpPosition), 0, 0, 1, 2);
  positionLayout->addWidget(spnAnsX_, 1, 0);
  positionLayout->addWidget(spnAnsY_, 1, 1);
  positionLayout->addWidget(btnLeft, 2, 0, Qt::AlignLeft);
  positionLayout->addWidget(btnRight, 2, 0, Qt::AlignRight);
  positionLayout->addWidget(btnUp, 2, 1, Qt::AlignLeft);
  positionLayout->addWidget(btnDown, 2, 1, Qt::AlignRight);
  positionLayout->addWidget(new QLabel(QStringLiteral("左空白"), grpPosition), 3, 0);
  positionLayout->addWidget(spnLeftM_, 3, 1);
  positionLayout->addWidget(new QLabel(QStringLiteral("右空白"), grpPosition), 4, 0);
  positionLayout->addWidget(spnRightM_, 4, 1);

  btnKakudai_ = new QPushButton(QStringLiteral("縮小"), this);
  btnKakudai_->setObjectName("btnKakudai");
  btnKakudai_->setAutoDefault(false);
  auto* btnOk = new QPushButton(QStringLiteral("閉じる"), this);
  btnOk->setObjectName("btnOk");
  btnOk->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grpShape);
  layout->addWidget(grpPosition);
  layout->addWidget(btnKakudai_);
  layout->addStretch();
  layout->addWidget(btnOk);

  connect(shapes_, &QButtonGroup::idClicked, this, &TfrmSettei::ChooseShape);
  const std::pair<QSpinBox*, KranField> kranBoxes[] = {{spnKranWX_, KranField::Width},
                                                       {spnKranH_, KranField::Height},
                                                       {spnAnsX_, KranField::AnswerX},
                                                       {spnAnsY_, KranField::AnswerY}};
  for (const auto& [box, field] : kranBoxes) {
    const KranField f = field;
    connect(box, &QSpinBox::valueChanged, this,
            [this, f](int v) { Edit([f, v](SheetParams& p) { SetKranValue(p, f, v); }); });
  }
  connect(spnLeftM_, &QSpinBox::valueChanged, this,
          [this](int v) { Edit([v](SheetParams& p) { SetLeftMargin(p, v); }); });
  connect(spnRightM_, &QSpinBox::valueChanged, this,
          [this](int v) { Edit([v](SheetParams& p) { SetRightMargin(p, v); }); });
  connect(btnLeft, &QToolButton::clicked, spnAnsX_, &QSpinBox::stepDown);
  connect(btnRight, &QToolButton::clicked, spnAnsX_, &QSpinBox::stepUp);
  connect(btnUp, &QToolButton::clicked, spnAnsY_, &QSpinBox::stepDown);
  connect(btnDown, &QToolButton::clicked, spnAnsY_, &QSpinBox::stepUp);
  connect(btnKakudai_, &QPushButton::clicked, this, [this] {
    if (host_.toggleZoom) host_.toggleZoom();
  });
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  // The dialog sees every key first (see eventFilter).
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TfrmSettei::Edit(std::function<void(SheetParams&)> change, bool marksModified) {
  if (suspended_ || !host_.editSheet) return;
  host_.editSheet(std::move(change), marksModified);
}

void TfrmSettei::LoadFrom(const SheetParams& params) {
  suspended_ = true;
  spnLeftM_->setValue(params.leftMargin);
  spnRightM_->setValue(params.rightMargin);
  spnKranWX_->setValue(params.KranValue(2));
  spnKranH_->setValue(params.KranValue(3));
  spnAnsX_->setValue(params.KranValue(5));
  spnAnsY_->setValue(params.KranValue(6));
  suspended_ = false;
}

void TfrmSettei::MarkShape(BoxKind shape) {
  // Brackets have no button of their own: then no shape is marked.
  shapes_->setExclusive(false);
  for (QAbstractButton* button : shapes_->buttons()) button->setChecked(false);
  shapes_->setExclusive(true);
  if (const std::optional<BoxKind> choice = MarkedShapeChoice(shape))
    shapes_->button(static_cast<int>(*choice))->setChecked(true);
}

void TfrmSettei::EnableSizeBoxes(BoxKind shape) {
  const ShapeSizeBoxes boxes = SizeBoxesOfShape(shape);
  spnKranWX_->setEnabled(boxes.width);
  spnKranH_->setEnabled(boxes.height);
}

void TfrmSettei::ChooseShape(int buttonId) {
  // The shape buttons' ids are the shapes' codes.
  const auto shape = static_cast<BoxKind>(buttonId);
  Edit([shape](SheetParams& p) { SetBoxKind(p, shape); }, ShapeChoiceMarksModified(shape));
  EnableSizeBoxes(shape);
}

void TfrmSettei::ShowZoom(const QString& caption) { btnKakudai_->setText(caption); }

bool TfrmSettei::ShowFor(const SheetParams& params, const QRect& page, const QRect& panel) {
  // Right of the page, so that the teacher watches the boxes change while the
  // question numbers and the tool panel stay in view. A narrow screen puts it
  // at the screen's right edge, over the page's right side, never over the
  // panel or the page's left edge where the numbers are.
  // Sized as it will show: the style's fonts and margins apply on polishing.
  ensurePolished();
  if (layout()) layout()->activate();
  const int width = std::max(sizeHint().width(), minimumSizeHint().width());
  QRect place(page.right() + 8, panel.top(), width, panel.height());
  const QScreen* screen = QGuiApplication::screenAt(panel.center());
  if (!screen) screen = this->screen();
  if (screen) {
    // The window's frame counts too; the main window's frame tells its size.
    QMargins frame;
    if (const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr) {
      const QRect outer = main->frameGeometry();
      const QRect inner = main->geometry();
      frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    const QRect available = screen->availableGeometry().marginsRemoved(frame);
    if (place.right() > available.right()) place.moveRight(available.right());
    place.moveLeft(std::max(place.left(), std::max(panel.right() + 1, available.left())));
    place.setTop(std::max(place.top(), available.top()));
    place.setBottom(std::min(place.bottom(), available.bottom()));
  }
  setGeometry(place);
  LoadFrom(params);
  suspended_ = true;
  MarkShape(params.AnswerBoxKind());
  EnableSizeBoxes(params.AnswerBoxKind());
  suspended_ = false;
  return exec() == QDialog::Accepted;
}

int TfrmSettei::WidthValue() const { return spnKranWX_->value(); }
int TfrmSettei::HeightValue() const { return spnKranH_->value(); }

bool TfrmSettei::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Escape:
      reject();
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (host_.scroll) host_.scroll();
      return true;
    case Qt::Key_S:
      if (host_.toggleZoom) host_.toggleZoom();
      return true;
    case Qt::Key_Backspace:
      return true;
    default:
      break;
  }
  // Typed characters reach the focused box; cursor keys, Delete and the like
  // do nothing, so values change through the spin and arrow buttons.
  if (!key->text().isEmpty() && key->text().at(0).isPrint()) return false;
  return true;
}

}  // namespace tavolo
