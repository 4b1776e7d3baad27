// Any bytes as a course file: decoding must not crash, and encoding the decoded
// text must give back exactly the bytes that were read.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/cp932.h"
#include "platform/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = tavolo::DecodeCp932(bytes);
  if (tavolo::EncodeCp932(text) != bytes) std::abort();
  if (tavolo::SjisLength(text) != bytes.size()) std::abort();
  const auto lines = tavolo::SplitLines(text);
  std::size_t total = 0;
  for (const auto& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();
    total += line.size();
  }
  if (total > text.size()) std::abort();
  (void)tavolo::SjisLeft(text, size / 2);
  (void)tavolo::SjisMid(text, size / 3, size / 2);
  return 0;
}
