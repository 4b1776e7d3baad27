#include "app/unit_marks.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "app/record_file.h"
#include "content/file_checks.h"
#include "content/question_file_index.h"
#include "content/unit_names.h"
#include "platform/ini_file.h"

namespace tavolo {

namespace fs = std::filesystem;

void UnitMarks::Refresh(const AppState& app, int lesson, const LessonIndex& index,
                        bool findSimilar) {
  if (lesson < 1) return;
  // One reading of the record file serves every unit of the lesson.
  // A learner name that cannot name a file has no records to count.
  const auto recordFile = RecordFilePath(app, lesson);
  IniDocument records = IniDocument::Parse({});
  if (recordFile && RequireFile(recordFile.value()).ok()) {
    if (auto loaded = RecordStore::Load(recordFile.value())) records = std::move(loaded).value();
  }

  const int sections = static_cast<int>(index.sections.size());
  for (int s = 1; s <= sections; ++s) {
    const fs::path file = QuestionFilePath(app.Course(), UnitAddress{lesson, s, 1, 0});
    if (!RequireFile(file).ok()) break;
    // Indexed once for the whole section: a unit's mark costs a look-up, not a search.
    std::optional<QuestionFileIndex> questions;
    if (findSimilar) {
      if (auto read = QuestionFileIndex::Read(file)) questions = std::move(read).value();
    }
    const Section& section = index.sections[static_cast<std::size_t>(s - 1)];
    for (int u = 1; u <= static_cast<int>(section.units.size()); ++u) {
      const std::string& caption = section.units[static_cast<std::size_t>(u - 1)];
      const auto count = records.KeyCount(UnitSectionName(s, u, caption));
      if (findSimilar) {
        const std::string key = "[[unit" + std::to_string(u) + "R1";
        hasSimilar_[{s, u}] = questions && questions->FindKeyLine(key).has_value();
      }
      marks_[{s, u}] = std::string(hasSimilar_[{s, u}] ? "◎" : "　") + "[" +
                       (count > 0 ? std::to_string(count) : std::string(" ")) + "]";
    }
  }
}

void UnitMarks::Clear() {
  marks_.clear();
  hasSimilar_.clear();
}

std::string UnitMarks::Text(int section, int unit) const {
  auto it = marks_.find({section, unit});
  return it == marks_.end() ? std::string() : it->second;
}

}  // namespace tavolo
