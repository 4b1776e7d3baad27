#include "content/unit_names.h"

#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

std::string UnitSuffix(const UnitAddress& address) {
  std::string suffix = "-U";
  suffix += std::to_string(address.unit);
  if (address.variant != 0) {
    suffix += 'R';
    suffix += std::to_string(address.variant);
  }
  return suffix;
}

std::string QuestionFileName(const CourseIndex& course, const UnitAddress& address) {
  const Lesson* lesson = course.FindLesson(address.lesson);
  return (lesson ? lesson->stem : std::string()) + std::to_string(address.section) + ".que";
}

}  // namespace

std::filesystem::path QuestionFilePath(const CourseIndex& course, const UnitAddress& address) {
  const Lesson* lesson = course.FindLesson(address.lesson);
  return CoursePath(course.courseFolder,
                    (lesson ? lesson->folder : std::string()) + QuestionFileName(course, address));
}

std::string UnitIdentity(const CourseIndex& course, const UnitAddress& address) {
  return PathText(QuestionFilePath(course, address)) + UnitSuffix(address);
}

std::string ShortUnitName(const CourseIndex& course, const UnitAddress& address) {
  return QuestionFileName(course, address) + UnitSuffix(address);
}

std::optional<std::string> RecordSectionCaptionProblem(std::string_view caption) {
  if (caption.find(']') != std::string_view::npos)
    return "単元名に「]"
           "」があると、ほかのプログラムが書いた記録ファイルではこの単元の記録が読めません";
  // Blanks as the platform trims them: ASCII ones and the full-width space.
  for (std::string_view blank : {" ", "\t", "　"}) {
    if (caption.ends_with(blank))
      return "単元名の最後に空白があると、ほかのプログラムが書いた記録ファイルではこの単元の記録が"
             "読めません";
  }
  return std::nullopt;
}

}  // namespace tavolo
