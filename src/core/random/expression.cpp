#include "random/expression.h"

// Evaluating expressions and writing them as the textbook does; reading them
// from text is in expression_reader.cpp.

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

namespace tavolo {

namespace {

__extension__ using UWide = unsigned __int128;

using Op = Expressions::Op;
using Fn = Expressions::Function;

Evaluated Failure(std::string message, MathError math = MathError::None) {
  Evaluated result;
  result.math = math;
  result.message = std::move(message);
  return result;
}
Evaluated MathFailure(MathError error) { return Failure(MathErrorText(error), error); }
Evaluated Of(const RationalResult& result) {
  if (!result.Ok()) return MathFailure(result.error);
  Evaluated evaluated;
  evaluated.value = Value::Number(result.value);
  return evaluated;
}
Evaluated Of(Value value) {
  Evaluated evaluated;
  evaluated.value = std::move(value);
  return evaluated;
}

const char* kNeedNumber = "数が必要なところに数でない値があります";
const char* kNeedTruth = "条件が必要なところに条件でない値があります";

std::uint64_t MulMod(std::uint64_t a, std::uint64_t b, std::uint64_t m) {
  return static_cast<std::uint64_t>(static_cast<UWide>(a) * b % m);
}
std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t m) {
  std::uint64_t result = 1;
  base %= m;
  while (exponent != 0) {  // at most 64 rounds
    if (exponent & 1) result = MulMod(result, base, m);
    base = MulMod(base, base, m);
    exponent >>= 1;
  }
  return result;
}

// The largest number factor() takes: trial division up to its square root
// stays near a tenth of a millisecond, so that even 10,000 attempts at a
// drawn variant that each factor such a number end in about a second.
constexpr std::int64_t kMaxFactored = 10'000'000'000;

std::string Factorisation(std::int64_t n) {
  std::string text;
  auto put = [&](std::int64_t p, int power) {
    if (!text.empty()) text += '*';
    text += std::to_string(p);
    if (power > 1) text += "^" + std::to_string(power);
  };
  // A prime rest ends the search at once; it is asked again only when a
  // factor has been taken out.
  bool restIsPrime = IsPrime64(static_cast<std::uint64_t>(n));
  for (std::int64_t p = 2; !restIsPrime && p * p <= n; p += (p == 2 ? 1 : 2)) {
    int power = 0;
    while (n % p == 0) n /= p, ++power;
    if (power == 0) continue;
    put(p, power);
    restIsPrime = IsPrime64(static_cast<std::uint64_t>(n));
  }
  if (n > 1 || text.empty()) put(n, 1);
  return text;
}

}  // namespace

