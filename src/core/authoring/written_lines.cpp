#include "authoring/written_lines.h"

#include <algorithm>

#include "content/unit_content.h"
#include "content/unit_scanner.h"
#include "platform/cp932.h"

namespace tavolo {

namespace {

std::string LineText(std::size_t index) { return std::to_string(index + 1) + "行目："; }

LineFault At(std::size_t index, std::string message) {
  return LineFault{LineText(index) + std::move(message), static_cast<int>(index) + 1, 0};
}

}  // namespace

int AnswerFieldsOfLine(std::string_view line) {
  // Every "#" is an answer mark, and a pair of them one answer field.
  return static_cast<int>(std::count(line.begin(), line.end(), '#') / 2);
}

std::optional<LineFault> FindUnwritableLine(const Lines& lines, std::string_view fileKind) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto unwritable = FindUnwritableCharacter(lines[i])) {
      LineFault fault = At(
          i, "「" + unwritable->character + "」は" + std::string(fileKind) + "に書けない文字です");
      fault.offset = unwritable->offset;
      return fault;
    }
  }
  return std::nullopt;
}

std::optional<LineFault> FindStructureLine(const Lines& box, BoxReading kind) {
  for (std::size_t i = 0; i < box.size(); ++i) {
    const std::string& line = box[i];
    if (kind == BoxReading::Layout) {
      // Its markers and ">>" are the blocks themselves; only what would end
      // the unit is out of place.
      if (line == kUnitEndLine) return At(i, "「]]」の行は単元の終わりになるため書けません");
      if (IsKeyLine(line))
        return At(i, "「" + line + "」の行は次の単元の始まりになるため書けません");
      continue;
    }
    if (line == kBlockEndLine) return At(i, "「>>」だけの行はブロックの終わりになるため書けません");
    if (IsUnitKeyLine(line))
      return At(i, "「" + line + "」の行は単元の見出しとして探されるため書けません");
    if (kind != BoxReading::SteppedOver) continue;
    if (line == kUnitEndLine)
      return At(i, "「]]」の行はこの欄では単元の終わりになるため書けません");
    if (IsKeyLine(line))
      return At(i, "「" + line + "」の行はこの欄では次の単元の始まりになるため書けません");
    if (IsBlockMarker(line))
      return At(i, "「" + line + "」の行はこの欄ではブロックの始まりになるため書けません");
  }
  return std::nullopt;
}

int CountAnswerFields(const Lines& question) {
  int count = 0;
  for (const std::string& line : question) count += AnswerFieldsOfLine(line);
  return count;
}

std::optional<LineFault> FindOverLimit(const Lines& question) {
  if (question.size() > static_cast<std::size_t>(kMaxQuestionLines)) {
    return At(
        static_cast<std::size_t>(kMaxQuestionLines),
        "問題の行は６０行以下です（いまは " + std::to_string(question.size()) + " 行あります）");
  }
  int count = 0;
  for (std::size_t i = 0; i < question.size(); ++i) {
    count += AnswerFieldsOfLine(question[i]);
    if (count > kMaxAnswerFields) {
      return At(i, "解答欄は１つの単元に８０個までです（この行で " + std::to_string(count) +
                       " 個目になります。いまは全部で " +
                       std::to_string(CountAnswerFields(question)) + " 個あります）");
    }
  }
  return std::nullopt;
}

}  // namespace tavolo
