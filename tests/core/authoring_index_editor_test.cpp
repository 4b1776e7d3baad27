// The index editor's line edits and its flows over lesson index files: the
// template, sections by position, adding and renaming, what OK writes and
// when it writes nothing.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "app_fakes.h"
#include "authoring/index_editor.h"
#include "authoring/lesson_index_edit.h"
#include "content/unit_names.h"
#include "platform/cp932.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using test::ScriptedDialogs;
using test::TempFolder;

const Lines kTwoSections = {"正の数と負の数",
                            "[[sect1",
                            "符号のついた数",
                            "<<",
                            "正の数・負の数",
                            "数直線",
                            ">>",
                            "]]",
                            "[[sect2",
                            "加法",
                            "<<",
                            "同符号の加法",
                            ">>",
                            "]]"};

Lines Concat(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(LessonIndexEditTest, TemplateIsSevenLinesOfOneSectionWithOneUnit) {
  EXPECT_EQ(LessonIndexTemplate(),
            (Lines{"ここにタイトルをかいてください", "[[sect1", "ここは主メニュー", "<<",
                   "ここは副メニュー", ">>", "]]"}));
}

TEST(LessonIndexEditTest, AppendingASectionAddsExactlySixLines) {
  struct Case {
    const char* what;
    Lines before;
    Lines after;
    int number;
  } cases[] = {
      {"two sections", kTwoSections,
       Concat(kTwoSections, {"[[sect3", "乗法", "<<", "SubMenu New3", ">>", "]]"}), 3},
      {"numbers after [[ are not read",
       {"t", "[[sect7", "a", "<<", ">>", "]]", "[[sect7", "b", "<<", ">>", "]]"},
       {"t", "[[sect7", "a", "<<", ">>", "]]", "[[sect7", "b", "<<", ">>", "]]", "[[sect3", "乗法",
        "<<", "SubMenu New3", ">>", "]]"},
       3},
      {"title only", {"t"}, {"t", "[[sect1", "乗法", "<<", "SubMenu New1", ">>", "]]"}, 1},
      // Without a title line the new section would become the title.
      {"empty index", {}, {"", "[[sect1", "乗法", "<<", "SubMenu New1", ">>", "]]"}, 1},
      // An open last section would swallow the new one as its units.
      {"last section left open",
       {"t", "[[sect1", "a", "<<", "u"},
       {"t", "[[sect1", "a", "<<", "u", ">>", "]]", "[[sect2", "乗法", "<<", "SubMenu New2", ">>",
        "]]"},
       2},
      {"file ends at a section start",
       {"t", "[[sect1"},
       {"t", "[[sect1", "", "<<", ">>", "]]", "[[sect2", "乗法", "<<", "SubMenu New2", ">>", "]]"},
       2},
  };
  for (auto& c : cases) {
    Lines lines = c.before;
    EXPECT_EQ(AppendSection(lines, "乗法"), c.number) << c.what;
    EXPECT_EQ(lines, c.after) << c.what;
    EXPECT_EQ(SectionCount(lines), c.number) << c.what;
  }
}

TEST(LessonIndexEditTest, SectionsAreFoundByPositionAsTheMenuCountsThem) {
  // Start lines numbered 1, 5, 2; a unit caption beginning "[[" is a unit, not a section.
  const Lines lines = {"t",  "[[sect1", "一", "<<", "[[unit",  ">>", "]]", "[[sect5", "二",
                       "<<", "b",       ">>", "]]", "[[sect2", "三", "<<", "c",       ">>"};
  EXPECT_EQ(FindSectionLine(lines, 1), 1u);
  EXPECT_EQ(FindSectionLine(lines, 2), 7u);
  EXPECT_EQ(FindSectionLine(lines, 3), 13u);
  for (int missing : {0, 4, -1}) EXPECT_EQ(FindSectionLine(lines, missing), std::nullopt);
  EXPECT_EQ(SectionUnitCaptions(lines, 1), Lines{"[[unit"});
  EXPECT_EQ(SectionUnitCaptions(lines, 3), Lines{"c"});
  EXPECT_EQ(SectionUnitCaptions(lines, 4), Lines{});
}

TEST(LessonIndexEditTest, UnitsGoRightBeforeTheSectionsClosingLine) {
  struct Case {
    const char* what;
    Lines before;
    int section;
    Lines after;
  } cases[] = {
      {"first section",
       kTwoSections,
       1,
       {"正の数と負の数", "[[sect1", "符号のついた数", "<<", "正の数・負の数", "数直線", "新", ">>",
        "]]", "[[sect2", "加法", "<<", "同符号の加法", ">>", "]]"}},
      {"last section", kTwoSections, 2,
       Concat(Lines(kTwoSections.begin(), kTwoSections.end() - 2), {"新", ">>", "]]"})},
      {"section without units",
       {"t", "[[sect1", "a", "<<", ">>", "]]"},
       1,
       {"t", "[[sect1", "a", "<<", "新", ">>", "]]"}},
      {"open section", {"t", "[[sect1", "a", "<<", "u"}, 1, {"t", "[[sect1", "a", "<<", "u", "新"}},
      {"file ends at a section start", {"t", "[[sect1"}, 1, {"t", "[[sect1", "", "<<", "新"}},
  };
  for (auto& c : cases) {
    Lines lines = c.before;
    EXPECT_TRUE(InsertUnit(lines, c.section, "新")) << c.what;
    EXPECT_EQ(lines, c.after) << c.what;
  }
  Lines lines = kTwoSections;
  EXPECT_FALSE(InsertUnit(lines, 3, "新"));
  EXPECT_EQ(lines, kTwoSections);
}

TEST(LessonIndexEditTest, RenamesReplaceOneLineAndRefuseMissingEntries) {
  Lines lines = kTwoSections;
  EXPECT_TRUE(ReplaceSectionCaption(lines, 2, "加法と減法"));
  EXPECT_TRUE(ReplaceUnit(lines, 1, 2, "数の直線"));
  EXPECT_TRUE(ReplaceUnit(lines, 2, 1, ""));
  Lines expected = kTwoSections;
  expected[9] = "加法と減法";
  expected[5] = "数の直線";
  expected[11] = "";
  EXPECT_EQ(lines, expected);
  for (auto [section, unit] : {std::pair{1, 3}, {1, 0}, {3, 1}, {0, 1}})
    EXPECT_FALSE(ReplaceUnit(lines, section, unit, "x")) << section << "," << unit;
  EXPECT_FALSE(ReplaceSectionCaption(lines, 3, "x"));
  EXPECT_EQ(lines, expected);
}

TEST(LessonIndexEditTest, TitleGoesOnLineOneWithoutEatingASection) {
  struct Case {
    Lines before;
    Lines after;
  } cases[] = {
      {{"古い", "[[sect1"}, {"新しい", "[[sect1"}},
      {{}, {"新しい"}},
      {{"[[sect1", "a"}, {"新しい", "[[sect1", "a"}},
  };
  for (auto& c : cases) {
    Lines lines = c.before;
    SetTitleLine(lines, "新しい");
    EXPECT_EQ(lines, c.after);
  }
  Lines unchanged = {"[[sect1", "a"};
  SetTitleLine(unchanged, "[[sect1");
  EXPECT_EQ(unchanged, (Lines{"[[sect1", "a"}));
}

TEST(LessonIndexEditTest, NamesMustFitOnALineOfTheFile) {
  for (const char* good : {"", "正の数", "①ｶﾀｶﾅ", "[[sect", "<<", "?", "−3 の絶対値", "[基本"}) {
    EXPECT_TRUE(CheckUnitName(good)) << good;
    EXPECT_TRUE(CheckSectionName(good)) << good;
  }
  EXPECT_TRUE(CheckSectionName(">>"));  // a caption line is read whatever it holds
  EXPECT_TRUE(CheckSectionName("]]"));  // a section's caption names no records
  EXPECT_FALSE(CheckUnitName("]]"));
  EXPECT_EQ(CheckUnitName(">>").message(), "「>>」は単元の名前にできません");
  EXPECT_EQ(CheckUnitName("数の한글").message(), "「한」はインデックスファイルに書けない文字です");
  EXPECT_EQ(CheckSectionName("😀").message(), "「😀」はインデックスファイルに書けない文字です");
}

TEST(LessonIndexEditTest, EditorOpensOnlyWithoutSheets) {
  EXPECT_TRUE(IndexEditorMayOpen(0));
  EXPECT_EQ(IndexEditorMayOpen(2).message(), "開いているファイルをすべて閉じてください");
}

// Answers the text-input window from a script and logs what it was asked.
class ScriptedInput final : public TextInput {
 public:
  std::optional<std::string> AskText(std::string_view mode, std::string_view current) override {
    log.push_back(std::string(mode) + ":" + std::string(current));
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected text input " << mode;
      return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::optional<std::string>> answers;
  std::vector<std::string> log;
};

class IndexEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteCp932Lines(folder / "Main.ind", {"正と負の数", "", "正の数と負の数,kazu\\ kz",
                                                "新しいレッスン,atara\\ at", "題名だけ"});
    test::WriteCp932Lines(IndexFile(), kTwoSections);
    ASSERT_TRUE(editor.ReadCourse(test::CourseFolderOf(folder)));
  }
  fs::path IndexFile() const { return folder / "kazu" / "kz.ind"; }
  Lines FileLines(const fs::path& path) const {
    return SplitLines(DecodeCp932(test::ReadBytes(path)));
  }
  static Lines SplitLines(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
  }
  void Load(int lesson) { ASSERT_TRUE(editor.LoadLesson(lesson)); }

  TempFolder folder;
  IndexEditor editor;
  ScriptedInput input;
  ScriptedDialogs dialogs;
};

