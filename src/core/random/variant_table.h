#pragma once
// Many variants of a unit side by side, as an author looks them over before
// printing: each one's values and model answers, which ones repeat an
// earlier one, and one variant as plain text lines as its sheet shows it.
// Apart from the engine's headers, so that the windows can use it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/unit_content.h"
#include "random/random_variant.h"

namespace tavolo {

class RandomUnit;

struct VariantRow {
  int number = 0;
  std::vector<NamedValue> values;
  std::vector<std::string> answers;  // model answers, without their padding
  int repeatOf = 0;                  // the first row before it showing the same unit; 0: none
  std::string problem;               // why this variant cannot be written; then no answers
};

struct VariantTable {
  std::vector<VariantRow> rows;
  std::size_t distinct = 0;           // rows that can be written and repeat none before them
  std::uint64_t combinations = 0;     // an enumerated block's number of value sets; 0: drawn
  std::vector<std::string> problems;  // the block's errors: then there are no rows
};

// One variant as text: the question lines with the values in and each answer
// field as its model answer in "［ ］", then the answer choices.
struct VariantText {
  RandomVariant random;
  std::vector<std::string> lines;  // empty when random.problems says why not
};

// A unit's block read and its variants counted once, for looking at many.
class VariantPreview {
 public:
  explicit VariantPreview(const UnitContent& content);
  ~VariantPreview();
  VariantPreview(const VariantPreview&) = delete;
  VariantPreview& operator=(const VariantPreview&) = delete;

  bool HasRandomData() const { return hasBlock_; }
  VariantText Text(int n) const;
  // Variants first..last.
  VariantTable Table(int first, int last) const;

 private:
  bool hasBlock_ = false;
  std::unique_ptr<const RandomUnit> unit_;
};

// Variants first..last of a unit.
VariantTable TabulateVariants(const UnitContent& content, int first, int last);

}  // namespace tavolo
