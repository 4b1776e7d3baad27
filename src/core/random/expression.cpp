#include "random/expression.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

namespace tavolo {

namespace {

__extension__ using UWide = unsigned __int128;

using Op = Expressions::Op;
using Fn = Expressions::Function;

struct FunctionInfo {
  std::string_view name;
  Fn function;
  int minArguments;
  int maxArguments;
};

constexpr std::array<FunctionInfo, 16> kFunctions{{
    {"abs", Fn::Abs, 1, 1},
    {"min", Fn::Min, 1, 64},
    {"max", Fn::Max, 1, 64},
    {"gcd", Fn::Gcd, 2, 2},
    {"lcm", Fn::Lcm, 2, 2},
    {"mod", Fn::Mod, 2, 2},
    {"div", Fn::Div, 2, 2},
    {"num", Fn::Num, 1, 1},
    {"den", Fn::Den, 1, 1},
    {"sign", Fn::Sign, 1, 1},
    {"isint", Fn::IsInt, 1, 1},
    {"isprime", Fn::IsPrime, 1, 1},
    {"frac", Fn::Frac, 2, 2},
    {"if", Fn::If, 3, 3},
    {"factor", Fn::Factor, 1, 1},
    {"show", Fn::Show, 1, 1},
}};

// Words of the block and of conditions, reserved with the functions.
constexpr std::array<std::string_view, 9> kWords{"int",     "dec", "pick", "step", "except",
                                                 "require", "and", "or",   "not"};

const FunctionInfo* FindFunction(std::string_view name) {
  for (const FunctionInfo& info : kFunctions)
    if (info.name == name) return &info;
  return nullptr;
}

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

Expressions::Node Branch(Op op, int left, int right = -1) {
  Expressions::Node node;
  node.op = op;
  node.left = left;
  node.right = right;
  return node;
}
Expressions::Node LiteralNode(Value value) {
  Expressions::Node node;
  node.literal = std::move(value);
  return node;
}
Expressions::Node SlotNode(int slot) {
  Expressions::Node node;
  node.op = Op::Slot;
  node.slot = slot;
  return node;
}
Expressions::Node CallNode(Fn function, int firstArgument, int count) {
  Expressions::Node node;
  node.op = Op::Call;
  node.function = function;
  node.firstArgument = firstArgument;
  node.argumentCount = count;
  return node;
}

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

bool IsReservedName(std::string_view name) {
  return FindFunction(name) != nullptr ||
         std::find(kWords.begin(), kWords.end(), name) != kWords.end();
}

bool IsValueName(std::string_view name) {
  if (name.empty() || name.size() > 16 || !IsNameStart(name.front())) return false;
  return std::all_of(name.begin(), name.end(), IsNameChar);
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

// ---- the reader ---------------------------------------------------------

ExpressionReader::ExpressionReader(std::string_view text, Expressions& expressions,
                                   NameLookup lookup)
    : text_(text), expressions_(expressions), lookup_(std::move(lookup)) {}

void ExpressionReader::SkipBlanks() {
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
}

bool ExpressionReader::AtEnd() {
  SkipBlanks();
  return pos_ >= text_.size();
}

std::size_t ExpressionReader::Offset() {
  SkipBlanks();
  return pos_;
}

void ExpressionReader::Fail(std::size_t offset, std::string message) {
  if (failed_) return;  // the first error is the one to mend
  failed_ = true;
  error_ = {offset, std::move(message)};
}

bool ExpressionReader::TakeSymbol(std::string_view symbol) {
  SkipBlanks();
  if (text_.substr(pos_, symbol.size()) != symbol) return false;
  // "<" is not the start of "<=", "=" not of "==", "." not of "..".
  const std::size_t after = pos_ + symbol.size();
  if (symbol.size() == 1 && after < text_.size()) {
    const char next = text_[after];
    if ((symbol == "<" || symbol == ">" || symbol == "=" || symbol == "!") && next == '=')
      return false;
  }
  pos_ = after;
  return true;
}

std::string_view ExpressionReader::TakeName() {
  SkipBlanks();
  if (pos_ >= text_.size() || !IsNameStart(text_[pos_])) return {};
  const std::size_t start = pos_;
  while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

bool ExpressionReader::TakeWord(std::string_view word) {
  const std::size_t start = Offset();
  if (TakeName() == word) return true;
  pos_ = start;
  return false;
}

bool ExpressionReader::Enter() {
  if (++nesting_ > kMaxExpressionDepth) {
    Fail(pos_, "式が深すぎます");
    return false;
  }
  return true;
}

int ExpressionReader::Make(Expressions::Node node) {
  int depth = 0;
  if (node.left >= 0) depth = std::max<int>(depth, expressions_.At(node.left).depth);
  if (node.right >= 0) depth = std::max<int>(depth, expressions_.At(node.right).depth);
  for (int i = 0; node.op == Op::Call && i < node.argumentCount; ++i)
    depth = std::max<int>(depth, expressions_.At(expressions_.Argument(node, i)).depth);
  if (depth + 1 > kMaxExpressionDepth) {
    Fail(pos_, "式が長すぎるか深すぎます");
    return -1;
  }
  node.depth = static_cast<std::uint16_t>(depth + 1);
  return expressions_.Add(std::move(node));
}

int ExpressionReader::ReadExpression() {
  const int root = Or();
  return failed_ ? -1 : root;
}

int ExpressionReader::Or() {
  if (!Enter()) return -1;
  int left = And();
  while (!failed_ && TakeWord("or")) {
    const int right = And();
    if (failed_) break;
    left = Make(Branch(Op::Or, left, right));
  }
  Leave();
  return failed_ ? -1 : left;
}

int ExpressionReader::And() {
  int left = Not();
  while (!failed_ && TakeWord("and")) {
    const int right = Not();
    if (failed_) break;
    left = Make(Branch(Op::And, left, right));
  }
  return failed_ ? -1 : left;
}

int ExpressionReader::Not() {
  if (!TakeWord("not")) return Comparison();
  if (!Enter()) return -1;
  const int inner = Not();
  Leave();
  if (failed_) return -1;
  return Make(Branch(Op::Not, inner));
}

int ExpressionReader::Comparison() {
  const int left = Sum();
  if (failed_) return -1;
  static constexpr std::pair<std::string_view, Op> kComparisons[] = {
      {"==", Op::Equal},        {"!=", Op::NotEqual}, {"<=", Op::LessEqual},
      {">=", Op::GreaterEqual}, {"<", Op::Less},      {">", Op::Greater}};
  for (const auto& [symbol, op] : kComparisons) {
    if (!TakeSymbol(symbol)) continue;
    const int right = Sum();
    if (failed_) return -1;
    const std::size_t at = Offset();
    const std::string_view next = text_.substr(at, 2);
    if (next.starts_with('<') || next.starts_with('>') || next == "==" || next == "!=") {
      Fail(at, "比較を続けて書くことはできません。and でつないでください");
      return -1;
    }
    return Make(Branch(op, left, right));
  }
  return left;
}

int ExpressionReader::Sum() {
  int left = Product();
  while (!failed_) {
    Op op;
    if (TakeSymbol("+"))
      op = Op::Add;
    else if (TakeSymbol("-"))
      op = Op::Subtract;
    else
      break;
    const int right = Product();
    if (failed_) break;
    left = Make(Branch(op, left, right));
  }
  return failed_ ? -1 : left;
}

int ExpressionReader::Product() {
  int left = Unary();
  while (!failed_) {
    Op op;
    if (TakeSymbol("*"))
      op = Op::Multiply;
    else if (TakeSymbol("/"))
      op = Op::Divide;
    else
      break;
    const int right = Unary();
    if (failed_) break;
    left = Make(Branch(op, left, right));
  }
  return failed_ ? -1 : left;
}

// Unary minus binds below "^": -a^2 is -(a^2), as the chapter teaches.
int ExpressionReader::Unary() {
  const bool minus = TakeSymbol("-");
  const bool plus = !minus && TakeSymbol("+");
  if (!minus && !plus) return PowerOf();
  if (!Enter()) return -1;
  const int inner = Unary();
  Leave();
  if (failed_) return -1;
  return minus ? Make(Branch(Op::Negate, inner)) : inner;
}

int ExpressionReader::PowerOf() {
  const int base = Primary();
  if (failed_ || !TakeSymbol("^")) return failed_ ? -1 : base;
  if (!Enter()) return -1;
  const int exponent = Unary();  // right-associative, and 2^-1 reads
  Leave();
  if (failed_) return -1;
  return Make(Branch(Op::Power, base, exponent));
}

int ExpressionReader::Literal(std::size_t start) {
  while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
  // A point belongs to the number only before a digit: "1..5" is a range.
  if (pos_ + 1 < text_.size() && text_[pos_] == '.' && text_[pos_ + 1] >= '0' &&
      text_[pos_ + 1] <= '9') {
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
  }
  const RationalResult number = ParseRationalLiteral(text_.substr(start, pos_ - start));
  if (!number.Ok()) {
    Fail(start, "数が大きすぎるか桁が多すぎます");
    return -1;
  }
  return Make(LiteralNode(Value::Number(number.value)));
}

int ExpressionReader::Primary() {
  const std::size_t start = Offset();
  if (start >= text_.size()) {
    Fail(start, "式が途中で終わっています");
    return -1;
  }
  const char c = text_[start];
  if (c >= '0' && c <= '9') return Literal(start);
  if (c == '"') {
    const std::size_t close = text_.find('"', start + 1);
    if (close == std::string_view::npos) {
      Fail(start, "文字列を閉じる \" がありません");
      return -1;
    }
    pos_ = close + 1;
    return Make(LiteralNode(Value::Text(std::string(text_.substr(start + 1, close - start - 1)))));
  }
  if (TakeSymbol("(")) {
    const int inner = Or();
    if (failed_) return -1;
    if (!TakeSymbol(")")) {
      Fail(Offset(), "「)」がありません");
      return -1;
    }
    return Make(Branch(Op::Group, inner));
  }
  const std::string_view name = TakeName();
  if (name.empty()) {
    Fail(start,
         c == '.' ? "小数は 0.5 のように 0 から書いてください" : "ここに書けない文字があります");
    return -1;
  }
  if (const FunctionInfo* info = FindFunction(name)) {
    if (!TakeSymbol("(")) {
      Fail(Offset(), "関数「" + std::string(name) + "」の後に「(」がありません");
      return -1;
    }
    std::vector<int> arguments;
    if (!TakeSymbol(")")) {
      do {
        if (arguments.size() >= 64) {
          Fail(Offset(), "引数が多すぎます");
          return -1;
        }
        arguments.push_back(Or());
        if (failed_) return -1;
      } while (TakeSymbol(","));
      if (!TakeSymbol(")")) {
        Fail(Offset(), "「)」か「,」がありません");
        return -1;
      }
    }
    const int count = static_cast<int>(arguments.size());
    if (count < info->minArguments || count > info->maxArguments) {
      Fail(start, "関数「" + std::string(name) + "」の引数の数が違います");
      return -1;
    }
    return Make(CallNode(info->function, expressions_.AddArguments(arguments), count));
  }
  if (IsReservedName(name)) {
    Fail(start, "「" + std::string(name) + "」はここには書けません");
    return -1;
  }
  const int slot = lookup_ ? lookup_(name) : kUnknownName;
  if (slot == kLaterName) {
    Fail(start, "「" + std::string(name) + "」はこの行より後で決まる名前なので使えません");
    return -1;
  }
  if (slot < 0) {
    Fail(start, "「" + std::string(name) + "」という名前はありません");
    return -1;
  }
  return Make(SlotNode(slot));
}

}  // namespace tavolo
