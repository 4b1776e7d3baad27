#include "gui/practice/score_chart.h"

#include <QChart>
#include <QCursor>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "draw/qt_text.h"

namespace tavolo {

namespace {

const QColor kScoreColour(0x1f, 0x5f, 0xbf);
const QColor kTimeColour(0xe0, 0x80, 0x10);

// A step between run numbers that leaves about ten labels on the axis.
int RunStep(int runs) {
  for (int step : {1, 2, 5, 10, 20, 50, 100, 200, 500})
    if (runs / step <= 10) return step;
  return 1000;
}

// Runs up to two minutes long are charted in seconds, longer ones in minutes.
constexpr int kLongestInSeconds = 120;

// A whole-numbered step of the time axis that leaves at most six steps up
// to the longest run (in the axis's unit), and the top that ends the last one.
struct TimeTicks {
  int step = 1;
  int top = 1;
};
TimeTicks TicksFor(double longest) {
  for (int step : {1, 2, 5, 10, 15, 20, 30, 60, 120, 300, 600, 1200, 3000}) {
    const int steps = std::max(1, static_cast<int>(std::ceil(longest / step)));
    if (steps <= 6) return {step, steps * step};
  }
  const int step = 6000;
  return {step, std::max(1, static_cast<int>(std::ceil(longest / step))) * step};
}

}  // namespace

// The view is made with its chart: a view made without one makes a default
// chart of its own, which setChart would hand back to nobody (a leak).
ScoreChart::ScoreChart(QWidget* parent) : QChartView(new QChart, parent) {
  setObjectName("chtScore");
  setAccessibleName(QStringLiteral("得点の推移"));
  setRenderHint(QPainter::Antialiasing);
  setMinimumSize(360, 240);

  QChart* chart = this->chart();
  chart->setObjectName("chart");
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));

  score_ = new QLineSeries(chart);
  score_->setObjectName("serScore");
  score_->setName(QStringLiteral("得点"));
  score_->setPointsVisible(true);
  score_->setMarkerSize(7);
  QPen scorePen(kScoreColour);
  scorePen.setWidth(2);
  score_->setPen(scorePen);
  time_ = new QLineSeries(chart);
  time_->setObjectName("serTime");
  time_->setName(QStringLiteral("所要時間（分）"));
  time_->setPointsVisible(true);
  time_->setMarkerSize(5);
  QPen timePen(kTimeColour);
  timePen.setWidth(1);
  timePen.setStyle(Qt::DashLine);
  time_->setPen(timePen);
  chart->addSeries(score_);
  chart->addSeries(time_);

  runAxis_ = new QValueAxis(chart);
  runAxis_->setTitleText(QStringLiteral("回"));
  runAxis_->setLabelFormat(QStringLiteral("%d"));
  runAxis_->setTickType(QValueAxis::TicksDynamic);
  runAxis_->setTickAnchor(0);
  scoreAxis_ = new QValueAxis(chart);
  scoreAxis_->setTitleText(QStringLiteral("得点"));
  // A little room above 100, so that full marks are not cut by the frame.
  scoreAxis_->setRange(0, 108);
  scoreAxis_->setTickType(QValueAxis::TicksDynamic);
  scoreAxis_->setTickAnchor(0);
  scoreAxis_->setTickInterval(20);
  scoreAxis_->setLabelFormat(QStringLiteral("%d"));
  scoreAxis_->setLabelsColor(kScoreColour);
  timeAxis_ = new QValueAxis(chart);
  timeAxis_->setLabelFormat(QStringLiteral("%d"));
  timeAxis_->setTickType(QValueAxis::TicksDynamic);
  timeAxis_->setTickAnchor(0);
  timeAxis_->setLabelsColor(kTimeColour);
  timeAxis_->setGridLineVisible(false);
  chart->addAxis(runAxis_, Qt::AlignBottom);
  chart->addAxis(scoreAxis_, Qt::AlignLeft);
  chart->addAxis(timeAxis_, Qt::AlignRight);
  score_->attachAxis(runAxis_);
  score_->attachAxis(scoreAxis_);
  time_->attachAxis(runAxis_);
  time_->attachAxis(timeAxis_);

  viewport()->setMouseTracking(true);
  Clear();
}

