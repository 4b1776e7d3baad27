#include "cli/drawing_commands.h"

#include "cli/cli.h"

namespace tavolo {

int RunNotationCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunRenderCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunPrintCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);

CommandFunction FindDrawingCommand(std::string_view name) {
  if (name == "notation") return RunNotationCommand;
  if (name == "render") return RunRenderCommand;
  if (name == "print") return RunPrintCommand;
  return nullptr;
}

int RunCliWithDrawing(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunCli(args, out, err, FindDrawingCommand);
}

}  // namespace tavolo
