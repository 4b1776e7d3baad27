// The view values held once in the application state: each change reaches
// the windows that show it, and the paper dialog's choice is kept for the
// next start while a sheet's own paper is not.

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app_fakes.h"

namespace tavolo {
namespace {

TEST(ViewState, EveryChangeIsToldAndHeldOnce) {
  AppState state;
  std::vector<ViewChange> told;
  state.SetViewListener([&](ViewChange change) { told.push_back(change); });
  state.SetAnswerDisplay(false);
  state.SetShowAlternatives(false);
  state.SetReducedView(true);
  state.ShowPaper(PaperFromSetting(891));
  EXPECT_EQ(told, (std::vector<ViewChange>{ViewChange::AnswerDisplay, ViewChange::Alternatives,
                                           ViewChange::ReducedView, ViewChange::Paper}));
  EXPECT_FALSE(state.AnswerDisplay());
  EXPECT_FALSE(state.ShowAlternatives());
  EXPECT_TRUE(state.ReducedView());
  EXPECT_EQ(state.Paper().button, PaperSize::A3);
  // Nobody listening is fine too.
  state.SetViewListener(nullptr);
  state.SetReducedView(false);
  EXPECT_FALSE(state.ReducedView());
}

TEST(ViewState, ThePaperDialogsChoiceIsKeptForTheNextStart) {
  AppState state;
  test::MemorySettings settings;
  state.ShowPaper(PaperFromSetting(546));  // a sheet on B5 comes to the front
  EXPECT_EQ(settings.Program("PaperSize"), std::nullopt);
  ASSERT_TRUE(ChoosePaper(state, settings, 771).ok());
  EXPECT_EQ(state.Paper().button, PaperSize::B4);
  EXPECT_EQ(settings.Program("PaperSize"), "771");
}

TEST(ViewState, CaptionsAndProblemMessages) {
  EXPECT_EQ(ZoomCaption(false), "縮小");
  EXPECT_EQ(ZoomCaption(true), "拡大");
  EXPECT_EQ(JoinProblems({}), "");
  EXPECT_EQ(JoinProblems({"ファイル a が見つかりません"}), "ファイル a が見つかりません");
  EXPECT_EQ(JoinProblems({"一", "二", "三"}), "一\n二\n三");
}

}  // namespace
}  // namespace tavolo

namespace tavolo {
namespace {

// A settings file that cannot be written: the choice still holds for this
// run, and the caller learns that it will not survive a restart.
TEST(ViewState, ChoicesWhoseSettingCannotBeStoredSaySo) {
  AppState state;
  test::MemorySettings settings;
  settings.refuseWrites = true;
  EXPECT_FALSE(ChoosePaper(state, settings, 891).ok());
  EXPECT_EQ(state.Paper().button, PaperSize::A3);
  EXPECT_FALSE(SetKeyLock(state, settings, true).ok());
  EXPECT_TRUE(state.KeyLock());
  EXPECT_FALSE(SetSchoolName(state, settings, "ＡＢＣ中学校").ok());
  EXPECT_EQ(state.SchoolName(), "ＡＢＣ中学校");
  EXPECT_TRUE(settings.values.empty());
}

}  // namespace
}  // namespace tavolo
