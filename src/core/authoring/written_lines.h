#pragma once
// What the program may write of what a teacher typed into a course file. A
// text is either written exactly as it stands or refused with the line (and
// the character) to mend: never written as "?", never in a shape that ends a
// block or a unit early, so that the file reads afterwards as the teacher saw
// it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolo {

using Lines = std::vector<std::string>;

// Where a text cannot be written, and why.
struct LineFault {
  std::string message;     // complete user-facing text
  int line = 1;            // 1-based
  std::size_t offset = 0;  // byte offset in that line's UTF-8 text, for the caret
  bool operator==(const LineFault&) const = default;
};

// A check of a whole edited text before it is written: why it cannot be, or
// nothing when it can.
using LinesCheck = std::function<std::optional<LineFault>(const Lines&)>;

// The first character CP932 cannot hold, as line + "行目：「" + character +
// "」は" + fileKind + "に書けない文字です".
[[nodiscard]] std::optional<LineFault> FindUnwritableLine(const Lines& lines,
                                                          std::string_view fileKind);

// How the lines of one box of the question editor stand in the unit's file.
enum class BoxReading {
  Block,        // the content of a block the reader knows: only ">>" ends it
  SteppedOver,  // "<<dummy", "<<hint": the reader looks at each line by itself
  Layout,       // the layout blocks written out whole, markers included
};

// The first line of a box that would change how the file reads once written:
// a line ">>" inside a block (it ends the block), a unit key line (it would
// be found in place of the unit), and, where the reader steps over lines, a
// "]]", a key line or a block marker. Lines such as "]]" or "<<value" inside
// a block the reader knows are content and stay allowed.
[[nodiscard]] std::optional<LineFault> FindStructureLine(const Lines& box, BoxReading kind);

// The most a unit can hold and still open: 60 question lines and 80 answer
// fields (the sheet has 80 answer boxes).
inline constexpr int kMaxAnswerFields = 80;
[[nodiscard]] std::optional<LineFault> FindOverLimit(const Lines& question);

// The answer fields of a question line (its pairs of "#"), and of a text.
int AnswerFieldsOfLine(std::string_view line);
int CountAnswerFields(const Lines& question);

}  // namespace tavolo
