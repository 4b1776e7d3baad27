// tavolo: with no arguments or a course folder, the desktop program; with a
// command (`tavolo check ...`), the same program without windows.
//
// This file links no Qt. The commands that only read and report run here at
// once; the desktop program and the commands that draw are in two Qt parts,
// each loaded only for them (launcher/qt_part.h).

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "launcher/qt_part.h"

int main(int argc, char** argv) {
  tavolo::QtPart part = tavolo::QtPart::Desktop;
  if (argc >= 2 && tavolo::IsCliCommand(argv[1])) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!tavolo::CliCommandDraws(args)) return tavolo::RunCli(args, std::cout, std::cerr);
    part = tavolo::QtPart::Drawing;
  }
  const auto qtMain = tavolo::LoadQtPart(tavolo::ExecutableFolder(argv[0]), part);
  if (!qtMain) {
    std::cerr << "tavolo: " << qtMain.message() << "\n";
    return 1;
  }
  return qtMain.value()(argc, argv);
}
