#pragma once
// Text from course files on its way to a terminal. A course file can hold ESC
// and other control characters that would move the cursor, recolour or retitle
// the teacher's terminal; they are shown as escapes instead.

#include <cstddef>
#include <string>
#include <string_view>

namespace tavolo {

// UTF-8 text with every C0 control (tabs and line ends included),
// DEL and C1 control written as "\xHH" (C0, DEL) or "\u00HH" (C1); all other
// text, "\" included, unchanged.
std::string TerminalText(std::string_view text);

// Columns of a terminal: full-width characters take two, like their
// Shift-JIS bytes. The text is padded with blanks to at least width columns.
std::size_t TerminalWidth(std::string_view text);
std::string PadRight(const std::string& text, std::size_t width);
std::string PadLeft(const std::string& text, std::size_t width);

}  // namespace tavolo
