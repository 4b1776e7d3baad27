#include "content/course_check.h"

#include <algorithm>

#include "content/lesson_index.h"
#include "content/question_file_index.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {
// The answer boxes a sheet holds.
constexpr std::size_t kMaxAnswerBoxes = 80;
}  // namespace

namespace {

// A question line of more Shift-JIS bytes than this cannot be seen whole on
// any page: the widest paper (A3, 891 pixels across on the screen) holds
// about 167 half-width characters of the smallest size (8 points, 16/3
// pixels each). Fractions and markup take more bytes than they show, so four
// bytes to a column are allowed before a line is called too long.
constexpr std::size_t kLongestShownLine = 4 * 891 * 3 / 16;

class CourseChecker {
 public:
  CourseChecker(const CourseIndex& course, const UnitCheck& unitCheck)
      : course_(course), unitCheck_(unitCheck), mainFile_(PathText(course.file)) {}

  CourseCheckResult Run() {
    for (const int line : course_.ignoredLessonLines)
      Report("", mainFile_, line, "レッスンは80個までです。この行は使われません");
    for (int lesson = 1; lesson <= static_cast<int>(course_.lessons.size()); ++lesson)
      CheckLesson(lesson);
    return std::move(result_);
  }

 private:
  void Report(std::string address, std::string file, int line, std::string message) {
    result_.problems.push_back(
        CourseProblem{std::move(address), std::move(file), line, std::move(message)});
  }

  void CheckLesson(int lessonNumber) {
    const Lesson& lesson = *course_.FindLesson(lessonNumber);
    const std::string address = std::to_string(lessonNumber);
    if (!lesson.hasComma) {
      // Such a lesson has no folder or stem: there is nothing more to read.
      Report(address, mainFile_, lesson.line, "レッスン行に \",\" がありません");
      return;
    }
    if (lesson.folder.empty())
      Report(address, mainFile_, lesson.line, "レッスン行にフォルダの \"\\\" がありません");
    auto index = ReadLessonIndex(course_, lessonNumber);
    if (!index) {
      Report(address, mainFile_, lesson.line, index.message());
      return;
    }
    ++result_.lessonCount;
    const std::string indexFile = PathText(LessonIndexPath(course_, lessonNumber));
    for (const int line : index->ignoredSectionLines)
      Report(address, indexFile, line, "セクションは80個までです。このセクションは使われません");
    for (int s = 1; s <= static_cast<int>(index->sections.size()); ++s)
      CheckSection(lessonNumber, s, index.value(), indexFile);
  }

  void CheckSection(int lessonNumber, int sectionNumber, const LessonIndex& index,
                    const std::string& indexFile) {
    ++result_.sectionCount;
    const Section& section = *index.FindSection(sectionNumber);
    const std::string address = std::to_string(lessonNumber) + "." + std::to_string(sectionNumber);
    if (!section.closed)
      Report(address, indexFile, section.startLine, "セクションが >> で閉じられていません");
    for (int u = 1; u <= static_cast<int>(section.units.size()); ++u) {
      const auto at = static_cast<std::size_t>(u - 1);
      if (auto problem = RecordSectionCaptionProblem(section.units[at]))
        Report(AddressText(UnitAddress{lessonNumber, sectionNumber, u, 0}), indexFile,
               section.unitLines[at], std::move(*problem));
    }
    if (section.units.empty()) return;

    const UnitAddress first{lessonNumber, sectionNumber, 1, 0};
    const auto questionFile = QuestionFilePath(course_, first);
    // Read and indexed once for all its units: checking is linear in the file's size.
    const auto file = QuestionFileIndex::Read(questionFile);
    if (!file) {
      Report(address, indexFile, section.startLine, file.message());
      return;
    }
    const std::string questionText = PathText(questionFile);
    UnitCaptions captions{course_.FindLesson(lessonNumber)->caption, section.caption, {}};
    for (int u = 1; u <= static_cast<int>(section.units.size()); ++u) {
      captions.unit = section.units[static_cast<std::size_t>(u - 1)];
      UnitAddress unit{lessonNumber, sectionNumber, u, 0};
      const int indexLine = section.unitLines[static_cast<std::size_t>(u - 1)];
      CheckUnit(unit, file.value(), captions, questionText, indexFile, indexLine);
      for (const int variant : file->SimilarProblems(u)) {
        unit.variant = variant;
        CheckUnit(unit, file.value(), captions, questionText, indexFile, indexLine);
      }
    }
  }

