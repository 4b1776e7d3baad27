#pragma once
// One variant of a unit with random data, as a sheet shows it: the values put
// into its question and choice lines, its computed answers written out with
// every form judging accepts, model answers padded to the widest variant.
// A unit without a block comes back as it was read, "$" and all.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/unit_content.h"
#include "random/block.h"
#include "random/random_variant.h"
#include "random/variants.h"

namespace tavolo {

struct UnitVariant {
  UnitContent content;  // expanded; the block's own lines are kept as read
  RandomVariant random;
};

// Lines with the placeholders of one variant filled in.
struct ExpandedLines {
  std::vector<std::string> lines;
  // One message per line that cannot be written for the values
  // ("ヒントの 2 行目: …"); the lines are then all as written.
  std::vector<std::string> problems;
};

// A unit's block read and its variants counted once, for expanding many.
class RandomUnit {
 public:
  explicit RandomUnit(const UnitContent& content);
  RandomUnit(const RandomUnit&) = delete;
  RandomUnit& operator=(const RandomUnit&) = delete;

  // The block's errors (with their lines); none when it can be drawn from.
  const std::vector<std::string>& Problems() const { return problems_; }
  const Variants* AllVariants() const { return variants_.get(); }

  // Variant n >= 1; 0 stands for variant 1: a new sheet carries sheet
  // number 1, and a sheet shows the variant of its number.
  UnitVariant Expand(int n) const;

  // Lines of the unit that its content does not hold (hints, dummy answers),
  // with the placeholders of variant n filled in; box names them in
  // messages ("ヒント"). Without a block, or when the block or variant n
  // cannot be drawn from (Expand says why), they come back as they are.
  ExpandedLines ExpandLines(int n, const std::vector<std::string>& lines,
                            std::string_view box) const;

 private:
  UnitContent content_;
  std::optional<RandomBlock> block_;
  std::unique_ptr<Variants> variants_;
  std::vector<std::vector<std::size_t>> widths_;  // per question line
  std::vector<std::string> problems_;
};

// The same for one variant of one unit.
UnitVariant ExpandUnitVariant(const UnitContent& content, int variant);

// The model answer of every answer of the question lines, in order, without
// the blanks around it or those it is padded with.
std::vector<std::string> ModelAnswers(const UnitContent& content);

}  // namespace tavolo
