// Whole practice, test and review runs played without a window: each case is
// the learner's actions in order and what must come of them (statuses, the
// recorded line's counts, every message shown).

#include "practice/practice_run.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app_fakes.h"
#include "practice/run_recorder.h"
#include "sheet/recording_canvas.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;

class FakeRecorder final : public RunRecorder {
 public:
  Status Record(const RunRecord& run) override {
    if (refuse) return Failure{"rec.ini に書き込めません"};
    results.push_back(run);
    return Succeeded();
  }
  bool refuse = false;
  std::vector<RunRecord> results;
};

// A run as the run hands it to its recorder: undated, the unit itself.
RunRecord Graded(std::string triesDigits, int correct, int total, int score, int seconds) {
  RunRecord run;
  run.triesDigits = std::move(triesDigits);
  run.correct = correct;
  run.total = total;
  run.score = score;
  run.elapsedSeconds = seconds;
  return run;
}

// Boxes 60 units apart down the page; fields are 100 wide (kran width 15).
class PracticeRunTest : public ::testing::Test {
 protected:
  void Build(const Lines& answers, const Lines& choices = {}, int pictureWidth = 630,
             const Lines& hints = {}, int boxX = 100) {
    registry.BeginPage();
    for (std::size_t i = 0; i < answers.size(); ++i) {
      const int n = registry.Register(boxX, 100 + 60 * static_cast<int>(i), answers[i], 12);
      registry.SetWidth(n, 20);
    }
    sheet.boxStyle = BoxStyle{BoxKind::Rectangle, 15, 2, 12};
    sheet.pictureWidth = pictureWidth;
    sheet.choices = choices;
    sheet.hints = hints;
    sheet.scoreSpot = {505, 35};
    sheet.startPanelWidth = 120;
    run =
        std::make_unique<PracticeRun>(registry, sheet, dialogs, recorder, RepeatableRandomIndex(1));
    last = run->Open();
  }

  // One learner action: "practice", "test", "review", "grade", "show"
  // (答えを見る), "tab", "backtab" (Shift+Tab), "abort", "close", "box N" (the field gets the
  // focus), "type T", "enter T" (type, then Enter), "enter", "tick N".
  void Do(const std::string& action) {
    std::istringstream words(action);
    std::string verb;
    words >> verb;
    std::string rest = action.size() > verb.size() ? action.substr(verb.size() + 1) : "";
    if (verb == "practice") {
      last = run->StartPractice();
    } else if (verb == "test") {
      last = run->StartTest();
    } else if (verb == "review") {
      last = run->StartReview();
    } else if (verb == "grade") {
      last = run->Grade();
    } else if (verb == "show") {
      last = run->ShowAnswer();
    } else if (verb == "tab" || verb == "backtab") {
      last = run->TabToBox(verb == "tab");
    } else if (verb == "abort") {
      last = run->Abort();
    } else if (verb == "close") {
      last = run->Close();
    } else if (verb == "box") {
      return run->FocusBox(std::stoi(rest));
    } else if (verb == "type") {
      return run->TypeInBox(run->View().currentBox, rest);
    } else if (verb == "enter") {
      if (action.size() > verb.size()) run->TypeInBox(run->View().currentBox, rest);
      last = run->Enter();
    } else if (verb == "tick") {
      for (int i = std::stoi(rest); i > 0; --i) run->Tick();
      return;
    } else {
      FAIL() << "unknown action " << action;
    }
    // After each action the window moves the focus where the run says.
    if (run->View().focus == FocusTarget::Box) run->FocusBox(run->View().focusBox);
  }

  std::vector<int> Statuses() const {
    std::vector<int> statuses;
    for (int n = 1; n <= registry.count(); ++n)
      statuses.push_back(static_cast<int>(registry.box(n).status));
    return statuses;
  }

  AnswerBoxRegistry registry;
  PracticeSheet sheet;
  test::ScriptedDialogs dialogs;
  FakeRecorder recorder;
  std::unique_ptr<PracticeRun> run;
  RunUpdate last;
};

struct RunCase {
  const char* name;
  Lines answers;
  Lines actions;
  std::vector<Answer> replies;  // to the questions asked, in order
  std::vector<int> statuses;
  std::vector<RunRecord> records;
  Lines messages;
  RunMode mode = RunMode::Idle;
  bool reviewEnabled = false;
  int wrongCount = 0;
};