  void CheckUnit(const UnitAddress& address, const QuestionFileIndex& file,
                 const UnitCaptions& captions, const std::string& questionFile,
                 const std::string& indexFile, int indexLine) {
    ++result_.unitCount;
    const UnitReading reading =
        file.ReadUnit(UnitKeyLine(address), address.section, address.unit, captions);
    // A unit the index lists but the file lacks is pointed out at its index line.
    if (!reading.ok() && reading.problem.kind == UnitProblem::Kind::Missing) {
      Report(AddressText(address), indexFile, indexLine, reading.problem.message);
      return;
    }
    // Every place where the structure is broken, and what stopped the reading
    // when that is something else, in line order.
    std::vector<UnitProblem> problems = reading.structureFaults;
    if (!reading.ok() &&
        std::none_of(problems.begin(), problems.end(), [&](const UnitProblem& fault) {
          return fault.line == reading.problem.line && fault.message == reading.problem.message;
        }))
      problems.push_back(reading.problem);
    // Figure names lead to files: one that would lead outside the course is
    // pointed out at its line.
    if (reading.ok()) {
      const auto key = file.FindKeyLine(UnitKeyLine(address));
      for (const auto* figures : {&reading.content->graphLines, &reading.content->aGraphLines}) {
        for (std::size_t k = 0; k < figures->size(); k += 3) {
          if (Status inside = CheckInsideCourse((*figures)[k]); !inside)
            problems.push_back(UnitProblem{UnitProblem::Kind::Malformed, inside.message(),
                                           key ? file.FindLineInUnit((*figures)[k], *key) : 0});
        }
      }
      // A sheet has 80 answer boxes: the fields after the 80th cannot be
      // answered on the screen.
      std::size_t fields = 0;
      for (const std::string& line : reading.content->questionLines)
        fields += static_cast<std::size_t>(std::count(line.begin(), line.end(), '#')) / 2;
      if (fields > kMaxAnswerBoxes)
        problems.push_back(
            UnitProblem{UnitProblem::Kind::Malformed,
                        "解答欄が " + std::to_string(fields) +
                            " 個あります。８０個までです（８１個目からは画面で答えられません）",
                        key ? static_cast<int>(*key) + 1 : 0});
      // Lines that run past the page's right edge: the rest of them is
      // neither shown nor printed.
      std::size_t from = key ? *key : 0;
      for (const std::string& line : reading.content->questionLines) {
        if (SjisLength(line) <= kLongestShownLine) continue;
        const int lineNumber = key ? file.FindLineInUnit(line, from) : 0;
        if (lineNumber > 0) from = static_cast<std::size_t>(lineNumber);
        problems.push_back(UnitProblem{UnitProblem::Kind::Malformed,
                                       "この行は長すぎてページに収まりません"
                                       "（右端より先は表示も印刷もされません）",
                                       lineNumber});
      }
    }
    std::vector<CourseProblem> found;
    for (UnitProblem& problem : problems)
      found.push_back(CourseProblem{AddressText(address), questionFile, problem.line,
                                    std::move(problem.message)});
    if (reading.ok() && unitCheck_) {
      if (const auto key = file.FindKeyLine(UnitKeyLine(address))) {
        const UnitExtent extent = ScanUnit(file.Lines(), *key);
        for (UnitFinding& finding : unitCheck_(file.Lines(), extent))
          found.push_back(CourseProblem{AddressText(address), questionFile, finding.line,
                                        std::move(finding.message), finding.column,
                                        finding.warning});
      }
    }
    std::stable_sort(
        found.begin(), found.end(),
        [](const CourseProblem& a, const CourseProblem& b) { return a.line < b.line; });
    for (CourseProblem& problem : found) result_.problems.push_back(std::move(problem));
  }

  const CourseIndex& course_;
  const UnitCheck& unitCheck_;
  std::string mainFile_;
  CourseCheckResult result_;
};

}  // namespace

std::size_t CourseCheckResult::WarningCount() const {
  return static_cast<std::size_t>(std::count_if(problems.begin(), problems.end(),
                                                [](const CourseProblem& p) { return p.warning; }));
}

CourseCheckResult CheckCourse(const CourseIndex& course, const UnitCheck& unitCheck) {
  return CourseChecker(course, unitCheck).Run();
}

}  // namespace tavolo
