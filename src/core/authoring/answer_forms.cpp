#include "authoring/answer_forms.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <set>

#include "sheet/markup_text.h"

namespace tavolo {

namespace {

// Nine digits at most in every part, so that no step below can overflow.
constexpr std::size_t kMaxDigits = 9;

class NumberReader {
 public:
  explicit NumberReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  bool Take(char c) {
    if (AtEnd() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }
  // Digits; nothing when there are none or too many. digitCount receives how many.
  std::optional<std::int64_t> Digits(std::size_t* digitCount = nullptr) {
    const std::size_t start = pos_;
    std::int64_t value = 0;
    while (!AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9')
      value = value * 10 + (text_[pos_++] - '0');
    const std::size_t count = pos_ - start;
    if (count == 0 || count > kMaxDigits) return std::nullopt;
    if (digitCount) *digitCount = count;
    return value;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

TypedNumber Reduced(std::int64_t numerator, std::int64_t denominator, bool plusSign) {
  const std::int64_t g = std::gcd(numerator, denominator);
  return TypedNumber{numerator / g, denominator / g, plusSign};
}

std::int64_t PowerOfTen(std::size_t exponent) {
  std::int64_t value = 1;
  for (std::size_t i = 0; i < exponent; ++i) value *= 10;
  return value;
}

// The decimal digits of numerator/denominator (both positive) when the
// fraction ends, else nothing.
std::optional<std::string> ExactDecimal(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t rest = denominator;
  int twos = 0, fives = 0;
  while (rest % 2 == 0) rest /= 2, ++twos;
  while (rest % 5 == 0) rest /= 5, ++fives;
  if (rest != 1) return std::nullopt;
  const int places = std::max(twos, fives);
  std::string text = std::to_string(numerator / denominator);
  std::int64_t remainder = numerator % denominator;
  text += '.';
  for (int i = 0; i < places; ++i) {
    remainder *= 10;
    text += static_cast<char>('0' + remainder / denominator);
    remainder %= denominator;
  }
  return text;
}

// The unsigned tidy forms of a value's size: the whole number alone, or the
// exact decimal, the fraction and the mixed number.
std::vector<std::string> TidyBodies(const TypedNumber& number) {
  const std::int64_t size = std::llabs(number.numerator);
  const std::int64_t den = number.denominator;
  if (den == 1) return {std::to_string(size)};
  std::vector<std::string> bodies;
  if (auto decimal = ExactDecimal(size, den)) bodies.push_back(std::move(*decimal));
  bodies.push_back(std::to_string(size) + "/" + std::to_string(den));
  if (size > den)
    bodies.push_back(std::to_string(size / den) + "&" + std::to_string(size % den) + "/" +
                     std::to_string(den));
  return bodies;
}

}  // namespace

std::optional<TypedNumber> ParseTypedNumber(std::string_view text) {
  NumberReader reader(text);
  const bool plus = reader.Take('+');
  const bool minus = !plus && reader.Take('-');
  std::size_t places = 0;
  const auto whole = reader.Digits();
  if (!whole) return std::nullopt;
  std::int64_t numerator = *whole, denominator = 1;
  if (reader.Take('.')) {
    const auto decimals = reader.Digits(&places);
    if (!decimals) return std::nullopt;
    denominator = PowerOfTen(places);
    numerator = *whole * denominator + *decimals;
  } else if (reader.Take('/')) {
    const auto below = reader.Digits();
    if (!below || *below == 0) return std::nullopt;
    denominator = *below;
  } else if (reader.Take('&')) {
    const auto above = reader.Digits();
    if (!above || !reader.Take('/')) return std::nullopt;
    const auto below = reader.Digits();
    if (!below || *below == 0) return std::nullopt;
    denominator = *below;
    numerator = *whole * denominator + *above;
  }
  if (!reader.AtEnd()) return std::nullopt;
  return Reduced(minus ? -numerator : numerator, denominator, plus);
}

std::vector<std::string> MissingAnswerForms(const std::vector<std::string>& acceptedAnswers) {
  if (acceptedAnswers.empty()) return {};
  std::vector<std::string> accepted;
  for (const auto& answer : acceptedAnswers) accepted.push_back(TrimWideSpaces(answer));
  const auto model = ParseTypedNumber(accepted.front());
  if (!model) return {};
  const bool positive = model->numerator > 0;
  const std::string signPrefix = model->numerator < 0 ? "-" : "";
  const std::vector<std::string> bodies = TidyBodies(*model);

  std::vector<std::string> missing;
  std::set<std::string> seen(accepted.begin(), accepted.end());
  auto suggest = [&](std::string form) {
    if (form.size() <= kShortFormLength && seen.insert(form).second)
      missing.push_back(std::move(form));
  };

  // The same form with its "+" added or dropped; only forms written tidily
  // are turned, so an unreduced fraction is never suggested.
  std::vector<bool> stylesUsed;  // in order of first use: false plain, true "+"
  for (const auto& answer : accepted) {
    const auto number = ParseTypedNumber(answer);
    if (!number || !number->SameValue(*model)) continue;
    if (std::find(stylesUsed.begin(), stylesUsed.end(), number->plusSign) == stylesUsed.end())
      stylesUsed.push_back(number->plusSign);
    if (!positive) continue;
    const std::string body = number->plusSign ? answer.substr(1) : answer;
    if (std::find(bodies.begin(), bodies.end(), body) == bodies.end()) continue;
    suggest(number->plusSign ? body : "+" + body);
  }
  // The other ways of writing the value, short ones only, with each sign
  // style the author already accepts.
  for (const bool plusStyle : stylesUsed) {
    if (plusStyle && !positive) continue;
    const std::string prefix = plusStyle ? "+" : signPrefix;
    for (const auto& body : bodies) suggest(prefix + body);
  }
  return missing;
}

}  // namespace tavolo