TEST_F(PracticeRunTest, WholeRuns) {
  const Lines three = {"3", "-5", "1/2;0.5"};
  const RunCase cases[] = {
      {"every box right at once: all-correct notice, no review",
       three,
       {"practice", "tick 75", "enter 3", "enter -5", "enter 0.5", "tick 9"},
       {},
       {1, 1, 1},
       {Graded("000", 3, 3, 100, 75)},
       {},
       RunMode::Idle,
       false,
       0},
      {"a correction counts as wrong at grading",
       three,
       {"practice", "enter 4", "enter 3", "enter -5", "enter 1/2"},
       {},
       {0, 1, 1},
       {Graded("100", 2, 3, 67, 0)},
       {"inform: 練習を終わりました"},
       RunMode::Idle,
       true,
       1},
      {"the third wrong attempt shows the answer; right after it: triangle, tries + 1",
       three,
       {"practice", "enter 1", "enter 2", "enter 4", "enter 3", "enter -5", "enter 0.5"},
       {},
       {0, 1, 1},
       {Graded("300", 2, 3, 67, 0)},
       {"inform: 右下に正解を表示します", "inform: 練習を終わりました"},
       RunMode::Idle,
       true,
       1},
      {"答えを見る before answering, then the right answer: -2 at grading",
       three,
       {"practice", "show", "enter 3", "enter -5", "enter 0.5"},
       {},
       {-2, 1, 1},
       {Graded("100", 2, 3, 67, 0)},
       {"inform: 練習を終わりました"},
       RunMode::Idle,
       true,
       1},
      {"Enter in an empty box does nothing; blanks ask whether to show the answer",
       three,
       {"practice", "enter", "enter   ", "enter \t ", "enter 3", "enter -5", "enter 0.5"},
       {Answer::No, Answer::Yes},
       {-2, 1, 1},
       {Graded("100", 2, 3, 67, 0)},
       {"yesno: 正解を表示しますか", "yesno: 正解を表示しますか", "inform: 練習を終わりました"},
       RunMode::Idle,
       true,
       1},
      {"review reopens only the boxes not right and is never recorded",
       three,
       {"practice", "enter 4", "enter 3", "enter 5", "enter -5", "enter 0.5", "review", "enter 3",
        "enter -5"},
       {},
       {0, 0, 1},
       {Graded("110", 1, 3, 33, 0)},
       {"inform: 練習を終わりました", "inform: 復習を終わりました"},
       RunMode::Idle,
       false,
       0},
      {"a review with a mistake offers review again",
       three,
       {"practice", "enter 4", "enter 3", "enter -5", "enter 0.5", "review", "enter 2", "enter 3"},
       {},
       {-1, 1, 1},
       {Graded("100", 2, 3, 67, 0)},
       {"inform: 練習を終わりました", "inform: 復習を終わりました"},
       RunMode::Idle,
       true,
       1},
      {"abort records nothing",
       three,
       {"practice", "enter 3", "enter 9", "abort"},
       {},
       {99, -1, 99},
       {},
       {},
       RunMode::Idle,
       false,
       1},
      {"test: grading with nothing entered is refused and the run goes on",
       three,
       {"test", "grade", "type  ", "grade"},
       {},
       {99, 99, 99},
       {},
       {"inform: 解答を入力してから採点してください。",
        "inform: 解答を入力してから採点してください。"},
       RunMode::Test,
       false,
       0},
      {"test: one box entered is enough; empty boxes are wrong",
       three,
       {"test", "tick 3", "grade", "box 2", "type -5", "tick 100", "grade", "tick 5"},
       {},
       {0, 1, 0},
       {Graded("", 1, 3, 33, 103)},
       {"inform: 解答を入力してから採点してください。", "inform: テストを終わりました"},
       RunMode::Idle,
       true,
       2},
      {"test: the text entered last counts, without Enter too",
       three,
       {"test", "enter 2", "enter -5", "enter 0.5", "box 1", "type 3", "grade"},
       {},
       {1, 1, 1},
       {Graded("", 3, 3, 100, 0)},
       {},
       RunMode::Idle,
       false,
       0},
      {"test: abort leaves no record",
       three,
       {"test", "enter 3", "abort"},
       {},
       {99, 99, 99},
       {},
       {},
       RunMode::Idle,
       false,
       0},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.log.clear();
    dialogs.answers.assign(c.replies.begin(), c.replies.end());
    recorder.results.clear();
    Build(c.answers);
    for (const auto& action : c.actions) Do(action);
    EXPECT_EQ(Statuses(), c.statuses);
    EXPECT_EQ(recorder.results, c.records);
    EXPECT_EQ(dialogs.log, c.messages);
    EXPECT_EQ(run->Mode(), c.mode);
    EXPECT_EQ(run->View().reviewEnabled, c.reviewEnabled);
    EXPECT_EQ(run->WrongCount(), c.wrongCount);
    EXPECT_TRUE(dialogs.answers.empty());
  }
}

