#include "sheet/sheet_params.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;

Lines ValueBlock(std::string paper, std::string spacing, std::string options) {
  return {paper, "False", spacing, "4", "6", "3", options};
}

TEST(SheetParamsTest, UnitWithoutLayoutBlocksGetsTheSheetDefaults) {
  UnitContent unit;
  unit.title = "正と負の数";
  unit.questionLines = {"(1) 3+4=#7#"};
  const SheetLoad load = LoadSheetParams(unit, /*answerDisplay=*/false);
  const SheetParams& p = load.params;
  EXPECT_TRUE(load.problems.empty());
  EXPECT_EQ(p.paperWidth, 630);
  EXPECT_EQ(p.paperHeight, 891);
  EXPECT_FALSE(p.answerDisplay);
  EXPECT_EQ(p.lineSpacing, 30);
  EXPECT_EQ(p.leftMargin, 5);
  EXPECT_EQ(p.rightMargin, 5);
  EXPECT_EQ(p.startNumber, 1);
  EXPECT_EQ(p.headerOptions, 7);
  EXPECT_EQ(p.charSize, 14);
  EXPECT_EQ(p.fontName, "ＭＳ 明朝");
  EXPECT_EQ(p.kran,
            (std::array<std::string, 10>{"2", "10", "4", "0", "0", "0", "15", "10", "0", "0"}));
  // The sheet owns a copy: changing the unit afterwards does not reach it.
  unit.title = "別の単元";
  EXPECT_EQ(p.unit.title, "正と負の数");
  EXPECT_EQ(p.unit.questionLines, Lines{"(1) 3+4=#7#"});
}

TEST(SheetParamsTest, ValueBlockLinesOneAndSeven) {
  struct Case {
    std::string paper, options;
    int width, height, headerOptions;
  };
  const Case cases[] = {
      {"630", "7", 630, 891, 7},     {"True", "3", 630, 891, 3},   {"False", "True", 630, 891, 7},
      {"546", "20", 546, 772, 15},   {"771", "16", 771, 1090, 15}, {"891", "15", 891, 1260, 15},
      {"630", "False", 630, 891, 7}, {"630", "0", 630, 891, 0},
  };
  for (const Case& c : cases) {
    UnitContent unit;
    unit.valueLines = ValueBlock(c.paper, "40", c.options);
    const SheetLoad load = LoadSheetParams(unit, true);
    SCOPED_TRACE(c.paper + " / " + c.options);
    EXPECT_TRUE(load.problems.empty());
    EXPECT_EQ(load.params.paperWidth, c.width);
    EXPECT_EQ(load.params.paperHeight, c.height);
    EXPECT_EQ(load.params.headerOptions, c.headerOptions);
    EXPECT_EQ(load.params.lineSpacing, 40);
    EXPECT_EQ(load.params.leftMargin, 4);
    EXPECT_EQ(load.params.rightMargin, 6);
    EXPECT_EQ(load.params.startNumber, 3);
    EXPECT_TRUE(load.params.answerDisplay);  // line 2 "False" is not read
  }
}

TEST(SheetParamsTest, FontBlockSetsSizesStylesAndSheetFont) {
  UnitContent unit;
  unit.valueLines = ValueBlock("630", "40", "7");
  unit.fontLines = {"16", "ＭＳ ゴシック", "True", "False", "True", "false", "0"};
  SheetParams p = LoadSheetParams(unit, true).params;
  EXPECT_EQ(p.charSize, 16);
  EXPECT_EQ(p.halfWidthFont, (HalfWidthFont{"ＭＳ ゴシック", 16, true, false, true, false}));
  EXPECT_EQ(p.fontName, "ＭＳ 明朝");

  unit.fontLines[6] = "IPAゴシック";
  p = LoadSheetParams(unit, true).params;
  EXPECT_EQ(p.fontName, "IPAゴシック");
}

