#pragma once
// How a unit's runs went: the score of each run in record order (0 to 100)
// and the time it took, with the date and the record line of a run shown when
// the mouse rests on its point.

#include <QChartView>
#include <optional>
#include <vector>

#include "app/records_viewer.h"

class QLineSeries;
class QValueAxis;

namespace tavolo {

class ScoreChart final : public QChartView {
  Q_OBJECT
 public:
  explicit ScoreChart(QWidget* parent = nullptr);

  // The runs of one section (its name is the chart's title); no runs empties
  // the chart and says so.
  void ShowRuns(const std::string& section, const std::vector<RunPoint>& runs);
  void Clear();

  QLineSeries* ScoreSeries() const { return score_; }
  QLineSeries* TimeSeries() const { return time_; }
  QValueAxis* TimeAxis() const { return timeAxis_; }
  // The text shown for the run at a 1-based position among the points.
  QString RunText(int point) const;
  // The point (1-based) whose score or time mark lies under a position of the
  // view, within a few pixels.
  std::optional<int> PointAt(const QPoint& viewPos) const;

 signals:
  // The mouse came to rest on a run's mark (its text) or left them (empty).
  void runHovered(const QString& text);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

  // A run's time in the time axis's unit: seconds for short runs, else minutes.
  double TimeValue(int elapsedSeconds) const {
    return static_cast<double>(elapsedSeconds) / secondsPerTimeUnit_;
  }

  std::vector<RunPoint> runs_;
  int secondsPerTimeUnit_ = 60;
  std::optional<int> hovered_;
  QLineSeries* score_;
  QLineSeries* time_;
  QValueAxis* runAxis_;
  QValueAxis* scoreAxis_;
  QValueAxis* timeAxis_;
};

}  // namespace tavolo
