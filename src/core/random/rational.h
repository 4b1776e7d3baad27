#pragma once
// Exact numbers for questions with random data. Every value is a fraction of
// two 64-bit integers kept in lowest terms with a positive denominator, so
// that 0.1 + 0.2 is 0.3 and never 0.30000000000000004. A value also carries
// its kind, which decides how it is written when no format is asked for.
// Arithmetic that would leave 64 bits reports an error instead of a value.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavolo {

// Ordered: an operation takes the larger kind of its operands.
enum class NumberKind : std::uint8_t { Integer, Decimal, Fraction };

// Why a computation gave no value. A draw that meets one of these is thrown
// away, never shown.
enum class MathError : std::uint8_t {
  None,
  DivisionByZero,
  Overflow,
  ExponentRange,   // "^" with an exponent that is not an integer of at most 12
  NotTerminating,  // a decimal was asked for a value such as 1/3
  Domain,          // an argument outside what a function takes (gcd of 1/2, ...)
};

// The message the author reads for an error (Japanese).
std::string MathErrorText(MathError error);

struct Rational {
  std::int64_t num = 0;
  std::int64_t den = 1;
  NumberKind kind = NumberKind::Integer;

  bool IsInteger() const { return den == 1; }
  bool operator==(const Rational& other) const {  // by value: the kind is how it is written
    return num == other.num && den == other.den;
  }
};

// A number or the reason there is none.
struct RationalResult {
  Rational value;
  MathError error = MathError::None;
  bool Ok() const { return error == MathError::None; }
};

// num/den reduced, the sign on the numerator. INT64_MIN is refused as either
// part (its size has no 64-bit negative), so every value can be negated. A
// decimal whose value does not end as a decimal becomes a fraction.
RationalResult MakeRational(std::int64_t num, std::int64_t den, NumberKind kind);
inline Rational IntegerValue(std::int64_t value) { return {value, 1, NumberKind::Integer}; }

RationalResult Add(const Rational& a, const Rational& b);
RationalResult Subtract(const Rational& a, const Rational& b);
RationalResult Multiply(const Rational& a, const Rational& b);
// A fraction when both are integers, else the larger kind.
RationalResult Divide(const Rational& a, const Rational& b);
// exponent must be an integer with |exponent| <= 12.
RationalResult Power(const Rational& base, const Rational& exponent);
Rational Negate(const Rational& a);
int Compare(const Rational& a, const Rational& b);  // -1, 0, 1; never overflows
// Floored: div(a, b) = floor(a / b), mod(a, b) = a - b * div(a, b).
RationalResult FlooredDiv(const Rational& a, const Rational& b);
RationalResult FlooredMod(const Rational& a, const Rational& b);
// True when den has no prime factors but 2 and 5.
bool Terminates(const Rational& a);

// A number literal as written in a block: digits, optionally "." and digits.
// Integer kind without a point, decimal kind with one.
RationalResult ParseRationalLiteral(std::string_view text);

// The natural form: an integer value as an integer; otherwise a decimal as its
// shortest exact decimal, a fraction as "-2/3". Never "-0" or "2/4".
std::string NaturalText(const Rational& value);

// A format of "${expression:format}" and "#=expression:format#": one or more
// flags separated by ",".
struct NumberFormat {
  enum class Sign : std::uint8_t { Plain, Explicit, Parenthesised, ExplicitParenthesised };
  enum class Body : std::uint8_t { Natural, Fraction, Decimal, Mixed };
  Sign sign = Sign::Plain;
  Body body = Body::Natural;
  bool fullWidth = false;
};
// Nothing for an unknown flag or two flags that say different things.
std::optional<NumberFormat> ParseNumberFormat(std::string_view text);
// The value written in a format; NotTerminating for "dec" of 1/3.
struct TextResult {
  std::string text;
  MathError error = MathError::None;
  bool Ok() const { return error == MathError::None; }
};
TextResult FormatNumber(const Rational& value, const NumberFormat& format);
// ASCII digits, signs, parentheses and points as full-width characters.
std::string FullWidth(std::string_view ascii);

}  // namespace tavolo