bool IsPrime64(std::uint64_t n) {
  if (n < 2) return false;
  constexpr std::array<std::uint64_t, 12> kBases{2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
  for (const std::uint64_t p : kBases) {
    if (n == p) return true;
    if (n % p == 0) return false;
  }
  std::uint64_t d = n - 1;
  int twos = 0;
  while ((d & 1) == 0) d >>= 1, ++twos;
  for (const std::uint64_t a : kBases) {
    std::uint64_t x = PowMod(a, d, n);
    if (x == 1 || x == n - 1) continue;
    bool composite = true;
    for (int i = 1; i < twos && composite; ++i) {
      x = MulMod(x, x, n);
      if (x == n - 1) composite = false;
    }
    if (composite) return false;
  }
  return true;
}

bool Value::operator==(const Value& other) const {
  if (type != other.type) return false;
  switch (type) {
    case Type::Number:
      return number == other.number;
    case Type::Text:
      return text == other.text;
    case Type::Truth:
      return truth == other.truth;
  }
  return false;
}

bool WriteValue(const Value& value, std::string& out) {
  if (value.type == Value::Type::Number) {
    out = NaturalText(value.number);
    return true;
  }
  if (value.type == Value::Type::Text) {
    out = value.text;
    return true;
  }
  return false;
}

// ---- the table of nodes -------------------------------------------------

int Expressions::Add(Node node) {
  nodes_.push_back(std::move(node));
  return static_cast<int>(nodes_.size() - 1);
}

int Expressions::AddArguments(const std::vector<int>& nodes) {
  const int first = static_cast<int>(arguments_.size());
  arguments_.insert(arguments_.end(), nodes.begin(), nodes.end());
  return first;
}

void Expressions::CollectSlots(int root, std::vector<int>& slots) const {
  const Node& node = At(root);
  if (node.op == Op::Slot) slots.push_back(node.slot);
  if (node.left >= 0) CollectSlots(node.left, slots);
  if (node.right >= 0) CollectSlots(node.right, slots);
  if (node.op == Op::Call)
    for (int i = 0; i < node.argumentCount; ++i) CollectSlots(Argument(node, i), slots);
}

bool Expressions::IsConstant(int root) const {
  std::vector<int> slots;
  CollectSlots(root, slots);
  return slots.empty();
}

Evaluated Expressions::Evaluate(int root, const std::vector<Value>& slots) const {
  const Node& node = At(root);
  switch (node.op) {
    case Op::Literal:
      return Of(node.literal);
    case Op::Slot:
      return Of(slots[static_cast<std::size_t>(node.slot)]);
    case Op::Group:
      return Evaluate(node.left, slots);
    case Op::Call:
      return Call(node, slots);
    case Op::Not: {
      Evaluated inner = Evaluate(node.left, slots);
      if (!inner.Ok()) return inner;
      if (inner.value.type != Value::Type::Truth) return Failure(kNeedTruth);
      return Of(Value::Truth(!inner.value.truth));
    }
    case Op::Negate: {
      Evaluated inner = Evaluate(node.left, slots);
      if (!inner.Ok()) return inner;
      if (inner.value.type != Value::Type::Number) return Failure(kNeedNumber);
      return Of(Value::Number(Negate(inner.value.number)));
    }
    case Op::And:
    case Op::Or: {
      Evaluated left = Evaluate(node.left, slots);
      if (!left.Ok()) return left;
      if (left.value.type != Value::Type::Truth) return Failure(kNeedTruth);
      if (left.value.truth == (node.op == Op::Or)) return left;
      Evaluated right = Evaluate(node.right, slots);
      if (right.Ok() && right.value.type != Value::Type::Truth) return Failure(kNeedTruth);
      return right;
    }
    default:
      break;
  }
  Evaluated left = Evaluate(node.left, slots);
  if (!left.Ok()) return left;
  Evaluated right = Evaluate(node.right, slots);
  if (!right.Ok()) return right;
  const Value& a = left.value;
  const Value& b = right.value;
  if (node.op == Op::Equal || node.op == Op::NotEqual) {
    if (a.type != b.type) return Failure("種類の違う値を比べています");
    return Of(Value::Truth((a == b) == (node.op == Op::Equal)));
  }
  if (a.type != Value::Type::Number || b.type != Value::Type::Number) return Failure(kNeedNumber);
  const Rational& x = a.number;
  const Rational& y = b.number;
  switch (node.op) {
    case Op::Add:
      return Of(tavolo::Add(x, y));
    case Op::Subtract:
      return Of(Subtract(x, y));
    case Op::Multiply:
      return Of(Multiply(x, y));
    case Op::Divide:
      return Of(Divide(x, y));
    case Op::Power:
      return Of(Power(x, y));
    case Op::Less:
      return Of(Value::Truth(Compare(x, y) < 0));
    case Op::LessEqual:
      return Of(Value::Truth(Compare(x, y) <= 0));
    case Op::Greater:
      return Of(Value::Truth(Compare(x, y) > 0));
    case Op::GreaterEqual:
      return Of(Value::Truth(Compare(x, y) >= 0));
    default:
      return Failure(kNeedNumber);
  }
}

Evaluated Expressions::Call(const Node& node, const std::vector<Value>& slots) const {
  if (node.function == Fn::Show) return Show(Argument(node, 0), slots);
  if (node.function == Fn::If) {
    Evaluated condition = Evaluate(Argument(node, 0), slots);
    if (!condition.Ok()) return condition;
    if (condition.value.type != Value::Type::Truth) return Failure(kNeedTruth);
    return Evaluate(Argument(node, condition.value.truth ? 1 : 2), slots);
  }
  std::vector<Rational> args;
  args.reserve(static_cast<std::size_t>(node.argumentCount));
  for (int i = 0; i < node.argumentCount; ++i) {
    Evaluated argument = Evaluate(Argument(node, i), slots);
    if (!argument.Ok()) return argument;
    if (argument.value.type != Value::Type::Number) return Failure(kNeedNumber);
    args.push_back(argument.value.number);
  }
  const Rational& x = args[0];
  auto needIntegers = [&]() {
    return std::all_of(args.begin(), args.end(), [](const Rational& r) { return r.IsInteger(); });
  };
  switch (node.function) {
    case Fn::Abs:
      return Of(Value::Number(x.num < 0 ? Negate(x) : x));
    case Fn::Min:
    case Fn::Max: {
      Rational best = x;
      const int wanted = node.function == Fn::Min ? -1 : 1;
      for (const Rational& r : args)
        if (Compare(r, best) == wanted) best = r;
      return Of(Value::Number(best));
    }
    case Fn::Gcd:
    case Fn::Lcm: {
      if (!needIntegers()) return Failure("gcd と lcm には整数を渡してください", MathError::Domain);
      const std::int64_t g = std::gcd(x.num, args[1].num);
      if (node.function == Fn::Gcd) return Of(Value::Number(IntegerValue(g)));
      if (g == 0) return Of(Value::Number(IntegerValue(0)));
      std::int64_t l = 0;
      if (__builtin_mul_overflow(x.num / g, args[1].num, &l))
        return MathFailure(MathError::Overflow);
      return Of(Value::Number(IntegerValue(l < 0 ? -l : l)));
    }
    case Fn::Mod:
      return Of(FlooredMod(x, args[1]));
    case Fn::Div:
      return Of(FlooredDiv(x, args[1]));
    case Fn::Num:
      return Of(Value::Number(IntegerValue(x.num)));
    case Fn::Den:
      return Of(Value::Number(IntegerValue(x.den)));
    case Fn::Sign:
      return Of(Value::Number(IntegerValue(x.num < 0 ? -1 : (x.num > 0 ? 1 : 0))));
    case Fn::IsInt:
      return Of(Value::Truth(x.IsInteger()));
    case Fn::IsPrime:
      return Of(
          Value::Truth(x.IsInteger() && x.num > 1 && IsPrime64(static_cast<std::uint64_t>(x.num))));
    case Fn::Frac: {
      RationalResult quotient = Divide(x, args[1]);
      if (quotient.Ok()) quotient.value.kind = NumberKind::Fraction;
      return Of(quotient);
    }
    case Fn::Factor:
      if (!x.IsInteger() || x.num < 1 || x.num > kMaxFactored)
        return Failure("factor には 1 から 10000000000 までの整数を渡してください",
                       MathError::Domain);
      return Of(Value::Text(Factorisation(x.num)));
    default:
      return Failure(kNeedNumber);
  }
}

// ---- show(E): the expression as the textbook writes it ------------------

Evaluated Expressions::Show(int root, const std::vector<Value>& slots) const {
  std::string text;
  Evaluated failure;
  if (!ShowInto(root, slots, true, false, text, failure)) return failure;
  return Of(Value::Text(std::move(text)));
}

bool Expressions::ShowInto(int index, const std::vector<Value>& slots, bool leading, bool powerBase,
                           std::string& out, Evaluated& failure) const {
  const Node& node = At(index);
  auto showValue = [&](const Evaluated& evaluated) {
    if (!evaluated.Ok()) {
      failure = evaluated;
      return false;
    }
    if (evaluated.value.type == Value::Type::Text) {
      out += evaluated.value.text;
      return true;
    }
    if (evaluated.value.type != Value::Type::Number) {
      failure = Failure("show には数の式を書いてください");
      return false;
    }
    const Rational& r = evaluated.value.number;
    const std::string text = NaturalText(r);
    // A negative number, or a fraction under "^", needs its parentheses.
    const bool wrap = (r.num < 0 && (!leading || powerBase)) || (powerBase && !r.IsInteger());
    out += wrap ? "(" + text + ")" : text;
    return true;
  };
  switch (node.op) {
    case Op::Literal:
    case Op::Slot:
    case Op::Call:
      return showValue(Evaluate(index, slots));
    case Op::Group: {
      std::string inner;
      if (!ShowInto(node.left, slots, true, false, inner, failure)) return false;
      const bool braces = inner.find('(') != std::string::npos;
      out += braces ? "{" + inner + "}" : "(" + inner + ")";
      return true;
    }
    case Op::Negate: {
      std::string inner = "-";
      if (!ShowInto(node.left, slots, false, false, inner, failure)) return false;
      out += leading && !powerBase ? inner : "(" + inner + ")";
      return true;
    }
    case Op::Add:
    case Op::Subtract:
    case Op::Multiply:
    case Op::Divide:
    case Op::Power: {
      const bool power = node.op == Op::Power;
      if (!ShowInto(node.left, slots, leading, power, out, failure)) return false;
      constexpr std::string_view kSigns = "+-*\\^";
      out += kSigns[static_cast<std::size_t>(node.op) - static_cast<std::size_t>(Op::Add)];
      return ShowInto(node.right, slots, false, false, out, failure);
    }
    default:
      failure = Failure("show には数の式を書いてください");
      return false;
  }
}

}  // namespace tavolo
