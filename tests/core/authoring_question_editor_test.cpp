// One editing session of the question editor on real files: loading from the
// file and the sheet, the new-unit template, saving only the unit's bytes
// after reading the file again, and every way saving stops without writing.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <barrier>
#include <filesystem>
#include <functional>
#include <thread>

#include "app_fakes.h"
#include "authoring/question_editor.h"
#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "platform/text_file.h"
#include "random/editor_random.h"
#include "random/unit_variant.h"
#include "sheet/sheet_writer.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScriptedDialogs;
using test::TempFolder;

Lines Unit(int u, Lines extra = {}) {
  Lines unit = {"[[unit" + std::to_string(u), "<<ques", "次の計算をしなさい。",
                "(1) (+" + std::to_string(u) + ")+(-1)=#" + std::to_string(u - 1) + "#", ">>"};
  unit.insert(unit.end(), extra.begin(), extra.end());
  const Lines tail = {"<<value", "630", "True", "30", "5", "5", "1", "7", ">>", "]]"};
  unit.insert(unit.end(), tail.begin(), tail.end());
  return unit;
}

class QuestionEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    course.courseFolder = test::CourseFolderOf(folder);
    course.lessons.push_back(Lesson{"正の数と負の数", "kazu\\", "kz", 3, true, {}});
    fs::create_directories(folder / "kazu");
    file = (folder / "kazu" / "kz1.que").string();
    Lines lines;
    for (int u = 1; u <= 5; ++u) {
      const Lines unit =
          Unit(u, u == 3 ? Lines{"<<kgroup", "2", ">>", "<<dummy", "5", ">>", "<<hint",
                                 "符号に注意", ">>", "<<unknown", "dropped"}
                         : Lines{});
      lines.insert(lines.end(), unit.begin(), unit.end());
    }
    test::WriteCp932Lines(file, lines);
  }

  SheetParams SheetOf(int unit) {
    const UnitReading r = ReadUnitBlock(file, "[[unit" + std::to_string(unit), 1, unit, captions);
    EXPECT_TRUE(r.ok());
    return LoadSheetParams(*r.content, true).params;
  }

  void LoadSheet(const SheetParams& params, int unit, std::vector<Point> anchors = {}) {
    const EditorSheet sheet{params, std::move(anchors), 0};
    editor.Load(course, {1, 1, unit, 0}, captions, &sheet, dialogs);
  }

  // Saves, and expects the save to stop on the case's faulty line with the
  // caret where it names and its one message to the teacher.
  template <typename Case>
  void ExpectSaveStopsAt(const Case& c) {
    dialogs.log.clear();
    const EditorSave save = editor.Save(dialogs);
    EXPECT_EQ(save.stop, EditorStop::BoxLine);
    EXPECT_EQ(save.box, c.box);
    EXPECT_EQ(save.line, c.line);
    EXPECT_EQ(save.offset, c.offset);
    EXPECT_EQ(dialogs.log, (Lines{"inform: " + c.message}));
  }

  TempFolder folder;
  CourseIndex course;
  UnitCaptions captions{"正の数と負の数", "加法", "同符号"};
  std::string file;
  ScriptedDialogs dialogs;
  QuestionEditor editor;
};

