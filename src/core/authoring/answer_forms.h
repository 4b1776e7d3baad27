#pragma once
// The ways a learner may write one number in an answer box, and which of them
// a box's accepted answers leave out. Judging compares texts, so a box that
// accepts "3/2" rejects "1.5" although both are right; authors use this to see
// such gaps before a learner meets them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolo {

// A number as a learner types it: an optional "+" or "-" and one of "12",
// "2.5", "3/4" (unreduced fractions too) or "2&1/3"; nothing else, no blanks.
// The value is kept in lowest terms with a positive denominator.
struct TypedNumber {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;
  bool plusSign = false;  // written with a leading "+"

  bool SameValue(const TypedNumber& other) const {
    return numerator == other.numerator && denominator == other.denominator;
  }
};

// Nothing for any other text, for a zero denominator, and for numbers too long
// to be an answer (more than 9 digits in one part).
std::optional<TypedNumber> ParseTypedNumber(std::string_view text);

// The longest form that is suggested: longer ones are not what a learner
// writes for a number that has a shorter form.
inline constexpr std::size_t kShortFormLength = 6;

// The forms of the model answer's number (the first accepted answer) that the
// box does not accept: each accepted positive number with its "+" added or
// dropped, then, for each way of writing the sign that the accepted answers
// use, the exact decimal, the fraction in lowest terms and the mixed number of
// the value. Only forms of at most kShortFormLength characters are suggested.
// Empty when the model answer is not a number. Accepted answers are compared
// after TrimWideSpaces, as judging compares them.
std::vector<std::string> MissingAnswerForms(const std::vector<std::string>& acceptedAnswers);

}  // namespace tavolo
