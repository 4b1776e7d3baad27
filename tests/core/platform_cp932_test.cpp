#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <random>
#include <string>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace tavolo {
namespace {

struct Known {
  const char* bytes;
  const char* utf8;
};

TEST(Cp932, DecodesAndEncodesKnownCharacters) {
  const Known table[] = {
      {"abc\\~", "abc\\~"},                    // 0x5C and 0x7E stay ASCII
      {"\x90\xb3\x82\xc6\x95\x89", "正と負"},  // kanji and hiragana
      {"\xb1\xb2\xb3", "ｱｲｳ"},                 // half-width katakana: one byte each
      {"\x81\x7c\x81\x7b", "－＋"},            // full-width signs used in questions
      {"\x81\x84\x81\x83\x81\x86\x81\x85", "＞＜≧≦"},
      {"\x81\x7e\x81\x80", "×÷"},
      {"\x81\x98", "§"},
      {"\x87\x40", "①"},   // NEC special characters
      {"\xfa\x5c", "纊"},  // IBM extension kanji
      {"\x81\xca", "￢"},
      {"", ""},
  };
  for (const auto& k : table) {
    EXPECT_EQ(DecodeCp932(k.bytes), k.utf8) << k.utf8;
    EXPECT_EQ(EncodeCp932(k.utf8), k.bytes) << k.utf8;
  }
}

TEST(Cp932, UndecodableBytesBecomeMarkersAndComeBackUnchanged) {
  const std::string cases[] = {
      "\x80",          // not a CP932 character
      "\xa0",          //
      "\xfd\xfe\xff",  //
      "\x82",          // a lead byte at the end of the file
      "\x82\x0a",      // a lead byte followed by a line end
      "\xee\xf9",      // a duplicate code of "￢": must not turn into 0x81CA on saving
      "\x87\x95",      // a duplicate code of "√"
      "a\x81\x20z",    // an invalid second byte
  };
  for (const auto& bytes : cases) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    const std::string text = DecodeCp932(bytes);
    EXPECT_EQ(EncodeCp932(text), bytes);
  }
  const std::string marker = DecodeCp932("\x80");
  EXPECT_TRUE(IsByteMarker(Utf8CodePoint(marker, 0)));
  EXPECT_EQ(SjisLength(marker), 1u);
}

// Characters with more than one code: every code shows the character, no code
// brings an ASCII character into the text, and each comes back as it was.
TEST(Cp932, DuplicateCodesDecodeToTheirCharacterAndKeepTheirBytes) {
  const Known table[] = {
      {"\x87\x90", "≒"},  {"\x81\xe0", "≒"},  {"\x87\x95", "√"},  {"\x87\x97", "∠"},
      {"\x87\x9a", "∵"},  {"\xfa\x5b", "∵"},  {"\x81\xe6", "∵"},  {"\xed\x40", "纊"},
      {"\xfa\x5c", "纊"}, {"\xee\xef", "ⅰ"},  {"\xfa\x40", "ⅰ"},  {"\xfa\x4a", "Ⅰ"},
      {"\x87\x54", "Ⅰ"},  {"\xee\xf9", "￢"}, {"\xfa\x54", "￢"}, {"\x81\xca", "￢"},
      {"\x87\x9b", "∩"},  {"\xfa\x58", "㈱"}, {"\xfa\x59", "№"},  {"\xed\x4c", "丨"},
  };
  for (const auto& k : table) {
    SCOPED_TRACE(k.utf8);
    const std::string bytes = k.bytes;
    const std::string text = DecodeCp932("(" + bytes + ")");
    EXPECT_EQ(WithoutCodeVariants(text), std::string("(") + k.utf8 + ")");
    EXPECT_EQ(text.substr(0, 1 + std::string(k.utf8).size()), std::string("(") + k.utf8);
    int ascii = 0;
    for (unsigned char c : text) ascii += c < 0x80 ? 1 : 0;
    EXPECT_EQ(ascii, 2);  // the brackets only
    EXPECT_EQ(EncodeCp932(text), "(" + bytes + ")");
    EXPECT_EQ(SjisLength(text), 4u);
  }
  // Typed text carries no tags and takes the usual code.
  EXPECT_EQ(EncodeCp932("≒纊￢"), "\x81\xe0\xfa\x5c\x81\xca");
  // A tag left behind without its character is dropped, not written as "?".
  EXPECT_EQ(EncodeCp932("a\uFE0Cb\uFE0D"), "ab");
  EXPECT_EQ(EncodeCp932("あ\uFE0C"), "\x82\xa0");  // あ has no second code
}