TEST_F(QuestionEditorTest, LoadsTheUnitWithTheSheetsLayoutAndFigures) {
  SheetParams params = SheetOf(3);
  params.lineSpacing = 45;  // changed on the sheet, not yet saved
  params.unit.graphLines = {"line.bmp", "100", "200"};
  LoadSheet(params, 3, {{7, 8}});
  EXPECT_EQ(editor.FilePath(), file);
  EXPECT_EQ(editor.Title(), "正の数と負の数//加法§1-3 同符号");
  EXPECT_EQ(EditorAddressText(editor.Address()), "1 1 3");
  EXPECT_EQ(EditorAddressText({1, 3, 2, 1}), "1 3 2R1");
  EXPECT_FALSE(editor.NewUnitMode());
  EXPECT_FALSE(editor.modified);
  EXPECT_EQ(editor.boxes.question, (Lines{"次の計算をしなさい。", "(1) (+3)+(-1)=#2#"}));
  EXPECT_EQ(editor.boxes.kgroup, (Lines{"2"}));
  EXPECT_EQ(editor.boxes.dummy, (Lines{"5"}));
  EXPECT_EQ(editor.boxes.hint, (Lines{"符号に注意"}));
  EXPECT_EQ(editor.boxes.settings, WriteLayoutBlocks(params));
  EXPECT_EQ(editor.boxes.settings[3], "45");
  EXPECT_EQ(editor.boxes.graph, (Lines{"line.bmp", "100", "200"}));
  EXPECT_EQ(editor.Anchors(), (std::vector<Point>{{7, 8}}));
  EXPECT_EQ(editor.FigureFolder(), std::nullopt);  // no Graph folder
  fs::create_directories(folder / "Graph");
  LoadSheet(params, 3);
  EXPECT_EQ(editor.FigureFolder(), folder / "Graph");
  fs::create_directories(folder / "kazu" / "Graph");
  LoadSheet(params, 3);
  EXPECT_EQ(editor.FigureFolder(), folder / "kazu" / "Graph");
  EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(QuestionEditorTest, SavingChangesOnlyThisUnitsBytes) {
  const std::string before = ReadBytes(file);
  LoadSheet(SheetOf(3), 3);
  editor.boxes.question[1] = "(1) (+3)+(-1)=#+2;2#";
  editor.modified = true;
  ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
  EXPECT_FALSE(editor.modified);
  const std::string after = ReadBytes(file);

  const std::string unit3 = EncodeCp932("[[unit3");
  const std::size_t start = before.find(unit3);
  const std::size_t end = before.find(EncodeCp932("[[unit4"));
  EXPECT_EQ(after.substr(0, start), before.substr(0, start));
  const std::size_t tail = before.size() - end;
  EXPECT_EQ(after.substr(after.size() - tail), before.substr(end));
  // The unit in the editor's order; the lines it does not know stay after the
  // block they followed.
  Lines expected = {"[[unit3",
                    "<<ques",
                    "次の計算をしなさい。",
                    "(1) (+3)+(-1)=#+2;2#",
                    ">>",
                    "<<kgroup",
                    "2",
                    ">>",
                    "<<dummy",
                    "5",
                    ">>",
                    "<<hint",
                    "符号に注意",
                    ">>",
                    "<<unknown",
                    "dropped"};
  const Lines layout = WriteLayoutBlocks(SheetOf(3));
  expected.insert(expected.end(), layout.begin(), layout.end());
  expected.push_back("]]");
  EXPECT_EQ(after.substr(start, after.size() - tail - start), JoinLinesCp932(expected));
  EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(QuestionEditorTest, WhatWasWrittenMeanwhileStays) {
  LoadSheet(SheetOf(2), 2);
  // Another program (or a sheet's save) changes unit 5 and adds unit 6 while
  // the editor is open.
  std::string meanwhile = ReadBytes(file);
  meanwhile.replace(meanwhile.find("(+5)"), 4, "(+50)");
  meanwhile += JoinLinesCp932(Unit(6));
  test::WriteBytes(file, meanwhile);

  editor.boxes.question.push_back("(2) 1-1=#0#");
  ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
  const std::string after = ReadBytes(file);
  EXPECT_NE(after.find("(+50)"), std::string::npos);
  EXPECT_TRUE(ReadUnitBlock(file, "[[unit6", 1, 6, {}).ok());
  const UnitReading saved = ReadUnitBlock(file, "[[unit2", 1, 2, {});
  ASSERT_TRUE(saved.ok());
  EXPECT_EQ(saved.content->questionLines.back(), "(2) 1-1=#0#");

  // Unit 2 deleted from the file meanwhile: it comes back whole, at the end.
  LoadSheet(SheetOf(2), 2);
  editor.boxes.hint = {"ヒント"};
  editor.boxes.kgroup = {"1"};
  std::string without = ReadBytes(file);
  const std::size_t at = without.find("[[unit2");
  without.erase(at, without.find("[[unit3") - at);
  test::WriteBytes(file, without);
  ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
  const std::string restored = ReadBytes(file);
  EXPECT_EQ(restored.substr(0, without.size()), without);
  EXPECT_NE(restored.find(EncodeCp932("<<hint\r\nヒント\r\n>>")), std::string::npos);
  EXPECT_NE(restored.find("<<kgroup\r\n1\r\n>>"), std::string::npos);
}

// OK checks the random data as `tavolo check` does: an error stops the save
// with the caret on its box and line (the random box for the block, the
// question box for a placeholder or computed answer); a warning does not.
TEST_F(QuestionEditorTest, OkChecksTheRandomDataAsTheAuthorsCheckDoes) {
  editor = QuestionEditor(CheckEditorRandomData);
  const struct {
    const char* name;
    Lines random;
    Lines question;
    EditorBox box;
    int line;
    std::size_t offset;
    std::string message;
  } cases[] = {
      {"a declaration cut short",
       {"a = int(1..9)", "b = a +"},
       {"(1) $a+1=#=a+1#"},
       EditorBox::Random,
       2,
       7,
       "<<random 乱数 の 2行目（8文字目）：式が途中で終わっています"},
      // Column 15 is the ")" after a character of three bytes: byte 16.
      {"a column after a text",
       {"w = pick(\"北\", )"},
       {"(1) $w=#北#"},
       EditorBox::Random,
       1,
       16,
       "<<random 乱数 の 1行目（15文字目）：ここに書けない文字があります"},
      {"a line an older reader misreads",
       {"A = int(1..9)"},
       {"(1) 1=#1#"},
       EditorBox::Random,
       1,
       0,
       "<<random 乱数 の 1行目：乱数の行は英小文字か % で書き始めてください"
       "（古い版のプログラムはこの行を読み違えます）"},
      {"a name the block lacks",
       {"a = int(1..9)"},
       {"x", "(1) $a+$b=#=a+1#"},
       EditorBox::Question,
       2,
       0,
       "<<ques 問題ブロック の 2行目：「$b」: 「b」という値はありません"},
  };
  const std::string before = ReadBytes(file);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadSheet(SheetOf(2), 2);
    editor.boxes.random = c.random;
    editor.boxes.question = c.question;
    ExpectSaveStopsAt(c);
    EXPECT_EQ(ReadBytes(file), before);
  }
  // Three variants are few, which the check warns of; the unit is saved.
  LoadSheet(SheetOf(2), 2);
  editor.boxes.random = {"a = int(1..3)"};
  editor.boxes.question = {"(1) $a+1=#=a+1#"};
  dialogs.log.clear();
  ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
  EXPECT_TRUE(dialogs.log.empty());
  const UnitReading saved = ReadUnitBlock(file, "[[unit2", 1, 2, captions);
  ASSERT_TRUE(saved.ok());
  EXPECT_EQ(saved.content->randomLines, (Lines{"a = int(1..3)"}));
}

// A sheet of random data shows one variant's values; the editor saves the
// lines as written, from the file and from the sheet when the unit has gone
// from the file since.
TEST_F(QuestionEditorTest, TheSavedUnitKeepsItsPlaceholders) {
  const Lines written = {"(1) $a+1=#=a+1#"};
  const Lines random = {"a = int(1..9)"};
  Lines lines = Unit(1);
  const Lines unit2 = {"[[unit2", "<<random", random[0], ">>", "<<ques", written[0], ">>", "]]"};
  lines.insert(lines.end(), unit2.begin(), unit2.end());
  test::WriteCp932Lines(file, lines);
  const UnitReading read = ReadUnitBlock(file, "[[unit2", 1, 2, captions);
  ASSERT_TRUE(read.ok());
  SheetParams shown = LoadSheetParams(ExpandUnitVariant(*read.content, 1).content, true).params;
  shown.written = SheetParams::WrittenLines{read.content->questionLines, {}};
  ASSERT_NE(shown.unit.questionLines, written);
  for (const bool gone : {false, true}) {
    SCOPED_TRACE(gone ? "gone from the file" : "in the file");
    test::WriteCp932Lines(file, gone ? Unit(1) : lines);
    LoadSheet(shown, 2);
    editor.modified = true;
    ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
    const UnitReading saved = ReadUnitBlock(file, "[[unit2", 1, 2, captions);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.content->questionLines, written);
    EXPECT_EQ(saved.content->randomLines, random);
  }
}

TEST_F(QuestionEditorTest, TwoEditorsSavingTwoUnitsAtOnceLoseNeither) {
  // Two windows (two PCs on one share) press OK on units 2 and 4 at the same
  // moment, round after round: each save reads the file, replaces its unit and
  // writes the file, under the file's lock, so after every round both units
  // hold that round's line.
  constexpr int kRounds = 40;  // a unit holds at most 60 question lines
  std::barrier together(2);
  std::atomic<int> failures{0};
  auto saveRounds = [&](int unit, const std::function<void(int)>& afterRound) {
    QuestionEditor own;
    ScriptedDialogs told;
    own.Load(course, {1, 1, unit, 0}, captions, nullptr, told);
    for (int round = 0; round < kRounds; ++round) {
      own.boxes.question.push_back("(" + std::to_string(round) + ") 0+0=#0#");
      together.arrive_and_wait();
      if (own.Save(told).stop != EditorStop::Saved) ++failures;
      together.arrive_and_wait();
      afterRound(round);
      together.arrive_and_wait();
    }
  };
  int lost = 0;
  std::thread second(saveRounds, 4, [](int) {});
  saveRounds(2, [&](int round) {
    for (const int unit : {2, 4}) {
      const UnitReading saved = ReadUnitBlock(file, "[[unit" + std::to_string(unit), 1, unit, {});
      if (!saved.ok() ||
          saved.content->questionLines.back() != "(" + std::to_string(round) + ") 0+0=#0#")
        ++lost;
    }
  });
  second.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(lost, 0);
}

TEST_F(QuestionEditorTest, NewUnitsStartFromTheTemplateAndHaveNoChoicesOrHints) {
  editor.Load(course, {1, 1, 9, 0}, captions, nullptr, dialogs);
  EXPECT_TRUE(editor.NewUnitMode());
  EXPECT_EQ(editor.boxes.question, NewUnitQuestionLines());
  EXPECT_EQ(editor.boxes.question,
            (Lines{"１．次の各空欄に適語を入れなさい。", "例　日本の首都は　#　東京　#　です"}));
  EXPECT_EQ(editor.boxes.settings, DefaultLayoutBlockLines());
  EXPECT_EQ(editor.Title(), "正の数と負の数//加法§1-9 同符号");
  EXPECT_TRUE(editor.Anchors().empty());

  const std::string before = ReadBytes(file);
  editor.boxes.kgroup = {"東京"};
  editor.boxes.hint = {"首都"};
  editor.boxes.graph = {"map.bmp", "40", "20"};
  ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
  const std::string after = ReadBytes(file);
  EXPECT_EQ(after.substr(0, before.size()), before);
  Lines expected = {"[[unit9", "<<ques"};
  expected.insert(expected.end(), NewUnitQuestionLines().begin(), NewUnitQuestionLines().end());
  expected.insert(expected.end(), {">>", "<<dummy", ">>"});
  expected.insert(expected.end(), DefaultLayoutBlockLines().begin(),
                  DefaultLayoutBlockLines().end());
  expected.insert(expected.end(), {"<<graph", "map.bmp", "40", "20", ">>", "]]"});
  EXPECT_EQ(after.substr(before.size()), JoinLinesCp932(expected));

  // A second section without a question file: the file is made.
  editor.Load(course, {1, 2, 1, 2}, captions, nullptr, dialogs);
  ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
  const UnitReading made = ReadUnitBlock(folder / "kazu" / "kz2.que", "[[unit1R2", 2, 1, {});
  ASSERT_TRUE(made.ok());
  EXPECT_EQ(made.content->questionLines, NewUnitQuestionLines());
  EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(QuestionEditorTest, SavingStopsBeforeWritingAnything) {
  struct Case {
    const char* name;
    std::function<void(UnitBlockBoxes&)> edit;
    EditorSave stop;
    std::string message;
  };
  const Case cases[] = {
      {"odd marks",
       [](UnitBlockBoxes& b) {
         b.question = {"x", "#a# #b"};
       },
       {EditorStop::QuestionText, 2},
       "2行目：＃の数は偶数にしてください"},
      {"empty piece",
       [](UnitBlockBoxes& b) { b.question = {"#a##b#"}; },
       {EditorStop::QuestionText, 1},
       "1行目：解答がありません"},
      {"no field",
       [](UnitBlockBoxes& b) {
         b.question = {"a", "b"};
       },
       {EditorStop::QuestionText, 1},
       "解答欄がありません"},
      // The reader would pad nine lines; the editor refuses them.
      {"kran 9",
       [](UnitBlockBoxes& b) {
         b.settings = {"<<kran", "1", "2", "3", "4", "5", "6", "7", "8", "9", ">>"};
       },
       {EditorStop::LayoutBlocks, 0},
       "kranブロックの数が合いません"},
      {"value 6",
       [](UnitBlockBoxes& b) { b.settings = {"<<value", "1", "2", "3", "4", "5", "6", ">>"}; },
       {EditorStop::LayoutBlocks, 0},
       "valueブロックの数が合いません"},
      {"font open",
       [](UnitBlockBoxes& b) {
         b.settings = {"<<font", "12"};
       },
       {EditorStop::LayoutBlocks, 0},
       "<<fontブロックが閉じていません"},
  };
  const std::string before = ReadBytes(file);
  for (const Case& c : cases) {
    LoadSheet(SheetOf(1), 1);
    c.edit(editor.boxes);
    editor.modified = true;
    dialogs.log.clear();
    const EditorSave save = editor.Save(dialogs);
    EXPECT_EQ(save.stop, c.stop.stop) << c.name;
    EXPECT_EQ(save.line, c.stop.line) << c.name;
    EXPECT_EQ(dialogs.log, (Lines{"inform: " + c.message})) << c.name;
    EXPECT_TRUE(editor.modified) << c.name;
  }
  // A kran block of eight lines is fine for the editor.
  LoadSheet(SheetOf(1), 1);
  editor.boxes.settings = {"<<kran", "1", "2", "3", "4", "5", "6", "7", "8", ">>"};
  EXPECT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
  EXPECT_NE(ReadBytes(file), before);
}

// Every line OK would write otherwise than the teacher sees it, or that would
// change how the file reads, is refused with its box, line and character;
// nothing is written and the edits stay.
TEST_F(QuestionEditorTest, LinesThatCannotBeWrittenAsTheyStandAreRefused) {
  struct Case {
    const char* name;
    std::function<void(UnitBlockBoxes&)> edit;
    EditorBox box;
    int line;
    std::size_t offset;
    std::string message;
  };
  const auto many = [](int lines, const std::string& text) {
    Lines question(static_cast<std::size_t>(lines), text);
    return question;
  };
  const Case cases[] = {
      {"emoji in an answer",
       [](UnitBlockBoxes& b) {
         b.question = {"x", "(1) #😀#"};
       },
       EditorBox::Question, 2, 5,
       "<<ques 問題ブロック の 2行目：「😀」はデータファイルに書けない文字です"},
      {"half in an answer", [](UnitBlockBoxes& b) { b.question = {"(1) 1/2=#½#"}; },
       EditorBox::Question, 1, 9,
       "<<ques 問題ブロック の 1行目：「½」はデータファイルに書けない文字です"},
      {"a character outside the table in a hint",
       [](UnitBlockBoxes& b) {
         b.hint = {"x² ≤ 4", "𠮷"};
       },
       EditorBox::Hint, 1, 1,
       "<<hint ヒントブロック の 1行目：「²」はデータファイルに書けない文字です"},
      {">> in the question box",
       [](UnitBlockBoxes& b) { b.question.insert(b.question.begin() + 1, ">>"); },
       EditorBox::Question, 2, 0,
       "<<ques 問題ブロック の 2行目：「>>」だけの行はブロックの終わりになるため書けません"},
      {"a unit key line in the choices",
       [](UnitBlockBoxes& b) {
         b.kgroup = {"1", "[[unit3"};
       },
       EditorBox::Kgroup, 2, 0,
       "<<kgroup 解選択ブロック の "
       "2行目：「[[unit3」の行は単元の見出しとして探されるため書けません"},
      {"a variant key line in the questions",
       [](UnitBlockBoxes& b) { b.question.push_back("[[unit2R1"); }, EditorBox::Question, 3, 0,
       "<<ques 問題ブロック の 3行目：「[[unit2R1」の行は単元の見出しとして探されるため書けません"},
      {"]] among the dummies",
       [](UnitBlockBoxes& b) {
         b.dummy = {"5", "]]"};
       },
       EditorBox::Dummy, 2, 0,
       "<<dummy ダミーの解答 の 2行目：「]]」の行はこの欄では単元の終わりになるため書けません"},
      {"a marker among the hints", [](UnitBlockBoxes& b) { b.hint = {"<<value"}; }, EditorBox::Hint,
       1, 0,
       "<<hint ヒントブロック の "
       "1行目：「<<value」の行はこの欄ではブロックの始まりになるため書けません"},
      {"]] in the layout box", [](UnitBlockBoxes& b) { b.settings.push_back("]]"); },
       EditorBox::Settings, 31, 0,
       "<<value 位置情報など の 31行目：「]]」の行は単元の終わりになるため書けません"},
      {"61 question lines", [&](UnitBlockBoxes& b) { b.question = many(61, "#1#"); },
       EditorBox::Question, 61, 0,
       "<<ques 問題ブロック の 61行目：問題の行は６０行以下です（いまは 61 行あります）"},
      {"81 answer fields",
       [&](UnitBlockBoxes& b) { b.question = many(40, "#1# #2#"), b.question.push_back("#3#"); },
       EditorBox::Question, 41, 0,
       "<<ques 問題ブロック の 41行目：解答欄は１つの単元に８０個までです（この行で 81 "
       "個目になります。いまは全部で 81 個あります）"},
  };
  const std::string before = ReadBytes(file);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadSheet(SheetOf(3), 3);
    editor.boxes.settings = DefaultLayoutBlockLines();
    c.edit(editor.boxes);
    editor.modified = true;
    ExpectSaveStopsAt(c);
    EXPECT_TRUE(editor.modified);
    EXPECT_EQ(ReadBytes(file), before);
  }
  // What the file can hold goes as it is: look-alikes CP932 has, and "]]" or
  // marker lines inside the question block, which are its content.
  LoadSheet(SheetOf(3), 3);
  editor.boxes.question = {"x", "(1) 5−3=#2#", "]]", "<<value", "[[unitX9"};
  editor.boxes.dummy = {"～", "<<memo"};
  ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
  const UnitReading reread = ReadUnitBlock(file, "[[unit3", 1, 3, captions);
  ASSERT_TRUE(reread.ok()) << reread.problem.message;
  EXPECT_EQ(reread.content->questionLines,
            (Lines{"x", "(1) 5－3=#2#", "]]", "<<value", "[[unitX9"}));
  EXPECT_TRUE(ReadUnitBlock(file, "[[unit4", 1, 4, captions).ok());
}

