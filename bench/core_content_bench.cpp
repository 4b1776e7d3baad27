// Reading course content: a unit at the end of a large question file (the
// course menu and opening a sheet do this on every click), and a whole course
// index with every lesson index.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "content/course_check.h"
#include "content/course_index.h"
#include "content/lesson_index.h"
#include "content/question_file_index.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "platform/text_file.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;

// prefix + n + suffix, built by appending (GCC 12 warns falsely about "literal" + std::string).
std::string Numbered(std::string_view prefix, int n, std::string_view suffix = {}) {
  std::string text(prefix);
  text += std::to_string(n);
  text += suffix;
  return text;
}

class BenchFolder {
 public:
  BenchFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() /
            Numbered("tavolo-bench-", static_cast<int>(random() & 0x7FFFFFFF));
    fs::create_directories(path_);
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void AppendUnit(std::vector<std::string>& lines, int unit) {
  lines.push_back(Numbered("[[unit", unit));
  lines.push_back("<<ques");
  for (int q = 1; q <= 8; ++q)
    lines.push_back(Numbered("(", q, ")　(＋３)－(－５)＝#＋８#　次の計算をしなさい"));
  lines.push_back(">>");
  lines.push_back("<<dummy");
  lines.push_back(">>");
  for (const char* line :
       {"<<value", "630",     "False", "40",    "5",     "5",     "1",  "7",  ">>",     "<<font",
        "12",      "MS 明朝", "False", "False", "False", "False", "0",  ">>", "<<kran", "5",
        "15",      "2",       "0",     "0",     "0",     "15",    "10", "0",  "0",      ">>"})
    lines.push_back(line);
  lines.push_back("]]");
}

void BM_ReadLastUnitOf2000(benchmark::State& state) {
  BenchFolder folder;
  std::vector<std::string> lines;
  for (int unit = 1; unit <= 2000; ++unit) AppendUnit(lines, unit);
  const fs::path file = folder.path() / "big1.que";
  if (!WriteLines(file, lines)) {
    state.SkipWithError("cannot write the question file");
    return;
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
  for (auto _ : state) {
    UnitReading reading = ReadUnitBlock(file, "[[unit2000", 1, 2000, {"L", "S", "U"});
    if (!reading.ok()) state.SkipWithError(reading.problem.message.c_str());
    benchmark::DoNotOptimize(reading);
  }
}
BENCHMARK(BM_ReadLastUnitOf2000)->Unit(benchmark::kMillisecond);

void BM_ReadCourseWith80Lessons(benchmark::State& state) {
  BenchFolder folder;
  std::vector<std::string> mainLines = {"数学問題集", ""};
  for (int lesson = 1; lesson <= 80; ++lesson) {
    const std::string name = Numbered("les", lesson);
    mainLines.push_back(Numbered("第", lesson, "章 正と負の数,") + name + "\\\\" + name);
    std::vector<std::string> index = {Numbered("第", lesson, "章")};
    for (int section = 1; section <= 10; ++section) {
      index.push_back(Numbered("[[sect", section));
      index.push_back(Numbered("正の数・負の数 その", section));
      index.push_back("<<");
      for (int unit = 1; unit <= 10; ++unit) index.push_back(Numbered("加法と減法 ", unit));
      index.push_back(">>");
      index.push_back("]]");
    }
    fs::create_directories(folder.path() / name);
    if (!WriteLines(folder.path() / name / (name + ".ind"), index)) {
      state.SkipWithError("cannot write a lesson index");
      return;
    }
  }
  if (!WriteLines(folder.path() / "Main.ind", mainLines)) {
    state.SkipWithError("cannot write Main.ind");
    return;
  }
  for (auto _ : state) {
    auto course = ReadCourseIndex(folder.path().string());
    if (!course) {
      state.SkipWithError(course.message().c_str());
      break;
    }
    std::size_t units = 0;
    for (int lesson = 1; lesson <= static_cast<int>(course->lessons.size()); ++lesson) {
      auto index = ReadLessonIndex(course.value(), lesson);
      if (!index) {
        state.SkipWithError(index.message().c_str());
        break;
      }
      for (const auto& section : index->sections) units += section.units.size();
    }
    benchmark::DoNotOptimize(units);
  }
}
BENCHMARK(BM_ReadCourseWith80Lessons)->Unit(benchmark::kMillisecond);

// A course whose one section lists 100,000 units, all in one question file
// of 1,000,000 lines (every tenth unit with a similar problem): what checking
// or listing the course costs once each question file is indexed, instead of
// searched again for every unit.
class HugeSection {
 public:
  static constexpr int kUnits = 100000;

  HugeSection() {
    const std::vector<std::string> mainLines = {"数学問題集", "", "正と負の数,kazu\\\\ksk", ">>"};
    std::vector<std::string> index = {"正と負の数", "[[sect1", "加法と減法", "<<"};
    std::vector<std::string> questions;
    questions.reserve(10u * kUnits + kUnits / 10 * 10u);
    for (int unit = 1; unit <= kUnits; ++unit) {
      index.push_back(Numbered("単元 ", unit));
      AppendTenLines(questions, Numbered("[[unit", unit));
      if (unit % 10 == 0) AppendTenLines(questions, Numbered("[[unit", unit, "R1"));
    }
    index.push_back(">>");
    index.push_back("]]");
    fs::create_directories(folder_.path() / "kazu");
    ok_ = WriteLines(folder_.path() / "Main.ind", mainLines).ok() &&
          WriteLines(folder_.path() / "kazu" / "ksk.ind", index).ok() &&
          WriteLines(folder_.path() / "kazu" / "ksk1.que", questions).ok();
    questionLines_ = questions.size();
    questionBytes_ = ok_ ? fs::file_size(folder_.path() / "kazu" / "ksk1.que") : 0;
  }

  bool ok() const { return ok_; }
  std::string Folder() const { return folder_.path().string(); }
  void Count(benchmark::State& state) const {
    state.counters["units"] = kUnits;
    state.counters["lines"] = static_cast<double>(questionLines_);
    state.counters["bytes"] = static_cast<double>(questionBytes_);
  }

 private:
  static void AppendTenLines(std::vector<std::string>& lines, std::string key) {
    lines.push_back(std::move(key));
    for (const char* line : {"<<ques", "(1) (+3)+(-5)=#-2#", "(2) (-4)-(-6)=#+2#",
                             "(3) 0-(+7)=#-7#", ">>", "<<dummy", "+8", ">>", "]]"})
      lines.push_back(line);
  }

  BenchFolder folder_;
  bool ok_ = false;
  std::size_t questionLines_ = 0;
  std::uintmax_t questionBytes_ = 0;
};

const HugeSection& TheHugeSection() {
  static const HugeSection section;
  return section;
}

void BM_CheckCourseOf100000Units(benchmark::State& state) {
  const HugeSection& huge = TheHugeSection();
  if (!huge.ok()) {
    state.SkipWithError("cannot write the course");
    return;
  }
  huge.Count(state);
  for (auto _ : state) {
    auto course = ReadCourseIndex(huge.Folder());
    if (!course) {
      state.SkipWithError(course.message().c_str());
      break;
    }
    const CourseCheckResult result = CheckCourse(course.value());
    if (!result.problems.empty() || result.unitCount != HugeSection::kUnits * 11 / 10)
      state.SkipWithError("the check does not see the course as written");
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_CheckCourseOf100000Units)->Unit(benchmark::kMillisecond)->Iterations(3);

// What `tavolo list` and the course menu's marks need: every unit's similar problems.
void BM_ListCourseOf100000Units(benchmark::State& state) {
  const HugeSection& huge = TheHugeSection();
  if (!huge.ok()) {
    state.SkipWithError("cannot write the course");
    return;
  }
  huge.Count(state);
  for (auto _ : state) {
    auto course = ReadCourseIndex(huge.Folder());
    if (!course) {
      state.SkipWithError(course.message().c_str());
      break;
    }
    auto lessonIndex = ReadLessonIndex(course.value(), 1);
    auto file = QuestionFileIndex::Read(QuestionFilePath(course.value(), UnitAddress{1, 1, 1, 0}));
    if (!lessonIndex || !file) {
      state.SkipWithError("cannot read the course");
      break;
    }
    std::size_t similar = 0;
    const int units = static_cast<int>(lessonIndex->sections[0].units.size());
    for (int unit = 1; unit <= units; ++unit) similar += file->SimilarProblems(unit).size();
    if (similar != HugeSection::kUnits / 10) state.SkipWithError("similar problems missed");
    benchmark::DoNotOptimize(similar);
  }
}
BENCHMARK(BM_ListCourseOf100000Units)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tavolo
