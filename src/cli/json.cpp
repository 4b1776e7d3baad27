#include "cli/json.h"

#include <cstdio>
#include <string>

#include "platform/utf8.h"

namespace tavolo {

namespace {

// Whether s[pos] starts a well-formed UTF-8 character of `length` bytes.
bool IsWellFormed(std::string_view s, std::size_t pos, std::size_t length) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  const std::size_t expected = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
  if (expected == 0 || expected != length) return false;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(s[pos + k]) & 0xC0) != 0x80) return false;
  const char32_t cp = Utf8CodePoint(s, pos);
  // Overlong forms, UTF-16 surrogates and numbers past U+10FFFF have the
  // right shape but are not UTF-8: a strict JSON reader refuses them.
  if (length == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) return false;
  if (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) return false;
  return cp != 0xFFFD || (length == 3 && s.substr(pos, 3) == "\xEF\xBF\xBD");
}

}  // namespace

bool TakeJsonOption(std::vector<std::string>& args) {
  const auto before = args.size();
  std::erase(args, std::string("--json"));
  return args.size() != before;
}

std::string JsonQuote(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out.push_back('"');
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = Utf8CharLength(text, pos);
    const auto c = static_cast<unsigned char>(text[pos]);
    if (length == 1 && c < 0x80) {
      switch (c) {
        case '"':
          out += "\\\"";
          break;
        case '\\':
          out += "\\\\";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\t':
          out += "\\t";
          break;
        case '\b':
          out += "\\b";
          break;
        case '\f':
          out += "\\f";
          break;
        default:
          if (c < 0x20 || c == 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
          } else {
            out.push_back(static_cast<char>(c));
          }
      }
    } else if (IsWellFormed(text, pos, length)) {
      out.append(text.substr(pos, length));
    } else {
      out += "\xEF\xBF\xBD";
    }
    pos += length;
  }
  out.push_back('"');
  return out;
}

void JsonWriter::NewLine() {
  if (indent_ <= 0) return;
  out_ << '\n' << std::string(levels_.size() * static_cast<std::size_t>(indent_), ' ');
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (!level.empty) out_ << ',';
  level.empty = false;
  NewLine();
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  BeforeValue();
  out_ << JsonQuote(key) << (indent_ > 0 ? ": " : ":");
  afterKey_ = true;
  return *this;
}

void JsonWriter::Open(char bracket, bool isObject) {
  BeforeValue();
  out_ << bracket;
  levels_.push_back(Level{isObject});
}

void JsonWriter::Close(char bracket) {
  const bool wasEmpty = levels_.back().empty;
  levels_.pop_back();
  if (!wasEmpty) NewLine();
  out_ << bracket;
}

JsonWriter& JsonWriter::BeginObject() {
  Open('{', true);
  return *this;
}
JsonWriter& JsonWriter::EndObject() {
  Close('}');
  return *this;
}
JsonWriter& JsonWriter::BeginArray() {
  Open('[', false);
  return *this;
}
JsonWriter& JsonWriter::EndArray() {
  Close(']');
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view value) {
  BeforeValue();
  out_ << JsonQuote(value);
  return *this;
}

JsonWriter& JsonWriter::Number(std::int64_t value) {
  BeforeValue();
  out_ << value;
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ << (value ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ << "null";
  return *this;
}

JsonWriter& JsonWriter::StringArray(const std::vector<std::string>& values) {
  BeginArray();
  for (const auto& v : values) String(v);
  return EndArray();
}

void JsonWriter::Finish() { out_ << '\n'; }

}  // namespace tavolo
