#pragma once
// One line of a learner's record file: when a graded run ended, how each box
// went, the counts, the score and the time taken, e.g.
//   "2024年05月03日 14:05 [0010]  3/ 4  75点 02:15"
// preceded by "類題2)" for a run on a similar problem.

#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace tavolo {

struct RunRecord {
  DateTime when;            // date and time of writing
  int variant = 0;          // similar problem 1..5, 0 for the unit itself
  std::string triesDigits;  // one digit group per completed box; empty after a test
  int correct = 0;
  int total = 0;
  int score = 0;
  int elapsedSeconds = 0;
  bool operator==(const RunRecord&) const = default;
};

// "類題" + variant + ")" for a similar problem, else nothing.
std::string SimilarProblemPrefix(int variant);

// minutes + ":" + seconds, each at least two digits ("02:15", "100:00").
std::string ElapsedText(int seconds);

std::string RecordLine(const RunRecord& record);

// Reads a record line back. Lines written by hand or by older programs that
// do not have this shape give nothing.
std::optional<RunRecord> ParseRecordLine(std::string_view line);

}  // namespace tavolo