TEST_F(PracticeRunTest, PracticeDrawsMarksWhereTheFieldStands) {
  Build({"3", "4"});
  Do("practice");
  const Rect home = run->View().edits[1].rect;
  EXPECT_EQ(home, (Rect{106, 105, 206, 129}));  // 6 right of the answer, one frame wide
  EXPECT_TRUE(last.redrawSheet);
  EXPECT_EQ(run->View().focus, FocusTarget::Box);
  EXPECT_EQ(run->View().focusBox, 1);

  Do("enter 5");
  // The typed text stays on the sheet, a slash goes through it, and the
  // field moves one width right for the correction.
  ASSERT_EQ(last.drawings.size(), 2u);
  EXPECT_EQ(std::get<PictureText>(last.drawings[0]),
            (PictureText{{106, 105}, "5", 12, Color::Blue(), true}));
  const auto& slash = std::get<MarkDrawing>(last.drawings[1]);
  EXPECT_EQ(slash.mark, GradingMark::PracticeSlash);
  EXPECT_EQ(slash.field, home);
  EXPECT_EQ(slash.color, Color::Red());
  EXPECT_EQ(run->View().edits[1].rect, (Rect{206, 105, 306, 129}));
  EXPECT_TRUE(run->View().selectText);
  EXPECT_EQ(run->View().message.texts,
            (std::vector<PictureText>{{{0, 0}, "解答を訂正してください", 14, Color::Blue()}}));

  Do("enter 3");
  // The right answer is drawn once (twice on one spot it would turn bold).
  ASSERT_EQ(last.drawings.size(), 2u);
  EXPECT_EQ(std::get<PictureText>(last.drawings[0]).at, (Point{206, 105}));
  const auto& circle = std::get<MarkDrawing>(last.drawings[1]);
  EXPECT_EQ(circle.mark, GradingMark::Circle);
  EXPECT_EQ(circle.field, (Rect{206, 105, 306, 129}));
  EXPECT_FALSE(run->View().edits[1].visible);
  ASSERT_EQ(run->View().message.texts.size(), 1u);
  EXPECT_TRUE(run->View().message.texts[0].text.starts_with("★★"));
  EXPECT_EQ(run->View().message.texts[0].size, 18);
  EXPECT_EQ(run->View().focusBox, 2);
  EXPECT_EQ(run->TriesDigits(), "1");

  // The last box ends the run: graded, scored beside the title, recorded.
  Do("enter 4");
  EXPECT_EQ(run->Mode(), RunMode::Idle);
  const auto& score = std::get<ScoreDrawing>(last.drawings.back());
  EXPECT_EQ(score.score, 50);
  EXPECT_EQ(score.scoreSpot, (Point{505, 35}));
  EXPECT_TRUE(last.refreshRecords);
  EXPECT_TRUE(last.refreshCourseMarks);
  EXPECT_TRUE(last.scrollToTop);
  EXPECT_FALSE(last.showAllCorrectNotice);
  EXPECT_EQ(run->View().result.picture, ResultPicture::Nanda);
  EXPECT_TRUE(run->View().resultVisible);
  EXPECT_TRUE(run->View().panels.startPanelVisible);
  EXPECT_FALSE(run->View().panels.workPanelVisible);
  EXPECT_EQ(run->View().focus, FocusTarget::ReviewButton);
  EXPECT_EQ(run->CorrectCount(), 1);
  EXPECT_EQ(run->TotalCount(), 2);
}

TEST_F(PracticeRunTest, ReviewReopensFieldsWhereTheyStoodAndMarksInGreen) {
  Build({"3", "4"});
  for (const char* a : {"practice", "enter 5", "enter 3", "enter 4"}) Do(a);
  ASSERT_TRUE(run->View().reviewEnabled);
  Do("review");
  EXPECT_TRUE(run->View().edits[1].visible);
  EXPECT_FALSE(run->View().edits[2].visible);
  EXPECT_EQ(run->View().edits[1].rect.left, 206);
  EXPECT_FALSE(run->View().testEnabled);
  EXPECT_FALSE(run->View().reviewEnabled);
  EXPECT_TRUE(run->View().panels.numberPadVisible);  // the input aid of the run comes back
  EXPECT_FALSE(run->View().panels.choiceGroupVisible);
  Do("enter 3");
  // In review the box is wiped first and the answer drawn where the field is.
  ASSERT_GE(last.drawings.size(), 3u);
  EXPECT_EQ(std::get<EraseArea>(last.drawings[0]).area, (Rect{206, 105, 306, 129}));
  EXPECT_EQ(std::get<PictureText>(last.drawings[1]).at, (Point{206, 105}));
  const auto& mark = std::get<MarkDrawing>(last.drawings[2]);
  EXPECT_EQ(mark.mark, GradingMark::DoubleCircle);
  EXPECT_EQ(mark.color, Color::Green());
  EXPECT_EQ(recorder.results.size(), 1u);
  EXPECT_TRUE(run->View().testEnabled);
}

TEST_F(PracticeRunTest, TestGradingMarksEveryBox) {
  Build({"3", "4", "5"});
  for (const char* a : {"test", "enter 3", "enter 0"}) Do(a);
  EXPECT_EQ(run->View().focusBox, 3);  // the next empty box
  Do("enter 5");
  EXPECT_EQ(run->View().focus, FocusTarget::GradeButton);
  Do("grade");
  std::vector<GradingMark> marks;
  for (const auto& d : last.drawings)
    if (const auto* m = std::get_if<MarkDrawing>(&d)) marks.push_back(m->mark);
  EXPECT_EQ(marks, (std::vector<GradingMark>{GradingMark::Circle, GradingMark::TestSlash,
                                             GradingMark::Circle}));
  EXPECT_EQ(registry.box(2).tries, 1);
  EXPECT_EQ(registry.box(1).tries, 0);
  EXPECT_EQ(recorder.results, (std::vector<RunRecord>{Graded("", 2, 3, 67, 0)}));
  // Learner answers are padded to the width of the model answer.
  EXPECT_EQ(run->LearnerAnswer(1), "3");
  EXPECT_EQ(dialogs.log, (Lines{"inform: テストを終わりました"}));
}

