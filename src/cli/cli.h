#pragma once
// `tavolo <command> ...`: the program without windows. Output is UTF-8.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

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

// args[0] is the command name. Returns the process exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavolo
