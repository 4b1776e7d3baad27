#include "random/rational.h"

#include <algorithm>
#include <numeric>

namespace tavolo {

namespace {

__extension__ using Wide = __int128;
__extension__ using UWide = unsigned __int128;

RationalResult Fail(MathError error) { return {Rational{}, error}; }

NumberKind Larger(NumberKind a, NumberKind b) { return std::max(a, b); }

// floor(num / den) for den > 0.
std::int64_t FloorDiv(std::int64_t num, std::int64_t den) {
  std::int64_t q = num / den;
  if (num % den != 0 && num < 0) --q;
  return q;
}

// The digits of a positive value whose denominator ends as a decimal.
std::string PositiveDecimal(std::int64_t num, std::int64_t den) {
  std::string text = std::to_string(num / den);
  auto rest = static_cast<UWide>(num % den);
  if (rest == 0) return text;
  text += '.';
  // At most 63 places: den < 2^63 has no more factors of 2 or 5 than that.
  for (int places = 0; rest != 0 && places < 64; ++places) {
    rest *= 10;
    text += static_cast<char>('0' + static_cast<int>(rest / static_cast<UWide>(den)));
    rest %= static_cast<UWide>(den);
  }
  return text;
}

std::int64_t Size(std::int64_t value) { return value < 0 ? -value : value; }

}  // namespace

std::string MathErrorText(MathError error) {
  switch (error) {
    case MathError::None:
      return "";
    case MathError::DivisionByZero:
      return "0 で割っています";
    case MathError::Overflow:
      return "数が大きすぎて計算できません";
    case MathError::ExponentRange:
      return "累乗の指数は -12 から 12 までの整数にしてください";
    case MathError::NotTerminating:
      return "小数で書けない数を小数にしようとしています";
    case MathError::Domain:
      return "関数に使えない値が渡されています";
  }
  return "";
}

RationalResult MakeRational(std::int64_t num, std::int64_t den, NumberKind kind) {
  if (den == 0) return Fail(MathError::DivisionByZero);
  if (num == INT64_MIN || den == INT64_MIN) return Fail(MathError::Overflow);
  if (den < 0) num = -num, den = -den;
  const std::int64_t g = std::gcd(num, den);  // den > 0, so g >= 1
  Rational value{num / g, den / g, kind};
  if (value.kind == NumberKind::Decimal && !Terminates(value)) value.kind = NumberKind::Fraction;
  return {value, MathError::None};
}

bool Terminates(const Rational& a) {
  std::int64_t rest = a.den;
  while (rest % 2 == 0) rest /= 2;
  while (rest % 5 == 0) rest /= 5;
  return rest == 1;
}

RationalResult Add(const Rational& a, const Rational& b) {
  const std::int64_t g = std::gcd(a.den, b.den);
  std::int64_t left = 0, right = 0, num = 0, den = 0;
  if (__builtin_mul_overflow(a.num, b.den / g, &left) ||
      __builtin_mul_overflow(b.num, a.den / g, &right) ||
      __builtin_add_overflow(left, right, &num) || __builtin_mul_overflow(a.den / g, b.den, &den))
    return Fail(MathError::Overflow);
  return MakeRational(num, den, Larger(a.kind, b.kind));
}

Rational Negate(const Rational& a) { return {-a.num, a.den, a.kind}; }

RationalResult Subtract(const Rational& a, const Rational& b) { return Add(a, Negate(b)); }

RationalResult Multiply(const Rational& a, const Rational& b) {
  if (a.num == 0 || b.num == 0) return {Rational{0, 1, Larger(a.kind, b.kind)}, MathError::None};
  const std::int64_t g1 = std::gcd(a.num, b.den), g2 = std::gcd(b.num, a.den);
  std::int64_t num = 0, den = 0;
  if (__builtin_mul_overflow(a.num / g1, b.num / g2, &num) ||
      __builtin_mul_overflow(a.den / g2, b.den / g1, &den))
    return Fail(MathError::Overflow);
  return MakeRational(num, den, Larger(a.kind, b.kind));
}

RationalResult Divide(const Rational& a, const Rational& b) {
  if (b.num == 0) return Fail(MathError::DivisionByZero);
  const NumberKind kind = a.kind == NumberKind::Integer && b.kind == NumberKind::Integer
                              ? NumberKind::Fraction
                              : Larger(a.kind, b.kind);
  const Rational reciprocal{b.num < 0 ? -b.den : b.den, Size(b.num), kind};
  RationalResult product = Multiply(a, reciprocal);
  if (product.Ok()) product.value.kind = kind;
  if (product.Ok() && kind == NumberKind::Decimal && !Terminates(product.value))
    product.value.kind = NumberKind::Fraction;
  return product;
}

RationalResult Power(const Rational& base, const Rational& exponent) {
  if (!exponent.IsInteger() || exponent.num > 12 || exponent.num < -12)
    return Fail(MathError::ExponentRange);
  RationalResult result{Rational{1, 1, base.kind}, MathError::None};
  for (std::int64_t i = 0; i < Size(exponent.num); ++i) {
    result = Multiply(result.value, base);
    if (!result.Ok()) return result;
  }
  result.value.kind = base.kind;
  if (exponent.num < 0) {
    const NumberKind kind = base.kind == NumberKind::Integer ? NumberKind::Fraction : base.kind;
    result = Divide(Rational{1, 1, kind}, result.value);
  }
  return result;
}

int Compare(const Rational& a, const Rational& b) {
  const Wide left = static_cast<Wide>(a.num) * b.den;
  const Wide right = static_cast<Wide>(b.num) * a.den;
  return left < right ? -1 : (left > right ? 1 : 0);
}

RationalResult FlooredDiv(const Rational& a, const Rational& b) {
  const RationalResult quotient = Divide(a, b);
  if (!quotient.Ok()) return quotient;
  return {IntegerValue(FloorDiv(quotient.value.num, quotient.value.den)), MathError::None};
}

RationalResult FlooredMod(const Rational& a, const Rational& b) {
  const RationalResult whole = FlooredDiv(a, b);
  if (!whole.Ok()) return whole;
  const RationalResult taken = Multiply(b, whole.value);
  if (!taken.Ok()) return taken;
  RationalResult rest = Subtract(a, taken.value);
  if (rest.Ok()) rest = MakeRational(rest.value.num, rest.value.den, Larger(a.kind, b.kind));
  return rest;
}

RationalResult ParseRationalLiteral(std::string_view text) {
  std::int64_t num = 0, den = 1;
  bool point = false, digits = false;
  for (const char c : text) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return Fail(MathError::Domain);
    digits = true;
    if (__builtin_mul_overflow(num, 10, &num) || __builtin_add_overflow(num, c - '0', &num) ||
        (point && __builtin_mul_overflow(den, 10, &den)))
      return Fail(MathError::Overflow);
  }
  if (!digits) return Fail(MathError::Domain);
  return MakeRational(num, den, point ? NumberKind::Decimal : NumberKind::Integer);
}

