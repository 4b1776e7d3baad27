// "学　習" from the main window: which sheet is practised, what the sheet shows
// meanwhile, and that everything is back as it was afterwards; and what a
// practice run learns about its sheet.

#include <gtest/gtest.h>

#include "app/practice_flow.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;

// Logs every call; what the state looked like while the practice window was open.
class FakeWindows final : public PracticeWindows {
 public:
  explicit FakeWindows(AppState& app) : app_(app) {}

  std::optional<std::string> CurrentSheet() const override { return current; }
  bool OpenUnitFromMenu() override {
    log.push_back("menu");
    if (menuOpens) current = "kz1.que-U1";
    return menuOpens;
  }
  void ScrollSheetToTop() override { log.push_back("top"); }
  void DiscardChanges(const std::string& identity) override {
    log.push_back("discard " + identity);
  }
  void ShowLearnerName(bool shown) override { log.push_back(shown ? "name on" : "name off"); }
  void ShowPractice() override {
    log.push_back("practice");
    answersWhilePractising = app_.AnswerDisplay();
    alternativesWhilePractising = app_.ShowAlternatives();
  }
  void RedrawSheet() override { log.push_back("redraw"); }
  bool CloseSheetWindow(const std::string& identity) override {
    log.push_back("close " + identity);
    current.reset();
    return true;
  }

  std::optional<std::string> current;
  bool menuOpens = true;
  Lines log;
  bool answersWhilePractising = true;
  bool alternativesWhilePractising = true;

 private:
  AppState& app_;
};

TEST(PracticeFlow, TheSheetInFrontOrAUnitOpenedForThePractice) {
  const struct {
    const char* name;
    std::optional<std::string> sheet;
    bool menuOpens;
    bool answers, alternatives;
    bool shown;
    Lines log;
  } cases[] = {
      {"a sheet in front is practised and stays open",
       "a.prp",
       true,
       true,
       true,
       true,
       {"top", "name on", "practice", "name off", "redraw"}},
      {"switches that were off stay off",
       "a.prp",
       true,
       false,
       false,
       true,
       {"top", "name on", "practice", "name off", "redraw"}},
      {"no sheet: a unit from the menu, practised, then closed",
       std::nullopt,
       true,
       true,
       false,
       true,
       {"menu", "discard kz1.que-U1", "name on", "practice", "name off", "redraw",
        "close kz1.que-U1"}},
      {"no sheet and the menu cancelled: nothing",
       std::nullopt,
       false,
       true,
       true,
       false,
       {"menu"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppState app;
    app.SetAnswerDisplay(c.answers);
    app.SetShowAlternatives(c.alternatives);
    std::vector<ViewChange> told;
    app.SetViewListener([&](ViewChange change) { told.push_back(change); });
    FakeWindows windows(app);
    windows.current = c.sheet;
    windows.menuOpens = c.menuOpens;
    EXPECT_EQ(PracticeFromMainWindow(app, windows), c.shown);
    EXPECT_EQ(windows.log, c.log);
    EXPECT_EQ(app.AnswerDisplay(), c.answers);
    EXPECT_EQ(app.ShowAlternatives(), c.alternatives);
    if (c.shown) {
      EXPECT_FALSE(windows.answersWhilePractising);
      EXPECT_FALSE(windows.alternativesWhilePractising);
      // The main window hears of every switch, off and back.
      EXPECT_EQ(told.size(), 4u);
    }
  }
}

TEST(PracticeFlow, HintsComeFromTheUnitInItsQuestionFile) {
  test::TempFolder folder;
  const auto file = folder / "kz1.que";
  test::WriteCp932Lines(file, {"[[unit1", "<<ques", "(1) #3#", ">>", "<<hint", "符号に注意",
                               "累乗が先", ">>", "]]", "[[unit2", "<<ques", "#4#", ">>", "]]"});
  SheetDocument sheet;
  sheet.master = true;
  sheet.filePath = file.string();
  sheet.address = UnitAddress{1, 1, 1, 0};
  EXPECT_EQ(UnitHintLines(sheet), (Lines{"符号に注意", "累乗が先"}));
  sheet.address.unit = 2;
  EXPECT_EQ(UnitHintLines(sheet), Lines{});
  sheet.address.unit = 3;  // no longer in the file
  EXPECT_EQ(UnitHintLines(sheet), Lines{});
  sheet.address.unit = 1;
  sheet.master = false;  // a copy file
  EXPECT_EQ(UnitHintLines(sheet), Lines{});
  sheet.master = true;
  sheet.filePath = (folder / "gone.que").string();
  EXPECT_EQ(UnitHintLines(sheet), Lines{});
}

TEST(PracticeFlow, WhatARunLearnsOfItsSheet) {
  SheetDocument sheet;
  sheet.master = false;
  sheet.params.paperWidth = 771;
  sheet.params.charSize = 16;
  sheet.params.kran[0] = "5";
  sheet.params.kran[1] = "9";
  sheet.params.kran[2] = "19";
  sheet.params.unit.kgroupLines = {"x=3", "y=3"};
  PageLayout layout;
  layout.answers = {"start", "3", "x=3;3"};
  layout.scorePosition = {505, 35};
  const PracticeSheet practice = PracticeSheetFor(sheet, layout, {"符号に注意"}, 120);
  EXPECT_EQ(practice.boxStyle.kind, BoxKind::RoundedRectangle);
  EXPECT_EQ(practice.boxStyle.width, 9);
  EXPECT_EQ(practice.boxStyle.height, 19);
  EXPECT_EQ(practice.boxStyle.charSize, 16);
  EXPECT_EQ(practice.pictureWidth, 771);
  EXPECT_EQ(practice.choices, (Lines{"x=3", "y=3"}));
  EXPECT_EQ(practice.hints, (Lines{"符号に注意"}));
  EXPECT_TRUE(practice.copyFile);
  EXPECT_EQ(practice.answerCount, 2);
  EXPECT_EQ(practice.scoreSpot, (Point{505, 35}));
  EXPECT_EQ(practice.startPanelWidth, 120);
  EXPECT_EQ(PracticeSheetFor(sheet, PageLayout{}, {}, 120).answerCount, 0);
}

}  // namespace
}  // namespace tavolo
