// The units with random data of the bundled course (section 1.7), proved
// variant by variant: for the copies a class prints, every model answer is
// worked out here again from the variant's values with plain integer and
// fraction arithmetic (never through the engine's expressions), every box
// accepts each short way a learner may write its number, and each unit has
// enough different sheets that neighbours cannot share answers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "content/course_index.h"
#include "content/lesson_index.h"
#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "practice/grading.h"
#include "random/unit_variant.h"
#include "sheet/markup_text.h"

namespace tavolo {
namespace {

// A fraction in lowest terms with a positive denominator; the course's
// numbers are far from 64 bits.
struct Fraction {
  std::int64_t num = 0;
  std::int64_t den = 1;

  Fraction(std::int64_t n = 0, std::int64_t d = 1) : num(n), den(d) {
    if (den < 0) num = -num, den = -den;
    const std::int64_t g = std::gcd(num, den);
    if (g > 1) num /= g, den /= g;
  }
  bool IsInteger() const { return den == 1; }
  friend Fraction operator+(Fraction a, Fraction b) {
    return {a.num * b.den + b.num * a.den, a.den * b.den};
  }
  friend Fraction operator-(Fraction a) { return {-a.num, a.den}; }
  friend Fraction operator-(Fraction a, Fraction b) { return a + (-b); }
  friend Fraction operator*(Fraction a, Fraction b) { return {a.num * b.num, a.den * b.den}; }
  friend Fraction operator/(Fraction a, Fraction b) { return {a.num * b.den, a.den * b.num}; }
  friend bool operator==(Fraction a, Fraction b) { return a.num == b.num && a.den == b.den; }
  friend bool operator<(Fraction a, Fraction b) { return a.num * b.den < b.num * a.den; }
};

Fraction Pow(Fraction base, int exponent) {
  Fraction value(1);
  for (int i = 0; i < exponent; ++i) value = value * base;
  return value;
}

Fraction Abs(Fraction x) { return x.num < 0 ? -x : x; }

// "3/4" for fractions; "0.75" where the unit writes decimals. Both give an
// integer as an integer, and "+" in front of a positive number when asked.
std::string FractionText(Fraction x) {
  return std::to_string(x.num) + (x.IsInteger() ? "" : "/" + std::to_string(x.den));
}

bool Terminates(Fraction x) {
  std::int64_t d = x.den;
  while (d % 2 == 0) d /= 2;
  while (d % 5 == 0) d /= 5;
  return d == 1;
}

std::string DecimalText(Fraction x) {
  if (x.IsInteger() || !Terminates(x)) return FractionText(x);
  std::string digits;
  std::int64_t rest = std::abs(x.num) % x.den;
  while (rest != 0) {
    rest *= 10;
    digits += static_cast<char>('0' + rest / x.den);
    rest %= x.den;
  }
  return (x.num < 0 ? "-" : "") + std::to_string(std::abs(x.num) / x.den) + "." + digits;
}

std::string Signed(Fraction x, const std::string& text) { return (x.num > 0 ? "+" : "") + text; }
std::string N(Fraction x) { return FractionText(x); }             // natural, fraction kind
std::string D(Fraction x) { return DecimalText(x); }              // natural, decimal kind
std::string S(Fraction x) { return Signed(x, FractionText(x)); }  // "s", fraction kind
std::string SD(Fraction x) { return Signed(x, DecimalText(x)); }  // "s", decimal kind

// The ways a learner may write the number of a box (at most six characters,
// as the author's check of answers asks): with and without "+", as an exact
// decimal, a fraction in lowest terms and a mixed number.
std::set<std::string> LearnerForms(Fraction x) {
  std::vector<std::string> bodies = {FractionText(Abs(x))};
  if (!x.IsInteger()) {
    if (Terminates(x)) bodies.push_back(DecimalText(Abs(x)));
    if (Abs(x).num > x.den)
      bodies.push_back(std::to_string(Abs(x).num / x.den) + "&" +
                       std::to_string(Abs(x).num % x.den) + "/" + std::to_string(x.den));
  }
  std::set<std::string> forms;
  for (const std::string& body : bodies) {
    std::vector<std::string> written = {x.num < 0 ? "-" + body : body};
    if (x.num > 0) written.push_back("+" + body);
    for (const std::string& text : written)
      if (text.size() <= 6) forms.insert(text);
  }
  return forms;
}

// A number as a model answer is written: "-3", "+2.5", "-2/3".
bool ReadNumber(const std::string& text, Fraction& value) {
  std::size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
  std::int64_t whole = 0, num = 0, den = 1;
  const std::size_t start = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
    whole = whole * 10 + (text[i++] - '0');
  if (i == start) return false;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
      num = num * 10 + (text[i] - '0'), den *= 10;
    num += whole * den;
  } else if (i < text.size() && text[i] == '/') {
    num = whole, den = 0;
    for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
      den = den * 10 + (text[i] - '0');
  } else {
    num = whole;
  }
  if (i != text.size() || den == 0) return false;
  value = Fraction(text[0] == '-' ? -num : num, den);
  return true;
}

// A variant's values by name, as the sheet knows them.
class Values {
 public:
  explicit Values(const std::vector<NamedValue>& values) : values_(values) {}
  Fraction operator()(const char* name) const {
    for (const NamedValue& v : values_) {
      Fraction x;
      if (v.name == name && ReadNumber(v.text, x)) return x;
    }
    ADD_FAILURE() << "no number " << name;
    return {};
  }

