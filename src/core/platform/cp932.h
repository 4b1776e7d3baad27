#pragma once
// Shift-JIS (code page 932) text: every course, record and roster file is in
// it. Decoding never loses a byte: a byte that does not start a valid CP932
// character (and a duplicate code that would encode back differently) decodes
// to a private marker character U+10FF00 + byte, which encodes back to exactly
// that byte. Re-saving a file therefore changes only what the user changed.

#include <cstddef>
#include <string>
#include <string_view>

namespace tavolo {

std::string DecodeCp932(std::string_view bytes);

// Characters that CP932 cannot hold (never read from a file, only typed) are
// written as "?".
std::string EncodeCp932(std::string_view utf8);

// True for the marker characters that stand for undecodable bytes.
bool IsByteMarker(char32_t cp);

// The Shift-JIS byte length of a UTF-8 string: what a rule means when it
// counts or cuts "bytes" (ASCII and half-width katakana 1, others 2, markers 1).
std::size_t sjisLength(std::string_view utf8);

// Shift-JIS byte length of one character.
std::size_t SjisCharLength(char32_t cp);

// The longest prefix whose Shift-JIS length is at most maxBytes; never splits
// a character (a two-byte character that would straddle the limit is left out).
std::string SjisLeft(std::string_view utf8, std::size_t maxBytes);

// The characters lying wholly inside Shift-JIS bytes [fromByte, fromByte + byteCount)
// (0-based byte offsets); a character cut by either edge is left out.
std::string SjisMid(std::string_view utf8, std::size_t fromByte, std::size_t byteCount);

}  // namespace tavolo
