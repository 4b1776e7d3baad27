#include "random/variant_table.h"

#include <algorithm>
#include <map>
#include <utility>

#include "random/unit_variant.h"
#include "sheet/markup_text.h"

namespace tavolo {

namespace {

// What a learner sees of a variant, to tell two variants apart.
std::string Shown(const UnitContent& content) {
  std::string shown;
  for (const std::string& line : content.questionLines) shown += line + '\n';
  shown += '\f';
  for (const std::string& line : content.kgroupLines) shown += line + '\n';
  return shown;
}

// A question line with each answer field as the model answer its box shows.
std::string WithModelAnswers(const std::string& line) {
  const std::vector<std::string> pieces = SplitAnswerMarks(line);
  std::string out;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i % 2 == 0) {
      out += pieces[i];
    } else if (i + 1 == pieces.size()) {
      out += "#" + pieces[i];  // a "#" never closed: the question check points at it
    } else {
      std::string model = SplitAlternatives(pieces[i]).front();
      model.erase(model.find_last_not_of(' ') + 1);
      out += "［" + model + "］";
    }
  }
  return out;
}

}  // namespace

VariantPreview::VariantPreview(const UnitContent& content)
    : hasBlock_(content.HasRandomBlock()), unit_(std::make_unique<const RandomUnit>(content)) {}

VariantPreview::~VariantPreview() = default;

VariantText VariantPreview::Text(int n) const {
  UnitVariant variant = unit_->Expand(n);
  VariantText text{std::move(variant.random), {}};
  if (!text.random.problems.empty()) return text;
  for (const std::string& line : variant.content.questionLines)
    text.lines.push_back(WithModelAnswers(line));
  if (!variant.content.kgroupLines.empty()) {
    text.lines.emplace_back();
    text.lines.emplace_back("【解選択】");
    text.lines.insert(text.lines.end(), variant.content.kgroupLines.begin(),
                      variant.content.kgroupLines.end());
  }
  return text;
}

VariantTable VariantPreview::Table(int first, int last) const {
  VariantTable table;
  if (!hasBlock_) return table;
  table.problems = unit_->Problems();
  if (!table.problems.empty()) return table;
  if (const Variants* variants = unit_->AllVariants(); variants && variants->Enumerated())
    table.combinations = variants->Count();
  std::map<std::string, int> seen;  // what a variant shows -> its first number
  for (int n = std::max(first, 1); n <= last; ++n) {
    UnitVariant variant = unit_->Expand(n);
    VariantRow row;
    row.number = n;
    row.values = std::move(variant.random.values);
    for (const std::string& problem : variant.random.problems)
      row.problem += (row.problem.empty() ? "" : " ") + problem;
    if (row.problem.empty()) {
      row.answers = ModelAnswers(variant.content);
      const auto [at, added] = seen.emplace(Shown(variant.content), n);
      if (added)
        ++table.distinct;
      else
        row.repeatOf = at->second;
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

VariantTable TabulateVariants(const UnitContent& content, int first, int last) {
  return VariantPreview(content).Table(first, last);
}

}  // namespace tavolo
