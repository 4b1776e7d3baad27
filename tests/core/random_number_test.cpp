// Exact numbers of questions with random data: arithmetic that never rounds
// and never wraps, and the forms a number is written in.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "random/rational.h"

namespace tavolo {
namespace {

Rational Num(std::int64_t num, std::int64_t den = 1, NumberKind kind = NumberKind::Integer) {
  return MakeRational(num, den, kind).value;
}
Rational Dec(std::int64_t num, std::int64_t den) { return Num(num, den, NumberKind::Decimal); }
Rational Frac(std::int64_t num, std::int64_t den) { return Num(num, den, NumberKind::Fraction); }

TEST(RandomNumber, ArithmeticIsExactAndReportsOverflow) {
  struct Case {
    const char* name;
    RationalResult result;
    MathError error;
    std::string text;  // natural form when there is a value
  };
  const std::int64_t big = INT64_MAX;
  const Case cases[] = {
      {"tenths add exactly", Add(Dec(1, 10), Dec(2, 10)), MathError::None, "0.3"},
      {"integers divide to a fraction", Divide(Num(6), Num(-4)), MathError::None, "-3/2"},
      {"whole quotient is written whole", Divide(Num(6), Num(3)), MathError::None, "2"},
      {"decimal over decimal stays decimal", Divide(Dec(1, 2), Dec(1, 4)), MathError::None, "2"},
      {"decimal third becomes a fraction", Divide(Dec(1, 1), Num(3)), MathError::None, "1/3"},
      {"decimal times fraction is fraction", Multiply(Dec(1, 2), Frac(2, 3)), MathError::None,
       "1/3"},
      {"difference to zero is plain 0", Subtract(Frac(1, 2), Dec(5, 10)), MathError::None, "0"},
      {"negative times zero is 0", Multiply(Num(-5), Num(0)), MathError::None, "0"},
      {"division by zero", Divide(Num(1), Num(0)), MathError::DivisionByZero, ""},
      {"sum past 64 bits", Add(Num(big), Num(1)), MathError::Overflow, ""},
      {"product past 64 bits", Multiply(Num(big / 2 + 1), Num(2)), MathError::Overflow, ""},
      {"denominators past 64 bits", Add(Frac(1, 4000000007), Frac(1, 4000000009)),
       MathError::Overflow, ""},
      {"cross-reduced product fits", Multiply(Frac(big, 3), Frac(3, big)), MathError::None, "1"},
      {"minus cube", Power(Num(-2), Num(3)), MathError::None, "-8"},
      {"negative exponent is a fraction", Power(Num(2), Num(-3)), MathError::None, "1/8"},
      {"decimal power stays decimal", Power(Dec(1, 2), Num(2)), MathError::None, "0.25"},
      {"zero to the zero", Power(Num(0), Num(0)), MathError::None, "1"},
      {"zero to a negative", Power(Num(0), Num(-1)), MathError::DivisionByZero, ""},
      {"exponent 13", Power(Num(1), Num(13)), MathError::ExponentRange, ""},
      {"exponent -13", Power(Num(1), Num(-13)), MathError::ExponentRange, ""},
      {"fractional exponent", Power(Num(4), Frac(1, 2)), MathError::ExponentRange, ""},
      {"power past 64 bits", Power(Num(100000), Num(4)), MathError::Overflow, ""},
      {"floored mod of a negative", FlooredMod(Num(-7), Num(3)), MathError::None, "2"},
      {"floored div of a negative", FlooredDiv(Num(-7), Num(3)), MathError::None, "-3"},
      {"mod by a negative", FlooredMod(Num(7), Num(-3)), MathError::None, "-2"},
      {"mod by zero", FlooredMod(Num(7), Num(0)), MathError::DivisionByZero, ""},
      {"smallest 64-bit integer refused", MakeRational(INT64_MIN, 1, NumberKind::Integer),
       MathError::Overflow, ""},
      {"sign moves to the numerator", MakeRational(4, -8, NumberKind::Fraction), MathError::None,
       "-1/2"},
      {"literal 1.50", ParseRationalLiteral("1.50"), MathError::None, "1.5"},
      {"literal 007", ParseRationalLiteral("007"), MathError::None, "7"},
      {"literal past 64 bits", ParseRationalLiteral("99999999999999999999"), MathError::Overflow,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.result.error, c.error);
    if (c.error == MathError::None) {
      EXPECT_EQ(NaturalText(c.result.value), c.text);
    }
  }
  EXPECT_EQ(Compare(Num(big), Num(big - 1)), 1);
  EXPECT_EQ(Compare(Frac(-1, 3), Frac(-1, 2)), 1);
  EXPECT_EQ(Compare(Frac(2, 4), Dec(5, 10)), 0);
}

TEST(RandomNumber, FormatsWriteEveryFlag) {
  struct Case {
    const char* name;
    Rational value;
    const char* format;  // nullptr: the natural form
    const char* text;    // nullptr: an error
  };
  const Case cases[] = {
      {"natural integer", Num(-3), nullptr, "-3"},
      {"natural negative zero", Num(0, 1, NumberKind::Decimal), nullptr, "0"},
      {"natural decimal", Dec(-5, 2), nullptr, "-2.5"},
      {"natural quarter", Dec(1, 4), nullptr, "0.25"},
      {"natural fraction", Frac(2, 4), nullptr, "1/2"},
      {"natural whole fraction", Frac(4, 2), nullptr, "2"},
      {"s positive", Num(3), "s", "+3"},
      {"s negative", Num(-3), "s", "-3"},
      {"s zero", Num(0), "s", "0"},
      {"p positive", Num(3), "p", "3"},
      {"p negative", Num(-3), "p", "(-3)"},
      {"p zero", Num(0), "p", "0"},
      {"sp positive", Num(3), "sp", "(+3)"},
      {"sp negative", Num(-3), "sp", "(-3)"},
      {"sp zero", Num(0), "sp", "0"},
      {"frac of a decimal", Dec(-5, 2), "frac", "-5/2"},
      {"frac of an integer", Num(3), "frac", "3"},
      {"dec of a fraction", Frac(3, 8), "dec", "0.375"},
      {"dec of a third", Frac(1, 3), "dec", nullptr},
      {"dec of an integer", Num(-4), "dec", "-4"},
      {"mixed", Frac(-3, 2), "mixed", "-1&1/2"},
      {"mixed below one", Frac(1, 2), "mixed", "1/2"},
      {"mixed of an integer", Num(5), "mixed", "5"},
      {"mixed with sign in parentheses", Frac(7, 3), "mixed,sp", "(+2&1/3)"},
      {"zen positive", Num(3), "zen,s", "＋３"},
      {"zen negative decimal", Dec(-5, 2), "zen", "－２．５"},
      {"zen parenthesised", Num(-12), "p,zen", "（－１２）"},
      {"blanks around flags", Num(3), " s , zen ", "＋３"},
      {"unknown flag", Num(3), "x", nullptr},
      {"two signs", Num(3), "s,p", nullptr},
      {"two bodies", Num(3), "frac,dec", nullptr},
      {"empty flag", Num(3), "s,", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.format) {
      EXPECT_EQ(NaturalText(c.value), c.text);
      continue;
    }
    const auto format = ParseNumberFormat(c.format);
    if (!format) {
      EXPECT_EQ(c.text, nullptr);
      continue;
    }
    const TextResult written = FormatNumber(c.value, *format);
    if (!c.text) {
      EXPECT_FALSE(written.Ok());
    } else {
      EXPECT_EQ(written.text, c.text);
    }
  }
}

}  // namespace
}  // namespace tavolo
