#include <gtest/gtest.h>

#include <functional>

#include "authoring/unit_block.h"
#include "platform/text_file.h"

namespace tavolo {
namespace {

const Lines kFile = {
    "[[unit1",
    "<<ques",
    "{",
    "skipped group",
    "}",
    "(1) 3+4=#7#",
    ">>",
    "<<kgroup",
    "7",
    ">>",
    "<<dummy",
    "8",
    ">>",
    "<<hint",
    "たし算です",
    ">>",
    "<<unknown",
    "dropped",
    "<<value",
    "630",
    "True",
    "30",
    "5",
    "5",
    "1",
    "7",
    ">>",
    "<<kran",
    "5",
    "15",
    "2",
    "0",
    "0",
    "0",
    "15",
    "10",
    ">>",
    "]]",
    "[[unit10",
    "<<ques",
    "]]",  // content of the question block, not the end of the unit
    "(1) 2-5=#-3#",
    ">>",
    "<<graph",
    "line.bmp",
    "40",
    "120",
    ">>",
    "]]",
    "[[unit2",
    "<<ques",
    "x",
    ">>",
    "]]",
};

TEST(UnitBlock, ReadsAUnitIntoTheEditorBoxes) {
  const UnitBlockBoxes boxes = ReadUnitBlockIntoBoxes(kFile, FindUnitKeyLine(kFile, "[[unit1"));
  EXPECT_EQ(boxes.question, (Lines{"{", "skipped group", "}", "(1) 3+4=#7#"}));
  EXPECT_EQ(boxes.kgroup, (Lines{"7"}));
  EXPECT_EQ(boxes.dummy, (Lines{"8"}));
  EXPECT_EQ(boxes.hint, (Lines{"たし算です"}));
  EXPECT_EQ(boxes.settings, (Lines{"<<value", "630", "True", "30", "5", "5", "1", "7", ">>",
                                   "<<kran", "5", "15", "2", "0", "0", "0", "15", "10", ">>"}));
  EXPECT_TRUE(boxes.graph.empty());
  // Whole-line keys: "[[unit1" never finds unit 10.
  EXPECT_EQ(FindUnitKeyLine(kFile, "[[unit1"), 0);
  EXPECT_EQ(FindUnitKeyLine(kFile, "[[unit10"), 38);
  EXPECT_EQ(FindUnitKeyLine(kFile, "[[unit3"), -1);
}

TEST(UnitBlock, RemovingAUnitKeepsEveryOtherLineInPlace) {
  Lines file = kFile;
  const Result<int> at = RemoveUnitBlock(file, "[[unit10", "q.que");
  ASSERT_TRUE(at.ok());
  ASSERT_EQ(at.value(), 38);
  Lines expected(kFile.begin(), kFile.begin() + 38);
  expected.insert(expected.end(), kFile.end() - 5, kFile.end());
  EXPECT_EQ(file, expected);  // the "]]" inside the question block went with its unit
  EXPECT_EQ(RemoveUnitBlock(file, "[[unit10", "q.que").value(), -1);
}

// Nobody can tell which lines around a broken unit are its own: it stays, and
// the failure names the line to mend.
TEST(UnitBlock, ABrokenUnitIsNotRemoved) {
  const struct {
    Lines file;
    std::string message;
  } cases[] = {
      {{"[[unit1", "<<ques", "never closed", "]]", "[[unit2", "<<ques", "y", ">>", "]]"},
       "q.que の 2 行目: <<ques ブロックが >> で閉じられていません"},
      {{"x", "[[unit1", "<<ques", "a", ">>", "[[unit2", "]]"},
       "q.que の 6 行目: 単元が ]] で閉じられる前に次の \"[[\" 行があります"},
      {{"[[unit1", "<<hint", "h", "<<value", ">>", "]]"},
       "q.que の 2 行目: <<hint ブロックが >> で閉じられていません"},
      {{"[[unit1", "<<ques", "x"}, "q.que の 2 行目: <<ques ブロックが >> で閉じられていません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    Lines file = c.file;
    const Result<int> removed = RemoveUnitBlock(file, "[[unit1", "q.que");
    ASSERT_FALSE(removed.ok());
    EXPECT_EQ(removed.message(), c.message +
                                     "\nこの単元は形が崩れているため上書き保存できません。"
                                     "ファイルを直してから保存してください");
    EXPECT_EQ(file, c.file);
  }
  // Ending at the end of the file is no fault.
  Lines last = {"[[unit2", "]]", "[[unit1", "<<ques", "x", ">>"};
  EXPECT_EQ(RemoveUnitBlock(last, "[[unit1", "q.que").value(), 2);
  EXPECT_EQ(last, (Lines{"[[unit2", "]]"}));
}

TEST(UnitBlock, SavingOverAUnitRewritesOnlyThatUnit) {
  Lines file = kFile;
  UnitBlockBoxes boxes = ReadUnitBlockIntoBoxes(file, FindUnitKeyLine(file, "[[unit1"));
  boxes.question.back() = "(1) 3+4=#7;+7#";
  const int at = RemoveUnitBlock(file, "[[unit1", "q.que").value();
  WriteUnitBlock(file, at, "[[unit1", boxes);
  const Lines expectedBlock = {"[[unit1",    "<<ques",
                               "{",          "skipped group",
                               "}",          "(1) 3+4=#7;+7#",
                               ">>",         "<<kgroup",
                               "7",          ">>",
                               "<<dummy",    "8",
                               ">>",         "<<hint",
                               "たし算です", ">>",
                               "<<value",    "630",
                               "True",       "30",
                               "5",          "5",
                               "1",          "7",
                               ">>",         "<<kran",
                               "5",          "15",
                               "2",          "0",
                               "0",          "0",
                               "15",         "10",
                               ">>",         "]]"};
  Lines expected = expectedBlock;
  expected.insert(expected.end(), kFile.begin() + 38, kFile.end());
  EXPECT_EQ(file, expected);  // the unknown block is dropped, units 10 and 2 are untouched
}

// The random box round trip: a box as loaded keeps the block's bytes (here
// LF line ends and a comment, as a text editor left them) where it stood; an
// edited box writes the block anew in its place, an emptied one removes it,
// and a unit that had none gets it after its key line.
TEST(UnitBlock, TheRandomBoxKeepsEditsOrRemovesTheBlock) {
  const std::string random = "<<random\na = int(1..9)  % one digit\n>>\n";
  const std::string question = JoinLinesCp932({"<<ques", "(1) $a+1=#=a+1#", ">>"});
  const std::string rest = JoinLinesCp932({"<<dummy", ">>", "]]"});
  const std::string other = JoinLinesCp932({"[[unit2", "<<ques", "x", ">>", "]]"});
  const std::string withBlock = "[[unit1\r\n" + question + random + rest + other;
  const std::string withoutBlock = "[[unit1\r\n" + question + rest + other;
  const struct {
    const char* name;
    std::string file;
    Lines read;
    std::function<void(Lines&)> edit;
    std::string written;
  } cases[] = {
      {"unchanged", withBlock, {"a = int(1..9)  % one digit"}, [](Lines&) {}, withBlock},
      {"edited",
       withBlock,
       {"a = int(1..9)  % one digit"},
       [](Lines& box) { box.push_back("require a != 5"); },
       "[[unit1\r\n" + question +
           JoinLinesCp932({"<<random", "a = int(1..9)  % one digit", "require a != 5", ">>"}) +
           rest + other},
      {"emptied",
       withBlock,
       {"a = int(1..9)  % one digit"},
       [](Lines& box) { box.clear(); },
       withoutBlock},
      {"no block, left empty", withoutBlock, {}, [](Lines&) {}, withoutBlock},
      {"no block, filled",
       withoutBlock,
       {},
       [](Lines& box) { box = {"a = int(2..5)"}; },
       "[[unit1\r\n" + JoinLinesCp932({"<<random", "a = int(2..5)", ">>"}) + question + rest +
           other},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto found = FindUnitBlockForRewrite(c.file, "[[unit1", "q.que");
    ASSERT_TRUE(found.ok() && found->has_value());
    UnitBlockBoxes boxes = (*found)->boxes;
    EXPECT_EQ(boxes.random, c.read);
    c.edit(boxes.random);
    EXPECT_EQ(RewriteUnitBytes(c.file, **found, "[[unit1", boxes), c.written);
  }
}

TEST(UnitBlock, NewUnitsHaveNoChoicesAndNoHints) {
  UnitBlockBoxes boxes;
  boxes.question = {"１．次の各空欄に適語を入れなさい。"};
  boxes.kgroup = {"東京"};
  boxes.hint = {"ヒント"};
  boxes.graph = {"a.bmp", "40", "20"};
  boxes.settings = {"<<value", "630", "False", "40", "5", "5", "1", "7", ">>"};
  Lines file = {"[[unit1", "]]"};
  AppendNewUnitBlock(file, "[[unit2R1", boxes);
  EXPECT_EQ(
      file,
      (Lines{"[[unit1", "]]",      "[[unit2R1", "<<ques",  "１．次の各空欄に適語を入れなさい。",
             ">>",      "<<dummy", ">>",        "<<value", "630",
             "False",   "40",      "5",         "5",       "1",
             "7",       ">>",      "<<graph",   "a.bmp",   "40",
             "20",      ">>",      "]]"}));
}

TEST(UnitBlock, LayoutBlockCounts) {
  const Lines value7 = {"<<value", "1", "2", "3", "4", "5", "6", "7", ">>"};
  const Lines kran = {"<<kran", "1", "2", "3", "4", "5", "6", "7", "8"};
  auto withKranLines = [&](int n) {
    Lines box = {"<<kran"};
    for (int i = 0; i < n; ++i) box.push_back("0");
    box.push_back(">>");
    return box;
  };
  EXPECT_TRUE(CheckLayoutBlocks({}).ok());
  EXPECT_TRUE(CheckLayoutBlocks({"no blocks here"}).ok());
  EXPECT_TRUE(CheckLayoutBlocks(value7).ok());
  EXPECT_TRUE(CheckLayoutBlocks(withKranLines(10)).ok());
  EXPECT_TRUE(CheckLayoutBlocks(withKranLines(8)).ok());
  EXPECT_EQ(CheckLayoutBlocks(withKranLines(9)).message(), "kranブロックの数が合いません");
  EXPECT_EQ(CheckLayoutBlocks({"<<value", "1", ">>"}).message(), "valueブロックの数が合いません");
  EXPECT_EQ(CheckLayoutBlocks({"<<font", ">>"}).message(), "fontブロックの数が合いません");
  EXPECT_EQ(CheckLayoutBlocks(kran).message(), "<<kranブロックが閉じていません");
  // The first failure wins.
  Lines both = {"<<font", ">>", "<<value", ">>"};
  EXPECT_EQ(CheckLayoutBlocks(both).message(), "fontブロックの数が合いません");
}

}  // namespace
}  // namespace tavolo
