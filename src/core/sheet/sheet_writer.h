#pragma once
// What saving a worksheet writes: its layout blocks (value, font, kran) and a
// whole copy file (".prp"). The question editor takes the same layout blocks
// when it loads a unit while a sheet is open.

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "sheet/sheet_params.h"

namespace tavolo {

// "<<value" … ">>", "<<font" … ">>", "<<kran" … ">>" of the sheet. Integers in
// plain decimal; the sheet text font is written as the name in use, so a unit
// read with font line 7 "0" is saved with "ＭＳ 明朝".
std::vector<std::string> WriteLayoutBlocks(const SheetParams& sheet);

// The lines of a copy file: "[[unitX", header, questions, an empty "<<ans",
// figures when there are any, layout blocks, answer choices, soft keys and the
// block of random data when there are any, "]]".
std::vector<std::string> ComposeCopyFile(const SheetParams& sheet);

// The copy-file name a teacher typed, judged by the extension of the file name
// itself (the part after its last "."; a dot in a folder name does not count):
// ".prp" in any case is accepted, a name without extension gets ".prp", any
// other extension fails with name + ":拡張子が不正です".
Result<std::string> AcceptCopyFileName(std::string_view name);

}  // namespace tavolo
