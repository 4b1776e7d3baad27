#include "gui/practice/frm_class_records.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/sign_on.h"
#include "draw/qt_text.h"
#include "gui/app/widget_helpers.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

constexpr int kColumnWidth = 84;
constexpr int kHeaderLines = 3;  // the unit's place and two lines of caption
const QColor kRunsWithoutScore(0xE8, 0xE8, 0xE8);

// A header's text in lines that fit the column: the unit's place, then its
// caption broken where the column ends, the last line cut short with "…".
QString FitHeader(const QString& text, const QFontMetrics& metrics, int width, int maxLines) {
  QStringList out;
  for (const QString& part : text.split(QLatin1Char('\n'))) {
    QString line;
    for (const QChar c : part) {
      if (!line.isEmpty() && metrics.horizontalAdvance(line + c) > width) {
        out << line;
        line.clear();
      }
      line += c;
    }
    out << line;
  }
  if (out.size() > maxLines) {
    QStringList kept = out.mid(0, maxLines);
    kept.last() =
        metrics.elidedText(kept.last() + out.mid(maxLines).join(QString()), Qt::ElideRight, width);
    out = kept;
  }
  return out.join(QLatin1Char('\n'));
}

}  // namespace

QColor TfrmClassRecords::ScoreColour(int best) {
  const int score = std::clamp(best, 0, 100);
  // Hue 0 is red and 120 green; pale enough for black digits on top.
  return QColor::fromHsv(score * 120 / 100, 110, 250);
}

