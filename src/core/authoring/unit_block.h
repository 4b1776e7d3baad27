#pragma once
// Unit blocks as the question editor sees them: reading a unit's blocks out of
// a question file's lines into the editor's boxes, checking layout blocks, and
// putting an assembled block back into the file lines. Saving a worksheet over
// its unit uses the same operations without showing the editor.

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
  bool operator==(const UnitBlockBoxes&) const = default;
};

// Index of the first line equal to keyLine, or -1.
int FindUnitKeyLine(const Lines& fileLines, std::string_view keyLine);

// Reads the unit that starts at fileLines[keyIndex] into boxes. Lines of blocks
// the editor does not know are stepped over and not kept (saving drops them).
UnitBlockBoxes ReadUnitBlockIntoBoxes(const Lines& fileLines, int keyIndex);

// One past the last line of the unit that starts at keyIndex: its "]]" line,
// or the end of the file. A "]]" inside a block is the block's content, not
// the end of the unit, exactly as the unit reader sees it.
std::size_t UnitBlockEnd(const Lines& fileLines, int keyIndex);

// The count check of layout blocks in any list of lines: "<<value" and "<<font"
// exactly 7 lines, "<<kran" exactly 10 or 8. Failure texts:
// "valueブロックの数が合いません", "fontブロックの数が合いません",
// "kranブロックの数が合いません", and for a block never closed by ">>",
// marker + "ブロックが閉じていません".
Status CheckLayoutBlocks(const Lines& box);

// Finds the unit and removes its lines (key line through "]]"). Returns the
// position where it stood, or -1 when the file has no such unit.
int RemoveUnitBlock(Lines& fileLines, std::string_view keyLine);

// The block of an existing unit, in the order the editor writes it.
Lines AssembleUnitBlock(std::string_view keyLine, const UnitBlockBoxes& boxes);
// The shorter block of a unit created new: no answer choices and no hints.
Lines AssembleNewUnitBlock(std::string_view keyLine, const UnitBlockBoxes& boxes);

void WriteUnitBlock(Lines& fileLines, int position, std::string_view keyLine,
                    const UnitBlockBoxes& boxes);
void AppendNewUnitBlock(Lines& fileLines, std::string_view keyLine, const UnitBlockBoxes& boxes);

}  // namespace tavolo
