#include "app/course_menu.h"

#include <algorithm>
#include <system_error>

#include "app/record_file.h"
#include "content/file_checks.h"
#include "content/question_file_index.h"
#include "content/similar_problems.h"
#include "content/unit_names.h"
#include "platform/text_file.h"

namespace tavolo {

namespace fs = std::filesystem;

void CourseMenu::PrepareShow(Dialogs& dialogs) {
  if (indexChanged_) {
    auto course = ReadCourseIndex(app_.CourseFolder());
    if (course) {
      app_.SetCourse(std::move(course).value());
    } else {
      dialogs.Inform(course.message());
    }
    indexChanged_ = false;
    freshIndex_ = true;
  }
  if (app_.Course().lessons.empty()) return;
  if (freshIndex_) {
    ChooseLesson(1, dialogs);
    freshIndex_ = false;
  } else if (unit_ > 0) {
    ChooseUnit(unit_);
  }
}

bool CourseMenu::ChooseLesson(int lesson, Dialogs& dialogs) {
  lessonIndex_ = LessonIndex();
  section_ = unit_ = 0;
  questionFile_.reset();
  similar_.clear();
  marks_.Clear();
  auto index = ReadLessonIndex(app_.Course(), lesson);
  if (!index) {
    dialogs.Inform(index.message());
    lesson_ = -1;
    return false;
  }
  lesson_ = lesson;
  lessonIndex_ = std::move(index).value();
  if (!lessonIndex_.sections.empty()) ChooseSection(1);
  // The similar-problem flags belong to one lesson: a new lesson needs them anew.
  fullRefresh_ = true;
  RefreshUnitMarks();
  return true;
}

const Section* CourseMenu::ChosenSection() const { return lessonIndex_.FindSection(section_); }

void CourseMenu::LoadQuestionFile(int section) {
  questionFile_.reset();
  const fs::path file = QuestionFilePath(app_.Course(), UnitAddress{lesson_, section, 1, 0});
  if (!RequireFile(file).ok()) return;
  if (auto index = QuestionFileIndex::Read(file)) questionFile_ = std::move(index).value();
}

void CourseMenu::ChooseSection(int section) {
  unit_ = 0;
  similar_.clear();
  section_ = section;
  LoadQuestionFile(section);
  const Section* chosen = ChosenSection();
  if (chosen && !chosen->units.empty()) ChooseUnit(1);
}

void CourseMenu::ChooseUnit(int unit) {
  unit_ = unit;
  similar_.clear();
  const fs::path file = QuestionFilePath(app_.Course(), UnitAddress{lesson_, section_, unit, 0});
  if (!RequireFile(file).ok()) return;
  LoadQuestionFile(section_);
  if (questionFile_) similar_ = questionFile_->SimilarProblems(unit);
}

void CourseMenu::RefreshUnitMarks() {
  if (lesson_ < 1) return;
  marks_.Refresh(app_, lesson_, lessonIndex_, fullRefresh_);
  fullRefresh_ = false;
}

std::optional<AllUnitsView> CourseMenu::AllUnits(Dialogs& dialogs) {
  if (lesson_ < 1 && !ChooseLesson(1, dialogs)) return std::nullopt;
  RefreshUnitMarks();
  return BuildIndexTree(lessonIndex_, [this](int s, int u) { return MarkText(s, u); });
}

Result<CourseMenuChoice> CourseMenu::Choose(std::optional<int> focusedSimilar) const {
  const Section* section = ChosenSection();
  const Lesson* lesson = app_.Course().FindLesson(lesson_);
  if (!lesson || !section || unit_ < 1 || unit_ > static_cast<int>(section->units.size()))
    return Failure{"メニューを選択してください"};
  CourseMenuChoice choice;
  choice.captions = {lesson->caption, section->caption,
                     section->units[static_cast<std::size_t>(unit_ - 1)]};
  int variant = 0;
  if (focusedSimilar && *focusedSimilar >= 0 && *focusedSimilar < static_cast<int>(similar_.size()))
    variant = *focusedSimilar + 1;
  choice.address = UnitAddress{lesson_, section_, unit_, variant};
  choice.similar = variant != 0;
  return choice;
}

std::vector<std::string> CourseMenu::LessonCaptions() const {
  std::vector<std::string> captions;
  for (const auto& lesson : app_.Course().lessons) captions.push_back(lesson.caption);
  return captions;
}

std::vector<std::string> CourseMenu::SectionCaptions() const {
  std::vector<std::string> captions;
  for (const auto& section : lessonIndex_.sections) captions.push_back(section.caption);
  return captions;
}

std::vector<std::string> CourseMenu::UnitRows() const {
  std::vector<std::string> rows;
  const Section* section = ChosenSection();
  if (!section) return rows;
  for (int u = 1; u <= static_cast<int>(section->units.size()); ++u)
    rows.push_back(MarkText(section_, u) + section->units[static_cast<std::size_t>(u - 1)]);
  return rows;
}

std::vector<std::string> CourseMenu::SimilarEntries() const {
  std::vector<std::string> entries;
  for (int variant : similar_) entries.push_back(SimilarProblemEntry(unit_, variant));
  return entries;
}

std::string CourseMenu::ChosenUnitSection() const {
  const Section* section = ChosenSection();
  if (!section || unit_ < 1 || unit_ > static_cast<int>(section->units.size())) return {};
  return UnitSectionName(section_, unit_, section->units[static_cast<std::size_t>(unit_ - 1)]);
}

std::string CourseMenu::MarkText(int section, int unit) const { return marks_.Text(section, unit); }

}  // namespace tavolo
