// A unit's block of random data as the reader, every save path and the
// author's check see it.

#include <gtest/gtest.h>

#include "app/opened_sheet.h"
#include "app/sheet_saving.h"
#include "app_fakes.h"
#include "authoring/unit_block.h"
#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "random/unit_check.h"
#include "sheet/sheet_writer.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;

TEST(RandomUnitReader, KeepsTheFirstBlockAndTheLineOfItsFirstDeclaration) {
  const struct {
    const char* name;
    Lines file;
    Lines random;
    int firstLine;
  } cases[] = {
      // Inside the block "]]" is a declaration line like any other, not the unit's end.
      {"after the questions",
       {"[[unit1", "<<ques", "q", ">>", "<<random", "a = int(1..9)", "]]", "b = a", ">>", "]]"},
       {"a = int(1..9)", "]]", "b = a"},
       6},
      {"first of the unit",
       {"[[unit1", "<<random", "a = 1", ">>", "<<ques", "q", ">>", "]]"},
       {"a = 1"},
       3},
      {"empty", {"[[unit1", "<<random", ">>", "<<ques", "q", ">>", "]]"}, {}, 3},
      {"a second block is not the unit's",
       {"[[unit1", "<<random", "a = 1", ">>", "<<ques", "q", ">>", "<<random", "b = 2", ">>", "]]"},
       {"a = 1"},
       3},
      {"none", {"[[unit1", "<<ques", "q", ">>", "]]"}, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const UnitReading reading = ParseUnitBlock(c.file, "[[unit1", 1, 1, {});
    ASSERT_TRUE(reading.ok()) << reading.problem.message;
    EXPECT_EQ(reading.content->randomLines, c.random);
    EXPECT_EQ(reading.content->randomFirstLine, c.firstLine);
    EXPECT_EQ(reading.content->HasRandomBlock(), c.firstLine > 0);
    EXPECT_EQ(reading.content->questionLines, Lines{"q"});
  }
  const UnitReading unclosed =
      ParseUnitBlock({"[[unit1", "<<random", "a = 1", "]]", "[[unit2", "]]"}, "[[unit1", 1, 1, {});
  EXPECT_FALSE(unclosed.ok());
  EXPECT_EQ(unclosed.problem.message, "<<random ブロックが >> で閉じられていません");
  EXPECT_EQ(unclosed.problem.line, 2);
}

// A block whose lines end as an editor of another system left them (LF and
// CR LF mixed), with Japanese text, in unit 2 of a question file.
const std::string kBlock =
    EncodeCp932("<<random\n% 北か南\nw = pick(\"北\", \"南\")\r\na = int(1..40)\n>>\r\n");
const std::string kUnit2Head = "[[unit2\r\n<<ques\r\n$w $a\r\n>>\r\n";
const std::string kFile = "[[unit1\r\n<<ques\r\nq\r\n>>\r\n]]\r\n" + kUnit2Head + kBlock +
                          "<<value\r\n630\r\nTrue\r\n30\r\n5\r\n5\r\n1\r\n7\r\n>>\r\n]]\r\n";

// Where the block stands in written bytes, checked to be the block exactly,
// right after the given text.
void ExpectBlockRightAfter(const std::string& written, const std::string& before) {
  const std::size_t at = written.find(before);
  ASSERT_NE(at, std::string::npos) << written;
  EXPECT_EQ(written.substr(at + before.size(), kBlock.size()), kBlock) << written;
  EXPECT_EQ(written.find("<<random", at + before.size() + 1), std::string::npos) << written;
}

class NoPictures final : public ImageProvider {
 public:
  CanvasImage Load(const std::filesystem::path&) override { return {}; }
};

// Every save path writes the unit as its author wrote it ("$w $a"), never the
// variant the sheet shows, and keeps the block byte for byte.
TEST(RandomUnitSaving, EverySavePathKeepsTheBlockAndTheLinesAsWritten) {
  test::TempFolder folder;
  const std::string questionFile = (folder / "kazu1.que").string();
  test::WriteBytes(questionFile, kFile);
  const UnitReading reading = ReadUnitBlock(questionFile, "[[unit2", 1, 2, {});
  ASSERT_TRUE(reading.ok()) << reading.problem.message;
  EXPECT_EQ(reading.content->randomLines,
            (Lines{"% 北か南", "w = pick(\"北\", \"南\")", "a = int(1..40)"}));
  EXPECT_EQ(reading.content->randomFirstLine, 11);
  NoPictures images;
  const auto openSheet = [&] {
    OpenedSheet opened = ComposeOpenedSheet(SheetOrigin::CopyFile(nullptr, questionFile),
                                            *reading.content, true, {images, {}}, 3);
    SheetDocument sheet = std::move(opened.document);
    sheet.address = {1, 1, 2, 0};
    sheet.identity = questionFile + "-U2";
    sheet.master = true;
    return sheet;
  };
  ASSERT_NE(openSheet().params.unit.questionLines, (Lines{"$w $a"})) << "the variant is shown";
  {
    SCOPED_TRACE("the copies are printed from the variants the sheet was opened from");
    OpenedSheet opened = ComposeOpenedSheet(SheetOrigin::CopyFile(nullptr, questionFile),
                                            *reading.content, true, {images, {}}, 3);
    ASSERT_NE(opened.variants, nullptr);
    EXPECT_EQ(opened.variants->Fingerprint(), opened.random.fingerprint);
    SheetParams params = opened.document.params;
    params.unit.questionLines.clear();
    opened.variants->PutVariant(3, params);
    EXPECT_EQ(params.unit.questionLines, opened.document.params.unit.questionLines);
  }

  {
    SCOPED_TRACE("saving the sheet over its unit");
    SheetDocument sheet = openSheet();
    sheet.params.lineSpacing = 45;
    test::ScriptedDialogs dialogs;
    ASSERT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
    const std::string written = test::ReadBytes(questionFile);
    EXPECT_NE(written.find("\r\n45\r\n"), std::string::npos);
    ExpectBlockRightAfter(written, kUnit2Head);
  }
  {
    SCOPED_TRACE("saving a unit gone from its file since the sheet opened");
    SheetDocument sheet = openSheet();
    const std::string unit1 = "[[unit1\r\n<<ques\r\nq\r\n>>\r\n]]\r\n";
    test::WriteBytes(questionFile, unit1);
    test::ScriptedDialogs dialogs;
    ASSERT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
    const std::string written = test::ReadBytes(questionFile);
    EXPECT_EQ(written.rfind(unit1, 0), 0U) << written;
    const UnitReading reread = ReadUnitBlock(questionFile, "[[unit2", 1, 2, {});
    ASSERT_TRUE(reread.ok()) << reread.problem.message;
    EXPECT_EQ(reread.content->questionLines, (Lines{"$w $a"}));
    EXPECT_EQ(reread.content->randomLines, reading.content->randomLines);
    test::WriteBytes(questionFile, kFile);
  }
  {
    SCOPED_TRACE("the question editor");
    const auto found = FindUnitBlockForRewrite(kFile, "[[unit2", "kazu1.que");
    ASSERT_TRUE(found && found->has_value());
    UnitBlockBoxes boxes = (*found)->boxes;
    boxes.question = {"$a + 1 = #=a+1#"};
    ExpectBlockRightAfter(RewriteUnitBytes(kFile, **found, "[[unit2", boxes),
                          "[[unit2\r\n<<ques\r\n$a + 1 = #=a+1#\r\n>>\r\n");
  }
  {
    SCOPED_TRACE("a copy file");
    const Lines copy = ComposeCopyFile(openSheet().params);
    const Lines block = {"<<random", "% 北か南", "w = pick(\"北\", \"南\")", "a = int(1..40)",
                         ">>"};
    EXPECT_NE(std::search(copy.begin(), copy.end(), block.begin(), block.end()), copy.end());
    const UnitReading reread = ParseUnitBlock(copy, "[[unitX", 0, 0, {});
    ASSERT_TRUE(reread.ok()) << reread.problem.message;
    EXPECT_EQ(reread.content->questionLines, (Lines{"$w $a"}));
    EXPECT_EQ(reread.content->randomLines, reading.content->randomLines);
  }
}

// "LINE:COLUMN: [警告: ]MESSAGE", as `tavolo check` shows it without the file.
std::vector<std::string> CheckTexts(const RandomCheckUnit& unit) {
  std::vector<std::string> texts;
  for (const RandomCheckMessage& m : CheckRandomData(unit))
    texts.push_back(std::to_string(m.line) + ":" + std::to_string(m.column) + ": " +
                    (m.warning ? "警告: " : "") + m.message);
  return texts;
}

TEST(RandomUnitCheck, EveryKindOfMessage) {
  // Question lines from line 2, the block's marker at line 10.
  const struct {
    const char* name;
    Lines block;
    Lines questions;
    std::vector<std::string> expected;
    bool hasBlock = true;
    std::vector<int> extraBlocks = {};
  } cases[] = {
      {"sound", {"a = int(1..40)"}, {"$a + 1 = #=a+1#"}, {}},
      {"syntax error", {"a = int(1..40"}, {}, {"11:14: 「)」がありません"}},
      {"unknown name", {"a = b + 1"}, {}, {"11:5: 「b」という名前はありません"}},
      {"later name",
       {"a = b + 1", "b = int(1..40)"},
       {},
       {"11:5: 「b」はこの行より後で決まる名前なので使えません"}},
      {"empty range",
       {"a = int(5..1)"},
       {},
       {"11:9: 範囲が空です（下限が上限より大きくなっています）"}},
      {"except leaves nothing",
       {"a = int(1..1) except 1"},
       {},
       {"11:0: except で値がすべて除かれて、引ける値が残りません"}},
      {"no combination satisfies",
       {"a = int(1..40)", "require a > 40"},
       {},
       {"12:0: どの組み合わせもこの条件を満たしません"}},
      {"a drawn block throws nearly every draw away",
       {"a = int(1..1000000)", "require a <= 5000"},
       {"$a"},
       {"12:0: 条件で捨てられる値が多すぎます（引いた値の 99.6 % が捨てられます）。条件か範囲を"
        "見直してください"}},
      {"division by zero for some values",
       {"a = int(-20..20)", "b = 60 / a"},
       {"$b"},
       {"12:0: 値によっては計算できません: 0 で割っています（その組み合わせは使われません）"}},
      {"decimal of a value that does not end",
       {"a = int(1..40)"},
       {"${1/a:dec}"},
       {"2:0: 「1/a:dec」: 小数で書けない数を小数にしようとしています（番号 3 の問題で）"}},
      {"line an older reader misreads",
       {"a = int(1..40)", " b = a"},
       {},
       {"12:0: 乱数の行は英小文字か % で書き始めてください（古い版のプログラムはこの行を読み違えま"
        "す）"}},
      {"placeholder without a block",
       {},
       {"(1) $a + 1"},
       {"2:0: 警告: この単元には <<random ブロックがないので、「$a」は値にならずそのまま表示され"
        "ます"},
       false},
      {"few variants",
       {"a = int(1..5)"},
       {"$a + 1 = #=a+1#"},
       {"10:0: 警告: この単元の問題は 5 通りしかありません"}},
      {"a second block",
       {"a = int(1..40)"},
       {"$a"},
       {"20:0: <<random ブロックは一つの単元に一つだけです（この行からのブロックは使われません）"},
       true,
       {20}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RandomCheckUnit unit;
    unit.hasBlock = c.hasBlock;
    unit.blockLines = c.block;
    unit.blockFirstLine = c.hasBlock ? 11 : 0;
    unit.extraBlockLines = c.extraBlocks;
    for (std::size_t i = 0; i < c.questions.size(); ++i)
      unit.lines.push_back({static_cast<int>(i) + 2, c.questions[i], true});
    EXPECT_EQ(CheckTexts(unit), c.expected);
  }
}

}  // namespace
}  // namespace tavolo
