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

}  // namespace

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
    if (IsControl(cp)) return Refused("制御文字が含まれています");
    if (cp == '/' || cp == '\\' || IsRefusedByFileSystems(cp))
      return Refused("次の文字は使えません: / \\ : * ? \" < > |");
    // Bytes that were not text, or characters Shift-JIS cannot hold, would
    // not survive the roster and record files.
    if (cp == 0xFFFD || IsByteMarker(cp)) return Refused("使えない文字が含まれています");
    if (pos == 0) first = cp;
    last = cp;
  }
  if (DecodeCp932(EncodeCp932(name)) != name) return Refused("使えない文字が含まれています");
  // Windows drops a trailing blank or dot, which would give two names one file.
  if (IsBlank(first) || IsBlank(last) || last == '.')
    return Refused("名前の前後に空白や「.」は置けません");
  if (SjisLength(name) > kMaxLearnerNameBytes)
    return Refused("名前は全角32文字（半角64文字）までです");
  return std::nullopt;
}

}  // namespace tavolo
