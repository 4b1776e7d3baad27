// `tavolo variants COURSE L.S.U[Rv] [--count N] [--json]` (or FILE.prp): the
// first N variants of a unit with random data, one row each with its values,
// its model answers and the earlier variant it repeats, so that the author
// sees what copies 1..N will ask before printing them.

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_options.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/terminal_text.h"
#include "cli/unit_source.h"
#include "random/unit_variant.h"

namespace tavolo {

namespace {

constexpr const char* kUsage =
    "使い方: tavolo variants コースフォルダ L.S.U[Rv] [--count N] [--json]  または  tavolo "
    "variants ファイル.prp [...]";

struct VariantRow {
  int number = 0;
  std::vector<NamedValue> values;
  std::vector<std::string> answers;
  std::optional<int> repeats;         // the first earlier row with the same values
  std::vector<std::string> problems;  // why this variant cannot be shown
};

struct VariantTable {
  std::string fingerprint;
  std::optional<std::uint64_t> total;  // an enumerated block's count
  std::size_t distinct = 0;
  std::vector<VariantRow> rows;
  bool Ok() const {
    return std::all_of(rows.begin(), rows.end(), [](const auto& r) { return r.problems.empty(); });
  }
};

// The block is read and its variants counted once; each row then only puts
// its values in.
VariantTable CollectVariants(const RandomUnit& random, int count) {
  VariantTable table;
  if (random.AllVariants()->Enumerated()) table.total = random.AllVariants()->Count();
  std::map<std::vector<std::string>, int> firstWith;
  for (int n = 1; n <= count; ++n) {
    UnitVariant variant = random.Expand(n);
    VariantRow row{n, std::move(variant.random.values), {}, {}, std::move(variant.random.problems)};
    if (table.fingerprint.empty()) table.fingerprint = variant.random.fingerprint;
    if (row.problems.empty()) row.answers = ModelAnswers(variant.content);
    // A variant whose values could not be drawn repeats nothing.
    if (!row.values.empty() || row.problems.empty()) {
      std::vector<std::string> key;
      for (const NamedValue& value : row.values) key.push_back(value.text);
      const auto [at, isNew] = firstWith.emplace(std::move(key), n);
      if (!isNew) row.repeats = at->second;
    }
    table.rows.push_back(std::move(row));
  }
  table.distinct = firstWith.size();
  return table;
}

void WriteJson(std::ostream& out, const VariantTable& table) {
  JsonWriter json(out);
  json.BeginObject()
      .Field("fingerprint", table.fingerprint)
      .Field("enumerated", table.total.has_value())
      .Key("total");
  if (table.total)
    json.Number(static_cast<std::int64_t>(*table.total));
  else
    json.Null();
  json.Field("distinct", table.distinct).Key("variants").BeginArray();
  for (const VariantRow& row : table.rows) {
    json.BeginObject().Field("variant", row.number).Key("values").BeginObject();
    for (const NamedValue& value : row.values) json.Field(value.name, value.text);
    json.EndObject().Field("answers", row.answers).Key("repeats");
    if (row.repeats)
      json.Number(*row.repeats);
    else
      json.Null();
    if (!row.problems.empty()) json.Field("problems", row.problems);
    json.EndObject();
  }
  json.EndArray().EndObject().Finish();
}

// A table for a terminal: a column per value and per answer, each as wide as
// its widest cell (full-width characters count two), two blanks between.
void WriteText(std::ostream& out, const VariantTable& table) {
  std::vector<std::vector<std::string>> cells;  // per line: number, values, answers, repeat
  std::size_t valueColumns = 0, answerColumns = 0;
  for (const VariantRow& row : table.rows) {
    valueColumns = std::max(valueColumns, row.values.size());
    answerColumns = std::max(answerColumns, row.problems.empty() ? row.answers.size() : 1);
  }
  const auto line = [&](std::string number, std::vector<std::string> values,
                        std::vector<std::string> answers, std::string repeat) {
    std::vector<std::string> cellsOfLine{std::move(number)};
    values.resize(std::max<std::size_t>(valueColumns, 1));
    answers.resize(std::max<std::size_t>(answerColumns, 1));
    for (std::string& value : values) cellsOfLine.push_back(TerminalText(value));
    for (std::string& answer : answers) cellsOfLine.push_back(TerminalText(answer));
    cellsOfLine.push_back(std::move(repeat));
    cells.push_back(std::move(cellsOfLine));
  };
  line("番号", {"値"}, {"答え"}, "重複");
  for (const VariantRow& row : table.rows) {
    std::vector<std::string> values;
    for (const NamedValue& value : row.values) values.push_back(value.name + "=" + value.text);
    std::vector<std::string> answers = row.answers;
    if (!row.problems.empty()) answers = {row.problems.front()};
    line(std::to_string(row.number), std::move(values), std::move(answers),
         row.repeats ? "= " + std::to_string(*row.repeats) : "");
  }
  std::vector<std::size_t> widths(cells.front().size(), 0);
  for (const auto& cellsOfLine : cells)
    for (std::size_t i = 0; i < cellsOfLine.size(); ++i)
      widths[i] = std::max(widths[i], TerminalWidth(cellsOfLine[i]));
  for (const auto& cellsOfLine : cells) {
    std::string text = PadLeft(cellsOfLine[0], widths[0]);
    for (std::size_t i = 1; i < cellsOfLine.size(); ++i)
      text += "  " + PadRight(cellsOfLine[i], widths[i]);
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << "\n";
  }
  out << "1 から " << table.rows.size() << " までのうち、異なる問題は " << table.distinct
      << " 通りです";
  if (table.total) out << " (この単元の問題は全部で " << *table.total << " 通りです)";
  out << "\n";
}

}  // namespace

int RunVariantsCommand(const CommandArgs& arguments, std::ostream& out, std::ostream& err) {
  CommandArgs args = arguments;
  const bool asJson = TakeJsonOption(args);
  int count = 40;
  const std::optional<PositionalArgs> positional =
      ParseCommandOptions(args, {NumberOption("--count", 1, 10'000, count)}, kUsage, err);
  if (!positional) return 2;
  if (!IsUnitSource(*positional)) {
    err << kUsage << "\n";
    return 2;
  }
  const Result<LoadedUnit> unit = LoadUnitSource(*positional);
  if (!unit) {
    err << unit.message() << "\n";
    return 1;
  }
  if (!unit->content.HasRandomBlock()) {
    err << "この単元には乱数のデータがありません\n";
    return 1;
  }
  const RandomUnit random(unit->content);
  if (!random.Problems().empty()) {
    for (const std::string& problem : random.Problems())
      err << TerminalText(unit->questionFile) << ": " << TerminalText(problem) << "\n";
    return 1;
  }
  const VariantTable table = CollectVariants(random, count);
  if (asJson)
    WriteJson(out, table);
  else
    WriteText(out, table);
  return table.Ok() ? 0 : 1;
}

}  // namespace tavolo
