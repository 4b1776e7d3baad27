#include "cli/command_options.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <ostream>
#include <system_error>

namespace tavolo {

std::optional<PositionalArgs> ParseCommandOptions(const CommandArgs& args,
                                                  const std::vector<CommandOption>& table,
                                                  std::string_view usage, std::ostream& err,
                                                  UnknownOptions unknown) {
  PositionalArgs positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto option = std::find_if(table.begin(), table.end(),
                                     [&](const CommandOption& o) { return o.name == arg; });
    if (option == table.end()) {
      if (arg.starts_with("--") && unknown == UnknownOptions::Refused) {
        err << "不明なオプションです: " << arg << "\n" << usage << "\n";
        return std::nullopt;
      }
      positional.push_back(arg);
      continue;
    }
    if (!option->takesValue) {
      if (!option->apply("", err)) return std::nullopt;
      continue;
    }
    if (i + 1 >= args.size()) {
      err << arg << " の後に値がありません\n" << usage << "\n";
      return std::nullopt;
    }
    if (!option->apply(args[++i], err)) return std::nullopt;
  }
  return positional;
}

CommandOption FlagOption(std::string_view name, bool& target, bool value) {
  return {name, false, [&target, value](const std::string&, std::ostream&) {
            target = value;
            return true;
          }};
}

CommandOption TextOption(std::string_view name, std::string& target) {
  return {name, true, [&target](const std::string& value, std::ostream&) {
            target = value;
            return true;
          }};
}

CommandOption OnOffOption(std::string_view name, bool& target) {
  return {name, true, [name, &target](const std::string& value, std::ostream& err) {
            if (value != "on" && value != "off") {
              err << name << " には on か off を指定してください: " << value << "\n";
              return false;
            }
            target = value == "on";
            return true;
          }};
}

CommandOption NumberOption(std::string_view name, int low, int high, int& target,
                           std::string_view badValue) {
  return {name, true,
          [name, low, high, &target, badValue](const std::string& value, std::ostream& err) {
            int n = 0;
            const char* last = value.data() + value.size();
            const auto [end, ec] = std::from_chars(value.data(), last, n);
            if (ec != std::errc() || end != last || n < low || n > high) {
              if (badValue.empty()) {
                err << name << " には " << low << " から " << high << " までの数を指定してください";
              } else {
                err << badValue;
              }
              err << ": " << value << "\n";
              return false;
            }
            target = n;
            return true;
          }};
}

CommandOption VariantOption(int& target) {
  return NumberOption("--variant", 1, std::numeric_limits<int>::max(), target);
}

CommandOption PaperOption(std::string_view name, const SheetPaper*& target) {
  return {name, true, [&target](const std::string& value, std::ostream& err) {
            target = FindPaperByName(value);
            if (target == nullptr) {
              err << "用紙は B5, A4, B4, A3 のどれかを指定してください: " << value << "\n";
              return false;
            }
            return true;
          }};
}

}  // namespace tavolo
