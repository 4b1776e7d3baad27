#pragma once
// Similar problems (類題) of a unit: variants 1..5, each a unit of its own with
// the key "[[unitNRv". The course menu lists them in order and stops at the
// first one missing, so they must stand in the file in increasing order.

#include <string>
#include <vector>

namespace tavolo {

// The variants the course menu lists for a unit of a question file's lines.
std::vector<int> ListSimilarProblems(const std::vector<std::string>& questionFileLines, int unit);

// The menu entry: "類題　" + unit + "R" + variant.
std::string SimilarProblemEntry(int unit, int variant);

}  // namespace tavolo
