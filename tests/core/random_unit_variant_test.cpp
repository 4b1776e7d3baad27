// One variant of a unit with random data: its lines with the values in, its
// computed answers written out and padded; units without a block, or with a
// broken one, stay as they were read.

#include <gtest/gtest.h>

#include <set>

#include "random/unit_variant.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;

TEST(RandomUnitVariant, ExpandsQuestionsAndChoicesOrLeavesTheUnitAlone) {
  UnitContent unit;
  unit.questionLines = {"$a+$b=#=a+b#", "${show(a-b)}"};
  unit.kgroupLines = {"${a:zen}"};
  unit.randomLines = {"a = int(1..3)", "b = pick(10)"};
  unit.randomFirstLine = 5;
  const RandomUnit random(unit);
  ASSERT_TRUE(random.Problems().empty());
  ASSERT_EQ(random.AllVariants()->Count(), 3u);
  std::set<std::string> seen;
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    const UnitVariant v = random.Expand(n);
    ASSERT_TRUE(v.random.problems.empty());
    ASSERT_EQ(v.random.values.size(), 2u);
    const std::string a = v.random.values[0].text;
    const int sum = std::stoi(a) + 10;
    EXPECT_EQ(
        v.content.questionLines,
        (Lines{a + "+10=#" + std::to_string(sum) + ";+" + std::to_string(sum) + "#", a + "-10"}));
    EXPECT_EQ(ModelAnswers(v.content), Lines{std::to_string(sum)});
    EXPECT_EQ(v.random.number, n);
    EXPECT_EQ(v.random.fingerprint.size(), 4u);
    EXPECT_EQ(v.content.randomLines, unit.randomLines);
    seen.insert(a);
  }
  EXPECT_EQ(seen.size(), 3u);  // three variants, all different
  EXPECT_EQ(random.Expand(0).content, random.Expand(1).content);

  UnitContent plain;
  plain.questionLines = {"$a=#=a#"};
  const UnitVariant untouched = ExpandUnitVariant(plain, 2);
  EXPECT_EQ(untouched.content, plain);
  EXPECT_EQ(untouched.random.number, 0);

  const struct {
    const char* label;
    Lines block;
  } broken[] = {{"a syntax error", {"a = int(1..)"}},
                {"a condition nothing meets", {"a = int(1..3)", "require a > 5"}}};
  for (const auto& c : broken) {
    SCOPED_TRACE(c.label);
    UnitContent bad = unit;
    bad.randomLines = c.block;
    const UnitVariant v = ExpandUnitVariant(bad, 1);
    EXPECT_EQ(v.content, bad);
    EXPECT_FALSE(v.random.problems.empty());
  }
}

// Hints and dummy answers live outside the unit's content: their placeholders
// are filled in for the variant asked for, or the lines stay as written.
TEST(RandomUnitVariant, ExpandsLinesKeptApartFromTheUnit) {
  UnitContent unit;
  unit.randomLines = {"a = int(1..3)", "b = pick(10)"};
  unit.randomFirstLine = 5;
  const RandomUnit random(unit);
  const std::string a = random.Expand(2).random.values.at(0).text;
  const std::string product = std::to_string(std::stoi(a) * 10);
  UnitContent plain;
  const RandomUnit none(plain);
  UnitContent broken = unit;
  broken.randomLines = {"a = int(1..)"};
  const RandomUnit bad(broken);

  const struct {
    const char* label;
    const RandomUnit& unit;
    Lines lines, expected;
    const char* problem;  // the start of the only message; nullptr: none
  } cases[] = {
      {"values in",
       random,
       {"$a と $b", "${a*b:p}", "5 $ です"},
       {a + " と 10", product, "5 $ です"},
       nullptr},
      {"a line that cannot be written",
       random,
       {"$a", "${zz}"},
       {"$a", "${zz}"},
       "ヒントの 2 行目: "},
      {"no block", none, {"$a と $b"}, {"$a と $b"}, nullptr},
      {"a broken block (Expand tells)", bad, {"$a"}, {"$a"}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const ExpandedLines expanded = c.unit.ExpandLines(2, c.lines, "ヒント");
    EXPECT_EQ(expanded.lines, c.expected);
    if (c.problem == nullptr) {
      EXPECT_TRUE(expanded.problems.empty());
    } else {
      ASSERT_EQ(expanded.problems.size(), 1u);
      EXPECT_TRUE(expanded.problems[0].starts_with(c.problem)) << expanded.problems[0];
      EXPECT_GT(expanded.problems[0].size(), std::string(c.problem).size());
    }
  }
}

}  // namespace
}  // namespace tavolo