// Three wrong tries at one box, wherever it stands on an A4 page (630 wide,
// fields 100 wide, start panel 120): the field moves right while it ends
// left of 750, a field that cannot move has its wrong text covered before
// the next one is drawn, and the third try always shows the answer.
TEST_F(PracticeRunTest, TheThirdWrongTryShowsTheAnswerWhereverTheBoxStands) {
  struct MoveCase {
    const char* name;
    int boxX;
    std::vector<int> drawnAt;   // where each try's text is drawn
    std::vector<bool> covered;  // whether the field's area is painted white first
  };
  const std::vector<MoveCase> cases = {
      {"left half: two moves", 100, {106, 206, 306}, {false, false, true}},
      {"right half: two moves, the second past the page edge",
       380,
       {386, 486, 586},
       {false, false, true}},
      {"one move, then it stays", 600, {606, 706, 706}, {false, false, true}},
      {"no room at all: it stays and covers", 650, {656, 656, 656}, {false, true, true}},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.log.clear();
    Build({"3"}, {}, 630, {}, c.boxX);
    Do("practice");
    std::vector<int> drawnAt, tries;
    std::vector<bool> covered;
    for (const char* wrong : {"enter 1", "enter 2", "enter 4"}) {
      Do(wrong);
      ASSERT_FALSE(last.drawings.empty());
      covered.push_back(std::holds_alternative<EraseArea>(last.drawings[0]));
      const auto& text = std::get<PictureText>(last.drawings[covered.back() ? 1 : 0]);
      drawnAt.push_back(text.at.x);
      tries.push_back(registry.box(1).tries);
    }
    EXPECT_EQ(drawnAt, c.drawnAt);
    EXPECT_EQ(covered, c.covered);
    EXPECT_EQ(tries, (std::vector<int>{1, 2, 2}));
    EXPECT_EQ(dialogs.log, Lines{"inform: 右下に正解を表示します"});
    EXPECT_TRUE(registry.box(1).answerShown);
    ASSERT_GE(run->View().message.texts.size(), 2u);
    EXPECT_EQ(run->View().message.texts[1].text, "3");
    // The right answer after it: the triangle, one more try.
    Do("enter 3");
    std::vector<GradingMark> marks;
    for (const SheetDrawing& d : last.drawings)
      if (const auto* m = std::get_if<MarkDrawing>(&d)) marks.push_back(m->mark);
    EXPECT_EQ(marks, std::vector<GradingMark>{GradingMark::Triangle});
    EXPECT_EQ(registry.box(1).tries, 3);
    dialogs.log.clear();  // the end-of-run notice
  }
}

TEST_F(PracticeRunTest, TabAndShiftTabGoRoundTheOpenBoxes) {
  Build({"3", "4", "5"});
  Do("tab");  // idle: the buttons keep the keyboard
  EXPECT_EQ(run->View().focus, FocusTarget::PracticeButton);
  auto walk = [&](const Lines& keys) {
    std::vector<int> boxes;
    for (const std::string& key : keys) {
      Do(key);
      EXPECT_EQ(run->View().focus, FocusTarget::Box);
      boxes.push_back(run->View().focusBox);
    }
    return boxes;
  };
  Do("test");
  EXPECT_EQ(walk({"tab", "tab", "tab", "backtab", "backtab"}), (std::vector<int>{2, 3, 1, 3, 2}));
  Do("enter");  // Enter in an empty box still does nothing
  EXPECT_EQ(run->View().focusBox, 2);
  EXPECT_TRUE(last.drawings.empty());
  Do("abort");

  // In practice a finished box is closed: Tab passes it by.
  Do("practice");
  Do("enter 3");
  EXPECT_EQ(run->View().focusBox, 2);
  EXPECT_EQ(walk({"tab", "tab", "backtab", "backtab"}), (std::vector<int>{3, 2, 3, 2}));
  Do("enter 4");
  EXPECT_EQ(walk({"tab", "backtab"}), (std::vector<int>{3, 3}));  // the one box left
}

TEST_F(PracticeRunTest, ATestDrawsEachTextOnceAndCoversAChangedOne) {
  Build({"3", "4"});
  Do("test");
  Do("enter 3");
  Do("enter 5");
  ASSERT_EQ(last.drawings.size(), 1u);
  EXPECT_EQ(std::get<PictureText>(last.drawings[0]).at, (Point{106, 165}));
  // Changed after Enter: the old text is covered, then the new one drawn.
  Do("box 2");
  Do("enter 4");
  ASSERT_EQ(last.drawings.size(), 2u);
  EXPECT_EQ(std::get<EraseArea>(last.drawings[0]).area, run->View().edits[2].rect);
  EXPECT_EQ(std::get<PictureText>(last.drawings[1]).text, "4");
  // 採点 takes the current box once more; what it shows is not drawn again.
  Do("grade");
  for (const SheetDrawing& d : last.drawings) {
    EXPECT_FALSE(std::holds_alternative<PictureText>(d));
    EXPECT_FALSE(std::holds_alternative<EraseArea>(d));
  }
  EXPECT_EQ(recorder.results.size(), 1u);
  dialogs.log.clear();
}

