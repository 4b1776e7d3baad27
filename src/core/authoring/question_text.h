#pragma once
// The question text of the editor: checking its answer marks, taking the
// answers out of them, and the small edits its buttons make (answer field,
// underline/bold/italic, question numbers).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolo {

using Lines = std::vector<std::string>;

// Why a question text cannot be saved, and the line (1-based) to put the caret on.
struct QuestionTextFault {
  std::string message;
  int line = 1;
  bool operator==(const QuestionTextFault&) const = default;
};

// Checks line by line: each line has an even number of "#" (k +
// "行目：＃の数は偶数にしてください"), and every piece between its first and last
// "#" is non-empty, so neither an answer nor the text between two answer
// fields may be missing (k + "行目：解答がありません"). A text without any "#"
// fails with "解答欄がありません" on line 1. Nothing when the text is valid.
[[nodiscard]] std::optional<QuestionTextFault> CheckQuestionText(const Lines& question);

// The answers of a text that passed CheckQuestionText: for every line in
// order, the piece inside each pair of answer marks, without blanks and
// full-width blanks at its ends.
Lines ExtractAnswers(const Lines& question);

// What "解答欄" puts in place of the selected text: " # " + selection + " # ".
std::string AnswerFieldText(std::string_view selection);

enum class TextStyle { Underline, Bold, Italic };
// What "Ｕ", "Ｂ" and "Ｉ" put in place of the selection: "@U" / "@B" / "@I" +
// selection + "@/".
std::string StyledText(TextStyle style, std::string_view selection);

// "問題番号": every line from the second on gets "(" + n + ") " in front, n
// counting from 1; the first line is the instruction and keeps its text. A
// text of one line is left alone.
void NumberQuestionLines(Lines& question);

}  // namespace tavolo
