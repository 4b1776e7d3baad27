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

// args[0] is the command name. Returns the process exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavolo
