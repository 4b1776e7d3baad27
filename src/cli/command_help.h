#pragma once
// The full help of each command: what `tavolo help COMMAND` prints and what the
// manual page tavolo(1) says about the command. Both are drawn from this one
// table, so the two cannot drift apart. Plain C++ without Qt, because the build
// also compiles it into the small tool that writes the manual page.

#include <iosfwd>
#include <string_view>
#include <vector>

namespace tavolo {

// One entry of a list: an option with its meaning, or an exit status.
struct HelpItem {
  std::string_view term;
  std::string_view text;
};

struct CommandHelp {
  std::string_view name;
  std::vector<std::string_view> synopsis;     // each a whole command line
  std::vector<std::string_view> description;  // paragraphs
  std::vector<HelpItem> options;
  std::vector<HelpItem> exitStatuses;
  std::vector<std::string_view> examples;  // command lines
};

// Every command, in the order `tavolo help` lists them.
const std::vector<CommandHelp>& CommandHelpTable();
const CommandHelp* FindCommandHelp(std::string_view name);

// Headings shared by the help text and the manual page.
inline constexpr std::string_view kHelpOptionsHeading = "オプション:";
inline constexpr std::string_view kHelpExitHeading = "終了ステータス:";
inline constexpr std::string_view kHelpExampleHeading = "例:";

// The help of one command as `tavolo help COMMAND` prints it.
void WriteCommandHelp(std::ostream& out, const CommandHelp& help);

}  // namespace tavolo
