#pragma once
// One editing session of the question editor ("マスターファイルの編集"): which
// unit it edits, what its boxes hold, and the rules of loading, saving,
// cancelling and closing. The window shows the boxes and forwards its buttons
// here and to the text, choice and figure operations beside this file.
//
// Saving reads the question file again and replaces only this unit's bytes in
// what is on disk then (or appends the unit when it is not there), through the
// same unit scanner as every other writer: whatever was written to the file
// in between stays, and a unit whose structure is broken is never rewritten.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "authoring/unit_block.h"
#include "authoring/written_lines.h"
#include "content/course_index.h"
#include "content/unit_address.h"
#include "content/unit_content.h"
#include "platform/dialogs.h"
#include "sheet/canvas.h"
#include "sheet/sheet_params.h"

namespace tavolo {

// The help topic of the source editor when the question editor opens it.
inline constexpr int kQuestionSourceHelpContext = 720;

// The two lines of a new unit's question box.
const Lines& NewUnitQuestionLines();

// The address as "§" shows it: lesson, section and unit separated by blanks,
// then "R" + variant when the variant is not 0 ("1 3 2R1").
std::string EditorAddressText(const UnitAddress& address);

// The worksheet whose unit the editor edits: its layout and figure lists as
// they are now (perhaps changed since it was opened) replace those of the
// file, and its text segments anchor new figures.
struct EditorSheet {
  const SheetParams& params;
  std::vector<Point> anchors;  // start of each text segment drawn on its page
  int questionsBottom = 0;     // the first free place below its question lines
};

// The editor's boxes, for pointing at a line in one of them.
enum class EditorBox { Question, Dummy, Kgroup, Hint, Graph, AGraph, Settings, Random };

// The box's caption, as its messages name it ("<<ques 問題ブロック").
std::string_view EditorBoxCaption(EditorBox box);

// Where saving stopped.
enum class EditorStop {
  Saved,
  QuestionText,  // the question text is invalid; `line` is the line to show
  BoxLine,       // a line of `box` cannot be written as it is: `line` and `offset`
                 // (also an error of the random data, in the box that holds it)
  LayoutBlocks,  // the settings box failed its block check
  Declined,      // the teacher kept a newer text on disk: nothing written, edits kept
  File,          // the file could not be read, was broken or not written; nothing changed
};
struct EditorSave {
  EditorStop stop = EditorStop::Saved;
  int line = 0;  // 1-based, for QuestionText and BoxLine
  EditorBox box = EditorBox::Question;
  std::size_t offset = 0;  // byte offset in the line's UTF-8 text, for BoxLine
};

// The first line of the boxes that would be written otherwise than it shows,
// or would change how the file reads: a character CP932 cannot hold, a line
// that ends a block or the unit or is found as a unit's key line, more than
// 60 question lines or 80 answer fields. The message names the box and line.
struct BoxFault {
  EditorBox box = EditorBox::Question;
  LineFault fault;  // its message starts with the box's caption
};
[[nodiscard]] std::optional<BoxFault> CheckEditorBoxes(const UnitBlockBoxes& boxes);

// The first line of a question file's directly edited text that cannot be
// written (a character CP932 cannot hold), or that breaks a unit which was
// whole before the edit (a block or "]]" now missing, a key line inside a
// block) or makes a unit key line appear twice: the second would never be
// found.
[[nodiscard]] std::optional<LineFault> CheckQuestionSource(const Lines& before, const Lines& after);

// What a check of the boxes beyond their lines' own says about one line: the
// random data's check (random/editor_random.h, a layer above this one),
// which the editor is given.
struct BoxMessage {
  EditorBox box = EditorBox::Random;
  int line = 1;            // 1-based, in that box
  std::size_t offset = 0;  // byte offset in the line's UTF-8 text, for the caret
  bool warning = false;    // told, but no reason not to save
  std::string text;        // the box's caption, the line (and column) and the message
};
using BoxesCheck = std::function<std::vector<BoxMessage>(const UnitBlockBoxes&)>;

// What closing by the close box comes to.
enum class EditorClose {
  Saved,      // the edits were saved: the window closes with OK
  Discarded,  // nothing to save or the teacher said No: closes as Cancel
  Stay,       // saving stopped (message shown): the window stays with its edits
};

class QuestionEditor {
 public:
  // `dataCheck` runs at OK after the boxes' own checks; its errors stop the
  // save at their line (the window gives the random data's check).
  explicit QuestionEditor(BoxesCheck dataCheck = {}) : dataCheck_(std::move(dataCheck)) {}

  // Loads the unit at `address` into the boxes. With a sheet the editor edits
  // that sheet's unit; without one it creates the unit (new-unit mode), which
  // starts from the template unless the file has the unit already. Problems
  // with the file are told through dialogs; nothing is ever written here.
  void Load(const CourseIndex& course, const UnitAddress& address, const UnitCaptions& captions,
            const EditorSheet* sheet, Dialogs& dialogs);
  // Loads the same unit again (after the file was edited directly).
  void Reload(Dialogs& dialogs);

  // OK: checks the question text, the layout blocks and the random data (its
  // errors, as the author's check of a course finds them), then writes the
  // unit.
  [[nodiscard]] EditorSave Save(Dialogs& dialogs);
  // The close box: asks "変更されたデータファイルを保存しますか？" when something
  // changed; Yes saves.
  [[nodiscard]] EditorClose QueryClose(Dialogs& dialogs, EditorSave& save);
  // Cancel: nothing is written.
  void Cancel() { modified = false; }

  // Before a direct edit, which loads the unit again from the file: edits
  // not yet saved would be lost, so the teacher is asked first.
  [[nodiscard]] bool MayEditSource(Dialogs& dialogs) const;
  // Direct edit: the question file's lines (none when it does not exist yet).
  [[nodiscard]] Result<Lines> SourceLines() const;
  // Writes the directly edited lines and loads the unit again. The lines
  // should have passed CheckQuestionSource against SourceLines().
  [[nodiscard]] Status SaveSource(const Lines& lines, Dialogs& dialogs);

  UnitBlockBoxes boxes;
  bool modified = false;

  const UnitAddress& Address() const { return address_; }
  const std::string& FilePath() const { return filePath_; }
  const std::string& Title() const { return title_; }
  bool NewUnitMode() const { return newUnit_; }
  const std::vector<Point>& Anchors() const { return anchors_; }
  int QuestionsBottom() const { return questionsBottom_; }
  // The figure folder to list, when the course has one.
  const std::optional<std::filesystem::path>& FigureFolder() const { return figureFolder_; }

 private:
  void FillTemplate();
  void LoadFromFile(Dialogs& dialogs);

  BoxesCheck dataCheck_;
  CourseIndex course_;
  UnitAddress address_;
  UnitCaptions captions_;
  std::optional<SheetParams> sheet_;  // a copy: the sheet may close while the editor is open
  std::vector<Point> anchors_;
  int questionsBottom_ = 0;
  bool newUnit_ = false;
  bool existed_ = false;  // the unit was in the file (or on a sheet) when loaded
  // The unit's bytes in the file when loaded ("" when it was not there), to
  // notice a save made meanwhile by another window or program.
  std::optional<std::string> loadedUnit_;
  std::string filePath_;
  std::string title_;
  std::optional<std::filesystem::path> figureFolder_;
};

}  // namespace tavolo
