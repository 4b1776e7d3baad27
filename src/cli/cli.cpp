#include "cli/cli.h"

#include <ostream>

#include "cli/command_help.h"
#include "cli/commands.h"

#ifndef TAVOLO_VERSION
#error "TAVOLO_VERSION comes from the project version in CMakeLists.txt"
#endif

namespace tavolo {

// Each command lives in its own file; declare it here and add it to the table.
// The commands that draw are found through drawing_commands.h, in the part of
// the program that loads Qt: this table names them without linking them.
int RunCheckCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunListCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunDumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunVariantsCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunRecordsCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);

const std::vector<CliCommand>& CliCommands() {
  static const std::vector<CliCommand> kCommands = {
      {"check", RunCheckCommand,
       "check [--answers] COURSE [--json]  コースのファイルを調べ、問題を報告します", false},
      {"list", RunListCommand, "list COURSE [--json]  レッスン・セクション・単元の一覧を表示します",
       false},
      {"dump", RunDumpCommand,
       "dump COURSE L.S.U[Rv] | dump FILE.prp  [--variant N]  1 単元の読み込み結果を JSON "
       "で表示します",
       false},
      {"variants", RunVariantsCommand,
       "variants COURSE L.S.U[Rv] | variants FILE.prp  [--count N] [--json]  "
       "乱数を使う単元の問題を番号ごとに一覧にします",
       false},
      {"notation", nullptr,
       "notation TEXT --png FILE [--size N] [--printing]  1 行の数式表記を PNG に描きます", true},
      {"render", nullptr,
       "render COURSE L.S.U[Rv] | render FILE.prp  --png FILE [--answers on|off] "
       "[--alternatives on|off] [--paper B5|A4|B4|A3] [--layout FILE.json] [--variant N]  "
       "ワークシートを PNG に描きます",
       true},
      {"print", nullptr,
       "print COURSE L.S.U[Rv] | print FILE.prp  --pdf FILE [--copies N] [--start K] "
       "[--no-number] [--mode screen|printer] [--answers on|off] [--paper B5|A4|B4|A3] "
       "[--answer-list]  番号付きのワークシートか解答一覧を PDF に印刷します",
       true},
      {"records", RunRecordsCommand,
       "records COURSE [--lesson N] [--learner NAME] [--json|--csv]  "
       "学習者ごとの学習記録を一覧にします",
       false},
  };
  return kCommands;
}

namespace {

void PrintUsage(std::ostream& out) {
  out << "使い方: tavolo [コースフォルダ]        デスクトッププログラムを起動します\n"
         "        tavolo <コマンド> [引数...]    画面なしで実行します\n"
         "        tavolo help <コマンド>         コマンドの詳しい説明を表示します\n"
         "        tavolo --version               バージョンを表示します\n"
         "コマンド:\n";
  for (const auto& c : CliCommands()) out << "  " << c.usage << "\n";
}

bool IsHelpOption(std::string_view argument) { return argument == "--help" || argument == "-h"; }

// `tavolo help COMMAND` and `tavolo COMMAND --help`: the same text as the manual page.
int PrintCommandHelp(std::string_view name, std::ostream& out, std::ostream& err) {
  const CommandHelp* help = FindCommandHelp(name);
  if (help == nullptr) {
    err << "不明なコマンドです: " << name << "\n";
    PrintUsage(err);
    return 2;
  }
  WriteCommandHelp(out, *help);
  return 0;
}

}  // namespace

std::string_view ProgramVersion() { return TAVOLO_VERSION; }

bool IsCliCommand(std::string_view firstArgument) {
  if (firstArgument == "help" || IsHelpOption(firstArgument) || firstArgument == "--version")
    return true;
  for (const auto& c : CliCommands())
    if (firstArgument == c.name) return true;
  return false;
}

bool CliCommandDraws(const std::vector<std::string>& args) {
  if (args.empty() || (args.size() == 2 && IsHelpOption(args[1]))) return false;
  for (const auto& c : CliCommands())
    if (args[0] == c.name) return c.draws;
  return false;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           DrawingCommandFinder drawing) {
  if (!args.empty() && args[0] == "--version") {
    out << "tavolo " << ProgramVersion() << "\n";
    return 0;
  }
  if (args.size() == 2 && args[0] == "help") return PrintCommandHelp(args[1], out, err);
  if (args.empty() || args[0] == "help" || IsHelpOption(args[0])) {
    PrintUsage(out);
    return 0;
  }
  for (const auto& c : CliCommands()) {
    if (args[0] != c.name) continue;
    if (args.size() == 2 && IsHelpOption(args[1])) return PrintCommandHelp(c.name, out, err);
    CommandFunction run = c.run;
    if (c.draws && drawing != nullptr) run = drawing(c.name);
    if (run == nullptr) {
      err << "このコマンドは描画の部品がないと実行できません: " << c.name << "\n";
      return 1;
    }
    return run(CommandArgs(args.begin() + 1, args.end()), out, err);
  }
  err << "不明なコマンドです: " << args[0] << "\n";
  PrintUsage(err);
  return 2;
}

}  // namespace tavolo