// Another window saved this unit after the editor loaded it: OK asks, naming
// the unit, and No keeps the newer text and the editor's edits.
TEST_F(QuestionEditorTest, ANewerTextOnDiskIsReplacedOnlyOnYes) {
  LoadSheet(SheetOf(2), 2);
  editor.boxes.question.push_back("(2) 1+1=#2#");
  // The other instance adds a line to unit 2 and one to unit 4.
  Lines lines = SplitLines(DecodeCp932(ReadBytes(file)));
  const auto add = [&](const std::string& key, const std::string& line) {
    const auto at = std::find(lines.begin(), lines.end(), key);
    lines.insert(at + 4, line);
  };
  add("[[unit4", "(2) 4+4=#8#");
  test::WriteCp932Lines(file, lines);
  ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);  // another unit: no conflict
  EXPECT_TRUE(dialogs.log.empty());

  LoadSheet(SheetOf(2), 2);
  editor.boxes.question.push_back("(2) mine=#1#");
  lines = SplitLines(DecodeCp932(ReadBytes(file)));
  add("[[unit2", "(3) theirs=#3#");
  test::WriteCp932Lines(file, lines);
  const std::string theirs = ReadBytes(file);
  const std::string question =
      "destroy: 「kz1.que-U2」は、開いた後にほかのウィンドウかプログラムで保存されています。\n"
      "その新しい内容を、この内容で上書きしてもいいですか？";
  dialogs.answers = {Answer::No};
  EXPECT_EQ(editor.Save(dialogs).stop, EditorStop::Declined);
  EXPECT_EQ(ReadBytes(file), theirs);
  EXPECT_EQ(dialogs.log, (Lines{question}));
  dialogs.answers = {Answer::Yes};
  ASSERT_EQ(editor.Save(dialogs).stop, EditorStop::Saved);
  const UnitReading unit2 = ReadUnitBlock(file, "[[unit2", 1, 2, captions);
  EXPECT_EQ(unit2.content->questionLines.back(), "(2) mine=#1#");
  EXPECT_EQ(ReadUnitBlock(file, "[[unit4", 1, 4, captions).content->questionLines.back(),
            "(2) 4+4=#8#");
}

