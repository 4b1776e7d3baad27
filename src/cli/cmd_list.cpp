// `tavolo list COURSE [--json]`: the lessons, sections and units of a course
// as the course menu shows them, with the similar problems it would offer.

#include <ostream>

#include "cli/commands.h"
#include "cli/json.h"
#include "cli/terminal_text.h"
#include "content/course_index.h"
#include "content/lesson_index.h"
#include "content/question_file_index.h"
#include "content/similar_problems.h"
#include "content/unit_names.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

struct UnitEntry {
  std::string caption;
  std::vector<std::string> similar;
};

struct SectionEntry {
  std::string caption;
  std::vector<UnitEntry> units;
};

struct LessonEntry {
  const Lesson* lesson;
  std::string title;
  std::string error;  // empty when the lesson index was read
  std::vector<SectionEntry> sections;
};

LessonEntry ListLesson(const CourseIndex& course, int lessonNumber) {
  LessonEntry entry{course.FindLesson(lessonNumber), {}, {}, {}};
  const auto index = ReadLessonIndex(course, lessonNumber);
  if (!index) {
    entry.error = index.message();
    return entry;
  }
  entry.title = index->title;
  for (int s = 1; s <= static_cast<int>(index->sections.size()); ++s) {
    const Section& section = *index->FindSection(s);
    SectionEntry sectionEntry{section.caption, {}};
    // Like the menu: without a question file no unit lists similar problems.
    // The file is indexed once for all its units.
    const auto file =
        QuestionFileIndex::Read(QuestionFilePath(course, UnitAddress{lessonNumber, s, 1, 0}));
    for (int u = 1; u <= static_cast<int>(section.units.size()); ++u) {
      UnitEntry unit{section.units[static_cast<std::size_t>(u - 1)], {}};
      if (file)
        for (const int variant : file->SimilarProblems(u))
          unit.similar.push_back(SimilarProblemEntry(u, variant));
      sectionEntry.units.push_back(std::move(unit));
    }
    entry.sections.push_back(std::move(sectionEntry));
  }
  return entry;
}

void WriteJson(std::ostream& out, const CourseIndex& course,
               const std::vector<LessonEntry>& lessons) {
  JsonWriter json(out);
  json.BeginObject().Field("title", course.title).Key("lessons").BeginArray();
  for (std::size_t l = 0; l < lessons.size(); ++l) {
    const LessonEntry& lesson = lessons[l];
    json.BeginObject()
        .Field("number", l + 1)
        .Field("caption", lesson.lesson->caption)
        .Field("folder", lesson.lesson->folder)
        .Field("stem", lesson.lesson->stem);
    json.Key("title");
    lesson.error.empty() ? json.String(lesson.title) : json.Null();
    json.Key("error");
    lesson.error.empty() ? json.Null() : json.String(lesson.error);
    json.Key("sections").BeginArray();
    for (std::size_t s = 0; s < lesson.sections.size(); ++s) {
      const SectionEntry& section = lesson.sections[s];
      json.BeginObject().Field("number", s + 1).Field("caption", section.caption);
      json.Key("units").BeginArray();
      for (std::size_t u = 0; u < section.units.size(); ++u) {
        json.BeginObject()
            .Field("number", u + 1)
            .Field("caption", section.units[u].caption)
            .Field("similar", section.units[u].similar)
            .EndObject();
      }
      json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray().EndObject().Finish();
}

void WriteTree(std::ostream& out, const CourseIndex& course,
               const std::vector<LessonEntry>& lessons) {
  // Everything from course files goes through TerminalText.
  const auto T = [](std::string_view text) { return TerminalText(text); };
  out << T(course.title) << "\n";
  for (std::size_t l = 0; l < lessons.size(); ++l) {
    const LessonEntry& lesson = lessons[l];
    out << "  " << l + 1 << " " << T(lesson.lesson->caption) << "  ("
        << T(lesson.lesson->folder + lesson.lesson->stem) << ")";
    if (!lesson.error.empty()) {
      out << "  エラー: " << T(lesson.error) << "\n";
      continue;
    }
    out << "  " << T(lesson.title) << "\n";
    for (std::size_t s = 0; s < lesson.sections.size(); ++s) {
      out << "    " << l + 1 << "." << s + 1 << " " << T(lesson.sections[s].caption) << "\n";
      const auto& units = lesson.sections[s].units;
      for (std::size_t u = 0; u < units.size(); ++u) {
        out << "      " << l + 1 << "." << s + 1 << "." << u + 1 << " " << T(units[u].caption);
        for (const auto& similar : units[u].similar) out << "  " << T(similar);
        out << "\n";
      }
    }
  }
}

}  // namespace

int RunListCommand(const CommandArgs& arguments, std::ostream& out, std::ostream& err) {
  CommandArgs args = arguments;
  const bool asJson = TakeJsonOption(args);
  if (args.size() != 1) {
    err << "使い方: tavolo list コースフォルダ [--json]\n";
    return 2;
  }
  const auto course = ReadCourseIndex(args[0]);
  if (!course) {
    err << course.message() << "\n";
    return 2;
  }
  std::vector<LessonEntry> lessons;
  for (int l = 1; l <= static_cast<int>(course->lessons.size()); ++l)
    lessons.push_back(ListLesson(course.value(), l));
  if (asJson)
    WriteJson(out, course.value(), lessons);
  else
    WriteTree(out, course.value(), lessons);
  return 0;
}

}  // namespace tavolo
