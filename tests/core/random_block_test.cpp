// The block of random data: what it reads and what it refuses (each message
// with the file's line and, for syntax, the column), and its variants: the
// generator's fixed vectors, enumeration whose variants all differ, and
// bounded drawing of large blocks.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "random/block.h"
#include "random/variants.h"

namespace tavolo {
namespace {

std::optional<RandomBlock> ReadLines(const std::vector<std::string>& lines,
                                     std::vector<RandomBlockError>& errors) {
  return RandomBlock::Read(lines, 10, errors);
}

std::int64_t IntegerOf(const Value& value) { return value.number.num; }

TEST(RandomBlock, ReadsDeclarationsAndNamesTheLineOfEachError) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::string error;  // the first error's text; empty: the block reads
  };
  const Case cases[] = {
      {"the note's example",
       {"% a comment", "a = int(-20..20) except 0", "b = int(-20..20) except 0, -a",
        "c, d = int(2..9)              % two draws", "x = dec(-5..5 step 0.5) except 0",
        "w = pick(3, 5, 7)", "v = pick(\"北\", \"南%\")", "s = a + b", "",
        "require a * b < 0 or abs(a) > 5"},
       ""},
      {"lines ending in CR", {"a = int(1..3)\r", "b = a  % a note\r"}, ""},
      {"a billion values are not listed", {"a = int(1..1000000000)"}, ""},
      {"the whole 64-bit range", {"a = int(-9223372036854775807..9223372036854775807)"}, ""},
      {"an indented line",
       {"  a = int(1..3)"},
       "10 行目: 乱数の行は英小文字か % で書き始めてください"},
      {"a line in capitals",
       {"a = int(1..3)", "B = 2"},
       "11 行目: 乱数の行は英小文字か % で書き始めてください"},
      {"a capital inside a name",
       {"aB = 2"},
       "10 行目 1 文字目: 名前は英小文字で始め、英小文字、数字、_ で書いてください"},
      {"a function's name",
       {"abs = int(1..3)"},
       "10 行目 1 文字目: 「abs」は関数や語の名前なので、値の名前には使えません"},
      {"a word's name",
       {"a = 1", "step = 2"},
       "11 行目 1 文字目: 「step」は関数や語の名前なので、値の名前には使えません"},
      {"a name of 17 letters",
       {"abcdefghijklmnopq = 1"},
       "10 行目 1 文字目: 名前「abcdefghijklmnopq」が長すぎます（16 文字まで）"},
      {"a name twice", {"a = 1", "a = 2"}, "11 行目 1 文字目: 「a」はもう決まっています"},
      {"a name twice on one line",
       {"c, c = int(1..2)"},
       "10 行目 4 文字目: 「c」はもう決まっています"},
      {"a later name",
       {"a = b + 1", "b = int(1..3)"},
       "10 行目 5 文字目: 「b」はこの行より後で決まる名前なので使えません"},
      {"its own name",
       {"a = int(1..3) except a"},
       "10 行目 22 文字目: 「a」はこの行より後で決まる名前なので使えません"},
      {"an unknown name", {"a = q"}, "10 行目 5 文字目: 「q」という名前はありません"},
      {"a column counted in characters",
       {"a = pick(\"北\", q)"},
       "10 行目 15 文字目: 「q」という名前はありません"},
      {"an empty range",
       {"a = int(5..1)"},
       "10 行目 9 文字目: 範囲が空です（下限が上限より大きくなっています）"},
      {"a decimal range of int",
       {"a = int(0.5..3)"},
       "10 行目 9 文字目: int の範囲は整数で、刻みは正の整数で書いてください"},
      {"a zero step",
       {"a = int(1..3 step 0)"},
       "10 行目 9 文字目: int の範囲は整数で、刻みは正の整数で書いてください"},
      {"dec without a step",
       {"a = dec(1..3)"},
       "10 行目 13 文字目: dec には step で刻みを書いてください"},
      {"dec with a third",
       {"a = dec(0..1 step 1/3)"},
       "10 行目 9 文字目: dec の範囲と刻みは 0.1 や 0.25 "
       "のような小数で、刻みは正の数で書いてください"},
      {"a variable in a range",
       {"a = 3", "b = int(1..a)"},
       "11 行目 12 文字目: 範囲には値の名前を使えません"},
      {"a bound past 64 bits",
       {"a = int(1..9223372036854775807 + 1)"},
       "10 行目 12 文字目: 数が大きすぎて計算できません"},
      {"a tower of powers in a bound",
       {"a = int(1..2^2^2^2^2)"},
       "10 行目 12 文字目: 累乗の指数は -12 から 12 までの整数にしてください"},
      {"except leaves nothing",
       {"a = int(1..2) except 1, 2"},
       "10 行目: except で値がすべて除かれて、引ける値が残りません"},
      {"two names for one expression",
       {"a, b = 1 + 2"},
       "10 行目 8 文字目: 式から決める値は一行に一つにしてください"},
      {"missing equals", {"a int(1..3)"}, "10 行目 3 文字目: 「=」がありません"},
      {"a syntax error's column", {"a = (1 + 2"}, "10 行目 11 文字目: 「)」がありません"},
      {"something after the generator",
       {"a = int(1..3) 4"},
       "10 行目 15 文字目: ここに書けないものがあります"},
      {"require without a condition", {"require"}, "10 行目 8 文字目: 式が途中で終わっています"},
      {"a truth in pick",
       {"a = pick(1 < 2)"},
       "10 行目 10 文字目: pick には数か文字列を書いてください"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<RandomBlockError> errors;
    const auto block = ReadLines(c.lines, errors);
    if (c.error.empty()) {
      EXPECT_TRUE(block.has_value());
      EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors.front().Text());
    } else {
      EXPECT_FALSE(block.has_value());
      ASSERT_FALSE(errors.empty());
      EXPECT_EQ(errors.front().Text(), c.error);
    }
  }
}

