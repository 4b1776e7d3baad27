// Writes the CP932 tables that platform/cp932.cpp looks characters up in, as
// C++ source, asking the C library's CP932 converter about every code once.
// The build runs it, so that no run of the program has to: building the
// tables at start-up took 42,000 iconv calls, a few milliseconds on every
// command and every start of the desktop program.
//
//   tavolo_cp932_tables OUTPUT.cpp
//
// What the tables hold (see platform/cp932_tables.h):
// - kSingle: the character of each one-byte code, 0 for none (lead bytes,
//   and bytes that do not come back as themselves);
// - kPair: for lead byte l and trail byte t, at (l - 0x81) * 189 + (t - 0x40),
//   the character of the two-byte code, 0 for none; a code that is not the
//   one encoding picks for its character (CP932 has about 400 characters with
//   two or three codes) carries its variant number, 1 or 2 in code order, in
//   bits 24 and up;
// - kEncode: for every BMP character the code the converter writes for it, 0
//   for none;
// - kVariants: (character << 4 | variant number, code), sorted, for encoding a
//   character with a code-variant tag back to its own code.

#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>

namespace {

bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// One character for bytes, 0 when they are not exactly one character.
char32_t Decode(iconv_t cd, const unsigned char* bytes, std::size_t n) {
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

// The code of a character (one or two bytes), 0 when CP932 has none.
unsigned Encode(iconv_t cd, char32_t cp) {
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

template <class T>
void WriteArray(std::ostream& out, const char* declaration, const std::vector<T>& values) {
  out << declaration << " = {";
  for (std::size_t i = 0; i < values.size(); ++i) {
    out << (i % 12 == 0 ? "\n    " : " ") << "0x" << std::hex
        << static_cast<std::uint64_t>(values[i]) << std::dec << ",";
  }
  out << "\n};\n\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tavolo_cp932_tables OUTPUT.cpp\n";
    return 2;
  }
  iconv_t toUtf32 = iconv_open("UTF-32LE", "CP932");
  iconv_t fromUtf32 = iconv_open("CP932", "UTF-32LE");
  if (toUtf32 == reinterpret_cast<iconv_t>(-1) || fromUtf32 == reinterpret_cast<iconv_t>(-1)) {
    std::cerr << "the C library has no CP932 converter\n";
    return 1;
  }

  std::vector<std::uint32_t> single(256, 0);
  std::vector<std::uint32_t> pair(124 * 189, 0);
  std::vector<std::uint16_t> encode(65536, 0);
  std::map<std::uint32_t, std::uint16_t> variants;  // sorted by (character << 4 | number)
  std::map<char32_t, unsigned> variantCount;

  for (unsigned b = 0; b < 0x80; ++b) single[b] = b;
  for (unsigned b = 0x80; b < 0x100; ++b) {
    if (IsLeadByte(b)) continue;
    const unsigned char in[1] = {static_cast<unsigned char>(b)};
    if (const char32_t cp = Decode(toUtf32, in, 1); cp != 0 && Encode(fromUtf32, cp) == b) {
      single[b] = cp;
      encode[cp] = static_cast<std::uint16_t>(b);
    }
  }
  // Codes ascend, so a character's variants are numbered in code order.
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(lead)) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsTrailByte(trail)) continue;
      const unsigned char in[2] = {static_cast<unsigned char>(lead),
                                   static_cast<unsigned char>(trail)};
      const char32_t cp = Decode(toUtf32, in, 2);
      if (cp == 0 || cp > 0xFFFF) continue;
      const unsigned code = (lead << 8) | trail;
      const unsigned usual = Encode(fromUtf32, cp);
      const std::size_t at = (lead - 0x81) * 189 + (trail - 0x40);
      if (usual == code) {
        pair[at] = cp;
        encode[cp] = static_cast<std::uint16_t>(code);
      } else if (usual != 0) {
        const unsigned number = ++variantCount[cp];
        if (number > 2) continue;  // no tag for it: stays two byte markers
        pair[at] = cp | (number << 24);
        variants[(static_cast<std::uint32_t>(cp) << 4) | number] = static_cast<std::uint16_t>(code);
      }
    }
  }
  // Characters without a code of their own that the converter writes with the
  // code of a look-alike (¢ as ￠, the minus sign − as －, the wave dash 〜 as
  // ～): typed or pasted in, they are saved the way the converter saves them.
  for (char32_t cp = 0x80; cp <= 0xFFFF; ++cp) {
    if (encode[cp] != 0 || (cp >= 0xD800 && cp <= 0xDFFF)) continue;
    encode[cp] = static_cast<std::uint16_t>(Encode(fromUtf32, cp));
  }
  iconv_close(toUtf32);
  iconv_close(fromUtf32);

  std::vector<std::uint32_t> variantKeys;
  std::vector<std::uint16_t> variantCodes;
  for (const auto& [key, code] : variants) {
    variantKeys.push_back(key);
    variantCodes.push_back(code);
  }

  std::ostringstream out;
  out << "// Generated by tavolo_cp932_tables from the C library's CP932 converter.\n"
         "// Do not edit: the build writes it again.\n\n"
         "#include \"platform/cp932_tables.h\"\n\n"
         "namespace tavolo::cp932 {\n\n";
  WriteArray(out, "const std::uint32_t kSingle[256]", single);
  WriteArray(out, "const std::uint32_t kPair[kPairCount]", pair);
  WriteArray(out, "const std::uint16_t kEncode[65536]", encode);
  out << "const std::size_t kVariantCount = " << variantKeys.size() << ";\n";
  WriteArray(out, "const std::uint32_t kVariantKeys[]", variantKeys);
  WriteArray(out, "const std::uint16_t kVariantCodes[]", variantCodes);
  out << "}  // namespace tavolo::cp932\n";

  // Written whole or not at all, so that a failed run never leaves half a table.
  const std::string path = argv[1];
  const std::string temp = path + ".part";
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file.flush()) {
      std::cerr << "cannot write " << temp << "\n";
      return 1;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::cerr << "cannot write " << path << "\n";
    return 1;
  }
  return 0;
}
