#include "content/lesson_index.h"

#include "content/file_checks.h"
#include "platform/text_file.h"

namespace tavolo {

const Section* LessonIndex::FindSection(int section) const {
  if (section < 1 || section > static_cast<int>(sections.size())) return nullptr;
  return &sections[static_cast<std::size_t>(section - 1)];
}

LessonIndex ParseLessonIndex(const std::vector<std::string>& lines) {
  LessonIndex index;
  if (!lines.empty()) index.title = lines[0];
  std::size_t i = 0;
  while (i < lines.size()) {
    if (lines[i].rfind("[[", 0) != 0) {
      ++i;  // the title, a section's closing "]]", blank lines
      continue;
    }
    Section section;
    section.startLine = static_cast<int>(i) + 1;
    if (i + 1 < lines.size()) section.caption = lines[i + 1];
    // The line after the caption is skipped (the editor writes "<<" there).
    std::size_t j = i + 3;
    for (; j < lines.size() && lines[j] != ">>"; ++j) {
      section.units.push_back(lines[j]);
      section.unitLines.push_back(static_cast<int>(j) + 1);
    }
    section.closed = j < lines.size();
    if (index.sections.size() < static_cast<std::size_t>(kMaxSections))
      index.sections.push_back(std::move(section));
    else
      index.ignoredSectionLines.push_back(section.startLine);
    i = j + 1;
  }
  return index;
}

Result<LessonIndex> ReadLessonIndex(const CourseIndex& course, int lesson) {
  if (const Lesson* entry = course.FindLesson(lesson); entry && !entry->pathProblem.empty())
    return Failure{entry->pathProblem};
  if (auto folder = RequireFolder(LessonFolderPath(course, lesson)); !folder)
    return folder.failure();
  const auto path = LessonIndexPath(course, lesson);
  if (auto file = RequireFile(path); !file) return file.failure();
  auto lines = ReadLines(path);
  if (!lines) return lines.failure();
  return ParseLessonIndex(lines.value());
}

}  // namespace tavolo
