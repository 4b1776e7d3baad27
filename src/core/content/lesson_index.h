#pragma once
// A lesson index (".ind" in the lesson folder): line 1 the lesson title; every
// line beginning "[[" starts a section, the next line is its caption, one line
// is skipped (the editor writes "<<"), and the lines up to ">>" are its units.

#include <string>
#include <vector>

#include "content/course_index.h"
#include "platform/result.h"

namespace tavolo {

struct Section {
  std::string caption;
  std::vector<std::string> units;  // unit captions; unit n at [n - 1]
  int startLine = 0;               // 1-based line of the "[[" line
  std::vector<int> unitLines;      // 1-based line of each unit caption
  bool closed = true;              // false when the file ended before ">>"
};

struct LessonIndex {
  std::string title;                     // line 1 (shown by the editors, not by the menu)
  std::vector<Section> sections;         // section n at [n - 1], at most kMaxSections
  std::vector<int> ignoredSectionLines;  // "[[" lines of sections beyond the 80th

  const Section* FindSection(int section) const;
};

// The grammar alone, on decoded lines.
LessonIndex ParseLessonIndex(const std::vector<std::string>& lines);

// Reads the lesson index of lesson n. Failures: "ディレクトリ " + folder + " が見つかりません"
// when the lesson folder is missing, "ファイル " + path + " が見つかりません" when the index is.
Result<LessonIndex> ReadLessonIndex(const CourseIndex& course, int lesson);

}  // namespace tavolo
