// The expression language of random data: what each operator and function
// gives, which inputs reject a draw, and which are syntax errors (with the
// column), including inputs built to exhaust the stack.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "random/expression.h"

namespace tavolo {
namespace {

// The values a = -3, b = 4, h = 0.5 (decimal), t = "北"; z declared later.
struct Outcome {
  std::string text;  // the value written, "true"/"false" for conditions
  MathError math = MathError::None;
  bool failed = false;
  std::size_t syntaxOffset = std::string::npos;
};

Outcome Evaluate(const std::string& source) {
  Expressions expressions;
  const std::vector<std::string> names{"a", "b", "h", "t"};
  ExpressionReader reader(source, expressions, [&](std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return static_cast<int>(i);
    return name == "z" ? kLaterName : kUnknownName;
  });
  const int root = reader.ReadExpression();
  Outcome outcome;
  if (root < 0 || !reader.AtEnd()) {
    outcome.failed = true;
    outcome.syntaxOffset = root < 0 ? reader.Error().offset : reader.Offset();
    return outcome;
  }
  const std::vector<Value> slots{Value::Number(IntegerValue(-3)), Value::Number(IntegerValue(4)),
                                 Value::Number(MakeRational(1, 2, NumberKind::Decimal).value),
                                 Value::Text("北")};
  const Evaluated result = expressions.Evaluate(root, slots);
  if (!result.Ok()) {
    outcome.failed = true;
    outcome.math = result.math;
    return outcome;
  }
  if (result.value.type == Value::Type::Truth)
    outcome.text = result.value.truth ? "true" : "false";
  else
    WriteValue(result.value, outcome.text);
  return outcome;
}

TEST(RandomExpression, ValuesOfOperatorsAndFunctions) {
  struct Case {
    const char* name;
    const char* source;
    const char* text;
  };
  const Case cases[] = {
      {"precedence", "1 + 2 * 3", "7"},
      {"minus binds below power", "-a^2", "-9"},
      {"parenthesised base", "(-3)^2", "9"},
      {"power is right-associative", "2^3^2", "512"},
      {"negative exponent", "2^-2", "1/4"},
      {"subtracting a negative", "5 - a", "8"},
      {"integer division is a fraction", "b / 6", "2/3"},
      {"decimal arithmetic", "h + 0.25", "0.75"},
      {"decimal over three", "h / 3", "1/6"},
      {"comparison", "a < b and not b < a", "true"},
      {"or short-circuits past a division by zero", "a < 0 or 1 / 0 == 1", "true"},
      {"equal values of different kinds", "0.5 == 1/2", "true"},
      {"text comparison", "t == \"北\"", "true"},
      {"abs", "abs(a)", "3"},
      {"min and max", "min(b, a, 7) * max(2, h)", "-6"},
      {"gcd of a negative", "gcd(-12, 18)", "6"},
      {"lcm", "lcm(4, 6)", "12"},
      {"floored mod", "mod(a, 2)", "1"},
      {"floored div", "div(a, 2)", "-2"},
      {"num and den", "num(-6/4) * 10 + den(-6/4)", "-28"},
      {"sign", "sign(a) + sign(0)", "-1"},
      {"isint", "isint(b / 2) and not isint(h)", "true"},
      {"isprime small", "isprime(97) and not isprime(91) and not isprime(1)", "true"},
      {"isprime 64-bit", "isprime(9223372036854775783)", "true"},
      {"isprime of a 64-bit square", "isprime(3037000493 * 3037000493)", "false"},
      {"frac", "frac(6, 4)", "3/2"},
      {"if", "if(a > 0, \"正\", \"負\")", "負"},
      {"if takes only its branch", "if(a < 0, 1, 1 / 0)", "1"},
      {"factor", "factor(84)", "2^2*3*7"},
      {"factor of a prime", "factor(9999999967)", "9999999967"},
      {"factor of two large primes", "factor(99991 * 100003)", "99991*100003"},
      {"show with a negative", "show(b + a)", "4+(-3)"},
      {"show with a leading negative", "show(a - b)", "-3-4"},
      {"show of a negative base", "show(a^2)", "(-3)^2"},
      {"show of minus a power", "show(-b^2)", "-4^2"},
      {"show of minus a negative", "show(-a)", "-(-3)"},
      {"show with brackets", "show((b + a) * b / 2)", "{4+(-3)}*4\\2"},
      {"show plain parentheses", "show((b + 1) * 2)", "(4+1)*2"},
      {"show of a function call", "show(abs(a) + 1)", "3+1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = Evaluate(c.source);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.text, c.text);
  }
}

TEST(RandomExpression, FailuresRejectTheDrawOrNameTheColumn) {
  struct Case {
    const char* name;
    std::string source;
    MathError math;
    std::size_t syntaxOffset;  // npos: reading succeeds, evaluation fails
  };
  const std::size_t none = std::string::npos;
  const Case cases[] = {
      {"division by zero", "b / (a + 3)", MathError::DivisionByZero, none},
      {"overflow", "9223372036854775807 + 1", MathError::Overflow, none},
      {"tower of powers", "2^2^2^2^2", MathError::ExponentRange, none},
      {"exponent 13", "1^13", MathError::ExponentRange, none},
      {"mod by zero", "mod(b, 0)", MathError::DivisionByZero, none},
      {"gcd of a decimal", "gcd(h, 2)", MathError::Domain, none},
      {"factor out of range", "factor(0)", MathError::Domain, none},
      {"factor past its bound", "factor(10000000001)", MathError::Domain, none},
      {"text in arithmetic", "t + 1", MathError::None, none},
      {"number as a condition", "not a", MathError::None, none},
      {"comparing a text with a number", "t == 1", MathError::None, none},
      {"unknown name", "a + q", MathError::None, 4},
      {"later name", "a + z", MathError::None, 4},
      {"function name as a value", "1 + abs", MathError::None, 7},
      {"reserved word", "step + 1", MathError::None, 0},
      {"missing parenthesis", "(a + 1", MathError::None, 6},
      {"trailing operator", "a +", MathError::None, 3},
      {"leading point", ".5", MathError::None, 0},
      {"unclosed text", "\"abc", MathError::None, 0},
      {"chained comparison", "1 < a < 2", MathError::None, 6},
      {"wrong argument count", "gcd(1)", MathError::None, 0},
      {"literal too long", "123456789012345678901", MathError::None, 0},
      {"stray character", "a $ b", MathError::None, 2},
      {"ten thousand parentheses", std::string(10000, '(') + "1" + std::string(10000, ')'),
       MathError::None, 0},
      {"ten thousand minus signs", std::string(10000, '-') + "1", MathError::None, 0},
      {"a long sum",
       "1" +
           [] {
             std::string s;
             for (int i = 0; i < 5000; ++i) s += "+1";
             return s;
           }(),
       MathError::None, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = Evaluate(c.source);
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.math, c.math);
    if (c.syntaxOffset == none) {
      EXPECT_EQ(outcome.syntaxOffset, none);
    } else if (c.syntaxOffset > 0) {
      EXPECT_EQ(outcome.syntaxOffset, c.syntaxOffset);
    } else {
      EXPECT_NE(outcome.syntaxOffset, none);
    }
  }
}

}  // namespace
}  // namespace tavolo
