// Lesson indexes: any bytes give sections within their limits, each unit
// caption paired with its line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "content/lesson_index.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavolo;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto lines = SplitLines(DecodeCp932(bytes));
  const LessonIndex index = ParseLessonIndex(lines);
  if (index.sections.size() > static_cast<std::size_t>(kMaxSections)) std::abort();
  for (const Section& section : index.sections) {
    if (section.units.size() != section.unitLines.size()) std::abort();
    for (std::size_t u = 0; u < section.units.size(); ++u) {
      const int line = section.unitLines[u];
      if (line < 1 || line > static_cast<int>(lines.size()) ||
          lines[static_cast<std::size_t>(line - 1)] != section.units[u])
        std::abort();
    }
  }
  return 0;
}
