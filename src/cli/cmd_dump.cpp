// `tavolo dump COURSE L.S.U[Rv]` or `tavolo dump FILE.prp`: one unit as read
// for a worksheet, as JSON; a unit with random data also shows its block's
// lines ("random") and the file line of the first ("randomLine").
// `--variant N` shows the unit as variant N of its random data puts it on a
// sheet, with the variant's values and the hints a practice run shows.

#include <optional>
#include <ostream>

#include "cli/command_options.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/unit_source.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "random/unit_variant.h"

namespace tavolo {

namespace {

constexpr const char* kUsage =
    "使い方: tavolo dump コースフォルダ L.S.U[Rv] [--variant N]  または  tavolo dump "
    "ファイル.prp [--variant N]";

int WriteError(std::ostream& out, std::string_view message) {
  JsonWriter json(out);
  json.BeginObject().Field("error", message).EndObject().Finish();
  return 1;
}

void WriteFields(JsonWriter& json, const LoadedUnit& unit, const UnitContent& c) {
  json.Field("questionFile", unit.questionFile)
      .Field("keyLine", unit.keyLine)
      .Field("identity", unit.identity)
      .Field("shortName", unit.shortName)
      .Field("title", c.title)
      .Field("school", c.school)
      .Field("name", c.name)
      .Field("ques", c.questionLines)
      .Field("header", c.headerLines)
      .Field("value", c.valueLines)
      .Field("font", c.fontLines)
      .Field("kran", c.kranLines)
      .Field("graph", c.graphLines)
      .Field("agraph", c.aGraphLines)
      .Field("kgroup", c.kgroupLines)
      .Field("softkey", c.softkeyLines);
  // Only a unit with random data has these, so every other dump stays as it was.
  if (c.HasRandomBlock())
    json.Field("random", c.randomLines).Field("randomLine", c.randomFirstLine);
}

void WriteUnit(std::ostream& out, const LoadedUnit& unit) {
  JsonWriter json(out);
  json.BeginObject();
  WriteFields(json, unit, unit.content);
  json.EndObject().Finish();
}

// Variant n of the unit; a unit without random data as read, as variant 0.
// False when the variant cannot be shown: its block or one of its lines is
// broken, and the unit stays as read with the reasons.
bool WriteVariant(std::ostream& out, const LoadedUnit& unit, int n) {
  const RandomUnit random(unit.content);
  const UnitVariant variant = random.Expand(n);
  std::vector<std::string> problems = variant.random.problems;
  // Hints are read apart from the unit, as the practice window reads them;
  // a copy file's sheet shows none.
  std::optional<ExpandedLines> hints;
  if (unit.address) {
    hints = random.ExpandLines(
        n, ReadUnitHintLines(QuestionFilePath(*unit.course, *unit.address), *unit.address),
        "ヒント");
    problems.insert(problems.end(), hints->problems.begin(), hints->problems.end());
  }
  JsonWriter json(out);
  json.BeginObject();
  WriteFields(json, unit, variant.content);
  json.Field("variant", variant.random.number).Field("fingerprint", variant.random.fingerprint);
  json.Key("values").BeginObject();
  for (const NamedValue& value : variant.random.values) json.Field(value.name, value.text);
  json.EndObject();
  if (hints) json.Field("hint", hints->lines);
  if (!problems.empty()) json.Field("problems", problems);
  json.EndObject().Finish();
  return problems.empty();
}

}  // namespace

int RunDumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  int variant = 0;
  // Anything else starting with "--" stays an argument, as it always was: a
  // wrong address is told as one.
  const std::optional<PositionalArgs> positional =
      ParseCommandOptions(args, {VariantOption(variant)}, kUsage, err, UnknownOptions::Positional);
  if (!positional) return 2;
  if (!IsUnitSource(*positional)) {
    err << kUsage << "\n";
    return 2;
  }
  const Result<LoadedUnit> unit = LoadUnitSource(*positional);
  if (!unit) return WriteError(out, unit.message());
  if (variant > 0) return WriteVariant(out, unit.value(), variant) ? 0 : 1;
  WriteUnit(out, unit.value());
  return 0;
}

}  // namespace tavolo
