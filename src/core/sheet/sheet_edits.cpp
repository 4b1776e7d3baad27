#include "sheet/sheet_edits.h"

#include <algorithm>

namespace tavolo {

void SetLineSpacing(SheetParams& params, int spacing) {
  params.lineSpacing = std::clamp(spacing, kLineSpacingRange.low, kLineSpacingRange.high);
}

void SetCharSize(SheetParams& params, int points) {
  params.charSize = std::clamp(points, kCharSizeRange.low, kCharSizeRange.high);
  params.halfWidthFont.size = params.charSize;
}

void SetSheetAnswerDisplay(SheetParams& params, bool shown) { params.answerDisplay = shown; }

void SetPaperAndHeader(SheetParams& params, int paperWidth, int headerOptions) {
  params.ApplyPaper(paperWidth);
  params.headerOptions = headerOptions;
}

}  // namespace tavolo
