// Question and copy files: any bytes give a unit or a failure, never a crash
// or a hang, and the fast raw-byte reader agrees with the line reader.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavolo;
  if (size == 0) return 0;
  // The first byte picks the key: unit 1..8 with variant 0..5, or the copy-file key.
  const unsigned pick = data[0];
  const std::string key = pick >= 0xF0
                              ? std::string(kCopyFileKeyLine)
                              : UnitKeyLine(UnitAddress{1, 1, static_cast<int>(pick % 8) + 1,
                                                        static_cast<int>(pick / 8 % 6)});
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  const UnitCaptions captions{"L", "S", "U"};
  const UnitReading fast = ParseUnitBlockBytes(bytes, key, 1, 1, captions);
  const UnitReading plain = ParseUnitBlock(SplitLines(DecodeCp932(bytes)), key, 1, 1, captions);
  auto sameFaults = [](const UnitReading& a, const UnitReading& b) {
    if (a.structureFaults.size() != b.structureFaults.size()) return false;
    for (std::size_t i = 0; i < a.structureFaults.size(); ++i)
      if (a.structureFaults[i].line != b.structureFaults[i].line ||
          a.structureFaults[i].message != b.structureFaults[i].message)
        return false;
    return true;
  };
  if (fast.ok() != plain.ok() || fast.content != plain.content || !sameFaults(fast, plain) ||
      (!fast.ok() &&
       (fast.problem.line != plain.problem.line || fast.problem.message != plain.problem.message ||
        fast.problem.kind != plain.problem.kind)))
    std::abort();
  if (fast.ok()) {
    const UnitContent& c = *fast.content;
    if (c.questionLines.size() > static_cast<std::size_t>(kMaxQuestionLines) ||
        (!c.valueLines.empty() && c.valueLines.size() != kValueLineCount) ||
        (!c.fontLines.empty() && c.fontLines.size() != kFontLineCount) ||
        (!c.kranLines.empty() && c.kranLines.size() != kKranLineCount))
      std::abort();
  }
  return 0;
}