// Every two-byte sequence: a valid code decodes to one character (with a tag
// for a variant) and no ASCII, and every sequence comes back unchanged.
TEST(Cp932, EveryTwoByteSequenceRoundTripsWithoutStrayAscii) {
  int variants = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;  // one-byte katakana, not lead bytes
    for (int trail = 0; trail <= 0xFF; ++trail) {
      const std::string bytes = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::string text = DecodeCp932(bytes);
      ASSERT_EQ(EncodeCp932(text), bytes) << lead << " " << trail;
      ASSERT_EQ(SjisLength(text), 2u);
      const char32_t first = Utf8CodePoint(text, 0);
      if (IsByteMarker(first)) continue;  // not a code: each byte keeps itself
      if (trail < 0x80) {
        ASSERT_EQ(text.find(static_cast<char>(trail)), std::string::npos) << lead << " " << trail;
      }
      const std::size_t firstLength = Utf8CharLength(text, 0);
      if (firstLength < text.size()) {
        ++variants;
        ASSERT_TRUE(IsCodeVariantTag(Utf8CodePoint(text, firstLength))) << lead << " " << trail;
      }
    }
  }
  EXPECT_EQ(variants, 398);
}

TEST(Cp932, CutsKeepACharacterWithItsTag) {
  const std::string text = DecodeCp932(
      "a\x87\x90"
      "b\xed\x40");  // a≒b纊, both variants
  EXPECT_EQ(SjisLeft(text, 1), "a");
  EXPECT_EQ(SjisLeft(text, 2), "a");
  EXPECT_EQ(EncodeCp932(SjisLeft(text, 3)), "a\x87\x90");
  EXPECT_EQ(EncodeCp932(SjisMid(text, 1, 2)), "\x87\x90");
  EXPECT_EQ(EncodeCp932(SjisMid(text, 3, 100)), "b\xed\x40");
  EXPECT_EQ(SjisMid(text, 2, 100), "b" + SjisMid(text, 4, 2));  // starts inside ≒
  EXPECT_EQ(EncodeCp932(SjisMid(text, 4, 2)), "\xed\x40");
}

// The C library's converter, asked directly: what the tables compiled into
// the program must agree with.
class Iconv {
 public:
  Iconv() : decode_(iconv_open("UTF-32LE", "CP932")), encode_(iconv_open("CP932", "UTF-32LE")) {}
  ~Iconv() {
    iconv_close(decode_);
    iconv_close(encode_);
  }
  bool ok() const { return decode_ != Invalid() && encode_ != Invalid(); }
  // The one character the bytes stand for, 0 when they are not one.
  char32_t Decode(const std::string& bytes) {
    iconv(decode_, nullptr, nullptr, nullptr, nullptr);
    std::string in = bytes;
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    unsigned char out[8] = {};
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (iconv(decode_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0 || sizeof out - outLeft != 4)
      return 0;
    return static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (out[3] << 24));
  }
  // The bytes of a character, empty when CP932 has none.
  std::string Encode(char32_t cp) {
    iconv(encode_, nullptr, nullptr, nullptr, nullptr);
    char in[4] = {static_cast<char>(cp), static_cast<char>(cp >> 8), static_cast<char>(cp >> 16),
                  static_cast<char>(cp >> 24)};
    char* inPtr = in;
    std::size_t inLeft = 4;
    char out[8] = {};
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    if (iconv(encode_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
      return {};
    return std::string(out, sizeof out - outLeft);
  }

 private:
  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
  iconv_t decode_;
  iconv_t encode_;
};

std::string Utf8Of(char32_t cp) {
  std::string s;
  AppendUtf8(s, cp);
  return s;
}

TEST(Cp932, TablesAgreeWithTheCLibraryConverter) {
  Iconv c;
  ASSERT_TRUE(c.ok());
  const std::string tags[] = {Utf8Of(kCodeVariantTags[0]), Utf8Of(kCodeVariantTags[1])};

  // Every one-byte sequence: its character when the converter decodes it and
  // encodes the character back to it, else a marker.
  for (int b = 0; b < 256; ++b) {
    const std::string bytes(1, static_cast<char>(b));
    const char32_t cp = c.Decode(bytes);
    const std::string text = DecodeCp932(bytes);
    if (b < 0x80) {  // ASCII, "\\" and "~" included
      ASSERT_EQ(text, bytes);
      if (b != 0) {
        ASSERT_EQ(cp, static_cast<char32_t>(b));
      }
    } else if (cp != 0 && c.Encode(cp) == bytes) {
      ASSERT_EQ(text, Utf8Of(cp)) << b;
    } else {
      ASSERT_TRUE(IsByteMarker(Utf8CodePoint(text, 0))) << b;
    }
  }
  // Every two-byte sequence with a lead byte: a code is its character, with
  // the tag of its place among the character's other codes when encoding
  // picks another code for it; anything else is two separate bytes.
  std::map<char32_t, int> others;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (int trail = 0; trail < 256; ++trail) {
      const std::string bytes = {static_cast<char>(lead), static_cast<char>(trail)};
      const char32_t cp = c.Decode(bytes);
      const std::string text = DecodeCp932(bytes);
      if (cp != 0 && cp <= 0xFFFF && !c.Encode(cp).empty()) {
        std::string expected = Utf8Of(cp);
        if (c.Encode(cp) != bytes) expected += tags[others[cp]++];
        ASSERT_EQ(text, expected) << lead << " " << trail;
      } else {
        ASSERT_EQ(text, DecodeCp932(bytes.substr(0, 1)) + DecodeCp932(bytes.substr(1)))
            << lead << " " << trail;
      }
      ASSERT_EQ(EncodeCp932(text), bytes) << lead << " " << trail;
    }
  }
  // Every BMP character: the converter's code, or "?" when it has none.
  for (char32_t cp = 0x80; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;  // not characters
    if (IsCodeVariantTag(cp)) continue;          // dropped on their own, tested above
    const std::string expected = c.Encode(cp);
    const std::string utf8 = Utf8Of(cp);
    ASSERT_EQ(EncodeCp932(utf8), expected.empty() ? "?" : expected)
        << std::hex << static_cast<unsigned>(cp);
    ASSERT_EQ(SjisLength(utf8), expected.empty() ? 1u : expected.size())
        << std::hex << static_cast<unsigned>(cp);
  }
}

TEST(Cp932, RandomByteStringsRoundTrip) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 64);
  for (int i = 0; i < 20000; ++i) {
    std::string bytes(static_cast<std::size_t>(length(random)), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    const std::string text = DecodeCp932(bytes);
    ASSERT_EQ(EncodeCp932(text), bytes);
    ASSERT_EQ(SjisLength(text), bytes.size());
  }
}

