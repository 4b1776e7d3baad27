// Writes the manual page tavolo(1) from its frame (tavolo.1.in) and the help
// table that `tavolo help COMMAND` prints, so the two always say the same.
//
//   make_man_page TEMPLATE OUTPUT VERSION DATE
//
// The frame's "@PROJECT_VERSION@" and "@TAVOLO_RELEASE_DATE@" become VERSION and
// DATE, and its line "@COMMANDS@" becomes one subsection per command.

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/command_help.h"

namespace {

using tavolo::CommandHelp;
using tavolo::HelpItem;

// Characters that troff would otherwise draw as typographic look-alikes (a
// hyphen for "-", curly quotes for "'" and "`") or read as escapes: options and
// examples must come out of `man` exactly as they are typed.
std::string EscapeRoffCharacters(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\e";
        break;
      case '-':
        out += "\\-";
        break;
      case '\'':
        out += "\\(aq";
        break;
      case '`':
        out += "\\(ga";
        break;
      case '^':
        out += "\\(ha";
        break;
      case '~':
        out += "\\(ti";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// A text line that starts with a dot would be read as a request.
std::string GuardLineStart(std::string line) {
  if (!line.empty() && line.front() == '.') line.insert(0, "\\&");
  return line;
}

std::string EscapeRoff(std::string_view text) { return GuardLineStart(EscapeRoffCharacters(text)); }

void WriteItems(std::ostream& out, std::string_view heading, const std::vector<HelpItem>& items) {
  if (items.empty()) return;
  out << ".PP\n\\fB" << EscapeRoff(heading) << "\\fR\n";
  for (const HelpItem& item : items) {
    out << ".TP\n\\fB" << EscapeRoff(item.term) << "\\fR\n" << EscapeRoff(item.text) << "\n";
  }
}

// A synopsis line fills the width like a paragraph, but an option never comes
// apart from its value: the spaces inside [...] do not break.
std::string SynopsisLine(std::string_view line, std::string_view prefix) {
  std::string out;
  if (line.substr(0, prefix.size()) == prefix) {
    out = "\\fB" + EscapeRoff(prefix) + "\\fR";
    line.remove_prefix(prefix.size());
  }
  int depth = 0;
  for (const char c : line) {
    if (c == '[') ++depth;
    if (c == ']' && depth > 0) --depth;
    out += (c == ' ' && depth > 0) ? std::string("\\ ") : EscapeRoffCharacters({&c, 1});
  }
  return GuardLineStart(std::move(out));
}

void WriteCommand(std::ostream& out, const CommandHelp& help) {
  out << ".SS " << EscapeRoff(help.name) << "\n";
  const std::string prefix = "tavolo " + std::string(help.name);
  for (std::size_t i = 0; i < help.synopsis.size(); ++i)
    out << (i == 0 ? ".PP\n" : ".br\n") << SynopsisLine(help.synopsis[i], prefix) << "\n";
  for (const std::string_view paragraph : help.description)
    out << ".PP\n" << EscapeRoff(paragraph) << "\n";
  WriteItems(out, tavolo::kHelpOptionsHeading, help.options);
  WriteItems(out, tavolo::kHelpExitHeading, help.exitStatuses);
  if (!help.examples.empty()) {
    out << ".PP\n\\fB" << EscapeRoff(tavolo::kHelpExampleHeading) << "\\fR\n.RS\n.nf\n";
    for (const std::string_view example : help.examples) out << EscapeRoff(example) << "\n";
    out << ".fi\n.RE\n";
  }
}

// Length of the UTF-8 character that starts with byte c.
std::size_t Utf8Length(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}

// Punctuation that must not begin a line, and brackets that must not end one.
bool NoBreakBefore(std::string_view ch) {
  static constexpr std::string_view kClosing[] = {
      "、", "。", "，", "．", "）", "」", "』", "】", "・", "ー", "：", "！",
      "？", "ぁ", "ぃ", "ぅ", "ぇ", "ぉ", "っ", "ゃ", "ゅ", "ょ", "ァ", "ィ",
      "ゥ", "ェ", "ォ", "ッ", "ャ", "ュ", "ョ", ")",  ",",  ".",  ":"};
  for (const std::string_view c : kClosing)
    if (ch == c) return true;
  return false;
}

bool NoBreakAfter(std::string_view ch) {
  static constexpr std::string_view kOpening[] = {"（", "「", "『", "【", "(", "\\"};
  for (const std::string_view c : kOpening)
    if (ch == c) return true;
  return false;
}

// troff breaks lines only at spaces, and Japanese has none: allow a break (\:)
// between two characters when either is Japanese, except where line-breaking
// rules forbid it, so that paragraphs fill the terminal's width.
std::string MarkJapaneseBreaks(std::string_view line) {
  std::string out;
  std::size_t pos = 0;
  while (pos < line.size()) {
    const std::size_t length =
        std::min(Utf8Length(static_cast<unsigned char>(line[pos])), line.size() - pos);
    const std::string_view ch = line.substr(pos, length);
    out += ch;
    pos += length;
    if (pos >= line.size()) break;
    const std::size_t nextLength =
        std::min(Utf8Length(static_cast<unsigned char>(line[pos])), line.size() - pos);
    const std::string_view next = line.substr(pos, nextLength);
    const bool japanese = length > 1 || nextLength > 1;
    if (japanese && ch != " " && next != " " && !NoBreakAfter(ch) && !NoBreakBefore(next))
      out += "\\:";
  }
  return out;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: make_man_page TEMPLATE OUTPUT VERSION DATE\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "make_man_page: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::ostringstream page;
  std::string line;
  while (std::getline(in, line)) {
    ReplaceAll(line, "@PROJECT_VERSION@", argv[3]);
    ReplaceAll(line, "@TAVOLO_RELEASE_DATE@", argv[4]);
    if (line == "@COMMANDS@") {
      for (const CommandHelp& help : tavolo::CommandHelpTable()) WriteCommand(page, help);
    } else {
      page << line << "\n";
    }
  }
  std::ostringstream marked;
  std::istringstream lines(page.str());
  while (std::getline(lines, line)) {
    const bool request = !line.empty() && (line.front() == '.' || line.front() == '\'');
    marked << (request ? line : MarkJapaneseBreaks(line)) << "\n";
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << marked.str();
  out.close();
  if (!out) {
    std::cerr << "make_man_page: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
