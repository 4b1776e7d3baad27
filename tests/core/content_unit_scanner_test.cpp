// The one scanner that decides where units and blocks end, and what its users
// make of it: they must never disagree about a unit's lines.

#include <gtest/gtest.h>

#include <random>

#include "authoring/unit_block.h"
#include "content/course_check.h"
#include "content/question_file_index.h"
#include "content/similar_problems.h"
#include "content/unit_reader.h"
#include "content/unit_scanner.h"
#include "platform/cp932.h"
#include "platform/text_file.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;

// "marker open-first-last" per block, "!" when it is not closed.
Lines BlockText(const UnitExtent& extent) {
  Lines out;
  for (const auto& b : extent.blocks)
    out.push_back(std::string(b.marker) + " " + std::to_string(b.open) + "-" +
                  std::to_string(b.first) + "-" + std::to_string(b.last) + (b.closed ? "" : "!"));
  return out;
}

Lines FaultText(const UnitExtent& extent) {
  Lines out;
  for (const auto& f : extent.faults) out.push_back(std::to_string(f.index) + " " + f.message);
  return out;
}

TEST(UnitScannerTest, WhereUnitsAndBlocksEnd) {
  const std::string unclosed = " ブロックが >> で閉じられていません";
  const std::string noEnd = "単元が ]] で閉じられる前に次の \"[[\" 行があります";
  const struct {
    const char* name;
    Lines file;
    std::size_t end;
    bool endLine;
    Lines blocks;
    Lines faults;
  } cases[] = {
      {"closed unit", {"[[unit1", "<<ques", "q", ">>", "]]", "x"}, 5, true, {"<<ques 1-2-3"}, {}},
      {"]] inside a block the reader knows is content",
       {"[[unit1", "<<softkey", "]]", ">>", "<<ques", "]]", ">>", "]]"},
       8,
       true,
       {"<<softkey 1-2-3", "<<ques 4-5-6"},
       {}},
      {"]] inside a block the reader steps over ends the unit",
       {"[[unit1", "<<hint", "]]", ">>", "]]"},
       3,
       true,
       {"<<hint 1-2-2!"},
       {"1 <<hint" + unclosed}},
      {"markers and other key lines inside a known block are content",
       {"[[unit1", "<<ques", "<<value", "[[x]]", "<<hint", ">>", "]]"},
       7,
       true,
       {"<<ques 1-2-5"},
       {}},
      {"a unit key line inside a known block: its >> was forgotten",
       {"[[unit1", "<<kgroup", "a", "[[unit2R1", "<<ques", ">>", "]]"},
       3,
       false,
       {"<<kgroup 1-2-3!"},
       {"1 <<kgroup" + unclosed}},
      {"blocks of other programs are lines of the unit",
       {"[[unit1", "<<memo", "a = int(1..3)", ">>", "]]"},
       5,
       true,
       {},
       {}},
      {"random data is a block the reader knows: ]] inside it is content",
       {"[[unit1", "<<random", "]]", ">>", "]]"},
       5,
       true,
       {"<<random 1-2-3"},
       {}},
      {"end of file", {"[[unit1", "stray", "<<dummy", ">>"}, 4, false, {"<<dummy 2-3-3"}, {}},
      {"brace group",
       {"[[unit1", "<<ques", "{", ">>", "}", "q", ">>"},
       7,
       false,
       {"<<ques 1-5-6"},
       {}},
      {"key line between blocks",
       {"[[unit1", "<<ques", ">>", "[[sect2", "]]"},
       3,
       false,
       {"<<ques 1-2-2"},
       {"3 " + noEnd}},
      {"marker inside a block",
       {"[[unit1", "<<dummy", "d", "<<value", ">>", "]]"},
       6,
       true,
       {"<<dummy 1-2-3!", "<<value 3-4-4"},
       {"1 <<dummy" + unclosed}},
      {"]] before a key line inside a stepped-over block",
       {"[[unit1", "<<hint", "]]", "[[unit2", "]]"},
       3,
       true,
       {"<<hint 1-2-2!"},
       {"1 <<hint" + unclosed}},
      {"block to the end of the file",
       {"[[unit1", "<<kran", "1"},
       3,
       false,
       {"<<kran 1-2-3!"},
       {"1 <<kran" + unclosed}},
      {"group never closed: only a } ends it",
       {"[[unit1", "<<ques", "{", ">>", "]]", "<<font", ">>", "]]"},
       8,
       false,
       {"<<ques 1-8-8!"},
       {"2 <<ques の { が } で閉じられていません"}},
      {"markers are whole lines", {"[[unit1", "<<ques ", "<<Hint", "]] ", "]]"}, 5, true, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const UnitExtent extent = ScanUnit(LineVector(c.file), 0);
    EXPECT_EQ(extent.end, c.end);
    EXPECT_EQ(extent.endLine, c.endLine);
    EXPECT_EQ(BlockText(extent), c.blocks);
    EXPECT_EQ(FaultText(extent), c.faults);
    // Raw bytes, with every kind of line end, give the same answer.
    for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
      std::string bytes;
      for (const auto& line : c.file) bytes += EncodeCp932(line) + lineEnd;
      const ByteLines lines(bytes);
      const UnitExtent raw = ScanUnit(lines, 0);
      EXPECT_EQ(raw.end, c.end);
      EXPECT_EQ(BlockText(raw), c.blocks);
      EXPECT_EQ(FaultText(raw), c.faults);
    }
  }
}

