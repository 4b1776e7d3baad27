#pragma once
// The teacher's view of a class: for each lesson, every learner's record file
// read whole, with per unit the number of runs, the best and the last score,
// the date of the last run and every record line. Units come in the order of
// the lesson index (units without runs too, so that the table is a full
// grid), then the lesson's copy files, then any section of a file that the
// index no longer names: nothing a learner did is hidden. The password is
// never read out.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/ini_file.h"
#include "practice/record_line.h"

namespace tavolo {

struct RecordEntry {
  std::string key;
  std::string line;
  std::optional<RunRecord> run;  // nothing when the line has another shape
};

struct UnitRecords {
  std::string section;
  std::vector<RecordEntry> records;  // in file order
  // From the lines that could be read: the best score, and the score and
  // date of the last one.
  std::optional<int> best;
  std::optional<int> last;
  std::optional<DateTime> lastRun;
  int Runs() const { return static_cast<int>(records.size()); }
};

struct LearnerRecords {
  std::string name;
  std::vector<UnitRecords> units;
};

struct LessonRecords {
  int lesson = 0;
  std::vector<LearnerRecords> learners;  // by name
};

struct ClassRecords {
  std::vector<LessonRecords> lessons;
  // Files or indexes that could not be read: "path: reason", skipped.
  std::vector<std::string> problems;
};

// The lesson's copy files (".prp" in the folder named by its stem), by name.
std::vector<std::string> LessonCopyFiles(const CourseIndex& course, int lesson);

// The sections a lesson's overview lists first: the units of its index, then
// its copy files. A lesson index that cannot be read gives only the copy
// files, and its message in problem.
std::vector<std::string> LessonRecordSections(const CourseIndex& course, int lesson,
                                              std::string* problem);

// One learner's file against those sections (plus the file's own others).
LearnerRecords SummariseLearner(std::string name, const IniDocument& file,
                                const std::vector<std::string>& sections);

// lesson: one lesson (1-based) or all; learner: one learner or everyone with
// a record file of the lesson, wherever RecordFilePath puts it.
ClassRecords CollectClassRecords(const AppState& app, std::optional<int> lesson,
                                 const std::optional<std::string>& learner);

// "2024-05-03": dates as spreadsheets and JSON readers take them.
std::string IsoDateText(const DateTime& when);

// The class's records as a spreadsheet reads them: UTF-8 with a byte-order
// mark, CR LF, one row per learner, lesson and unit (学習者, レッスン, 単元,
// 回数, 最高点, 最新点, 最終実施日). `tavolo records --csv` and the class
// overview's CSV button both write this.
void WriteClassRecordsCsv(std::ostream& out, const ClassRecords& records);

}  // namespace tavolo
