#pragma once
// The expressions of questions with random data: a small language of exact
// numbers, texts and conditions, read by hand (no parser generator) so that
// every error names its column and no input, however deep or long, can
// exhaust the stack or loop without end.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "random/rational.h"

namespace tavolo {

struct Value {
  enum class Type : std::uint8_t { Number, Text, Truth };
  Type type = Type::Number;
  bool truth = false;
  Rational number;
  std::string text;

  static Value Number(const Rational& number) { return {Type::Number, false, number, {}}; }
  static Value Text(std::string text) { return {Type::Text, false, {}, std::move(text)}; }
  static Value Truth(bool truth) { return {Type::Truth, truth, {}, {}}; }
  // Numbers by value (2/4 equals 0.5), texts by their characters.
  bool operator==(const Value& other) const;
};

// A value written as the sheet shows it without a format: the natural form of
// a number, a text as it is. Conditions have no written form: nothing.
bool WriteValue(const Value& value, std::string& out);

// What evaluation gave: a value, or why there is none. A math error rejects
// the draw it happened in; any other failure (a text where a number belongs)
// is the author's mistake, reported the same way so that no draw goes on.
struct Evaluated {
  Value value;
  MathError math = MathError::None;
  std::string message;  // empty when there is a value
  bool Ok() const { return message.empty(); }
};

// Where a name stands for the line being read: a slot of a declared value,
// or one of the reasons it cannot be used.
inline constexpr int kUnknownName = -1;
inline constexpr int kLaterName = -2;
using NameLookup = std::function<int(std::string_view name)>;

// Names of the language that no value may take.
bool IsReservedName(std::string_view name);
// A lower-case letter, then lower-case letters, digits or "_", 16 at most.
bool IsValueName(std::string_view name);
inline bool IsNameStart(char c) { return c >= 'a' && c <= 'z'; }
inline bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// A syntax error at a byte offset of the text that was read.
struct SyntaxError {
  std::size_t offset = 0;
  std::string message;
};

// The expressions of one block (or of one line's placeholders), kept as one
// table of nodes; an expression is the index of its top node.
class Expressions {
 public:
  Evaluated Evaluate(int root, const std::vector<Value>& values) const;
  // True when the expression uses no declared value (a generator's bounds).
  bool IsConstant(int root) const;
  // The slots an expression reads.
  void CollectSlots(int root, std::vector<int>& found) const;

  enum class Op : std::uint8_t {
    Literal,
    Slot,
    Group,
    Negate,
    Not,
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    And,
    Or,
    Call,
  };
  enum class Function : std::uint8_t {
    Abs,
    Min,
    Max,
    Gcd,
    Lcm,
    Mod,
    Div,
    Num,
    Den,
    Sign,
    IsInt,
    IsPrime,
    Frac,
    If,
    Factor,
    Show,
  };
  struct Node {
    Op op = Op::Literal;
    Function function = Function::Abs;
    std::uint16_t depth = 1;  // of the tree below, this node included
    int left = -1, right = -1;
    int firstArgument = 0, argumentCount = 0;  // Call: a range of arguments_
    int slot = -1;                             // Slot
    Value literal;                             // Literal
  };
  int Add(Node node);
  int AddArguments(const std::vector<int>& nodes);
  const Node& At(int index) const { return nodes_[static_cast<std::size_t>(index)]; }
  int Argument(const Node& call, int i) const {
    return arguments_[static_cast<std::size_t>(call.firstArgument) + static_cast<std::size_t>(i)];
  }
  std::size_t Size() const { return nodes_.size(); }
  void Clear() {
    nodes_.clear();
    arguments_.clear();
  }

 private:
  Evaluated Call(const Node& node, const std::vector<Value>& values) const;
  Evaluated Show(int root, const std::vector<Value>& values) const;
  bool ShowInto(int index, const std::vector<Value>& values, bool leading, bool powerBase,
                std::string& out, Evaluated& failure) const;

  std::vector<Node> nodes_;
  std::vector<int> arguments_;
};

// The reader of expressions over one text. The block reader uses its token
// steps as well, for the words of a declaration around the expressions.
class ExpressionReader {
 public:
  ExpressionReader(std::string_view text, Expressions& expressions, NameLookup lookup);

  // One expression; -1 on an error (then Error() says where and why).
  int ReadExpression();
  bool Failed() const { return failed_; }
  const SyntaxError& Error() const { return error_; }

  // Token steps, after blanks.
  bool AtEnd();
  std::size_t Offset();                      // where the next token starts
  bool TakeSymbol(std::string_view symbol);  // "(", "..", ",", "=", ...
  bool TakeWord(std::string_view word);      // a whole name: "step", "except"
  // A name at the current position, taken whole; empty if none.
  std::string_view TakeName();
  void Fail(std::size_t offset, std::string message);

 private:
  void SkipBlanks();
  int Or();
  int And();
  int Not();
  int Comparison();
  int Sum();
  int Product();
  int Unary();
  int PowerOf();
  int Primary();
  int Make(Expressions::Node node);
  int Literal(std::size_t start);
  bool Enter();
  void Leave() { --nesting_; }

  std::string_view text_;
  std::size_t pos_ = 0;
  Expressions& expressions_;
  NameLookup lookup_;
  int nesting_ = 0;
  bool failed_ = false;
  SyntaxError error_;
};

// The deepest an expression may nest, in parentheses or operators; far past
// anything a question needs, far below what the stack holds.
inline constexpr int kMaxExpressionDepth = 200;

// Deterministic for every 64-bit number (Miller-Rabin with a fixed base set).
bool IsPrime64(std::uint64_t n);

}  // namespace tavolo