TEST(UnitScannerTest, ByteLinesSplitLikeTheTextAndKnowTheirOffsets) {
  const std::string bytes = "a\r\n\r\nb\rc\n\x82\xA0\r\r\nend";
  const ByteLines lines(bytes);
  ASSERT_EQ(lines.SplitAll(), 7u);
  const Lines decoded = SplitLines(DecodeCp932(bytes));
  ASSERT_EQ(decoded.size(), 7u);
  for (std::size_t i = 0; i < decoded.size(); ++i) EXPECT_EQ(lines.Text(i), decoded[i]);
  EXPECT_EQ(lines.Begin(2), 5u);
  EXPECT_EQ(lines.Next(2), 7u);
  EXPECT_EQ(lines.Begin(5), 12u);
  EXPECT_EQ(lines.Next(5), 14u);
  EXPECT_EQ(lines.Begin(7), bytes.size());
  EXPECT_EQ(lines.Next(6), bytes.size());
  // Started in the middle, lines are numbered in the whole file.
  const ByteLines tail(bytes, 7);
  ASSERT_TRUE(tail.Has(0));
  EXPECT_EQ(tail.At(0), "c");
  EXPECT_EQ(tail.LineNumber(0), 4);
  EXPECT_EQ(ByteLines("").SplitAll(), 0u);
}

// Random question files made of the lines that matter: rewriting one unit in
// place never changes how any other unit reads, and never touches a byte
// outside the unit.
TEST(UnitScannerTest, RewritingAUnitLeavesEveryOtherUnitAsItReads) {
  const Lines alphabet = {"[[unit1", "[[unit2", "[[unit3",   "<<ques", "<<dummy", "<<hint",
                          "<<value", "<<kran",  "<<softkey", ">>",     "]]",      "{",
                          "}",       "q",       "あ",        "[[sect1"};
  std::mt19937 random(20240517);
  int rewritten = 0, refused = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    Lines file;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) file.push_back(alphabet[random() % alphabet.size()]);
    const std::string bytes = JoinLinesCp932(file);
    const auto found = FindUnitBlockForRewrite(bytes, "[[unit1", "q.que");
    if (!found) {
      ++refused;
      // The reader sees the same broken structure.
      EXPECT_FALSE(ParseUnitBlock(file, "[[unit1", 1, 1, {}).structureFaults.empty());
      continue;
    }
    if (!found->has_value()) continue;
    ++rewritten;
    const UnitBlockInFile& unit = **found;
    UnitBlockBoxes boxes = unit.boxes;
    boxes.question.push_back("new");
    const std::string after = ReplaceUnitBytes(bytes, unit, AssembleUnitBlock("[[unit1", boxes));
    ASSERT_EQ(after.substr(0, unit.begin), bytes.substr(0, unit.begin));
    ASSERT_EQ(after.substr(after.size() - (bytes.size() - unit.end)), bytes.substr(unit.end));
    for (const char* other : {"[[unit2", "[[unit3"}) {
      const UnitReading before = ParseUnitBlockBytes(bytes, other, 1, 1, {});
      const UnitReading now = ParseUnitBlockBytes(after, other, 1, 1, {});
      ASSERT_EQ(before.ok(), now.ok()) << testing::PrintToString(file);
      EXPECT_EQ(before.content, now.content);
      EXPECT_EQ(before.problem.message, now.problem.message);
      EXPECT_EQ(before.structureFaults.size(), now.structureFaults.size());
    }
  }
  // The alphabet makes both outcomes common.
  EXPECT_GT(rewritten, 200);
  EXPECT_GT(refused, 200);
}

