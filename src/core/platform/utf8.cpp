#include "platform/utf8.h"

namespace tavolo {

namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Expected length from the lead byte, 0 for a byte that cannot start a character.
std::size_t LeadLength(unsigned char c) {
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xF0 && c <= 0xF4) return 4;
  return 0;
}
}  // namespace

std::size_t Utf8CharLength(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return 0;
  const std::size_t n = LeadLength(static_cast<unsigned char>(s[pos]));
  if (n <= 1 || pos + n > s.size()) return 1;
  for (std::size_t i = 1; i < n; ++i)
    if (!IsContinuation(static_cast<unsigned char>(s[pos + i]))) return 1;
  return n;
}

char32_t Utf8CodePoint(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return U'\uFFFD';
  const auto c0 = static_cast<unsigned char>(s[pos]);
  if (c0 < 0x80) return c0;
  const std::size_t n = Utf8CharLength(s, pos);
  if (n == 1) return U'\uFFFD';
  char32_t cp = c0 & (0x7F >> n);
  for (std::size_t i = 1; i < n; ++i)
    cp = (cp << 6) | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::vector<std::string> Utf8Chars(std::string_view s) {
  std::vector<std::string> chars;
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t n = Utf8CharLength(s, pos);
    chars.emplace_back(s.substr(pos, n));
    pos += n;
  }
  return chars;
}

std::size_t Utf8Count(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < s.size(); pos += Utf8CharLength(s, pos)) ++count;
  return count;
}

}  // namespace tavolo
