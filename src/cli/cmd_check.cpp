// `tavolo check COURSE [--json]`: the course author's linter. Every problem is
// one line FILE:LINE: MESSAGE (or a JSON list), then a one-line summary.

#include <ostream>

#include "cli/commands.h"
#include "cli/json.h"
#include "cli/terminal_text.h"
#include "content/course_check.h"

namespace tavolo {

namespace {

std::string Summary(const CourseCheckResult& result) {
  std::string text = "レッスン " + std::to_string(result.lessonCount) + "、セクション " +
                     std::to_string(result.sectionCount) + "、単元 " +
                     std::to_string(result.unitCount) + " を調べました: ";
  if (result.problems.empty()) return text + "問題はありません";
  return text + "問題が " + std::to_string(result.problems.size()) + " 件あります";
}

void WriteJson(std::ostream& out, const CourseCheckResult& result) {
  JsonWriter json(out);
  json.BeginArray();
  for (const auto& p : result.problems) {
    json.BeginObject()
        .Field("address", p.address)
        .Field("file", p.file)
        .Field("line", p.line)
        .Field("message", p.message)
        .EndObject();
  }
  json.EndArray().Finish();
}

}  // namespace

int RunCheckCommand(const CommandArgs& arguments, std::ostream& out, std::ostream& err) {
  CommandArgs args = arguments;
  const bool asJson = TakeJsonOption(args);
  if (args.size() != 1) {
    err << "使い方: tavolo check コースフォルダ [--json]\n";
    return 2;
  }
  const auto course = ReadCourseIndex(args[0]);
  if (!course) {
    err << course.message() << "\n";
    return 2;
  }
  const CourseCheckResult result = CheckCourse(course.value());
  if (asJson) {
    WriteJson(out, result);
    err << Summary(result) << "\n";
  } else {
    for (const auto& p : result.problems) {
      out << TerminalText(p.file);
      if (p.line > 0) out << ":" << p.line;
      out << ": " << TerminalText(p.message) << "\n";
    }
    out << Summary(result) << "\n";
  }
  return result.problems.empty() ? 0 : 1;
}

}  // namespace tavolo
