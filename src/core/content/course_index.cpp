#include "content/course_index.h"

#include "platform/confined_folders.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/utf8.h"

namespace tavolo {

namespace {

void SetPathProblem(Lesson& lesson) {
  if (Status folder = CheckInsideCourse(lesson.folder); !folder)
    lesson.pathProblem = folder.message();
  else if (Status stem = CheckInsideCourse(lesson.folder + lesson.stem); !stem)
    lesson.pathProblem = stem.message();
}

// caption "," folder "\" separator stem. The "\" is looked for after the ","
// so that a caption holding a "\" cannot shift the folder and stem.
Lesson ParseLessonLine(const std::string& line, int lineNumber) {
  Lesson lesson;
  lesson.line = lineNumber;
  const auto comma = line.find(',');
  if (comma == std::string::npos) {
    lesson.caption = "?";
    lesson.hasComma = false;
    return lesson;
  }
  lesson.caption = line.substr(0, comma);
  const auto backslash = line.find('\\', comma + 1);
  if (backslash == std::string::npos) {
    // No folder given: the lesson's files lie in the course folder itself.
    lesson.stem = line.substr(comma + 1);
    SetPathProblem(lesson);
    return lesson;
  }
  lesson.folder = line.substr(comma + 1, backslash - comma);
  std::size_t stemStart = backslash + 1;
  stemStart += Utf8CharLength(line, stemStart);  // the one separator character
  lesson.stem = line.substr(std::min(stemStart, line.size()));
  SetPathProblem(lesson);
  return lesson;
}

}  // namespace

const Lesson* CourseIndex::FindLesson(int lesson) const {
  if (lesson < 1 || lesson > static_cast<int>(lessons.size())) return nullptr;
  return &lessons[static_cast<std::size_t>(lesson - 1)];
}

std::filesystem::path CourseIndexPath(std::string_view courseFolder) {
  return CoursePath(courseFolder, "Main.ind");
}

CourseIndex ParseCourseIndex(std::string_view courseFolder, const std::vector<std::string>& lines) {
  CourseIndex course;
  course.courseFolder = CourseFolderText(courseFolder);
  if (!lines.empty()) course.title = lines[0];
  // Line 2 is not read; lesson lines run from line 3 to ">>" or the end.
  for (std::size_t i = 2; i < lines.size() && lines[i] != ">>"; ++i) {
    const int lineNumber = static_cast<int>(i) + 1;
    if (course.lessons.size() >= static_cast<std::size_t>(kMaxLessons)) {
      course.ignoredLessonLines.push_back(lineNumber);
      continue;
    }
    course.lessons.push_back(ParseLessonLine(lines[i], lineNumber));
  }
  return course;
}

Result<CourseIndex> ReadCourseIndex(std::string_view courseFolder) {
  // From here on, no file of the course is reached through a link that leads
  // out of it (platform/confined_folders.h).
  ConfineFilesTo(std::filesystem::path(std::string(courseFolder)));
  const auto path = CourseIndexPath(courseFolder);
  auto lines = ReadLines(path);
  if (!lines) return lines.failure();
  CourseIndex course = ParseCourseIndex(courseFolder, lines.value());
  course.file = path;
  return course;
}

std::filesystem::path LessonFolderPath(const CourseIndex& course, int lesson) {
  const Lesson* found = course.FindLesson(lesson);
  return CoursePath(course.courseFolder, found ? found->folder : std::string());
}

std::filesystem::path LessonIndexPath(const CourseIndex& course, int lesson) {
  const Lesson* found = course.FindLesson(lesson);
  if (!found) return CoursePath(course.courseFolder, ".ind");
  return CoursePath(course.courseFolder, found->folder + found->stem + ".ind");
}

}  // namespace tavolo
