#include "random/editor_random.h"

#include <algorithm>
#include <cstddef>

#include "random/unit_check.h"

namespace tavolo {

namespace {

// The boxes whose lines may hold placeholders, in the order their messages come.
struct CheckedBox {
  EditorBox box;
  const Lines UnitBlockBoxes::*lines;
  bool question;
};
constexpr CheckedBox kCheckedBoxes[] = {
    {EditorBox::Question, &UnitBlockBoxes::question, true},
    {EditorBox::Kgroup, &UnitBlockBoxes::kgroup, false},
    {EditorBox::Hint, &UnitBlockBoxes::hint, false},
    {EditorBox::Dummy, &UnitBlockBoxes::dummy, false},
};

// The question box's first line after a "{" … "}" group at its top: the
// group is no question line, as the reader sees it.
std::size_t FirstQuestionLine(const Lines& question) {
  if (question.empty() || question.front() != "{") return 0;
  for (std::size_t i = 1; i < question.size(); ++i)
    if (question[i] == "}") return i + 1;
  return 0;
}

// The byte offset of a 1-based column, counted in characters, in UTF-8 text.
std::size_t ColumnOffset(const std::string& text, int column) {
  std::size_t offset = 0;
  for (int c = 1; c < column && offset < text.size(); ++c) {
    ++offset;
    while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80)
      ++offset;
  }
  return offset;
}

}  // namespace

UnitContent EditorUnitContent(const UnitBlockBoxes& boxes) {
  UnitContent content;
  content.questionLines.assign(
      boxes.question.begin() + static_cast<std::ptrdiff_t>(FirstQuestionLine(boxes.question)),
      boxes.question.end());
  content.kgroupLines = boxes.kgroup;
  if (!boxes.random.empty()) {
    content.randomLines = boxes.random;
    content.randomFirstLine = 1;
  }
  return content;
}

std::vector<BoxMessage> CheckEditorRandomData(const UnitBlockBoxes& boxes) {
  // The check speaks of file lines: the random box is lines 1 on, and every
  // other box follows it in lines of its own, so that each message finds
  // its box and line again.
  RandomCheckUnit unit;
  unit.hasBlock = !boxes.random.empty();
  unit.blockLines = boxes.random;
  unit.blockFirstLine = 1;
  struct Range {
    EditorBox box;
    const Lines* lines;
    int first;  // the check's line of the box's line 1
  };
  std::vector<Range> ranges = {{EditorBox::Random, &boxes.random, 1}};
  int next = static_cast<int>(boxes.random.size()) + 1;
  for (const CheckedBox& checked : kCheckedBoxes) {
    const Lines& lines = boxes.*checked.lines;
    ranges.push_back({checked.box, &lines, next});
    const std::size_t from = checked.question ? FirstQuestionLine(lines) : 0;
    for (std::size_t i = from; i < lines.size(); ++i)
      unit.lines.push_back({next + static_cast<int>(i), lines[i], checked.question});
    next += static_cast<int>(lines.size());
  }

  std::vector<BoxMessage> messages;
  for (const RandomCheckMessage& found : CheckRandomData(unit)) {
    const Range* range = &ranges.front();
    for (const Range& r : ranges)
      if (found.line >= r.first) range = &r;
    BoxMessage message;
    message.box = range->box;
    message.line = std::max(found.line - range->first + 1, 1);
    message.warning = found.warning;
    const auto index = static_cast<std::size_t>(message.line - 1);
    if (found.column > 0 && index < range->lines->size())
      message.offset = ColumnOffset((*range->lines)[index], found.column);
    message.text =
        std::string(EditorBoxCaption(message.box)) + " の " + std::to_string(message.line) + "行目";
    if (found.column > 0) message.text += "（" + std::to_string(found.column) + "文字目）";
    message.text += "：" + found.message;
    messages.push_back(std::move(message));
  }
  // The check sorts by line, which is box order here already.
  return messages;
}

}  // namespace tavolo
