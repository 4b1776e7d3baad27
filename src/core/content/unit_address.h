#pragma once
// Where a unit lives: the positions of its lesson, section and unit lines in
// the two index files, plus which variant (0 the unit itself, 1..5 one of its
// similar problems). Nothing in the files carries these numbers, so reordering
// index lines renumbers the units.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavolo {

inline constexpr int kMaxVariant = 5;

struct UnitAddress {
  std::int32_t lesson = 0;   // 1..80, lesson line of Main.ind
  std::int32_t section = 0;  // 1..80, section of the lesson index
  std::int32_t unit = 0;     // 1.., unit line of the section
  std::int32_t variant = 0;  // 0 = the unit, 1..5 = similar problem
  bool operator==(const UnitAddress&) const = default;
};

// "[[unit" + unit, then "R" + variant when the variant is not 0.
std::string UnitKeyLine(const UnitAddress& address);

// "L.S.U" or "L.S.URv" (the variant part only when not 0).
std::string AddressText(const UnitAddress& address);

// Reads "L.S.U" or "L.S.URv" with positive numbers and a variant of 1..5;
// anything else gives nothing.
std::optional<UnitAddress> ParseAddressText(std::string_view text);

}  // namespace tavolo
