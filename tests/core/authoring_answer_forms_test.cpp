// The equivalent forms of a number that an answer box leaves out, and the
// course-wide report of them.

#include <gtest/gtest.h>

#include "authoring/answer_form_check.h"
#include "authoring/answer_forms.h"
#include "random/unit_check.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using Forms = std::vector<std::string>;

TEST(AnswerForms, ReadsNumbersAsLearnersTypeThem) {
  struct Case {
    const char* text;
    std::int64_t numerator, denominator;
    bool plus;
  } const valid[] = {
      {"7", 7, 1, false},       {"+7", 7, 1, true},   {"-0.25", -1, 4, false},
      {"2.50", 5, 2, false},    {"6/4", 3, 2, false}, {"-2&1/3", -7, 3, false},
      {"+1&1/2", 3, 2, true},   {"0", 0, 1, false},   {"999999999", 999999999, 1, false},
      {"0.001", 1, 1000, false}};
  for (const auto& c : valid) {
    const auto number = ParseTypedNumber(c.text);
    ASSERT_TRUE(number.has_value()) << c.text;
    EXPECT_EQ(number->numerator, c.numerator) << c.text;
    EXPECT_EQ(number->denominator, c.denominator) << c.text;
    EXPECT_EQ(number->plusSign, c.plus) << c.text;
  }
  for (const char* text : {"", "+", "-", ".5", "5.", "1/0", "2&1", "2&1/", "1/2/3", "+-3", " 3",
                           "3 ", "x=3", "１/２", "1234567890", "3e2", "(3)", "2&1/0"})
    EXPECT_FALSE(ParseTypedNumber(text).has_value()) << text;
}

