#include "content/similar_problems.h"

#include <algorithm>

#include "content/unit_address.h"

namespace tavolo {

std::vector<int> ListSimilarProblems(const FindKeyLineFrom& find, int unit) {
  std::vector<int> variants;
  std::size_t from = 0;
  for (int variant = 1; variant <= kMaxVariant; ++variant) {
    const auto found = find(UnitKeyLine(UnitAddress{0, 0, unit, variant}), from);
    if (!found) break;
    variants.push_back(variant);
    from = *found + 1;
  }
  return variants;
}

std::vector<int> ListSimilarProblems(const std::vector<std::string>& questionFileLines, int unit) {
  return ListSimilarProblems(
      [&](std::string_view key, std::size_t from) -> std::optional<std::size_t> {
        const auto begin = questionFileLines.begin() + static_cast<std::ptrdiff_t>(from);
        const auto found = std::find(begin, questionFileLines.end(), key);
        if (found == questionFileLines.end()) return std::nullopt;
        return static_cast<std::size_t>(found - questionFileLines.begin());
      },
      unit);
}

std::string SimilarProblemEntry(int unit, int variant) {
  return "類題　" + std::to_string(unit) + "R" + std::to_string(variant);
}

}  // namespace tavolo
