#include "gui/authoring/frm_random_try.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "draw/font_substitution.h"
#include "draw/qt_text.h"

namespace tavolo {

namespace {

// The largest variant number an author is offered; copies are numbered far below it.
constexpr int kLastVariant = 100'000;

QFont ReadableFont() {
  QFont font(SubstituteFontFamily(QStringLiteral("ＭＳ ゴシック")));
  font.setPointSize(12);
  return font;
}

std::string ValuesText(const std::vector<NamedValue>& values) {
  std::string text;
  for (const NamedValue& value : values)
    text += (text.empty() ? "" : ", ") + value.name + " = " + value.text;
  return text;
}

std::string AnswersText(const std::vector<std::string>& answers) {
  std::string text;
  for (const std::string& answer : answers) text += (text.empty() ? "" : "  ") + answer;
  return text;
}

}  // namespace

TfrmRandomTry::TfrmRandomTry(const UnitContent& unit, const std::vector<std::string>& messages,
                             QWidget* parent)
    : QDialog(parent), preview_(unit), messages_(messages) {
  setObjectName("frmRandomTry");
  setWindowTitle(QStringLiteral("試す（乱数）"));
  setModal(true);
  CreateControls();
  CreateLayout();
  connect(spnVariant_, &QSpinBox::valueChanged, this, &TfrmRandomTry::ShowVariant);
  // A row of the table opens that variant above it.
  connect(grdVariants_, &QTableWidget::cellActivated, this,
          [this](int row, int) { spnVariant_->setValue(row + 1); });
  connect(btnClose_, &QPushButton::clicked, this, &QDialog::accept);
  ShowTable();
  ShowVariant(spnVariant_->value());
}

TfrmRandomTry::~TfrmRandomTry() = default;

void TfrmRandomTry::CreateControls() {
  lblMessages_ = new QLabel(this);
  lblMessages_->setObjectName("lblMessages");
  lblMessages_->setAccessibleName(QStringLiteral("チェックの結果"));
  lblMessages_->setWordWrap(true);
  lblMessages_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A few lines are read; the rest is counted (OK tells the errors again).
  constexpr std::size_t kShownMessages = 8;
  QStringList lines;
  for (std::size_t i = 0; i < messages_.size() && i < kShownMessages; ++i)
    lines << ToQString(messages_[i]);
  if (messages_.size() > kShownMessages)
    lines << QStringLiteral("ほかに %1 件あります").arg(messages_.size() - kShownMessages);
  lblMessages_->setText(lines.join(QLatin1Char('\n')));
  lblMessages_->setVisible(!messages_.empty());

  spnVariant_ = new QSpinBox(this);
  spnVariant_->setObjectName("spnVariant");
  spnVariant_->setAccessibleName(QStringLiteral("変数の組"));
  spnVariant_->setRange(1, kLastVariant);
  spnVariant_->setEnabled(preview_.HasRandomData());

  memVariant_ = new QPlainTextEdit(this);
  memVariant_->setObjectName("memVariant");
  memVariant_->setAccessibleName(QStringLiteral("問題と解答"));
  memVariant_->setReadOnly(true);
  memVariant_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memVariant_->setFont(ReadableFont());

  grdVariants_ = new QTableWidget(0, 4, this);
  grdVariants_->setObjectName("grdVariants");
  grdVariants_->setAccessibleName(QStringLiteral("変数の組の一覧"));
  grdVariants_->setHorizontalHeaderLabels({QStringLiteral("番号"), QStringLiteral("値"),
                                           QStringLiteral("解答"), QStringLiteral("重複")});
  grdVariants_->verticalHeader()->hide();
  grdVariants_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdVariants_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdVariants_->setSelectionMode(QAbstractItemView::SingleSelection);
  grdVariants_->horizontalHeader()->setStretchLastSection(true);
  grdVariants_->setFont(ReadableFont());

  lblDistinct_ = new QLabel(this);
  lblDistinct_->setObjectName("lblDistinct");
  lblDistinct_->setAccessibleName(QStringLiteral("異なる問題の数"));

  btnClose_ = new QPushButton(QStringLiteral("閉じる"), this);
  btnClose_->setObjectName("btnClose");
  btnClose_->setAccessibleName(QStringLiteral("閉じる"));
}

void TfrmRandomTry::CreateLayout() {
  auto* pick = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("変数の組"), this);
  label->setBuddy(spnVariant_);
  pick->addWidget(label);
  pick->addWidget(spnVariant_);
  pick->addStretch(1);
  auto* variantList = new QLabel(
      QStringLiteral("変数の組 1～%1 番（行をダブルクリックするとその組を上に表示します）")
          .arg(kTableRows),
      this);
  variantList->setBuddy(grdVariants_);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lblDistinct_, 1);
  bottom->addWidget(btnClose_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblMessages_);
  layout->addLayout(pick);
  layout->addWidget(memVariant_, 2);
  layout->addWidget(variantList);
  layout->addWidget(grdVariants_, 3);
  layout->addLayout(bottom);
  resize(760, 680);
}

void TfrmRandomTry::ShowVariant(int n) {
  const VariantText text = preview_.Text(n);
  std::vector<std::string> lines;
  if (!text.random.problems.empty()) {
    lines.emplace_back("この組は表示できません:");
    lines.insert(lines.end(), text.random.problems.begin(), text.random.problems.end());
  } else {
    if (text.random.number > 0)
      lines.push_back("変数の組 " + std::to_string(text.random.number) + "（" +
                      text.random.fingerprint + "）: " + ValuesText(text.random.values));
    else
      lines.emplace_back("この単元には乱数がありません（書いたとおりに表示します）");
    lines.emplace_back();
    lines.insert(lines.end(), text.lines.begin(), text.lines.end());
  }
  memVariant_->setPlainText(JoinedLines(lines));
}

void TfrmRandomTry::ShowTable() {
  const VariantTable table = preview_.Table(1, kTableRows);
  grdVariants_->setRowCount(static_cast<int>(table.rows.size()));
  for (int r = 0; r < grdVariants_->rowCount(); ++r) {
    const VariantRow& row = table.rows[static_cast<std::size_t>(r)];
    const std::string cells[] = {
        std::to_string(row.number), ValuesText(row.values),
        row.problem.empty() ? AnswersText(row.answers) : row.problem,
        row.repeatOf > 0 ? "= " + std::to_string(row.repeatOf) : std::string()};
    for (int c = 0; c < 4; ++c)
      grdVariants_->setItem(r, c, new QTableWidgetItem(ToQString(cells[c])));
  }
  grdVariants_->resizeColumnsToContents();
  if (!preview_.HasRandomData()) {
    lblDistinct_->setText(QStringLiteral("乱数の欄が空なので、どの番号も同じ問題です"));
  } else if (!table.problems.empty()) {
    lblDistinct_->setText(QStringLiteral("乱数の欄に誤りがあるため、問題を作れません"));
  } else {
    QString text =
        QStringLiteral("異なる問題: %1 通り（1～%2 番のうち）").arg(table.distinct).arg(kTableRows);
    if (table.combinations > 0)
      text += QStringLiteral("　値の組は全部で %1 通り").arg(table.combinations);
    lblDistinct_->setText(text);
  }
}

}  // namespace tavolo
