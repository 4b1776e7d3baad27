#include "app/class_records.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "app/record_file.h"
#include "content/lesson_index.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "practice/learner_name.h"
#include "practice/record_store.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

// Section names compare as the INI file compares them: ASCII letters without
// regard to case. In UTF-8 every byte of a Japanese character is above 0x7F,
// so folding byte by byte never touches one.
bool SameSection(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return fold(x) == fold(y);
  });
}

bool Listed(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& n) { return SameSection(n, name); });
}

UnitRecords Summarise(std::string section, const IniDocument& file) {
  UnitRecords unit{std::move(section), {}, {}, {}, {}};
  for (auto& [key, line] : file.Entries(unit.section)) {
    RecordEntry entry{std::move(key), std::move(line), {}};
    entry.run = ParseRecordLine(entry.line);
    if (entry.run) {
      unit.best = std::max(unit.best.value_or(entry.run->score), entry.run->score);
      unit.last = entry.run->score;
      unit.lastRun = entry.run->when;
    }
    unit.records.push_back(std::move(entry));
  }
  return unit;
}

bool IsRegularFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// Learners with a record file in the folder, by name. Windows puts a
// "desktop.ini" into folders it has shown; that is nobody's record.
std::vector<std::string> LearnersIn(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    if (path.extension() != ".ini") continue;
    const std::string name = path.stem().string();
    std::string lower = path.filename().string();
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    if (lower == "desktop.ini" || !IsUsableLearnerName(name)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::vector<std::string> LessonCopyFiles(const CourseIndex& course, int lesson) {
  std::vector<std::string> copies;
  // Copy files are kept in the folder named by the lesson's stem.
  const Lesson* entry = course.FindLesson(lesson);
  if (!entry || entry->stem.empty()) return copies;
  std::error_code ec;
  const fs::path folder = CoursePath(course.courseFolder, entry->stem);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string ext = it->path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    if (ext == ".prp" && IsRegularFile(it->path()))
      copies.push_back(it->path().filename().string());
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}

std::vector<std::string> LessonRecordSections(const CourseIndex& course, int lesson,
                                              std::string* problem) {
  std::vector<std::string> sections;
  if (auto index = ReadLessonIndex(course, lesson)) {
    for (int s = 1; s <= static_cast<int>(index->sections.size()); ++s) {
      const Section& section = index->sections[static_cast<std::size_t>(s - 1)];
      for (int u = 1; u <= static_cast<int>(section.units.size()); ++u)
        sections.push_back(UnitSectionName(s, u, section.units[static_cast<std::size_t>(u - 1)]));
    }
  } else if (problem) {
    *problem = index.message();
  }
  for (std::string& copy : LessonCopyFiles(course, lesson))
    if (!Listed(sections, copy)) sections.push_back(std::move(copy));
  return sections;
}

LearnerRecords SummariseLearner(std::string name, const IniDocument& file,
                                const std::vector<std::string>& sections) {
  LearnerRecords learner{std::move(name), {}};
  learner.units.reserve(sections.size());
  for (const std::string& section : sections) learner.units.push_back(Summarise(section, file));
  std::vector<std::string> seen = sections;
  for (std::string& section : file.Sections()) {
    if (SameSection(section, kPasswordSection) || Listed(seen, section)) continue;
    seen.push_back(section);
    learner.units.push_back(Summarise(std::move(section), file));
  }
  return learner;
}

ClassRecords CollectClassRecords(const AppState& app, std::optional<int> lesson,
                                 const std::optional<std::string>& learner) {
  ClassRecords result;
  const int count = static_cast<int>(app.course.lessons.size());
  for (int l = lesson.value_or(1); l <= (lesson ? *lesson : count); ++l) {
    std::string problem;
    const std::vector<std::string> sections = LessonRecordSections(app.course, l, &problem);
    if (!problem.empty()) result.problems.push_back(problem);
    LessonRecords lessonRecords{l, {}};
    const std::vector<std::string> names =
        learner ? std::vector<std::string>{*learner} : LearnersIn(RecordFolder(app, l));
    for (const std::string& name : names) {
      auto path = RecordFilePath(app, l, name);
      if (!path) {
        result.problems.push_back(path.message());
        continue;
      }
      auto file = RecordStore::Load(path.value());
      if (!file) {
        result.problems.push_back(file.message());
        continue;
      }
      lessonRecords.learners.push_back(SummariseLearner(name, file.value(), sections));
    }
    result.lessons.push_back(std::move(lessonRecords));
  }
  return result;
}

std::string IsoDateText(const DateTime& when) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", when.year, when.month, when.day);
  return buffer;
}

namespace {

// A CSV field. Spreadsheet programs run a cell that starts with "=", "+", "-"
// or "@" as a formula; a name read from a record file must never do that, so
// such a cell is kept as text with a leading apostrophe.
std::string CsvField(std::string_view text) {
  const bool formula =
      !text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos;
  std::string value;
  value.reserve(text.size() + 1);
  if (formula) value += '\'';
  value.append(text);
  if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
  std::string quoted = "\"";
  for (char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string NumberOrEmpty(const std::optional<int>& value) {
  return value ? std::to_string(*value) : std::string();
}

}  // namespace

void WriteClassRecordsCsv(std::ostream& out, const ClassRecords& records) {
  // A byte-order mark, so that spreadsheet programs read the Japanese as UTF-8.
  out << "\xEF\xBB\xBF"
      << "学習者,レッスン,単元,回数,最高点,最新点,最終実施日\r\n";
  for (const LessonRecords& lesson : records.lessons)
    for (const LearnerRecords& learner : lesson.learners)
      for (const UnitRecords& unit : learner.units)
        out << CsvField(learner.name) << "," << lesson.lesson << "," << CsvField(unit.section)
            << "," << unit.Runs() << "," << NumberOrEmpty(unit.best) << ","
            << NumberOrEmpty(unit.last) << "," << (unit.lastRun ? IsoDateText(*unit.lastRun) : "")
            << "\r\n";
}

}  // namespace tavolo