TfrmClassRecords::TfrmClassRecords(const AppState& app, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), app_(app), dialogs_(dialogs) {
  setObjectName("frmClassRecords");
  setWindowTitle(QStringLiteral("学級の記録"));

  cmbLesson_ = new QComboBox(this);
  cmbLesson_->setObjectName("cmbLesson");
  cmbLesson_->setAccessibleName(QStringLiteral("レッスン"));
  auto* lblLesson = new QLabel(QStringLiteral("レッスン"), this);
  lblLesson->setObjectName("lblLesson");
  lblLesson->setBuddy(cmbLesson_);

  tblRecords_ = new QTableWidget(this);
  tblRecords_->setObjectName("tblRecords");
  tblRecords_->setAccessibleName(QStringLiteral("学習者と単元ごとの最高点"));
  tblRecords_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblRecords_->setSelectionMode(QAbstractItemView::SingleSelection);
  tblRecords_->setWordWrap(false);
  tblRecords_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  tblRecords_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  tblRecords_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

  auto* lblLegend = new QLabel(QStringLiteral("数字は単元ごとの最高点です（赤 0点 〜 緑 100点）。"
                                              "セルにマウスを置くと、回数と最近の記録が出ます。"),
                               this);
  lblLegend->setObjectName("lblLegend");
  lblLegend->setAccessibleName(lblLegend->text());
  lblSummary_ = new QLabel(this);
  lblSummary_->setObjectName("lblSummary");
  lblProblems_ = new QLabel(this);
  lblProblems_->setObjectName("lblProblems");
  lblProblems_->setWordWrap(true);
  lblProblems_->setStyleSheet(QStringLiteral("color: #c00000;"));
  lblProblems_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  btnReload_ = PlainButton(QStringLiteral("読み直す"), "btnReload", this);
  btnCsv_ = PlainButton(QStringLiteral("CSVファイルに保存"), "btnCsv", this);
  btnClose_ = PlainButton(QStringLiteral("閉じる"), "btnClose", this);

  auto* top = new QHBoxLayout;
  top->addWidget(lblLesson);
  top->addWidget(cmbLesson_, 1);
  top->addWidget(btnReload_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(lblSummary_, 1);
  buttons->addWidget(btnCsv_);
  buttons->addWidget(btnClose_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(lblLegend);
  layout->addWidget(tblRecords_, 1);
  layout->addWidget(lblProblems_);
  layout->addLayout(buttons);
  resize(1100, 620);

  connect(cmbLesson_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) LoadLesson(index + 1);
  });
  connect(btnReload_, &QPushButton::clicked, this,
          [this] { LoadLesson(cmbLesson_->currentIndex() + 1); });
  connect(btnCsv_, &QPushButton::clicked, this, &TfrmClassRecords::btnCsvClick);
  connect(btnClose_, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmClassRecords::ShowOverview(int lesson) {
  const int count = static_cast<int>(app_.Course().lessons.size());
  lesson = std::clamp(lesson, 1, std::max(count, 1));
  {
    const QSignalBlocker notAChoice(cmbLesson_);
    cmbLesson_->clear();
    for (std::size_t i = 0; i < app_.Course().lessons.size(); ++i)
      cmbLesson_->addItem(QString::number(i + 1) + QStringLiteral("  ") +
                          ToQString(app_.Course().lessons[i].caption));
    cmbLesson_->setCurrentIndex(lesson - 1);
  }
  LoadLesson(lesson);
  tblRecords_->setFocus();
  exec();
}

void TfrmClassRecords::LoadLesson(int lesson) {
  records_ = CollectClassRecords(app_, lesson, std::nullopt);
  // The class's own order, when the roster can be read; the overview never
  // creates or changes it.
  std::vector<std::string> roster;
  if (auto lines = ReadLines(DefaultRosterFile(app_))) roster = std::move(lines).value();
  grid_ = records_.lessons.empty()
              ? ClassGrid{lesson, {}, {}, {}}
              : BuildClassGrid(app_.Course(), records_.lessons.front(), roster);
  ShowGrid();
}

void TfrmClassRecords::ShowGrid() {
  tblRecords_->setUpdatesEnabled(false);
  tblRecords_->clear();
  tblRecords_->setColumnCount(static_cast<int>(grid_.columns.size()));
  tblRecords_->setRowCount(static_cast<int>(grid_.learners.size()));
  for (int c = 0; c < static_cast<int>(grid_.columns.size()); ++c) {
    const ClassGridColumn& column = grid_.columns[static_cast<std::size_t>(c)];
    const QFontMetrics metrics(tblRecords_->horizontalHeader()->font());
    auto* header = new QTableWidgetItem(
        FitHeader(ToQString(column.header), metrics, kColumnWidth - 8, kHeaderLines));
    header->setToolTip(ToQString(column.section));
    tblRecords_->setHorizontalHeaderItem(c, header);
  }
  for (int r = 0; r < static_cast<int>(grid_.learners.size()); ++r) {
    tblRecords_->setVerticalHeaderItem(
        r, new QTableWidgetItem(ToQString(grid_.learners[static_cast<std::size_t>(r)])));
    const auto& row = grid_.cells[static_cast<std::size_t>(r)];
    for (int c = 0; c < static_cast<int>(row.size()); ++c) {
      const ClassGridCell& cell = row[static_cast<std::size_t>(c)];
      auto* item = new QTableWidgetItem(ToQString(cell.Text()));
      item->setTextAlignment(Qt::AlignCenter);
      item->setToolTip(ToQString(cell.hover));
      if (cell.best)
        item->setBackground(ScoreColour(*cell.best));
      else if (cell.runs > 0)
        item->setBackground(kRunsWithoutScore);
      tblRecords_->setItem(r, c, item);
    }
  }
  tblRecords_->setUpdatesEnabled(true);

  int runs = 0;
  for (const auto& row : grid_.cells)
    for (const ClassGridCell& cell : row) runs += cell.runs;
  lblSummary_->setText(QStringLiteral("学習者 %1 人　単元 %2　記録 %3 件")
                           .arg(grid_.learners.size())
                           .arg(grid_.columns.size())
                           .arg(runs));
  lblSummary_->setAccessibleName(lblSummary_->text());
  lblProblems_->setText(JoinedLines(records_.problems));
  lblProblems_->setVisible(!records_.problems.empty());
  lblProblems_->setAccessibleName(lblProblems_->text());
  btnCsv_->setEnabled(!grid_.learners.empty());
}

void TfrmClassRecords::btnCsvClick() {
  // The teacher's own folder: a course folder may be read-only or shared.
  const std::string folder = app_.RecordDrive().empty() ? app_.CourseFolder() : app_.RecordDrive();
  const std::string suggested =
      folder + "学級の記録_レッスン" + std::to_string(grid_.lesson) + ".csv";
  SaveClassRecordsCsv(records_, suggested, dialogs_);
  activateWindow();
}

}  // namespace tavolo
