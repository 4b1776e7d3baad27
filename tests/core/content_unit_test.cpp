// Reading unit blocks out of question and copy files, similar problems, and
// the course check.

#include <gtest/gtest.h>

#include "content/course_check.h"
#include "content/question_file_index.h"
#include "content/similar_problems.h"
#include "content/unit_reader.h"
#include "platform/text_file.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;
using test::CourseFolderOf;
using test::TempFolder;
using test::WriteCp932Lines;

Lines Repeat(const std::string& line, int count) { return Lines(count, line); }

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

const Lines kValue = {"<<value", "630", "False", "40", "5", "5", "1", "7", ">>"};
const Lines kFont = {"<<font", "12", "MS 明朝", "False", "False", "False", "False", "0", ">>"};

// "line: message" of each structure fault.
Lines FaultLines(const UnitReading& reading) {
  Lines out;
  for (const auto& fault : reading.structureFaults)
    out.push_back(std::to_string(fault.line) + ": " + fault.message);
  return out;
}

// Reads through the file path (the fast raw-byte way) and through decoded lines
// (what the course check uses) and insists both agree.
UnitReading ReadBoth(const Lines& lines, const std::string& key = "[[unit1") {
  TempFolder folder;
  WriteCp932Lines(folder / "q1.que", lines);
  UnitReading fromFile = ReadUnitBlock(folder / "q1.que", key, 2, 1, {"L", "S", "U"});
  UnitReading fromLines = ParseUnitBlock(lines, key, 2, 1, {"L", "S", "U"});
  EXPECT_EQ(fromFile.ok(), fromLines.ok());
  EXPECT_EQ(fromFile.content, fromLines.content);
  EXPECT_EQ(fromFile.problem.message, fromLines.problem.message);
  EXPECT_EQ(fromFile.problem.line, fromLines.problem.line);
  EXPECT_EQ(FaultLines(fromFile), FaultLines(fromLines));
  return fromFile;
}

