#include "authoring/question_text.h"

#include "sheet/markup_text.h"

namespace tavolo {

std::optional<QuestionTextFault> CheckQuestionText(const Lines& question) {
  bool anyMark = false;
  for (std::size_t i = 0; i < question.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    const std::vector<std::string> pieces = SplitAnswerMarks(question[i]);
    const std::size_t marks = AnswerMarkCount(pieces);
    if (marks % 2 != 0)
      return QuestionTextFault{std::to_string(k) + "行目：＃の数は偶数にしてください", k};
    if (marks == 0) continue;
    anyMark = true;
    // Pieces 1 .. marks-1 lie between the first and the last "#".
    for (std::size_t p = 1; p < marks; ++p)
      if (pieces[p].empty())
        return QuestionTextFault{std::to_string(k) + "行目：解答がありません", k};
  }
  if (!anyMark) return QuestionTextFault{"解答欄がありません", 1};
  return std::nullopt;
}

Lines ExtractAnswers(const Lines& question) {
  Lines answers;
  for (const std::string& line : question) {
    const std::vector<std::string> pieces = SplitAnswerMarks(line);
    const std::size_t marks = AnswerMarkCount(pieces);
    for (std::size_t p = 1; p + 1 <= marks; p += 2) answers.push_back(TrimWideSpaces(pieces[p]));
  }
  return answers;
}

std::string AnswerFieldText(std::string_view selection) {
  return " # " + std::string(selection) + " # ";
}

std::string StyledText(TextStyle style, std::string_view selection) {
  const char* code = style == TextStyle::Underline ? "@U" : style == TextStyle::Bold ? "@B" : "@I";
  return code + std::string(selection) + "@/";
}

void NumberQuestionLines(Lines& question) {
  for (std::size_t i = 1; i < question.size(); ++i)
    question[i] = "(" + std::to_string(i) + ") " + question[i];
}

}  // namespace tavolo
