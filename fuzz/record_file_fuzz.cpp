// Any bytes as a learner's record file, read the way the class overview reads
// it: must not crash, and every record line that parses must format back to a
// line that parses to the same record.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/class_records.h"
#include "practice/record_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto doc = tavolo::IniDocument::Parse(
      std::string(reinterpret_cast<const char*>(data), size), tavolo::kIniWholeValues);
  const auto learner = tavolo::SummariseLearner("fuzz", doc, {"S11正の数", "a.prp"});
  for (const auto& unit : learner.units) {
    if (unit.section == "password") std::abort();
    for (const auto& entry : unit.records) {
      if (!entry.run) continue;
      const auto again = tavolo::ParseRecordLine(tavolo::RecordLine(*entry.run));
      if (!again || !(*again == *entry.run)) std::abort();
    }
  }
  return 0;
}
