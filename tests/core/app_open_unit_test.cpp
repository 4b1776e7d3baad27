// Opening units as worksheets and closing them, with windows and the user
// played by fakes: the register of open sheets, the "already open" rule, the
// missing-unit question and closing everything with one Cancel.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

#include "app/open_unit.h"
#include "app_fakes.h"
#include "platform/text_file.h"
#include "support/course_files.h"
#include "support/hostile_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ScriptedDialogs;
using test::TempFolder;

// Figures are not what these flows are about: every picture is missing.
class NoPictures final : public ImageProvider {
 public:
  CanvasImage Load(const std::filesystem::path&) override { return {}; }
};

// Windows that exist as a list; a sheet named in keepOpen answers Cancel.
class FakeWindows final : public SheetWindows {
 public:
  explicit FakeWindows(AppState& app) : app_(app) {}
  PictureFiles SheetPictureFiles() override { return {images, {}}; }
  void CreateSheet(OpenedSheet sheet, const CourseMenuChoice& choice) override {
    log.push_back("create " + sheet.document.identity);
    captions.push_back(choice.captions.unit);
    sheets.push_back(std::move(sheet.document));
    current = sheets.back().identity;
  }
  void BringSheetToFront(const std::string& identity) override {
    log.push_back("front " + identity);
    current = identity;
  }
  bool CloseSheetWindow(const std::string& identity) override {
    auto it = std::find_if(sheets.begin(), sheets.end(),
                           [&](const SheetDocument& s) { return s.identity == identity; });
    if (it == sheets.end()) return false;
    if ((it->modified && keepOpen.count(identity)) || neverCloses.count(identity)) {
      log.push_back("kept " + identity);
      return false;
    }
    log.push_back("close " + identity);
    app_.RemoveOpenSheet(identity);
    sheets.erase(it);
    current.reset();
    return true;
  }
  std::optional<std::string> CurrentSheet() const override { return current; }
  void DiscardChanges(const std::string& identity) override {
    for (auto& s : sheets)
      if (s.identity == identity) s.modified = false;
  }
  void SetCurrentSheetPaper(int paperWidth) override {
    log.push_back("paper " + std::to_string(paperWidth));
  }

  std::vector<SheetDocument> sheets;
  std::vector<std::string> log;
  std::vector<std::string> captions;
  std::set<std::string> keepOpen;
  std::set<std::string> neverCloses;  // a window that refuses to close, whatever it is asked
  std::optional<std::string> current;
  NoPictures images;

 private:
  AppState& app_;
};

class OpenUnitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetCourseFolder(test::CourseFolderOf(folder));
    test::WriteCp932Lines(folder / "Main.ind", {"正と負の数", "", "正の数と負の数,kazu\\ kz"});
    test::WriteCp932Lines(folder / "kazu" / "kz.ind", {"t", "[[sect1", "符号", "<<", "正の数",
                                                       "数直線", "壊れた単元", ">>", "]]"});
    test::WriteCp932Lines(folder / "kazu" / "kz1.que", {"[[unit1",
                                                        "<<ques",
                                                        "(1) (+3)+(-5)=#-2#",
                                                        ">>",
                                                        "<<value",
                                                        "891",
                                                        "True",
                                                        "40",
                                                        "5",
                                                        "5",
                                                        "1",
                                                        "7",
                                                        ">>",
                                                        "]]",
                                                        "[[unit1R1",
                                                        "<<ques",
                                                        "(1) (+1)+(-1)=#0#",
                                                        ">>",
                                                        "]]",
                                                        "[[unit3",
                                                        "<<value",
                                                        "630",
                                                        ">>",
                                                        "]]"});
    app.SetCourse(ReadCourseIndex(app.CourseFolder()).value());
  }
  CourseMenuChoice Choice(int section, int unit, int variant = 0) {
    CourseMenuChoice choice;
    choice.address = {1, section, unit, variant};
    choice.captions = {"正の数と負の数", "符号", "正の数"};
    choice.similar = variant != 0;
    return choice;
  }
  std::string Identity(const std::string& suffix) {
    return (folder / "kazu" / "kz1.que").string() + suffix;
  }

  TempFolder folder;
  AppState app;
  ScriptedDialogs dialogs;
  FakeWindows windows{app};
};

