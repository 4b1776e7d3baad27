#pragma once
// The marks in front of each unit of a lesson: "◎" when the unit has similar
// problems (its question file holds "[[unit" + u + "R1"), else "　", then
// "[" + how often the current learner practised it + "]" (a blank for never).
// The course menu keeps them for its chosen lesson; the index editor works
// them out for the lesson it edits.

#include <map>
#include <string>
#include <utility>

#include "app/app_state.h"
#include "content/lesson_index.h"

namespace tavolo {

class UnitMarks {
 public:
  // Recomputes the marks of lesson n from the learner's record file. With
  // findSimilar the question files are searched for similar problems again;
  // otherwise the flags found last time are kept. Sections are visited in
  // order and the refresh stops at the first one without a question file:
  // that section and later ones keep their previous marks.
  void Refresh(const AppState& app, int lesson, const LessonIndex& index, bool findSimilar);
  void Clear();

  // The mark of a unit; empty when it has none yet.
  std::string Text(int section, int unit) const;

 private:
  std::map<std::pair<int, int>, std::string> marks_;
  std::map<std::pair<int, int>, bool> hasSimilar_;
};

}  // namespace tavolo