TEST_F(PracticeRunTest, RefusedRecordWriteStopsGradingUntilTriedAgain) {
  Build({"3", "4"});
  recorder.refuse = true;
  for (const char* a : {"test", "enter 3", "enter 5", "grade"}) Do(a);
  EXPECT_EQ(dialogs.log, (Lines{"inform: rec.ini に書き込めません"}));
  EXPECT_EQ(run->Mode(), RunMode::Test);  // no notice, no end of run, no score
  EXPECT_EQ(Statuses(), (std::vector<int>{1, 0}));
  for (const auto& d : last.drawings) EXPECT_FALSE(std::holds_alternative<ScoreDrawing>(d));
  recorder.refuse = false;
  Do("grade");
  EXPECT_EQ(recorder.results.size(), 1u);
  EXPECT_EQ(run->Mode(), RunMode::Idle);

  // In practice the last box triggers grading; a refusal offers 採点 to retry.
  Build({"3"});
  dialogs.log.clear();
  recorder.refuse = true;
  Do("practice");
  Do("enter 3");
  EXPECT_EQ(run->Mode(), RunMode::Practice);
  EXPECT_TRUE(run->View().panels.gradeButtonVisible);
  recorder.refuse = false;
  Do("grade");
  EXPECT_EQ(run->Mode(), RunMode::Idle);
  EXPECT_EQ(recorder.results.size(), 2u);
}

TEST_F(PracticeRunTest, InputAids) {
  Build({"-5/7", "2&1/3", "x=3;3"}, {"x=3", "y=3"});
  Do("practice");
  EXPECT_TRUE(run->View().panels.choiceGroupVisible);
  EXPECT_FALSE(run->View().panels.numberPadVisible);
  // The number pad composes into the current box and acts as Enter there.
  const NumberPad& pad = run->Pad();
  for (char k : {'-', '7'}) run->PressPadKey(k);
  run->PressPadBunno();
  run->PressPadKey('5');
  last = run->PadNext();
  EXPECT_EQ(pad.Sign(), "");
  EXPECT_FALSE(run->View().edits[1].visible);
  run->PressPadKey('2');
  run->TypeInPad(NumberPad::Field::Denominator, "3");
  run->PressPadBunno();
  run->PressPadKey('1');
  last = run->PadNext();
  EXPECT_FALSE(run->View().edits[2].visible);
  // A choice goes into the current box; クリア empties it again.
  const auto& choices = run->View().choices;
  const int pick = choices[0] == "x=3" ? 0 : 1;
  run->ChooseItem(1 - pick);
  EXPECT_EQ(run->View().edits[3].text, choices[static_cast<std::size_t>(1 - pick)]);
  run->ClearBox();
  EXPECT_EQ(run->View().edits[3].text, "");
  run->ChooseItem(pick);
  Do("enter");
  EXPECT_EQ(Statuses(), (std::vector<int>{1, 1, 1}));
  EXPECT_TRUE(last.showAllCorrectNotice);

  // 消去 outlines the current box and empties it.
  Do("practice");
  run->TypeInBox(1, "9");
  run->PressPadKey('3');
  last = run->PadClear();
  EXPECT_EQ(pad.MainEntry(), "");
  EXPECT_EQ(run->View().edits[1].text, "");
  ASSERT_EQ(last.drawings.size(), 1u);
  EXPECT_EQ(std::get<OutlineArea>(last.drawings[0]).area, run->View().edits[1].rect);
}

TEST_F(PracticeRunTest, IdleWindowShowsInstructionsAndColouredPreview) {
  Build({"3", "4"});
  const auto& result = run->View().result.texts;
  ASSERT_EQ(result.size(), 4u);
  EXPECT_EQ(result[0], (PictureText{{0, 0}, "　　　標準の学習コース", 14, Color::Blue()}));
  EXPECT_EQ(result[3],
            (PictureText{{0, 96}, "（３）［テスト］ボタンでテストする", 10, Color::Blue()}));
  EXPECT_EQ(run->View().focus, FocusTarget::PracticeButton);
  EXPECT_TRUE(last.refreshRecords);

  last = run->ChooseBoxColor(3);
  EXPECT_EQ(run->View().boxColor, Color::FromBgr(0xC0FFFF));
  EXPECT_TRUE(run->View().edits[2].visible);
  EXPECT_TRUE(run->View().edits[2].readOnly);
  // Typing is refused in a read-only field; Enter there does nothing.
  run->TypeInBox(2, "4");
  EXPECT_EQ(run->View().edits[2].text, "");
  // Starting a run makes the fields writable and empty.
  Do("test");
  EXPECT_FALSE(run->View().edits[2].readOnly);
  EXPECT_EQ(run->View().result.texts[0].text, "すべて解答を入力し終えたら。");
  EXPECT_FALSE(run->View().panels.answerButtonVisible);
  EXPECT_TRUE(run->View().panels.gradeButtonVisible);
  Do("abort");
  EXPECT_EQ(run->View().result.texts,
            (std::vector<PictureText>{{{0, 0}, "中止しました。", 12, Color::Black()}}));
  Do("close");
  EXPECT_EQ(Statuses(), (std::vector<int>{99, 99}));
}