TEST_F(OpenUnitTest, OpensAUnitAndRegistersIt) {
  ASSERT_EQ(OpenUnit(app, Choice(1, 1), false, windows, dialogs), OpenResult::Opened);
  EXPECT_EQ(app.OpenSheets(), (Lines{Identity("-U1")}));
  ASSERT_EQ(windows.sheets.size(), 1u);
  const SheetDocument& sheet = windows.sheets[0];
  EXPECT_EQ(sheet.identity, Identity("-U1"));
  EXPECT_EQ(sheet.filePath, Identity(""));
  EXPECT_TRUE(sheet.master);
  EXPECT_FALSE(sheet.modified);
  EXPECT_EQ(sheet.params.paperWidth, 891);
  EXPECT_EQ(sheet.params.lineSpacing, 40);
  EXPECT_EQ(sheet.params.unit.questionLines, (Lines{"(1) (+3)+(-5)=#-2#"}));
  EXPECT_EQ(windows.captions, (Lines{"正の数"}));
  EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(OpenUnitTest, SameUnitTwiceComesToTheFrontButItsSimilarProblemOpens) {
  ASSERT_EQ(OpenUnit(app, Choice(1, 1), false, windows, dialogs), OpenResult::Opened);
  ASSERT_EQ(OpenUnit(app, Choice(1, 1, 1), false, windows, dialogs), OpenResult::Opened);
  EXPECT_EQ(OpenUnit(app, Choice(1, 1), false, windows, dialogs), OpenResult::AlreadyOpen);
  EXPECT_EQ(dialogs.log, (Lines{"inform: すでに読み込まれています"}));
  EXPECT_EQ(windows.log, (Lines{"create " + Identity("-U1"), "create " + Identity("-U1R1"),
                                "front " + Identity("-U1")}));
  EXPECT_EQ(app.OpenSheets(), (Lines{Identity("-U1"), Identity("-U1R1")}));
}

TEST_F(OpenUnitTest, ReplaceClosesTheCurrentSheetWithoutAsking) {
  ASSERT_EQ(OpenUnit(app, Choice(1, 1), false, windows, dialogs), OpenResult::Opened);
  windows.sheets[0].modified = true;
  windows.keepOpen.insert(Identity("-U1"));  // would answer Cancel if asked
  ASSERT_EQ(OpenUnit(app, Choice(1, 1), true, windows, dialogs), OpenResult::Opened);
  EXPECT_EQ(windows.log, (Lines{"create " + Identity("-U1"), "close " + Identity("-U1"),
                                "create " + Identity("-U1")}));
  EXPECT_EQ(app.OpenSheets(), (Lines{Identity("-U1")}));
}

TEST_F(OpenUnitTest, AnOldWindowThatStaysOpenIsNotOpenedTwice) {
  ASSERT_EQ(OpenUnit(app, Choice(1, 1), false, windows, dialogs), OpenResult::Opened);
  windows.neverCloses.insert(Identity("-U1"));
  EXPECT_EQ(OpenUnit(app, Choice(1, 1), true, windows, dialogs), OpenResult::AlreadyOpen);
  EXPECT_EQ(windows.sheets.size(), 1u);
  EXPECT_EQ(windows.log, (Lines{"create " + Identity("-U1"), "kept " + Identity("-U1"),
                                "front " + Identity("-U1")}));
  EXPECT_EQ(app.OpenSheets(), (Lines{Identity("-U1")}));
}

TEST_F(OpenUnitTest, MissingAndBrokenUnits) {
  struct Case {
    const char* name;
    CourseMenuChoice choice;
    OpenResult result;
    Lines messages;
  };
  const Case cases[] = {
      {"no key line", Choice(1, 2), OpenResult::Missing, {}},
      {"no R2", Choice(1, 1, 2), OpenResult::Missing, {}},
      {"no question file", Choice(2, 1), OpenResult::Missing, {}},
      {"a broken value block",
       Choice(1, 3),
       OpenResult::Unreadable,
       {"inform: <<value block error"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.log.clear();
    EXPECT_EQ(OpenUnit(app, c.choice, false, windows, dialogs), c.result);
    EXPECT_EQ(dialogs.log, c.messages);
  }
  EXPECT_TRUE(app.OpenSheets().empty());
  EXPECT_TRUE(windows.sheets.empty());
}

TEST_F(OpenUnitTest, AFolderOrFifoInPlaceOfTheQuestionFileIsNamedNotCalledMissing) {
  const std::filesystem::path file = folder / "kazu" / "kz2.que";  // section 2's file
  for (const bool fifo : {true, false}) {
    if (fifo)
      test::MakeFifo(file);
    else
      std::filesystem::create_directory(file);
    dialogs.log.clear();
    EXPECT_EQ(OpenUnit(app, Choice(2, 1), false, windows, dialogs), OpenResult::Unreadable);
    EXPECT_EQ(dialogs.log, (Lines{"inform: " + NotAFileMessage(file)}));
    std::filesystem::remove(file);
  }
  EXPECT_TRUE(windows.sheets.empty());
}

TEST_F(OpenUnitTest, FromMenuAsksAboutAMissingUnitAndNeedsTheCourseIndex) {
  int shown = 0;
  std::optional<CourseMenuChoice> next = Choice(1, 2);
  const ShowCourseMenu menu = [&] {
    ++shown;
    return next;
  };
  app.SetAnswerDisplay(false);
  // Opening through the menu shows the answers, and every window that shows
  // them is told before the menu appears.
  std::vector<std::pair<ViewChange, int>> told;
  app.SetViewListener([&](ViewChange change) { told.emplace_back(change, shown); });
  dialogs.answers = {Answer::No};
  EXPECT_FALSE(OpenUnitFromMenu(app, menu, windows, dialogs));
  EXPECT_TRUE(app.AnswerDisplay());
  EXPECT_EQ(told, (std::vector<std::pair<ViewChange, int>>{{ViewChange::AnswerDisplay, 0}}));
  app.SetViewListener(nullptr);
  EXPECT_EQ(dialogs.log, (Lines{"yesno: 単元がありません\n新規作成しますか?"}));

  next = Choice(1, 1);
  dialogs.log.clear();
  EXPECT_TRUE(OpenUnitFromMenu(app, menu, windows, dialogs));
  next.reset();  // Cancel
  EXPECT_FALSE(OpenUnitFromMenu(app, menu, windows, dialogs));
  EXPECT_TRUE(dialogs.log.empty());

  fs::remove(folder / "Main.ind");
  EXPECT_FALSE(OpenUnitFromMenu(app, menu, windows, dialogs));
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(dialogs.log,
            (Lines{"inform: ファイル " + app.CourseFolder() + "Main.ind が見つかりません"}));
}

TEST_F(OpenUnitTest, CloseAllLeavesOnlyTheCancelledSheetOpen) {
  ASSERT_EQ(OpenUnit(app, Choice(1, 1), false, windows, dialogs), OpenResult::Opened);
  ASSERT_EQ(OpenUnit(app, Choice(1, 1, 1), false, windows, dialogs), OpenResult::Opened);
  windows.sheets[0].modified = true;
  windows.keepOpen.insert(Identity("-U1"));
  CloseAllSheets(app, windows);
  EXPECT_EQ(app.OpenSheets(), (Lines{Identity("-U1")}));
  EXPECT_EQ(windows.log.back(), "close " + Identity("-U1R1"));
  EXPECT_EQ(windows.log[windows.log.size() - 2], "kept " + Identity("-U1"));
}

}  // namespace
}  // namespace tavolo

namespace tavolo {
namespace {

TEST_F(OpenUnitTest, CopyFilesOpenUnderTheirPathAndOnlyOnce) {
  const std::string copy = (folder / "kz" / "class3.prp").string();
  test::WriteCp932Lines(copy,
                        {"[[unitX", "<<header",     "保存した題名", "中学校", "氏名", ">>",
                         "<<ques",  "(1) 2-5=#-3#", ">>",           "<<ans",  ">>",   "<<value",
                         "546",     "True",         "25",           "5",      "5",    "3",
                         "7",       ">>",           "<<kgroup",     "-3",     "3",    ">>",
                         "]]"});
  app.SetAnswerDisplay(false);
  dialogs.files = {copy};
  ASSERT_TRUE(OpenCopyFile(app, windows, dialogs));
  EXPECT_EQ(dialogs.log, (std::vector<std::string>{"open: " + app.CourseFolder() + " *.prp"}));
  ASSERT_EQ(windows.sheets.size(), 1u);
  const SheetDocument& sheet = windows.sheets[0];
  EXPECT_EQ(sheet.identity, copy);
  EXPECT_EQ(sheet.filePath, copy);
  EXPECT_FALSE(sheet.master);
  EXPECT_EQ(sheet.params.unit.title, "保存した題名");
  EXPECT_EQ(sheet.params.paperWidth, 546);
  EXPECT_FALSE(sheet.params.answerDisplay);  // the main window's, not value line 2
  EXPECT_EQ(sheet.params.unit.kgroupLines, (std::vector<std::string>{"-3", "3"}));
  EXPECT_EQ(app.OpenSheets(), (std::vector<std::string>{copy}));

  dialogs.files = {copy};
  EXPECT_FALSE(OpenCopyFile(app, windows, dialogs));
  EXPECT_EQ(dialogs.log.back(), "inform: すでに読み込まれています");
  EXPECT_EQ(windows.sheets.size(), 1u);

  const std::string broken = (folder / "kz" / "broken.prp").string();
  test::WriteCp932Lines(broken, {"[[unitX", "<<value", "630", ">>", "]]"});
  dialogs.files = {broken};
  EXPECT_FALSE(OpenCopyFile(app, windows, dialogs));
  EXPECT_EQ(dialogs.log.back(), "inform: <<value block error");

  dialogs.files = {std::nullopt};
  EXPECT_FALSE(OpenCopyFile(app, windows, dialogs));
  EXPECT_EQ(app.OpenSheets().size(), 1u);
}

TEST_F(OpenUnitTest, ReplacingClosesTheEditedUnitsWindowNotTheOneInFront) {
  ASSERT_EQ(OpenUnit(app, Choice(1, 1), false, windows, dialogs), OpenResult::Opened);
  ASSERT_EQ(OpenUnit(app, Choice(1, 1, 1), false, windows, dialogs), OpenResult::Opened);
  windows.log.clear();
  ASSERT_EQ(OpenUnit(app, Choice(1, 1), true, windows, dialogs), OpenResult::Opened);
  EXPECT_EQ(windows.log, (Lines{"close " + Identity("-U1"), "create " + Identity("-U1")}));
  EXPECT_EQ(app.OpenSheets(), (Lines{Identity("-U1R1"), Identity("-U1")}));
}

TEST_F(OpenUnitTest, YesToAMissingUnitCreatesItAndOpensItOnA4) {
  std::vector<UnitAddress> created;
  const ShowCourseMenu menu = [&] { return std::optional<CourseMenuChoice>(Choice(1, 2)); };
  // The editor saves the unit (or, the second time, is cancelled).
  bool save = true;
  const CreateUnit create = [&](const CourseMenuChoice& choice) {
    created.push_back(choice.address);
    if (!save) return false;
    std::string bytes = test::ReadBytes(folder / "kazu" / "kz1.que");
    bytes += "[[unit2\r\n<<ques\r\n#1#\r\n>>\r\n]]\r\n";
    test::WriteBytes(folder / "kazu" / "kz1.que", bytes);
    return true;
  };
  dialogs.answers = {Answer::Yes};
  EXPECT_TRUE(OpenUnitFromMenu(app, menu, windows, dialogs, create));
  EXPECT_EQ(created, (std::vector<UnitAddress>{{1, 1, 2, 0}}));
  EXPECT_EQ(windows.log, (Lines{"create " + Identity("-U2"), "paper 630"}));

  // Cancelled in the editor, or No: nothing opens.
  const ShowCourseMenu missing = [&] { return std::optional<CourseMenuChoice>(Choice(1, 4)); };
  save = false;
  windows.log.clear();
  dialogs.answers = {Answer::Yes, Answer::No};
  EXPECT_FALSE(OpenUnitFromMenu(app, missing, windows, dialogs, create));
  EXPECT_FALSE(OpenUnitFromMenu(app, missing, windows, dialogs, create));
  EXPECT_EQ(created.size(), 2u);
  EXPECT_TRUE(windows.log.empty());
}

}  // namespace
}  // namespace tavolo