std::string NaturalText(const Rational& value) {
  const std::string sign = value.num < 0 ? "-" : "";
  if (value.den == 1) return std::to_string(value.num);
  if (value.kind == NumberKind::Decimal && Terminates(value))
    return sign + PositiveDecimal(Size(value.num), value.den);
  return sign + std::to_string(Size(value.num)) + "/" + std::to_string(value.den);
}

std::optional<NumberFormat> ParseNumberFormat(std::string_view text) {
  NumberFormat format;
  bool signSet = false, bodySet = false, any = false;
  while (true) {
    const std::size_t comma = text.find(',');
    std::string_view flag = text.substr(0, comma);
    while (!flag.empty() && flag.front() == ' ') flag.remove_prefix(1);
    while (!flag.empty() && flag.back() == ' ') flag.remove_suffix(1);
    auto setSign = [&](NumberFormat::Sign sign) {
      if (signSet && format.sign != sign) return false;
      format.sign = sign;
      return signSet = true;
    };
    auto setBody = [&](NumberFormat::Body body) {
      if (bodySet && format.body != body) return false;
      format.body = body;
      return bodySet = true;
    };
    bool ok = true;
    if (flag == "s")
      ok = setSign(NumberFormat::Sign::Explicit);
    else if (flag == "p")
      ok = setSign(NumberFormat::Sign::Parenthesised);
    else if (flag == "sp")
      ok = setSign(NumberFormat::Sign::ExplicitParenthesised);
    else if (flag == "frac")
      ok = setBody(NumberFormat::Body::Fraction);
    else if (flag == "dec")
      ok = setBody(NumberFormat::Body::Decimal);
    else if (flag == "mixed")
      ok = setBody(NumberFormat::Body::Mixed);
    else if (flag == "zen")
      format.fullWidth = true;
    else
      ok = false;
    if (!ok) return std::nullopt;
    any = true;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (!any) return std::nullopt;
  return format;
}

TextResult FormatNumber(const Rational& value, const NumberFormat& format) {
  const std::int64_t size = Size(value.num);
  const std::int64_t den = value.den;
  std::string body;
  switch (format.body) {
    case NumberFormat::Body::Natural:
      body = NaturalText(Rational{size, den, value.kind});
      break;
    case NumberFormat::Body::Fraction:
      body = den == 1 ? std::to_string(size) : std::to_string(size) + "/" + std::to_string(den);
      break;
    case NumberFormat::Body::Decimal:
      if (!Terminates(value)) return {"", MathError::NotTerminating};
      body = PositiveDecimal(size, den);
      break;
    case NumberFormat::Body::Mixed:
      if (den == 1)
        body = std::to_string(size);
      else if (size < den)
        body = std::to_string(size) + "/" + std::to_string(den);
      else
        body = std::to_string(size / den) + "&" + std::to_string(size % den) + "/" +
               std::to_string(den);
      break;
  }
  std::string text;
  if (value.num == 0) {
    text = body;
  } else {
    const bool negative = value.num < 0;
    switch (format.sign) {
      case NumberFormat::Sign::Plain:
        text = negative ? "-" + body : body;
        break;
      case NumberFormat::Sign::Explicit:
        text = (negative ? "-" : "+") + body;
        break;
      case NumberFormat::Sign::Parenthesised:
        text = negative ? "(-" + body + ")" : body;
        break;
      case NumberFormat::Sign::ExplicitParenthesised:
        text = (negative ? "(-" : "(+") + body + ")";
        break;
    }
  }
  if (format.fullWidth) text = FullWidth(text);
  return {text, MathError::None};
}

std::string FullWidth(std::string_view ascii) {
  std::string text;
  text.reserve(ascii.size() * 3);
  for (const char c : ascii) {
    // U+FF08..U+FF19 hold the full-width forms of "(" to "9" in ASCII order.
    if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '(' || c == ')' || c == '.') {
      text += '\xEF';
      text += '\xBC';
      text += static_cast<char>(0x80 + (c - 0x20));
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace tavolo
