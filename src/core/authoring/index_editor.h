#pragma once
// The index editor's work on one lesson: the lessons of Main.ind, the chosen
// lesson's index lines (or the template when it has no index file yet), the
// chosen section and unit, the adds and renames the buttons make, and the
// writing on OK. The window shows this state and forwards its clicks; names
// are asked through TextInput and messages told through Dialogs.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/index_tree.h"
#include "authoring/lesson_index_edit.h"
#include "authoring/written_lines.h"
#include "content/course_index.h"
#include "content/lesson_index.h"
#include "platform/dialogs.h"
#include "platform/result.h"

namespace tavolo {

// The text-input window's modes: which name it asks for.
inline constexpr std::string_view kInputMainAdd = "mainADD";
inline constexpr std::string_view kInputMainChange = "mainCHANGE";
inline constexpr std::string_view kInputSubAdd = "subADD";
inline constexpr std::string_view kInputSubChange = "subCHANGE";

inline constexpr std::string_view kCloseAllFilesFirst = "開いているファイルをすべて閉じてください";
inline constexpr std::string_view kClickItemToChange = "変更する項目をクリックしてください";
inline constexpr std::string_view kChooseSectionToEdit = "編集する主メニューを選択してください";
inline constexpr std::string_view kChooseUnitToEdit = "編集する副メニューを選択してください";
inline constexpr std::string_view kSectionNotFound = "not found";
// Shown for the question file of a section that has none yet.
inline constexpr std::string_view kNotMadeYet = "未作成";
inline constexpr std::string_view kDiscardEditsQuestion =
    "変更した内容が保存されていません。保存しないで別のコースウェアを開きますか？";

// The text-input window: shows `mode`; the change modes start from `current`
// (selected whole). The entered name on OK, nothing on Cancel.
class TextInput {
 public:
  virtual ~TextInput() = default;
  virtual std::optional<std::string> AskText(std::string_view mode, std::string_view current) = 0;
};

// The editor edits lesson indexes only while no worksheet is open: a sheet
// holds positions (its unit address) that an edit could move under it.
[[nodiscard]] Status IndexEditorMayOpen(std::size_t openSheets);

// A directly edited index text: the first character it cannot hold.
[[nodiscard]] std::optional<LineFault> CheckIndexSource(const Lines& lines);

class IndexEditor {
 public:
  // Reads Main.ind afresh (each opening of the window). Failure: the message
  // of the missing or unreadable file.
  [[nodiscard]] Status ReadCourse(std::string_view courseFolder);
  const CourseIndex& Course() const { return course_; }
  std::vector<std::string> LessonCaptions() const;

  // Loads lesson n (lesson 1 when n is not a lesson): its index file, or the
  // template when there is none; clears the modified flag and chooses the
  // first section. An index file that exists but cannot be read is reported
  // and leaves no lesson chosen, so that nothing can overwrite it.
  [[nodiscard]] Status LoadLesson(int lesson);
  // Chooses section n and its first unit. Failure "not found": the unit list
  // keeps what it showed.
  [[nodiscard]] Status ChooseSection(int section);
  void ChooseUnit(int unit);

  // The four buttons. Each asks for a name and returns true when the index
  // lines changed (the tree and lists need showing again).
  bool AddSection(TextInput& input, Dialogs& dialogs);
  bool RenameSection(TextInput& input, Dialogs& dialogs);
  bool AddUnit(TextInput& input, Dialogs& dialogs);
  bool RenameUnit(TextInput& input, Dialogs& dialogs);

  // OK with the title box's text. Writes the index (atomically, CP932 CR LF)
  // when an edit was made or the title changed; true when it wrote. Failures:
  // no section or no unit chosen, or the write failed (the old file stays, and
  // so do the edits).
  [[nodiscard]] Result<bool> Save(std::string_view title);
  // Before another lesson is loaded over the edits: true when nothing would be
  // lost (nothing changed since loading or saving, the title box included),
  // or when the teacher agrees to let the changes go.
  bool MayDiscardEdits(std::string_view title, Dialogs& dialogs) const;
  // Something would be lost by closing now: an edit, or a changed title box.
  bool HasChanges(std::string_view title) const;
  // Esc and the close box: when something changed, asks
  // "変更されたインデックスファイルを保存しますか？"; true for Yes (the caller
  // saves as OK does). Without changes, or on No, false: close as Cancel.
  bool AskSaveOnClose(std::string_view title, Dialogs& dialogs) const;
  // Cancel: the edits are forgotten (the lines stay as shown until the next load).
  void Discard() { modified_ = false; }

  // The index lines with the title box's text on line 1: what the direct edit starts from.
  Lines LinesWithTitle(std::string_view title) const;
  // Writes a directly edited index over the lesson's index file. A character
  // the file cannot hold is refused first (CheckIndexSource).
  [[nodiscard]] Status WriteIndex(const Lines& lines);

  int lesson() const { return lesson_; }
  int section() const { return section_; }
  int unit() const { return unit_; }
  bool Modified() const { return modified_; }
  const Lines& IndexLines() const { return lines_; }
  // Line 1 of the index lines.
  std::string Title() const;
  LessonIndex Index() const { return ParseLessonIndex(lines_); }
  std::vector<std::string> SectionCaptions() const;
  // What the unit list shows: the chosen section's unit captions.
  const Lines& UnitCaptions() const { return units_; }
  std::filesystem::path IndexPath() const;
  // The chosen section's question file, or "未作成" when it does not exist.
  std::string DataFileText() const;
  // The tree of the index lines; `marks` puts the course menu's marks in front.
  IndexTree Tree(const UnitMarkLookup& marks = {}) const;

 private:
  CourseIndex course_;
  int lesson_ = 0;
  int section_ = 0;
  int unit_ = 0;
  Lines lines_;
  Lines saved_;  // the lines as loaded or last written
  Lines units_;
  bool modified_ = false;
};

}  // namespace tavolo