TEST_F(IndexEditorTest, LoadingShowsTheLessonAndChoosesItsFirstSectionAndUnit) {
  EXPECT_EQ(editor.LessonCaptions(), (Lines{"正の数と負の数", "新しいレッスン", "?"}));
  test::WriteCp932Lines(folder / "kazu" / "kz1.que", {"[[unit1", "]]"});
  for (int lesson : {1, 0, 9}) {  // not a lesson: lesson 1
    Load(lesson);
    EXPECT_EQ(editor.lesson(), 1);
    EXPECT_EQ(editor.IndexPath(), IndexFile());
    EXPECT_EQ(editor.Title(), "正の数と負の数");
    EXPECT_EQ(editor.SectionCaptions(), (Lines{"符号のついた数", "加法"}));
    EXPECT_EQ(editor.UnitCaptions(), (Lines{"正の数・負の数", "数直線"}));
    EXPECT_EQ(std::pair(editor.section(), editor.unit()), std::pair(1, 1));
    EXPECT_EQ(editor.DataFileText(), (folder / "kazu" / "kz1.que").string());
  }
  ASSERT_TRUE(editor.ChooseSection(2));
  EXPECT_EQ(editor.UnitCaptions(), Lines{"同符号の加法"});
  EXPECT_EQ(editor.DataFileText(), "未作成");
  EXPECT_EQ(editor.ChooseSection(3).message(), "not found");
  EXPECT_EQ(editor.UnitCaptions(), Lines{"同符号の加法"});  // the list keeps what it showed
  EXPECT_EQ(
      editor.Tree(),
      (IndexTree{"正の数と負の数",
                 {{"符号のついた数", {"正の数・負の数", "数直線"}}, {"加法", {"同符号の加法"}}}}));
  EXPECT_EQ(editor.Tree([](int s, int u) { return std::to_string(s) + std::to_string(u); })
                .sections[0]
                .unitRows,
            (Lines{"11正の数・負の数", "12数直線"}));
}

