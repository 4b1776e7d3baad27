// The bundled course 「正と負の数」 is what every new user sees first, so every
// answer in it is proved here: computations are evaluated in exact rational
// arithmetic over the course's own notation, comparisons and orderings are
// checked against the numbers they compare, and the remaining questions (read
// off a figure, word problems) against a table of expected answers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <numeric>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/answer_form_check.h"
#include "content/course_check.h"
#include "content/course_index.h"
#include "content/lesson_index.h"
#include "content/similar_problems.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/utf8.h"
#include "random/unit_check.h"
#include "random/unit_variant.h"
#include "sheet/markup_text.h"

namespace tavolo {
namespace {

// ------------------------------------------------------------------ exact numbers

// A fraction in lowest terms with a positive denominator. Course numbers are
// small; an overflow makes the value invalid rather than wrong.
class Rational {
 public:
  Rational() = default;
  Rational(std::int64_t num, std::int64_t den = 1) : num_(num), den_(den) { Normalise(); }

  bool valid() const { return valid_; }
  std::int64_t num() const { return num_; }
  std::int64_t den() const { return den_; }

  friend Rational operator+(Rational a, Rational b) {
    std::int64_t x, y, d;
    if (!a.valid_ || !b.valid_ || __builtin_mul_overflow(a.num_, b.den_, &x) ||
        __builtin_mul_overflow(b.num_, a.den_, &y) || __builtin_add_overflow(x, y, &x) ||
        __builtin_mul_overflow(a.den_, b.den_, &d))
      return Invalid();
    return Rational(x, d);
  }
  friend Rational operator-(Rational a) { return Rational(-a.num_, a.den_).Keep(a.valid_); }
  friend Rational operator-(Rational a, Rational b) { return a + (-b); }
  friend Rational operator*(Rational a, Rational b) {
    std::int64_t n, d;
    if (!a.valid_ || !b.valid_ || __builtin_mul_overflow(a.num_, b.num_, &n) ||
        __builtin_mul_overflow(a.den_, b.den_, &d))
      return Invalid();
    return Rational(n, d);
  }
  friend Rational operator/(Rational a, Rational b) {
    if (!b.valid_ || b.num_ == 0) return Invalid();
    return a * Rational(b.den_, b.num_);
  }
  friend bool operator==(Rational a, Rational b) {
    return a.valid_ && b.valid_ && a.num_ == b.num_ && a.den_ == b.den_;
  }
  friend bool operator<(Rational a, Rational b) { return (a - b).num_ < 0; }

  std::string Text() const {
    if (!valid_) return "(invalid)";
    return den_ == 1 ? std::to_string(num_) : std::to_string(num_) + "/" + std::to_string(den_);
  }

 private:
  static Rational Invalid() {
    Rational r;
    r.valid_ = false;
    return r;
  }
  Rational Keep(bool valid) {
    valid_ = valid;
    return *this;
  }
  void Normalise() {
    if (den_ == 0) {
      valid_ = false;
      return;
    }
    if (den_ < 0) num_ = -num_, den_ = -den_;
    const std::int64_t g = std::gcd(num_, den_);
    if (g > 1) num_ /= g, den_ /= g;
  }

  std::int64_t num_ = 0;
  std::int64_t den_ = 1;
  bool valid_ = true;
};

std::ostream& operator<<(std::ostream& out, const Rational& r) { return out << r.Text(); }

// The course's notation as arithmetic: "+"/"-" (also as signs), "*" for ×,
// "\" for ÷, "^" for powers (binding tighter than a sign: "-3^2" is -9),
// brackets "( )" and "{ }", and numbers written as integers, decimals,
// fractions "3/4" and mixed numbers "2&1/3". Blanks are ignored.
class NotationEvaluator {
 public:
  static std::optional<Rational> Evaluate(std::string_view text) {
    NotationEvaluator e(text);
    Rational value = e.Sum();
    e.SkipBlanks();
    if (e.failed_ || e.pos_ != e.text_.size() || !value.valid()) return std::nullopt;
    return value;
  }

  // A single number as a learner writes an answer: an optional sign and one
  // number, nothing else.
  static std::optional<Rational> Number(std::string_view text) {
    NotationEvaluator e(text);
    e.SkipBlanks();
    bool negative = false;
    if (e.Peek() == '+' || e.Peek() == '-') negative = e.text_[e.pos_++] == '-';
    Rational value = e.Literal();
    e.SkipBlanks();
    if (e.failed_ || e.pos_ != e.text_.size()) return std::nullopt;
    return negative ? -value : value;
  }

 private:
  explicit NotationEvaluator(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  char Peek() {
    SkipBlanks();
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  bool Accept(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  Rational Fail() {
    failed_ = true;
    return Rational();
  }

  Rational Sum() {
    Rational value = Product();
    for (;;) {
      if (Accept('+'))
        value = value + Product();
      else if (Accept('-'))
        value = value - Product();
      else
        return value;
    }
  }
  Rational Product() {
    Rational value = Signed();
    for (;;) {
      if (Accept('*'))
        value = value * Signed();
      else if (Accept('\\'))
        value = value / Signed();
      else
        return value;
    }
  }
  Rational Signed() {
    if (Accept('-')) return -Signed();
    if (Accept('+')) return Signed();
    return Power();
  }
  Rational Power() {
    Rational base = Primary();
    if (!Accept('^')) return base;
    const std::int64_t exponent = Digits();
    if (exponent < 0 || exponent > 12) return Fail();
    Rational value(1);
    for (std::int64_t i = 0; i < exponent; ++i) value = value * base;
    return value;
  }
  Rational Primary() {
    if (Accept('(')) return Closed(')');
    if (Accept('{')) return Closed('}');
    return Literal();
  }
  Rational Closed(char close) {
    Rational value = Sum();
    return Accept(close) ? value : Fail();
  }
  // Digits without a sign; -1 when there are none.
  std::int64_t Digits() {
    SkipBlanks();
    const std::size_t start = pos_;
    std::int64_t value = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
      if (pos_ - start >= 12) return -1;
      value = value * 10 + (text_[pos_++] - '0');
    }
    return pos_ == start ? -1 : value;
  }
  // "12", "2.5", "3/4" or "2&1/3"; no blanks inside.
  Rational Literal() {
    const std::int64_t whole = Digits();
    if (whole < 0) return Fail();
    if (pos_ < text_.size() && text_[pos_] == '.') {
      ++pos_;
      const std::size_t start = pos_;
      const std::int64_t decimals = Digits();
      if (decimals < 0) return Fail();
      std::int64_t scale = 1;
      for (std::size_t i = start; i < pos_; ++i) scale *= 10;
      return Rational(whole * scale + decimals, scale);
    }
    if (pos_ < text_.size() && text_[pos_] == '/') {
      ++pos_;
      const std::int64_t den = Digits();
      return den > 0 ? Rational(whole, den) : Fail();
    }
    if (pos_ < text_.size() && text_[pos_] == '&') {
      ++pos_;
      const std::int64_t num = Digits();
      if (num < 0 || pos_ >= text_.size() || text_[pos_] != '/') return Fail();
      ++pos_;
      const std::int64_t den = Digits();
      return den > 0 ? Rational(whole) + Rational(num, den) : Fail();
    }
    return Rational(whole);
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

TEST(SampleCourseArithmetic, EvaluatesTheCourseNotation) {
  struct Case {
    const char* text;
    Rational value;
  };
  const Case cases[] = {
      {"(+3)+(-5)", Rational(-2)},
      {"-3^2", Rational(-9)},
      {"(-3)^2", Rational(9)},
      {"-(-4)^2", Rational(-16)},
      {"(-2/3)^2", Rational(4, 9)},
      {"6\\(-2)*3", Rational(-9)},
      {"2&1/4\\(-1&1/2)", Rational(-3, 2)},
      {"-2&1/3", Rational(-7, 3)},
      {"5-{3-(-2)^2}*2", Rational(7)},
      {"0.3*(-4)+(-0.6)\\0.2", Rational(-42, 10)},
      {"1/2-1/3", Rational(1, 6)},
      {"7+(-3)*4", Rational(-5)},
  };
  for (const auto& c : cases) {
    const auto value = NotationEvaluator::Evaluate(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
  for (const char* bad : {"", "(3+4", "3+", "3//4", "2&1", "1\\0", "x+1", "3 4", "(-3)^", "１"})
    EXPECT_FALSE(NotationEvaluator::Evaluate(bad).has_value()) << bad;
  EXPECT_EQ(NotationEvaluator::Number("-1&1/2"), Rational(-3, 2));
  EXPECT_EQ(NotationEvaluator::Number("+0.25"), Rational(1, 4));
  EXPECT_FALSE(NotationEvaluator::Number("2-1").has_value());
  EXPECT_FALSE(NotationEvaluator::Number("(3)").has_value());
}

// A number written the way the answer sheet should show it: fractions in
// lowest terms, mixed numbers proper, no "+0", no trailing zero decimals.
bool IsTidyNumber(std::string_view text) {
  std::string_view body = text;
  const bool sign = !body.empty() && (body[0] == '+' || body[0] == '-');
  if (sign) body.remove_prefix(1);
  if (body.empty()) return false;
  const auto value = NotationEvaluator::Number(text);
  if (!value) return false;
  if (sign && value->num() == 0) return false;
  if (const auto dot = body.find('.'); dot != std::string_view::npos)
    return body.back() != '0' && dot > 0;
  const auto slash = body.find('/');
  if (slash == std::string_view::npos) return body.size() == 1 || body[0] != '0';
  const auto amp = body.find('&');
  const std::string_view numText =
      body.substr(amp == std::string_view::npos ? 0 : amp + 1,
                  slash - (amp == std::string_view::npos ? 0 : amp + 1));
  const auto num = NotationEvaluator::Number(numText);
  const auto den = NotationEvaluator::Number(body.substr(slash + 1));
  if (!num || !den || den->num() <= 1 || std::gcd(num->num(), den->num()) != 1) return false;
  return amp == std::string_view::npos || num->num() < den->num();
}

TEST(SampleCourseArithmetic, TidyNumbers) {
  for (const char* good : {"7", "-4", "+0.3", "0", "-3/2", "-1&1/2", "4/9", "0.09", "-0.001"})
    EXPECT_TRUE(IsTidyNumber(good)) << good;
  for (const char* bad : {"+0", "2/4", "6/3", "1&3/2", "2.50", "07", "3/1", "-", "x"})
    EXPECT_FALSE(IsTidyNumber(bad)) << bad;
}

// ------------------------------------------------------------------ the course

const std::string kCourse = std::string(TAVOLO_SOURCE_DIR) + "/courses/sample/";

struct Answer {
  std::string before;                     // question text before the answer
  std::string after;                      // question text after it (to the next answer)
  std::vector<std::string> alternatives;  // trimmed; the model answer first
};

struct ReadUnitData {
  std::string name;  // short unit name, e.g. "sf3.que-U1R2"
  UnitAddress address;
  UnitContent content;
  std::vector<Answer> answers;
  bool hasHint = false;
  std::string figureFolder;  // course folder + lesson folder + "Graph/"
  // A unit with random data: its variants 1..kSheetVariants as sheets show
  // them. Every other check reads the unit as written.
  std::vector<UnitContent> variants;
};

// Variants of each unit with random data whose sheets are checked here, as
// many as copies for a large class.
constexpr int kSheetVariants = 50;

std::vector<Answer> AnswersOf(const std::vector<std::string>& questionLines) {
  std::vector<Answer> answers;
  for (const auto& line : questionLines) {
    const auto pieces = SplitAnswerMarks(line);
    for (std::size_t i = 1; i + 1 < pieces.size(); i += 2) {
      Answer a{pieces[i - 1], pieces[i + 1], {}};
      for (const auto& alt : SplitAlternatives(pieces[i]))
        a.alternatives.push_back(TrimWideSpaces(alt));
      answers.push_back(std::move(a));
    }
  }
  return answers;
}

bool HasHintBlock(const std::vector<std::string>& fileLines, const std::string& keyLine) {
  auto it = std::find(fileLines.begin(), fileLines.end(), keyLine);
  for (; it != fileLines.end() && *it != "]]"; ++it)
    if (*it == "<<hint") return true;
  return false;
}

// Every unit the course menu offers, similar problems included.
class SampleCourse : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    auto course = ReadCourseIndex(kCourse);
    ASSERT_TRUE(course.ok()) << course.message();
    course_ = new CourseIndex(course.value());
    units_ = new std::vector<ReadUnitData>();
    for (int l = 1; l <= static_cast<int>(course_->lessons.size()); ++l) {
      auto lesson = ReadLessonIndex(*course_, l);
      ASSERT_TRUE(lesson.ok()) << lesson.message();
      for (int s = 1; s <= static_cast<int>(lesson->sections.size()); ++s) {
        const auto file = QuestionFilePath(*course_, {l, s, 1, 0});
        auto lines = ReadLines(file);
        ASSERT_TRUE(lines.ok()) << lines.message();
        const int unitCount = static_cast<int>(lesson->sections[s - 1].units.size());
        for (int u = 1; u <= unitCount; ++u) {
          std::vector<int> variants = {0};
          for (const int v : ListSimilarProblems(lines.value(), u)) variants.push_back(v);
          for (const int v : variants) {
            const UnitAddress address{l, s, u, v};
            UnitReading reading = ReadUnit(*course_, lesson.value(), address);
            ASSERT_TRUE(reading.ok()) << AddressText(address) << ": " << reading.problem.message;
            ReadUnitData data;
            data.name = ShortUnitName(*course_, address);
            data.address = address;
            data.content = std::move(*reading.content);
            data.answers = AnswersOf(data.content.questionLines);
            data.hasHint = HasHintBlock(lines.value(), UnitKeyLine(address));
            data.figureFolder = PathText(
                CoursePath(course_->courseFolder, course_->lessons[l - 1].folder + "Graph\\"));
            if (data.content.HasRandomBlock()) {
              const RandomUnit random(data.content);
              ASSERT_TRUE(random.Problems().empty()) << data.name << ": " << random.Problems()[0];
              for (int n = 1; n <= kSheetVariants; ++n) {
                UnitVariant variant = random.Expand(n);
                ASSERT_TRUE(variant.random.problems.empty())
                    << data.name << " variant " << n << ": " << variant.random.problems[0];
                data.variants.push_back(std::move(variant.content));
              }
            }
            units_->push_back(std::move(data));
          }
        }
      }
    }
    ReadCopyFiles();
  }
  // Copy files a teacher saved into a lesson's copy-file folder (course folder
  // + stem) open like units; their figures come from lesson 1's folder.
  static void ReadCopyFiles() {
    for (const Lesson& lesson : course_->lessons) {
      const std::filesystem::path folder = kCourse + lesson.stem;
      if (!std::filesystem::is_directory(folder)) continue;
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".prp") continue;
        UnitReading reading = ReadCopyFile(entry.path());
        ASSERT_TRUE(reading.ok()) << entry.path() << ": " << reading.problem.message;
        ReadUnitData data;
        data.name = entry.path().filename().string();
        data.content = std::move(*reading.content);
        data.answers = AnswersOf(data.content.questionLines);
        data.figureFolder =
            PathText(CoursePath(course_->courseFolder, course_->lessons[0].folder + "Graph\\"));
        units_->push_back(std::move(data));
      }
    }
  }
  static void TearDownTestSuite() {
    delete units_;
    delete course_;
  }

  static const std::vector<ReadUnitData>& Units() { return *units_; }

  static CourseIndex* course_;
  static std::vector<ReadUnitData>* units_;
};

CourseIndex* SampleCourse::course_ = nullptr;
std::vector<ReadUnitData>* SampleCourse::units_ = nullptr;

TEST_F(SampleCourse, CourseCheckFindsNothing) {
  const CourseCheckResult result = CheckCourse(*course_);
  for (const auto& p : result.problems)
    ADD_FAILURE() << p.address << " " << p.file << ":" << p.line << " " << p.message;
  EXPECT_EQ(result.lessonCount, 2);
}

TEST_F(SampleCourse, HasTheRangeOfMaterialThatNewUsersExpect) {
  int units = 0, copyFiles = 0, withSimilar = 0, withChoices = 0, withHints = 0, withFigures = 0,
      withAnswerFigures = 0;
  std::set<std::string> kinds, papers;
  bool twoColumn = false;
  for (const auto& u : Units()) {
    SCOPED_TRACE(u.name);
    EXPECT_GE(u.answers.size(), 4u);
    EXPECT_LE(u.answers.size(), 15u);
    ASSERT_EQ(u.content.valueLines.size(), 7u);
    ASSERT_EQ(u.content.kranLines.size(), 10u);
    if (u.address.lesson == 0) {
      ++copyFiles;
      continue;
    }
    if (u.address.variant > 0) {
      if (u.address.variant == 1) ++withSimilar;
      continue;
    }
    ++units;
    withChoices += !u.content.kgroupLines.empty();
    withHints += u.hasHint;
    withFigures += !u.content.graphLines.empty();
    withAnswerFigures += !u.content.aGraphLines.empty();
    kinds.insert(u.content.kranLines[0]);
    papers.insert(u.content.valueLines[0]);
    twoColumn = twoColumn || u.content.kranLines[3] == "2";
  }
  EXPECT_GE(units, 30);
  EXPECT_GE(copyFiles, 1);
  EXPECT_GE(withSimilar, 13);
  EXPECT_GE(withChoices, 3);
  EXPECT_GE(withHints * 2, units);
  EXPECT_GE(withFigures, 3);
  EXPECT_GE(withAnswerFigures, 1);
  EXPECT_EQ(kinds, (std::set<std::string>{"0", "1", "2", "3", "4", "5"}));
  EXPECT_TRUE(papers.count("546") && papers.count("630"));
  EXPECT_TRUE(twoColumn);
}

// The chapter as the course of study has it: prime factorisation and the laws
// of computation are taught, and every unit of the computation sections and of
// their use has a similar problem to practise again.
TEST_F(SampleCourse, CoversTheWholeChapter) {
  std::set<std::string> captions;
  for (const auto& u : Units())
    if (u.address.lesson > 0) captions.insert(u.content.title);
  auto taught = [&](const std::string& words) {
    return std::any_of(captions.begin(), captions.end(), [&](const std::string& title) {
      return title.find(words) != std::string::npos;
    });
  };
  for (const char* words : {"素数", "素因数分解", "交換法則と結合法則", "数の集合・利用"})
    EXPECT_TRUE(taught(words)) << words;
  std::set<std::string> withSimilar;
  for (const auto& u : Units())
    if (u.address.variant == 1)
      withSimilar.insert(AddressText({u.address.lesson, u.address.section, u.address.unit, 0}));
  for (const char* unit : {"1.3.1", "1.3.2", "1.3.3", "1.3.4", "1.4.1", "1.4.2", "1.4.3", "1.4.4",
                           "1.5.2", "1.5.3", "1.5.4"})
    EXPECT_TRUE(withSimilar.count(unit)) << unit;
}

// Judging compares texts, so every short way of writing a box's number must be
// one of its answers. Only 1.1.1 asks for the sign to be written: there "7" for
// "+7" is rightly wrong, and only forms without the sign may be missing.
TEST_F(SampleCourse, BoxesAcceptEveryShortFormOfTheirNumber) {
  const std::set<std::pair<std::string, int>> signAsked = {{"1.1.1", 1}, {"1.1.1", 4}};
  const AnswerFormReport report = CheckAnswerForms(*course_, QuestionLinesOfVariants);
  std::set<std::pair<std::string, int>> reported;
  for (const auto& gap : report.gaps) {
    reported.insert({gap.unit, gap.box});
    if (!signAsked.count({gap.unit, gap.box})) {
      ADD_FAILURE() << gap.file << ":" << gap.line << " " << gap.unit << " (" << gap.box << ") "
                    << gap.answer << " lacks " << gap.missing.front();
      continue;
    }
    for (const auto& form : gap.missing) EXPECT_NE(form.front(), '+') << gap.unit << " " << form;
  }
  EXPECT_EQ(reported, signAsked);
  EXPECT_GT(report.numericBoxCount, 350);
}

// In a unit with a choice list the learner picks answers from it, so every
// question's answer must be offered.
TEST_F(SampleCourse, ChoiceListsOfferEveryAnswer) {
  const auto expectOffered = [](const UnitContent& content, const std::vector<Answer>& answers) {
    std::set<std::string> offered;
    for (const auto& line : content.kgroupLines) {
      EXPECT_TRUE(offered.insert(TrimWideSpaces(line)).second) << "offered twice: " << line;
    }
    for (const auto& a : answers) {
      const bool found = std::any_of(a.alternatives.begin(), a.alternatives.end(),
                                     [&](const std::string& alt) { return offered.count(alt); });
      EXPECT_TRUE(found) << "not offered: " << a.alternatives[0];
    }
  };
  int randomLists = 0;
  for (const auto& u : Units()) {
    if (u.content.kgroupLines.empty()) continue;
    SCOPED_TRACE(u.name);
    if (u.variants.empty()) {
      expectOffered(u.content, u.answers);
      continue;
    }
    // Choices with placeholders: every variant offers its own answers.
    ++randomLists;
    for (std::size_t n = 0; n < u.variants.size(); ++n) {
      SCOPED_TRACE("variant " + std::to_string(n + 1));
      expectOffered(u.variants[n], AnswersOf(u.variants[n].questionLines));
    }
  }
  EXPECT_GE(randomLists, 1);
}

// Reads width and height from a BMP file header; nothing when it is not one.
std::optional<std::pair<int, int>> BitmapSize(const std::filesystem::path& path) {
  auto bytes = ReadFileBytes(path);
  if (!bytes || bytes->size() < 26 || bytes->compare(0, 2, "BM") != 0) return std::nullopt;
  auto le32 = [&](std::size_t at) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes->data() + at);
    return static_cast<std::int32_t>(b[0] | b[1] << 8 | b[2] << 16 |
                                     static_cast<std::uint32_t>(b[3]) << 24);
  };
  return std::make_pair(le32(18), std::abs(le32(22)));
}

TEST_F(SampleCourse, FiguresExistAndStayOnThePage) {
  for (const auto& u : Units()) {
    SCOPED_TRACE(u.name);
    const int pageWidth = std::stoi(u.content.valueLines[0]);
    const int pageHeight = static_cast<int>(std::lround(std::sqrt(2.0) * pageWidth));
    const auto& q = u.content.graphLines;
    const auto& a = u.content.aGraphLines;
    ASSERT_EQ(q.size() % 3, 0u);
    ASSERT_EQ(a.size() % 3, 0u);
    EXPECT_LE(a.size(), q.size()) << "an answer figure covers the question figure of its number";
    std::vector<std::pair<int, int>> questionSizes;
    for (const auto* list : {&q, &a}) {
      for (std::size_t i = 0; i < list->size(); i += 3) {
        const auto size = BitmapSize(ResolveCaseInsensitive(u.figureFolder + (*list)[i]));
        ASSERT_TRUE(size.has_value()) << (*list)[i];
        // Answer figures are drawn where question figure k is.
        const int x = std::stoi(q[i + 1]), y = std::stoi(q[i + 2]);
        EXPECT_GE(x, 1);
        EXPECT_LE(x + size->first, pageWidth) << (*list)[i];
        EXPECT_LE(y + size->second, pageHeight) << (*list)[i];
        if (list == &q)
          questionSizes.push_back(*size);
        else
          EXPECT_EQ(*size, questionSizes[i / 3]) << (*list)[i];
      }
    }
  }
}

// ------------------------------------------------------------------ answers

// Strips a question number "(n)" and surrounding blanks.
std::string_view WithoutNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.size() > 2 && text[0] == '(' && text[1] >= '0' && text[1] <= '9') {
    const auto close = text.find(')');
    if (close != std::string_view::npos && std::all_of(text.begin() + 1, text.begin() + close,
                                                       [](char c) { return c >= '0' && c <= '9'; }))
      text.remove_prefix(close + 1);
  }
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Every alternative must be a tidy number of the given value.
void ExpectNumericAnswer(const Answer& a, const Rational& value, const std::string& where) {
  for (const auto& alt : a.alternatives) {
    const auto number = NotationEvaluator::Number(alt);
    EXPECT_TRUE(number.has_value()) << where << ": not a number: " << alt;
    if (!number) continue;
    EXPECT_EQ(*number, value) << where << ": answer " << alt;
    EXPECT_TRUE(IsTidyNumber(alt)) << where << ": untidy answer " << alt;
  }
  const std::set<std::string> distinct(a.alternatives.begin(), a.alternatives.end());
  EXPECT_EQ(distinct.size(), a.alternatives.size()) << where << ": repeated alternative";
}

// "(3) 2&1/4\(-1&1/2)=" followed by the answer.
std::optional<Rational> ComputationOf(const Answer& a) {
  std::string_view q = WithoutNumber(a.before);
  if (q.empty() || q.back() != '=') return std::nullopt;
  q.remove_suffix(1);
  return NotationEvaluator::Evaluate(q);
}

// "(2) -1/2 #＜# -1/3": the relation between the numbers on both sides.
bool IsComparison(const Answer& a) {
  static const std::set<std::string> kSigns = {"＞", "＜", "＝"};
  return kSigns.count(a.alternatives[0]) > 0;
}

void ExpectComparison(const Answer& a, const std::string& where) {
  const auto left = NotationEvaluator::Evaluate(WithoutNumber(a.before));
  const auto right = NotationEvaluator::Evaluate(WithoutNumber(a.after));
  ASSERT_TRUE(left && right) << where << ": cannot read " << a.before << " / " << a.after;
  const std::string truth = *left < *right ? "＜" : *right < *left ? "＞" : "＝";
  // One sign only: an alternative would be drawn over the right-hand number
  // when the sheet shows alternatives.
  EXPECT_EQ(a.alternatives, (std::vector<std::string>{truth})) << where;
}

// "(1) -2, +1, -5   #-5#<#-2#<#+1;1#": the listed numbers in increasing order.
// Returns how many answers the chain took, 0 when this is no such chain.
std::size_t CheckOrderingChain(const std::vector<Answer>& answers, std::size_t first,
                               const std::string& where) {
  const std::string_view listed = WithoutNumber(answers[first].before);
  if (listed.find(',') == std::string_view::npos || listed.find('=') != std::string_view::npos)
    return 0;
  std::vector<Rational> numbers;
  std::size_t start = 0;
  while (start <= listed.size()) {
    const std::size_t comma = std::min(listed.find(',', start), listed.size());
    const auto n = NotationEvaluator::Number(listed.substr(start, comma - start));
    if (!n) return 0;
    numbers.push_back(*n);
    start = comma + 1;
  }
  if (first + numbers.size() > answers.size()) return 0;
  std::sort(numbers.begin(), numbers.end());
  for (std::size_t k = 0; k < numbers.size(); ++k) {
    const Answer& a = answers[first + k];
    ExpectNumericAnswer(a, numbers[k], where + " chain " + std::to_string(k + 1));
    const std::string_view link = WithoutNumber(a.after);
    EXPECT_EQ(link, k + 1 < numbers.size() ? "<" : "") << where;
  }
  return numbers.size();
}

// The answers that are not computations, comparisons or orderings, unit by
// unit in order: a value given as a notation expression of what the question
// describes (every alternative must equal it), or an exact model answer text.
struct Expected {
  enum class Kind { Value, Text, Law, Primality, Factorization } kind;
  std::string text;
};
Expected V(std::string expression) { return {Expected::Kind::Value, std::move(expression)}; }
Expected T(std::string modelAnswer) { return {Expected::Kind::Text, std::move(modelAnswer)}; }
// The name of the law an example shows; the example's two sides must be equal.
Expected Law(std::string name) { return {Expected::Kind::Law, std::move(name)}; }
// "素数" or "素数でない" for the number the question names, decided here.
Expected Primality() { return {Expected::Kind::Primality, {}}; }
// The prime factorisation of the number the question names.
Expected Factorization() { return {Expected::Kind::Factorization, {}}; }

bool IsPrime(std::int64_t n) {
  if (n < 2) return false;
  for (std::int64_t d = 2; d * d <= n; ++d)
    if (n % d == 0) return false;
  return true;
}

std::string PrimeCountUpTo(std::int64_t n) {
  int count = 0;
  for (std::int64_t k = 2; k <= n; ++k) count += IsPrime(k);
  return std::to_string(count);
}

std::string LargestPrimeBelow(std::int64_t n) {
  std::int64_t k = n - 1;
  while (k > 1 && !IsPrime(k)) --k;
  return std::to_string(k);
}

// The only even prime, found rather than written down.
std::string EvenPrimes(std::int64_t upTo) {
  std::string found;
  for (std::int64_t k = 2; k <= upTo; k += 2)
    if (IsPrime(k)) found += (found.empty() ? "" : ",") + std::to_string(k);
  return found;
}

const std::map<std::string, std::vector<Expected>>& OtherAnswers() {
  static const std::map<std::string, std::vector<Expected>> table = {
      // Signs: the question asks for the sign to be written, so the text counts.
      {"sf1.que-U1",
       {T("+7"), T("-4"), T("-2.5"), T("+0.3"), T("負の数"), T("正の数"), T("負の数"),
        T("どちらでもない")}},
      {"sf1.que-U2",
       {V("0-300"), V("0-6"), V("0-3"), V("0-50"), V("0-3"), T("前"), T("西"), T("損失")}},
      // Points A..D of numline1.bmp stand at -4, -1.5, 2 and 3.5.
      {"sf1.que-U3",
       {V("-4"), V("-1&1/2"), V("2"), V("3&1/2"), V("-3+4"), V("2-5"), V("-1-3"), V("0-1.5")}},
      // The thermometers of ondokei.bmp read +6, -3, 0 and -8.
      {"sf1.que-U4",
       {V("6"), V("-3"), V("0"), V("-8"), V("-3+5"), V("6-8"), V("6-(-8)"), V("0-(-3)")}},
      {"sf2.que-U1", {V("6"), V("9"), V("2.7"), V("3/5"), V("0"), V("4"), V("-4"), V("-0.6")}},
      {"sf2.que-U1R1", {V("11"), V("4"), V("0.8"), V("5/6"), V("1/4"), V("7"), V("-7"), V("-1.2")}},
      {"sf2.que-U1R2",
       {V("15"), V("3.2"), V("7/2"), V("0.05"), V("100"), V("9"), V("-9"), V("-0.5")}},
      // Smallest of -3, +2, -4.5, +1.5; the one nearest 0; integers x with -3 < x <= 2.
      {"sf2.que-U3", {V("-4.5"), V("1.5"), V("2-(-2)+1")}},
      // Integers -2..2; -4..4; -3+5; 1-3; a+(-a); |-6| > |+4|.
      {"sf2.que-U4", {V("2*2+1"), V("2*4+1"), V("-4"), V("-3+5"), V("1-3"), V("0"), V("-6")}},
      // Reciprocals.
      {"sf4.que-U4", {V("1\\(-5)"), V("1\\(2/3)"), V("1\\(-0.25)"), V("1\\(-1&1/3)")}},
      {"sf5.que-U3",
       {T("いつでもなる"), T("ならないことがある"), T("いつでもなる"), T("ならないことがある"),
        T("いつでもなる"), T("ならないことがある"), V("5"), V("-3"), V("-0.5"), V("2/3")}},
      // Differences from 150 cm in kijun.bmp: +4, -3, +7, -6, +3.
      {"sf5.que-U4",
       {V("150+4"), V("7-(-6)"), V("4+(-3)+7+(-6)+3"), V("150+(4+(-3)+7+(-6)+3)\\5"),
        V("(-3)-(-6)"), V("150+7-155")}},
      {"sf4.que-U4R1", {V("1\\(-7)"), V("1\\(3/4)"), V("1\\(-0.2)"), V("1\\(2&1/2)")}},
      {"sf4.que-U5",
       {Law("加法の交換法則"), Law("加法の結合法則"), Law("乗法の交換法則"),
        Law("乗法の結合法則")}},
      // Listed: +2, -1/2, -6, 0, +0.4.
      {"sf5.que-U3R1",
       {T("いつでもなる"), T("いつでもなる"), T("ならないことがある"), T("ならないことがある"),
        V("2"), V("-6"), V("-1/2"), V("0"), V("0.4")}},
      // Differences from 100: +12, -8, +5, -15, +6.
      {"sf5.que-U4R1",
       {V("100+12"), V("12-(-15)"), V("12+(-8)+5+(-15)+6"), V("100+(12+(-8)+5+(-15)+6)\\5"),
        V("5-(-8)"), V("100+6-110")}},
      {"sf6.que-U1",
       {Primality(), Primality(), Primality(), Primality(), Primality(), Primality(),
        V(PrimeCountUpTo(20)), V(LargestPrimeBelow(30)), V(EvenPrimes(1000))}},
      {"sf6.que-U2",
       {Factorization(), Factorization(), Factorization(), Factorization(), Factorization(),
        Factorization()}},
      {"mt1.que-U2", {V("7"), V("2*2+1"), V("-4"), V("0")}},
      // Points A..D of numline3.bmp stand at -2.5, -1, 0.5 and 2.
      {"mt1.que-U3", {V("-2&1/2"), V("-1"), V("1/2"), V("2"), V("2-(-2.5)"), V("-1+2"), T("Ａ")}},
      // Listed: -4, +3, 0, -2/3, +1.5; then scores 70 + (+8, -5, +12, 0, -10).
      {"mt2.que-U4",
       {V("3"), V("1+1+1"), V("-2/3"), V("4"), V("70+12"), V("12-(-10)"),
        V("70+(8+(-5)+12+0+(-10))\\5"), V("12-(-5)")}},
  };
  return table;
}

// The question before an answer without its number and the blanks, also
// full-width ones, that set the answer off.
std::string QuestionOf(const Answer& a) {
  std::string text(WithoutNumber(a.before));
  while (text.size() >= 3 && text.compare(text.size() - 3, 3, "　") == 0)
    text.resize(text.size() - 3);
  return text;
}

// "(1) (-6)+(+9)=(+9)+(-6)　#加法の交換法則;交換法則#": both sides are equal,
// the sides are the same numbers in another order or grouping, and the law is
// named with its operation first.
void ExpectLawExample(const Answer& a, const std::string& law, const std::string& where) {
  const std::string example = QuestionOf(a);
  const auto equals = example.find('=');
  ASSERT_NE(equals, std::string::npos) << where;
  const std::string left = example.substr(0, equals), right = example.substr(equals + 1);
  const auto l = NotationEvaluator::Evaluate(left), r = NotationEvaluator::Evaluate(right);
  ASSERT_TRUE(l && r) << where << ": " << example;
  EXPECT_EQ(*l, *r) << where;
  EXPECT_NE(left, right) << where;
  auto numbers = [](std::string side) {
    for (char& c : side)
      if (c == '{' || c == '}') c = c == '{' ? '(' : ')';
    std::multiset<std::string> found;
    for (std::size_t i = 0; (i = side.find('(', i)) != std::string::npos;) {
      const auto close = side.find(')', i);
      const std::string inner = side.substr(i + 1, close - i - 1);
      if (NotationEvaluator::Number(inner)) found.insert(inner);
      i = i + 1;
    }
    return found;
  };
  EXPECT_EQ(numbers(left), numbers(right)) << where;
  const bool product = left.find('*') != std::string::npos;
  const bool grouping = left.find('{') != std::string::npos;
  EXPECT_EQ(law, std::string(product ? "乗法" : "加法") + (grouping ? "の結合法則" : "の交換法則"))
      << where;
  EXPECT_EQ(a.alternatives[0], law) << where;
}

// "(1) 12 #2^2*3;2*2*3#": every alternative is a product of primes in
// increasing order with the number's value; the model answer writes each
// prime once, with a power where it repeats.
void ExpectFactorization(const Answer& a, const std::string& where) {
  const auto n = NotationEvaluator::Number(QuestionOf(a));
  ASSERT_TRUE(n && n->den() == 1) << where << ": " << a.before;
  for (std::size_t k = 0; k < a.alternatives.size(); ++k) {
    const std::string& alt = a.alternatives[k];
    EXPECT_EQ(NotationEvaluator::Evaluate(alt), *n) << where << ": " << alt;
    std::int64_t previous = 0;
    std::size_t start = 0;
    while (start <= alt.size()) {
      const std::size_t star = std::min(alt.find('*', start), alt.size());
      const std::string factor = alt.substr(start, star - start);
      const auto baseValue = NotationEvaluator::Number(factor.substr(0, factor.find('^')));
      ASSERT_TRUE(baseValue && baseValue->den() == 1) << where << ": " << alt;
      const std::int64_t base = baseValue->num();
      EXPECT_TRUE(IsPrime(base)) << where << ": " << alt;
      if (k == 0)
        EXPECT_LT(previous, base) << where << ": " << alt;
      else
        EXPECT_LE(previous, base) << where << ": " << alt;
      previous = base;
      start = star + 1;
    }
  }
}

// The variants of a unit with random data are sheets of their own: their
// computations, comparisons and orderings are checked as shown, against the
// text of the question. Their other answers (word problems, primes) are
// proved from each variant's values in sample_random_units_test.cpp.
// Returns how many answers were checked.
int CheckVariantAnswers(const ReadUnitData& u) {
  int checked = 0;
  for (std::size_t n = 0; n < u.variants.size(); ++n) {
    const std::vector<Answer> answers = AnswersOf(u.variants[n].questionLines);
    for (std::size_t i = 0; i < answers.size();) {
      const Answer& a = answers[i];
      const std::string where =
          u.name + " variant " + std::to_string(n + 1) + " answer " + std::to_string(i + 1);
      if (const auto value = ComputationOf(a)) {
        ExpectNumericAnswer(a, *value, where);
        ++checked, ++i;
      } else if (IsComparison(a)) {
        ExpectComparison(a, where);
        ++checked, ++i;
      } else if (const std::size_t taken = CheckOrderingChain(answers, i, where)) {
        checked += static_cast<int>(taken), i += taken;
      } else {
        ++i;
      }
    }
  }
  return checked;
}

TEST_F(SampleCourse, EveryAnswerIsRight) {
  std::set<std::string> tableUnitsUsed;
  int computations = 0, comparisons = 0, chains = 0, others = 0, randomUnits = 0, randomChecked = 0;
  for (const auto& u : Units()) {
    if (!u.variants.empty()) {
      ++randomUnits;
      randomChecked += CheckVariantAnswers(u);
      continue;
    }
    const auto tableEntry = OtherAnswers().find(u.name);
    const std::vector<Expected>* expected =
        tableEntry == OtherAnswers().end() ? nullptr : &tableEntry->second;
    std::size_t nextExpected = 0;
    for (std::size_t i = 0; i < u.answers.size();) {
      const Answer& a = u.answers[i];
      const std::string where = u.name + " answer " + std::to_string(i + 1);
      ASSERT_FALSE(a.alternatives[0].empty()) << where;
      if (const auto value = ComputationOf(a)) {
        ExpectNumericAnswer(a, *value, where);
        ++computations, ++i;
      } else if (IsComparison(a)) {
        ExpectComparison(a, where);
        ++comparisons, ++i;
      } else if (const std::size_t taken = CheckOrderingChain(u.answers, i, where)) {
        ++chains, i += taken;
      } else {
        ASSERT_TRUE(expected && nextExpected < expected->size())
            << where << ": no expected answer for " << a.before << "#" << a.alternatives[0];
        const Expected& e = (*expected)[nextExpected++];
        if (e.kind == Expected::Kind::Text) {
          EXPECT_EQ(a.alternatives[0], e.text) << where;
        } else if (e.kind == Expected::Kind::Law) {
          ExpectLawExample(a, e.text, where);
        } else if (e.kind == Expected::Kind::Primality) {
          const auto n = NotationEvaluator::Number(QuestionOf(a));
          ASSERT_TRUE(n && n->den() == 1) << where << ": " << a.before;
          EXPECT_EQ(a.alternatives,
                    (std::vector<std::string>{IsPrime(n->num()) ? "素数" : "素数でない"}))
              << where;
        } else if (e.kind == Expected::Kind::Factorization) {
          ExpectFactorization(a, where);
        } else {
          const auto expectedValue = NotationEvaluator::Evaluate(e.text);
          ASSERT_TRUE(expectedValue.has_value()) << e.text;
          ExpectNumericAnswer(a, *expectedValue, where);
        }
        ++others, ++i;
      }
    }
    if (expected) {
      tableUnitsUsed.insert(u.name);
      EXPECT_EQ(nextExpected, expected->size()) << u.name << ": table has more answers";
    }
  }
  for (const auto& [name, entries] : OtherAnswers())
    EXPECT_TRUE(tableUnitsUsed.count(name)) << "no such unit: " << name;
  // The course is mostly computation; make sure the classification saw it so.
  EXPECT_GT(computations, 200);
  EXPECT_GT(comparisons, 15);
  EXPECT_EQ(chains, 3);
  EXPECT_GT(others, 80);
  EXPECT_GE(randomUnits, 12);
  // Only 絶対値 and the temperatures ask nothing of this kind.
  EXPECT_GE(randomChecked, 70 * kSheetVariants);
}

// ------------------------------------------------------------------ the files

bool HasByteMarker(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); i += Utf8CharLength(utf8, i))
    if (IsByteMarker(Utf8CodePoint(utf8, i))) return true;
  return false;
}

