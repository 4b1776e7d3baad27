#include "cli/terminal_text.h"

#include <cstdio>

#include "platform/cp932.h"

namespace tavolo {

std::string TerminalText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  char buffer[8];
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7f) {
      std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
      shown += buffer;
    } else if (c == 0xc2 && i + 1 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9f) {
      // U+0080..U+009F: some terminals take U+009B as the start of a control sequence.
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(text[i + 1]));
      shown += buffer;
      ++i;
    } else {
      shown.push_back(static_cast<char>(c));
    }
  }
  return shown;
}

std::size_t TerminalWidth(std::string_view text) { return SjisLength(text); }

std::string PadRight(const std::string& text, std::size_t width) {
  const std::size_t w = TerminalWidth(text);
  return w >= width ? text : text + std::string(width - w, ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
  const std::size_t w = TerminalWidth(text);
  return w >= width ? text : std::string(width - w, ' ') + text;
}

}  // namespace tavolo
