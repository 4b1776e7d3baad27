#pragma once
// The author's look at how learners may type the numbers a course asks for:
// every numeric answer box of every unit and similar problem the course menu
// offers, with the equivalent forms it does not accept. It only reads.

#include <functional>
#include <string>
#include <vector>

#include "content/course_index.h"
#include "content/unit_content.h"

namespace tavolo {

struct AnswerFormGap {
  std::string file;                  // the question file, as path text
  int line = 0;                      // 1-based line of the question that holds the box
  std::string unit;                  // "L.S.U" or "L.S.URv"
  int box = 0;                       // the answer's number within its unit, from 1
  std::string answer;                // the model answer, trimmed
  std::vector<std::string> missing;  // MissingAnswerForms, never empty
  int variant = 0;                   // a unit with random data: the first variant that misses them
};

struct AnswerFormReport {
  std::vector<AnswerFormGap> gaps;  // in course order
  int numericBoxCount = 0;          // boxes whose model answer is a number
};

// The question lines of a unit with random data as its variants show them:
// per variant (from 1) its lines, one for each of the unit's own; nothing for
// a unit without a block or whose block cannot be drawn. The random data is
// read by a layer above this one, so the caller brings it.
using QuestionVariants =
    std::function<std::vector<std::vector<std::string>>(const UnitContent& content)>;

// Units that cannot be read are passed over: `tavolo check` reports them.
// A unit with random data is looked at in the variants `variants` gives, each
// box once, as the first variant that misses a form shows it.
AnswerFormReport CheckAnswerForms(const CourseIndex& course, const QuestionVariants& variants = {});

}  // namespace tavolo
