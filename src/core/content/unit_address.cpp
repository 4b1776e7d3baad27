#include "content/unit_address.h"

#include <charconv>

namespace tavolo {

std::string UnitKeyLine(const UnitAddress& address) {
  std::string key = "[[unit";
  key += std::to_string(address.unit);
  if (address.variant != 0) {
    key += 'R';
    key += std::to_string(address.variant);
  }
  return key;
}

std::string AddressText(const UnitAddress& address) {
  std::string text = std::to_string(address.lesson);
  text += '.';
  text += std::to_string(address.section);
  text += '.';
  text += std::to_string(address.unit);
  if (address.variant != 0) {
    text += 'R';
    text += std::to_string(address.variant);
  }
  return text;
}

namespace {

// A positive decimal number at the front of text, consuming it.
std::optional<std::int32_t> TakePositive(std::string_view& text) {
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end == text.data() || value <= 0) return std::nullopt;
  // from_chars accepts a leading "-"; the value check above already refused it.
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return value;
}

bool TakeChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::optional<UnitAddress> ParseAddressText(std::string_view text) {
  UnitAddress address;
  const auto lesson = TakePositive(text);
  if (!lesson || !TakeChar(text, '.')) return std::nullopt;
  const auto section = TakePositive(text);
  if (!section || !TakeChar(text, '.')) return std::nullopt;
  const auto unit = TakePositive(text);
  if (!unit) return std::nullopt;
  address.lesson = *lesson;
  address.section = *section;
  address.unit = *unit;
  if (TakeChar(text, 'R')) {
    const auto variant = TakePositive(text);
    if (!variant || *variant > kMaxVariant) return std::nullopt;
    address.variant = *variant;
  }
  if (!text.empty()) return std::nullopt;
  return address;
}

}  // namespace tavolo