TEST(UnitReaderTest, FillsEveryBlockAndComposesTheTitleLines) {
  const Lines file = Concat({
      {"ignored before", "[[unit1", "<<ques", "(1) 3+4=#7#", "(2) ]]", ">>"},
      {"<<ans", "answer", ">>", "<<header", "h1", "h2", "h3", ">>"},
      kValue,
      kFont,
      {"<<kran", "5", "15", "2", ">>", "<<graph", "fig.bmp", "10", "20", ">>"},
      {"<<kgroup", "+;-", ">>", "<<softkey", "k", ">>", "<<AGraph", "a.bmp", "1", "2", ">>"},
      {"<<dummy", "<<ques", "not a question, inside dummy?", ">>", "]]", "<<ques", "later", ">>"},
  });
  const UnitReading reading = ReadBoth(file);
  ASSERT_TRUE(reading.ok()) << reading.problem.message;
  const UnitContent& c = *reading.content;
  EXPECT_EQ(c.title, "L//S§2-1 U");
  EXPECT_EQ(c.school, "中学校");
  EXPECT_EQ(c.name, "　年　組　番　氏名");
  // A "<<dummy" without its ">>" ends at the next marker line, so the "<<ques"
  // after it is a question block (and the dummy a fault the check reports).
  EXPECT_EQ(c.questionLines, (Lines{"(1) 3+4=#7#", "(2) ]]", "not a question, inside dummy?"}));
  EXPECT_EQ(c.headerLines, (Lines{"h1", "h2", "h3"}));
  EXPECT_EQ(c.valueLines, (Lines{"630", "False", "40", "5", "5", "1", "7"}));
  EXPECT_EQ(c.fontLines, (Lines{"12", "MS 明朝", "False", "False", "False", "False", "0"}));
  EXPECT_EQ(c.kranLines, (Lines{"5", "15", "2", "0", "0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(c.graphLines, (Lines{"fig.bmp", "10", "20"}));
  EXPECT_EQ(c.kgroupLines, (Lines{"+;-"}));
  EXPECT_EQ(c.softkeyLines, (Lines{"k"}));
  EXPECT_EQ(c.aGraphLines, (Lines{"a.bmp", "1", "2"}));
}

struct GoodCase {
  const char* name;
  Lines file;
  std::size_t questions;
  Lines kran;
};

TEST(UnitReaderTest, InputsThatRead) {
  const GoodCase cases[] = {
      {"60 question lines", Concat({{"[[unit1", "<<ques"}, Repeat("q", 60), {">>", "]]"}}), 60, {}},
      {"60 lines over two blocks",
       Concat({{"[[unit1", "<<ques"}, Repeat("q", 30), {">>", "<<ques"}, Repeat("q", 30), {">>"}}),
       60,
       {}},
      {"8-line kran padded",
       {"[[unit1", "<<kran", "1", "2", "3", "4", "5", "6", "7", "8", ">>"},
       0,
       {"1", "2", "3", "4", "5", "6", "7", "8", "0", "0"}},
      {"empty kran", {"[[unit1", "<<kran", ">>"}, 0, Repeat("0", 10)},
      {"10-line kran", Concat({{"[[unit1", "<<kran"}, Repeat("9", 10), {">>"}}), 0,
       Repeat("9", 10)},
      {"no blocks at all", {"[[unit1"}, 0, {}},
      {"brace group skipped", {"[[unit1", "<<ques", "{", "hidden", ">>", "}", "q", ">>"}, 1, {}},
      {"brace later is a question", {"[[unit1", "<<ques", "q", "{", "}", ">>"}, 3, {}},
      {"]] inside a block is content",
       {"[[unit1", "<<ques", "]]", ">>", "]]", "<<ques", "x", ">>"},
       1,
       {}},
      {"]] and markers inside the question block are question lines",
       {"[[unit1", "<<ques", "]]", "<<value", "<<kran", "[[sect1", ">>", "<<kran", "3", ">>", "]]"},
       4,
       {"3", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
      {"]] inside the dummy block ends the unit",
       {"[[unit1", "<<ques", "q", ">>", "<<dummy", "]]", ">>", "<<kran", "3", ">>", "]]"},
       1,
       {}},
      {"a known block inside the hint block is read",
       {"[[unit1", "<<hint", "<<kran", "4", ">>", ">>", "]]"},
       0,
       {"4", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
      {"lines of another program's block are stepped over",
       {"[[unit1", "<<random", "a = int(1..3)", ">>", "<<ques", "$a", ">>", "]]"},
       1,
       {}},
      {"markers with a blank or another case are lines",
       {"[[unit1", "<<ques ", "<<Ques", "<<QUES", "<<agraph", "]] ", ">> ", "<<ques", "q", ">>"},
       1,
       {}},
      {"unit 1 is not unit 10", {"[[unit10", "<<ques", "ten", ">>", "]]", "[[unit1", "]]"}, 0, {}},
      {"key with trailing blank is not the key",
       {"[[unit1 ", "<<ques", "wrong", ">>", "]]", "[[unit1", "<<ques", "right", ">>"},
       1,
       {}},
      {"end of file ends the unit", {"[[unit1", "<<ques", "q", ">>", "plain line"}, 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const UnitReading reading = ReadBoth(c.file);
    ASSERT_TRUE(reading.ok()) << reading.problem.message;
    EXPECT_EQ(reading.content->questionLines.size(), c.questions);
    EXPECT_EQ(reading.content->kranLines, c.kran);
  }
  EXPECT_EQ(ReadBoth({"[[unit10", "<<ques", "ten", ">>", "]]", "[[unit1", "<<ques", "one", ">>"})
                .content->questionLines,
            (Lines{"one"}));
}

struct BadCase {
  const char* name;
  Lines file;
  UnitProblem::Kind kind;
  std::string message;
  int line;
};

TEST(UnitReaderTest, InputsThatFailWithTheLineOfTheProblem) {
  using Kind = UnitProblem::Kind;
  const BadCase cases[] = {
      {"61 question lines", Concat({{"[[unit1", "<<ques"}, Repeat("q", 61), {">>"}}),
       Kind::Malformed, "問題の行は６０行以下です", 63},
      {"61 over two blocks",
       Concat({{"[[unit1", "<<ques"}, Repeat("q", 60), {">>", "<<ques", "one more", ">>"}}),
       Kind::Malformed, "問題の行は６０行以下です", 65},
      {"6-line value",
       {"[[unit1", "<<value", "1", "2", "3", "4", "5", "6", ">>"},
       Kind::Malformed,
       "<<value block error",
       9},
      {"8-line value",
       {"[[unit1", "<<value", "1", "2", "3", "4", "5", "6", "7", "8", ">>"},
       Kind::Malformed,
       "<<value block error",
       10},
      {"second value block", Concat({{"[[unit1"}, kValue, kValue}), Kind::Malformed,
       "<<value block error", 12},
      {"6-line font",
       {"[[unit1", "<<font", "1", "2", "3", "4", "5", "6", ">>"},
       Kind::Malformed,
       "<<font block error",
       9},
      {"11-line kran", Concat({{"[[unit1", "<<kran"}, Repeat("1", 11), {">>"}}), Kind::Malformed,
       "<<kran block error", 13},
      {"unclosed question block",
       {"x", "[[unit1", "<<ques", "q", "]]"},
       Kind::Malformed,
       "<<ques ブロックが >> で閉じられていません",
       3},
      {"unclosed kran block",
       {"[[unit1", "<<kran", "1"},
       Kind::Malformed,
       "<<kran ブロックが >> で閉じられていません",
       2},
      {"unclosed ans block",
       {"[[unit1", "<<ans", "1"},
       Kind::Malformed,
       "<<ans ブロックが >> で閉じられていません",
       2},
      {"unclosed brace group",
       {"[[unit1", "<<ques", "{", "q", ">>", "]]"},
       Kind::Malformed,
       "<<ques の { が } で閉じられていません",
       3},
      {"no key line", {"[[unit10", "[[unit1R1", "[[Unit1"}, Kind::Missing, "単元がありません", 0},
      {"empty file", {}, Kind::Missing, "単元がありません", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const UnitReading reading = ReadBoth(c.file);
    ASSERT_FALSE(reading.ok());
    EXPECT_EQ(reading.problem.kind, c.kind);
    EXPECT_EQ(reading.problem.message, c.message);
    EXPECT_EQ(reading.problem.line, c.line);
  }
}

TEST(UnitReaderTest, NotesWhereTheStructureIsBrokenAndReadsOnlyTheUnitsOwnLines) {
  // "]]" forgotten: the unit ends before the next key line, whose blocks are not its own.
  const UnitReading noEnd =
      ReadBoth({"x", "[[unit1", "<<ques", "a", ">>", "[[unit2", "<<ques", "b", ">>"});
  ASSERT_TRUE(noEnd.ok());
  EXPECT_EQ(noEnd.content->questionLines, (Lines{"a"}));
  EXPECT_EQ(FaultLines(noEnd), (Lines{"6: 単元が ]] で閉じられる前に次の \"[[\" 行があります"}));

  // The editor's blocks left open: the sheet does without them and reads on.
  const UnitReading openDummy = ReadBoth(Concat({{"[[unit1", "<<dummy", "d", "<<hint", "h"},
                                                 kValue,
                                                 {"]]", "[[unit2", "<<ques", "b", ">>"}}));
  ASSERT_TRUE(openDummy.ok()) << openDummy.problem.message;
  EXPECT_EQ(openDummy.content->valueLines.size(), 7u);
  EXPECT_EQ(FaultLines(openDummy), (Lines{"2: <<dummy ブロックが >> で閉じられていません",
                                          "4: <<hint ブロックが >> で閉じられていません"}));

  // A block the sheet reads, left open before a key line: the reading fails there.
  const UnitReading openQuestions = ReadBoth({"[[unit1", "<<ques", "[[unit2", ">>", "]]"});
  ASSERT_FALSE(openQuestions.ok());
  EXPECT_EQ(openQuestions.problem.message, "<<ques ブロックが >> で閉じられていません");
  EXPECT_EQ(openQuestions.problem.line, 2);

  EXPECT_TRUE(ReadBoth({"[[unit1", "<<ques", "]]", ">>", "]]"}).structureFaults.empty());
}

TEST(UnitReaderTest, VariantsAreUnitsOfTheirOwn) {
  const Lines file = {"[[unit2",   "<<ques", "base",    ">>", "]]",
                      "[[unit2R1", "<<ques", "variant", ">>", "]]"};
  EXPECT_EQ(ReadBoth(file, "[[unit2").content->questionLines, (Lines{"base"}));
  EXPECT_EQ(ReadBoth(file, "[[unit2R1").content->questionLines, (Lines{"variant"}));
  EXPECT_FALSE(ReadBoth(file, "[[unit2R2").ok());
}

TEST(UnitReaderTest, LineNumbersCountEveryKindOfLineEnd) {
  TempFolder folder;
  // CR LF, a lone CR, LF and an empty line before the unit: the problem is on line 6.
  test::WriteBytes(folder / "q.que", "a\r\nb\rc\n\r\n[[unit1\r\n<<kran\r\n");
  const UnitReading reading = ReadUnitBlock(folder / "q.que", "[[unit1", 1, 1, {});
  ASSERT_FALSE(reading.ok());
  EXPECT_EQ(reading.problem.line, 6);
}

TEST(UnitReaderTest, ReadingLeavesTheFileAsItWas) {
  TempFolder folder;
  const std::string bytes = JoinLinesCp932({"[[unit1", "<<ques", "q", "]]"});
  test::WriteBytes(folder / "q.que", bytes);
  EXPECT_FALSE(ReadUnitBlock(folder / "q.que", "[[unit1", 1, 1, {}).ok());
  EXPECT_EQ(test::ReadBytes(folder / "q.que"), bytes);
}

TEST(UnitReaderTest, MissingAndUnreadableFiles) {
  TempFolder folder;
  const UnitReading missing = ReadUnitBlock(folder / "none.que", "[[unit1", 1, 1, {});
  EXPECT_EQ(missing.problem.kind, UnitProblem::Kind::Missing);
  EXPECT_EQ(missing.problem.message,
            "ファイル " + (folder / "none.que").string() + " が見つかりません");
  std::filesystem::create_directories(folder / "dir.que");
  EXPECT_FALSE(ReadUnitBlock(folder / "dir.que", "[[unit1", 1, 1, {}).ok());
}

TEST(UnitReaderTest, BinaryBytesNeverCrash) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>((i * 131 + 7) % 256));
  bytes += "\n[[unit1\n<<ques\n\x81\n\xFF\xFE\n>>\n";
  TempFolder folder;
  test::WriteBytes(folder / "b.que", bytes);
  const UnitReading reading = ReadUnitBlock(folder / "b.que", "[[unit1", 1, 1, {});
  ASSERT_TRUE(reading.ok()) << reading.problem.message;
  EXPECT_EQ(reading.content->questionLines.size(), 2u);
}

TEST(CopyFileTest, ReadsTheUnitXBlockWithItsSavedTitleLines) {
  TempFolder folder;
  WriteCp932Lines(
      folder / "copy.prp",
      Concat({{"[[unitX", "<<header", "正と負の数//加法§1-2 正の数", "北中学校",
               "　年　組　番　氏名", ">>", "<<ques", "(1) 1+1=#2#", ">>", "<<ans", ">>"},
              kValue,
              kFont,
              {"<<kran"},
              Repeat("0", 10),
              {">>", "<<kgroup", ">>", "]]"}}));
  const UnitReading reading = ReadCopyFile(folder / "copy.prp");
  ASSERT_TRUE(reading.ok()) << reading.problem.message;
  EXPECT_EQ(reading.content->title, "正と負の数//加法§1-2 正の数");
  EXPECT_EQ(reading.content->school, "北中学校");
  EXPECT_EQ(reading.content->questionLines, (Lines{"(1) 1+1=#2#"}));
  EXPECT_EQ(reading.content->kranLines.size(), 10u);

  WriteCp932Lines(folder / "other.prp", {"[[unit1", "<<ques", "q", ">>"});
  EXPECT_FALSE(ReadCopyFile(folder / "other.prp").ok());
}

TEST(SimilarProblemsTest, ListsVariantsInFileOrderUpToTheFirstGap) {
  struct Case {
    Lines file;
    int unit;
    std::vector<int> variants;
  } cases[] = {
      {{"[[unit2", "[[unit2R1", "[[unit2R2", "[[unit2R4"}, 2, {1, 2}},
      {{"[[unit2", "[[unit2R2"}, 2, {}},
      {{"[[unit2R2", "[[unit2R1"}, 2, {1}},  // R2 must stand after R1
      {{"[[unit1R1", "[[unit1R2", "[[unit1R3", "[[unit1R4", "[[unit1R5", "[[unit1R6"},
       1,
       {1, 2, 3, 4, 5}},
      {{"[[unit12R1"}, 1, {}},
      {{"[[unit1R1 "}, 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    EXPECT_EQ(ListSimilarProblems(c.file, c.unit), c.variants);
    EXPECT_EQ(QuestionFileIndex(JoinLinesCp932(c.file)).SimilarProblems(c.unit), c.variants);
  }
  EXPECT_EQ(SimilarProblemEntry(3, 2), "類題　3R2");
}

// A small course with one problem of every kind the check reports.
TEST(CourseCheckTest, ReportsEachProblemWithFileAndLine) {
  TempFolder folder;
  const std::string course = CourseFolderOf(folder);
  WriteCp932Lines(folder / "Main.ind",
                  {"コース", "", "一,kazu\\\\ksk", "二,none\\\\x", "三のみ", ">>"});
  WriteCp932Lines(folder / "kazu" / "ksk.ind",
                  {"題", "[[sect1", "加法", "<<", "一", "二", "三", ">>", "]]", "[[sect2", "減法",
                   "<<", "一", ">>", "]]", "[[sect3", "空", "<<", ">>"});
  WriteCp932Lines(folder / "kazu" / "ksk1.que",
                  Concat({{"[[unit1", "<<value", "1", ">>", "]]"},  // 1-5
                          {"[[unit2", "<<ques", "ok", ">>"},        // 6-9, no "]]"
                          {"[[unit9", "]]"},                        // 10-11
                          {"[[unit2R1", "<<kran"},
                          Repeat("1", 11),
                          {">>", "]]"}}));  // 11-
  const auto index = ReadCourseIndex(course);
  ASSERT_TRUE(index.ok());
  const CourseCheckResult result = CheckCourse(index.value());

  const std::string mainInd = course + "Main.ind";
  const std::string lessonInd = course + "kazu/ksk.ind";
  const std::string que1 = course + "kazu/ksk1.que";
  struct Expected {
    std::string address, file;
    int line;
    std::string message;
  };
  const std::vector<Expected> expected = {
      {"1.1.1", que1, 4, "<<value block error"},
      {"1.1.2", que1, 10, "単元が ]] で閉じられる前に次の \"[[\" 行があります"},
      {"1.1.2R1", que1, 24, "<<kran block error"},
      {"1.1.3", lessonInd, 7, "単元がありません"},
      {"1.2", lessonInd, 10, "ファイル " + course + "kazu/ksk2.que が見つかりません"},
      {"2", mainInd, 4, "ディレクトリ " + course + "none/ が見つかりません"},
      {"3", mainInd, 5, "レッスン行に \",\" がありません"},
  };
  ASSERT_EQ(result.problems.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(result.problems[i].address, expected[i].address);
    EXPECT_EQ(result.problems[i].file, expected[i].file);
    EXPECT_EQ(result.problems[i].line, expected[i].line);
    EXPECT_EQ(result.problems[i].message, expected[i].message);
  }
  EXPECT_EQ(result.lessonCount, 1);
  EXPECT_EQ(result.sectionCount, 3);
  EXPECT_EQ(result.unitCount, 4);  // 1, 2, 2R1 and 3; section 2 has no question file
}

// Question lines longer than any page shows are pointed out at their own
// lines, each of two equal ones at its own; lines that fit are left alone.
TEST(CourseCheckTest, QuestionLinesTooLongForAPageAreReported) {
  const std::string fits(668, '1');
  const std::string tooLong(669, '1');
  const std::string wide = std::string(333, 'x') + "あ";  // 335 bytes: fits
  std::string huge;
  while (huge.size() < 10u * 1024u * 1024u) huge += "あいうえお、";
  TempFolder folder;
  const std::string course = CourseFolderOf(folder);
  WriteCp932Lines(folder / "Main.ind", {"コース", "", "一,kazu\\\\ksk", ">>"});
  WriteCp932Lines(folder / "kazu" / "ksk.ind",
                  {"題", "[[sect1", "加法", "<<", "一", "二", ">>", "]]"});
  WriteCp932Lines(folder / "kazu" / "ksk1.que",
                  {"[[unit1", "<<ques", fits, tooLong + "#1#", wide, tooLong + "#1#", ">>", "]]",
                   "[[unit2", "<<ques", huge, ">>", "]]"});
  const auto index = ReadCourseIndex(course);
  ASSERT_TRUE(index.ok());
  const CourseCheckResult result = CheckCourse(index.value());
  const std::string message =
      "この行は長すぎてページに収まりません（右端より先は表示も印刷もされません）";
  const std::vector<std::pair<std::string, int>> expected = {
      {"1.1.1", 4}, {"1.1.1", 6}, {"1.1.2", 11}};
  ASSERT_EQ(result.problems.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(result.problems[i].address, expected[i].first);
    EXPECT_EQ(result.problems[i].file, course + "kazu/ksk1.que");
    EXPECT_EQ(result.problems[i].line, expected[i].second);
    EXPECT_EQ(result.problems[i].message, message);
  }
}

// A sheet has 80 answer boxes: a unit with more answer fields is pointed out
// at its key line; 80 are fine.
TEST(CourseCheckTest, UnitsWithMoreThanEightyAnswerFieldsAreReported) {
  TempFolder folder;
  const std::string course = CourseFolderOf(folder);
  WriteCp932Lines(folder / "Main.ind", {"コース", "", "一,kazu\\\\ksk", ">>"});
  WriteCp932Lines(folder / "kazu" / "ksk.ind",
                  {"題", "[[sect1", "加法", "<<", "一", "二", ">>", "]]"});
  Lines file = {"[[unit1", "<<ques"};
  for (int i = 0; i < 40; ++i) file.push_back("#1# #2#");
  file.insert(file.end(), {">>", "]]", "[[unit2", "<<ques"});
  for (int i = 0; i < 27; ++i) file.push_back("#1# #2# #3#");
  file.insert(file.end(), {">>", "]]"});
  WriteCp932Lines(folder / "kazu" / "ksk1.que", file);
  const auto index = ReadCourseIndex(course);
  ASSERT_TRUE(index.ok());
  const CourseCheckResult result = CheckCourse(index.value());
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_EQ(result.problems[0].address, "1.1.2");
  EXPECT_EQ(result.problems[0].line, 45);
  EXPECT_EQ(result.problems[0].message,
            "解答欄が 81 個あります。８０個までです（８１個目からは画面で答えられません）");
}

}  // namespace
}  // namespace tavolo

namespace tavolo {
namespace {

// A 50 MB file of binary noise, with or without a unit that never closes:
// every reader answers with a result or a message, in reasonable time.
TEST(ContentLargeFileTest, FiftyMegabytesOfNoiseGiveAResultOrAnError) {
  std::string noise(50u * 1024u * 1024u, '\0');
  std::uint32_t state = 12345;
  for (char& c : noise) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 24);
  }
  TempFolder folder;
  test::WriteBytes(folder / "Main.ind", noise);
  test::WriteBytes(folder / "big1.que", "[[unit1\r\n<<ques\r\n" + noise);

  const auto course = ReadCourseIndex(folder.path().string());
  ASSERT_TRUE(course.ok()) << course.message();
  EXPECT_LE(course->lessons.size(), 80u);

  const UnitReading unclosed = ReadUnitBlock(folder / "big1.que", "[[unit1", 1, 1, {});
  ASSERT_FALSE(unclosed.ok());
  EXPECT_EQ(unclosed.problem.message, "<<ques ブロックが >> で閉じられていません");
  EXPECT_EQ(unclosed.problem.line, 2);
  EXPECT_FALSE(ReadUnitBlock(folder / "Main.ind", "[[unit7", 1, 7, {}).ok());
}

}  // namespace
}  // namespace tavolo
