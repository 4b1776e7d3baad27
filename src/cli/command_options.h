#pragma once
// The commands' option parsing, one table per command: each option names what
// it sets and how its value is checked, and the messages for a missing or bad
// value are worded the same in every command.

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "sheet/sheet_params.h"

namespace tavolo {

struct CommandOption {
  std::string_view name;  // "--png"
  bool takesValue = true;
  // Takes the option's value ("" for a flag); on a bad value writes why to
  // err and returns false.
  std::function<bool(const std::string& value, std::ostream& err)> apply;
};

// What is left after the options: the command's own arguments, in order.
using PositionalArgs = std::vector<std::string>;

enum class UnknownOptions {
  Refused,     // "--x" that no option names is an error
  Positional,  // ... or one of the command's own arguments (a text may start with "--")
};

// Applies every option of args; the rest are positional. On an unknown option
// or a missing or bad value, writes the reason (and for the first two the
// usage) to err and returns nothing.
std::optional<PositionalArgs> ParseCommandOptions(const CommandArgs& args,
                                                  const std::vector<CommandOption>& table,
                                                  std::string_view usage, std::ostream& err,
                                                  UnknownOptions unknown = UnknownOptions::Refused);

// The common kinds of option.
CommandOption FlagOption(std::string_view name, bool& target, bool value = true);
CommandOption TextOption(std::string_view name, std::string& target);
CommandOption OnOffOption(std::string_view name, bool& target);
// A whole number from low to high; badValue overrides the usual message
// ("--copies には 1 から 1000 までの数を指定してください").
CommandOption NumberOption(std::string_view name, int low, int high, int& target,
                           std::string_view badValue = {});
// "--variant N": a variant of random data, 1 to the largest int.
CommandOption VariantOption(int& target);
CommandOption PaperOption(std::string_view name, const SheetPaper*& target);

}  // namespace tavolo
