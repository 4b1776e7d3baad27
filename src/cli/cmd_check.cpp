// `tavolo check COURSE [--json]`: the course author's linter. Every problem is
// one line FILE:LINE: MESSAGE (or a JSON list), then a one-line summary.
// Syntax errors in random data add the column (FILE:LINE:COLUMN: MESSAGE);
// warnings say "警告:" and alone do not make the check fail.
// `tavolo check --answers COURSE [--json]`: the numbers learners may type that
// answer boxes do not accept, one box a line, the same way.

#include <algorithm>
#include <ostream>

#include "authoring/answer_form_check.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/terminal_text.h"
#include "content/course_check.h"
#include "random/unit_check.h"

namespace tavolo {

namespace {

std::string Summary(const CourseCheckResult& result) {
  std::string text = "レッスン " + std::to_string(result.lessonCount) + "、セクション " +
                     std::to_string(result.sectionCount) + "、単元 " +
                     std::to_string(result.unitCount) + " を調べました: ";
  if (result.problems.empty()) return text + "問題はありません";
  const std::size_t warnings = result.WarningCount(), errors = result.ErrorCount();
  if (warnings == 0) return text + "問題が " + std::to_string(errors) + " 件あります";
  if (errors == 0) return text + "警告が " + std::to_string(warnings) + " 件あります";
  return text + "問題が " + std::to_string(errors) + " 件、警告が " + std::to_string(warnings) +
         " 件あります";
}

// The random data of every unit, checked by the layer that reads it.
std::vector<UnitFinding> CheckUnitRandomData(const LineSource& lines, const UnitExtent& extent) {
  std::vector<UnitFinding> findings;
  for (RandomCheckMessage& m : CheckRandomData(RandomCheckUnitOf(lines, extent)))
    findings.push_back(UnitFinding{m.line, m.column, m.warning, std::move(m.message)});
  return findings;
}

void WriteJson(std::ostream& out, const CourseCheckResult& result) {
  JsonWriter json(out);
  json.BeginArray();
  for (const auto& p : result.problems) {
    json.BeginObject().Field("address", p.address).Field("file", p.file).Field("line", p.line);
    // Only messages that have them carry these, so other output stays as it was.
    if (p.column > 0) json.Field("column", p.column);
    if (p.warning) json.Field("warning", true);
    json.Field("message", p.message).EndObject();
  }
  json.EndArray().Finish();
}

std::string AnswerSummary(const AnswerFormReport& report) {
  std::string text = "数の解答欄 " + std::to_string(report.numericBoxCount) + " 個を調べました: ";
  if (report.gaps.empty()) return text + "受け付けていない書き方はありません";
  return text + "受け付けていない書き方のある解答欄が " + std::to_string(report.gaps.size()) +
         " 個あります";
}

void WriteAnswerJson(std::ostream& out, const AnswerFormReport& report) {
  JsonWriter json(out);
  json.BeginArray();
  for (const auto& gap : report.gaps) {
    json.BeginObject()
        .Field("file", gap.file)
        .Field("line", gap.line)
        .Field("unit", gap.unit)
        .Field("box", gap.box)
        .Field("answer", gap.answer)
        .Field("missing", gap.missing);
    if (gap.variant > 0) json.Field("variant", gap.variant);
    json.EndObject();
  }
  json.EndArray().Finish();
}

// FILE:LINE: UNIT (BOX) 「ANSWER」 に加えて受け付けるとよい書き方: FORM FORM ...
void WriteAnswerText(std::ostream& out, const AnswerFormReport& report) {
  for (const auto& gap : report.gaps) {
    out << TerminalText(gap.file);
    if (gap.line > 0) out << ":" << gap.line;
    out << ": " << gap.unit << " (" << gap.box << ") ";
    if (gap.variant > 0) out << "変数の組 " << gap.variant << " の";
    out << "「" << TerminalText(gap.answer) << "」 に加えて受け付けるとよい書き方:";
    for (const auto& form : gap.missing) out << " " << TerminalText(form);
    out << "\n";
  }
  out << AnswerSummary(report) << "\n";
}

int RunAnswerCheck(const std::string& folder, bool asJson, std::ostream& out, std::ostream& err) {
  const auto course = ReadCourseIndex(folder);
  if (!course) {
    err << course.message() << "\n";
    return 2;
  }
  const AnswerFormReport report = CheckAnswerForms(course.value(), QuestionLinesOfVariants);
  if (asJson) {
    WriteAnswerJson(out, report);
    err << AnswerSummary(report) << "\n";
  } else {
    WriteAnswerText(out, report);
  }
  return report.gaps.empty() ? 0 : 1;
}

}  // namespace

int RunCheckCommand(const CommandArgs& arguments, std::ostream& out, std::ostream& err) {
  CommandArgs args = arguments;
  const bool asJson = TakeJsonOption(args);
  const auto answersOption = std::find(args.begin(), args.end(), "--answers");
  const bool answers = answersOption != args.end();
  if (answers) args.erase(answersOption);
  if (args.size() != 1 || args[0].starts_with("--")) {
    err << "使い方: tavolo check [--answers] コースフォルダ [--json]\n";
    return 2;
  }
  if (answers) return RunAnswerCheck(args[0], asJson, out, err);
  const auto course = ReadCourseIndex(args[0]);
  if (!course) {
    err << course.message() << "\n";
    return 2;
  }
  const CourseCheckResult result = CheckCourse(course.value(), CheckUnitRandomData);
  if (asJson) {
    WriteJson(out, result);
    err << Summary(result) << "\n";
  } else {
    for (const auto& p : result.problems) {
      out << TerminalText(p.file);
      if (p.line > 0) out << ":" << p.line;
      if (p.line > 0 && p.column > 0) out << ":" << p.column;
      out << ": " << (p.warning ? "警告: " : "") << TerminalText(p.message) << "\n";
    }
    out << Summary(result) << "\n";
  }
  return result.ErrorCount() == 0 ? 0 : 1;
}

}  // namespace tavolo
