// Variants side by side, as 試す shows them: values and model answers per
// row, repeats marked with the first row they repeat, the count of different
// problems, one variant as text, and a broken block's messages instead.

#include <gtest/gtest.h>

#include <set>

#include "random/variant_table.h"

namespace tavolo {
namespace {

UnitContent UnitOf(std::vector<std::string> random, std::vector<std::string> question) {
  UnitContent unit;
  unit.questionLines = std::move(question);
  unit.randomLines = std::move(random);
  unit.randomFirstLine = unit.randomLines.empty() ? 0 : 1;
  return unit;
}

// Six value sets, of which the question shows only a: three problems, each
// first seen once and then repeated.
TEST(VariantTable, RepeatsPointAtTheFirstRowShowingTheSameProblem) {
  const VariantTable table =
      TabulateVariants(UnitOf({"a = int(1..3)", "b = pick(1, 2)"}, {"(1) $a+1=#=a+1#"}), 1, 40);
  ASSERT_TRUE(table.problems.empty());
  ASSERT_EQ(table.rows.size(), 40u);
  EXPECT_EQ(table.combinations, 6u);
  EXPECT_EQ(table.distinct, 3u);
  std::set<std::string> firsts;
  for (const VariantRow& row : table.rows) {
    SCOPED_TRACE(row.number);
    ASSERT_EQ(row.values.size(), 2u);
    ASSERT_EQ(row.answers.size(), 1u);
    EXPECT_EQ(row.answers[0], std::to_string(std::stoi(row.values[0].text) + 1));
    if (row.repeatOf == 0) {
      EXPECT_TRUE(firsts.insert(row.answers[0]).second);
      continue;
    }
    const VariantRow& first = table.rows[static_cast<std::size_t>(row.repeatOf - 1)];
    EXPECT_LT(first.number, row.number);
    EXPECT_EQ(first.repeatOf, 0);
    EXPECT_EQ(first.answers, row.answers);
  }
  // Every six numbers the value sets come round again.
  EXPECT_EQ(table.rows[6].values[1].text, table.rows[0].values[1].text);
  EXPECT_EQ(table.rows[0].repeatOf, 0);
  EXPECT_EQ(table.rows[6].repeatOf, 1);
}

TEST(VariantTable, AVariantAsTextAndABrokenBlock) {
  const VariantPreview preview(UnitOf({"a = int(5..5)"}, {"次の計算", "(1) $a-7=#=a-7#"}));
  const VariantText text = preview.Text(3);
  EXPECT_EQ(text.random.number, 3);
  EXPECT_EQ(text.lines, (std::vector<std::string>{"次の計算", "(1) 5-7=［-2］"}));

  const VariantPreview broken(UnitOf({"a = int(1..9)", "b = c"}, {"(1) $a=#=a#"}));
  EXPECT_TRUE(broken.Text(1).lines.empty());
  EXPECT_FALSE(broken.Text(1).random.problems.empty());
  const VariantTable table = broken.Table(1, 40);
  EXPECT_TRUE(table.rows.empty());
  EXPECT_EQ(table.problems, broken.Text(1).random.problems);

  const VariantPreview plain(UnitOf({}, {"(1) $a=#1#"}));
  EXPECT_FALSE(plain.HasRandomData());
  EXPECT_EQ(plain.Text(2).lines, (std::vector<std::string>{"(1) $a=［1］"}));
  EXPECT_TRUE(plain.Table(1, 40).rows.empty());
}

}  // namespace
}  // namespace tavolo
