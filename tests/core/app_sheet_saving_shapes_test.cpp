// Overwrite-saving a sheet whose unit is broken or gone on disk: the save must
// never touch a byte that is not this unit's. Every case compares the whole
// file before and after.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/sheet_saving.h"
#include "app_fakes.h"
#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "platform/text_file.h"
#include "sheet/sheet_writer.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ReadBytes;
using test::ScriptedDialogs;
using test::TempFolder;
using test::WriteBytes;

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

const Lines kLayout = {"<<value", "630",    "True",   "30",      "5",     "5",     "1",     "7",
                       ">>",      "<<font", "12",     "MS 明朝", "False", "False", "False", "False",
                       "0",       ">>",     "<<kran", "5",       "15",    "2",     "0",     "0",
                       "0",       "15",     "10",     "0",       "0",     ">>"};

// A sound unit as the editor writes it.
Lines Unit(int n) {
  const std::string u = std::to_string(n);
  return Concat(
      {{"[[unit" + u, "<<ques", "次の計算をしなさい。", "(1) " + u + "+1=#" + u + "#", ">>",
        "<<kgroup", "選択" + u, ">>", "<<dummy", "ダミー" + u, ">>", "<<hint", "ヒント" + u, ">>"},
       kLayout,
       {"]]"}});
}

std::string Bytes(const Lines& lines) { return JoinLinesCp932(lines); }

class SavingShapes : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder / "kazu");
    questionFile = (folder / "kazu" / "kazu1.que").string();
  }

  // A sheet of unit n as it was opened from a sound file; the file on disk is
  // then whatever the test writes.
  SheetDocument SheetOf(int n) {
    const Lines sound = Concat({Unit(1), Unit(2), Unit(3)});
    const UnitReading reading =
        ParseUnitBlock(sound, "[[unit" + std::to_string(n), 1, n, {"正の数と負の数", "加法", "u"});
    EXPECT_TRUE(reading.ok());
    SheetDocument sheet;
    sheet.address = {1, 1, n, 0};
    sheet.params = LoadSheetParams(*reading.content, true).params;
    sheet.params.lineSpacing = 55;  // the teacher's change
    sheet.filePath = questionFile;
    sheet.identity = questionFile + "-U" + std::to_string(n);
    sheet.master = true;
    sheet.modified = true;
    return sheet;
  }

  TempFolder folder;
  ScriptedDialogs dialogs;
  std::string questionFile;
};

// The unit's layout blocks as the sheet writes them.
Lines WithSheetLayout(Lines unit, const SheetDocument& sheet) {
  const auto value = std::find(unit.begin(), unit.end(), "<<value");
  const Lines layout = WriteLayoutBlocks(sheet.params);
  unit.erase(value, value + static_cast<std::ptrdiff_t>(kLayout.size()));
  unit.insert(std::find(unit.begin(), unit.end(), "]]"), layout.begin(), layout.end());
  return unit;
}

// 1-based line of the first `text` after the line `from`.
int LineAfter(const Lines& file, const std::string& from, const std::string& text) {
  const auto start = std::find(file.begin(), file.end(), from);
  return static_cast<int>(std::find(start + 1, file.end(), text) - file.begin()) + 1;
}

