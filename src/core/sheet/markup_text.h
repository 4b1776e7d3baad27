#pragma once
// String utilities for question lines: answer marks ("#"), alternative
// answers (";"), inline markup ("@"), answer padding and shuffling. Strings are
// UTF-8; "bytes" means Shift-JIS bytes, as in the course files.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolo {

// Splits at every "@" into [text, code, text, code, ..., text]: the character
// after an "@" is a code piece (empty when the "@" ends the text), scanning
// goes on after it. An empty text gives no pieces.
std::vector<std::string> SplitMarkup(std::string_view text);
// The same pieces handed one by one to visit (code pieces with isCode set),
// without a list: a line of megabytes costs no memory of its size.
void ForEachMarkupPiece(std::string_view text,
                        const std::function<void(std::string_view piece, bool isCode)>& visit);

// Splits a question line at every "#": pieces at even positions are question
// text, at odd positions answers. The piece after the last "#" is always
// there (possibly empty); an empty line gives no pieces. The number of "#" is
// AnswerMarkCount(pieces).
std::vector<std::string> SplitAnswerMarks(std::string_view line);
inline std::size_t AnswerMarkCount(const std::vector<std::string>& pieces) {
  return pieces.empty() ? 0 : pieces.size() - 1;
}

// Splits an answer at every ";": the model answer first, then the accepted
// alternatives. Always at least one piece.
std::vector<std::string> SplitAlternatives(std::string_view answer);

// Trims blanks and control characters at both ends, then full-width spaces
// "　" at both ends.
std::string TrimWideSpaces(std::string_view text);

// A learner's answer shown where the model answer was: when it is shorter (in
// bytes) than the model, " " + shown + 12 blanks cut to the model's byte
// length (12 blanks cut so for an empty answer); otherwise shown unchanged.
std::string PadToAnswerWidth(std::string_view shown, std::string_view model);

// Gives an index uniformly in [0, bound), bound >= 1.
using RandomIndex = std::function<std::size_t(std::size_t bound)>;
// A pseudo-random source; the same start gives the same sequence.
RandomIndex RepeatableRandomIndex(std::uint32_t start);
// A source seeded from the system's entropy.
RandomIndex SystemRandomIndex();

// For each i, swaps entry i with a random entry j (when j != i). Lists of
// fewer than two entries are left alone.
void ShuffleItems(std::vector<std::string>& items, const RandomIndex& randomIndex);

}  // namespace tavolo
