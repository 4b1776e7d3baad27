// `tavolo --version`, `tavolo help COMMAND` and `tavolo COMMAND --help`: every
// command has its full help, and the help names exactly the options that the
// command's one-line usage names and that the command accepts.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli_run.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

using test::Cli;
using test::CliRun;

// The "--name" words of a text.
std::set<std::string> OptionWords(std::string_view text) {
  std::set<std::string> words;
  static const std::regex option("--[a-z-]+");
  const std::string s(text);
  for (auto it = std::sregex_iterator(s.begin(), s.end(), option); it != std::sregex_iterator();
       ++it)
    words.insert(it->str());
  return words;
}

TEST(CliHelpTest, VersionIsACommandOfItsOwn) {
  // Without this the desktop program would take "--version" for a course folder.
  EXPECT_TRUE(IsCliCommand("--version"));
  const CliRun run = Cli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(std::regex_match(run.out, std::regex("tavolo [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << run.out;
  EXPECT_EQ(run.out, "tavolo " + std::string(ProgramVersion()) + "\n");
  EXPECT_EQ(run.err, "");
}

TEST(CliHelpTest, EveryCommandHasItsHelpBothWays) {
  std::set<std::string_view> commands;
  for (const CliCommand& command : CliCommands()) {
    SCOPED_TRACE(command.name);
    commands.insert(command.name);
    ASSERT_NE(FindCommandHelp(command.name), nullptr) << "add the command to command_help.cpp";
    const CliRun help = Cli({"help", command.name});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("tavolo " + std::string(command.name) + " ", 0), 0u) << help.out;
    EXPECT_NE(help.out.find(kHelpExitHeading), std::string::npos);
    EXPECT_NE(help.out.find(kHelpExampleHeading), std::string::npos);
    for (const char* option : {"--help", "-h"}) {
      const CliRun asOption = Cli({command.name, option});
      EXPECT_EQ(asOption.status, 0);
      EXPECT_EQ(asOption.out, help.out);
    }
  }
  for (const CommandHelp& help : CommandHelpTable())
    EXPECT_TRUE(commands.count(help.name)) << help.name << " is documented but is no command";
}

TEST(CliHelpTest, UnknownCommandHelpIsAUsageError) {
  const CliRun run = Cli({"help", "printt"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("不明なコマンドです: printt\n使い方: ", 0), 0u) << run.err;
}

TEST(CliHelpTest, HelpNamesTheOptionsOfTheUsageLine) {
  for (const CliCommand& command : CliCommands()) {
    SCOPED_TRACE(command.name);
    const CommandHelp* help = FindCommandHelp(command.name);
    ASSERT_NE(help, nullptr);
    std::set<std::string> inSynopsis, described;
    for (const std::string_view line : help->synopsis) inSynopsis.merge(OptionWords(line));
    for (const HelpItem& item : help->options) {
      const auto words = OptionWords(item.term);
      ASSERT_EQ(words.size(), 1u) << item.term;
      described.insert(*words.begin());
    }
    EXPECT_EQ(inSynopsis, OptionWords(command.usage));
    EXPECT_EQ(described, inSynopsis);
  }
}

// Each documented option, with a value of the documented kind, gets past the
// command's argument check: a usage error (status 2) means the help describes
// an option that the command does not take.
TEST(CliHelpTest, CommandsAcceptEveryDocumentedOption) {
  test::TempFolder folder;
  const std::string sample = std::string(TAVOLO_SOURCE_DIR) + "/courses/sample";
  const std::string missing = (folder / "no-course").string();
  const std::string png = (folder / "out.png").string();
  const std::string pdf = (folder / "out.pdf").string();
  // Arguments that reach the work: check and list read the sample course; the
  // unit commands stop right after parsing at a course that is not there.
  const std::map<std::string_view, std::vector<std::string>> base = {
      {"check", {sample}},
      {"list", {sample}},
      {"dump", {missing, "1.1.1"}},
      {"variants", {missing, "1.1.1"}},
      {"notation", {"(+3)+(-5)=#-2#", "--png", png}},
      {"render", {missing, "1.1.1", "--png", png}},
      {"print", {missing, "1.1.1", "--pdf", pdf}},
      {"records", {sample}},
  };
  for (const CommandHelp& help : CommandHelpTable()) {
    SCOPED_TRACE(help.name);
    const auto row = base.find(help.name);
    ASSERT_NE(row, base.end()) << "add a row for the command to this test";
    std::vector<std::string> plain{std::string(help.name)};
    plain.insert(plain.end(), row->second.begin(), row->second.end());
    const CliRun withoutOptions = Cli(plain);
    EXPECT_NE(withoutOptions.status, 2) << withoutOptions.err;
    for (const HelpItem& item : help.options) {
      SCOPED_TRACE(item.term);
      const std::string term(item.term);
      const std::size_t space = term.find(' ');
      const std::string option = term.substr(0, space);
      std::vector<std::string> args = plain;
      if (std::find(args.begin(), args.end(), option) != args.end()) continue;
      args.push_back(option);
      if (space != std::string::npos) {
        // "on|off" gives "on", "FILE.json" a file in the folder, "N" a number.
        std::string value = term.substr(space + 1);
        value = value.substr(0, value.find('|'));
        if (value.find("FILE") != std::string::npos) value = (folder / "value.json").string();
        if (value == "N" || value == "K") value = "2";
        args.push_back(value);
      }
      const CliRun run = Cli(args);
      EXPECT_NE(run.status, 2) << run.err;
    }
  }
}

}  // namespace
}  // namespace tavolo
