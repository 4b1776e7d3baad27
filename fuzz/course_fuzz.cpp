// A whole course, listed and checked as `tavolo list` and `tavolo check` do:
// any bytes in its index files and question units give a listing and a
// report, never a crash, and in time linear in the course. The input is
// spread over a course of 800 units, so a search of the question file per
// unit (quadratic in the course) runs far past the time bound.
//   input: Main.ind text, lesson index text, one unit's body, a question file
//   (for a second section), each cut from the input by FuzzedDataProvider.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/course_check.h"
#include "content/course_index.h"
#include "content/lesson_index.h"
#include "content/question_file_index.h"
#include "content/unit_names.h"
#include "platform/text_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kUnits = 800;
constexpr int kLinesBetweenUnits = 20;
// Listing and checking this course once takes about half a second under the
// sanitizers on a busy machine; reading the question file once per unit
// takes about twenty.
constexpr auto kTimeBound = std::chrono::milliseconds(5000);

const fs::path& CourseFolder() {
  // Never destroyed: the exit handler that removes the folder still needs it.
  static const fs::path& folder = *new fs::path([] {
    const fs::path path =
        fs::temp_directory_path() / ("tavolo-fuzz-course-" + std::to_string(getpid()));
    fs::create_directories(path / "a");
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(CourseFolder(), ec);
    });
    return path;
  }());
  return folder;
}

void Write(const fs::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string Number(int n) { return std::to_string(n); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavolo;
  FuzzedDataProvider input(data, size);
  const std::string mainText = input.ConsumeRandomLengthString(4096);
  const std::string lessonText = input.ConsumeRandomLengthString(4096);
  const std::string unitBody = input.ConsumeRandomLengthString(256);
  const std::string secondFile = input.ConsumeRemainingBytesAsString();

  const fs::path& folder = CourseFolder();
  // Lesson 1 is always ours; whatever the input adds comes after it.
  Write(folder / "Main.ind", "Course\r\n\r\nL1,a\\\\a\r\n" + mainText);
  std::string index = "Lesson\r\n[[s1\r\nS1\r\n<<\r\n";
  for (int u = 1; u <= kUnits; ++u) index += "U" + Number(u) + "\r\n";
  index += ">>\r\n]]\r\n" + lessonText;
  Write(folder / "a" / "a.ind", index);
  // Lines between units are read past by every search: they make a search
  // of the file per unit cost what it would in a real course.
  const std::string between = [] {
    std::string lines;
    for (int k = 0; k < kLinesBetweenUnits; ++k) lines += "; 次の単元までの行\r\n";
    return lines;
  }();
  std::string questions;
  for (int u = 1; u <= kUnits; ++u) {
    questions += between;
    questions += "[[unit" + Number(u) + "\r\n" + unitBody + "\r\n]]\r\n";
    if (u % 7 == 0) questions += "[[unit" + Number(u) + "R1\r\n" + unitBody + "\r\n]]\r\n";
  }
  Write(folder / "a" / "a1.que", questions);
  Write(folder / "a" / "a2.que", secondFile);

  const auto start = std::chrono::steady_clock::now();
  const auto course = ReadCourseIndex(folder.string() + "/");
  if (!course) return 0;
  // The listing: every lesson, section and unit with its similar problems.
  int listed = 0;
  for (int lesson = 1; lesson <= static_cast<int>(course->lessons.size()); ++lesson) {
    const auto lessonIndex = ReadLessonIndex(course.value(), lesson);
    if (!lessonIndex) continue;
    for (int s = 1; s <= static_cast<int>(lessonIndex->sections.size()); ++s) {
      const auto file =
          QuestionFileIndex::Read(QuestionFilePath(course.value(), {lesson, s, 1, 0}));
      if (!file) continue;
      const int units = static_cast<int>(lessonIndex->FindSection(s)->units.size());
      for (int u = 1; u <= units; ++u) {
        ++listed;
        int last = 0;
        for (const int variant : file->SimilarProblems(u)) {
          if (variant <= last || variant > kMaxVariant) std::abort();
          last = variant;
        }
      }
    }
  }
  const CourseCheckResult result = CheckCourse(course.value());
  if (result.unitCount < listed) std::abort();
  for (const CourseProblem& problem : result.problems)
    if (problem.file.empty() || problem.message.empty() || problem.line < 0) std::abort();
  if (std::chrono::steady_clock::now() - start > kTimeBound) {
    std::fprintf(stderr, "listing and checking %d units took longer than %lld ms\n", listed,
                 static_cast<long long>(kTimeBound.count()));
    std::abort();
  }
  return 0;
}
