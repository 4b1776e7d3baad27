#pragma once
// The records viewer of one learner and lesson: the unit list (section
// headings, then per unit how often it was practised and its section in the
// record file, then the lesson's copy files), the record lines of a clicked
// entry with the runs they describe, and erasing an entry's records. The
// record file is read once per showing and after each erase.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "practice/record_line.h"

namespace tavolo {

// The section name of an entry that names no section (a heading).
inline constexpr std::string_view kNoRecordSection = "?";
inline constexpr std::string_view kNoRecordsLine = "練習の記録はありません";

struct RecordsListEntry {
  std::string text;     // as listed: the caption, or "05回S12正の数の加法"
  std::string section;  // the record-file section; "?" for a heading
  int count = 0;        // records in the section
  bool heading = false;
};

// "05回", "12回", or two blanks and "回" when there is none.
std::string RecordCountText(int count);

// The unit list of a lesson against a learner's record file (an empty
// document when there is none). A lesson index that cannot be read gives no
// headings and no units; the copy files are listed all the same.
std::vector<RecordsListEntry> BuildRecordsUnitList(const CourseIndex& course, int lesson,
                                                   const IniDocument& records);

// One record line that could be read, for the chart: its position among the
// section's lines (1-based), when it ran, the score and the time taken.
struct RunPoint {
  int run = 0;
  RunRecord record;
};

class RecordsViewer {
 public:
  explicit RecordsViewer(const AppState& app) : app_(app) {}

  // Each showing: clears the erased flag and reads the learner's record file
  // of the lesson. A record file that exists but cannot be read is reported
  // and the list shows no records.
  void Open(int lesson, std::string learner, Dialogs& dialogs);

  const std::string& Learner() const { return learner_; }
  int Lesson() const { return lesson_; }
  const std::vector<RecordsListEntry>& Entries() const { return entries_; }
  // The position of the entry of a section (exact name), if listed.
  std::optional<int> FindEntry(std::string_view section) const;
  // The section of the entry at a position: "?" for a heading or no entry.
  std::string SectionAt(std::optional<int> index) const;

  // The record lines of the entry at a position (RecordEntries' order), or the
  // single line "練習の記録はありません".
  std::vector<std::string> DetailLines(std::optional<int> index) const;
  // The entry's runs that can be read, in record order.
  std::vector<RunPoint> Runs(std::optional<int> index) const;

  // "記録消去" with the entry at `index` (nothing when none is selected):
  // asks first, naming the section and its number of runs, with No as the
  // default; on Yes erases that section and reads the file again. A refused
  // write is reported and the list stays as it was. True when the list was
  // read again.
  bool Erase(std::optional<int> index, Dialogs& dialogs);
  // A section was erased since Open: the course menu's marks are stale.
  bool Erased() const { return erased_; }

 private:
  void Reload(Dialogs* dialogs);
  std::vector<std::string> RecordLines(std::optional<int> index) const;

  const AppState& app_;
  int lesson_ = 1;
  std::string learner_;
  std::optional<std::filesystem::path> file_;  // none for a name that names no file
  IniDocument records_ = IniDocument::Parse({});
  std::vector<RecordsListEntry> entries_;
  bool erased_ = false;
};

}  // namespace tavolo
