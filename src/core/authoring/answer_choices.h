#pragma once
// The answer-choice box of the editor ("<<kgroup"): rebuilt from the extracted
// answers, filled up with dummy answers, and counted for the soft keyboard.

#include <string>
#include <vector>

namespace tavolo {

using Lines = std::vector<std::string>;

// Which entries "<=挿入" leaves out: "数字除く" and "記号除く".
struct ChoiceFilter {
  bool digits = true;  // entries made only of full-width digits (and entries under two bytes)
  bool labels = true;  // choice labels: あ..こ, ア..コ, Ａ..Ｊ without Ｇ
};

// The choice box made from the extracted answers: each non-empty answer split
// at ";" into its model answer and alternatives, one line each, in order and
// without merging repeats; then the filter.
Lines RebuildChoices(const Lines& answers, const ChoiceFilter& filter);

// A line "数字除く" removes. The line is looked at as Shift-JIS bytes in steps
// of two from its start; it stays only when some step is not a full-width
// digit, so empty and one-byte lines go too, while "12" (half-width) stays.
bool IsDigitOnlyChoice(const std::string& line);
// A line "記号除く" removes: one of the choice labels, alone.
bool IsChoiceLabel(const std::string& line);

// "=>": each dummy answer is added unless it is empty or the box has it already.
void AddDummyAnswers(Lines& choices, const Lines& dummies);

// The two counters under the choice box: two-byte characters (half the
// Shift-JIS length of each line, summed) and lines.
struct ChoiceCounts {
  int characters = 0;
  int lines = 0;
  bool operator==(const ChoiceCounts&) const = default;
};
ChoiceCounts CountChoices(const Lines& choices);

}  // namespace tavolo