TEST_F(IndexEditorTest, ALessonWithoutIndexStartsFromTheTemplateAndOkWritesNothing) {
  Load(2);
  EXPECT_EQ(editor.IndexLines(), LessonIndexTemplate());
  EXPECT_EQ(editor.UnitCaptions(), Lines{"ここは副メニュー"});
  auto saved = editor.Save("ここにタイトルをかいてください");
  ASSERT_TRUE(saved);
  EXPECT_FALSE(saved.value());
  EXPECT_FALSE(fs::exists(folder / "atara"));
}

TEST_F(IndexEditorTest, ATitleChangedAloneIsWritten) {
  // The lesson's folder does not exist yet either: OK makes it.
  Load(2);
  ASSERT_TRUE(editor.Save("自分の題"));
  Lines expected = LessonIndexTemplate();
  expected[0] = "自分の題";
  EXPECT_EQ(FileLines(folder / "atara" / "at.ind"), expected);
  EXPECT_FALSE(editor.Modified());

  Load(1);
  auto saved = editor.Save("正負の数");
  ASSERT_TRUE(saved);
  EXPECT_TRUE(saved.value());
  expected = kTwoSections;
  expected[0] = "正負の数";
  EXPECT_EQ(FileLines(IndexFile()), expected);
}

TEST_F(IndexEditorTest, AddingASectionAppendsSixLinesAndChoosesIt) {
  Load(1);
  input.answers = {"乗法"};
  EXPECT_TRUE(editor.AddSection(input, dialogs));
  EXPECT_EQ(input.log, Lines{"mainADD:"});
  EXPECT_EQ(editor.IndexLines(),
            Concat(kTwoSections, {"[[sect3", "乗法", "<<", "SubMenu New3", ">>", "]]"}));
  EXPECT_EQ(std::pair(editor.section(), editor.unit()), std::pair(3, 1));
  EXPECT_EQ(editor.UnitCaptions(), Lines{"SubMenu New3"});
  EXPECT_TRUE(editor.Modified());
  ASSERT_TRUE(editor.Save("正の数と負の数"));
  EXPECT_EQ(FileLines(IndexFile()), editor.IndexLines());
}

