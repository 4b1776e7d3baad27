#pragma once
// A lesson as one tree: the title line at the root, a node per section with
// its caption, and under it a node per unit reading the unit's mark (what the
// course menu shows in front of it) followed by its caption. The index editor
// and the all-units view both show this.

#include <functional>
#include <string>
#include <vector>

#include "content/lesson_index.h"

namespace tavolo {

struct IndexTreeSection {
  std::string caption;
  std::vector<std::string> unitRows;  // mark + unit caption, unit n at [n - 1]
  bool operator==(const IndexTreeSection&) const = default;
};

struct IndexTree {
  std::string title;
  std::vector<IndexTreeSection> sections;  // section n at [n - 1]
  bool operator==(const IndexTree&) const = default;
};

// The mark text of a unit (1-based section and unit); empty for none.
using UnitMarkLookup = std::function<std::string(int section, int unit)>;

// The tree of a lesson index; without a lookup the rows are the bare captions.
IndexTree BuildIndexTree(const LessonIndex& index, const UnitMarkLookup& marks = {});

}  // namespace tavolo
