#pragma once
// The teacher's overview of a lesson: every learner with a record file as a
// row, every unit (then the copy files, then any other section a learner's
// file holds) as a column, and in each cell the learner's runs of that unit.
// It is laid out from the same collected records as `tavolo records`, so the
// two never disagree; the password is never among them.

#include <optional>
#include <string>
#include <vector>

#include "app/class_records.h"
#include "content/course_index.h"
#include "platform/dialogs.h"

namespace tavolo {

struct ClassGridColumn {
  std::string section;  // the record-file section
  std::string header;   // "1-2" + line break + unit caption; the name itself for others
};

struct ClassGridCell {
  int runs = 0;
  std::optional<int> best;  // from the lines that could be read
  std::optional<int> last;
  std::optional<DateTime> lastRun;
  // What the cell's tooltip shows: the counts and the latest record lines.
  std::string hover;
  // The text in the cell: the best score, "-" for runs without a readable
  // score, nothing without runs.
  std::string Text() const;
};

struct ClassGrid {
  int lesson = 0;
  std::vector<ClassGridColumn> columns;
  std::vector<std::string> learners;
  std::vector<std::vector<ClassGridCell>> cells;  // [learner][column]
};

// How many record lines a cell's tooltip lists (the latest ones).
inline constexpr int kHoverRecordLines = 12;

// Rows follow the roster (the class's own order, usually the register's),
// then the learners it does not name, by name.
ClassGrid BuildClassGrid(const CourseIndex& course, const LessonRecords& lesson,
                         const std::vector<std::string>& roster = {});

inline constexpr std::string_view kCsvFileFilter = "CSVファイル (*.csv)";

// The overview's CSV button: the records as `tavolo records --csv` writes
// them, into a file the teacher chooses (".csv" added when the name has no
// extension; an existing file replaced only after a Yes). True when written.
bool SaveClassRecordsCsv(const ClassRecords& records, const std::string& suggested,
                         Dialogs& dialogs);

}  // namespace tavolo
