// Judging, scoring, the result picture and the score's place, and the number
// pad's compositions.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "practice/grading.h"
#include "practice/number_pad.h"
#include "sheet/recording_canvas.h"

namespace tavolo {
namespace {

// A random source that returns scripted indices, so a test names the choice.
RandomIndex Scripted(std::deque<std::size_t> picks) {
  auto queue = std::make_shared<std::deque<std::size_t>>(std::move(picks));
  return [queue](std::size_t bound) {
    std::size_t pick = 0;
    if (!queue->empty()) {
      pick = queue->front();
      queue->pop_front();
    }
    EXPECT_LT(pick, bound);
    return pick;
  };
}

TEST(JudgeAnswerTest, TrimmedExactComparison) {
  struct Case {
    const char* answerText;
    const char* typed;
    bool shown;
    Judgement expected;
  };
  const Case cases[] = {
      {"1/2", "1/2", false, Judgement::Correct},
      {"1/2", " 1/2", false, Judgement::Correct},
      {"1/2", "1/2　", false, Judgement::Correct},  // full-width space at the end
      {"1/2", "１/２", false, Judgement::Wrong},    // full-width digits differ
      {"1/2", "2/4", false, Judgement::Wrong},
      {"3", "　 3", false, Judgement::Wrong},  // the blank after the wide space stays
      {"3", "\t3\r", false, Judgement::Correct},
      {"x=3;3", "x=3", false, Judgement::Correct},
      {"x=3;3", "3", false, Judgement::Correct},
      {"x=3;3", "x = 3", false, Judgement::Wrong},  // inner blanks count
      {"a;b", "A", false, Judgement::Wrong},        // case-sensitive
      {"1/2;0.5", "0.5", true, Judgement::CorrectAfterShown},
      {"-5", "-5", true, Judgement::CorrectAfterShown},
      {"-5", "5", true, Judgement::Wrong},
      {"", "", false, Judgement::Correct},  // an empty model matches only nothing typed
      {"", "0", false, Judgement::Wrong},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JudgeAnswer(AnswerKey(c.answerText), c.shown, c.typed), c.expected)
        << c.answerText << " / '" << c.typed << "'";
  }
  EXPECT_EQ(AnswerKey("x=3;3").Model(), "x=3");
  EXPECT_EQ(AnswerKey("7;").Answers(), (std::vector<std::string>{"7", ""}));
}

TEST(JudgeAnswerTest, AnotherCodeOfTheSameCharacterIsTheSameAnswer) {
  // "√2" as a file from another machine holds it: √ as the NEC code 0x8795.
  const std::string fromFile = DecodeCp932(
      "\x87\x95"
      "2");
  ASSERT_NE(fromFile, "√2");  // the code variant travels with the text
  EXPECT_EQ(JudgeAnswer(AnswerKey(fromFile), false, "√2"), Judgement::Correct);
  EXPECT_EQ(JudgeAnswer(AnswerKey("√2"), false, fromFile), Judgement::Correct);
}

// Only answers with characters outside ASCII need the input method to be typed.
TEST(AnswerKeyTest, NeedsTheInputMethodOnlyForJapaneseOrFullWidthAnswers) {
  for (const char* typedDirectly : {"-8", "2&1/3", "x=3;3", "+0.5;1/2", "A", " 3　", ""})
    EXPECT_FALSE(AnswerKey(typedDirectly).NeedsInputMethod()) << typedDirectly;
  for (const char* withInputMethod : {"正の数", "＜", "3;３", "Ａ;A", "5個"})
    EXPECT_TRUE(AnswerKey(withInputMethod).NeedsInputMethod()) << withInputMethod;
}

TEST(ScoreTest, RoundsHalvesUp) {
  const struct {
    int correct, count, score;
  } cases[] = {{1, 3, 33},  {2, 3, 67}, {1, 8, 13}, {3, 8, 38},   {0, 5, 0},
               {5, 5, 100}, {1, 2, 50}, {0, 0, 0},  {79, 80, 99}, {1, 80, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(ScoreOf(c.correct, c.count), c.score) << c.correct << "/" << c.count;
}

TEST(ResultPictureTest, ByScoreBandWithCoinTossesAtTheTop) {
  const struct {
    int score;
    std::size_t pick;
    ResultPicture picture;
  } cases[] = {
      {0, 0, ResultPicture::Gaoh},    {1, 0, ResultPicture::Namida},
      {20, 0, ResultPicture::Namida}, {39, 0, ResultPicture::Namida},
      {40, 0, ResultPicture::Nanda},  {59, 0, ResultPicture::Nanda},
      {60, 0, ResultPicture::Sleep},  {79, 0, ResultPicture::Sleep},
      {80, 0, ResultPicture::Happy},  {99, 1, ResultPicture::GreenHeart},
      {100, 0, ResultPicture::Kutta}, {100, 1, ResultPicture::RedHeart},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResultPictureFor(c.score, Scripted({c.pick})), c.picture) << c.score;
  EXPECT_EQ(ResultPictureName(ResultPicture::GreenHeart), "imgGreenHeart");
  EXPECT_EQ(ResultPictureName(ResultPicture::Gaoh), "imgGaoh");
  // Each of a pair comes up about half the time from a fair source.
  auto fair = RepeatableRandomIndex(7);
  int hearts = 0;
  for (int i = 0; i < 1000; ++i) hearts += ResultPictureFor(100, fair) == ResultPicture::RedHeart;
  EXPECT_GT(hearts, 400);
  EXPECT_LT(hearts, 600);
}

TEST(PraiseTest, FramesAChosenPraise) {
  EXPECT_EQ(PraiseText(Scripted({0})), "★★正解です★★");
  EXPECT_EQ(PraiseText(Scripted({5})), "★★ＮＩＣＥ★★");
}

TEST(ScoreDrawingTest, NumberThenUnitBesideTheTitle) {
  // x = round(scale x (panel + spot.x - 100 - 17 x digits)).
  EXPECT_EQ(PlaceScore(75, {505, 35}, 120, 1.0).numberAt, (Point{491, 35}));
  EXPECT_EQ(PlaceScore(100, {505, 35}, 120, 1.0).numberAt, (Point{474, 35}));
  EXPECT_EQ(PlaceScore(5, {505, 35}, 120, 1.0).numberAt, (Point{508, 35}));
  EXPECT_EQ(PlaceScore(5, {505, 35}, 120, 2.0).numberAt, (Point{1016, 35}));
  EXPECT_EQ(PlaceScore(5, {505, 35}, 120, 2.0).unitRise, 30);

  RecordingCanvas canvas;
  DrawScore(canvas, 75, {505, 35}, 120, 1.0);
  const auto texts = canvas.texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "75");
  EXPECT_EQ(texts[0].from, (Point{491, 35}));
  EXPECT_EQ(texts[0].font.size, 38);
  EXPECT_EQ(texts[0].font.color, Color::Red());
  EXPECT_FALSE(texts[0].brush.solid);
  EXPECT_EQ(texts[1].text, "点");
  EXPECT_EQ(texts[1].from, (Point{texts[0].rect.right, 50}));
  EXPECT_EQ(texts[1].font.size, 24);
  EXPECT_EQ(canvas.font().size, 12);  // the canvas font is left as it was
}

// A pad press: a key caption, "分の", "enter-den" (Enter in the denominator)
// or "den=TEXT" / "main=TEXT" / "num=TEXT" (typing into an edit).
void Press(NumberPad& pad, const std::string& press) {
  if (press == "分の") return pad.PressBunno();
  if (press == "enter-den") return pad.EnterInDenominator();
  if (press.starts_with("den=")) return pad.Type(NumberPad::Field::Denominator, press.substr(4));
  if (press.starts_with("main=")) return pad.Type(NumberPad::Field::MainEntry, press.substr(5));
  if (press.starts_with("num=")) return pad.Type(NumberPad::Field::Numerator, press.substr(4));
  ASSERT_EQ(press.size(), 1u) << press;
  pad.PressKey(press[0]);
}

TEST(NumberPadTest, ComposesWhatTheLearnerReads) {
  struct Case {
    std::vector<std::string> presses;
    std::optional<std::string> composed;
  };
  const Case cases[] = {
      {{"3"}, "3"},
      {{"-", "3"}, "-3"},
      {{"0", ".", "5"}, "0.5"},
      {{"7", "分の", "5"}, "5/7"},
      {{"-", "7", "分の", "5"}, "-5/7"},
      {{"+", "7", "分の", "5"}, "+5/7"},
      {{"2", "den=3", "分の", "1"}, "2&1/3"},
      {{"-", "2", "den=3", "分の", "1"}, "-2&1/3"},
      {{"1", "2", "分の", "num=11"}, "11/12"},
      // The sign must come first: "2", "-" makes the main entry '2-'.
      {{"2", "-", "分の", "1"}, "1/2-"},
      // Digits are ignored in mode 0 once a fraction is begun.
      {{"den=4", "5", "分の", "3"}, "3/4"},
      // 分の twice keeps the denominator.
      {{"7", "分の", "分の", "5"}, "5/7"},
      // Nothing, or a fraction without its numerator, puts nothing in the box.
      {{}, std::nullopt},
      {{"7", "分の"}, std::nullopt},
  };
  for (const Case& c : cases) {
    NumberPad pad;
    std::string trace;
    for (const auto& press : c.presses) {
      Press(pad, press);
      trace += press + " ";
    }
    EXPECT_EQ(pad.Compose(), c.composed) << trace;
  }
}

TEST(NumberPadTest, StateAfterEachStep) {
  NumberPad pad;
  pad.PressKey('-');
  pad.PressKey('7');
  EXPECT_EQ(pad.MainEntry(), "-7");
  EXPECT_EQ(pad.FocusedField(), NumberPad::Field::MainEntry);
  pad.PressBunno();
  EXPECT_EQ(pad.Sign(), "-");
  EXPECT_EQ(pad.Denominator(), "7");
  EXPECT_EQ(pad.MainEntry(), "");
  EXPECT_EQ(pad.CurrentMode(), NumberPad::Mode::Numerator);
  EXPECT_EQ(pad.FocusedField(), NumberPad::Field::Numerator);
  EXPECT_EQ(pad.BarColor(), Color::White());
  pad.PressBunno();  // again: the bar turns red, the denominator stays
  EXPECT_EQ(pad.BarColor(), Color::Red());
  EXPECT_EQ(pad.Denominator(), "7");
  pad.PressKey('5');
  EXPECT_EQ(pad.Numerator(), "5");
  EXPECT_EQ(pad.Compose(), "-5/7");
  // A composed fraction empties the edits, whitens the bar, back to mode 0;
  // the sign label is emptied by 次へ afterwards.
  EXPECT_EQ(pad.Denominator(), "");
  EXPECT_EQ(pad.Numerator(), "");
  EXPECT_EQ(pad.BarColor(), Color::White());
  EXPECT_EQ(pad.CurrentMode(), NumberPad::Mode::MainEntry);
  pad.Clear();
  EXPECT_EQ(pad.Sign(), "");

  pad.PressKey('3');
  pad.EnterInDenominator();
  EXPECT_EQ(pad.FocusedField(), NumberPad::Field::Numerator);
  // A main entry alone stays in the pad after composing (次へ empties it).
  EXPECT_EQ(pad.Compose(), "3");
  EXPECT_EQ(pad.MainEntry(), "3");
}

}  // namespace
}  // namespace tavolo
