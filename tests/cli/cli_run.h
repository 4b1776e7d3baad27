#pragma once
// Running `tavolo <command>` in the test process, and a shell command whose
// output a test reads (poppler's pdfinfo / pdftotext for printed PDFs).

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/drawing_commands.h"

namespace tavolo::test {

struct CliRun {
  int status;
  std::string out, err;
};

inline CliRun Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCliWithDrawing(args, out, err);
  return {status, out.str(), err.str()};
}

inline std::string Shell(const std::string& command) {
  std::string output;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::array<char, 4096> buffer{};
  while (pipe && fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
  return output;
}

}  // namespace tavolo::test