TEST_F(PracticeRunTest, ASheetWithoutBoxesGivesNoRun) {
  Build({});
  Do("practice");
  EXPECT_EQ(run->Mode(), RunMode::Idle);
  EXPECT_EQ(dialogs.log, (Lines{"inform: 解答欄がありません"}));
  EXPECT_EQ(run->Score(), 0);
  EXPECT_EQ(run->TotalCount(), 0);
}

TEST_F(PracticeRunTest, HintsShowInTheMessagePictureAndHandTheFocusBack) {
  const struct {
    const char* name;
    Lines hints;
    bool copyFile;
    bool enabled;
    std::vector<PictureText> shown;
  } cases[] = {
      {"no hints: the button is disabled", {}, false, false, {}},
      {"hints of a copy file are not offered", {"符号に注意"}, true, false, {}},
      {"the editor's placeholder enables the button but shows nothing",
       {"Hint", "x"},
       false,
       true,
       {}},
      {"every line under the heading, 20 apart",
       {"符号に注意", "累乗が先"},
       false,
       true,
       {{{0, 0}, "学習のポイント", 20, Color::Black()},
        {{0, 30}, "符号に注意", 12, Color::Black(), false, 20},
        {{0, 50}, "累乗が先", 12, Color::Black(), false, 20}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sheet.copyFile = c.copyFile;
    Build({"3", "4"}, {}, 630, c.hints);
    Do("practice");
    EXPECT_TRUE(run->View().panels.hintButtonVisible);
    EXPECT_EQ(run->View().panels.hintButtonEnabled, c.enabled);
    Do("box 2");
    Do("enter 9");  // a mistake writes into the message picture first
    last = run->ShowHints();
    if (c.shown.empty()) {
      EXPECT_EQ(run->View().message.texts[0].text, "解答を訂正してください");
    } else {
      EXPECT_EQ(run->View().message.texts, c.shown);
    }
    EXPECT_EQ(run->View().focus, FocusTarget::Box);
    EXPECT_EQ(run->View().focusBox, 2);
  }
  sheet.copyFile = false;
}

TEST_F(PracticeRunTest, MoreAnswersThanTheRegistryHoldsAreToldOnce) {
  sheet.answerCount = 81;
  Build({"3"});
  EXPECT_EQ(dialogs.log, (Lines{"inform: 解答欄が80を超えています。最初の80の解答欄で学習します"}));
  Do("practice");
  Do("abort");
  Do("practice");
  EXPECT_EQ(dialogs.log.size(), 1u);
  sheet.answerCount = 80;
  dialogs.log.clear();
  Build({"3"});
  EXPECT_TRUE(dialogs.log.empty());
  sheet.answerCount = 0;
}

TEST_F(PracticeRunTest, ClickingTheResultPictureShowsTheRoaringFace) {
  Build({"3", "4"});
  last = run->ClickResultPicture();  // the instructions stay
  EXPECT_FALSE(run->View().result.picture.has_value());
  EXPECT_EQ(run->View().result.texts.size(), 4u);
  for (const char* a : {"practice", "enter 3", "enter 5", "enter 4"}) Do(a);
  ASSERT_TRUE(run->View().result.picture.has_value());
  EXPECT_NE(*run->View().result.picture, ResultPicture::Gaoh);
  run->ClickResultPicture();
  EXPECT_EQ(run->View().result.picture, ResultPicture::Gaoh);
}

// Stands for a window that shows what is drawn so far whenever it tells the
// learner something.
class ShowingDialogs final : public DecliningDialogs {
 public:
  void Inform(std::string_view message) override {
    if (run) shownBefore.push_back(run->TakeUpdate());
    told.push_back(std::string(message));
  }
  PracticeRun* run = nullptr;
  std::vector<RunUpdate> shownBefore;
  Lines told;
};

TEST_F(PracticeRunTest, TheLastMarkIsShownBeforeTheEndOfRunNotice) {
  ShowingDialogs showing;
  Build({"3", "4"});
  run = std::make_unique<PracticeRun>(registry, sheet, showing, recorder, RepeatableRandomIndex(1));
  showing.run = run.get();
  run->Open();
  run->StartPractice();
  run->TypeInBox(1, "3");
  run->Enter();
  run->TypeInBox(2, "5");
  run->Enter();
  run->TypeInBox(2, "4");
  const RunUpdate after = run->Enter();
  EXPECT_EQ(showing.told, Lines{"練習を終わりました"});
  ASSERT_EQ(showing.shownBefore.size(), 1u);
  const auto& before = showing.shownBefore[0].drawings;
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(std::get<MarkDrawing>(before.back()).mark, GradingMark::Circle);
  // The rest follows the notice: the score, the end of the run.
  ASSERT_EQ(after.drawings.size(), 1u);
  EXPECT_TRUE(std::holds_alternative<ScoreDrawing>(after.drawings[0]));
  EXPECT_TRUE(after.refreshRecords);
}

TEST_F(PracticeRunTest, JudgeAndRecordByStatus) {
  Build({"3"});
  Do("practice");
  const struct {
    AnswerStatus before;
    bool shown;
    const char* text;
    Judgement judged;
    AnswerStatus after;
    int correctAdded, wrongAdded;
  } cases[] = {
      {AnswerStatus::NotJudged, false, "3", Judgement::Correct, AnswerStatus::NotJudged, 0, 0},
      {AnswerStatus::WrongInPractice, false, "3", Judgement::Correct,
       AnswerStatus::CorrectAfterRetry, 0, 0},
      {AnswerStatus::Wrong, false, "3", Judgement::Correct, AnswerStatus::Correct, 1, 0},
      {AnswerStatus::Correct, false, "3", Judgement::Correct, AnswerStatus::Correct, 1, 0},
      {AnswerStatus::CorrectAfterShown, false, "3", Judgement::Correct,
       AnswerStatus::CorrectAfterShown, 0, 0},
      {AnswerStatus::NotJudged, false, "4", Judgement::Wrong, AnswerStatus::WrongInPractice, 0, 1},
      {AnswerStatus::NotJudged, true, "3", Judgement::CorrectAfterShown,
       AnswerStatus::CorrectAfterShown, 0, 1},
  };
  for (const auto& c : cases) {
    registry.box(1).status = c.before;
    registry.box(1).answerShown = c.shown;
    const int correct = run->CorrectCount(), wrong = run->WrongCount();
    EXPECT_EQ(run->JudgeAndRecord(1, c.text), c.judged);
    EXPECT_EQ(registry.box(1).status, c.after) << static_cast<int>(c.before) << c.text;
    EXPECT_EQ(run->CorrectCount() - correct, c.correctAdded);
    EXPECT_EQ(run->WrongCount() - wrong, c.wrongAdded);
  }
}

TEST(RunPanelsTest, EachModeShowsItsPanelsButtonsAndInputAid) {
  const struct {
    const char* name;
    RunMode mode;
    bool choices, hints;
    RunPanels shown;
  } cases[] = {
      // start, work, run buttons, records panel, records list; 答えを見る shown,
      // enabled; 採点; ヒントを見る shown, enabled; choice list, number pad
      {"between runs", RunMode::Idle, true, true, {}},
      {"practice: the number pad without choices",
       RunMode::Practice,
       false,
       true,
       {false, true, true, false, false, true, true, false, true, true, false, true}},
      {"practice: the choice list, hints disabled",
       RunMode::Practice,
       true,
       false,
       {false, true, true, false, false, true, true, false, true, false, true, false}},
      {"a test offers 採点 only",
       RunMode::Test,
       false,
       true,
       {false, true, true, false, false, false, false, true, false, true, false, true}},
      {"review as practice",
       RunMode::Review,
       true,
       true,
       {false, true, true, false, false, true, true, false, true, true, true, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RunPanelsFor(c.mode, c.choices, c.hints), c.shown);
  }
}

TEST_F(PracticeRunTest, DrawingsGoThroughTheCanvas) {
  RecordingCanvas canvas;
  DrawOnSheet(canvas, EraseArea{{10, 20, 110, 44}});
  DrawOnSheet(canvas, MarkDrawing{GradingMark::Circle, {106, 103, 206, 130}, {}, Color::Red()});
  DrawOnSheet(canvas, PictureText{{106, 103}, "3", 12, Color::Blue(), true});
  ASSERT_EQ(canvas.calls().size(), 3u);
  EXPECT_EQ(canvas.calls()[0].kind, CanvasCallKind::RoundRect);
  EXPECT_TRUE(canvas.calls()[0].brush.solid);
  EXPECT_EQ(canvas.calls()[0].pen.color, Color::White());
  // The same circle the renderer draws on a graded sheet.
  EXPECT_EQ(canvas.calls()[1].rect, (Rect{87, 86, 222, 153}));
  EXPECT_EQ(canvas.calls()[2].text, "3");
  EXPECT_EQ(canvas.calls()[2].font.color, Color::Blue());
}

// Hint rows wrap inside the message picture. At 12 points a full-width
// character is 16 pixels wide and a half-width one 8: 208 pixels hold 13.
TEST(MessagePictureLayout, HintsWrapAndPushTheRowsAfterThemDown) {
  const struct {
    const char* name;
    std::string hint;
    Lines rows;
  } cases[] = {
      {"a row that fits stays one row", "符号に注意", {"符号に注意"}},
      {"a long row breaks where the width ends",
       "あいうえおかきくけこさしすせそたちつてと",
       {"あいうえおかきくけこさしす", "せそたちつてと"}},
      {"a stop never begins a row: the character before it goes down too",
       "あいうえおかきくけこさしす。せそ",
       {"あいうえおかきくけこさし", "す。せそ"}},
      {"half-width characters count half",
       "(-3)+(-5)=-8 になるかどうか",
       {"(-3)+(-5)=-8 になるかどう", "か"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MessagePicture picture;
    picture.texts.push_back({{0, 0}, "学習のポイント", 20, Color::Black()});
    picture.texts.push_back({{0, 30}, c.hint, 12, Color::Black(), false, 20});
    picture.texts.push_back({{0, 50}, "次の行", 12, Color::Black(), false, 20});
    RecordingCanvas canvas;
    const MessageLayout layout = LayOutMessagePicture(canvas, picture, 208);
    ASSERT_EQ(layout.rows.size(), c.rows.size() + 2);
    Lines rows;
    for (std::size_t i = 1; i + 1 < layout.rows.size(); ++i) {
      rows.push_back(layout.rows[i].text);
      EXPECT_EQ(layout.rows[i].at.y, 30 + 20 * static_cast<int>(i - 1));
      EXPECT_LE(canvas.textWidth(layout.rows[i].text), 208);
    }
    EXPECT_EQ(rows, c.rows);
    const int next = 50 + 20 * static_cast<int>(c.rows.size() - 1);
    EXPECT_EQ(layout.rows.back().at.y, next);
    EXPECT_EQ(layout.height, next + 16);
  }
  // Rows without a pitch (messages, the heading) are never broken.
  MessagePicture message;
  message.WriteRow(0, "解答を訂正してください解答を訂正してください", 14, Color::Blue());
  RecordingCanvas canvas;
  EXPECT_EQ(LayOutMessagePicture(canvas, message, 100).rows, message.texts);
}

// The sheet of a unit with random data, as the window shows its variants:
// box b of variant n expects 100 n + b.
class SheetVariants final : public RunVariants {
 public:
  SheetVariants(AnswerBoxRegistry& registry, std::int64_t count)
      : registry_(registry), count_(count) {}
  std::int64_t Count() const override { return count_; }
  VariantLines Show(std::int64_t n) override {
    shown.push_back(n);
    for (int b = 1; b <= registry_.count(); ++b) registry_.box(b).answerText = Answer(n, b);
    return {{"選択" + std::to_string(n)}, {"ヒント" + std::to_string(n)}};
  }
  static std::string Answer(std::int64_t n, int box) { return std::to_string(100 * n + box); }
  std::vector<std::int64_t> shown;

 private:
  AnswerBoxRegistry& registry_;
  std::int64_t count_;
};

TEST_F(PracticeRunTest, EveryRunOfARandomUnitMeetsAFreshVariantAndReviewKeepsIt) {
  Build({"1", "2"}, {"選択"}, 630, {"ヒント"});
  SheetVariants variants(registry, 4);
  run->SetVariants(&variants);
  std::set<std::int64_t> met;
  for (const char* mode : {"practice", "test", "practice", "practice", "test", "practice"}) {
    SCOPED_TRACE(std::string(mode) + " run " + std::to_string(variants.shown.size() + 1));
    const std::int64_t before = run->Variant();
    Do(mode);
    ASSERT_FALSE(variants.shown.empty());
    const std::int64_t n = variants.shown.back();
    EXPECT_EQ(run->Variant(), n);
    EXPECT_TRUE(n >= 1 && n <= 4) << n;
    EXPECT_NE(n, before) << "a run never repeats the last run's numbers";
    EXPECT_EQ(run->View().choices, (Lines{"選択" + std::to_string(n)}));
    run->ShowHints();
    EXPECT_EQ(run->View().message.texts.back().text, "ヒント" + std::to_string(n));
    met.insert(n);
    Do("enter " + SheetVariants::Answer(n, 1));
    Do("enter " + SheetVariants::Answer(n, 2));
    if (std::string(mode) == "test") Do("grade");
    EXPECT_EQ(Statuses(), (std::vector<int>{1, 1})) << "judged against the variant shown";
  }
  EXPECT_GE(met.size(), 2U);

  // A review works on the numbers of the run it reviews.
  Do("practice");
  const std::int64_t n = run->Variant();
  Do("enter 7");
  Do("enter " + SheetVariants::Answer(n, 1));
  Do("enter " + SheetVariants::Answer(n, 2));
  ASSERT_TRUE(run->View().reviewEnabled);
  const std::size_t shows = variants.shown.size();
  Do("review");
  EXPECT_EQ(variants.shown.size(), shows);
  EXPECT_EQ(run->Variant(), n);
  Do("enter " + SheetVariants::Answer(n, 1));
  bool right = false;
  for (const SheetDrawing& drawing : last.drawings)
    if (const auto* mark = std::get_if<MarkDrawing>(&drawing))
      right = right || mark->mark == GradingMark::DoubleCircle;
  EXPECT_TRUE(right) << "the review judges against the run's variant";

  // With one variant there is nothing else to show.
  SheetVariants single(registry, 1);
  run->SetVariants(&single);
  Do("practice");
  EXPECT_EQ(single.shown, (std::vector<std::int64_t>{1}));
}

}  // namespace
}  // namespace tavolo
