// Reading one learner's record file that has grown very large: 100,000
// sections (units long gone from the index, each practised once) and one unit
// practised 100,000 times. Every reader of the file takes one pass over it:
// `tavolo records` (and the class overview), the records viewer with its chart,
// the practice window's records list and the course menu's marks, and the
// append after 採点. Each should take well under half a second.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/class_records.h"
#include "app/records_viewer.h"
#include "app/unit_marks.h"
#include "content/course_index.h"
#include "content/lesson_index.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "practice/record_line.h"
#include "practice/record_store.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;

constexpr int kSections = 100000;
constexpr int kRuns = 100000;

std::string Line(int k) {
  return RecordLine({{2024, 5, 3, 14, k % 60, 0}, 0, "0010", 3, 4, (k * 7) % 101, 135 + k % 600});
}

// Lesson 1 (kazu\ ksk) with one unit, "S11正の数", and the learner 山田 whose
// file holds the 100,000 old sections and the 100,000 runs of that unit.
class HugeRecordFile {
 public:
  HugeRecordFile() : root_(fs::temp_directory_path() / "tavolo-bench-huge-records") {
    fs::remove_all(root_);
    fs::create_directories(root_ / "kazu");
    Write(root_ / "Main.ind", "数学\r\n\r\n正負,kazu\\ ksk\r\n");
    Write(root_ / "kazu" / "ksk.ind",
          "正の数と負の数\r\n[[sect1\r\n符号\r\n<<\r\n正の数\r\n>>\r\n]]\r\n");
    Write(root_ / "kazu" / "ksk1.que", "");
    std::string text = "[password]\r\npw=abc\r\n";
    text.reserve(12 * 1000 * 1000);
    for (int s = 1; s <= kSections; ++s)
      text += "[S9" + std::to_string(s) + "消えた単元]\r\n1=" + Line(s) + "\r\n";
    text += "[S11正の数]\r\n";
    for (int k = 1; k <= kRuns; ++k) text += std::to_string(k) + "=" + Line(k) + "\r\n";
    Write(File(), text);
    app_.SetCourseFolder(root_.string() + "/");
    app_.SetWindowsFolder(app_.CourseFolder() + "data/");
    app_.SetLearnerName("山田");
    app_.SetCourse(ReadCourseIndex(app_.CourseFolder()).value());
  }
  ~HugeRecordFile() { fs::remove_all(root_); }

  fs::path File() const { return root_ / "kazu" / "山田.ini"; }
  const AppState& App() const { return app_; }

 private:
  static void Write(const fs::path& path, const std::string& utf8) {
    std::ofstream(path, std::ios::binary) << EncodeCp932(utf8);
  }
  fs::path root_;
  AppState app_;
};

const HugeRecordFile& Huge() {
  static const HugeRecordFile kFile;
  return kFile;
}

void Figures(benchmark::State& state, std::size_t read) {
  state.counters["records"] = static_cast<double>(read);
}

// `tavolo records --lesson 1` and the class overview: every section summarised.
void BM_RecordsOf100000SectionsAnd100000Runs(benchmark::State& state) {
  const HugeRecordFile& huge = Huge();
  std::size_t read = 0;
  for (auto _ : state) {
    const ClassRecords records = CollectClassRecords(huge.App(), 1, std::nullopt);
    read = 0;
    for (const UnitRecords& unit : records.lessons.at(0).learners.at(0).units)
      read += unit.records.size();
  }
  if (read != kSections + kRuns) state.SkipWithError("not every record was read");
  Figures(state, read);
}
BENCHMARK(BM_RecordsOf100000SectionsAnd100000Runs)->Unit(benchmark::kMillisecond);

// 記録表示: the file read, every unit counted, the unit's lines and chart points.
void BM_RecordsViewerOn100000Runs(benchmark::State& state) {
  const HugeRecordFile& huge = Huge();
  DecliningDialogs dialogs;
  RecordsViewer viewer(huge.App());
  std::size_t read = 0;
  for (auto _ : state) {
    viewer.Open(1, "山田", dialogs);
    const auto entry = viewer.FindEntry("S11正の数");
    read = viewer.DetailLines(entry).size();
    benchmark::DoNotOptimize(viewer.Runs(entry));
  }
  if (read != kRuns) state.SkipWithError("not every run was listed");
  Figures(state, read);
}
BENCHMARK(BM_RecordsViewerOn100000Runs)->Unit(benchmark::kMillisecond);

// The practice window opening on the unit, and again after each 採点.
void BM_PracticeRecordsListOf100000Runs(benchmark::State& state) {
  const HugeRecordFile& huge = Huge();
  std::size_t read = 0;
  for (auto _ : state) read = ReadRecordsList({huge.File(), "S11正の数", 0}, "山田").lines.size();
  if (read != kRuns) state.SkipWithError("not every run was listed");
  Figures(state, read);
}
BENCHMARK(BM_PracticeRecordsListOf100000Runs)->Unit(benchmark::kMillisecond);

// The course menu's marks of the lesson from the same file.
void BM_UnitMarksFrom100000Sections(benchmark::State& state) {
  const HugeRecordFile& huge = Huge();
  const LessonIndex index = ReadLessonIndex(huge.App().Course(), 1).value();
  UnitMarks marks;
  for (auto _ : state) marks.Refresh(huge.App(), 1, index, false);
  if (marks.Text(1, 1) != "　[" + std::to_string(kRuns) + "]")
    state.SkipWithError("the unit's runs were not counted");
}
BENCHMARK(BM_UnitMarksFrom100000Sections)->Unit(benchmark::kMillisecond);

// 採点: one more run appended under the lock and the file written anew.
void BM_AppendRunAfter100000Runs(benchmark::State& state) {
  const HugeRecordFile& huge = Huge();
  RecordStore store(huge.File());
  // The benchmark runs this more than once: each run goes on from the last.
  int k = static_cast<int>(store.ListKeys("S11正の数").size());
  for (auto _ : state) {
    auto key = store.AppendRunRecord("S11正の数", Line(++k));
    if (!key) {
      state.SkipWithError(key.message().c_str());
      break;
    }
    if (key.value() != k) {
      state.SkipWithError(("the run went under key " + std::to_string(key.value())).c_str());
      break;
    }
  }
}
// Last: it lengthens the file the others read.
BENCHMARK(BM_AppendRunAfter100000Runs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
