// The records windows as a class uses them: the viewer opening on a lesson of
// 26 units with 200 runs each (and a unit's lines and chart shown), and the
// class overview of 40 learners laid out.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>

#include "app/class_overview.h"
#include "app/records_viewer.h"
#include "class_records_course.h"
#include "content/course_index.h"
#include "gui/practice/frm_class_records.h"
#include "gui/practice/frm_kiroku.h"

namespace tavolo {
namespace {

// A Dialogs that nobody answers: nothing in these benchmarks should ask.
class SilentDialogs final : public DecliningDialogs {
 public:
  void Inform(std::string_view) override { ++told; }
  int told = 0;
};

AppState StateFor(const bench::ClassRecordsCourse& course) {
  AppState app;
  app.SetCourseFolder(course.folder());
  app.SetWindowsFolder(course.folder() + "data/");
  if (auto index = ReadCourseIndex(app.CourseFolder())) app.SetCourse(std::move(index).value());
  return app;
}

// From the click to the window on the screen with the unit list filled and
// the chosen unit's 200 lines and chart drawn.
void BM_RecordsViewerOpens(benchmark::State& state) {
  const bench::ClassRecordsCourse course(1, 200);
  const AppState app = StateFor(course);
  SilentDialogs dialogs;
  TfrmKiroku viewer(app, dialogs);
  for (auto _ : state) {
    viewer.Prepare(1, bench::ClassRecordsCourse::FirstLearner(),
                   bench::ClassRecordsCourse::FirstUnit());
    viewer.show();
    QApplication::processEvents();
    viewer.repaint();
    viewer.hide();
  }
  if (viewer.Viewer().Entries().size() != 30 || dialogs.told != 0)
    state.SkipWithError("the lesson was not listed");
  state.counters["entries"] = static_cast<double>(viewer.Viewer().Entries().size());
}
BENCHMARK(BM_RecordsViewerOpens)->Unit(benchmark::kMillisecond);

// Only what core does for the viewer: read the file, count every unit.
void BM_RecordsViewerList(benchmark::State& state) {
  const bench::ClassRecordsCourse course(1, 200);
  const AppState app = StateFor(course);
  SilentDialogs dialogs;
  RecordsViewer viewer(app);
  for (auto _ : state) {
    viewer.Open(1, bench::ClassRecordsCourse::FirstLearner(), dialogs);
    benchmark::DoNotOptimize(viewer.Runs(1));
  }
}
BENCHMARK(BM_RecordsViewerList)->Unit(benchmark::kMillisecond);

// Every record file of the lesson read and the grid of 40 learners by 26
// units laid out in the table, shown.
void BM_ClassOverview(benchmark::State& state) {
  const bench::ClassRecordsCourse course(40, 50);
  const AppState app = StateFor(course);
  SilentDialogs dialogs;
  TfrmClassRecords overview(app, dialogs);
  for (auto _ : state) {
    overview.LoadLesson(1);
    overview.show();
    QApplication::processEvents();
    overview.repaint();
    overview.hide();
  }
  if (overview.Grid().learners.size() != 40 || overview.Grid().columns.size() != 26)
    state.SkipWithError("the class was not laid out");
}
BENCHMARK(BM_ClassOverview)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
