// The editor's text rules: answer-mark checks with the caret line, answer
// extraction, numbering, the choice box and figure entries.

#include <gtest/gtest.h>

#include "authoring/answer_choices.h"
#include "authoring/editor_figures.h"
#include "authoring/question_text.h"
#include "sheet/page_renderer.h"

namespace tavolo {
namespace {

TEST(QuestionText, ValidTextsAndTheirAnswers) {
  struct Case {
    Lines text;
    Lines answers;
  };
  const Case cases[] = {
      {{"１．次の各空欄に適語を入れなさい。", "例　日本の首都は　#　東京　#　です"}, {"東京"}},
      {{"#a# #b#"}, {"a", "b"}},
      // A blank between the marks is an answer until it is cleaned.
      {{"#　#"}, {""}},
      {{"instruction", "", "(1) #x;y# and #　z #", "(2) 3+4=#7#"}, {"x;y", "z", "7"}},
      {{"@U下線@/ #1/2;0.5#"}, {"1/2;0.5"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckQuestionText(c.text), std::nullopt) << c.text.back();
    EXPECT_EQ(ExtractAnswers(c.text), c.answers) << c.text.back();
  }
}

TEST(QuestionText, FaultsNameTheLineForTheCaret) {
  struct Case {
    Lines text;
    QuestionTextFault fault;
  };
  const Case cases[] = {
      // Nothing between the two answer fields.
      {{"#a##b#"}, {"1行目：解答がありません", 1}},
      {{"instruction", "##"}, {"2行目：解答がありません", 2}},
      {{"##a#b#"}, {"1行目：解答がありません", 1}},
      // Parity is checked per line: line 2 cannot make up for line 1.
      {{"#a# #b", "#c"}, {"1行目：＃の数は偶数にしてください", 1}},
      {{"ok #1#", "x", "a#b#c#d"}, {"3行目：＃の数は偶数にしてください", 3}},
      {{"no answer field", "anywhere"}, {"解答欄がありません", 1}},
      {{}, {"解答欄がありません", 1}},
      // The first fault wins, in line order.
      {{"#1#", "#", "##"}, {"2行目：＃の数は偶数にしてください", 2}},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckQuestionText(c.text), c.fault) << c.fault.message;
}

TEST(QuestionText, ButtonEditsAndNumbering) {
  EXPECT_EQ(AnswerFieldText("東京"), " # 東京 # ");
  EXPECT_EQ(StyledText(TextStyle::Underline, "a"), "@Ua@/");
  EXPECT_EQ(StyledText(TextStyle::Bold, "太字"), "@B太字@/");
  EXPECT_EQ(StyledText(TextStyle::Italic, "x"), "@Ix@/");

  struct Case {
    Lines before;
    Lines after;
  };
  const Case cases[] = {
      {{}, {}},
      {{"only the instruction"}, {"only the instruction"}},
      {{"次の計算をしなさい。", "3+4=#7#", "", "(1) 2-5=#-3#"},
       {"次の計算をしなさい。", "(1) 3+4=#7#", "(2) ", "(3) (1) 2-5=#-3#"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.before));
    Lines text = c.before;
    NumberQuestionLines(text);
    EXPECT_EQ(text, c.after);
  }
}

TEST(AnswerChoices, RebuildWithBothCheckBoxes) {
  struct Case {
    Lines answers;
    ChoiceFilter filter;
    Lines choices;
  };
  const ChoiceFilter both{true, true}, none{false, false}, digits{true, false}, labels{false, true};
  const Case cases[] = {
      {{"３", "ア", "x+1"}, both, {"x+1"}},
      {{"３", "ア", "x+1"}, none, {"３", "ア", "x+1"}},
      // Full-width digits go, half-width digits are no digits here, one byte is too short.
      {{"１２", "12", "1", "-3"}, digits, {"12", "-3"}},
      {{"１２", "12", "1", "-3"}, labels, {"１２", "12", "1", "-3"}},
      // Labels alone: Ｇ is none of them, and two labels together are text.
      {{"ア", "こ", "Ｊ", "Ｇ", "ＡＢ", "サ"}, labels, {"Ｇ", "ＡＢ", "サ"}},
      {{"1/2;0.5"}, both, {"1/2", "0.5"}},
      // Empty entries are skipped; repeats stay.
      {{"", "x", "x;y"}, none, {"x", "x", "y"}},
      {{"a;"}, none, {"a", ""}},
      {{"ab;"}, digits, {"ab"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RebuildChoices(c.answers, c.filter), c.choices) << c.answers.front();
}

TEST(AnswerChoices, DummiesAndCounters) {
  Lines choices = {"-2", "３"};
  AddDummyAnswers(choices, {"", "-2", "+8", "+8", "ア"});
  EXPECT_EQ(choices, (Lines{"-2", "３", "+8", "ア"}));
  // Half of each line's Shift-JIS length: 1 + 1 + 1 + 1, then "あい" 2 and "x+1" 1.
  EXPECT_EQ(CountChoices(choices), (ChoiceCounts{4, 4}));
  EXPECT_EQ(CountChoices({"あい", "x+1", "ab"}), (ChoiceCounts{4, 3}));
  EXPECT_EQ(CountChoices({}), (ChoiceCounts{0, 0}));
}

TEST(EditorFigures, EntriesFollowTheSegmentAnchorsUpToFifteen) {
  const std::vector<Point> anchors = {{10, 100}, {20, 200}};
  Lines question;
  for (const char* file : {"a.bmp", "b.bmp", "c.bmp"})
    ASSERT_TRUE(AddFigureEntry(question, FigureBox::Question, file, anchors, 400).ok());
  // Figure n + 1 beside segment n + 1; without a segment, below the last
  // question line.
  EXPECT_EQ(question, (Lines{"a.bmp", "50", "120", "b.bmp", "60", "220", "c.bmp", "40", "420"}));

  Lines answer;
  for (const char* file : {"a.bmp", "b.bmp"})
    ASSERT_TRUE(AddFigureEntry(answer, FigureBox::Answer, file, anchors, 400).ok());
  // One segment earlier than a question figure.
  EXPECT_EQ(answer, (Lines{"a.bmp", "40", "420", "b.bmp", "50", "120"}));

  // A new unit has no sheet: the figure goes below the header, title and
  // name line, not onto them; so does one whose segment stands in the header.
  const int top = QuestionAreaTop();
  EXPECT_GT(top, 90);
  Lines fresh;
  ASSERT_TRUE(AddFigureEntry(fresh, FigureBox::Question, "n.bmp", {}).ok());
  ASSERT_TRUE(AddFigureEntry(fresh, FigureBox::Question, "h.bmp", {{0, 0}, {5, 30}}).ok());
  EXPECT_EQ(fresh, (Lines{"n.bmp", "40", std::to_string(top + 20), "h.bmp", "40",
                          std::to_string(top + 20)}));

  for (FigureBox kind : {FigureBox::Question, FigureBox::Answer}) {
    Lines full;
    for (int i = 0; i < 14; ++i) ASSERT_TRUE(AddFigureEntry(full, kind, "f.bmp", {}).ok());
    ASSERT_TRUE(AddFigureEntry(full, kind, "15th.bmp", {}).ok());
    const Lines fifteen = full;
    const Status sixteenth = AddFigureEntry(full, kind, "16th.bmp", anchors);
    ASSERT_FALSE(sixteenth.ok());
    EXPECT_EQ(sixteenth.message(), "グラフは15個までです");
    EXPECT_EQ(full, fifteen);
  }
}

}  // namespace
}  // namespace tavolo
