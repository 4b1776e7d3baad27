#include "cli/cli.h"

#include <ostream>

#include "cli/commands.h"

namespace tavolo {

// Each command lives in its own file; declare it here and add it to the table.
// (declarations of command functions)
int RunCheckCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunListCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunDumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunNotationCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunRenderCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunPrintCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunRecordsCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);

const std::vector<CliCommand>& CliCommands() {
  static const std::vector<CliCommand> commands = {
      // (command table entries)
      {"check", RunCheckCommand, "check COURSE [--json]  コースのファイルを調べ、問題を報告します"},
      {"list", RunListCommand,
       "list COURSE [--json]  レッスン・セクション・単元の一覧を表示します"},
      {"dump", RunDumpCommand,
       "dump COURSE L.S.U[Rv] | dump FILE.prp  1 単元の読み込み結果を JSON で表示します"},
      {"notation", RunNotationCommand,
       "notation TEXT --png FILE [--size N] [--printing]  1 行の数式表記を PNG に描きます"},
      {"render", RunRenderCommand,
       "render COURSE L.S.U[Rv] | render FILE.prp  --png FILE [--answers on|off] "
       "[--alternatives on|off] [--paper B5|A4|B4|A3] [--layout FILE.json]  ワークシートを PNG "
       "に描きます"},
      {"print", RunPrintCommand,
       "print COURSE L.S.U[Rv] | print FILE.prp  --pdf FILE [--copies N] [--start K] "
       "[--no-number] [--mode screen|printer] [--answers on|off] [--paper B5|A4|B4|A3]  "
       "番号付きのワークシートを PDF に印刷します"},
      {"records", RunRecordsCommand,
       "records COURSE [--lesson N] [--learner NAME] [--json|--csv]  "
       "学習者ごとの学習記録を一覧にします"},
  };
  return commands;
}

namespace {

void PrintUsage(std::ostream& out) {
  out << "使い方: tavolo [コースフォルダ]        デスクトッププログラムを起動します\n"
         "        tavolo <コマンド> [引数...]    画面なしで実行します\n"
         "コマンド:\n";
  for (const auto& c : CliCommands()) out << "  " << c.usage << "\n";
}

}  // namespace

bool IsCliCommand(std::string_view firstArgument) {
  if (firstArgument == "help" || firstArgument == "--help" || firstArgument == "-h") return true;
  for (const auto& c : CliCommands())
    if (firstArgument == c.name) return true;
  return false;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
    PrintUsage(out);
    return 0;
  }
  for (const auto& c : CliCommands()) {
    if (args[0] == c.name) return c.run(CommandArgs(args.begin() + 1, args.end()), out, err);
  }
  err << "不明なコマンドです: " << args[0] << "\n";
  PrintUsage(err);
  return 2;
}

}  // namespace tavolo
