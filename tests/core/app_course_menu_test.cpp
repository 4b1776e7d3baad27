// The course menu's choices and marks over a small course, and where the
// learner records that the marks count are found.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "app/course_menu.h"
#include "app/record_file.h"
#include "app_fakes.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ScriptedDialogs;
using test::TempFolder;

class CourseMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetCourseFolder(test::CourseFolderOf(folder));
    app.SetWindowsFolder((folder / "data").string() + "/");
    test::WriteCp932Lines(folder / "Main.ind",
                          {"正と負の数", "", "正の数と負の数,kazu\\ kz", "加法と減法,kagen\\ kg"});
    test::WriteCp932Lines(
        folder / "kazu" / "kz.ind",
        {"正の数と負の数", "[[sect1", "符号のついた数", "<<", "正の数・負の数", "数直線", "絶対値",
         ">>", "]]", "[[sect2", "数の大小", "<<", "不等号", ">>", "]]"});
    // Unit 1 has R1, R2 and R4 (R3 missing), unit 2 only R2, unit 3 R1 before
    // the unit itself is irrelevant to the listing.
    test::WriteCp932Lines(folder / "kazu" / "kz1.que",
                          {"[[unit1", "]]", "[[unit1R1", "]]", "[[unit1R2", "]]", "[[unit1R4", "]]",
                           "[[unit2", "]]", "[[unit2R2", "]]", "[[unit3", "]]", "[[unit3R1", "]]"});
    Record("共通", "S11正の数・負の数", 2);
    auto course = ReadCourseIndex(app.CourseFolder());
    ASSERT_TRUE(course) << course.message();
    app.SetCourse(std::move(course).value());
  }

  void Record(const std::string& learner, const std::string& section, int runs) {
    Lines lines = {"[password]", "pw=?", "[" + section + "]"};
    for (int k = 1; k <= runs; ++k) lines.push_back(std::to_string(k) + "=2024年05月03日 14:05");
    test::WriteCp932Lines(folder / "kazu" / (learner + ".ini"), lines);
  }

  TempFolder folder;
  AppState app;
  ScriptedDialogs dialogs;
  CourseMenu menu{app};
};

TEST_F(CourseMenuTest, FirstShowingChoosesTheFirstLessonSectionAndUnit) {
  menu.PrepareShow(dialogs);
  EXPECT_TRUE(dialogs.log.empty());
  EXPECT_EQ(menu.CourseTitle(), "正と負の数");
  EXPECT_EQ(menu.LessonCaptions(), (Lines{"正の数と負の数", "加法と減法"}));
  EXPECT_EQ(menu.SectionCaptions(), (Lines{"符号のついた数", "数の大小"}));
  EXPECT_EQ((std::array{menu.lesson(), menu.section(), menu.unit()}), (std::array{1, 1, 1}));
  EXPECT_EQ(menu.UnitRows(), (Lines{"◎[2]正の数・負の数", "　[ ]数直線", "◎[ ]絶対値"}));
  // R4 is not listed: the listing stops at the first missing variant.
  EXPECT_EQ(menu.SimilarEntries(), (Lines{"類題　1R1", "類題　1R2"}));
}

TEST_F(CourseMenuTest, SimilarProblemsFollowTheChosenUnit) {
  menu.PrepareShow(dialogs);
  struct Case {
    int unit;
    Lines entries;
  };
  for (const Case& c : {Case{2, {}}, Case{3, {"類題　3R1"}}, Case{1, {"類題　1R1", "類題　1R2"}}}) {
    menu.ChooseUnit(c.unit);
    EXPECT_EQ(menu.SimilarEntries(), c.entries) << c.unit;
  }
  // Section 2 has no question file: no similar problems and no marks.
  menu.ChooseSection(2);
  EXPECT_EQ(menu.unit(), 1);
  EXPECT_TRUE(menu.SimilarEntries().empty());
  EXPECT_EQ(menu.UnitRows(), (Lines{"不等号"}));
}

TEST_F(CourseMenuTest, OkGivesTheAddressAndCaptions) {
  menu.PrepareShow(dialogs);
  struct Case {
    int unit;
    std::optional<int> focused;
    UnitAddress address;
  };
  const Case cases[] = {
      {1, std::nullopt, {1, 1, 1, 0}}, {1, 0, {1, 1, 1, 1}}, {1, 1, {1, 1, 1, 2}},
      {2, std::nullopt, {1, 1, 2, 0}}, {2, 0, {1, 1, 2, 0}},  // no entries: no variant
  };
  for (const auto& c : cases) {
    menu.ChooseUnit(c.unit);
    auto choice = menu.Choose(c.focused);
    ASSERT_TRUE(choice) << c.unit;
    EXPECT_EQ(choice->address, c.address) << c.unit;
    EXPECT_EQ(choice->similar, c.address.variant != 0);
  }
  auto choice = menu.Choose(std::nullopt);
  EXPECT_EQ(choice->captions.lesson, "正の数と負の数");
  EXPECT_EQ(choice->captions.section, "符号のついた数");
  EXPECT_EQ(choice->captions.unit, "数直線");
}

