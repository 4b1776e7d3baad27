#include "sheet/sheet_params.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "sheet/sheet_edits.h"

namespace tavolo {

namespace {

constexpr std::array<SheetPaper, 4> kPapers = {{
    {"B5", 546, 771, 30, 24},
    {"A4", 630, 891, 35, 31},
    {"B4", 771, 1092, 45, 42},
    {"A3", 891, 1260, 55, 54},
}};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Collects the messages of one load and turns "not a number" into a default.
class BlockReader {
 public:
  BlockReader(std::string_view block, std::vector<std::string>& problems)
      : block_(block), problems_(problems) {}

  // line is 1-based; used is the text of the value the sheet keeps instead.
  void NotANumber(int line, std::string_view text, std::string_view used) {
    problems_.push_back("「" + std::string(block_) + "」の " + std::to_string(line) + " 行目「" +
                        std::string(text) + "」は数値ではありません。既定値 " + std::string(used) +
                        " を使います。");
  }

  // Reads lines[line - 1] into value; keeps value and reports when it is no number.
  void Integer(const std::vector<std::string>& lines, int line, int& value) {
    if (line > static_cast<int>(lines.size())) return;
    const std::string& text = lines[line - 1];
    int parsed = 0;
    if (ParseDecimal(text, parsed)) {
      value = parsed;
    } else {
      NotANumber(line, text, std::to_string(value));
    }
  }

  // As Integer, for a value that its control keeps within [low, high]: the
  // sheet takes the nearest value the control allows, as showing it would.
  void Bounded(const std::vector<std::string>& lines, int line, int& value, int low, int high) {
    Integer(lines, line, value);
    const int bounded = std::clamp(value, low, high);
    if (bounded == value) return;
    problems_.push_back("「" + std::string(block_) + "」の " + std::to_string(line) + " 行目「" +
                        lines[line - 1] + "」は " + std::to_string(low) + " から " +
                        std::to_string(high) + " の範囲にありません。" + std::to_string(bounded) +
                        " を使います。");
    value = bounded;
  }

