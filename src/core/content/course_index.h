#pragma once
// The course index `Main.ind`: line 1 the course title, line 2 unused, then one
// lesson line per lesson up to a line ">>" or the end of the file. A lesson line
// is: caption "," folder "\" one separator character, file stem.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace tavolo {

// Lessons and sections are numbered 1..80; lines beyond are not used.
inline constexpr int kMaxLessons = 80;
inline constexpr int kMaxSections = 80;

struct Lesson {
  std::string caption;  // "?" for a line without ","
  std::string folder;   // as written, ending in "\" (e.g. "kazu\"); empty when not given
  std::string stem;     // file stem of the lesson index and question files
  int line = 0;         // 1-based line in Main.ind
  bool hasComma = true;
  // Why the folder or stem cannot be used (they would lead outside the
  // course folder); empty when they can. Nothing is read for such a lesson.
  std::string pathProblem;
};

struct CourseIndex {
  std::string courseFolder;    // ends in "/"
  std::filesystem::path file;  // the Main.ind that was read
  std::string title;
  std::vector<Lesson> lessons;          // lesson n at [n - 1], at most kMaxLessons
  std::vector<int> ignoredLessonLines;  // lines of lesson lines beyond the 80th

  // Lesson n (1-based) or nullptr when there is none.
  const Lesson* FindLesson(int lesson) const;
};

// course folder + "Main.ind" (found case-insensitively).
std::filesystem::path CourseIndexPath(std::string_view courseFolder);

// Reads the course index of a course folder. Failure: "ファイル " + path + " が見つかりません"
// or the message of an unreadable file.
Result<CourseIndex> ReadCourseIndex(std::string_view courseFolder);

// The grammar alone, on decoded lines (line 1 first).
CourseIndex ParseCourseIndex(std::string_view courseFolder, const std::vector<std::string>& lines);

// course folder + lesson folder (the folder that holds the lesson's files).
std::filesystem::path LessonFolderPath(const CourseIndex& course, int lesson);

// course folder + lesson folder + stem + ".ind".
std::filesystem::path LessonIndexPath(const CourseIndex& course, int lesson);

}  // namespace tavolo
