// The learner's side: judging and scoring a full sheet of 80 boxes, appending
// one run to a busy record file, and reading a whole class's records as
// `tavolo records` does (40 learners x 26 units x 50 runs).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/class_records.h"
#include "class_records_course.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "practice/practice_run.h"
#include "practice/record_line.h"
#include "practice/record_store.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;

class NoRecords final : public RunRecorder {
 public:
  Status Record(const RunRecord&) override { return Succeeded(); }
};

// A sheet of 80 boxes, each with alternatives, and a test run in which every
// other box holds the right answer.
struct EightyBoxRun {
  AnswerBoxRegistry registry;
  DecliningDialogs dialogs;
  NoRecords recorder;
  std::unique_ptr<PracticeRun> run;

  EightyBoxRun() {
    registry.BeginPage();
    for (int n = 1; n <= 80; ++n) {
      registry.Register(
          60 + (n % 4) * 140, 40 + (n / 4) * 40,
          "-" + std::to_string(n) + "/7;-" + std::to_string(n) + "÷7;　x=" + std::to_string(n), 12);
      registry.SetWidth(n, 40);
    }
    PracticeSheet sheet;
    sheet.boxStyle = BoxStyle{BoxKind::Rectangle, 15, 2, 12};
    sheet.pictureWidth = 630;
    run =
        std::make_unique<PracticeRun>(registry, sheet, dialogs, recorder, RepeatableRandomIndex(1));
    run->Open();
  }
  void FillTest() {
    run->StartTest();
    for (int n = 1; n <= 80; ++n)
      run->TypeInBox(n, n % 2 ? " x=" + std::to_string(n) + "　" : "-" + std::to_string(n) + "/8");
  }
};

void BM_JudgeAndScore80Boxes(benchmark::State& state) {
  EightyBoxRun sheet;
  sheet.FillTest();
  sheet.run->Grade();  // stores the padded learner answers
  for (auto _ : state) {
    benchmark::DoNotOptimize(sheet.run->JudgeAll());
    benchmark::DoNotOptimize(sheet.run->Score());
  }
}
BENCHMARK(BM_JudgeAndScore80Boxes)->Unit(benchmark::kMicrosecond);

// The whole 採点 of an 80-box test: start, 80 answers, grade with marks.
void BM_Whole80BoxTest(benchmark::State& state) {
  EightyBoxRun sheet;
  for (auto _ : state) {
    sheet.FillTest();
    benchmark::DoNotOptimize(sheet.run->Grade());
  }
}
BENCHMARK(BM_Whole80BoxTest)->Unit(benchmark::kMicrosecond);

std::string Line(int k) {
  return RecordLine({{2024, 5, 3, 14, k % 60, 0}, 0, "0010", 3, 4, 75, 135 + k});
}

// A learner file of 40 units with 50 runs each: 2,000 records.
void BM_AppendRunTo2000RecordFile(benchmark::State& state) {
  const fs::path folder = fs::temp_directory_path() / "tavolo-bench-append";
  fs::create_directories(folder);
  const fs::path file = folder / "山田.ini";
  std::string text = "[password]\r\npw=abc\r\n";
  for (int s = 1; s <= 40; ++s) {
    text += "[S" + std::to_string(s) + "1正の数と負の数]\r\n";
    for (int k = 1; k <= 50; ++k) text += std::to_string(k) + "=" + Line(k) + "\r\n";
  }
  std::ofstream(file, std::ios::binary) << EncodeCp932(text);
  RecordStore store(file);
  int k = 0;
  for (auto _ : state) {
    auto key = store.AppendRunRecord("S201正の数と負の数", Line(++k));
    if (!key) state.SkipWithError(key.message().c_str());
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_AppendRunTo2000RecordFile)->Unit(benchmark::kMillisecond);

// One lesson of 26 units, 40 learners with 50 runs of every unit.
void BM_CollectClassRecords(benchmark::State& state) {
  const bench::ClassRecordsCourse course;
  AppState app;
  app.SetCourseFolder(course.folder());
  app.SetWindowsFolder(course.folder() + "data/");
  app.SetCourse(ReadCourseIndex(app.CourseFolder()).value());
  for (auto _ : state) {
    const ClassRecords records = CollectClassRecords(app, std::nullopt, std::nullopt);
    benchmark::DoNotOptimize(records.lessons.size());
  }
}
BENCHMARK(BM_CollectClassRecords)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
