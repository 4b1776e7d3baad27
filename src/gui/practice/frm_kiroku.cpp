#include "gui/practice/frm_kiroku.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>

#include "draw/font_substitution.h"
#include "draw/qt_text.h"
#include "gui/practice/score_chart.h"

namespace tavolo {

namespace {

// The lists line their counts up in a font whose half-width characters are
// all one width.
QFont GothicFont(const QFont& base) {
  QFont font = base;
  font.setFamily(SubstituteFontFamily(QStringLiteral("ＭＳ ゴシック")));
  font.setPointSizeF(std::max(base.pointSizeF(), 10.5));
  return font;
}

}  // namespace

TfrmKiroku::TfrmKiroku(const AppState& app, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), viewer_(app) {
  setObjectName("frmKiroku");
  setWindowTitle(QStringLiteral("実行記録"));

  auto* lblClick = new QLabel(QStringLiteral("単元をクリックして下さい"), this);
  lblClick->setObjectName("lblClick");
  lstTitle_ = new QListWidget(this);
  lstTitle_->setObjectName("lstTitle");
  lstTitle_->setAccessibleName(QStringLiteral("単元"));
  lstTitle_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lstTitle_->setFont(GothicFont(lstTitle_->font()));
  lblClick->setBuddy(lstTitle_);

  edtName_ = new QLineEdit(this);
  edtName_->setObjectName("edtName");
  edtName_->setReadOnly(true);
  edtName_->setFocusPolicy(Qt::NoFocus);
  edtName_->setAccessibleName(QStringLiteral("ログオン名"));
  auto* lblName = new QLabel(QStringLiteral("ログオン名"), this);
  lblName->setObjectName("lblName");
  lblName->setBuddy(edtName_);

  memDetail_ = new QPlainTextEdit(this);
  memDetail_->setObjectName("memDetail");
  memDetail_->setAccessibleName(QStringLiteral("記録"));
  memDetail_->setReadOnly(true);
  memDetail_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memDetail_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memDetail_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memDetail_->setFont(GothicFont(memDetail_->font()));
  chart_ = new ScoreChart(this);
  // The run under the mouse, also where tooltips do not show (touch screens).
  lblRun_ = new QLabel(this);
  lblRun_->setObjectName("lblRun");
  lblRun_->setMinimumHeight(lblRun_->fontMetrics().lineSpacing() * 2);
  lblRun_->setAccessibleName(QStringLiteral("グラフの記録"));
  connect(chart_, &ScoreChart::runHovered, lblRun_, [this](const QString& text) {
    lblRun_->setText(
        text.isEmpty() ? QStringLiteral("グラフの点にマウスを置くと、その回の記録が出ます") : text);
  });
  emit chart_->runHovered(QString());

  btnErase_ = new QPushButton(QStringLiteral("記録消去"), this);
  btnErase_->setObjectName("btnErase");
  btnReturn_ = new QPushButton(QStringLiteral("閉じる"), this);
  btnReturn_->setObjectName("btnReturn");
  for (QPushButton* button : {btnErase_, btnReturn_}) {
    button->setAccessibleName(button->text());
    button->setAutoDefault(false);
  }

  auto* listSide = new QWidget(this);
  auto* listLayout = new QVBoxLayout(listSide);
  listLayout->setContentsMargins(0, 0, 0, 0);
  listLayout->addWidget(lblClick);
  listLayout->addWidget(lstTitle_, 1);
  auto* details = new QSplitter(Qt::Vertical, this);
  details->setObjectName("splDetail");
  details->addWidget(memDetail_);
  auto* chartSide = new QWidget(this);
  auto* chartLayout = new QVBoxLayout(chartSide);
  chartLayout->setContentsMargins(0, 0, 0, 0);
  chartLayout->addWidget(chart_, 1);
  chartLayout->addWidget(lblRun_);
  details->addWidget(chartSide);
  details->setStretchFactor(0, 2);
  details->setStretchFactor(1, 3);
  auto* sides = new QSplitter(Qt::Horizontal, this);
  sides->setObjectName("splSides");
  sides->addWidget(listSide);
  sides->addWidget(details);
  sides->setStretchFactor(0, 2);
  sides->setStretchFactor(1, 3);
  sides->setChildrenCollapsible(false);

  auto* top = new QHBoxLayout;
  top->addStretch();
  top->addWidget(lblName);
  top->addWidget(edtName_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnErase_);
  buttons->addStretch();
  buttons->addWidget(btnReturn_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(sides, 1);
  layout->addLayout(buttons);
  resize(1040, 640);

  connect(lstTitle_, &QListWidget::currentRowChanged, this, &TfrmKiroku::lstTitleClick);
  connect(lstTitle_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { lstTitleClick(lstTitle_->row(item)); });
  connect(btnErase_, &QPushButton::clicked, this, &TfrmKiroku::btnEraseClick);
  connect(btnReturn_, &QPushButton::clicked, this, &QDialog::accept);
}

bool TfrmKiroku::ShowRecords(int lesson, const std::string& learner,
                             const std::string& unitSection) {
  Prepare(lesson, learner, unitSection);
  exec();
  return viewer_.Erased();
}

void TfrmKiroku::Prepare(int lesson, const std::string& learner, const std::string& unitSection) {
  viewer_.Open(lesson, learner, dialogs_);
  edtName_->setText(ToQString(viewer_.Learner()));
  FillList();
  if (!unitSection.empty()) {
    if (auto entry = viewer_.FindEntry(unitSection)) {
      lstTitle_->setCurrentRow(*entry);
      lstTitle_->scrollToItem(lstTitle_->item(*entry), QAbstractItemView::PositionAtCenter);
    }
  }
  lstTitle_->setFocus();
}

void TfrmKiroku::FillList() {
  const QSignalBlocker notAClick(lstTitle_);
  lstTitle_->clear();
  for (const RecordsListEntry& entry : viewer_.Entries()) {
    auto* item = new QListWidgetItem(ToQString(entry.text), lstTitle_);
    if (entry.heading) {
      QFont bold = item->font();
      bold.setBold(true);
      item->setFont(bold);
    }
  }
  lstTitle_->setCurrentRow(-1);
  memDetail_->clear();
  chart_->Clear();
}

void TfrmKiroku::lstTitleClick(int row) {
  // An entry that only became current (the list taking the focus) is not
  // chosen; a click or an arrow key selects it.
  if (row < 0 || !lstTitle_->item(row)->isSelected()) return;
  memDetail_->setPlainText(JoinedLines(viewer_.DetailLines(row)));
  chart_->ShowRuns(viewer_.SectionAt(row), viewer_.Runs(row));
}

void TfrmKiroku::btnEraseClick() {
  std::optional<int> index;
  if (!lstTitle_->selectedItems().isEmpty()) {
    const int current = lstTitle_->currentRow();
    index = current >= 0 ? current : lstTitle_->row(lstTitle_->selectedItems().front());
  }
  // Only a changed file rebuilds the list; a refused write leaves it as it was.
  if (viewer_.Erase(index, dialogs_)) FillList();
  activateWindow();
  lstTitle_->setFocus();
}

}  // namespace tavolo
