#include "authoring/answer_form_check.h"

#include "authoring/answer_forms.h"
#include "content/lesson_index.h"
#include "content/question_file_index.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "platform/text_file.h"
#include "sheet/markup_text.h"

namespace tavolo {

namespace {

class AnswerFormChecker {
 public:
  AnswerFormChecker(const CourseIndex& course, const QuestionVariants& variants)
      : course_(course), variants_(variants) {}

  AnswerFormReport Run() {
    for (int lesson = 1; lesson <= static_cast<int>(course_.lessons.size()); ++lesson) {
      if (!course_.FindLesson(lesson)->hasComma) continue;
      const auto index = ReadLessonIndex(course_, lesson);
      if (!index) continue;
      for (int s = 1; s <= static_cast<int>(index->sections.size()); ++s)
        CheckSection(lesson, s, index.value());
    }
    return std::move(report_);
  }

 private:
  void CheckSection(int lesson, int sectionNumber, const LessonIndex& index) {
    const Section& section = *index.FindSection(sectionNumber);
    if (section.units.empty()) return;
    const auto path = QuestionFilePath(course_, UnitAddress{lesson, sectionNumber, 1, 0});
    const auto file = QuestionFileIndex::Read(path);
    if (!file) return;
    const std::string fileText = PathText(path);
    UnitCaptions captions{course_.FindLesson(lesson)->caption, section.caption, {}};
    for (int u = 1; u <= static_cast<int>(section.units.size()); ++u) {
      captions.unit = section.units[static_cast<std::size_t>(u - 1)];
      UnitAddress unit{lesson, sectionNumber, u, 0};
      CheckUnit(unit, file.value(), captions, fileText);
      for (const int variant : file->SimilarProblems(u)) {
        unit.variant = variant;
        CheckUnit(unit, file.value(), captions, fileText);
      }
    }
  }

  void CheckUnit(const UnitAddress& address, const QuestionFileIndex& file,
                 const UnitCaptions& captions, const std::string& fileText) {
    const std::string keyLine = UnitKeyLine(address);
    const UnitReading reading = file.ReadUnit(keyLine, address.section, address.unit, captions);
    const auto key = file.FindKeyLine(keyLine);
    if (!reading.ok() || !key) return;
    // Question lines are found in file order from the "<<ques" line on, so
    // two equal questions are told apart by where they stand.
    std::size_t from = *key;
    if (const int ques = file.FindLineInUnit("<<ques", *key); ques > 0)
      from = static_cast<std::size_t>(ques);
    const std::vector<std::string>& lines = reading.content->questionLines;
    std::vector<std::vector<std::string>> shown;
    if (variants_ && reading.content->HasRandomBlock()) shown = variants_(*reading.content);
    int box = 0;
    for (std::size_t q = 0; q < lines.size(); ++q) {
      if (SplitAnswerMarks(lines[q]).size() < 3) continue;
      const int line = file.FindLineInUnit(lines[q], from);
      if (line > 0) from = static_cast<std::size_t>(line);
      const Place place{address, line, fileText};
      if (shown.empty()) {
        box = CheckLine(lines[q], box, 0, true, place);
        continue;
      }
      // Each box counts once, as the first variant shows it, and a gap is
      // told for the first variant that has one.
      const int first = box;
      const std::size_t gaps = report_.gaps.size();
      for (std::size_t v = 0; v < shown.size() && q < shown[v].size(); ++v) {
        box = CheckLine(shown[v][q], first, static_cast<int>(v) + 1, v == 0, place);
        if (report_.gaps.size() > gaps) break;
      }
    }
  }

  struct Place {
    const UnitAddress& address;
    int line;
    const std::string& fileText;
  };

  // The boxes of one question line, numbered on from `box`; returns the last number.
  int CheckLine(const std::string& question, int box, int variant, bool counts,
                const Place& place) {
    const auto pieces = SplitAnswerMarks(question);
    for (std::size_t i = 1; i + 1 < pieces.size(); i += 2) {
      ++box;
      const auto accepted = SplitAlternatives(pieces[i]);
      const std::string model = TrimWideSpaces(accepted.front());
      if (!ParseTypedNumber(model)) continue;
      if (counts) ++report_.numericBoxCount;
      auto missing = MissingAnswerForms(accepted);
      if (missing.empty()) continue;
      report_.gaps.push_back(AnswerFormGap{place.fileText, place.line, AddressText(place.address),
                                           box, model, std::move(missing), variant});
    }
    return box;
  }

  const CourseIndex& course_;
  const QuestionVariants& variants_;
  AnswerFormReport report_;
};

}  // namespace

AnswerFormReport CheckAnswerForms(const CourseIndex& course, const QuestionVariants& variants) {
  return AnswerFormChecker(course, variants).Run();
}

}  // namespace tavolo