 private:
  const std::vector<NamedValue>& values_;
};

std::string Relation(Fraction a, Fraction b) { return a < b ? "＜" : b < a ? "＞" : "＝"; }

bool IsPrime(std::int64_t n) {
  if (n < 2) return false;
  for (std::int64_t d = 2; d * d <= n; ++d)
    if (n % d == 0) return false;
  return true;
}

std::string Primality(Fraction n) { return IsPrime(n.num) ? "素数" : "素数でない"; }

// "2^2*3*7": each prime once, in increasing order, with its power.
std::string Factorisation(Fraction x) {
  std::string text;
  std::int64_t n = x.num;
  for (std::int64_t p = 2; n > 1; ++p) {
    int power = 0;
    while (n % p == 0) n /= p, ++power;
    if (power == 0) continue;
    text += (text.empty() ? "" : "*") + std::to_string(p);
    if (power > 1) text += "^" + std::to_string(power);
  }
  return text;
}

using Models = std::function<std::vector<std::string>(const Values&)>;

struct RandomUnitCase {
  const char* label;
  int unit;  // in section 1.7
  Models models;
};

const RandomUnitCase kCases[] = {
    {"1.7.1 絶対値", 1,
     [](const Values& v) {
       const Fraction a8 = v("a8"), b8 = v("b8");
       return std::vector<std::string>{
           N(Abs(v("a1"))), N(Abs(v("a2"))), D(Abs(v("x3"))), N(Abs(-v("p4") / v("q4"))),
           S(v("n5")),      N(-v("n5")),     D(-v("x7")),     S(Abs(b8) < Abs(a8) ? a8 : b8)};
     }},
    {"1.7.2 数の大小", 2,
     [](const Values& v) {
       const Fraction f4 = -v("p4") / v("d4"), g4 = -v("q4") / v("e4");
       const Fraction f6 = -v("p6") / v("d6");
       std::vector<Fraction> three = {v("a7"), v("b7"), v("c7")};
       std::sort(three.begin(), three.end());
       return std::vector<std::string>{Relation(v("a1"), v("b1")),
                                       Relation(v("s2") * v("p2"), -v("s2") * v("q2")),
                                       Relation(v("x3"), v("y3")),
                                       Relation(f4, g4),
                                       Relation(0, v("z5")),
                                       Relation(f6, f6 + v("e6")),
                                       SD(three[0]),
                                       SD(three[1]),
                                       SD(three[2])};
     }},
    {"1.7.3 加法", 3,
     [](const Values& v) {
       return std::vector<std::string>{S(v("a1") + v("b1")),  S(-v("a2") - v("b2")),
                                       S(v("a3") - v("b3")),  S(v("b4") - v("a4")),
                                       S(-v("a5") + v("a5")), S(0 + v("c6")),
                                       S(-v("a7") - v("b7")), S(v("a8") - v("b8"))};
     }},
    {"1.7.4 減法", 4,
     [](const Values& v) {
       return std::vector<std::string>{
           S(v("a1") - v("b1")), S(-v("a2") + v("b2")), S(v("a3") + v("b3")), S(-v("a4") - v("b4")),
           S(0 - v("c5")),       S(-v("a6") + v("b6")), S(v("a7") + v("b7")), S(v("c8") - 0)};
     }},
    {"1.7.5 加法と減法の混じった計算", 5,
     [](const Values& v) {
       return std::vector<std::string>{S(v("a1") - v("b1") + v("c1")),
                                       S(v("a2") + v("b2") - v("c2")),
                                       S(v("a3") - v("b3") + v("c3")),
                                       S(-v("a4") + v("b4") - v("c4")),
                                       S(-v("a5") - v("b5") + v("c5")),
                                       S(v("a6") - v("b6") + v("c6")),
                                       S(-v("a7") + v("b7") - v("c7") + v("d7")),
                                       S(v("a8") - v("b8") - v("c8") - v("d8"))};
     }},
    {"1.7.6 小数・分数の計算", 6,
     [](const Values& v) {
       auto frac = [&](const char* n, const char* d) { return v(n) / v(d); };
       return std::vector<std::string>{SD(v("x1") + v("y1")),
                                       SD(-v("x2") - v("y2")),
                                       SD(v("x3") - v("y3")),
                                       S(-frac("p4", "d4") - frac("q4", "e4")),
                                       S(frac("p5", "d5") - frac("q5", "e5")),
                                       S(-frac("p6", "d6") + frac("q6", "e6")),
                                       S(-v("x7") + frac("p7", "d7")),
                                       S(-frac("p8", "d8") * frac("q8", "e8"))};
     }},
    {"1.7.7 乗法", 7,
     [](const Values& v) {
       return std::vector<std::string>{
           S(v("a1") * -v("b1")),          S(-v("a2") * -v("b2")),
           S(-v("a3") * v("b3")),          S(0 * v("c4")),
           S(v("x5") * v("y5") * v("z5")), S(-v("a6") * -v("b6") * -v("c6")),
           SD(v("d7") * v("e7")),          S(v("p8") / v("d8") * (v("q8") / v("e8")))};
     }},
    {"1.7.8 除法", 8,
     [](const Values& v) {
       return std::vector<std::string>{S(v("b1") * v("q1") / -v("b1")),
                                       S(-(v("b2") * v("q2")) / -v("b2")),
                                       S(-(v("b3") * v("q3")) / v("b3")),
                                       S(0 / v("c4")),
                                       S(-v("m5") / v("n5")),
                                       S(v("a6") / (v("p6") / v("d6"))),
                                       S(v("p7") / v("d7") / (v("q7") / v("e7"))),
                                       SD(v("y8") * v("k8") / v("y8"))};
     }},
    {"1.7.9 累乗", 9,
     [](const Values& v) {
       const Fraction f = -v("p") / v("q");
       return std::vector<std::string>{N(Pow(-v("a"), 2)),
                                       N(-Pow(v("a"), 2)),
                                       N(Pow(-v("b"), 3)),
                                       N(-Pow(v("c"), 4)),
                                       N(Pow(-1, static_cast<int>(v("k").num))),
                                       N(Pow(f, 2)),
                                       N(-Pow(v("g"), 2)),
                                       D(Pow(v("h"), 2))};
     }},
    {"1.7.10 四則の混じった計算", 10,
     [](const Values& v) {
       const Fraction m2 = -v("d2") * v("q2"), m6 = -v("d6") * v("q6");
       const Fraction y5 = v("x5") - v("k5") * Pow(v("z5"), 2);
       return std::vector<std::string>{S(v("a1") + v("b1") * v("c1")),
                                       S(-v("a2") - m2 / v("d2")),
                                       S(Pow(v("b3"), 3) + v("c3") * v("b3")),
                                       S(-Pow(v("a4"), 2) - v("b4") * v("c4")),
                                       S((v("x5") - y5) / Pow(v("z5"), 2)),
                                       S(m6 / v("d6") - v("e6") * v("f6")),
                                       S(v("a7") * (v("b7") + v("c7"))),
                                       S(v("a8") - (v("b8") - Pow(v("c8"), 2)) * v("d8"))};
     }},
    {"1.7.11 素数と素因数分解", 11,
     [](const Values& v) {
       return std::vector<std::string>{
           Primality(v("n1")),
           Primality(v("n2")),
           Primality(v("n3")),
           Primality(v("n4")),
           Factorisation(v("m5")),
           Factorisation(v("m6")),
           Factorisation(v("m7")),
           N(Pow(2, static_cast<int>(v("i8").num)) * Pow(3, static_cast<int>(v("j8").num)))};
     }},
    {"1.7.12 気温の問題", 12,
     [](const Values& v) {
       const std::vector<Fraction> t = {v("t1"), v("t2"), v("t3"), v("t4"), v("t5")};
       const auto [low, high] = std::minmax_element(t.begin(), t.end());
       return std::vector<std::string>{S(v("a1") + v("u1")),
                                       S(v("a2") - v("d2")),
                                       N(v("h3") - v("l3")),
                                       S(v("b4") - v("a4")),
                                       N(*high - *low),
                                       S(t[1] - t[0]),
                                       SD((t[0] + t[1] + t[2] + t[3] + t[4]) / 5)};
     }},
};

constexpr int kVariants = 50;  // copies for a large class
constexpr std::size_t kFewestSheets = 30;

TEST(SampleRandomUnits, EveryVariantsAnswersAreRightAndAccepted) {
  const auto course = ReadCourseIndex(std::string(TAVOLO_SOURCE_DIR) + "/courses/sample/");
  ASSERT_TRUE(course.ok()) << course.message();
  const auto lesson = ReadLessonIndex(course.value(), 1);
  ASSERT_TRUE(lesson.ok()) << lesson.message();
  for (const RandomUnitCase& c : kCases) {
    SCOPED_TRACE(c.label);
    const UnitReading reading = ReadUnit(course.value(), lesson.value(), {1, 7, c.unit, 0});
    ASSERT_TRUE(reading.ok()) << reading.problem.message;
    ASSERT_TRUE(reading.content->HasRandomBlock());
    const RandomUnit random(*reading.content);
    ASSERT_TRUE(random.Problems().empty()) << random.Problems()[0];
    std::set<std::vector<std::string>> sheets;
    for (int n = 1; n <= kVariants; ++n) {
      SCOPED_TRACE("variant " + std::to_string(n));
      const UnitVariant variant = random.Expand(n);
      ASSERT_TRUE(variant.random.problems.empty()) << variant.random.problems[0];
      const std::vector<std::string> expected = c.models(Values(variant.random.values));
      EXPECT_EQ(ModelAnswers(variant.content), expected);
      sheets.insert(variant.content.questionLines);
      std::size_t box = 0;
      for (const std::string& line : variant.content.questionLines) {
        const std::vector<std::string> pieces = SplitAnswerMarks(line);
        for (std::size_t i = 1; i < pieces.size() && box < expected.size(); i += 2, ++box) {
          const AnswerKey key(pieces[i]);
          EXPECT_EQ(TrimWideSpaces(key.Model()), expected[box]) << pieces[i];
          Fraction value;
          if (!ReadNumber(expected[box], value)) {
            EXPECT_EQ(key.Answers().size(), 1u) << "a text has one form: " << pieces[i];
            continue;
          }
          for (const std::string& form : LearnerForms(value))
            EXPECT_EQ(JudgeAnswer(key, false, form), Judgement::Correct)
                << pieces[i] << " rejects " << form;
        }
      }
    }
    EXPECT_GE(sheets.size(), kFewestSheets);
  }
}

}  // namespace
}  // namespace tavolo