void ScoreChart::Clear() { ShowRuns({}, {}); }

void ScoreChart::ShowRuns(const std::string& section, const std::vector<RunPoint>& runs) {
  runs_ = runs;
  if (hovered_) {
    hovered_.reset();
    emit runHovered(QString());
  }
  int longestSeconds = 0;
  for (const RunPoint& run : runs)
    longestSeconds = std::max(longestSeconds, run.record.elapsedSeconds);
  secondsPerTimeUnit_ = longestSeconds <= kLongestInSeconds ? 1 : 60;
  const bool seconds = secondsPerTimeUnit_ == 1;
  time_->setName(seconds ? QStringLiteral("所要時間（秒）") : QStringLiteral("所要時間（分）"));
  timeAxis_->setTitleText(seconds ? QStringLiteral("秒") : QStringLiteral("分"));
  QList<QPointF> scores, times;
  for (const RunPoint& run : runs) {
    scores.append(QPointF(run.run, run.record.score));
    times.append(QPointF(run.run, TimeValue(run.record.elapsedSeconds)));
  }
  score_->replace(scores);
  time_->replace(times);
  const int last = runs.empty() ? 1 : runs.back().run;
  // The coarser step first: a long range with a fine step would lay out a
  // label for every run before the step changes.
  const int step = RunStep(last);
  runAxis_->setTickInterval(std::max<qreal>(step, runAxis_->tickInterval()));
  runAxis_->setRange(0.5, last + 0.5);
  runAxis_->setTickInterval(step);
  const TimeTicks ticks = TicksFor(TimeValue(longestSeconds));
  timeAxis_->setTickInterval(std::max<qreal>(ticks.step, timeAxis_->tickInterval()));
  timeAxis_->setRange(0, ticks.top);
  timeAxis_->setTickInterval(ticks.step);
  if (section.empty()) {
    chart()->setTitle(QString());
  } else if (runs.empty()) {
    chart()->setTitle(ToQString(section) + QStringLiteral("　（グラフにできる記録はありません）"));
  } else {
    chart()->setTitle(ToQString(section));
  }
}

QString ScoreChart::RunText(int point) const {
  if (point < 1 || point > static_cast<int>(runs_.size())) return {};
  const RunPoint& run = runs_[static_cast<std::size_t>(point - 1)];
  const RunRecord& r = run.record;
  QString text = QStringLiteral("%1回目　%2 %3")
                     .arg(run.run)
                     .arg(ToQString(DateKanjiText(r.when)), ToQString(TimeText(r.when)));
  if (r.variant > 0) text += QStringLiteral("　類題%1").arg(r.variant);
  text += QStringLiteral("\n得点 %1点（%2/%3）　所要時間 %4")
              .arg(r.score)
              .arg(r.correct)
              .arg(r.total)
              .arg(ToQString(ElapsedText(r.elapsedSeconds)));
  return text;
}

std::optional<int> ScoreChart::PointAt(const QPoint& viewPos) const {
  constexpr qreal kReach = 9;  // pixels around a mark that still count as on it
  const QPointF at = chart()->mapFromScene(mapToScene(viewPos));
  std::optional<int> nearest;
  qreal best = kReach * kReach;
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    const RunPoint& run = runs_[i];
    const QPointF marks[] = {
        chart()->mapToPosition(QPointF(run.run, run.record.score), score_),
        chart()->mapToPosition(QPointF(run.run, TimeValue(run.record.elapsedSeconds)), time_)};
    for (const QPointF& mark : marks) {
      const QPointF d = mark - at;
      const qreal distance = d.x() * d.x() + d.y() * d.y();
      if (distance <= best) {
        best = distance;
        nearest = static_cast<int>(i) + 1;
      }
    }
  }
  return nearest;
}

void ScoreChart::mouseMoveEvent(QMouseEvent* event) {
  QChartView::mouseMoveEvent(event);
  const auto point = PointAt(event->position().toPoint());
  if (point == hovered_) return;
  hovered_ = point;
  const QString text = point ? RunText(*point) : QString();
  if (point)
    QToolTip::showText(event->globalPosition().toPoint(), text, this);
  else
    QToolTip::hideText();
  emit runHovered(text);
}

}  // namespace tavolo
