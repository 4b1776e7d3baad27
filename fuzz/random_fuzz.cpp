// Blocks of random data and the lines they fill, from any bytes: the first
// line of the input is a question line, the rest the block. Whatever they
// hold, reading, the variants and the expansion end without a crash or a
// hang, and the same variant gives the same text twice.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "random/expansion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavolo;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size() && lines.size() < 64) {
    const std::size_t end = text.find('\n', start);
    lines.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  const std::string question = lines.front();
  lines.erase(lines.begin());
  std::vector<RandomBlockError> errors;
  const auto block = RandomBlock::Read(lines, 2, errors);
  if (!block) {
    if (errors.empty()) std::abort();  // a refused block always says why
    return 0;
  }
  const Variants variants(*block);
  for (std::int64_t n = 1; n <= 3; ++n) {
    const VariantValues values = variants.Variant(n);
    if (!values.Ok()) continue;
    if (values.values.size() != block->Names().size()) std::abort();
    const ExpandedText once = ExpandQuestionLine(*block, values.values, question);
    const ExpandedText twice = ExpandQuestionLine(*block, variants.Variant(n).values, question);
    if (once.text != twice.text || once.error != twice.error) std::abort();
    // A line without "$" or "#" is never changed.
    if (question.find_first_of("$#") == std::string::npos && once.text != question) std::abort();
  }
  return 0;
}
