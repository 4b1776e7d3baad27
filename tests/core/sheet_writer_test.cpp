#include "sheet/sheet_writer.h"

#include <gtest/gtest.h>

#include "content/unit_reader.h"
#include "sheet/sheet_params.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;

SheetParams SheetFromLines(const Lines& file, std::string_view key) {
  const UnitReading reading = ParseUnitBlock(file, key, 2, 3, {"正の数と負の数", "加法", "たし算"});
  EXPECT_TRUE(reading.ok()) << reading.problem.message;
  return LoadSheetParams(*reading.content, true).params;
}

const Lines kMaster = {
    "[[unit3",
    "<<ques",
    "次の計算をしなさい。",
    "(1) (+3)+(-5)=#-2#",
    ">>",
    "<<kgroup",
    "-2",
    "+2",
    ">>",
    "<<graph",
    "line.bmp",
    "40",
    "120",
    ">>",
    "<<value",
    "546",
    "True",
    "25",
    "4",
    "6",
    "1",
    "3",
    ">>",
    "<<font",
    "12",
    "MS 明朝",
    "False",
    "True",
    "False",
    "False",
    "0",
    ">>",
    "<<kran",
    "1",
    "12",
    "3",
    "0",
    ">>",
    "]]",
};

TEST(SheetWriter, LayoutBlocksCarryTheSheetsValuesAndTheFontInUse) {
  SheetParams sheet = SheetFromLines(kMaster, "[[unit3");
  sheet.lineSpacing = 40;  // changed on the sheet
  const Lines blocks = WriteLayoutBlocks(sheet);
  EXPECT_EQ(blocks,
            (Lines{"<<value", "546",   "True",      "40", "4",       "6",     "1",
                   "3",       ">>",    "<<font",    "12", "MS 明朝", "False", "True",
                   "False",   "False", "ＭＳ 明朝", ">>",  // "0" is saved as the font it stands for
                   "<<kran",  "1",     "12",        "3",  "0",       "0",     "0",
                   "0",       "0",     "0",         "0",  ">>"}));
}

TEST(SheetWriter, ACopyFileReadsBackToTheSameSheet) {
  SheetParams sheet = SheetFromLines(kMaster, "[[unit3");
  sheet.unit.graphLines = {"line.bmp", "300", "200"};  // a figure the teacher moved
  sheet.answerDisplay = false;
  const Lines copy = ComposeCopyFile(sheet);
  EXPECT_EQ(Lines(copy.begin(), copy.begin() + 12),
            (Lines{"[[unitX", "<<header", "正の数と負の数//加法§2-3 たし算", "中学校",
                   "　年　組　番　氏名", ">>", "<<ques", "次の計算をしなさい。",
                   "(1) (+3)+(-5)=#-2#", ">>", "<<ans", ">>"}));
  EXPECT_EQ(copy.back(), "]]");

  const UnitReading reread = ParseUnitBlock(copy, "[[unitX", 0, 0, {});
  ASSERT_TRUE(reread.ok()) << reread.problem.message;
  // Answer display comes from the main window on reopening, not from the file.
  const SheetParams back = LoadSheetParams(*reread.content, true).params;
  EXPECT_EQ(WriteLayoutBlocks(back), [&] {
    SheetParams expected = sheet;
    expected.answerDisplay = true;
    return WriteLayoutBlocks(expected);
  }());
  EXPECT_EQ(back.unit.graphLines, sheet.unit.graphLines);
  EXPECT_EQ(back.unit.kgroupLines, (Lines{"-2", "+2"}));
  EXPECT_EQ(back.unit.questionLines, sheet.unit.questionLines);
}

TEST(SheetWriter, CopyFileNames) {
  struct Case {
    const char* typed;
    const char* accepted;  // nullptr: refused
  } cases[] = {
      {"/home/t/abc", "/home/t/abc.prp"},
      {"/home/t/abc.prp", "/home/t/abc.prp"},
      {"/home/t/abc.PRP", "/home/t/abc.PRP"},
      {"/home/t/.config/tavolo/abc.prp", "/home/t/.config/tavolo/abc.prp"},  // dotted folder
      {"/home/t/v1.2/abc", "/home/t/v1.2/abc.prp"},
      {"/home/t/第1回.prp", "/home/t/第1回.prp"},
      {"/home/t/abc.txt", nullptr},
      {"/home/t/abc.prpx", nullptr},
  };
  for (const auto& c : cases) {
    const auto r = AcceptCopyFileName(c.typed);
    if (c.accepted) {
      ASSERT_TRUE(r.ok()) << c.typed;
      EXPECT_EQ(r.value(), c.accepted);
    } else {
      ASSERT_FALSE(r.ok()) << c.typed;
      EXPECT_EQ(r.message(), std::string(c.typed) + ":拡張子が不正です");
    }
  }
}

}  // namespace
}  // namespace tavolo
