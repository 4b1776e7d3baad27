// `tavolo dump COURSE L.S.U[Rv]` or `tavolo dump FILE.prp`: one unit as read
// for a worksheet, as JSON.

#include <ostream>

#include "cli/commands.h"
#include "cli/json.h"
#include "content/file_checks.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

struct DumpedUnit {
  std::string questionFile, keyLine, identity, shortName;
  UnitContent content;
};

int WriteError(std::ostream& out, std::string_view message) {
  JsonWriter json(out);
  json.BeginObject().Field("error", message).EndObject().Finish();
  return 1;
}

void WriteUnit(std::ostream& out, const DumpedUnit& unit) {
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
      .Field("softkey", c.softkeyLines)
      .EndObject()
      .Finish();
}

int DumpCopyFile(const std::string& file, std::ostream& out) {
  UnitReading reading = ReadCopyFile(file);
  if (!reading.ok()) return WriteError(out, reading.problem.message);
  // A copy is known by its own path, as the sheet saved to it is.
  const std::filesystem::path path(file);
  WriteUnit(out, DumpedUnit{PathText(path), std::string(kCopyFileKeyLine), PathText(path),
                            PathText(path.filename()), std::move(*reading.content)});
  return 0;
}

int DumpCourseUnit(const std::string& courseFolder, const std::string& addressText,
                   std::ostream& out) {
  const auto address = ParseAddressText(addressText);
  if (!address) return WriteError(out, "単元の指定が正しくありません: " + addressText);
  const auto course = ReadCourseIndex(courseFolder);
  if (!course) return WriteError(out, course.message());
  if (!course->FindLesson(address->lesson)) return WriteError(out, "単元がありません");
  const auto lessonIndex = ReadLessonIndex(course.value(), address->lesson);
  if (!lessonIndex) return WriteError(out, lessonIndex.message());
  UnitReading reading = ReadUnit(course.value(), lessonIndex.value(), *address);
  if (!reading.ok()) {
    // A missing file, key or unit is "単元がありません", as when opening it.
    const bool missing = reading.problem.kind == UnitProblem::Kind::Missing;
    return WriteError(out, missing ? "単元がありません" : reading.problem.message);
  }
  WriteUnit(out, DumpedUnit{PathText(QuestionFilePath(course.value(), *address)),
                            UnitKeyLine(*address), UnitIdentity(course.value(), *address),
                            ShortUnitName(course.value(), *address), std::move(*reading.content)});
  return 0;
}

}  // namespace

int RunDumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && FileExtension(args[0]) == ".prp") return DumpCopyFile(args[0], out);
  if (args.size() == 2) return DumpCourseUnit(args[0], args[1], out);
  err << "使い方: tavolo dump コースフォルダ L.S.U[Rv]  または  tavolo dump ファイル.prp\n";
  return 2;
}

}  // namespace tavolo
