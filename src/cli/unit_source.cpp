#include "cli/unit_source.h"

#include <filesystem>
#include <utility>

#include "content/course_index.h"
#include "content/lesson_index.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

Result<LoadedUnit> LoadCourseUnit(const std::string& courseFolder, const std::string& addressText) {
  const auto address = ParseAddressText(addressText);
  if (!address) return Failure{"単元の指定が正しくありません: " + addressText};
  auto course = ReadCourseIndex(courseFolder);
  if (!course) return Failure{course.message()};
  if (!course->FindLesson(address->lesson)) return Failure{"単元がありません"};
  const auto lessonIndex = ReadLessonIndex(course.value(), address->lesson);
  if (!lessonIndex) return Failure{lessonIndex.message()};
  UnitReading reading = ReadUnit(course.value(), lessonIndex.value(), *address);
  if (!reading.ok()) {
    const bool missing = reading.problem.kind == UnitProblem::Kind::Missing;
    return Failure{missing ? "単元がありません" : reading.problem.message};
  }
  LoadedUnit unit;
  unit.content = std::move(*reading.content);
  unit.course = std::move(course).value();
  unit.address = *address;
  unit.shortName = SheetShortName(unit.Origin());
  unit.questionFile = PathText(QuestionFilePath(*unit.course, *address));
  unit.keyLine = UnitKeyLine(*address);
  unit.identity = UnitIdentity(*unit.course, *address);
  return unit;
}

Result<LoadedUnit> LoadCopyFile(const std::string& file) {
  UnitReading reading = ReadCopyFile(file);
  if (!reading.ok()) return Failure{reading.problem.message};
  LoadedUnit unit;
  unit.content = std::move(*reading.content);
  const std::filesystem::path path = std::filesystem::absolute(file).lexically_normal();
  const std::string courseFolder = PathText(path.parent_path().parent_path());
  if (PathExists(CourseIndexPath(courseFolder))) {
    if (auto course = ReadCourseIndex(courseFolder)) unit.course = std::move(course).value();
  }
  unit.questionFile = PathText(file);
  unit.keyLine = std::string(kCopyFileKeyLine);
  // A copy is known by its own path, as a sheet saved to it is.
  unit.identity = PathText(file);
  unit.shortName = SheetShortName(unit.Origin());
  return unit;
}

SheetOrigin LoadedUnit::Origin() const {
  const CourseIndex* in = course ? &*course : nullptr;
  return address ? SheetOrigin::Unit(*course, *address) : SheetOrigin::CopyFile(in, identity);
}

bool IsUnitSource(const std::vector<std::string>& positional) {
  if (positional.size() == 2) return true;
  if (positional.size() != 1) return false;
  // The file name's own extension: a dot in a folder name does not count.
  std::string extension = std::filesystem::path(positional[0]).extension().string();
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return extension == ".prp";
}

Result<LoadedUnit> LoadUnitSource(const std::vector<std::string>& positional) {
  return positional.size() == 1 ? LoadCopyFile(positional[0])
                                : LoadCourseUnit(positional[0], positional[1]);
}

}  // namespace tavolo
