#include "cli/unit_source.h"

#include <ostream>
#include <system_error>

#include "content/course_index.h"
#include "content/lesson_index.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "platform/text_file.h"
#include "sheet/sheet_pictures.h"

namespace tavolo {

Result<LoadedUnit> LoadCourseUnit(const std::string& courseFolder, const std::string& addressText) {
  const auto address = ParseAddressText(addressText);
  if (!address) return Failure{"単元の指定が正しくありません: " + addressText};
  const auto course = ReadCourseIndex(courseFolder);
  if (!course) return Failure{course.message()};
  if (!course->FindLesson(address->lesson)) return Failure{"単元がありません"};
  const auto lessonIndex = ReadLessonIndex(course.value(), address->lesson);
  if (!lessonIndex) return Failure{lessonIndex.message()};
  UnitReading reading = ReadUnit(course.value(), lessonIndex.value(), *address);
  if (!reading.ok()) {
    const bool missing = reading.problem.kind == UnitProblem::Kind::Missing;
    return Failure{missing ? "単元がありません" : reading.problem.message};
  }
  return LoadedUnit{std::move(*reading.content),
                    ShortUnitName(course.value(), *address),
                    FigureFolder(course.value(), address->lesson),
                    PathText(QuestionFilePath(course.value(), *address)),
                    UnitKeyLine(*address),
                    UnitIdentity(course.value(), *address)};
}

// A copy file is saved in a lesson's folder below the course folder; its
// figures come from that course when there is one, else from beside it.
Result<LoadedUnit> LoadCopyFile(const std::string& file) {
  UnitReading reading = ReadCopyFile(file);
  if (!reading.ok()) return Failure{reading.problem.message};
  const std::filesystem::path path = std::filesystem::absolute(file).lexically_normal();
  std::filesystem::path figureFolder = path.parent_path();
  const std::filesystem::path courseFolder = path.parent_path().parent_path();
  std::error_code ec;
  if (std::filesystem::exists(CourseIndexPath(PathText(courseFolder)), ec)) {
    if (const auto course = ReadCourseIndex(PathText(courseFolder))) {
      figureFolder = FigureFolder(course.value(), 0);
    }
  }
  // A copy is known by its own path, as a sheet saved to it is.
  return LoadedUnit{std::move(*reading.content),
                    PathText(path.filename()),
                    figureFolder,
                    PathText(file),
                    std::string(kCopyFileKeyLine),
                    PathText(file)};
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
