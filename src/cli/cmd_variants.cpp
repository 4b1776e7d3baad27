// `tavolo variants COURSE L.S.U[Rv] [--count N] [--json]` (or FILE.prp): the
// first N variants of a unit with random data, one row each with its values,
// its model answers and the earlier variant it repeats, so that the author
// sees what copies 1..N will ask before printing them.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_options.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/terminal_text.h"
#include "cli/unit_source.h"
#include "random/variant_table.h"

namespace tavolo {

namespace {

constexpr const char* kUsage =
    "使い方: tavolo variants コースフォルダ L.S.U[Rv] [--count N] [--json]  または  tavolo "
    "variants ファイル.prp [...]";

// Every row could be written.
bool AllWritten(const VariantTable& table) {
  return std::all_of(table.rows.begin(), table.rows.end(),
                     [](const VariantRow& row) { return row.problem.empty(); });
}

void WriteJson(std::ostream& out, const std::string& fingerprint, const VariantTable& table) {
  JsonWriter json(out);
  json.BeginObject()
      .Field("fingerprint", fingerprint)
      .Field("enumerated", table.combinations > 0)
      .Key("total");
  if (table.combinations > 0)
    json.Number(static_cast<std::int64_t>(table.combinations));
  else
    json.Null();
  json.Field("distinct", table.distinct).Key("variants").BeginArray();
  for (const VariantRow& row : table.rows) {
    json.BeginObject().Field("variant", row.number).Key("values").BeginObject();
    for (const NamedValue& value : row.values) json.Field(value.name, value.text);
    json.EndObject().Field("answers", row.answers).Key("repeats");
    if (row.repeatOf > 0)
      json.Number(row.repeatOf);
    else
      json.Null();
    if (!row.problem.empty()) json.Field("problems", std::vector<std::string>{row.problem});
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
    answerColumns = std::max(answerColumns, row.problem.empty() ? row.answers.size() : 1);
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
    if (!row.problem.empty()) answers = {row.problem};
    line(std::to_string(row.number), std::move(values), std::move(answers),
         row.repeatOf > 0 ? "= " + std::to_string(row.repeatOf) : "");
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
  if (table.combinations > 0)
    out << " (この単元の問題は全部で " << table.combinations << " 通りです)";
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
  // The block is read and its variants counted once; each row then only puts
  // its values in.
  const VariantPreview preview(unit->content);
  const VariantTable table = preview.Table(1, count);
  if (!table.problems.empty()) {
    for (const std::string& problem : table.problems)
      err << TerminalText(unit->questionFile) << ": " << TerminalText(problem) << "\n";
    return 1;
  }
  const std::string fingerprint = preview.Text(1).random.fingerprint;
  if (asJson)
    WriteJson(out, fingerprint, table);
  else
    WriteText(out, table);
  return AllWritten(table) ? 0 : 1;
}

}  // namespace tavolo