TEST(SheetParamsTest, KranBlockReplacesTheWindowTemplate) {
  UnitContent unit;
  unit.kranLines = {"5", "15", "2", "0"};  // a short block is padded with "0"
  const SheetParams p = LoadSheetParams(unit, true).params;
  EXPECT_EQ(p.kran,
            (std::array<std::string, 10>{"5", "15", "2", "0", "0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(p.AnswerBoxKind(), BoxKind::RoundedRectangle);
  EXPECT_EQ(p.BoxWidth(), 15);
  EXPECT_EQ(p.BoxHeight(), 2);
  EXPECT_FALSE(p.TwoColumns());
  EXPECT_EQ(p.AnswerX(), 0);
}

TEST(SheetParamsTest, LinesThatAreNotNumbersKeepTheDefaultAndAreReported) {
  UnitContent unit;
  unit.valueLines = {"A4", "False", "４０", "5", "", "1", "x"};
  unit.fontLines = {"big", "MS 明朝", "False", "False", "False", "False", "0"};
  unit.kranLines = {"5", "幅", "2", "0", "0", "0", "15", "10", "0", "0"};
  const SheetLoad load = LoadSheetParams(unit, true);
  const SheetParams& p = load.params;
  EXPECT_EQ(p.paperWidth, 630);
  EXPECT_EQ(p.lineSpacing, 30);
  EXPECT_EQ(p.rightMargin, 5);
  EXPECT_EQ(p.headerOptions, 7);
  EXPECT_EQ(p.charSize, 14);
  EXPECT_EQ(p.kran[1], "10");
  EXPECT_EQ(p.kran[0], "5");
  const Lines expected = {
      "「<<value」の 1 行目「A4」は数値ではありません。既定値 630 を使います。",
      "「<<value」の 3 行目「４０」は数値ではありません。既定値 30 を使います。",
      "「<<value」の 5 行目「」は数値ではありません。既定値 5 を使います。",
      "「<<value」の 7 行目「x」は数値ではありません。既定値 7 を使います。",
      "「<<font」の 1 行目「big」は数値ではありません。既定値 14 を使います。",
      "「<<kran」の 2 行目「幅」は数値ではありません。既定値 10 を使います。",
  };
  EXPECT_EQ(load.problems, expected);
}

TEST(SheetParamsTest, ValuesOutsideTheirControlsAreBroughtInside) {
  UnitContent unit;
  unit.valueLines = {"630", "False", "500", "-1", "16", "0", "7"};
  unit.fontLines = {"200", "MS 明朝", "False", "False", "False", "False", "0"};
  unit.kranLines = {"5", "99999999", "-99999999", "0", "12", "0", "15", "10", "0", "0"};
  const SheetLoad load = LoadSheetParams(unit, true);
  const SheetParams& p = load.params;
  EXPECT_EQ(p.lineSpacing, 200);
  EXPECT_EQ(p.leftMargin, 0);
  EXPECT_EQ(p.rightMargin, 15);
  EXPECT_EQ(p.startNumber, 1);
  EXPECT_EQ(p.charSize, 50);
  EXPECT_EQ(p.halfWidthFont.size, 50);
  ASSERT_EQ(load.problems.size(), 5u);
  EXPECT_EQ(load.problems[0],
            "「<<value」の 3 行目「500」は -5 から 200 の範囲にありません。200 を使います。");
  EXPECT_EQ(load.problems[4],
            "「<<font」の 1 行目「200」は 8 から 50 の範囲にありません。50 を使います。");
  // Kran lines are kept as written (saving writes them back) and drawn within limits.
  EXPECT_EQ(p.kran[1], "99999999");
  EXPECT_EQ(p.BoxWidth(), 10000);
  EXPECT_EQ(p.BoxHeight(), -10000);
  EXPECT_EQ(p.AnswerX(), 12);
}

TEST(SheetParamsTest, UnknownPaperWidthFallsBackToA4) {
  UnitContent unit;
  unit.valueLines = ValueBlock("100000", "40", "7");
  const SheetLoad load = LoadSheetParams(unit, true);
  EXPECT_EQ(load.params.paperWidth, 630);
  EXPECT_EQ(load.params.paperHeight, 891);
  ASSERT_EQ(load.problems.size(), 1u);
  EXPECT_NE(load.problems[0].find("100000"), std::string::npos);
}

TEST(SheetParamsTest, DecimalParsing) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  };
  const Case cases[] = {{"12", true, 12},         {" 7 ", true, 7},  {"-5", true, -5},
                        {"+3", true, 3},          {"", false, 0},    {"1.5", false, 0},
                        {"0x10", false, 0},       {"12a", false, 0}, {"-", false, 0},
                        {"99999999999", false, 0}};
  for (const Case& c : cases) {
    int value = 0;
    EXPECT_EQ(ParseDecimal(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(SheetParamsTest, PaperTableAndApplyingPapers) {
  SheetParams p;
  const struct {
    const char* name;
    int width, height, flagLeft, flagTop;
  } papers[] = {{"B5", 546, 771, 30, 24},
                {"a4", 630, 891, 35, 31},
                {"B4", 771, 1092, 45, 42},
                {"A3", 891, 1260, 55, 54}};
  for (const auto& paper : papers) {
    const SheetPaper* found = FindPaperByName(paper.name);
    ASSERT_NE(found, nullptr) << paper.name;
    EXPECT_EQ(found, FindPaperByWidth(paper.width));
    EXPECT_EQ(found->classFlagLeft, paper.flagLeft);
    EXPECT_EQ(found->classFlagTop, paper.flagTop);
    EXPECT_TRUE(p.ApplyPaper(paper.width));
    EXPECT_EQ(p.paperHeight, paper.height);
  }
  EXPECT_EQ(FindPaperByName("A5"), nullptr);
  EXPECT_FALSE(p.ApplyPaper(600));
  EXPECT_EQ(p.paperWidth, 891);  // unchanged
}

}  // namespace
}  // namespace tavolo
