#include "platform/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/utf8.h"

namespace tavolo {

namespace {

constexpr char32_t kMarkerBase = 0x10FF00;
constexpr int kTagShift = 24;
constexpr char32_t kCharacterBits = (char32_t{1} << kTagShift) - 1;

bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// The mapping itself comes from the C library's CP932 converter; we ask it once
// for every possible code and keep the answers in flat tables, so that decoding
// and encoding megabytes costs a table lookup per character instead of an
// iconv call. A code that iconv decodes to a character which it encodes back
// to a different code (CP932 has a few hundred duplicates, e.g. three codes for
// "¬") is one of that character's variants: it decodes to the character and a
// code-variant tag, and the tag leads encoding back to this code.
class Cp932Tables {
 public:
  Cp932Tables()
      : single_{},
        pair_(std::make_unique<std::array<char32_t, 65536>>()),
        encode_(std::make_unique<std::array<std::uint16_t, 65536>>()) {
    pair_->fill(0);
    encode_->fill(0);
    iconv_t toUtf32 = iconv_open("UTF-32LE", "CP932");
    iconv_t fromUtf32 = iconv_open("CP932", "UTF-32LE");
    if (toUtf32 == reinterpret_cast<iconv_t>(-1) || fromUtf32 == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error("the C library has no CP932 converter");

    for (unsigned b = 0; b < 0x80; ++b) single_[b] = b;
    for (unsigned b = 0x80; b < 0x100; ++b) {
      if (IsLeadByte(b)) continue;
      const unsigned char in[1] = {static_cast<unsigned char>(b)};
      if (char32_t cp = Convert(toUtf32, in, 1); cp != 0 && Encode(fromUtf32, cp) == b) {
        single_[b] = cp;
        (*encode_)[cp] = static_cast<std::uint16_t>(b);
      }
    }
    // Codes ascend, so a character's variants are numbered in code order.
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(lead)) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsTrailByte(trail)) continue;
        const unsigned char in[2] = {static_cast<unsigned char>(lead),
                                     static_cast<unsigned char>(trail)};
        const char32_t cp = Convert(toUtf32, in, 2);
        if (cp == 0 || cp > 0xFFFF) continue;
        const unsigned code = (lead << 8) | trail;
        const unsigned usual = Encode(fromUtf32, cp);
        if (usual == code) {
          (*pair_)[code] = cp;
          (*encode_)[cp] = static_cast<std::uint16_t>(code);
        } else if (usual != 0) {
          AddVariant(code, cp);
        }
      }
    }
    iconv_close(toUtf32);
    iconv_close(fromUtf32);
  }

  char32_t Single(unsigned b) const { return single_[b]; }
  // The character of a two-byte code, 0 for none; a variant code carries its
  // tag number (1 or 2) in bits 24 and up.
  char32_t Pair(unsigned lead, unsigned trail) const { return (*pair_)[(lead << 8) | trail]; }
  // 0: not representable; < 0x100: one byte; else two bytes.
  std::uint16_t Code(char32_t cp) const { return cp < 0x10000 ? (*encode_)[cp] : 0; }
  // The code of variant tag (1-based) of a character, 0 when it has none.
  std::uint16_t VariantCode(char32_t cp, unsigned tag) const {
    const std::uint32_t key = VariantKey(cp, tag);
    const auto found = std::lower_bound(
        variants_.begin(), variants_.end(), key,
        [](const Variant& v, std::uint32_t k) { return VariantKey(v.cp, v.tag) < k; });
    return found != variants_.end() && found->cp == cp && found->tag == tag ? found->code : 0;
  }

 private:
  struct Variant {
    char32_t cp;
    unsigned tag;
    std::uint16_t code;
  };
  static std::uint32_t VariantKey(char32_t cp, unsigned tag) { return (cp << 4) | tag; }

  void AddVariant(unsigned code, char32_t cp) {
    unsigned tag = 1;
    for (const Variant& v : variants_)
      if (v.cp == cp) ++tag;
    if (tag > std::size(kCodeVariantTags)) return;  // stays a pair of byte markers
    (*pair_)[code] = cp | (static_cast<char32_t>(tag) << kTagShift);
    const Variant variant{cp, tag, static_cast<std::uint16_t>(code)};
    variants_.insert(std::upper_bound(variants_.begin(), variants_.end(), variant,
                                      [](const Variant& a, const Variant& b) {
                                        return VariantKey(a.cp, a.tag) < VariantKey(b.cp, b.tag);
                                      }),
                     variant);
  }

  static char32_t Convert(iconv_t cd, const unsigned char* bytes, std::size_t n) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes));
    std::size_t inLeft = n;
    unsigned char out[8] = {};
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return 0;
    if (inLeft != 0 || sizeof out - outLeft != 4) return 0;
    return static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (out[3] << 24));
  }

  static unsigned Encode(iconv_t cd, char32_t cp) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    unsigned char in[4] = {static_cast<unsigned char>(cp), static_cast<unsigned char>(cp >> 8),
                           static_cast<unsigned char>(cp >> 16),
                           static_cast<unsigned char>(cp >> 24)};
    char* inPtr = reinterpret_cast<char*>(in);
    std::size_t inLeft = 4;
    unsigned char out[4] = {};
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return 0;
    const std::size_t written = sizeof out - outLeft;
    if (written == 1) return out[0];
    if (written == 2) return (static_cast<unsigned>(out[0]) << 8) | out[1];
    return 0;
  }

  std::array<char32_t, 256> single_;
  std::unique_ptr<std::array<char32_t, 65536>> pair_;
  std::unique_ptr<std::array<std::uint16_t, 65536>> encode_;
  std::vector<Variant> variants_;  // sorted by character, then tag
};

const Cp932Tables& Tables() {
  static const Cp932Tables tables;
  return tables;
}

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
  const Cp932Tables& t = Tables();
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
      if (const char32_t cp = t.Pair(b, trail); cp != 0) {
        AppendUtf8(out, cp & kCharacterBits);
        if (const unsigned tag = cp >> kTagShift; tag != 0)
          AppendUtf8(out, kCodeVariantTags[tag - 1]);
        i += 2;
        continue;
      }
    }
    const char32_t single = t.Single(b);
    AppendUtf8(out, single != 0 ? single : kMarkerBase + b);
    ++i;
  }
  return out;
}

std::string EncodeCp932(std::string_view utf8) {
  const Cp932Tables& t = Tables();
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
      code = t.VariantCode(cp, tag);
      if (code != 0) i += 3;
    }
    if (code == 0) code = t.Code(cp);
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
  const std::uint16_t code = Tables().Code(cp);
  return code == 0 || code < 0x100 ? 1 : 2;
}

std::size_t sjisLength(std::string_view utf8) {
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

}  // namespace tavolo
