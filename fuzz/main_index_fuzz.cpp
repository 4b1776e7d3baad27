// Main.ind: any bytes give a course index within its limits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "content/course_index.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavolo;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto lines = SplitLines(DecodeCp932(bytes));
  const CourseIndex course = ParseCourseIndex("/course", lines);
  if (course.lessons.size() > static_cast<std::size_t>(kMaxLessons)) std::abort();
  for (const Lesson& lesson : course.lessons) {
    if (lesson.line < 3 || lesson.line > static_cast<int>(lines.size())) std::abort();
    // A folder, when there is one, ends at the "\" that closes it.
    if (!lesson.folder.empty() && lesson.folder.back() != '\\') std::abort();
    if (!lesson.hasComma && (lesson.caption != "?" || !lesson.folder.empty())) std::abort();
  }
  return 0;
}
