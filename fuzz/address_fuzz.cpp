// Unit addresses as typed on the command line ("L.S.U" or "L.S.URv"): any
// text either gives an address that writes back to the same numbers, or
// nothing; exactly the texts of that shape with numbers in range are read.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "content/unit_address.h"

namespace {

// The number at the front of text when it is digits only: nothing for no
// digits, and -1 for a number past what an address holds.
std::optional<long long> TakeDigits(std::string_view& text) {
  std::size_t n = 0;
  long long value = 0;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') {
    if (value <= INT32_MAX) value = value * 10 + (text[n] - '0');
    ++n;
  }
  if (n == 0) return std::nullopt;
  text.remove_prefix(n);
  return value > INT32_MAX ? -1 : value;
}

// What the address should be, worked out apart from the reader.
std::optional<tavolo::UnitAddress> Expected(std::string_view text) {
  long long parts[3] = {};
  for (int k = 0; k < 3; ++k) {
    if (k > 0) {
      if (text.empty() || text.front() != '.') return std::nullopt;
      text.remove_prefix(1);
    }
    const auto number = TakeDigits(text);
    if (!number || *number <= 0) return std::nullopt;
    parts[k] = *number;
  }
  long long variant = 0;
  if (!text.empty() && text.front() == 'R') {
    text.remove_prefix(1);
    const auto number = TakeDigits(text);
    if (!number || *number <= 0 || *number > tavolo::kMaxVariant) return std::nullopt;
    variant = *number;
  }
  if (!text.empty()) return std::nullopt;
  return tavolo::UnitAddress{
      static_cast<std::int32_t>(parts[0]), static_cast<std::int32_t>(parts[1]),
      static_cast<std::int32_t>(parts[2]), static_cast<std::int32_t>(variant)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavolo;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<UnitAddress> address = ParseAddressText(text);
  if (address != Expected(text)) std::abort();
  if (!address) return 0;
  // Written back, it reads as the same address; the key line names its unit.
  const std::string written = AddressText(*address);
  if (ParseAddressText(written) != address) std::abort();
  const std::string key = UnitKeyLine(*address);
  if (!key.starts_with("[[unit" + std::to_string(address->unit))) std::abort();
  // Without leading zeros the text is exactly what was typed.
  bool leadingZero = text.front() == '0';
  for (std::size_t i = 1; i < text.size(); ++i)
    leadingZero = leadingZero || (text[i] == '0' && (text[i - 1] == '.' || text[i - 1] == 'R'));
  if (!leadingZero && written != text) std::abort();
  return 0;
}
