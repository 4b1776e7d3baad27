#pragma once
// Unit blocks as the question editor sees them: reading a unit's blocks out of
// a question file's lines into the editor's boxes, checking layout blocks, and
// putting an assembled block back into the file lines. Saving a worksheet over
// its unit uses the same operations without showing the editor.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace tavolo {

using Lines = std::vector<std::string>;

// The editor's boxes, one list of lines each.
struct UnitBlockBoxes {
  Lines question;  // "<<ques"
  Lines dummy;     // "<<dummy"
  Lines kgroup;    // "<<kgroup"
  Lines hint;      // "<<hint"
  Lines graph;     // "<<graph": question figures, three lines each
  Lines aGraph;    // "<<AGraph": answer figures, three lines each
  Lines settings;  // "<<value", "<<font", "<<kran" blocks written out whole
  // "<<random": the declarations of the unit's random data (its first such
  // block). Empty writes no block: emptying the box removes it.
  Lines random;
  bool operator==(const UnitBlockBoxes&) const = default;
};

// Index of the first line equal to keyLine, or -1.
int FindUnitKeyLine(const Lines& fileLines, std::string_view keyLine);

// Reads the unit that starts at fileLines[keyIndex] into boxes. Lines of blocks
// the editor does not know are stepped over and not kept (saving drops them).
// Where the unit and its blocks end is the unit scanner's decision, the same
// as for opening a sheet.
UnitBlockBoxes ReadUnitBlockIntoBoxes(const Lines& fileLines, int keyIndex);

// The count check of layout blocks in any list of lines: "<<value" and "<<font"
// exactly 7 lines, "<<kran" exactly 10 or 8. Failure texts:
// "valueブロックの数が合いません", "fontブロックの数が合いません",
// "kranブロックの数が合いません", and for a block never closed by ">>",
// marker + "ブロックが閉じていません".
[[nodiscard]] Status CheckLayoutBlocks(const Lines& box);

// What the teacher is told when a unit cannot be rewritten in place because
// its structure is broken: the file, the line to mend and what is wrong there.
std::string BrokenUnitMessage(std::string_view fileLabel, int line, std::string_view fault);

// Finds the unit and removes its lines (key line through "]]"). Returns the
// position where it stood, or -1 when the file has no such unit. A unit whose
// structure is broken is left in place: the failure is BrokenUnitMessage with
// fileLabel, since nobody can tell which of the lines around it are its own.
[[nodiscard]] Result<int> RemoveUnitBlock(Lines& fileLines, std::string_view keyLine,
                                          std::string_view fileLabel);

// Lines of a unit that the program does not write itself ("<<softkey", blocks
// of other programs, anything between blocks), as the file holds them: a
// rewrite of the unit puts them back byte for byte where they stood, after
// the block of the program's own they followed.
//
// The unit's first "<<random" block is a run of its own, with its
// declarations as read: while the editor's random box still holds them the
// block keeps its bytes; an edited box writes the block anew in its place,
// an emptied one drops it.
struct KeptLines {
  std::string after;  // that block's marker; empty: right after the key line
  std::string bytes;  // raw CP932 with the file's own line ends
  std::optional<Lines> random;
  bool operator==(const KeptLines&) const = default;
};

// A unit found in a question file's raw bytes for rewriting it in place.
struct UnitBlockInFile {
  std::size_t begin = 0;  // byte offset of its key line
  std::size_t end = 0;    // byte offset just past its last line and that line's end
  UnitBlockBoxes boxes;   // its blocks as the editor reads them
  std::vector<KeptLines> kept;

  // The unit's bytes as they stand in `fileBytes`.
  std::string_view Bytes(std::string_view fileBytes) const {
    return fileBytes.substr(begin, end - begin);
  }
};

// The unit of keyLine in the bytes of a question file: nothing when the file
// has no such key line; BrokenUnitMessage (with fileLabel) when its structure
// is broken.
[[nodiscard]] Result<std::optional<UnitBlockInFile>> FindUnitBlockForRewrite(
    std::string_view bytes, std::string_view keyLine, std::string_view fileLabel);

// The file's bytes with the unit's bytes replaced by the block's lines in
// CP932 with CR LF. Every byte outside the unit stays as it was.
std::string ReplaceUnitBytes(std::string_view bytes, const UnitBlockInFile& unit,
                             const Lines& block);
// The same with the unit's block assembled from the boxes, its kept lines in
// their places: what every rewrite of an existing unit writes.
std::string RewriteUnitBytes(std::string_view bytes, const UnitBlockInFile& unit,
                             std::string_view keyLine, const UnitBlockBoxes& boxes);
// The file's bytes with the block's lines appended; a last line without a
// line end gets one first, so that it stays a line of its own.
std::string AppendUnitBytes(std::string_view bytes, const Lines& block);

// The unit's bytes in a file's bytes, from its key line to where the scanner
// ends it: what a save compares with what was loaded, to find a text saved
// meanwhile by another window or program. Nothing when the file has no such
// unit.
std::optional<std::string> UnitBytes(std::string_view fileBytes, std::string_view keyLine);

// The question asked before a save replaces a unit that was saved by someone
// else after it was loaded (No is the answer that keeps it).
std::string NewerUnitQuestion(std::string_view unitName);
// Whether the file's bytes hold a text of the unit other than the one loaded
// (`loaded`: the unit's bytes then, "" when it was not there). A unit gone
// since is no newer text: writing it back loses nothing.
bool HasNewerUnit(std::string_view fileBytes, std::string_view keyLine, std::string_view loaded);

// A save must never report success over a unit that will not open: the
// written bytes must read the unit. Failure: the file, the line and what the
// reader says, and that nothing was written.
[[nodiscard]] Status CheckUnitReadsBack(std::string_view written, std::string_view keyLine,
                                        std::string_view fileLabel);

// The block of an existing unit, in the order the editor writes it; random
// data, when there is any, right after the key line.
Lines AssembleUnitBlock(std::string_view keyLine, const UnitBlockBoxes& boxes);
// The same in CP932 with CR LF, with the kept lines put back after the block
// they followed (when that block is not written any more, where it would stand).
std::string AssembleUnitBytes(std::string_view keyLine, const UnitBlockBoxes& boxes,
                              const std::vector<KeptLines>& kept);
// The shorter block of a unit created new: no answer choices and no hints.
Lines AssembleNewUnitBlock(std::string_view keyLine, const UnitBlockBoxes& boxes);

void WriteUnitBlock(Lines& fileLines, int position, std::string_view keyLine,
                    const UnitBlockBoxes& boxes);
void AppendNewUnitBlock(Lines& fileLines, std::string_view keyLine, const UnitBlockBoxes& boxes);

}  // namespace tavolo
