// The command line's JSON output: any text, decoded from a course file or
// taken byte for byte (paths come from the file system as they are), gives
// JSON that a strict parser reads back, with every string as it went in
// (bytes that are not UTF-8 as U+FFFD).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json.h"
#include "platform/cp932.h"

namespace {

// A strict reader of RFC 8259 JSON that collects every string it reads (keys
// and values, in order). Any departure from the grammar, and any byte
// sequence that is not well-formed UTF-8, fails it.
class StrictJson {
 public:
  explicit StrictJson(std::string_view text) : text_(text) {}

  bool Parse() {
    SkipBlanks();
    if (!Value(0)) return false;
    SkipBlanks();
    return pos_ == text_.size();
  }
  const std::vector<std::string>& strings() const { return strings_; }

 private:
  bool Value(int depth) {
    if (depth > 64 || pos_ >= text_.size()) return false;
    switch (text_[pos_]) {
      case '{':
        return Container('}', depth, true);
      case '[':
        return Container(']', depth, false);
      case '"':
        return String();
      case 't':
        return Literal("true");
      case 'f':
        return Literal("false");
      case 'n':
        return Literal("null");
      default:
        return Number();
    }
  }

  bool Container(char close, int depth, bool isObject) {
    ++pos_;
    SkipBlanks();
    if (Take(close)) return true;
    while (true) {
      SkipBlanks();
      if (isObject) {
        if (pos_ >= text_.size() || text_[pos_] != '"' || !String()) return false;
        SkipBlanks();
        if (!Take(':')) return false;
        SkipBlanks();
      }
      if (!Value(depth + 1)) return false;
      SkipBlanks();
      if (Take(close)) return true;
      if (!Take(',')) return false;
    }
  }

  bool Literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  bool Number() {
    const std::size_t start = pos_;
    Take('-');
    if (Take('0')) {
    } else if (!Digits()) {
      return false;
    }
    if (Take('.') && !Digits()) return false;
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (!Digits()) return false;
    }
    return pos_ > start;
  }

  bool Digits() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
    return pos_ > start;
  }

  bool String() {
    ++pos_;
    std::string value;
    while (true) {
      if (pos_ >= text_.size()) return false;
      const auto c = static_cast<unsigned char>(text_[pos_]);
      if (c == '"') {
        ++pos_;
        strings_.push_back(std::move(value));
        return true;
      }
      if (c < 0x20) return false;
      if (c == '\\') {
        if (!Escape(value)) return false;
        continue;
      }
      const std::size_t length = WellFormedLength(text_, pos_);
      if (length == 0) return false;
      value.append(text_.substr(pos_, length));
      pos_ += length;
    }
  }

  bool Escape(std::string& value) {
    if (++pos_ >= text_.size()) return false;
    const char c = text_[pos_++];
    switch (c) {
      case '"':
      case '\\':
      case '/':
        value.push_back(c);
        return true;
      case 'b':
        value.push_back('\b');
        return true;
      case 'f':
        value.push_back('\f');
        return true;
      case 'n':
        value.push_back('\n');
        return true;
      case 'r':
        value.push_back('\r');
        return true;
      case 't':
        value.push_back('\t');
        return true;
      case 'u': {
        auto unit = Hex4();
        if (!unit) return false;
        char32_t cp = *unit;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
          if (!Literal("\\u")) return false;
          const auto low = Hex4();
          if (!low || *low < 0xDC00 || *low > 0xDFFF) return false;
          cp = 0x10000 + ((cp - 0xD800) << 10) + (*low - 0xDC00);
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
          return false;
        }
        AppendUtf8(value, cp);
        return true;
      }
      default:
        return false;
    }
  }

  std::optional<char32_t> Hex4() {
    if (pos_ + 4 > text_.size()) return std::nullopt;
    char32_t value = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = text_[pos_++];
      value <<= 4;
      if (c >= '0' && c <= '9') {
        value |= static_cast<char32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        value |= static_cast<char32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        value |= static_cast<char32_t>(c - 'A' + 10);
      } else {
        return std::nullopt;
      }
    }
    return value;
  }

  static void AppendUtf8(std::string& out, char32_t cp) {
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

  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r'))
      ++pos_;
  }

  bool Take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

 public:
  // The length of the well-formed UTF-8 character at s[pos] (Unicode's table
  // of well-formed byte sequences), 0 when there is none.
  static std::size_t WellFormedLength(std::string_view s, std::size_t pos) {
    auto at = [&](std::size_t k) -> int {
      return pos + k < s.size() ? static_cast<unsigned char>(s[pos + k]) : -1;
    };
    auto in = [](int b, int low, int high) { return b >= low && b <= high; };
    const int b0 = at(0);
    if (in(b0, 0x00, 0x7F)) return 1;
    if (in(b0, 0xC2, 0xDF)) return in(at(1), 0x80, 0xBF) ? 2 : 0;
    if (in(b0, 0xE0, 0xEF)) {
      const int low = b0 == 0xE0 ? 0xA0 : 0x80;
      const int high = b0 == 0xED ? 0x9F : 0xBF;
      return in(at(1), low, high) && in(at(2), 0x80, 0xBF) ? 3 : 0;
    }
    if (in(b0, 0xF0, 0xF4)) {
      const int low = b0 == 0xF0 ? 0x90 : 0x80;
      const int high = b0 == 0xF4 ? 0x8F : 0xBF;
      return in(at(1), low, high) && in(at(2), 0x80, 0xBF) && in(at(3), 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::vector<std::string> strings_;
};

bool IsWellFormedUtf8(std::string_view s) {
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t length = StrictJson::WellFormedLength(s, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavolo;
  if (size == 0) return 0;
  const int indent = data[0] % 3;
  const std::string raw(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string decoded = DecodeCp932(raw);
  if (!IsWellFormedUtf8(decoded)) std::abort();  // decoding always gives UTF-8

  // The shapes the commands write: objects of fields, lists, nested.
  std::ostringstream out;
  JsonWriter json(out, indent);
  json.BeginArray();
  json.BeginObject()
      .Field("address", decoded)
      .Field("file", raw)
      .Field("line", static_cast<int>(size))
      .Field("ok", size % 2 == 0)
      .Field(decoded, std::vector<std::string>{decoded, raw, ""})
      .Key("none")
      .Null()
      .EndObject();
  json.BeginArray().EndArray().BeginObject().EndObject().String(decoded);
  json.EndArray().Finish();

  const std::string written = out.str();
  StrictJson parsed(written);
  if (!parsed.Parse()) std::abort();
  const std::vector<std::string>& s = parsed.strings();
  if (s.size() != 12) std::abort();
  // Decoded text comes back exactly; raw bytes exactly when they are UTF-8.
  if (s[0] != "address" || s[1] != decoded || s[2] != "file" || s[4] != "line" || s[5] != "ok" ||
      s[6] != decoded || s[7] != decoded || !s[9].empty() || s[10] != "none" || s[11] != decoded)
    std::abort();
  if (IsWellFormedUtf8(raw) && (s[3] != raw || s[8] != raw)) std::abort();
  return 0;
}
