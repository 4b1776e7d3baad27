#pragma once
// The course author's linter: reads every lesson, section and unit the indexes
// list, with every similar problem the course menu would offer, and collects
// each problem with the file and line where it was found.

#include <string>
#include <string_view>
#include <vector>

#include "content/course_index.h"

namespace tavolo {

struct CourseProblem {
  std::string address;  // "L", "L.S.U" or "L.S.URv"; empty for the course as a whole
  std::string file;     // path text
  int line = 0;         // 1-based; 0 for the file as a whole
  std::string message;
};

struct CourseCheckResult {
  std::vector<CourseProblem> problems;  // in course order
  int lessonCount = 0;                  // lesson indexes read
  int sectionCount = 0;                 // sections looked at
  int unitCount = 0;                    // units read, similar problems included
};

CourseCheckResult CheckCourse(const CourseIndex& course);

}  // namespace tavolo