TEST(Cp932, CharactersOutsideTheCodePageAreWrittenAsQuestionMarks) {
  EXPECT_EQ(EncodeCp932("a😀b"), "a?b");
  EXPECT_EQ(EncodeCp932("a\xffz"), "a?z");  // malformed UTF-8 typed in somewhere
}

TEST(Cp932, ShiftJisLengthCountsBytesOfTheFile) {
  EXPECT_EQ(SjisLength(""), 0u);
  EXPECT_EQ(SjisLength("abc"), 3u);
  EXPECT_EQ(SjisLength("正の数"), 6u);
  EXPECT_EQ(SjisLength("ｱ1"), 2u);
  EXPECT_EQ(SjisLength("(-3)＋５"), 8u);
}

TEST(Cp932, CutsNeverSplitACharacter) {
  EXPECT_EQ(SjisLeft("正の数ab", 0), "");
  EXPECT_EQ(SjisLeft("正の数ab", 3), "正");  // the second character would straddle byte 3
  EXPECT_EQ(SjisLeft("正の数ab", 4), "正の");
  EXPECT_EQ(SjisLeft("正の数ab", 100), "正の数ab");
  EXPECT_EQ(SjisLeft("aｱ正", 2), "aｱ");

  EXPECT_EQ(SjisMid("ab正の数", 2, 4), "正の");
  EXPECT_EQ(SjisMid("ab正の数", 3, 4), "の");  // starts inside 正: it is left out
  EXPECT_EQ(SjisMid("ab正の数", 6, 100), "数");
  EXPECT_EQ(SjisMid("ab正の数", 50, 4), "");
  EXPECT_EQ(SjisMid("abc", 1, SIZE_MAX), "bc");
}

TEST(Utf8, WalksCharactersAndSurvivesMalformedInput) {
  EXPECT_EQ(Utf8Chars("a正ｱ"), (std::vector<std::string>{"a", "正", "ｱ"}));
  EXPECT_EQ(Utf8Count("正と負の数"), 5u);
  const std::string broken = "\xe6\xad";  // a character cut short
  EXPECT_EQ(Utf8CharLength(broken, 0), 1u);
  EXPECT_EQ(Utf8CodePoint(broken, 0), U'\uFFFD');
  std::string s;
  AppendUtf8(s, U'数');
  AppendUtf8(s, 0x10FF80);
  EXPECT_EQ(Utf8CodePoint(s, 0), U'数');
  EXPECT_EQ(Utf8CodePoint(s, 3), char32_t{0x10FF80});
}

}  // namespace
}  // namespace tavolo