TEST_F(CourseMenuTest, IncompleteChoiceIsRefused) {
  // Nothing chosen yet.
  EXPECT_EQ(menu.Choose(std::nullopt).message(), "メニューを選択してください");
  // A lesson whose folder is missing is reported and leaves no lesson chosen.
  EXPECT_FALSE(menu.ChooseLesson(2, dialogs));
  EXPECT_EQ(dialogs.log,
            (Lines{"inform: ディレクトリ " + app.CourseFolder() + "kagen/ が見つかりません"}));
  EXPECT_EQ(menu.lesson(), -1);
  EXPECT_TRUE(menu.SectionCaptions().empty());
  EXPECT_EQ(menu.Choose(std::nullopt).message(), "メニューを選択してください");
  // A lesson whose index file is missing.
  fs::create_directories(folder / "kagen");
  dialogs.log.clear();
  EXPECT_FALSE(menu.ChooseLesson(2, dialogs));
  EXPECT_EQ(dialogs.log,
            (Lines{"inform: ファイル " + app.CourseFolder() + "kagen/kg.ind が見つかりません"}));
}

TEST_F(CourseMenuTest, LaterShowingsKeepTheChoiceUntilTheIndexChanges) {
  menu.PrepareShow(dialogs);
  menu.ChooseUnit(3);
  menu.PrepareShow(dialogs);
  EXPECT_EQ(menu.unit(), 3);
  EXPECT_EQ(menu.SimilarEntries(), (Lines{"類題　3R1"}));

  test::WriteCp932Lines(folder / "Main.ind", {"改訂版", "", "正の数と負の数,kazu\\ kz"});
  menu.SetIndexChanged();
  menu.PrepareShow(dialogs);
  EXPECT_EQ(menu.CourseTitle(), "改訂版");
  EXPECT_EQ(menu.LessonCaptions().size(), 1u);
  EXPECT_EQ(menu.unit(), 1);
}

TEST_F(CourseMenuTest, MarksFollowTheRecordsAndTheLearner) {
  menu.PrepareShow(dialogs);
  Record("共通", "S11正の数・負の数", 12);
  menu.RefreshUnitMarks();
  EXPECT_EQ(menu.MarkText(1, 1), "◎[12]");
  // A learner who never practised sees blanks.
  app.SetLearnerName("山田");
  menu.RefreshUnitMarks();
  EXPECT_EQ(menu.MarkText(1, 1), "◎[ ]");
  // A similar problem added to the file shows after a full refresh only.
  test::WriteCp932Lines(folder / "kazu" / "kz1.que",
                        {"[[unit1", "]]", "[[unit2", "]]", "[[unit2R1", "]]"});
  menu.RefreshUnitMarks();
  EXPECT_EQ(menu.MarkText(1, 2), "　[ ]");
  menu.SetMarksNeedFullRefresh();
  menu.RefreshUnitMarks();
  EXPECT_EQ(menu.MarkText(1, 1), "　[ ]");
  EXPECT_EQ(menu.MarkText(1, 2), "◎[ ]");
}

TEST_F(CourseMenuTest, AllUnitsViewListsEverySectionWithMarks) {
  // Nothing chosen yet: the first lesson.
  auto view = menu.AllUnits(dialogs);
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(view->title, "正の数と負の数");
  ASSERT_EQ(view->sections.size(), 2u);
  EXPECT_EQ(view->sections[0].caption, "符号のついた数");
  EXPECT_EQ(view->sections[0].unitRows, (Lines{"◎[2]正の数・負の数", "　[ ]数直線", "◎[ ]絶対値"}));
  // Section 2 has no question file: its units have no marks.
  EXPECT_EQ(view->sections[1].unitRows, (Lines{"不等号"}));
  // Marks are fresh each time.
  Record("共通", "S11正の数・負の数", 3);
  EXPECT_EQ(menu.AllUnits(dialogs)->sections[0].unitRows[0], "◎[3]正の数・負の数");
  // A lesson that cannot be read gives no view.
  EXPECT_FALSE(menu.ChooseLesson(2, dialogs));
  dialogs.log.clear();
  fs::remove(folder / "kazu" / "kz.ind");
  EXPECT_FALSE(menu.AllUnits(dialogs).has_value());
  EXPECT_EQ(dialogs.log.size(), 1u);
}

TEST(RecordFile, SectionNamesJoinNumbersAndCaption) {
  EXPECT_EQ(UnitSectionName(2, 13, "正の数"), "S213正の数");
  // The numbers alone can collide; the caption keeps such units apart.
  EXPECT_EQ(UnitSectionName(1, 12, "a").substr(0, 4), UnitSectionName(11, 2, "b").substr(0, 4));
  EXPECT_NE(UnitSectionName(1, 12, "a"), UnitSectionName(11, 2, "b"));
}

TEST(RecordFile, PathIsInTheLessonFolderOrTheDataFolder) {
  TempFolder folder;
  AppState app;
  app.SetCourseFolder(test::CourseFolderOf(folder));
  app.SetWindowsFolder((folder / "data").string() + "/");
  app.SetLearnerName("共通");
  test::WriteCp932Lines(folder / "Main.ind", {"t", "", "一,kazu\\ kz", "二,gone\\ gn"});
  fs::create_directories(folder / "kazu");
  app.SetCourse(ReadCourseIndex(app.CourseFolder()).value());
  struct Case {
    int lesson;
    bool onCd;
    fs::path expected;
  };
  const Case cases[] = {
      {1, false, folder / "kazu" / "共通.ini"},
      {0, false, folder / "kazu" / "共通.ini"},  // below 1 counts as lesson 1
      {-3, false, folder / "kazu" / "共通.ini"},
      {2, false, folder / "data" / "gn" / "共通.ini"},  // lesson folder missing
      {1, true, folder / "data" / "kz" / "共通.ini"},   // course cannot be written to
  };
  for (const auto& c : cases) {
    app.SetOnCd(c.onCd);
    EXPECT_EQ(RecordFilePath(app, c.lesson).value().lexically_normal(),
              c.expected.lexically_normal())
        << c.lesson << " " << c.onCd;
  }
}

}  // namespace
}  // namespace tavolo
