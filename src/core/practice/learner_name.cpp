#include "practice/learner_name.h"

#include <string>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace tavolo {

namespace {

bool IsControl(char32_t cp) { return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F); }

// Characters that Windows, FAT and SMB shares refuse in file names, besides
// the separators.
bool IsRefusedByFileSystems(char32_t cp) {
  switch (cp) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return false;
  }
}

bool IsBlank(char32_t cp) { return cp == ' ' || cp == U'　'; }

std::optional<std::string> Refused(std::string_view why) { return std::string(why); }

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The names Windows keeps for its devices, with or without an extension
// ("con", "NUL.txt", "com1"): no file of such a name can be made there.
bool IsDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = UpperAscii(c);
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string TrimLearnerName(std::string_view name) {
  std::size_t start = 0, end = name.size();
  while (start < end) {
    const std::size_t length = Utf8CharLength(name, start);
    if (!IsBlank(Utf8CodePoint(name, start))) break;
    start += length;
  }
  while (end > start) {
    std::size_t last = end - 1;
    while (last > start && (static_cast<unsigned char>(name[last]) & 0xC0) == 0x80) --last;
    if (!IsBlank(Utf8CodePoint(name, last))) break;
    end = last;
  }
  return std::string(name.substr(start, end - start));
}

Status CheckLearnerName(std::string_view name) {
  if (name.empty()) return Failure{"学習者名を入力してください"};
  if (auto why = LearnerNameRefusal(name)) return Failure{"この学習者名は使えません。" + *why};
  return Succeeded();
}

std::optional<std::string> LearnerNameRefusal(std::string_view name) {
  if (name.empty()) return std::nullopt;
  if (name == "." || name == "..") return Refused("「.」や「..」は名前にできません");
  char32_t first = 0, last = 0;
  for (std::size_t pos = 0; pos < name.size(); pos += Utf8CharLength(name, pos)) {
    const char32_t cp = Utf8CodePoint(name, pos);
    const std::string ch(name.substr(pos, Utf8CharLength(name, pos)));
    if (IsControl(cp)) return Refused("制御文字は名前に使えません");
    if (cp == '/' || cp == '\\' || IsRefusedByFileSystems(cp))
      return "「" + ch + "」は名前に使えません";
    // Bytes that were not text, or characters Shift-JIS cannot hold, would
    // not survive the roster and record files.
    if (cp == 0xFFFD || IsByteMarker(cp)) return Refused("名前に読めない文字が含まれています");
    const std::string encoded = EncodeCp932(ch);
    if (encoded.empty()) return Refused("名前に使えない文字が含まれています");
    if (encoded == "?") return "「" + ch + "」は名前に使えない文字です（Shift-JIS にありません）";
    // A look-alike would come back from the roster as another name.
    if (const std::string back = DecodeCp932(encoded); back != ch)
      return "「" + ch + "」は名前に使えません。「" + back + "」を使ってください";
    if (pos == 0) first = cp;
    last = cp;
  }
  // Windows drops a trailing blank or dot, which would give two names one file.
  if (IsBlank(first) || IsBlank(last)) return Refused("名前の前後に空白は置けません");
  if (last == '.') return Refused("名前の最後に「.」は置けません");
  if (IsDeviceName(name)) return "「" + std::string(name) + "」は Windows で使えない名前です";
  if (SjisLength(name) > kMaxLearnerNameBytes)
    return Refused("名前は全角32文字（半角64文字）までです");
  return std::nullopt;
}

}  // namespace tavolo
