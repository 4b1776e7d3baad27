#pragma once
// The course menu's state and choices: the lesson, section and unit lists,
// the similar problems of the chosen unit, the marks in front of each unit
// ("◎" when it has similar problems, then "[" + practice count + "]"), and
// the chosen unit address. The menu window shows this and forwards clicks.

#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/unit_marks.h"
#include "authoring/index_tree.h"
#include "content/lesson_index.h"
#include "content/question_file_index.h"
#include "content/unit_address.h"
#include "content/unit_content.h"
#include "platform/dialogs.h"
#include "platform/result.h"

namespace tavolo {

struct CourseMenuChoice {
  UnitAddress address;
  UnitCaptions captions;
  bool similar = false;  // a similar problem was chosen
};

// The all-units view of a lesson: the index editor's tree of it, with marks.
using AllUnitsSection = IndexTreeSection;
using AllUnitsView = IndexTree;

class CourseMenu {
 public:
  // The menu reads the course index, the course folder and the learner name
  // from the application state, and re-reads Main.ind into it after an edit.
  explicit CourseMenu(AppState& app) : app_(app) {}

  // Before each showing: re-reads the course index after an index edit; the
  // first showing (and the first after an edit) chooses the first lesson and
  // section, later showings redo the unit choice so that its similar problems
  // are fresh.
  void PrepareShow(Dialogs& dialogs);
  // The index editor changed the lesson indexes.
  void SetIndexChanged() { indexChanged_ = true; }
  // A question file changed: the next refresh looks for similar problems again.
  void SetMarksNeedFullRefresh() { fullRefresh_ = true; }

  // Positions are 1-based. A lesson whose index cannot be read is reported
  // and leaves no lesson chosen (false).
  bool ChooseLesson(int lesson, Dialogs& dialogs);
  void ChooseSection(int section);
  void ChooseUnit(int unit);

  // Recomputes the marks of the chosen lesson from the learner's record file.
  void RefreshUnitMarks();

  // The chosen lesson (the first when none is chosen yet) with fresh marks;
  // nothing when its index cannot be read (the reason has been shown).
  std::optional<AllUnitsView> AllUnits(Dialogs& dialogs);

  // OK. focusedSimilar: the position (0-based) of the focused similar-problem
  // entry when any is selected. Failure: "メニューを選択してください".
  Result<CourseMenuChoice> Choose(std::optional<int> focusedSimilar) const;

  int lesson() const { return lesson_; }
  int section() const { return section_; }
  int unit() const { return unit_; }
  const std::string& CourseTitle() const { return app_.Course().title; }
  std::vector<std::string> LessonCaptions() const;
  std::vector<std::string> SectionCaptions() const;
  // The chosen section's units as the list shows them: mark + caption.
  std::vector<std::string> UnitRows() const;
  // "類題　" + unit + "R" + variant for each similar problem of the chosen unit.
  std::vector<std::string> SimilarEntries() const;
  // "◎[3]", "　[ ]": the mark of a unit of the chosen lesson; empty before any refresh.
  std::string MarkText(int section, int unit) const;
  // The record-file section of the chosen unit (UnitSectionName); empty when
  // no unit is chosen.
  std::string ChosenUnitSection() const;

 private:
  const Section* ChosenSection() const;
  void LoadQuestionFile(int section);

  AppState& app_;
  LessonIndex lessonIndex_;
  int lesson_ = 0;
  int section_ = 0;
  int unit_ = 0;
  std::optional<QuestionFileIndex> questionFile_;  // the chosen section's question file
  std::vector<int> similar_;                       // variants of the chosen unit
  UnitMarks marks_;
  bool indexChanged_ = false;
  bool freshIndex_ = true;
  bool fullRefresh_ = true;
};

}  // namespace tavolo
