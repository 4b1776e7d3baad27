#pragma once
// A variant's values put into the lines of a unit with random data:
// "$name", "${expression}" and "${expression:format}" in question, choice,
// hint and dummy lines, and computed answers "#=expression#" that become the
// model answer and every other form a learner may type. Only units with a
// block of random data are expanded; the caller decides that.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "random/block.h"
#include "random/variants.h"

namespace tavolo {

struct ExpandedText {
  std::string text;
  std::string error;  // Japanese; empty when the text is expanded
  bool Ok() const { return error.empty(); }
};

// Placeholders only: a line without answer marks (a choice, a hint, a dummy).
// A "$" not followed by a name or "{" stays as it is.
ExpandedText ExpandPlaceholders(const RandomBlock& block, const std::vector<Value>& values,
                                std::string_view text);

// A question line: placeholders in its text and in literal answers, computed
// answers turned into "model;form;form…". modelWidths[i], when given, is the
// width (in Shift-JIS bytes) the i-th answer's model is padded to with blanks.
ExpandedText ExpandQuestionLine(const RandomBlock& block, const std::vector<Value>& values,
                                std::string_view line,
                                const std::vector<std::size_t>& modelWidths = {});

// The accepted answers of one computed answer ("=a+b:s" without the marks).
ExpandedText ComputedAnswer(const RandomBlock& block, const std::vector<Value>& values,
                            std::string_view answer, std::size_t modelWidth = 0);

// How many variants the widest model answer is looked for among when the
// block is drawn rather than enumerated.
inline constexpr std::int64_t kWidthSampleVariants = 200;

// Per answer of the line, the widest model answer any variant gives (every
// enumerated variant, or variants 1..200 of a drawn block); 0 for a literal
// answer, which keeps its own width.
std::vector<std::size_t> ModelAnswerWidths(const RandomBlock& block, const Variants& variants,
                                           std::string_view line);
// The same for all lines of a unit at once, each variant drawn once: a unit
// of 20 questions over 100,000 enumerated variants in well under a second.
std::vector<std::vector<std::size_t>> ModelAnswerWidths(const RandomBlock& block,
                                                        const Variants& variants,
                                                        const std::vector<std::string>& lines);

}  // namespace tavolo
