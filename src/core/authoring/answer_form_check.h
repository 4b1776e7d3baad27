#pragma once
// The author's look at how learners may type the numbers a course asks for:
// every numeric answer box of every unit and similar problem the course menu
// offers, with the equivalent forms it does not accept. It only reads.

#include <string>
#include <vector>

#include "content/course_index.h"

namespace tavolo {

struct AnswerFormGap {
  std::string file;                  // the question file, as path text
  int line = 0;                      // 1-based line of the question that holds the box
  std::string unit;                  // "L.S.U" or "L.S.URv"
  int box = 0;                       // the answer's number within its unit, from 1
  std::string answer;                // the model answer, trimmed
  std::vector<std::string> missing;  // MissingAnswerForms, never empty
};

struct AnswerFormReport {
  std::vector<AnswerFormGap> gaps;  // in course order
  int numericBoxCount = 0;          // boxes whose model answer is a number
};

// Units that cannot be read are passed over: `tavolo check` reports them.
AnswerFormReport CheckAnswerForms(const CourseIndex& course);

}  // namespace tavolo
