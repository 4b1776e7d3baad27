#include "app/record_file.h"

#include "platform/paths.h"
#include "practice/learner_name.h"

namespace tavolo {

namespace fs = std::filesystem;

fs::path RecordFolder(const AppState& app, int lesson) {
  if (lesson < 1) lesson = 1;
  const Lesson* entry = app.Course().FindLesson(lesson);
  const std::string folder = entry ? entry->folder : std::string();
  const fs::path lessonFolder = CoursePath(app.CourseFolder(), folder);
  if (!app.OnCd() && entry && IsFolder(lessonFolder)) return lessonFolder;
  const std::string stem = entry ? entry->stem : std::string();
  return fs::path(app.WindowsFolder()) / stem;
}

Result<fs::path> RecordFilePath(const AppState& app, int lesson) {
  return RecordFilePath(app, lesson, app.LearnerName());
}

Result<fs::path> RecordFilePath(const AppState& app, int lesson, std::string_view learner) {
  if (Status usable = CheckLearnerName(learner); !usable) return usable.failure();
  // The fallback folder is named after the lesson's stem: it must not lead
  // out of the data folder either.
  if (const Lesson* entry = app.Course().FindLesson(lesson < 1 ? 1 : lesson);
      entry && !entry->pathProblem.empty())
    return Failure{entry->pathProblem};
  // Names that differ only in letter case are one learner, as on the disks
  // course folders come from: "taro" finds the records of "Taro".
  return ResolveCaseInsensitive(RecordFolder(app, lesson) / (std::string(learner) + ".ini"));
}

std::string UnitSectionName(int section, int unit, std::string_view unitCaption) {
  return "S" + std::to_string(section) + std::to_string(unit) + std::string(unitCaption);
}

std::string CopyFileSection(std::string_view copyFile) {
  return fs::path(copyFile).filename().string();
}

Result<RecordTarget> RunRecordTarget(const AppState& app, const UnitAddress& address,
                                     std::string_view unitCaption, std::string_view copyFile,
                                     bool similarProblem) {
  const bool copy = !copyFile.empty();
  auto file = RecordFilePath(app, copy ? 1 : address.lesson);
  if (!file) return file.failure();
  return RecordTarget{std::move(file).value(),
                      copy ? CopyFileSection(copyFile)
                           : UnitSectionName(address.section, address.unit, unitCaption),
                      similarProblem ? address.variant : 0};
}

}  // namespace tavolo
