#pragma once
// The changes the main window's controls make to a worksheet, each by name,
// so that the rule a change carries (a value kept within its control's range,
// a second value that follows the first) is written once for every caller.

#include "sheet/sheet_params.h"

namespace tavolo {

// The main line spacing ("主行間"), kept within kLineSpacingRange.
void SetLineSpacing(SheetParams& params, int spacing);

// The size of all question and answer text ("文字サイズ"), kept within
// kCharSizeRange. The half-width font, which saving writes into the font
// block, always has the same size.
void SetCharSize(SheetParams& params, int points);

// Whether the answers show on the sheet.
void SetSheetAnswerDisplay(SheetParams& params, bool shown);

// The paper dialog's choice: the paper (a width that is no paper keeps the
// sheet's paper) and the header options.
void SetPaperAndHeader(SheetParams& params, int paperWidth, int headerOptions);

}  // namespace tavolo
