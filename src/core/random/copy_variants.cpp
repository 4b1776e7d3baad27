#include "random/copy_variants.h"

#include <algorithm>
#include <utility>

#include "random/unit_variant.h"
#include "random/variants.h"

namespace tavolo {

CopyVariants::CopyVariants(const UnitContent& content)
    : unit_(std::make_unique<RandomUnit>(content)), random_(content.HasRandomBlock()) {
  if (random_) fingerprint_ = unit_->Expand(1).random.fingerprint;
}

CopyVariants::~CopyVariants() = default;

std::optional<std::uint64_t> CopyVariants::DistinctCount() const {
  const Variants* all = random_ ? unit_->AllVariants() : nullptr;
  if (!all || !all->Enumerated()) return std::nullopt;
  return all->Count();
}

void CopyVariants::PutVariant(int n, SheetParams& params) const {
  if (!random_) return;
  UnitVariant variant = unit_->Expand(n);
  params.unit.questionLines = std::move(variant.content.questionLines);
  params.unit.kgroupLines = std::move(variant.content.kgroupLines);
}

std::vector<std::string> CopyVariants::FilledLines(int n,
                                                   const std::vector<std::string>& lines) const {
  if (!random_) return lines;
  return unit_->ExpandLines(n, lines, "ヒント").lines;
}

std::int64_t CopyVariants::PracticeChoices() const {
  const Variants* variants = unit_->AllVariants();
  if (!random_ || !variants) return 1;
  if (!variants->Enumerated()) return kDrawnPracticeVariants;
  return std::max<std::int64_t>(1, static_cast<std::int64_t>(variants->Count()));
}

std::vector<AnswerListRow> CopyVariants::AnswerList(int first, int count) const {
  std::vector<AnswerListRow> rows;
  if (count <= 0) return rows;
  rows.reserve(static_cast<std::size_t>(count));
  // Without a block every copy has the answers of the unit as read.
  const std::vector<std::string> fixed =
      random_ ? std::vector<std::string>{} : ModelAnswers(unit_->Expand(first).content);
  for (int i = 0; i < count; ++i) {
    const int number = first + i;
    rows.push_back({number, random_ ? ModelAnswers(unit_->Expand(number).content) : fixed});
  }
  return rows;
}

CopyPages::CopyPages(const CopyVariants& variants, const SheetPage& sheet,
                     PageRenderer& sheetRenderer, const AnswerBoxRegistry& sheetBoxes)
    : variants_(variants),
      sheet_(sheet),
      sheetRenderer_(sheetRenderer),
      sheetBoxes_(sheetBoxes),
      params_(sheet.params) {}

CopyPage CopyPages::Page(int number) {
  if (!variants_.HasRandomData()) return {sheet_, sheetRenderer_, false};
  // Each copy starts again from the sheet: its layout (figures already
  // placed on screen stay where they are) and its boxes' grading marks.
  params_ = sheet_.params;
  variants_.PutVariant(number, params_);
  layout_ = sheet_.layout;
  boxes_ = sheetBoxes_;
  return {{params_, sheet_.pictures, layout_}, renderer_, true};
}

}  // namespace tavolo
