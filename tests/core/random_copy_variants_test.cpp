// Numbered copies of a unit with random data: each copy's lines and answers
// are those of its own variant, every layout value stays the sheet's, and a
// unit without a block gives every copy the sheet as it is.

#include <gtest/gtest.h>

#include "random/copy_variants.h"
#include "random/unit_variant.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;

UnitContent SmallBlock() {
  UnitContent unit;
  unit.questionLines = {"(1) $a+$b=#=a+b#", "(2) $a*$b=#=a*b#"};
  unit.kgroupLines = {"$a", "$b"};
  unit.randomLines = {"a = int(-4..4) except 0", "b = int(2..5)"};
  unit.randomFirstLine = 7;
  return unit;
}

// The values of variant n as the engine drew them, and the answers worked
// out from them here.
Lines AnswersFromValues(const UnitContent& unit, int n) {
  const RandomVariant random = ExpandUnitVariant(unit, n).random;
  const int a = std::stoi(random.values.at(0).text);
  const int b = std::stoi(random.values.at(1).text);
  return {std::to_string(a + b), std::to_string(a * b)};
}

TEST(RandomCopyVariants, EachCopyHasTheLinesAndAnswersOfItsOwnVariant) {
  const UnitContent unit = SmallBlock();
  const CopyVariants copies(unit);
  ASSERT_TRUE(copies.HasRandomData());
  EXPECT_EQ(copies.Fingerprint().size(), 4u);

  const std::vector<AnswerListRow> rows = copies.AnswerList(5, 4);
  ASSERT_EQ(rows.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE("copy " + std::to_string(i + 1));
    EXPECT_EQ(rows[i].number, 5 + i);
    EXPECT_EQ(rows[i].answers, AnswersFromValues(unit, 5 + i));
  }
  EXPECT_NE(rows[0].answers, rows[1].answers);

  // A teacher's layout, placed figures and title stay; the lines are variant 6's.
  SheetParams params = LoadSheetParams(unit, true).params;
  params.lineSpacing = 44;
  params.kran[0] = "5";
  params.unit.title = "見出し";
  params.unit.graphLines = {"1", "120", "300", "fig.bmp"};
  SheetParams expected = params;
  const UnitVariant six = ExpandUnitVariant(unit, 6);
  expected.unit.questionLines = six.content.questionLines;
  expected.unit.kgroupLines = six.content.kgroupLines;
  copies.PutVariant(6, params);
  EXPECT_EQ(params.unit, expected.unit);
  EXPECT_EQ(params.lineSpacing, 44);
  EXPECT_EQ(params.kran, expected.kran);
}

TEST(RandomCopyVariants, CopiesOfAUnitWithoutABlockAreTheSheet) {
  UnitContent unit;
  unit.questionLines = {"(1) 2+3=#5;+5#", "$a は文字のまま#7#"};
  const CopyVariants copies(unit);
  EXPECT_FALSE(copies.HasRandomData());
  EXPECT_EQ(copies.Fingerprint(), "");
  EXPECT_EQ(copies.AnswerList(1, 2),
            (std::vector<AnswerListRow>{{1, {"5", "7"}}, {2, {"5", "7"}}}));
  SheetParams params = LoadSheetParams(unit, true).params;
  const SheetParams before = params;
  copies.PutVariant(3, params);
  EXPECT_EQ(params.unit, before.unit);
}

// The copies that differ in a row: the listed combinations, or none when
// each copy is drawn on its own.
TEST(RandomCopyVariants, DistinctCountIsTheListedCombinations) {
  UnitContent sampled = SmallBlock();
  sampled.randomLines = {"a = int(1..1000)", "b = int(1..1000)"};
  EXPECT_EQ(CopyVariants(SmallBlock()).DistinctCount(), 32u);
  EXPECT_EQ(CopyVariants(sampled).DistinctCount(), std::nullopt);
  EXPECT_EQ(CopyVariants(UnitContent{}).DistinctCount(), std::nullopt);
}

}  // namespace
}  // namespace tavolo
