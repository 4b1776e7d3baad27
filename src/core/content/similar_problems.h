#pragma once
// Similar problems (類題) of a unit: variants 1..5, each a unit of its own with
// the key "[[unitNRv". The course menu lists them in order and stops at the
// first one missing, so they must stand in the file in increasing order.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavolo {

// Where a key line stands: the first line at or after `from` equal to it.
using FindKeyLineFrom =
    std::function<std::optional<std::size_t>(std::string_view keyLine, std::size_t from)>;

// The variants the course menu lists for a unit, each found after the one before.
std::vector<int> ListSimilarProblems(const FindKeyLineFrom& find, int unit);

// The same on a question file's lines.
std::vector<int> ListSimilarProblems(const std::vector<std::string>& questionFileLines, int unit);

// The menu entry: "類題　" + unit + "R" + variant.
std::string SimilarProblemEntry(int unit, int variant);

}  // namespace tavolo
