#pragma once
// A course with one large question file in a temporary folder, for the
// editor's benchmarks: 2,000 units of eight question lines each, with answer
// choices, dummies, hints and layout blocks.

#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "content/course_index.h"
#include "platform/text_file.h"

namespace tavolo::bench {

// prefix + n + suffix, built by appending (GCC 12 warns falsely about "literal" + std::string).
inline std::string Numbered(std::string_view prefix, int n, std::string_view suffix = {}) {
  std::string text(prefix);
  text += std::to_string(n);
  text += suffix;
  return text;
}

inline void AppendEditorUnit(std::vector<std::string>& lines, int unit) {
  lines.push_back(Numbered("[[unit", unit));
  lines.push_back("<<ques");
  lines.push_back("次の計算をしなさい。");
  for (int q = 1; q <= 8; ++q) lines.push_back(Numbered("(", q, ")　(＋３)－(－５)＝#＋８;8#　"));
  for (const char* line : {">>",      "<<kgroup", "＋８",    "－２",   ">>",
                           "<<dummy", "＋２",     ">>",      "<<hint", "符号に注意しましょう",
                           ">>",      "<<value",  "630",     "False",  "40",
                           "5",       "5",        "1",       "7",      ">>",
                           "<<font",  "12",       "MS 明朝", "False",  "False",
                           "False",   "False",    "0",       ">>",     "<<kran",
                           "5",       "15",       "2",       "0",      "0",
                           "0",       "15",       "10",      "0",      "0",
                           ">>",      "]]"})
    lines.push_back(line);
}

// A course folder whose lesson 1, section 1 question file holds `units` units.
class BigCourse {
 public:
  explicit BigCourse(int units) {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() /
              Numbered("tavolo-editor-bench-", static_cast<int>(random() & 0x7FFFFFFF));
    std::filesystem::create_directories(folder_ / "kazu");
    course.courseFolder = folder_.string() + "/";
    course.lessons.push_back(Lesson{"正の数と負の数", "kazu\\", "kz", 3, true, {}});
    std::vector<std::string> lines;
    for (int unit = 1; unit <= units; ++unit) AppendEditorUnit(lines, unit);
    file = folder_ / "kazu" / "kz1.que";
    ok = WriteLines(file, lines).ok();
  }
  ~BigCourse() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  BigCourse(const BigCourse&) = delete;
  BigCourse& operator=(const BigCourse&) = delete;

  CourseIndex course;
  std::filesystem::path file;
  bool ok = false;

 private:
  std::filesystem::path folder_;
};

}  // namespace tavolo::bench
