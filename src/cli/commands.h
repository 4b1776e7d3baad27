#pragma once
// One function per command; each takes the arguments after the command name.

#include <iosfwd>
#include <string>
#include <vector>

namespace tavolo {

using CommandArgs = std::vector<std::string>;
using CommandFunction = int (*)(const CommandArgs& args, std::ostream& out, std::ostream& err);

struct CliCommand {
  const char* name;
  CommandFunction run;  // nullptr for the commands that draw (cli/drawing_commands.h)
  const char* usage;    // one line, shown by `tavolo help`
  bool draws;           // needs fonts and a drawing surface (a GUI application)
};

// The table of commands, defined in cli.cpp.
const std::vector<CliCommand>& CliCommands();

}  // namespace tavolo
