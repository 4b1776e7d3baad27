#include "gui/app/frm_menu.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "draw/qt_text.h"
#include "gui/app/widget_helpers.h"

namespace tavolo {

namespace {

const QString kChooseItem = QStringLiteral("項目を選んでください");
const QColor kUnitPanelColour(0x00, 0xFF, 0xFF);      // aqua
const QColor kSimilarChosenColour(0xFF, 0x00, 0x00);  // red

QLabel* Panel(const QString& text, const char* name, QWidget* parent) {
  auto* panel = new QLabel(text, parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setAlignment(Qt::AlignCenter);
  panel->setMinimumHeight(28);
  panel->setAutoFillBackground(true);
  return panel;
}

}  // namespace

TfrmMenu::TfrmMenu(AppState& app, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), menu_(app) {
  setObjectName("frmMenu");
  setWindowTitle(QStringLiteral("マスターファイルを開く"));

  pnlTitle_ = Panel(QString(), "pnlTitle", this);
  QFont titleFont = pnlTitle_->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
  titleFont.setBold(true);
  pnlTitle_->setFont(titleFont);
  pnlTitle_->setMinimumHeight(44);
  pnlLesson_ = Panel(kChooseItem, "pnlLesson", this);
  pnlSection_ = Panel(kChooseItem, "pnlSection", this);
  pnlUnit_ = Panel(kChooseItem, "pnlUnit", this);
  Colour(pnlUnit_, kUnitPanelColour);

  lstLesson_ = CourseList("lstLesson", this);
  lstSection_ = CourseList("lstSection", this);
  lstUnit_ = CourseList("lstUnit", this);
  lstRuidai_ = CourseList("lstRuidai", this);
  lstRuidai_->setSelectionMode(QAbstractItemView::MultiSelection);
  // The panels above the lists are no labels: screen readers get the names here.
  lstLesson_->setAccessibleName(QStringLiteral("レッスン"));
  lstSection_->setAccessibleName(QStringLiteral("主メニュー"));
  lstUnit_->setAccessibleName(QStringLiteral("副メニュー"));
  lstRuidai_->setAccessibleName(QStringLiteral("類題"));
  for (QListWidget* list : {lstLesson_, lstSection_, lstUnit_}) list->installEventFilter(this);

  lblRuidai_ = new QLabel(QStringLiteral("類題"), this);
  lblRuidai_->setObjectName("lblRuidai");
  btnRuidaiClear_ = new QPushButton(QStringLiteral("類題選択解除"), this);
  btnRuidaiClear_->setObjectName("btnRuidaiClear");
  auto* lblCount = new QLabel(QStringLiteral("［　］の中の数字は練習回数です"), this);
  lblCount->setObjectName("lblCount");
  btnOk_ = new QPushButton(QStringLiteral("　Ｏ　Ｋ　"), this);
  btnOk_->setObjectName("btnOk");
  btnOk_->setDefault(true);
  btnCancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  btnCancel_->setObjectName("btnCancel");
  btnZenTangen_ = new QPushButton(QStringLiteral("全単元表示"), this);
  btnZenTangen_->setObjectName("btnZenTangen");
  btnShowRecord_ = new QPushButton(QStringLiteral("記録表示"), this);
  btnShowRecord_->setObjectName("btnShowRecord");
  for (QPushButton* b : {btnRuidaiClear_, btnCancel_, btnZenTangen_, btnShowRecord_})
    b->setAutoDefault(false);

  auto* lists = new QGridLayout;
  lists->addWidget(pnlLesson_, 0, 0);
  lists->addWidget(pnlSection_, 0, 1);
  lists->addWidget(pnlUnit_, 0, 2);
  lists->addWidget(lstLesson_, 1, 0);
  lists->addWidget(lstSection_, 1, 1);
  lists->addWidget(lstUnit_, 1, 2);
  auto* similar = new QVBoxLayout;
  similar->addWidget(lblRuidai_);
  similar->addWidget(lstRuidai_, 1);
  similar->addWidget(btnRuidaiClear_);
  lists->addLayout(similar, 1, 3);
  lists->setColumnStretch(0, 3);
  lists->setColumnStretch(1, 4);
  lists->setColumnStretch(2, 5);
  lists->setColumnStretch(3, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(lblCount);
  buttons->addStretch();
  buttons->addWidget(btnZenTangen_);
  buttons->addWidget(btnShowRecord_);
  buttons->addSpacing(24);
  buttons->addWidget(btnOk_);
  buttons->addWidget(btnCancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pnlTitle_);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);

  connect(lstLesson_, &QListWidget::currentRowChanged, this, &TfrmMenu::lstLessonClick);
  connect(lstSection_, &QListWidget::currentRowChanged, this, &TfrmMenu::lstSectionClick);
  connect(lstUnit_, &QListWidget::currentRowChanged, this, &TfrmMenu::lstUnitClick);
  connect(lstUnit_, &QListWidget::itemDoubleClicked, this, &TfrmMenu::btnOkClick);
  connect(lstRuidai_, &QListWidget::itemSelectionChanged, this, &TfrmMenu::MarkSimilarChoice);
  connect(btnRuidaiClear_, &QPushButton::clicked, this, &TfrmMenu::btnRuidaiClearClick);
  connect(btnOk_, &QPushButton::clicked, this, &TfrmMenu::btnOkClick);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnZenTangen_, &QPushButton::clicked, this, [this] {
    if (showAllUnits_) showAllUnits_();
  });
  connect(btnShowRecord_, &QPushButton::clicked, this, &TfrmMenu::btnShowRecordClick);
  ShowSimilarProblems();
}

std::optional<CourseMenuChoice> TfrmMenu::ShowOpen(const QRect& area) {
  setGeometry(area);
  setWindowTitle(QStringLiteral("マスターファイルを開く"));
  choice_.reset();
  menu_.PrepareShow(dialogs_);
  ShowLessons();
  btnRuidaiClearClick();
  lstUnit_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return choice_;
}

void TfrmMenu::ShowLessons() {
  pnlTitle_->setText(ToQString(menu_.CourseTitle()));
  {
    const QSignalBlocker notAClick(lstLesson_);
    FillList(lstLesson_, menu_.LessonCaptions());
    lstLesson_->setCurrentRow(menu_.lesson() - 1);
  }
  ShowSections();
}

void TfrmMenu::ShowSections() {
  {
    const QSignalBlocker notAClick(lstSection_);
    FillList(lstSection_, menu_.SectionCaptions());
    lstSection_->setCurrentRow(menu_.section() - 1);
  }
  ShowUnits();
}

void TfrmMenu::ShowUnits() {
  {
    const QSignalBlocker notAClick(lstUnit_);
    FillList(lstUnit_, menu_.UnitRows());
    lstUnit_->setCurrentRow(menu_.unit() - 1);
  }
  ShowSimilarProblems();
}

void TfrmMenu::ShowSimilarProblems() {
  FillList(lstRuidai_, menu_.SimilarEntries());
  const bool any = lstRuidai_->count() > 0;
  lstRuidai_->setVisible(any);
  lblRuidai_->setVisible(any);
  btnRuidaiClear_->setVisible(any);
  MarkSimilarChoice();
}

void TfrmMenu::MarkSimilarChoice() {
  const bool chosen = !lstRuidai_->selectedItems().isEmpty();
  Colour(pnlUnit_, chosen ? kSimilarChosenColour : kUnitPanelColour);
  pnlUnit_->setText(chosen ? QStringLiteral("類題が選択されています") : kChooseItem);
}

void TfrmMenu::lstLessonClick(int row) {
  if (row < 0) return;
  menu_.ChooseLesson(row + 1, dialogs_);
  ShowSections();
}

void TfrmMenu::lstSectionClick(int row) {
  if (row < 0) return;
  menu_.ChooseSection(row + 1);
  ShowUnits();
}

void TfrmMenu::lstUnitClick(int row) {
  if (row < 0) return;
  menu_.ChooseUnit(row + 1);
  ShowSimilarProblems();
  lstUnit_->setFocus();
}

void TfrmMenu::btnRuidaiClearClick() {
  lstRuidai_->clearSelection();
  lstRuidai_->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
  MarkSimilarChoice();
}

void TfrmMenu::btnOkClick() {
  std::optional<int> focused;
  if (!lstRuidai_->selectedItems().isEmpty()) {
    const int current = lstRuidai_->currentRow();
    focused = current >= 0 ? current : lstRuidai_->row(lstRuidai_->selectedItems().front());
  }
  auto choice = menu_.Choose(focused);
  if (!choice) {
    dialogs_.Inform(choice.message());
    return;
  }
  choice_ = std::move(choice).value();
  accept();
}

// The unit rows take their new marks in place: the choices stay as they are.
void TfrmMenu::RefreshUnitMarks() {
  menu_.RefreshUnitMarks();
  const std::vector<std::string> rows = menu_.UnitRows();
  if (static_cast<int>(rows.size()) != lstUnit_->count()) {
    ShowUnits();
    return;
  }
  for (int i = 0; i < lstUnit_->count(); ++i)
    lstUnit_->item(i)->setText(ToQString(rows[static_cast<std::size_t>(i)]));
}

void TfrmMenu::btnShowRecordClick() {
  if (!recordsView_.show) return;
  if (recordsView_.learner().empty()) {
    if (recordsView_.signOn) recordsView_.signOn();
    if (recordsView_.learner().empty()) return;
  }
  if (recordsView_.show(std::max(menu_.lesson(), 1), menu_.ChosenUnitSection())) RefreshUnitMarks();
  lstUnit_->setFocus();
}

bool TfrmMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  QWidget* target = nullptr;
  if (watched == lstUnit_ && key == Qt::Key_Left) target = lstSection_;
  if (watched == lstSection_ && key == Qt::Key_Left) target = lstLesson_;
  if (watched == lstSection_ && key == Qt::Key_Right) target = lstUnit_;
  if (watched == lstLesson_ && key == Qt::Key_Right) target = lstUnit_;
  if (!target) return QDialog::eventFilter(watched, event);
  target->setFocus();
  return true;
}

}  // namespace tavolo