// Shapes whose unit is broken: the save is refused, the teacher is told which
// file and line to mend, and the file keeps every byte.
TEST_F(SavingShapes, ABrokenUnitIsNotOverwritten) {
  struct Case {
    const char* name;
    Lines file;
    std::string faultLine;  // the line named in the message, first after "[[unit2"
    std::string fault;
  };
  Lines noEnd = Unit(2);
  noEnd.pop_back();
  const Case cases[] = {
      {"unit without ]] before the next key", Concat({Unit(1), noEnd, Unit(3)}), "[[unit3",
       "単元が ]] で閉じられる前に次の \"[[\" 行があります"},
      {"hint without >> running into the next unit",
       Concat({Unit(1), {"[[unit2", "<<ques", "q", ">>"}, kLayout, {"<<hint", "h", "]]"}, Unit(3)}),
       "<<hint", "<<hint ブロックが >> で閉じられていません"},
      {"dummy without >> before the value block",
       Concat(
           {Unit(1), {"[[unit2", "<<ques", "q", ">>", "<<dummy", "d"}, kLayout, {"]]"}, Unit(3)}),
       "<<dummy", "<<dummy ブロックが >> で閉じられていません"},
      {"hint without >> in the last unit",
       Concat({Unit(1), Unit(3), {"[[unit2", "<<ques", "q", ">>", "<<hint", "h"}}), "<<hint",
       "<<hint ブロックが >> で閉じられていません"},
      {"question block without >>", Concat({Unit(1), {"[[unit2", "<<ques", "q", "]]"}, Unit(3)}),
       "<<ques", "<<ques ブロックが >> で閉じられていません"},
      {"brace group without }",
       Concat({Unit(1), {"[[unit2", "<<ques", "{", "g", ">>", "]]"}, Unit(3)}), "{",
       "<<ques の { が } で閉じられていません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string before = Bytes(c.file);
    WriteBytes(questionFile, before);
    SheetDocument sheet = SheetOf(2);
    dialogs.log.clear();
    EXPECT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Failed);
    EXPECT_EQ(ReadBytes(questionFile), before);
    EXPECT_TRUE(sheet.modified);
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0], "inform: " + questionFile + " の " +
                                  std::to_string(LineAfter(c.file, "[[unit2", c.faultLine)) +
                                  " 行目: " + c.fault +
                                  "\nこの単元は形が崩れているため上書き保存できません。"
                                  "ファイルを直してから保存してください"
                                  "（名前を付けて保存はできます）");
  }
}

// Refused over the broken unit, the teacher's work still goes to a copy file.
TEST_F(SavingShapes, ARefusedSheetCanStillBeSavedAsACopy) {
  Lines noEnd = Unit(2);
  noEnd.pop_back();
  const std::string before = Bytes(Concat({Unit(1), noEnd, Unit(3)}));
  WriteBytes(questionFile, before);
  SheetDocument sheet = SheetOf(2);
  AppState app;
  app.SetCourseFolder(test::CourseFolderOf(folder));
  app.AddOpenSheet(sheet.identity);
  dialogs.answers = {Answer::Yes};
  EXPECT_FALSE(QueryCloseSheet(sheet, app, dialogs));  // stays open with its changes
  EXPECT_TRUE(sheet.modified);
  const std::string copy = (folder / "kazu" / "第2回.prp").string();
  dialogs.files = {copy};
  EXPECT_EQ(SaveCopyFile(sheet, app, dialogs), SaveOutcome::Saved);
  const UnitReading reread = ReadCopyFile(copy);
  ASSERT_TRUE(reread.ok()) << reread.problem.message;
  EXPECT_EQ(reread.content->valueLines[2], "55");
  EXPECT_EQ(ReadBytes(questionFile), before);
}

// A "]]" inside a block the editor does not keep is the block's content, as
// the reader sees it; the questions, choices and hints after it survive, and
// so does the block itself, byte for byte where it stood.
TEST_F(SavingShapes, AnEndMarkInsideAnEarlierBlockIsContent) {
  for (const char* marker : {"<<softkey", "<<header", "<<ans"}) {
    SCOPED_TRACE(marker);
    const Lines block = {marker, "a", "]]", "b", ">>"};
    Lines unit2 = Unit(2);
    unit2.insert(unit2.begin() + 1, block.begin(), block.end());
    const std::string head = Bytes(Unit(1));
    const std::string tail = Bytes(Unit(3));
    WriteBytes(questionFile, head + Bytes(unit2) + tail);
    SheetDocument sheet = SheetOf(2);
    ASSERT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
    Lines expected = WithSheetLayout(Unit(2), sheet);
    expected.insert(expected.begin() + 1, block.begin(), block.end());
    EXPECT_EQ(ReadBytes(questionFile), head + Bytes(expected) + tail);
    EXPECT_TRUE(dialogs.log.empty());
  }
}

