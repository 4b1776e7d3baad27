#include "authoring/answer_choices.h"

#include <algorithm>
#include <string_view>

#include "platform/cp932.h"
#include "platform/utf8.h"
#include "sheet/markup_text.h"

namespace tavolo {

namespace {

constexpr std::string_view kFullWidthDigits = "０１２３４５６７８９";
constexpr std::string_view kChoiceLabels =
    "あいうえおかきくけこアイウエオカキクケコＡＢＣＤＥＦＨＩＪ";

}  // namespace

bool IsDigitOnlyChoice(const std::string& line) {
  static const std::string digits = EncodeCp932(kFullWidthDigits);
  const std::string bytes = EncodeCp932(line);
  for (std::size_t i = 0; i + 2 <= bytes.size(); i += 2) {
    const std::string_view step(bytes.data() + i, 2);
    bool isDigit = false;
    for (std::size_t d = 0; d + 2 <= digits.size(); d += 2)
      isDigit = isDigit || step == std::string_view(digits.data() + d, 2);
    if (!isDigit) return false;
  }
  return true;
}

bool IsChoiceLabel(const std::string& line) {
  if (line.empty() || Utf8CharLength(line, 0) != line.size() || SjisLength(line) != 2) return false;
  static const std::vector<std::string> labels = Utf8Chars(kChoiceLabels);
  return std::find(labels.begin(), labels.end(), line) != labels.end();
}

Lines RebuildChoices(const Lines& answers, const ChoiceFilter& filter) {
  Lines choices;
  for (const std::string& answer : answers) {
    if (answer.empty()) continue;
    for (std::string& piece : SplitAlternatives(answer)) choices.push_back(std::move(piece));
  }
  if (filter.digits) std::erase_if(choices, IsDigitOnlyChoice);
  if (filter.labels) std::erase_if(choices, IsChoiceLabel);
  return choices;
}

void AddDummyAnswers(Lines& choices, const Lines& dummies) {
  for (const std::string& dummy : dummies) {
    if (dummy.empty() || std::find(choices.begin(), choices.end(), dummy) != choices.end())
      continue;
    choices.push_back(dummy);
  }
}

ChoiceCounts CountChoices(const Lines& choices) {
  ChoiceCounts counts;
  for (const std::string& line : choices)
    counts.characters += static_cast<int>(SjisLength(line) / 2);
  counts.lines = static_cast<int>(choices.size());
  return counts;
}

}  // namespace tavolo
