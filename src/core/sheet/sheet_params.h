#pragma once
// Everything one worksheet keeps: its own copy of the unit it shows (so that
// several open sheets never mix their titles or questions) and the layout
// values of its value, font and kran blocks. Loaded once when the sheet is
// created; saving writes the blocks back.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "content/unit_content.h"

namespace tavolo {

// A paper is known everywhere by its width in layout units (1/3 mm).
struct SheetPaper {
  std::string_view name;  // "B5", "A4", "B4", "A3"
  int width;
  int height;
  int classFlagLeft;  // where the class flag image sits on that paper
  int classFlagTop;
};

std::span<const SheetPaper> SheetPapers();
const SheetPaper* FindPaperByWidth(int width);
const SheetPaper* FindPaperByName(std::string_view name);  // "a4" matches too
inline constexpr int kDefaultPaperWidth = 630;             // A4
inline constexpr int kDefaultPaperHeight = 891;            // A4: round(630 x sqrt 2)

// Header options (value line 7), a bit set.
inline constexpr int kHeaderClassFlag = 1;
inline constexpr int kHeaderTestDate = 2;
inline constexpr int kHeaderNumberAndTime = 4;
inline constexpr int kAllHeaderOptions = 7;

// What the controls that edit a sheet allow; values read from a file are kept
// within them.
struct IntRange {
  int low;
  int high;
};
inline constexpr IntRange kLineSpacingRange{-5, 200};
inline constexpr IntRange kMarginRange{0, 15};
// The number printed on a sheet ("№ "), wherever it is set: the sheet's own
// start number, the print-mode dialog's and `tavolo print --start`. Four
// digits: room for a class-and-seat number such as 3101.
inline constexpr IntRange kStartNumberRange{1, 9999};
inline constexpr IntRange kCharSizeRange{8, 50};
// Kran values are used as at most this far from 0.
inline constexpr int kKranLimit = 10000;

// Answer-box kinds (kran line 1).
enum class BoxKind : int {
  None = 0,
  Rectangle = 1,
  SquareBrackets = 2,
  LenticularBrackets = 3,
  Underline = 4,
  RoundedRectangle = 5,
};

// What "0" in font line 7 stands for: the program's own text font.
inline constexpr std::string_view kDefaultSheetFont = "ＭＳ 明朝";

// The font the sheet's font dialog edits and saving writes back (font lines 2-6).
struct HalfWidthFont {
  std::string name = "MS 明朝";
  int size = 14;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  bool operator==(const HalfWidthFont&) const = default;
};

// The kran values a sheet starts with when its unit has no kran block.
inline constexpr std::array<std::string_view, kKranLineCount> kKranWindowTemplate = {
    "2", "10", "4", "0", "0", "0", "15", "10", "0", "0"};

struct SheetParams {
  // The defaults are those of a unit without value, font and kran blocks.
  int paperWidth = kDefaultPaperWidth;
  int paperHeight = kDefaultPaperHeight;
  bool answerDisplay = true;
  int lineSpacing = 30;  // main line spacing; one line is this x 0.7875 units
  int leftMargin = 5;    // tens of units
  int rightMargin = 5;   // tens of units
  int startNumber = 1;
  int headerOptions = kAllHeaderOptions;
  int charSize = 14;  // points: all question and answer text
  HalfWidthFont halfWidthFont;
  std::string fontName{kDefaultSheetFont};  // the font the sheet text is drawn in
  std::array<std::string, kKranLineCount> kran = {
      std::string(kKranWindowTemplate[0]), std::string(kKranWindowTemplate[1]),
      std::string(kKranWindowTemplate[2]), std::string(kKranWindowTemplate[3]),
      std::string(kKranWindowTemplate[4]), std::string(kKranWindowTemplate[5]),
      std::string(kKranWindowTemplate[6]), std::string(kKranWindowTemplate[7]),
      std::string(kKranWindowTemplate[8]), std::string(kKranWindowTemplate[9])};

  // The sheet's own copy of its unit: header captions, question lines, the
  // figure lists (question figures in graphLines, answer figures in
  // aGraphLines, moved figures are written back there), answer choices.
  UnitContent unit;
  // A unit with random data shows one variant: `unit` holds its question and
  // choice lines with that variant's values in, these the lines as the author
  // wrote them. Saving writes these, and every other variant is made from them.
  struct WrittenLines {
    std::vector<std::string> questionLines;
    std::vector<std::string> kgroupLines;
  };
  std::optional<WrittenLines> written;

  // The unit as it is to be saved: `unit` with the lines as written.
  UnitContent WrittenUnit() const;

  bool HasHeaderOption(int option) const { return (headerOptions & option) != 0; }

  // Kran line n (1..10) as a number; a line that is not one reads 0.
  int KranValue(int line) const;
  BoxKind AnswerBoxKind() const { return static_cast<BoxKind>(KranValue(1)); }
  int BoxWidth() const { return KranValue(2); }
  int BoxHeight() const { return KranValue(3); }
  bool TwoColumns() const { return kran[3] == "2"; }
  int AnswerX() const { return KranValue(5); }  // tens of units; 0: right after the question

  // Sets width and height from the paper table; false (nothing changed) for a
  // width that is no known paper.
  bool ApplyPaper(int width);
};

struct SheetLoad {
  SheetParams params;
  // One complete message per line that could not be used; the sheet keeps the
  // default for that value and stays usable.
  std::vector<std::string> problems;
};

// Builds a sheet from a unit in the order a new worksheet loads it: content,
// value block, font block, kran block. answerDisplay is the program's current
// answer-display state (value line 2 is never read back).
SheetLoad LoadSheetParams(const UnitContent& unit, bool answerDisplay);

// A decimal integer as the course files write it (blanks around it allowed).
bool ParseDecimal(std::string_view text, int& value);

}  // namespace tavolo