// The index of a question file reads every unit exactly as reading it from
// the file alone does, problems and line numbers included.
TEST(UnitScannerTest, AnIndexedFileReadsUnitsAsTheFileDoes) {
  const Lines alphabet = {"[[unit1", "[[unit2", "[[unit1R1", "[[unit1R2", "<<ques", "<<value",
                          "<<hint",  ">>",      "]]",        "q",         "1",      "\x81"};
  std::mt19937 random(7);
  for (int trial = 0; trial < 1000; ++trial) {
    std::string bytes;
    const int length = static_cast<int>(random() % 30);
    for (int i = 0; i < length; ++i) {
      bytes += alphabet[random() % alphabet.size()];
      bytes += random() % 4 == 0 ? "\n" : "\r\n";
    }
    const QuestionFileIndex index(bytes);
    for (const char* key : {"[[unit1", "[[unit2", "[[unit1R1", "[[unit3"}) {
      const UnitReading alone = ParseUnitBlockBytes(bytes, key, 1, 1, {"L", "S", "U"});
      const UnitReading indexed = index.ReadUnit(key, 1, 1, {"L", "S", "U"});
      ASSERT_EQ(alone.ok(), indexed.ok()) << bytes;
      EXPECT_EQ(alone.content, indexed.content);
      EXPECT_EQ(alone.problem.message, indexed.problem.message);
      EXPECT_EQ(alone.problem.line, indexed.problem.line);
      ASSERT_EQ(alone.structureFaults.size(), indexed.structureFaults.size());
      for (std::size_t i = 0; i < alone.structureFaults.size(); ++i)
        EXPECT_EQ(alone.structureFaults[i].line, indexed.structureFaults[i].line);
    }
    EXPECT_EQ(index.SimilarProblems(1), ListSimilarProblems(SplitLines(DecodeCp932(bytes)), 1));
  }
}

TEST(UnitScannerTest, TheCourseCheckReportsUnclosedHintAndDummyBlocks) {
  test::TempFolder folder;
  const std::string course = test::CourseFolderOf(folder);
  test::WriteCp932Lines(folder / "Main.ind", {"コース", "", "一,kazu\\\\ksk", ">>"});
  test::WriteCp932Lines(folder / "kazu" / "ksk.ind",
                        {"題", "[[sect1", "加法", "<<", "一", "二", ">>", "]]"});
  test::WriteCp932Lines(folder / "kazu" / "ksk1.que",
                        {"[[unit1", "<<ques", "q", ">>", "<<dummy", "d", "<<hint", "h", "]]",
                         "[[unit2", "<<ques", "q", ">>", "<<hint", "h", ">>", "<<dummy", "]]"});
  const auto index = ReadCourseIndex(course);
  ASSERT_TRUE(index.ok());
  const CourseCheckResult result = CheckCourse(index.value());
  Lines reported;
  for (const auto& p : result.problems)
    reported.push_back(p.address + " " + std::to_string(p.line) + " " + p.message);
  EXPECT_EQ(reported, (Lines{"1.1.1 5 <<dummy ブロックが >> で閉じられていません",
                             "1.1.1 7 <<hint ブロックが >> で閉じられていません",
                             "1.1.2 17 <<dummy ブロックが >> で閉じられていません"}));
}

}  // namespace
}  // namespace tavolo
