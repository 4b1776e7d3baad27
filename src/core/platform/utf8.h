#pragma once
// Small UTF-8 helpers. Inside the program every string is UTF-8; these walk it
// by characters without pulling in a Unicode library.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavolo {

// Byte length of the UTF-8 character starting at s[pos] (1 for a stray byte,
// never past the end of s). Returns 0 when pos >= s.size().
std::size_t Utf8CharLength(std::string_view s, std::size_t pos);

// Decodes the character at s[pos]; a malformed sequence gives U+FFFD.
char32_t Utf8CodePoint(std::string_view s, std::size_t pos);

void AppendUtf8(std::string& out, char32_t cp);

// Splits into characters, each a UTF-8 string of its own.
std::vector<std::string> Utf8Chars(std::string_view s);

// Number of characters (not bytes).
std::size_t Utf8Count(std::string_view s);

}  // namespace tavolo