// Every block the program does not write itself stays byte for byte after the
// block it followed: the soft keys, random data, another program's block and
// stray lines, with their own line ends. A "]]" or a marker line inside the
// question block is a question line and saves as one.
TEST_F(SavingShapes, BlocksTheProgramDoesNotWriteStayInPlace) {
  const std::string random = "<<random\na = int(-9..9) except 0\n>>\n";
  const std::string softkey = "<<softkey\r\n\x82\x50\r\n\x82\x51\r\n>>\r\n";
  const std::string other = "<<memo\rx\r>>\rstray\r\n";
  const Lines questions = {"<<ques", "次の計算をしなさい。", "]]", "<<value", "(1) 2+1=#3#", ">>"};
  const Lines choices = {"<<kgroup", "選択2", ">>", "<<dummy", "ダミー2", ">>"};
  const std::string unit2 = "[[unit2\r\n" + random + Bytes(questions) + Bytes(choices) +
                            Bytes(kLayout) + softkey + other + "]]\r\n";
  const std::string head = Bytes(Unit(1));
  const std::string tail = Bytes(Unit(3));
  WriteBytes(questionFile, head + unit2 + tail);
  const UnitReading opened =
      ParseUnitBlockBytes(head + unit2 + tail, "[[unit2", 1, 2, {"L", "S", "U"});
  ASSERT_TRUE(opened.ok()) << opened.problem.message;
  EXPECT_EQ(opened.content->questionLines,
            (Lines{"次の計算をしなさい。", "]]", "<<value", "(1) 2+1=#3#"}));
  SheetDocument sheet = SheetOf(2);
  sheet.params.unit = *opened.content;
  ASSERT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
  const std::string expected = "[[unit2\r\n" + random + Bytes(questions) + Bytes(choices) +
                               Bytes(WriteLayoutBlocks(sheet.params)) + softkey + other + "]]\r\n";
  EXPECT_EQ(ReadBytes(questionFile), head + expected + tail);
  const UnitReading reread = ParseUnitBlockBytes(ReadBytes(questionFile), "[[unit2", 1, 2, {});
  ASSERT_TRUE(reread.ok());
  EXPECT_EQ(reread.content->questionLines, opened.content->questionLines);
  EXPECT_EQ(reread.content->softkeyLines, (Lines{"１", "２"}));
  EXPECT_TRUE(dialogs.log.empty());
}

// A save never reports success over a unit that will not open afterwards: 61
// question lines (a lone CR inside a line counts as a line end) stay as they
// were, and the teacher is told the line.
TEST_F(SavingShapes, AUnitThatWouldNotOpenIsNotSaved) {
  Lines unit2 = {"[[unit2", "<<ques"};
  for (int i = 1; i <= 60; ++i) unit2.push_back("(" + std::to_string(i) + ") 1+1=#2#");
  unit2.push_back(">>");
  unit2.insert(unit2.end(), kLayout.begin(), kLayout.end());
  unit2.push_back("]]");
  std::string bytes = Bytes(Concat({Unit(1), unit2, Unit(3)}));
  const std::size_t cr = bytes.find("(7) 1+1=#2#");
  bytes.insert(cr + 4, "\r");
  WriteBytes(questionFile, bytes);
  SheetDocument sheet = SheetOf(2);
  EXPECT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Failed);
  EXPECT_EQ(ReadBytes(questionFile), bytes);
  EXPECT_TRUE(sheet.modified);
  ASSERT_EQ(dialogs.log.size(), 1u);
  EXPECT_EQ(dialogs.log[0], "inform: " + questionFile + " の " +
                                std::to_string(Unit(1).size() + 63) +
                                " 行目: 問題の行は６０行以下です\n"
                                "このまま保存すると単元が開けなくなるため、保存しませんでした"
                                "（名前を付けて保存はできます）");
}