// The direct edit of a question file: refused where a character cannot be
// written or where a unit that was whole would break (a key line typed into
// a block, a ">>" lost, a key line twice); a unit broken before may stay so.
TEST(QuestionSourceCheckTest, RefusesWhatWouldBreakAnotherUnit) {
  const Lines before = {
      "[[unit1", "<<ques", "#1#",     ">>",     "]]",  "[[unit2", "<<ques", "#2#",
      ">>",      "]]",     "[[unit3", "<<ques", "#3#", "]]"};  // unit 3 is broken already
  const auto with = [&](std::size_t at, std::vector<std::string> lines, std::size_t erase = 0) {
    Lines after = before;
    after.erase(after.begin() + static_cast<std::ptrdiff_t>(at),
                after.begin() + static_cast<std::ptrdiff_t>(at + erase));
    after.insert(after.begin() + static_cast<std::ptrdiff_t>(at), lines.begin(), lines.end());
    return after;
  };
  const struct {
    const char* name;
    Lines after;
    std::optional<LineFault> fault;
  } cases[] = {
      {"unchanged", before, std::nullopt},
      {"a question added", with(3, {"#4#"}), std::nullopt},
      {"]] inside a question block", with(3, {"]]"}), std::nullopt},
      {"unit 3 still broken, edited", with(13, {"#5#"}), std::nullopt},
      {"an emoji", with(2, {"#😀#"}, 1),
       LineFault{"3行目：「😀」は問題ファイルに書けない文字です", 3, 1}},
      {"a key line typed into unit 1", with(3, {"[[unit3"}),
       LineFault{"2行目：<<ques ブロックが >> で閉じられていません（[[unit1 の形が崩れます）", 2,
                 0}},
      {">> lost in unit 2", with(8, {}, 1),
       LineFault{"7行目：<<ques ブロックが >> で閉じられていません（[[unit2 の形が崩れます）", 7,
                 0}},
      {"a key line twice", with(14, {"[[unit2", "]]"}),
       LineFault{"15行目：「[[unit2」はこのファイルで二つめです（二つめの単元は開けません）", 15,
                 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CheckQuestionSource(before, c.after), c.fault);
  }
}

TEST_F(QuestionEditorTest, BrokenOrUnreadableFilesAreNeverRewritten) {
  // Unit 4's blocks lost their ">>": the question block runs into unit 5; the
  // unit is shown, but not saved over.
  std::string broken = ReadBytes(file);
  const std::size_t unit4 = broken.find("[[unit4");
  broken.erase(broken.find(">>\r\n", unit4), 4);
  broken.erase(broken.find(">>\r\n", unit4), 4);
  test::WriteBytes(file, broken);
  editor.Load(course, {1, 1, 4, 0}, captions, nullptr, dialogs);
  ASSERT_EQ(dialogs.log.size(), 1u);
  EXPECT_NE(dialogs.log[0].find("<<ques ブロックが >> で閉じられていません"), std::string::npos);
  EXPECT_NE(dialogs.log[0].find("上書き保存できません"), std::string::npos);
  EXPECT_EQ(editor.boxes.question.front(), "次の計算をしなさい。");
  dialogs.log.clear();
  EXPECT_EQ(editor.Save(dialogs).stop, EditorStop::File);
  ASSERT_EQ(dialogs.log.size(), 1u);
  EXPECT_NE(dialogs.log[0].find(file + " の "), std::string::npos);
  EXPECT_EQ(ReadBytes(file), broken);

  // A question file that cannot be read at all (here a folder in its place).
  LoadSheet(SheetOf(1), 1);
  fs::remove(file);
  fs::create_directory(file);
  dialogs.log.clear();
  EXPECT_EQ(editor.Save(dialogs).stop, EditorStop::File);
  // The reader's own reason, then that nothing was written.
  const std::string reason = ReadFileBytes(file).message();
  EXPECT_NE(reason.find(file), std::string::npos);
  EXPECT_EQ(dialogs.log, (Lines{"inform: " + reason + "\nデータファイルは変更していません"}));
  EXPECT_TRUE(fs::is_directory(file));
}

TEST_F(QuestionEditorTest, TheCloseBoxAsksOnlyAfterChanges) {
  EditorSave save;
  LoadSheet(SheetOf(1), 1);
  EXPECT_EQ(editor.QueryClose(dialogs, save), EditorClose::Discarded);
  EXPECT_TRUE(dialogs.log.empty());

  const std::string before = ReadBytes(file);
  editor.boxes.question = {"#a##b#"};
  editor.modified = true;
  dialogs.answers = {Answer::No, Answer::Yes};
  EXPECT_EQ(editor.QueryClose(dialogs, save), EditorClose::Discarded);
  EXPECT_FALSE(editor.modified);
  // Yes with a text that fails: the window stays, with the line to show.
  editor.modified = true;
  EXPECT_EQ(editor.QueryClose(dialogs, save), EditorClose::Stay);
  EXPECT_EQ(save.stop, EditorStop::QuestionText);
  EXPECT_EQ(save.line, 1);
  EXPECT_TRUE(editor.modified);
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(dialogs.log, (Lines{"yesno: 変更されたデータファイルを保存しますか？",
                                "yesno: 変更されたデータファイルを保存しますか？",
                                "inform: 1行目：解答がありません"}));

  editor.boxes.question = {"#a# #b#"};
  dialogs.answers = {Answer::Yes};
  EXPECT_EQ(editor.QueryClose(dialogs, save), EditorClose::Saved);
  EXPECT_EQ(ReadUnitBlock(file, "[[unit1", 1, 1, {}).content->questionLines, (Lines{"#a# #b#"}));
}

TEST_F(QuestionEditorTest, DirectEditWritesTheFileAndReloads) {
  LoadSheet(SheetOf(3), 3);
  // Unsaved edits in the boxes would be lost by the reload: the teacher is asked.
  EXPECT_TRUE(editor.MayEditSource(dialogs));
  editor.modified = true;
  dialogs.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(editor.MayEditSource(dialogs));
  EXPECT_TRUE(editor.MayEditSource(dialogs));
  EXPECT_EQ(dialogs.log.size(), 2u);
  EXPECT_EQ(dialogs.log[0], "destroy: 変更した内容は保存されずに失われます。直接編集しますか？");
  auto source = editor.SourceLines();
  ASSERT_TRUE(source.ok());
  Lines lines = *source;
  ASSERT_EQ(lines[2], "次の計算をしなさい。");
  const auto hint = std::find(lines.begin(), lines.end(), "符号に注意");
  ASSERT_NE(hint, lines.end());
  *hint = "数直線で考える";
  editor.modified = true;
  ASSERT_TRUE(editor.SaveSource(lines, dialogs).ok());
  EXPECT_FALSE(editor.modified);
  EXPECT_EQ(editor.boxes.hint, (Lines{"数直線で考える"}));
  EXPECT_EQ(ReadUnitHintLines(file, {1, 1, 3, 0}), (Lines{"数直線で考える"}));
  EXPECT_TRUE(ReadUnitHintLines(file, {1, 1, 2, 0}).empty());
  EXPECT_TRUE(ReadUnitHintLines(folder / "none.que", {1, 1, 3, 0}).empty());
}

}  // namespace
}  // namespace tavolo
