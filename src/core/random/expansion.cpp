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

// "expression" or "expression:format", read once and written for any
// number of variants.
struct Placeholder {
  std::string source;
  Expressions table;
  int root = -1;
  bool hasFormat = false;
  NumberFormat format;
  std::string error;  // reading failed
};

Placeholder Compile(const RandomBlock& block, std::string_view source) {
  Placeholder placeholder;
  placeholder.source = source;
  const std::size_t colon = FindOutsideText(source, ':');
  ExpressionReader reader(source.substr(0, colon), placeholder.table,
                          [&](std::string_view name) { return block.Slot(name); });
  placeholder.root = reader.ReadExpression();
  if (placeholder.root < 0 || !reader.AtEnd()) {
    const std::size_t at = placeholder.root < 0 ? reader.Error().offset : reader.Offset();
    const std::string message =
        placeholder.root < 0 ? reader.Error().message : "ここに書けないものがあります";
    placeholder.error =
        "「" + std::string(source) + "」の " + std::to_string(at + 1) + " 文字目: " + message;
    return placeholder;
  }
  if (colon != std::string_view::npos) {
    const auto format = ParseNumberFormat(source.substr(colon + 1));
    if (!format) {
      placeholder.error = "「" + std::string(source) + "」: 書式が正しくありません";
      return placeholder;
    }
    placeholder.hasFormat = true;
    placeholder.format = *format;
  }
  return placeholder;
}

Written WriteCompiled(const Placeholder& placeholder, const std::vector<Value>& values) {
  if (!placeholder.error.empty()) return {{}, placeholder.error};
  const std::string& source = placeholder.source;
  const Evaluated evaluated = placeholder.table.Evaluate(placeholder.root, values);
  if (!evaluated.Ok()) return {{}, "「" + source + "」: " + evaluated.message};
  const Value& value = evaluated.value;
  if (value.type == Value::Type::Truth) return {{}, "「" + source + "」: 条件は文字にできません"};
  if (!placeholder.hasFormat) {
    Written written;
    WriteValue(value, written.text);
    written.isNumber = value.type == Value::Type::Number;
    return written;
  }
  const NumberFormat& format = placeholder.format;
  if (value.type == Value::Type::Text) {
    if (format.sign != NumberFormat::Sign::Plain || format.body != NumberFormat::Body::Natural)
      return {{}, "「" + source + "」: 文字列に付けられる書式は zen だけです"};
    return {format.fullWidth ? FullWidth(value.text) : value.text, {}, false};
  }
  const TextResult text = FormatNumber(value.number, format);
  if (!text.Ok()) return {{}, "「" + source + "」: " + MathErrorText(text.error)};
  return {text.text, {}, true};
}

Written Write(const RandomBlock& block, const std::vector<Value>& values, std::string_view source) {
  return WriteCompiled(Compile(block, source), values);
}

// A computed answer without its blanks and "=".
std::string_view ComputedSource(std::string_view answer) {
  std::size_t start = 0;
  while (start < answer.size() && (answer[start] == ' ' || answer[start] == '\t')) ++start;
  return answer.substr(start + 1);
}

// The model answer of a computed answer, and whether it is a number.
Written Model(const RandomBlock& block, const std::vector<Value>& values, std::string_view answer) {
  return Write(block, values, ComputedSource(answer));
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
  // Blanks the author put around the answer ("# =a+b #", as literal answers
  // are written) stay around the model, so the answer sits in its box as a
  // literal one does.
  const std::size_t first = answer.find_first_not_of(" \t");
  const std::size_t last = answer.find_last_not_of(" \t");
  ExpandedText result{std::string(answer.substr(0, first)) + model.text, {}};
  const std::size_t width = SjisLength(model.text);
  if (modelWidth > width) result.text.append(modelWidth - width, ' ');
  result.text += answer.substr(last + 1);
  // The forms judging should also accept, by the same rule the author's
  // check of answers uses. That rule asks for the decimal, fraction and mixed
  // forms in each way of writing the sign the box accepts, so a form with
  // "+" dropped asks for those without it: asked again until nothing is
  // missing (two rounds at most; the bound only guards the loop).
  if (model.isNumber) {
    std::vector<std::string> accepted = {model.text};
    for (int round = 0; round < 4; ++round) {
      const std::vector<std::string> missing = MissingAnswerForms(accepted);
      if (missing.empty()) break;
      accepted.insert(accepted.end(), missing.begin(), missing.end());
    }
    for (std::size_t i = 1; i < accepted.size(); ++i) result.text += ";" + accepted[i];
  }
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

std::vector<std::vector<std::size_t>> ModelAnswerWidths(const RandomBlock& block,
                                                        const Variants& variants,
                                                        const std::vector<std::string>& lines) {
  // Every computed answer is read once; each variant is rebuilt once.
  struct Answer {
    std::size_t line, index;
    Placeholder placeholder;
  };
  std::vector<Answer> answers;
  std::vector<std::vector<std::size_t>> widths(lines.size());
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const std::vector<std::string> pieces = SplitAnswerMarks(lines[l]);
    for (std::size_t i = 1; i < pieces.size(); i += 2) {
      widths[l].push_back(0);
      if (IsComputed(pieces[i]))
        answers.push_back({l, i / 2, Compile(block, ComputedSource(pieces[i]))});
    }
  }
  if (answers.empty()) return widths;
  const std::int64_t last =
      variants.Enumerated() ? static_cast<std::int64_t>(variants.Count()) : kWidthSampleVariants;
  for (std::int64_t n = 1; n <= last; ++n) {
    const VariantValues variant = variants.Variant(n);
    if (!variant.Ok()) continue;
    for (const Answer& answer : answers) {
      const Written model = WriteCompiled(answer.placeholder, variant.values);
      std::size_t& width = widths[answer.line][answer.index];
      if (model.error.empty()) width = std::max(width, SjisLength(model.text));
    }
  }
  return widths;
}

std::vector<std::size_t> ModelAnswerWidths(const RandomBlock& block, const Variants& variants,
                                           std::string_view line) {
  return ModelAnswerWidths(block, variants, std::vector<std::string>{std::string(line)}).front();
}

}  // namespace tavolo