// Two program instances on one unit: a text saved by the other since this
// sheet was opened is replaced only when the teacher says so (No is the
// default). Another unit saved meanwhile is no conflict and stays.
TEST_F(SavingShapes, ANewerTextOfTheUnitIsNotOverwrittenUnasked) {
  WriteBytes(questionFile, Bytes(Concat({Unit(1), Unit(2), Unit(3)})));
  SheetDocument sheet = SheetOf(2);
  sheet.unitOnDisk = Bytes(Unit(2));
  Lines newer = Unit(2);
  newer.insert(newer.begin() + 4, "(2) 2+2=#4#");
  const std::string theirs = Bytes(Concat({Unit(1), newer, Unit(3)}));
  WriteBytes(questionFile, theirs);
  const std::string question =
      "destroy: 「kazu1.que-U2」は、開いた後にほかのウィンドウかプログラムで"
      "保存されています。\nその新しい内容を、この内容で上書きしてもいいですか？";
  dialogs.answers = {Answer::No};
  EXPECT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Cancelled);
  EXPECT_EQ(ReadBytes(questionFile), theirs);
  EXPECT_TRUE(sheet.modified);
  EXPECT_EQ(dialogs.log, (Lines{question}));

  dialogs.log.clear();
  dialogs.answers = {Answer::Yes};
  ASSERT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
  EXPECT_EQ(dialogs.log, (Lines{question}));
  EXPECT_EQ(ReadBytes(questionFile),
            Bytes(Concat({Unit(1), WithSheetLayout(newer, sheet), Unit(3)})));

  // What this save wrote is now what the sheet knows: no question the next time.
  Lines other = Unit(3);
  other.insert(other.begin() + 4, "(2) 3+3=#6#");
  const std::string meanwhile = Bytes(Concat({Unit(1), WithSheetLayout(newer, sheet), other}));
  WriteBytes(questionFile, meanwhile);
  dialogs.log.clear();
  sheet.params.lineSpacing = 60;
  ASSERT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
  EXPECT_TRUE(dialogs.log.empty());
  EXPECT_EQ(ReadBytes(questionFile),
            Bytes(Concat({Unit(1), WithSheetLayout(newer, sheet), other})));
}

// Gone from disk while the sheet was open: the unit comes back whole from
// the sheet, after every byte that is there.
TEST_F(SavingShapes, AVanishedUnitIsWrittenBackFromTheSheet) {
  // The rest of the file ends in LF without a final line end: kept as it is.
  const std::string rest = Bytes(Unit(1)) + "[[unit3\n<<ques\nq\n>>\n]]";
  WriteBytes(questionFile, rest);
  SheetDocument sheet = SheetOf(2);
  ASSERT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
  // The sheet never held the editor's dummies and hints.
  const Lines expected =
      WithSheetLayout(Concat({{"[[unit2", "<<ques", "次の計算をしなさい。", "(1) 2+1=#2#", ">>",
                               "<<kgroup", "選択2", ">>", "<<dummy", ">>"},
                              kLayout,
                              {"]]"}}),
                      sheet);
  EXPECT_EQ(ReadBytes(questionFile), rest + "\r\n" + Bytes(expected));
  EXPECT_FALSE(sheet.modified);

  fs::remove(questionFile);
  sheet.modified = true;
  ASSERT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
  EXPECT_EQ(ReadBytes(questionFile), Bytes(expected));
  EXPECT_TRUE(dialogs.log.empty());
}

// The other units keep their exact bytes whatever they hold: LF or lone CR
// line ends, bytes that are not Shift-JIS, duplicate codes, no final line end.
TEST_F(SavingShapes, OtherUnitsKeepTheirExactBytes) {
  const std::string head = "memo\n\x81\x39\xFF\r" + Bytes(Unit(1));
  const std::string tail = "[[unit3\n<<ques\n\xED\x40\xFA\x4A \x87\x90\n>>\r]]";
  WriteBytes(questionFile, head + Bytes(Unit(2)) + tail);
  SheetDocument sheet = SheetOf(2);
  ASSERT_EQ(SaveMaster(sheet, dialogs), SaveOutcome::Saved);
  EXPECT_EQ(ReadBytes(questionFile), head + Bytes(WithSheetLayout(Unit(2), sheet)) + tail);
}

}  // namespace
}  // namespace tavolo
