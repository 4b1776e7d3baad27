#pragma once
// The course author's linter: reads every lesson, section and unit the indexes
// list, with every similar problem the course menu would offer, and collects
// each problem with the file and line where it was found.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "content/course_index.h"
#include "content/unit_scanner.h"

namespace tavolo {

struct CourseProblem {
  std::string address;  // "L", "L.S.U" or "L.S.URv"; empty for the course as a whole
  std::string file;     // path text
  int line = 0;         // 1-based; 0 for the file as a whole
  std::string message;
  int column = 0;        // 1-based, in characters; 0 when the whole line is meant
  bool warning = false;  // worth a look, but the course works as it is
};

struct CourseCheckResult {
  std::vector<CourseProblem> problems;  // in course order
  int lessonCount = 0;                  // lesson indexes read
  int sectionCount = 0;                 // sections looked at
  int unitCount = 0;                    // units read, similar problems included

  std::size_t WarningCount() const;
  std::size_t ErrorCount() const { return problems.size() - WarningCount(); }
};

// What a check of a later layer found in one unit.
struct UnitFinding {
  int line = 0;
  int column = 0;
  bool warning = false;
  std::string message;
};
// A check that content cannot make itself (the random data is read by a
// layer above it): asked for every unit that reads, with the file's lines
// and where the scanner found the unit's blocks.
using UnitCheck =
    std::function<std::vector<UnitFinding>(const LineSource& lines, const UnitExtent& extent)>;

// unitCheck's findings join each unit's own problems, in line order.
CourseCheckResult CheckCourse(const CourseIndex& course, const UnitCheck& unitCheck = {});

}  // namespace tavolo
