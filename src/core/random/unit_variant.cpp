#include "random/unit_variant.h"

#include "random/expansion.h"
#include "sheet/markup_text.h"

namespace tavolo {

namespace {

std::string LineProblem(std::string_view box, std::size_t line, const std::string& error) {
  return std::string(box) + "の " + std::to_string(line + 1) + " 行目: " + error;
}

}  // namespace

RandomUnit::RandomUnit(const UnitContent& content) : content_(content) {
  if (!content.HasRandomBlock()) return;
  std::vector<RandomBlockError> errors;
  block_ = RandomBlock::Read(content.randomLines, content.randomFirstLine, errors);
  for (const RandomBlockError& error : errors) problems_.push_back(error.Text());
  if (!block_) return;
  variants_ = std::make_unique<Variants>(*block_);
  if (!variants_->EnumerationError().empty()) {
    problems_.push_back(variants_->EnumerationError());
    return;
  }
  widths_ = ModelAnswerWidths(*block_, *variants_, content.questionLines);
}

UnitVariant RandomUnit::Expand(int n) const {
  UnitVariant result{content_, {}};
  if (!content_.HasRandomBlock()) return result;
  RandomVariant& random = result.random;
  random.number = n < 1 ? 1 : n;
  if (block_) random.fingerprint = Fingerprint(block_->Hash());
  random.problems = problems_;
  if (!random.problems.empty()) return result;
  const VariantValues values = variants_->Variant(random.number);
  if (!values.Ok()) {
    random.problems.push_back(values.error);
    return result;
  }
  for (std::size_t slot = 0; slot < values.values.size(); ++slot) {
    const Value& value = values.values[slot];
    std::string text;
    if (!WriteValue(value, text)) text = value.truth ? "true" : "false";
    random.values.push_back({block_->Names()[slot], std::move(text)});
  }
  // A line that cannot be written for these values leaves the whole unit as
  // written: half a variant would give a key that belongs to no copy.
  UnitContent expanded = content_;
  const auto fail = [&](const char* box, std::size_t line, const std::string& error) {
    random.problems.push_back(LineProblem(box, line, error));
  };
  for (std::size_t i = 0; i < expanded.questionLines.size(); ++i) {
    const ExpandedText text =
        ExpandQuestionLine(*block_, values.values, expanded.questionLines[i], widths_.at(i));
    if (!text.Ok()) fail("問題", i, text.error);
    expanded.questionLines[i] = text.text;
  }
  for (std::size_t i = 0; i < expanded.kgroupLines.size(); ++i) {
    const ExpandedText text = ExpandPlaceholders(*block_, values.values, expanded.kgroupLines[i]);
    if (!text.Ok()) fail("選択肢", i, text.error);
    expanded.kgroupLines[i] = text.text;
  }
  if (random.problems.empty()) result.content = std::move(expanded);
  return result;
}

ExpandedLines RandomUnit::ExpandLines(int n, const std::vector<std::string>& lines,
                                      std::string_view box) const {
  ExpandedLines result{lines, {}};
  if (!variants_ || !problems_.empty()) return result;
  const VariantValues values = variants_->Variant(n < 1 ? 1 : n);
  if (!values.Ok()) return result;
  std::vector<std::string> expanded;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ExpandedText text = ExpandPlaceholders(*block_, values.values, lines[i]);
    if (!text.Ok()) result.problems.push_back(LineProblem(box, i, text.error));
    expanded.push_back(std::move(text.text));
  }
  // As for the unit's own lines: all or nothing.
  if (result.problems.empty()) result.lines = std::move(expanded);
  return result;
}

UnitVariant ExpandUnitVariant(const UnitContent& content, int variant) {
  if (!content.HasRandomBlock()) return {content, {}};
  return RandomUnit(content).Expand(variant);
}

std::vector<std::string> ModelAnswers(const UnitContent& content) {
  std::vector<std::string> models;
  for (const std::string& line : content.questionLines) {
    const std::vector<std::string> pieces = SplitAnswerMarks(line);
    for (std::size_t i = 1; i < pieces.size(); i += 2) {
      std::string model = SplitAlternatives(pieces[i]).front();
      model.erase(model.find_last_not_of(' ') + 1);
      model.erase(0, model.find_first_not_of(' '));
      models.push_back(std::move(model));
    }
  }
  return models;
}

}  // namespace tavolo
