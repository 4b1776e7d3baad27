#include "platform/cp932.h"

#include <algorithm>
#include <cstdint>

#include "platform/cp932_tables.h"
#include "platform/utf8.h"

namespace tavolo {

namespace {

constexpr char32_t kMarkerBase = 0x10FF00;
constexpr int kTagShift = cp932::kVariantShift;
constexpr char32_t kCharacterBits = (char32_t{1} << kTagShift) - 1;

bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// The mapping comes from the C library's CP932 converter, asked about every
// code when the program is built (platform/cp932_tables.h), so that decoding
// and encoding cost a table lookup per character and nothing at start-up. A
// code that the converter decodes to a character which it encodes back to a
// different code (CP932 has a few hundred duplicates, e.g. three codes for
// "¬") is one of that character's variants: it decodes to the character and
// a code-variant tag, and the tag leads encoding back to this code.
struct Tables {
  static char32_t Single(unsigned b) { return cp932::kSingle[b]; }
  // The character of a two-byte code (lead a lead byte), 0 for none; a
  // variant code carries its tag number (1 or 2) in bits kTagShift and up.
  static char32_t Pair(unsigned lead, unsigned trail) {
    return IsTrailByte(trail) ? cp932::kPair[(lead - 0x81) * 189 + (trail - 0x40)] : 0;
  }
  // 0: not representable; < 0x100: one byte; else two bytes.
  static std::uint16_t Code(char32_t cp) { return cp < 0x10000 ? cp932::kEncode[cp] : 0; }
  // The code of variant tag (1-based) of a character, 0 when it has none.
  static std::uint16_t VariantCode(char32_t cp, unsigned tag) {
    const std::uint32_t key = (static_cast<std::uint32_t>(cp) << 4) | tag;
    const std::uint32_t* end = cp932::kVariantKeys + cp932::kVariantCount;
    const std::uint32_t* found = std::lower_bound(cp932::kVariantKeys, end, key);
    return found != end && *found == key ? cp932::kVariantCodes[found - cp932::kVariantKeys] : 0;
  }
};

}  // namespace

bool IsByteMarker(char32_t cp) { return cp >= kMarkerBase + 0x80 && cp <= kMarkerBase + 0xFF; }

bool IsCodeVariantTag(char32_t cp) {
  return cp == kCodeVariantTags[0] || cp == kCodeVariantTags[1];
}

namespace {
static_assert(kCodeVariantTags[0] == 0xFE0C && kCodeVariantTags[1] == 0xFE0D,
              "TagAt knows the tags by their UTF-8 bytes");

// The tag number (1 or 2) of the character at utf8[pos], 0 when it is no tag.
// Both tags are three bytes, EF B8 8C and EF B8 8D: checked by their bytes,
// since encoding asks this after every non-ASCII character.
unsigned TagAt(std::string_view utf8, std::size_t pos) {
  if (pos + 3 > utf8.size() || utf8[pos] != '\xEF' || utf8[pos + 1] != '\xB8') return 0;
  const char last = utf8[pos + 2];
  return last == '\x8C' ? 1 : last == '\x8D' ? 2 : 0;
}
}  // namespace

std::string WithoutCodeVariants(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t len = Utf8CharLength(utf8, i);
    if (TagAt(utf8, i) == 0) out.append(utf8.substr(i, len));
    i += len;
  }
  return out;
}

std::string DecodeCp932(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    if (IsLeadByte(b) && i + 1 < n) {
      const auto trail = static_cast<unsigned char>(bytes[i + 1]);
      if (const char32_t cp = Tables::Pair(b, trail); cp != 0) {
        AppendUtf8(out, cp & kCharacterBits);
        if (const unsigned tag = cp >> kTagShift; tag != 0)
          AppendUtf8(out, kCodeVariantTags[tag - 1]);
        i += 2;
        continue;
      }
    }
    const char32_t single = Tables::Single(b);
    AppendUtf8(out, single != 0 ? single : kMarkerBase + b);
    ++i;
  }
  return out;
}

std::string EncodeCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    const std::size_t len = Utf8CharLength(utf8, i);
    const char32_t cp = len == 1 ? U'\uFFFD' : Utf8CodePoint(utf8, i);
    i += len;
    std::uint16_t code = 0;
    if (const unsigned tag = TagAt(utf8, i); tag != 0) {
      code = Tables::VariantCode(cp, tag);
      if (code != 0) i += 3;
    }
    if (code == 0) code = Tables::Code(cp);
    if (IsByteMarker(cp)) {
      out.push_back(static_cast<char>(cp - kMarkerBase));
    } else if (IsCodeVariantTag(cp)) {
      // A tag whose character has no such variant (moved away by an edit).
    } else if (code == 0) {
      out.push_back('?');
    } else if (code < 0x100) {
      out.push_back(static_cast<char>(code));
    } else {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
    }
  }
  return out;
}

std::size_t SjisCharLength(char32_t cp) {
  if (cp < 0x80 || IsByteMarker(cp)) return 1;
  if (IsCodeVariantTag(cp)) return 0;
  const std::uint16_t code = Tables::Code(cp);
  return code == 0 || code < 0x100 ? 1 : 2;
}

std::size_t SjisLength(std::string_view utf8) {
  std::size_t total = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      ++total;
      ++i;
      continue;
    }
    total += SjisCharLength(Utf8CodePoint(utf8, i));
    i += Utf8CharLength(utf8, i);
  }
  return total;
}

std::string SjisLeft(std::string_view utf8, std::size_t maxBytes) {
  return SjisMid(utf8, 0, maxBytes);
}

std::string SjisMid(std::string_view utf8, std::size_t fromByte, std::size_t byteCount) {
  std::string out;
  const std::size_t endByte = byteCount > SIZE_MAX - fromByte ? SIZE_MAX : fromByte + byteCount;
  std::size_t at = 0;  // Shift-JIS offset of the current character
  bool taken = false;  // whether the last character went into the result
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t len = Utf8CharLength(utf8, i);
    const char32_t cp = Utf8CodePoint(utf8, i);
    if (IsCodeVariantTag(cp)) {
      // A tag has no bytes of its own: it goes where its character goes.
      if (taken) out.append(utf8.substr(i, len));
    } else {
      if (at >= endByte) break;
      const std::size_t width = SjisCharLength(cp);
      taken = at >= fromByte && at + width <= endByte;
      if (taken) out.append(utf8.substr(i, len));
      at += width;
    }
    i += len;
  }
  return out;
}

std::optional<UnwritableCharacter> FindUnwritableCharacter(std::string_view utf8) {
  std::size_t offset = 0;
  for (const std::string& ch : Utf8Chars(utf8)) {
    // "?" itself is written as it is; every other character that comes out
    // as "?" had no code.
    if (static_cast<unsigned char>(ch[0]) >= 0x80 && EncodeCp932(ch) == "?")
      return UnwritableCharacter{offset, ch};
    offset += ch.size();
  }
  return std::nullopt;
}

}  // namespace tavolo