TEST(AnswerForms, SuggestsWhatTheBoxLeavesOut) {
  struct Case {
    Forms accepted;
    Forms missing;
  } const cases[] = {
      // The example every author meets first.
      {{"3/2"}, {"+3/2", "1.5", "1&1/2"}},
      {{"3/2", "+3/2", "1.5", "1&1/2"}, {"+1.5", "+1&1/2"}},
      {{"+3.5", "3.5", "+7/2"}, {"7/2", "+3&1/2", "3&1/2"}},
      {{"9/4", "+9/4", "2&1/4", "2.25"}, {"+2&1/4", "+2.25"}},
      // Negative numbers have no "+" form.
      {{"-1/5"}, {"-0.2"}},
      {{"-3/2", "-1.5", "-1&1/2"}, {}},
      {{"-4"}, {}},
      // Whole numbers: only the sign.
      {{"14"}, {"+14"}},
      {{"+7", "7"}, {}},
      {{"0"}, {}},
      // Every decimal has its fraction, in each sign style the box uses.
      {{"0.09", "+0.09"}, {"9/100", "+9/100"}},
      // Thirds have no exact decimal; forms over 6 characters are left out.
      {{"-7/3"}, {"-2&1/3"}},
      {{"-25/13"}, {}},
      {{"-0.001"}, {}},
      {{"2&7/10"}, {"2.7", "27/10"}},
      // An unreduced fraction is accepted as it stands but never suggested.
      {{"6/4"}, {"1.5", "3/2", "1&1/2"}},
      {{"-2.50"}, {"-2.5", "-5/2", "-2&1/2"}},
      // Compared as judging compares: blanks and full-width spaces trimmed.
      {{" 1/2 ", "0.5　"}, {"+1/2", "+0.5"}},
      // Not a number: nothing to suggest.
      {{"正の数"}, {}},
      {{"x=3", "3"}, {}},
      {{"＜"}, {}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    std::string where;
    for (const auto& a : c.accepted) where += "[" + a + "]";
    EXPECT_EQ(MissingAnswerForms(c.accepted), c.missing) << where;
  }
}

TEST(AnswerForms, NoSuggestionIsAlreadyAcceptedAndAllAreTheSameValue) {
  for (const Forms& accepted :
       {Forms{"5/8"}, Forms{"+0.75"}, Forms{"-1&3/4"}, Forms{"12.5"}, Forms{"+1/1000"}}) {
    const auto model = ParseTypedNumber(accepted[0]);
    for (const auto& form : MissingAnswerForms(accepted)) {
      EXPECT_NE(form, accepted[0]);
      const auto number = ParseTypedNumber(form);
      ASSERT_TRUE(number.has_value()) << form;
      EXPECT_TRUE(number->SameValue(*model)) << form;
      EXPECT_LE(form.size(), kShortFormLength) << form;
    }
  }
}

// A course of one lesson with a unit and a similar problem; box numbers count
// every answer of the unit, numeric or not.
TEST(AnswerFormCheck, ReportsEachBoxWithItsFileLineUnitAndNumber) {
  test::TempFolder folder;
  test::WriteCp932Lines(folder / "Main.ind", {"題", "", "正負,kazu\\\\k"});
  test::WriteCp932Lines(folder / "kazu" / "k.ind",
                        {"正負", "[[sect1", "計算", "<<", "一", ">>", "]]"});
  test::WriteCp932Lines(
      folder / "kazu" / "k1.que",
      {"[[unit1", "<<ques", "(1) -8 は #負の数# (2) 2\\(-4)=#-1/2;-0.5#", "(3) (-3)^2=# 9 ;+9#", "",
       "(4) 3\\2=#3/2#", ">>", "]]", "[[unit1R1", "<<ques", "(1) 2&1/3=#7/3#", ">>", "]]"});
  const auto course = ReadCourseIndex(test::CourseFolderOf(folder));
  ASSERT_TRUE(course.ok()) << course.message();
  const AnswerFormReport report = CheckAnswerForms(course.value());
  const std::string file = test::CourseFolderOf(folder) + "kazu/k1.que";
  ASSERT_EQ(report.gaps.size(), 2u);
  EXPECT_EQ(report.numericBoxCount, 4);
  const AnswerFormGap first = report.gaps[0], second = report.gaps[1];
  EXPECT_EQ(first.file, file);
  EXPECT_EQ(first.line, 6);
  EXPECT_EQ(first.unit, "1.1.1");
  EXPECT_EQ(first.box, 4);
  EXPECT_EQ(first.answer, "3/2");
  EXPECT_EQ(first.missing, (Forms{"+3/2", "1.5", "1&1/2"}));
  EXPECT_EQ(second.line, 11);
  EXPECT_EQ(second.unit, "1.1.1R1");
  EXPECT_EQ(second.box, 1);
  EXPECT_EQ(second.missing, (Forms{"+7/3", "2&1/3"}));
}

// A unit with random data is looked at as its variants show it: a computed
// answer brings its forms along, a literal one written with a placeholder is
// told with the first variant that lacks some; each box counts once.
TEST(AnswerFormCheck, LooksAtTheVariantsOfAUnitWithRandomData) {
  test::TempFolder folder;
  test::WriteCp932Lines(folder / "Main.ind", {"題", "", "正負,kazu\\\\k"});
  test::WriteCp932Lines(folder / "kazu" / "k.ind",
                        {"正負", "[[sect1", "計算", "<<", "一", ">>", "]]"});
  test::WriteCp932Lines(folder / "kazu" / "k1.que",
                        {"[[unit1", "<<ques", "(1) $a+1=#=a+1#", "(2) $a+4=#${a+4}#", ">>",
                         "<<random", "a = int(1..3)", ">>", "]]"});
  const auto course = ReadCourseIndex(test::CourseFolderOf(folder));
  ASSERT_TRUE(course.ok()) << course.message();
  const AnswerFormReport report = CheckAnswerForms(course.value(), QuestionLinesOfVariants);
  EXPECT_EQ(report.numericBoxCount, 2);
  ASSERT_EQ(report.gaps.size(), 1u);
  const AnswerFormGap& gap = report.gaps[0];
  EXPECT_EQ(gap.line, 4);
  EXPECT_EQ(gap.box, 2);
  EXPECT_EQ(gap.variant, 1);
  EXPECT_TRUE(gap.answer == "5" || gap.answer == "6" || gap.answer == "7") << gap.answer;
  EXPECT_EQ(gap.missing, (Forms{"+" + gap.answer}));
}

}  // namespace
}  // namespace tavolo
