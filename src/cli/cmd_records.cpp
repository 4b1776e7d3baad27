// `tavolo records COURSE [--lesson N] [--learner NAME] [--json|--csv]`: the
// teacher's view of a class. Every learner's record file of each lesson, per
// unit the number of runs, the best and the last score, the date of the last
// run, and the record lines. A record file that cannot be read is reported
// and skipped; the rest is still listed.

#include <cstdio>
#include <limits>
#include <optional>
#include <ostream>

#include "app/class_records.h"
#include "app/locations.h"
#include "app/start_up.h"
#include "cli/command_options.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/terminal_text.h"
#include "platform/confined_folders.h"
#include "platform/cp932.h"
#include "practice/learner_name.h"

namespace tavolo {

namespace {

constexpr const char* kUsage =
    "使い方: tavolo records コースフォルダ [--lesson N] [--learner 名前] [--json|--csv]";

enum class Format { Table, Json, Csv };

struct RecordsOptions {
  std::string course;
  std::optional<int> lesson;
  std::optional<std::string> learner;
  Format format = Format::Table;
};

bool ParseRecordsOptions(const CommandArgs& args, RecordsOptions& o, std::ostream& err) {
  bool json = false, csv = false;
  int lesson = 0;
  std::string learner;
  const std::vector<CommandOption> table = {
      FlagOption("--json", json),
      FlagOption("--csv", csv),
      NumberOption("--lesson", 1, std::numeric_limits<int>::max(), lesson,
                   "--lesson にはレッスンの番号を指定してください"),
      {"--learner", true,
       [&learner](const std::string& value, std::ostream& e) {
         if (Status usable = CheckLearnerName(value); !usable) {
           e << usable.message() << ": " << value << "\n";
           return false;
         }
         learner = value;
         return true;
       }},
  };
  const auto positional = ParseCommandOptions(args, table, kUsage, err);
  if (!positional) return false;
  if (positional->size() != 1 || (json && csv)) {
    err << kUsage << "\n";
    return false;
  }
  o.course = positional->front();
  if (lesson > 0) o.lesson = lesson;
  if (!learner.empty()) o.learner = learner;
  o.format = json ? Format::Json : csv ? Format::Csv : Format::Table;
  return true;
}

void OptionalNumber(JsonWriter& json, std::string_view key, const std::optional<int>& value) {
  json.Key(key);
  value ? json.Number(*value) : json.Null();
}

void WriteJson(std::ostream& out, const ClassRecords& records) {
  JsonWriter json(out);
  json.BeginObject().Key("lessons").BeginArray();
  for (const LessonRecords& lesson : records.lessons) {
    json.BeginObject().Field("lesson", lesson.lesson).Key("learners").BeginArray();
    for (const LearnerRecords& learner : lesson.learners) {
      json.BeginObject().Field("name", learner.name).Key("units").BeginArray();
      for (const UnitRecords& unit : learner.units) {
        json.BeginObject().Field("section", unit.section).Field("runs", unit.Runs());
        OptionalNumber(json, "best", unit.best);
        OptionalNumber(json, "last", unit.last);
        json.Key("lastDate");
        unit.lastRun ? json.String(IsoDateText(*unit.lastRun)) : json.Null();
        json.Key("records").BeginArray();
        for (const RecordEntry& entry : unit.records) {
          json.BeginObject().Field("key", entry.key).Field("line", entry.line);
          const auto& run = entry.run;
          json.Key("date");
          run ? json.String(IsoDateText(run->when)) : json.Null();
          json.Key("time");
          run ? json.String(TimeText(run->when)) : json.Null();
          json.Key("tries");
          run ? json.String(run->triesDigits) : json.Null();
          OptionalNumber(json, "correct", run ? std::optional(run->correct) : std::nullopt);
          OptionalNumber(json, "total", run ? std::optional(run->total) : std::nullopt);
          OptionalNumber(json, "score", run ? std::optional(run->score) : std::nullopt);
          OptionalNumber(json, "seconds", run ? std::optional(run->elapsedSeconds) : std::nullopt);
          json.EndObject();
        }
        json.EndArray().EndObject();
      }
      json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray().EndObject().Finish();
}

// Text for a terminal: control characters would act on it, so they are shown
// as "^X" instead.
std::string Printable(std::string_view text) {
  std::string out;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      out += '^';
      out += static_cast<char>(b == 0x7F ? '?' : b + '@');
    } else {
      out += c;
    }
  }
  return out;
}

void WriteTable(std::ostream& out, const CourseIndex& course, const ClassRecords& records) {
  for (const LessonRecords& lesson : records.lessons) {
    const Lesson* entry = course.FindLesson(lesson.lesson);
    out << "レッスン " << lesson.lesson << "  " << Printable(entry ? entry->caption : "") << "\n";
    if (lesson.learners.empty()) out << "  (記録はありません)\n";
    for (const LearnerRecords& learner : lesson.learners) {
      out << "  学習者: " << Printable(learner.name) << "\n";
      std::size_t width = SjisLength("単元");
      for (const UnitRecords& unit : learner.units)
        width = std::max(width, SjisLength(Printable(unit.section)));
      out << "    " << PadRight("単元", width) << "  回数  最高点  最新点  最終実施日\n";
      for (const UnitRecords& unit : learner.units) {
        auto score = [](const std::optional<int>& v) { return v ? std::to_string(*v) : "-"; };
        out << "    " << PadRight(Printable(unit.section), width) << "  "
            << PadLeft(std::to_string(unit.Runs()), 4) << "  " << PadLeft(score(unit.best), 6)
            << "  " << PadLeft(score(unit.last), 6) << "  "
            << (unit.lastRun ? IsoDateText(*unit.lastRun) : "-") << "\n";
        for (const RecordEntry& record : unit.records)
          out << "      " << PadLeft(Printable(record.key), 3) << "  " << Printable(record.line)
              << "\n";
      }
    }
  }
}

}  // namespace

int RunRecordsCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  RecordsOptions options;
  if (!ParseRecordsOptions(args, options, err)) return 2;
  auto course = ReadCourseIndex(options.course);
  if (!course) {
    err << course.message() << "\n";
    return 2;
  }
  const int lessons = static_cast<int>(course->lessons.size());
  if (options.lesson && *options.lesson > lessons) {
    err << "レッスン " << *options.lesson << " はありません（1 から " << lessons << " まで）\n";
    return 2;
  }
  // The records lie where the desktop program keeps them for this course.
  const StartUpPlaces places = DesktopPlaces(options.course);
  AppState app;
  app.SetCourseFolder(course->courseFolder);
  app.SetOnCd(places.courseFolderReadOnly);
  app.SetWindowsFolder(places.dataFolder + "/");
  ConfineFilesTo(places.dataFolder);
  app.SetCourse(std::move(course).value());

  const ClassRecords records = CollectClassRecords(app, options.lesson, options.learner);
  for (const std::string& problem : records.problems) err << problem << "\n";
  switch (options.format) {
    case Format::Json:
      WriteJson(out, records);
      break;
    case Format::Csv:
      WriteClassRecordsCsv(out, records);
      break;
    case Format::Table:
      WriteTable(out, app.Course(), records);
      break;
  }
  return 0;
}

}  // namespace tavolo
