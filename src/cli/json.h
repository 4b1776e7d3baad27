#pragma once
// A small streaming JSON writer for the command line's machine-readable
// output. Commas and indentation are handled here, so a command only says what
// it writes: objects, arrays, keys and values, in order.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tavolo {

// Removes every "--json" from args; true when there was one.
bool TakeJsonOption(std::vector<std::string>& args);

// The text as a JSON string literal, quotes included. Control characters are
// escaped; bytes that are not UTF-8 become U+FFFD so the output always parses.
std::string JsonQuote(std::string_view text);

class JsonWriter {
 public:
  // indent 0 writes everything on one line; otherwise nested values are
  // indented by that many blanks.
  explicit JsonWriter(std::ostream& out, int indent = 2) : out_(out), indent_(indent) {}

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();

  // The key of the next value inside an object.
  JsonWriter& Key(std::string_view key);

  JsonWriter& String(std::string_view value);
  JsonWriter& Number(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();
  JsonWriter& StringArray(const std::vector<std::string>& values);

  // Key(key) followed by the value.
  template <class T>
  JsonWriter& Field(std::string_view key, const T& value);

  // Ends the output with a line end once the outermost value is complete.
  void Finish();

 private:
  struct Level {
    bool isObject;
    bool empty = true;
  };
  void BeforeValue();
  void Open(char bracket, bool isObject);
  void Close(char bracket);
  void NewLine();

  std::ostream& out_;
  int indent_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

template <class T>
JsonWriter& JsonWriter::Field(std::string_view key, const T& value) {
  Key(key);
  if constexpr (std::is_same_v<T, bool>)
    return Bool(value);
  else if constexpr (std::is_integral_v<T>)
    return Number(static_cast<std::int64_t>(value));
  else if constexpr (std::is_same_v<T, std::vector<std::string>>)
    return StringArray(value);
  else
    return String(value);
}

}  // namespace tavolo