TEST_F(IndexEditorTest, AddingAndRenamingUnitsKeepsTheChoiceWhereTheTeacherLooks) {
  Load(1);
  input.answers = {"絶対値", "数の直線", "符号"};
  EXPECT_TRUE(editor.AddUnit(input, dialogs));
  EXPECT_EQ(editor.UnitCaptions(), (Lines{"正の数・負の数", "数直線", "絶対値"}));
  EXPECT_EQ(editor.unit(), 3);
  editor.ChooseUnit(2);
  EXPECT_TRUE(editor.RenameUnit(input, dialogs));
  EXPECT_EQ(editor.unit(), 2);
  EXPECT_TRUE(editor.RenameSection(input, dialogs));
  EXPECT_EQ(std::pair(editor.section(), editor.unit()), std::pair(1, 1));
  EXPECT_EQ(input.log, (Lines{"subADD:", "subCHANGE:数直線", "mainCHANGE:符号のついた数"}));
  Lines expected = kTwoSections;
  expected[2] = "符号";
  expected[5] = "数の直線";
  expected.insert(expected.begin() + 6, "絶対値");
  EXPECT_EQ(editor.IndexLines(), expected);
  EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(IndexEditorTest, EmptyNamesAddNothingButOkStillRewritesTheFile) {
  // LF line ends: the rewrite shows in the bytes.
  test::WriteCp932Lines(IndexFile(), kTwoSections, "\n");
  struct Case {
    const char* what;
    bool (IndexEditor::*button)(TextInput&, Dialogs&);
  } cases[] = {{"section", &IndexEditor::AddSection},
               {"unit", &IndexEditor::AddUnit},
               {"unit rename", &IndexEditor::RenameUnit}};
  for (auto& c : cases) {
    Load(1);
    input.answers = {""};
    EXPECT_FALSE((editor.*c.button)(input, dialogs)) << c.what;
    EXPECT_EQ(editor.IndexLines(), kTwoSections) << c.what;
    EXPECT_TRUE(editor.Modified()) << c.what;
  }
  auto saved = editor.Save("正の数と負の数");
  ASSERT_TRUE(saved);
  EXPECT_TRUE(saved.value());
  EXPECT_EQ(FileLines(IndexFile()), kTwoSections);
}

TEST_F(IndexEditorTest, CancelledOrRefusedNamesChangeNothing) {
  Load(1);
  input.answers = {std::nullopt, std::nullopt, ">>", "한"};
  EXPECT_FALSE(editor.AddSection(input, dialogs));
  EXPECT_FALSE(editor.RenameUnit(input, dialogs));
  EXPECT_FALSE(editor.AddUnit(input, dialogs));
  EXPECT_FALSE(editor.RenameSection(input, dialogs));
  EXPECT_FALSE(editor.Modified());
  EXPECT_EQ(editor.IndexLines(), kTwoSections);
  EXPECT_EQ(dialogs.log, (Lines{"inform: 「>>」は単元の名前にできません",
                                "inform: 「한」はインデックスファイルに書けない文字です"}));
  auto saved = editor.Save("正の数と負の数");
  ASSERT_TRUE(saved);
  EXPECT_FALSE(saved.value());
}

TEST_F(IndexEditorTest, UnitNamesAreOnesEveryRecordFileCanHold) {
  // A unit's caption names its section in the learner record files: other
  // programs' files cannot hold one with "]", nor keep blanks at its end.
  Load(1);
  input.answers = {"加法[基本]", "加法 　\t", "　", "加法］（全角）"};
  EXPECT_FALSE(editor.AddUnit(input, dialogs));
  EXPECT_EQ(dialogs.log, Lines{"inform: 「]」は単元の名前に使えません。ほかのプログラムが書いた"
                               "記録ファイルでは、この単元の記録が読めなくなります"});
  EXPECT_EQ(editor.UnitCaptions(), (Lines{"正の数・負の数", "数直線"}));
  EXPECT_TRUE(editor.AddUnit(input, dialogs));   // the blanks at the end are dropped
  EXPECT_FALSE(editor.AddUnit(input, dialogs));  // blanks only: an empty name adds nothing
  editor.ChooseUnit(1);
  EXPECT_TRUE(editor.RenameUnit(input, dialogs));  // a full-width bracket is a character
  EXPECT_EQ(editor.UnitCaptions(), (Lines{"加法］（全角）", "数直線", "加法"}));
  EXPECT_EQ(dialogs.log.size(), 1u);
  for (const auto& caption : editor.UnitCaptions())
    EXPECT_EQ(RecordSectionCaptionProblem(caption), std::nullopt) << caption;
}

TEST_F(IndexEditorTest, RenamesAndOkNeedAChosenEntry) {
  // Section 1 has no units; the second file has no sections at all.
  test::WriteCp932Lines(IndexFile(), {"t", "[[sect1", "a", "<<", ">>", "]]"});
  Load(1);
  EXPECT_EQ(editor.unit(), 0);
  EXPECT_FALSE(editor.RenameUnit(input, dialogs));
  EXPECT_EQ(editor.Save("t").message(), "編集する副メニューを選択してください");

  test::WriteCp932Lines(IndexFile(), {"題名だけ"});
  Load(1);
  EXPECT_EQ(editor.section(), 0);
  EXPECT_FALSE(editor.RenameSection(input, dialogs));
  EXPECT_FALSE(editor.AddUnit(input, dialogs));
  EXPECT_EQ(editor.Save("t").message(), "編集する主メニューを選択してください");
  EXPECT_EQ(dialogs.log, (Lines{"inform: 変更する項目をクリックしてください",
                                "inform: 変更する項目をクリックしてください",
                                "inform: 編集する主メニューを選択してください"}));
  EXPECT_TRUE(input.log.empty());
  EXPECT_EQ(FileLines(IndexFile()), Lines{"題名だけ"});
}

TEST_F(IndexEditorTest, AWrongSectionNumberIsStillFoundByPosition) {
  test::WriteCp932Lines(
      IndexFile(), {"t", "[[sect1", "一", "<<", "a", ">>", "]]", "[[sect9", "二", "<<", "b", ">>",
                    "]]", "[[sect2", "三", "<<", "c", ">>", "]]"});
  Load(1);
  ASSERT_TRUE(editor.ChooseSection(2));
  EXPECT_EQ(editor.UnitCaptions(), Lines{"b"});
  input.answers = {"二つ目", "b2"};
  EXPECT_TRUE(editor.RenameSection(input, dialogs));
  EXPECT_TRUE(editor.AddUnit(input, dialogs));
  EXPECT_EQ(editor.SectionCaptions(), (Lines{"一", "二つ目", "三"}));
  EXPECT_EQ(editor.IndexLines()[8], "二つ目");
  EXPECT_EQ(editor.IndexLines()[11], "b2");
  EXPECT_EQ(editor.IndexLines()[12], ">>");
}

TEST_F(IndexEditorTest, AFailedWriteKeepsTheOldFileAndTheEdits) {
  Load(1);
  input.answers = {"乗法"};
  ASSERT_TRUE(editor.AddSection(input, dialogs));
  // A folder where the file was: the rename over it fails.
  fs::remove(IndexFile());
  fs::create_directory(IndexFile());
  auto saved = editor.Save("正の数と負の数");
  ASSERT_FALSE(saved);
  EXPECT_EQ(saved.message(), IndexFile().string() + " に書き込めません");
  EXPECT_TRUE(fs::is_directory(IndexFile()));
  EXPECT_TRUE(editor.Modified());
  EXPECT_EQ(editor.SectionCaptions().size(), 3u);
}

TEST_F(IndexEditorTest, AnIndexThatCannotBeReadIsNeverReplacedByTheTemplate) {
  fs::remove(IndexFile());
  fs::create_directory(IndexFile());
  auto loaded = editor.LoadLesson(1);
  ASSERT_FALSE(loaded);
  EXPECT_EQ(loaded.message(),
            "ファイル " + IndexFile().string() + " は通常のファイルではありません");
  EXPECT_EQ(editor.lesson(), 0);
  EXPECT_FALSE(editor.AddSection(input, dialogs));
  EXPECT_EQ(editor.Save("x").message(), "編集する主メニューを選択してください");
  EXPECT_TRUE(input.log.empty());
}

TEST_F(IndexEditorTest, ALessonLineWithoutFileNameHasNoIndexToEdit) {
  auto loaded = editor.LoadLesson(3);
  ASSERT_FALSE(loaded);
  EXPECT_EQ(loaded.message(),
            "Main.ind の「?」の行にはファイル名がないので、インデックスを作れません");
  EXPECT_EQ(editor.lesson(), 0);
  EXPECT_TRUE(editor.IndexLines().empty());
}

TEST_F(IndexEditorTest, DirectEditWritesTheLinesWithThePendingTitle) {
  Load(1);
  Lines lines = editor.LinesWithTitle("正負");
  EXPECT_EQ(lines[0], "正負");
  EXPECT_EQ(editor.IndexLines()[0], "正の数と負の数");
  lines.push_back("");
  ASSERT_TRUE(editor.WriteIndex(lines));
  EXPECT_EQ(FileLines(IndexFile()), lines);
}

TEST_F(IndexEditorTest, NoMoreThanEightySections) {
  Lines lines = {"t"};
  for (int s = 1; s <= kMaxSections; ++s) AppendSection(lines, "s");
  test::WriteCp932Lines(IndexFile(), lines);
  Load(1);
  EXPECT_FALSE(editor.AddSection(input, dialogs));
  EXPECT_EQ(dialogs.log, Lines{"inform: セクションは80までしか作れません"});
  EXPECT_TRUE(input.log.empty());
}

TEST_F(IndexEditorTest, AnotherLessonAsksOnlyWhenSomethingWouldBeLost) {
  Load(1);
  EXPECT_TRUE(editor.MayDiscardEdits("正の数と負の数", dialogs));
  input.answers = {""};  // modified, but nothing to lose
  editor.AddUnit(input, dialogs);
  EXPECT_TRUE(editor.MayDiscardEdits("正の数と負の数", dialogs));
  EXPECT_TRUE(dialogs.log.empty());
  dialogs.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(editor.MayDiscardEdits("新しい題", dialogs));
  input.answers = {"絶対値"};
  editor.AddUnit(input, dialogs);
  EXPECT_TRUE(editor.MayDiscardEdits("正の数と負の数", dialogs));
  EXPECT_EQ(dialogs.log, Lines(2, "destroy: " + std::string(kDiscardEditsQuestion)));
  ASSERT_TRUE(editor.Save("正の数と負の数"));
  EXPECT_TRUE(editor.MayDiscardEdits("正の数と負の数", dialogs));  // saved: nothing to lose
  EXPECT_EQ(dialogs.log.size(), 2u);
}

}  // namespace
}  // namespace tavolo
