// `tavolo dump COURSE L.S.U[Rv]` or `tavolo dump FILE.prp`: one unit as read
// for a worksheet, as JSON; a unit with random data also shows its block's
// lines ("random") and the file line of the first ("randomLine").

#include <ostream>

#include "cli/commands.h"
#include "cli/json.h"
#include "cli/unit_source.h"

namespace tavolo {

namespace {

int WriteError(std::ostream& out, std::string_view message) {
  JsonWriter json(out);
  json.BeginObject().Field("error", message).EndObject().Finish();
  return 1;
}

void WriteUnit(std::ostream& out, const LoadedUnit& unit) {
  const UnitContent& c = unit.content;
  JsonWriter json(out);
  json.BeginObject()
      .Field("questionFile", unit.questionFile)
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
  json.EndObject().Finish();
}

}  // namespace

int RunDumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  if (!IsUnitSource(args)) {
    err << "使い方: tavolo dump コースフォルダ L.S.U[Rv]  または  tavolo dump ファイル.prp\n";
    return 2;
  }
  const Result<LoadedUnit> unit = LoadUnitSource(args);
  if (!unit) return WriteError(out, unit.message());
  WriteUnit(out, unit.value());
  return 0;
}

}  // namespace tavolo