TEST(SampleCourseFiles, CourseFilesAreCp932WithCrLf) {
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kCourse)) {
    const auto ext = entry.path().extension().string();
    if (ext != ".ind" && ext != ".que" && ext != ".prp") continue;
    ++files;
    SCOPED_TRACE(entry.path().string());
    const auto bytes = ReadFileBytes(entry.path());
    ASSERT_TRUE(bytes.ok());
    const std::string& b = bytes.value();
    ASSERT_GE(b.size(), 2u);
    EXPECT_EQ(b.substr(b.size() - 2), "\r\n");
    for (std::size_t i = 0; i < b.size(); ++i) {
      if (b[i] == '\n') {
        ASSERT_TRUE(i > 0 && b[i - 1] == '\r') << "bare LF at byte " << i;
      }
      if (b[i] == '\r') {
        ASSERT_TRUE(i + 1 < b.size() && b[i + 1] == '\n') << "bare CR at byte " << i;
      }
    }
    const std::string text = DecodeCp932(b);
    EXPECT_FALSE(HasByteMarker(text));
    EXPECT_EQ(EncodeCp932(text), b);
  }
  EXPECT_EQ(files, 13);
}

TEST(SampleCourseFiles, PicturesAndHelpArePresent) {
  const std::vector<std::string> paths = {
      kCourse + "Title.BMP", std::string(TAVOLO_SOURCE_DIR) + "/resources/classFlag.bmp"};
  for (const auto& p : paths) EXPECT_TRUE(BitmapSize(p).has_value()) << p;
  for (const char* page : {"index", "710", "720", "730", "840", "842", "850", "901", "902"})
    EXPECT_TRUE(std::filesystem::is_regular_file(kCourse + "help/" + page + ".html")) << page;
  EXPECT_TRUE(std::filesystem::is_regular_file(kCourse + "hosoku.htm"));
  // The class flag sits between the two header rules beside the title.
  const auto flag = BitmapSize(paths[1]);
  ASSERT_TRUE(flag.has_value());
  EXPECT_LE(flag->second, 60);
}

}  // namespace
}  // namespace tavolo
