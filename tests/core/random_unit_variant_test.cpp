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

}  // namespace
}  // namespace tavolo
