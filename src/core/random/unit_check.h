#pragma once
// The author's check of a unit's random data: every mistake in its block, in
// its placeholders and computed answers, found before a sheet is printed.
// `tavolo check` asks it for every unit; the messages name the file line.

#include <cstdint>
#include <string>
#include <vector>

#include "content/unit_content.h"
#include "content/unit_scanner.h"

namespace tavolo {

// One line of a unit that may hold placeholders, with its file line.
struct RandomCheckLine {
  int line = 0;
  std::string text;
  bool question = false;  // a question line: its answers may be computed
};

// What of a unit the check looks at.
struct RandomCheckUnit {
  bool hasBlock = false;
  std::vector<std::string> blockLines;  // the first "<<random" block's content
  int blockFirstLine = 0;               // the file line of blockLines[0]
  std::vector<int> extraBlockLines;     // marker lines of every further "<<random"
  std::vector<RandomCheckLine> lines;   // question, choice, hint and dummy lines
};

struct RandomCheckMessage {
  int line = 0;
  int column = 0;  // 1-based, in characters; 0 when the whole line is meant
  bool warning = false;
  std::string message;  // Japanese, without the line
};

// Fewer variants than this make copies that neighbours can share.
inline constexpr std::uint64_t kFewVariants = 30;
// Variants of a drawn block whose share of thrown-away draws is measured:
// enough to tell 99 % from 90 %, few enough for a check of a whole course.
inline constexpr std::int64_t kCheckedDraws = 40;

// In line order.
std::vector<RandomCheckMessage> CheckRandomData(const RandomCheckUnit& unit);

// Variants the check of answer forms looks at in a unit with random data.
inline constexpr std::int64_t kAnswerCheckVariants = 200;

// The question lines of variants 1..kAnswerCheckVariants (or every variant,
// when fewer exist) of a unit with random data, for the check of answer
// forms; nothing for a unit without a block or whose block cannot be drawn
// (the course check reports it). A variant that cannot be drawn is left out.
std::vector<std::vector<std::string>> QuestionLinesOfVariants(const UnitContent& content);

// The unit's lines as the scanner found its blocks.
RandomCheckUnit RandomCheckUnitOf(const LineSource& lines, const UnitExtent& extent);

}  // namespace tavolo
