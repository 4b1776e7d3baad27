#include "random/expression.h"

// The reader of expressions: text to the table of nodes, with the names it
// reserves. Evaluation and the written form are in expression.cpp.

#include <algorithm>
#include <array>
#include <utility>

namespace tavolo {

namespace {

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

}  // namespace

bool IsReservedName(std::string_view name) {
  return FindFunction(name) != nullptr ||
         std::find(kWords.begin(), kWords.end(), name) != kWords.end();
}

bool IsValueName(std::string_view name) {
  if (name.empty() || name.size() > 16 || !IsNameStart(name.front())) return false;
  return std::all_of(name.begin(), name.end(), IsNameChar);
}

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