TEST(RandomVariants, GeneratorHashAndFingerprintKeepTheirFixedVectors) {
  SplitMix64 generator(1234567);
  for (const std::uint64_t expected :
       {6457827717110365317ull, 3203168211198807973ull, 9817491932198370423ull,
        4593380528125082431ull, 16408922859458223821ull})
    EXPECT_EQ(generator.Next(), expected);
  SplitMix64 bounded(0);
  for (const std::uint64_t expected : {8, 4, 0, 9, 1, 3, 1, 7})
    EXPECT_EQ(bounded.Below(10), expected);
  EXPECT_EQ(Fnv1a64(""), 0xcbf29ce484222325ull);
  EXPECT_EQ(Fnv1a64("a"), 0xaf63dc4c8601ec8cull);
  EXPECT_EQ(Fnv1a64("foobar"), 0x85944171f73967e8ull);
  // Blanks at the ends of lines play no part; everything else does.
  EXPECT_EQ(BlockTextHash({"a = int(1..3)  ", "b = 2\r"}), Fnv1a64("a = int(1..3)\nb = 2"));
  EXPECT_NE(BlockTextHash({"a = int(1..3)"}), BlockTextHash({"a = int(1..4)"}));
  const std::string fingerprint = Fingerprint(Fnv1a64("a = int(1..3)"));
  EXPECT_EQ(fingerprint.size(), 4u);
  EXPECT_EQ(fingerprint.find_first_not_of("23456789ABCDEFGHJKLMNPQRSTUVWXYZ"), std::string::npos);
  EXPECT_NE(fingerprint, Fingerprint(Fnv1a64("a = int(1..4)")));
}

// Copies printed today must show the same numbers in every later version:
// these values were worked out apart from the engine (FNV-1a of the text,
// SplitMix64, Lemire's bounded integers, one Fisher-Yates shuffle).
TEST(RandomVariants, VariantsOfAFixedBlockNeverChange) {
  std::vector<RandomBlockError> errors;
  const auto enumerated = ReadLines({"a = int(1..100)"}, errors);
  const auto drawn = ReadLines({"a = int(1..1000000)"}, errors);
  ASSERT_TRUE(enumerated && drawn);
  const Variants small(*enumerated), large(*drawn);
  ASSERT_TRUE(small.Enumerated());
  ASSERT_FALSE(large.Enumerated());
  const std::int64_t firstFive[] = {32, 17, 53, 12, 48};
  for (std::int64_t n = 1; n <= 5; ++n)
    EXPECT_EQ(IntegerOf(small.Variant(n).values[0]), firstFive[n - 1]);
  const std::int64_t firstThree[] = {906572, 823032, 953070};
  for (std::int64_t n = 1; n <= 3; ++n)
    EXPECT_EQ(IntegerOf(large.Variant(n).values[0]), firstThree[n - 1]);
  EXPECT_EQ(Fingerprint(enumerated->Hash()), "BNX4");
}

