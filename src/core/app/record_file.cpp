#include "app/record_file.h"

#include <system_error>

#include "platform/ini_file.h"
#include "platform/paths.h"

namespace tavolo {

namespace fs = std::filesystem;

fs::path RecordFilePath(const AppState& app, int lesson) {
  if (lesson < 1) lesson = 1;
  const Lesson* entry = app.course.FindLesson(lesson);
  const std::string fileName = app.learnerName + ".ini";
  const std::string folder = entry ? entry->folder : std::string();
  const fs::path lessonFolder = CoursePath(app.courseFolder, folder);
  std::error_code ec;
  if (!app.onCd && entry && fs::is_directory(lessonFolder, ec)) return lessonFolder / fileName;
  const std::string stem = entry ? entry->stem : std::string();
  return fs::path(app.windowsFolder) / stem / fileName;
}

std::string UnitSectionName(int section, int unit, std::string_view unitCaption) {
  return "S" + std::to_string(section) + std::to_string(unit) + std::string(unitCaption);
}

int RecordCount(const fs::path& recordFile, std::string_view section) {
  return static_cast<int>(IniFile(recordFile).Keys(section).size());
}

}  // namespace tavolo
