#include "random/expansion.h"

#include <algorithm>

#include "authoring/answer_forms.h"
#include "platform/cp932.h"
#include "sheet/markup_text.h"

namespace tavolo {

namespace {

// The first of the given characters outside a double-quoted text, from start.
std::size_t FindOutsideText(std::string_view text, char wanted, std::size_t start = 0) {
  bool inText = false;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (text[i] == '"')
      inText = !inText;
    else if (text[i] == wanted && !inText)
      return i;
  }
  return std::string_view::npos;
}

struct Written {
  std::string text;
  std::string error;
  bool isNumber = false;
};

// "expression" or "expression:format", evaluated and written.
Written Write(const RandomBlock& block, const std::vector<Value>& values, std::string_view source) {
  const std::size_t colon = FindOutsideText(source, ':');
  const std::string_view expressionText = source.substr(0, colon);
  Expressions table;
  ExpressionReader reader(expressionText, table,
                          [&](std::string_view name) { return block.Slot(name); });
  const int root = reader.ReadExpression();
  if (root < 0 || !reader.AtEnd()) {
    const std::size_t at = root < 0 ? reader.Error().offset : reader.Offset();
    const std::string message = root < 0 ? reader.Error().message : "ここに書けないものがあります";
    return {{},
            "「" + std::string(source) + "」の " + std::to_string(at + 1) + " 文字目: " + message};
  }
  const Evaluated evaluated = table.Evaluate(root, values);
  if (!evaluated.Ok()) return {{}, "「" + std::string(source) + "」: " + evaluated.message};
  const Value& value = evaluated.value;
  if (value.type == Value::Type::Truth)
    return {{}, "「" + std::string(source) + "」: 条件は文字にできません"};
  if (colon == std::string_view::npos) {
    Written written;
    WriteValue(value, written.text);
    written.isNumber = value.type == Value::Type::Number;
    return written;
  }
  const auto format = ParseNumberFormat(source.substr(colon + 1));
  if (!format) return {{}, "「" + std::string(source) + "」: 書式が正しくありません"};
  if (value.type == Value::Type::Text) {
    if (format->sign != NumberFormat::Sign::Plain || format->body != NumberFormat::Body::Natural)
      return {{}, "「" + std::string(source) + "」: 文字列に付けられる書式は zen だけです"};
    return {format->fullWidth ? FullWidth(value.text) : value.text, {}, false};
  }
  const TextResult text = FormatNumber(value.number, *format);
  if (!text.Ok()) return {{}, "「" + std::string(source) + "」: " + MathErrorText(text.error)};
  return {text.text, {}, true};
}

// The model answer of a computed answer, and whether it is a number.
Written Model(const RandomBlock& block, const std::vector<Value>& values, std::string_view answer) {
  std::size_t start = 0;
  while (start < answer.size() && (answer[start] == ' ' || answer[start] == '\t')) ++start;
  return Write(block, values, answer.substr(start + 1));
}

// Values of a variant that failed (or of another block) fill nothing.
const char* kNoVariant = "この問題の値が決まっていません";

bool IsComputed(std::string_view answer) {
  const std::size_t first = answer.find_first_not_of(" \t");
  return first != std::string_view::npos && answer[first] == '=';
}

}  // namespace

ExpandedText ExpandPlaceholders(const RandomBlock& block, const std::vector<Value>& values,
                                std::string_view text) {
  ExpandedText result;
  if (values.size() != block.Names().size()) return {{}, kNoVariant};
  result.text.reserve(text.size() + 16);
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t dollar = text.find('$', i);
    result.text.append(text.substr(i, dollar == std::string_view::npos ? dollar : dollar - i));
    if (dollar == std::string_view::npos) break;
    const std::size_t next = dollar + 1;
    if (next < text.size() && text[next] == '{') {
      const std::size_t close = FindOutsideText(text, '}', next + 1);
      if (close == std::string_view::npos) {
        result.error = "「${」を閉じる「}」がありません";
        return result;
      }
      const Written written = Write(block, values, text.substr(next + 1, close - next - 1));
      if (!written.error.empty()) {
        result.error = written.error;
        return result;
      }
      result.text += written.text;
      i = close + 1;
    } else if (next < text.size() && IsNameStart(text[next])) {
      std::size_t end = next;
      while (end < text.size() && IsNameChar(text[end])) ++end;
      const std::string_view name = text.substr(next, end - next);
      const int slot = block.Slot(name);
      if (slot < 0) {
        result.error =
            "「$" + std::string(name) + "」: 「" + std::string(name) + "」という値はありません";
        return result;
      }
      std::string written;
      if (!WriteValue(values[static_cast<std::size_t>(slot)], written)) {
        result.error = "「$" + std::string(name) + "」: 条件は文字にできません";
        return result;
      }
      result.text += written;
      i = end;
    } else {
      result.text += '$';
      i = next;
    }
  }
  return result;
}

ExpandedText ComputedAnswer(const RandomBlock& block, const std::vector<Value>& values,
                            std::string_view answer, std::size_t modelWidth) {
  if (values.size() != block.Names().size()) return {{}, kNoVariant};
  const Written model = Model(block, values, answer);
  if (!model.error.empty()) return {{}, model.error};
  ExpandedText result{model.text, {}};
  // The forms judging should also accept, by the same rule the author's
  // check of answers uses.
  if (model.isNumber)
    for (const std::string& form : MissingAnswerForms({model.text})) result.text += ";" + form;
  const std::size_t width = SjisLength(model.text);
  if (modelWidth > width) result.text.insert(model.text.size(), modelWidth - width, ' ');
  return result;
}

ExpandedText ExpandQuestionLine(const RandomBlock& block, const std::vector<Value>& values,
                                std::string_view line,
                                const std::vector<std::size_t>& modelWidths) {
  const std::vector<std::string> pieces = SplitAnswerMarks(line);
  ExpandedText result;
  std::size_t answerIndex = 0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) result.text += '#';
    const bool isAnswer = i % 2 == 1;
    ExpandedText piece;
    if (isAnswer && IsComputed(pieces[i])) {
      const std::size_t width = answerIndex < modelWidths.size() ? modelWidths[answerIndex] : 0;
      piece = ComputedAnswer(block, values, pieces[i], width);
    } else {
      piece = ExpandPlaceholders(block, values, pieces[i]);
    }
    if (isAnswer) ++answerIndex;
    if (!piece.Ok()) return {{}, piece.error};
    result.text += piece.text;
  }
  return result;
}

std::vector<std::size_t> ModelAnswerWidths(const RandomBlock& block, const Variants& variants,
                                           std::string_view line) {
  const std::vector<std::string> pieces = SplitAnswerMarks(line);
  std::vector<std::size_t> widths;
  for (std::size_t i = 1; i < pieces.size(); i += 2) widths.push_back(0);
  const std::int64_t last =
      variants.Enumerated() ? static_cast<std::int64_t>(variants.Count()) : kWidthSampleVariants;
  for (std::int64_t n = 1; n <= last; ++n) {
    const VariantValues variant = variants.Variant(n);
    if (!variant.Ok()) continue;
    for (std::size_t i = 1; i < pieces.size(); i += 2) {
      if (!IsComputed(pieces[i])) continue;
      const Written model = Model(block, variant.values, pieces[i]);
      if (model.error.empty()) widths[i / 2] = std::max(widths[i / 2], SjisLength(model.text));
    }
  }
  return widths;
}

}  // namespace tavolo