TEST(RandomVariants, EnumeratedVariantsAllDifferAndHoldEveryCondition) {
  std::vector<RandomBlockError> errors;
  const auto block = ReadLines({"a = int(-5..5) except 0", "b = int(-5..5) except 0, -a",
                                "c, d = int(2..4)", "s = a + b", "require a * b < 0 or abs(a) > 3"},
                               errors);
  ASSERT_TRUE(block.has_value());
  const Variants variants(*block);
  ASSERT_TRUE(variants.Enumerated());
  // The count, worked out apart from the engine.
  std::uint64_t expected = 0;
  for (int a = -5; a <= 5; ++a)
    for (int b = -5; b <= 5; ++b)
      if (a != 0 && b != 0 && b != -a && (a * b < 0 || std::abs(a) > 3)) expected += 9;
  EXPECT_EQ(variants.Count(), expected);
  EXPECT_EQ(variants.Combinations(), 11u * 11u * 3u * 3u);
  std::set<std::vector<std::int64_t>> seen;
  for (std::int64_t n = 1; n <= static_cast<std::int64_t>(variants.Count()); ++n) {
    const VariantValues v = variants.Variant(n);
    ASSERT_TRUE(v.Ok());
    const std::int64_t a = IntegerOf(v.values[0]), b = IntegerOf(v.values[1]);
    EXPECT_TRUE(a != 0 && b != 0 && b != -a && (a * b < 0 || std::abs(a) > 3));
    EXPECT_EQ(IntegerOf(v.values[4]), a + b);
    seen.insert({a, b, IntegerOf(v.values[2]), IntegerOf(v.values[3])});
  }
  EXPECT_EQ(seen.size(), variants.Count());
  // Past the count the variants repeat in the same order.
  EXPECT_EQ(variants.Variant(static_cast<std::int64_t>(variants.Count()) + 2).values,
            variants.Variant(2).values);
  // Shuffled: the first variants are not the first combinations.
  EXPECT_FALSE(IntegerOf(variants.Variant(1).values[0]) == -5 &&
               IntegerOf(variants.Variant(2).values[0]) == -5);
  EXPECT_FALSE(variants.Variant(0).Ok());
}

TEST(RandomVariants, ConditionsNoneSatisfiesAndReachedFailuresAreReported) {
  std::vector<RandomBlockError> errors;
  const auto impossible = ReadLines({"a = int(1..5)", "require a > 10"}, errors);
  ASSERT_TRUE(impossible.has_value());
  const Variants none(*impossible);
  EXPECT_EQ(none.Count(), 0u);
  EXPECT_EQ(none.EnumerationError(), "11 行目: どの組み合わせもこの条件を満たしません");
  EXPECT_EQ(none.Variant(1).error, none.EnumerationError());

  const auto dividing = ReadLines({"a = int(-2..2)", "b = 6 / a"}, errors);
  ASSERT_TRUE(dividing.has_value());
  const Variants some(*dividing);
  EXPECT_EQ(some.Count(), 4u);
  EXPECT_EQ(some.FirstMathFailure(), "11 行目: 0 で割っています");

  const auto drawnImpossible =
      ReadLines({"a = int(1..1000000)", "require a > 1000000", "% never"}, errors);
  ASSERT_TRUE(drawnImpossible.has_value());
  const Variants drawn(*drawnImpossible);
  EXPECT_FALSE(drawn.Enumerated());
  EXPECT_EQ(drawn.Variant(1).error, "11 行目: 10000 回引いても条件を満たす値が出ません");
  EXPECT_DOUBLE_EQ(drawn.RejectedShare(3), 1.0);

  // The share of draws thrown away (a value except removes counts, as it does
  // when drawing): exact when enumerated, estimated otherwise.
  const auto quarter = ReadLines({"a = int(1..400) except 1", "require mod(a, 4) == 0"}, errors);
  ASSERT_TRUE(quarter.has_value());
  EXPECT_DOUBLE_EQ(Variants(*quarter).RejectedShare(), 1.0 - 100.0 / 400.0);
  const auto sampled = ReadLines({"a = int(1..4000000)", "require mod(a, 4) == 0"}, errors);
  ASSERT_TRUE(sampled.has_value());
  const double share = Variants(*sampled).RejectedShare(400);
  EXPECT_GT(share, 0.65);
  EXPECT_LT(share, 0.85);
}

TEST(RandomVariants, LargeBlocksAreDrawnReproduciblyWithinTheirSets) {
  std::vector<RandomBlockError> errors;
  const auto block =
      ReadLines({"a = int(-1000000000..1000000000 step 2) except 0", "x = dec(-5..5 step 0.25)",
                 "b = int(1..1000) except a", "require a + b != 0"},
                errors);
  ASSERT_TRUE(block.has_value());
  const Variants variants(*block);
  EXPECT_FALSE(variants.Enumerated());
  std::set<std::int64_t> values;
  for (std::int64_t n = 1; n <= 200; ++n) {
    const VariantValues v = variants.Variant(n);
    ASSERT_TRUE(v.Ok());
    EXPECT_EQ(v.values, variants.Variant(n).values);
    const std::int64_t a = IntegerOf(v.values[0]);
    EXPECT_TRUE(a != 0 && a % 2 == 0 && a >= -1000000000 && a <= 1000000000);
    const Rational x = v.values[1].number;
    EXPECT_EQ(x.kind, NumberKind::Decimal);
    EXPECT_EQ(4 % x.den, 0);
    EXPECT_TRUE(Compare(x, IntegerValue(-5)) >= 0 && Compare(x, IntegerValue(5)) <= 0);
    values.insert(a);
  }
  EXPECT_GT(values.size(), 190u);
}

}  // namespace
}  // namespace tavolo
