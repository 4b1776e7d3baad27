#include "app/class_records.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <unordered_set>

#include "app/record_file.h"
#include "content/lesson_index.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "practice/learner_name.h"
#include "practice/record_store.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

UnitRecords Summarise(std::string section, const IniDocument& file) {
  UnitRecords unit{std::move(section), {}, {}, {}, {}};
  for (auto& [key, line] : RecordEntries(file, unit.section)) {
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

std::string LowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return text;
}

// Windows puts a "desktop.ini" of its own into folders it has shown; a
// learner named "desktop" has a file of that name too. Only this program's
// records make it a learner's: a password, or a line that reads as a run.
bool IsLearnersFile(const fs::path& path) {
  const auto file = RecordStore::Load(path);
  if (!file) return true;  // listed, so that the reason it cannot be read is reported
  const std::string password = IniDocument::SectionKey(kPasswordSection);
  for (const std::string& section : file->Sections()) {
    if (IniDocument::SectionKey(section) == password) return true;
    for (const auto& [key, line] : file->Entries(section))
      if (ParseRecordLine(line)) return true;
  }
  return false;
}

// Learners with a record file in the folder, by name.
std::vector<std::string> LearnersIn(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    if (path.extension() != ".ini") continue;
    const std::string name = path.stem().string();
    if (!IsUsableLearnerName(name)) continue;
    if (LowerAscii(path.filename().string()) == "desktop.ini" && !IsLearnersFile(path)) continue;
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
    if (LowerAscii(it->path().extension().string()) == ".prp" && IsRegularFile(it->path()))
      copies.push_back(it->path().filename().string());
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}

std::vector<std::string> LessonRecordSections(const CourseIndex& course, int lesson,
                                              std::string* problem) {
  std::vector<std::string> sections;
  std::unordered_set<std::string> listed;  // SectionKey of each
  if (auto index = ReadLessonIndex(course, lesson)) {
    for (int s = 1; s <= static_cast<int>(index->sections.size()); ++s) {
      const Section& section = index->sections[static_cast<std::size_t>(s - 1)];
      for (int u = 1; u <= static_cast<int>(section.units.size()); ++u) {
        sections.push_back(UnitSectionName(s, u, section.units[static_cast<std::size_t>(u - 1)]));
        listed.insert(IniDocument::SectionKey(sections.back()));
      }
    }
  } else if (problem) {
    *problem = index.message();
  }
  for (std::string& copy : LessonCopyFiles(course, lesson))
    if (listed.insert(IniDocument::SectionKey(copy)).second) sections.push_back(std::move(copy));
  return sections;
}

LearnerRecords SummariseLearner(std::string name, const IniDocument& file,
                                const std::vector<std::string>& sections) {
  LearnerRecords learner{std::move(name), {}};
  learner.units.reserve(sections.size());
  // Names are matched as the file's reader matches them, so the section a
  // unit's runs are filed under is that unit's, never a stray one of its own.
  std::vector<std::string> others = file.Sections();
  std::unordered_set<std::string> seen;
  seen.reserve(sections.size() + others.size() + 1);
  seen.insert(IniDocument::SectionKey(kPasswordSection));
  for (const std::string& section : sections) {
    seen.insert(IniDocument::SectionKey(section));
    learner.units.push_back(Summarise(section, file));
  }
  for (std::string& section : others) {
    if (!seen.insert(IniDocument::SectionKey(section)).second) continue;
    learner.units.push_back(Summarise(std::move(section), file));
  }
  return learner;
}

ClassRecords CollectClassRecords(const AppState& app, std::optional<int> lesson,
                                 const std::optional<std::string>& learner) {
  ClassRecords result;
  const int count = static_cast<int>(app.Course().lessons.size());
  for (int l = lesson.value_or(1); l <= (lesson ? *lesson : count); ++l) {
    std::string problem;
    const std::vector<std::string> sections = LessonRecordSections(app.Course(), l, &problem);
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
