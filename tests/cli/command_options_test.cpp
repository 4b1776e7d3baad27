// The option table every command parses with: what each kind of option
// accepts, and how a bad command line is refused.

#include "cli/command_options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tavolo {
namespace {

struct Parsed {
  std::optional<PositionalArgs> positional;
  std::string err;
};

struct Options {
  std::string png;
  bool printing = false;
  bool answers = false;
  int size = 12;
  const SheetPaper* paper = nullptr;
};

Parsed Parse(const CommandArgs& args, Options& o,
             UnknownOptions unknown = UnknownOptions::Refused) {
  const std::vector<CommandOption> table = {
      TextOption("--png", o.png),          FlagOption("--printing", o.printing),
      OnOffOption("--answers", o.answers), NumberOption("--size", 1, 200, o.size),
      PaperOption("--paper", o.paper),
  };
  std::ostringstream err;
  Parsed parsed{ParseCommandOptions(args, table, "USAGE", err, unknown), ""};
  parsed.err = err.str();
  return parsed;
}

TEST(CommandOptions, OptionsAnywhereAmongTheArguments) {
  Options o;
  const Parsed p = Parse({"course", "--size", "200", "--printing", "1.1.1", "--png", "a.png",
                          "--paper", "b4", "--answers", "on"},
                         o);
  ASSERT_TRUE(p.positional) << p.err;
  EXPECT_EQ(*p.positional, (PositionalArgs{"course", "1.1.1"}));
  EXPECT_EQ(o.png, "a.png");
  EXPECT_EQ(o.size, 200);
  EXPECT_TRUE(o.printing);
  EXPECT_TRUE(o.answers);
  ASSERT_NE(o.paper, nullptr);
  EXPECT_EQ(o.paper->name, "B4");
}

TEST(CommandOptions, BadCommandLinesAreRefusedWithTheirReason) {
  const struct {
    CommandArgs args;
    const char* err;
  } cases[] = {
      {{"x", "--zoom", "2"}, "不明なオプションです: --zoom\nUSAGE\n"},
      {{"x", "--png"}, "--png の後に値がありません\nUSAGE\n"},
      {{"--size", "0"}, "--size には 1 から 200 までの数を指定してください: 0\n"},
      {{"--size", "201"}, "--size には 1 から 200 までの数を指定してください: 201\n"},
      {{"--size", "12pt"}, "--size には 1 から 200 までの数を指定してください: 12pt\n"},
      {{"--size", ""}, "--size には 1 から 200 までの数を指定してください: \n"},
      {{"--answers", "yes"}, "--answers には on か off を指定してください: yes\n"},
      {{"--paper", "A5"}, "用紙は B5, A4, B4, A3 のどれかを指定してください: A5\n"},
  };
  for (const auto& c : cases) {
    Options o;
    const Parsed p = Parse(c.args, o);
    EXPECT_FALSE(p.positional) << c.err;
    EXPECT_EQ(p.err, c.err);
  }
}

TEST(CommandOptions, UnknownDashedWordsCanBeArguments) {
  Options o;
  const Parsed p = Parse({"--3+5", "--png", "a.png"}, o, UnknownOptions::Positional);
  ASSERT_TRUE(p.positional);
  EXPECT_EQ(*p.positional, (PositionalArgs{"--3+5"}));
  EXPECT_EQ(o.png, "a.png");
}

}  // namespace
}  // namespace tavolo