 private:
  std::string_view block_;
  std::vector<std::string>& problems_;
};

void LoadValueBlock(const std::vector<std::string>& lines, SheetParams& p,
                    std::vector<std::string>& problems) {
  BlockReader reader("<<value", problems);
  if (!lines.empty()) {
    const std::string& paper = lines[0];
    int width = p.paperWidth;
    if (paper == "True" || paper == "False") {
      width = kDefaultPaperWidth;
    } else if (!ParseDecimal(paper, width)) {
      reader.NotANumber(1, paper, std::to_string(p.paperWidth));
      width = p.paperWidth;
    }
    if (FindPaperByWidth(width) != nullptr) {
      // A paper read from the file is sqrt(2) times as high as it is wide.
      p.paperWidth = width;
      p.paperHeight = static_cast<int>(std::nearbyint(std::sqrt(2.0) * width));
    } else if (width != p.paperWidth) {
      // A page of arbitrary size would be unusable (and may be huge); keep A4.
      problems.push_back("「<<value」の 1 行目「" + paper +
                         "」は用紙の幅 (546, 630, 771, 891) ではありません。A4 を使います。");
    }
  }
  // Line 2 (answer display) is deliberately not read: the program's state wins.
  reader.Bounded(lines, 3, p.lineSpacing, kLineSpacingRange.low, kLineSpacingRange.high);
  reader.Bounded(lines, 4, p.leftMargin, kMarginRange.low, kMarginRange.high);
  reader.Bounded(lines, 5, p.rightMargin, kMarginRange.low, kMarginRange.high);
  reader.Bounded(lines, 6, p.startNumber, kStartNumberRange.low, kStartNumberRange.high);
  if (lines.size() >= 7) {
    const std::string& options = lines[6];
    if (options == "True" || options == "False") {
      p.headerOptions = kAllHeaderOptions;
    } else {
      reader.Integer(lines, 7, p.headerOptions);
      if (p.headerOptions >= 16) p.headerOptions = 15;
    }
  }
}

void LoadFontBlock(const std::vector<std::string>& lines, SheetParams& p,
                   std::vector<std::string>& problems) {
  BlockReader reader("<<font", problems);
  HalfWidthFont& f = p.halfWidthFont;
  f.bold = f.italic = f.underline = f.strikeout = false;
  int charSize = p.charSize;
  reader.Bounded(lines, 1, charSize, kCharSizeRange.low, kCharSizeRange.high);
  SetCharSize(p, charSize);
  auto line = [&](int n) -> const std::string* {
    return n <= static_cast<int>(lines.size()) ? &lines[n - 1] : nullptr;
  };
  if (const std::string* name = line(2)) f.name = *name;
  auto flag = [&](int n) { return line(n) != nullptr && *line(n) == "True"; };
  f.bold = flag(3);
  f.italic = flag(4);
  f.underline = flag(5);
  f.strikeout = flag(6);
  if (const std::string* font = line(7)) {
    p.fontName = (*font == "0") ? std::string(kDefaultSheetFont) : *font;
  }
}

void LoadKranBlock(const std::vector<std::string>& lines, SheetParams& p,
                   std::vector<std::string>& problems) {
  BlockReader reader("<<kran", problems);
  for (int i = 0; i < kKranLineCount; ++i) {
    if (i >= static_cast<int>(lines.size())) {
      p.kran[i] = "0";
      continue;
    }
    int unused = 0;
    if (ParseDecimal(lines[i], unused)) {
      p.kran[i] = lines[i];
    } else {
      p.kran[i] = std::string(kKranWindowTemplate[i]);
      reader.NotANumber(i + 1, lines[i], p.kran[i]);
    }
  }
}

}  // namespace

std::span<const SheetPaper> SheetPapers() { return kPapers; }

const SheetPaper* FindPaperByWidth(int width) {
  for (const SheetPaper& paper : kPapers)
    if (paper.width == width) return &paper;
  return nullptr;
}

const SheetPaper* FindPaperByName(std::string_view name) {
  for (const SheetPaper& paper : kPapers) {
    if (name.size() == paper.name.size() && AsciiUpper(name[0]) == paper.name[0] &&
        name[1] == paper.name[1])
      return &paper;
  }
  return nullptr;
}

bool ParseDecimal(std::string_view text, int& value) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  int parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  value = parsed;
  return true;
}

int SheetParams::KranValue(int line) const {
  int value = 0;
  if (line < 1 || line > kKranLineCount || !ParseDecimal(kran[line - 1], value)) return 0;
  // The answer-box controls have no bounds; values far beyond any page are
  // held back so that the page arithmetic stays within range.
  return std::clamp(value, -kKranLimit, kKranLimit);
}

bool SheetParams::ApplyPaper(int width) {
  const SheetPaper* paper = FindPaperByWidth(width);
  if (paper == nullptr) return false;
  paperWidth = paper->width;
  paperHeight = paper->height;
  return true;
}

UnitContent SheetParams::WrittenUnit() const {
  UnitContent content = unit;
  if (written) {
    content.questionLines = written->questionLines;
    content.kgroupLines = written->kgroupLines;
  }
  return content;
}

SheetLoad LoadSheetParams(const UnitContent& unit, bool answerDisplay) {
  SheetLoad load;
  SheetParams& p = load.params;
  p.unit = unit;
  p.answerDisplay = answerDisplay;
  if (!unit.valueLines.empty()) LoadValueBlock(unit.valueLines, p, load.problems);
  if (!unit.fontLines.empty()) LoadFontBlock(unit.fontLines, p, load.problems);
  if (!unit.kranLines.empty()) LoadKranBlock(unit.kranLines, p, load.problems);
  return load;
}

}  // namespace tavolo
