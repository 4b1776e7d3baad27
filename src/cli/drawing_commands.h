#pragma once
// The commands that draw (notation, render, print). They need Qt's drawing,
// so they live in the part of the program that is loaded only when something
// is drawn or a window opens; `tavolo help`, `list` and the other reading
// commands run without it.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace tavolo {

// The function of the drawing command `name`, nullptr for any other name.
CommandFunction FindDrawingCommand(std::string_view name);

// RunCli with the drawing commands too.
int RunCliWithDrawing(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavolo
