#include "content/similar_problems.h"

#include <algorithm>

#include "content/unit_address.h"

namespace tavolo {

std::vector<int> ListSimilarProblems(const std::vector<std::string>& questionFileLines, int unit) {
  std::vector<int> variants;
  auto from = questionFileLines.begin();
  for (int variant = 1; variant <= kMaxVariant; ++variant) {
    const std::string key = UnitKeyLine(UnitAddress{0, 0, unit, variant});
    const auto found = std::find(from, questionFileLines.end(), key);
    if (found == questionFileLines.end()) break;
    variants.push_back(variant);
    from = found + 1;
  }
  return variants;
}

std::string SimilarProblemEntry(int unit, int variant) {
  return "類題　" + std::to_string(unit) + "R" + std::to_string(variant);
}

}  // namespace tavolo
