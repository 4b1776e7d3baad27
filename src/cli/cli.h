#pragma once
// `tavolo <command> ...`: the program without windows. Output is UTF-8.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace tavolo {

// True when the first argument names a command (the desktop program takes a
// course folder there instead).
bool IsCliCommand(std::string_view firstArgument);

// True when the command line (args[0] the command name) draws images or PDFs
// and so needs a GUI application (fonts, image formats); the others read and
// report only, and start faster without one.
bool CliCommandDraws(const std::vector<std::string>& args);

// The program's version, as `tavolo --version` and the package show it.
std::string_view ProgramVersion();

// The function of a command that draws, by its name (nullptr for none).
using DrawingCommandFinder = CommandFunction (*)(std::string_view name);

// args[0] is the command name. Returns the process exit status. The commands
// that draw run only when `drawing` finds them (cli/drawing_commands.h): the
// program runs the others without loading Qt.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           DrawingCommandFinder drawing = nullptr);

}  // namespace tavolo
