// Any bytes as a learner's record file: reading, writing and erasing must not
// crash, and a written value must read back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto doc = tavolo::IniDocument::Parse(std::string(reinterpret_cast<const char*>(data), size));
  const auto sections = doc.Sections();
  for (std::size_t i = 0; i < sections.size() && i < 8; ++i) {
    for (const auto& key : doc.Keys(sections[i])) (void)doc.Value(sections[i], key, "?");
  }
  doc.SetValue("S11正の数", "1", "2024年05月03日 14:05 []  4/ 4 100点 01:40");
  if (doc.Value("S11正の数", "1", "?") != "2024年05月03日 14:05 []  4/ 4 100点 01:40") std::abort();
  // A unit caption may end in "]" or a blank: its section still reads back.
  doc.SetValue("S12加法[基本] ", "1", "x");
  if (doc.Value("S12加法[基本]", "1", "?") != "x") std::abort();
  if (!sections.empty()) doc.EraseSection(sections.front());
  doc.SetValue("password", "pw", "x");
  if (doc.Value("password", "pw", "?") != "x") std::abort();
  return 0;
}
