// The controls' changes that carry a rule: values kept within their control's
// range, and the half-width font's size following the character size.

#include "sheet/sheet_edits.h"

#include <gtest/gtest.h>

namespace tavolo {
namespace {

TEST(SheetEditsTest, SizesStayWithinTheirControlsAndTheHalfWidthFontFollows) {
  struct Case {
    const char* label;
    int given;
    int kept;
  };
  const Case charSizes[] = {
      {"smallest", 8, 8}, {"inside", 17, 17}, {"largest", 50, 50},
      {"below", 7, 8},    {"above", 51, 50},  {"negative", -3, 8},
  };
  for (const Case& c : charSizes) {
    SCOPED_TRACE(c.label);
    SheetParams params;
    SetCharSize(params, c.given);
    EXPECT_EQ(params.charSize, c.kept);
    EXPECT_EQ(params.halfWidthFont.size, c.kept);
  }
  const Case spacings[] = {
      {"lowest", -5, -5}, {"inside", 45, 45},  {"highest", 200, 200},
      {"below", -6, -5},  {"above", 201, 200},
  };
  for (const Case& c : spacings) {
    SCOPED_TRACE(c.label);
    SheetParams params;
    SetLineSpacing(params, c.given);
    EXPECT_EQ(params.lineSpacing, c.kept);
  }
}

}  // namespace
}  // namespace tavolo
