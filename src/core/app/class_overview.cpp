#include "app/class_overview.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <unordered_map>

#include "app/record_file.h"
#include "content/lesson_index.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

ClassGridCell MakeCell(const UnitRecords& unit) {
  ClassGridCell cell;
  cell.runs = unit.Runs();
  cell.best = unit.best;
  cell.last = unit.last;
  cell.lastRun = unit.lastRun;
  if (cell.runs == 0) {
    cell.hover = "記録はありません";
    return cell;
  }
  auto score = [](const std::optional<int>& v) { return v ? std::to_string(*v) + "点" : "-"; };
  cell.hover = "回数: " + std::to_string(cell.runs) + "回\n最高点: " + score(cell.best) +
               "\n最新点: " + score(cell.last) +
               "\n最終実施日: " + (cell.lastRun ? IsoDateText(*cell.lastRun) : std::string("-"));
  const int from = std::max(0, cell.runs - kHoverRecordLines);
  if (from > 0) cell.hover += "\n（ほか " + std::to_string(from) + " 回）";
  for (int i = from; i < cell.runs; ++i) {
    const RecordEntry& entry = unit.records[static_cast<std::size_t>(i)];
    cell.hover += "\n" + entry.key + ": " + entry.line;
  }
  return cell;
}

}  // namespace

std::string ClassGridCell::Text() const {
  if (runs == 0) return {};
  return best ? std::to_string(*best) : "-";
}

ClassGrid BuildClassGrid(const CourseIndex& course, const LessonRecords& lesson,
                         const std::vector<std::string>& roster) {
  ClassGrid grid;
  grid.lesson = lesson.lesson;

  // Headers of the index's units: their place in the lesson and their caption.
  std::map<std::string, std::string> unitHeaders;
  if (auto index = ReadLessonIndex(course, lesson.lesson)) {
    for (int s = 1; s <= static_cast<int>(index->sections.size()); ++s) {
      const auto& units = index->sections[static_cast<std::size_t>(s - 1)].units;
      for (int u = 1; u <= static_cast<int>(units.size()); ++u)
        unitHeaders.emplace(UnitSectionName(s, u, units[static_cast<std::size_t>(u - 1)]),
                            std::to_string(s) + "-" + std::to_string(u) + "\n" +
                                units[static_cast<std::size_t>(u - 1)]);
    }
  }
  std::map<std::string, std::size_t> columnOf;
  auto addColumn = [&](const std::string& section) {
    if (columnOf.count(section)) return;
    columnOf.emplace(section, grid.columns.size());
    auto header = unitHeaders.find(section);
    grid.columns.push_back({section, header != unitHeaders.end() ? header->second : section});
  };
  if (lesson.learners.empty()) {
    for (const std::string& section : LessonRecordSections(course, lesson.lesson, nullptr))
      addColumn(section);
  }
  for (const LearnerRecords& learner : lesson.learners)
    for (const UnitRecords& unit : learner.units) addColumn(unit.section);

  // Each learner's place in the roster, looked up once (a roster may name
  // thousands); roster.size() for a learner it does not name.
  std::unordered_map<std::string_view, std::size_t> rosterPlace;
  for (std::size_t i = 0; i < roster.size(); ++i) rosterPlace.emplace(roster[i], i);
  std::vector<std::pair<std::size_t, const LearnerRecords*>> rows;
  for (const LearnerRecords& learner : lesson.learners) {
    const auto it = rosterPlace.find(learner.name);
    rows.emplace_back(it == rosterPlace.end() ? roster.size() : it->second, &learner);
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& ranked : rows) {
    const LearnerRecords& learner = *ranked.second;
    grid.learners.push_back(learner.name);
    std::vector<ClassGridCell> row(grid.columns.size());
    for (ClassGridCell& cell : row) cell.hover = "記録はありません";
    for (const UnitRecords& unit : learner.units) row[columnOf.at(unit.section)] = MakeCell(unit);
    grid.cells.push_back(std::move(row));
  }
  return grid;
}

bool SaveClassRecordsCsv(const ClassRecords& records, const std::string& suggested,
                         Dialogs& dialogs) {
  auto file = dialogs.ChooseSaveFile(suggested, kCsvFileFilter);
  if (!file) return false;
  if (!std::filesystem::path(*file).has_extension()) *file += ".csv";
  if (PathExists(*file) &&
      !dialogs.AskBeforeDestroying("ファイル" + *file + "を上書きしてもいいですか？"))
    return false;
  std::ostringstream csv;
  WriteClassRecordsCsv(csv, records);
  if (Status written = WriteFileAtomic(*file, csv.str()); !written) {
    dialogs.Inform(written.message());
    return false;
  }
  return true;
}

}  // namespace tavolo
