#pragma once
// The CP932 tables, written at build time by tavolo_cp932_tables
// (src/tools/cp932_tables_gen.cpp) from the C library's converter. Only
// platform/cp932.cpp reads them; what each holds is described there.

#include <cstddef>
#include <cstdint>

namespace tavolo::cp932 {

// Two-byte codes: lead bytes 0x81..0xFC by trail bytes 0x40..0xFC.
inline constexpr std::size_t kPairCount = 124 * 189;
inline constexpr int kVariantShift = 24;  // where kPair keeps a variant number

extern const std::uint32_t kSingle[256];
extern const std::uint32_t kPair[kPairCount];
extern const std::uint16_t kEncode[65536];
extern const std::size_t kVariantCount;
extern const std::uint32_t kVariantKeys[];  // character << 4 | variant number, ascending
extern const std::uint16_t kVariantCodes[];

}  // namespace tavolo::cp932
