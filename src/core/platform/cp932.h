#pragma once
// Shift-JIS (code page 932) text: every course, record and roster file is in
// it. Decoding never loses a byte, so re-saving a file changes only what the
// user changed:
// - a byte that does not start a valid CP932 character decodes to a private
//   marker character U+10FF00 + byte, which encodes back to exactly that byte;
// - CP932 has about 400 characters with two or three codes (NEC row 13 and
//   the NEC-selected and IBM extensions repeat each other: 0x8790 and 0x81E0
//   are both "≒", 0xED40 and 0xFA5C both "纊", 0x81CA, 0xEEF9 and 0xFA54 all
//   "￢"). The code that encoding picks for the character decodes to the plain
//   character. Any other code decodes to the same character followed by a
//   code-variant tag (kCodeVariantTags), which encoding reads as "this code,
//   not the usual one".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavolo {

std::string DecodeCp932(std::string_view bytes);

// Characters are written as the C library's converter writes them: a few that
// CP932 has no code for take a look-alike's ("−" U+2212 as "－", "¢" as
// "￠"); the rest that it cannot hold (never read from a file, only typed)
// become "?".
std::string EncodeCp932(std::string_view utf8);

// The first character of a text that CP932 cannot hold, not even as a
// look-alike (what EncodeCp932 would write as "?"): where it starts in the
// UTF-8 text, and the character. Nothing when every character can be written.
// Every writer of typed text asks this first, so that nothing becomes "?".
struct UnwritableCharacter {
  std::size_t offset = 0;  // byte offset in the UTF-8 text
  std::string character;
};
std::optional<UnwritableCharacter> FindUnwritableCharacter(std::string_view utf8);

// True for the marker characters that stand for undecodable bytes.
bool IsByteMarker(char32_t cp);

// The code-variant tags: variation selectors 13 and 14 (U+FE0C, U+FE0D), for
// the first and second of a character's other codes in code order. A variation
// selector is what Unicode offers for "the same character, told apart": it is
// invisible and takes no room in every font and text widget (no font defines a
// variant for these characters under these two selectors), it stays with its
// character when text is edited, and it is not a character of its own to the
// reader. So the character shows as itself on the screen and on paper, the
// text never gains a stray character, and the bytes come back exactly. The
// alternatives were worse: a private-use character per duplicate code would
// show as an empty box in every editor and list unless each one mapped it back,
// and remembering the original bytes beside the text would need a second copy
// of every line carried through reading, editing and saving. Encoding drops a
// tag that follows no character with that variant.
inline constexpr char32_t kCodeVariantTags[] = {0xFE0C, 0xFE0D};
bool IsCodeVariantTag(char32_t cp);

// The text without code-variant tags: what a comparison with typed text (which
// never carries them) should look at.
std::string WithoutCodeVariants(std::string_view utf8);

// The Shift-JIS byte length of a UTF-8 string: what a rule means when it
// counts or cuts "bytes" (ASCII and half-width katakana 1, others 2, markers 1,
// code-variant tags 0: they belong to the two bytes of the character before).
std::size_t SjisLength(std::string_view utf8);

// Shift-JIS byte length of one character.
std::size_t SjisCharLength(char32_t cp);

// The longest prefix whose Shift-JIS length is at most maxBytes; never splits
// a character (a two-byte character that would straddle the limit is left out)
// and never parts a character from its code-variant tag.
std::string SjisLeft(std::string_view utf8, std::size_t maxBytes);

// The characters lying wholly inside Shift-JIS bytes [fromByte, fromByte + byteCount)
// (0-based byte offsets); a character cut by either edge is left out, and so
// is a code-variant tag whose character is left out.
std::string SjisMid(std::string_view utf8, std::size_t fromByte, std::size_t byteCount);

}  // namespace tavolo
