#include "sheet/answer_box_registry.h"

#include <stdexcept>
#include <utility>

namespace tavolo {

int AnswerBoxRegistry::Register(int x, int y, std::string answerText, int fontSize) {
  if (full()) return 0;
  ++count_;
  AnswerBox& b = boxes_[count_];
  b.x = x;
  b.y = y;
  b.answerText = std::move(answerText);
  b.fontSize = fontSize;
  b.width = 0;
  return count_;
}

void AnswerBoxRegistry::SetWidth(int number, int width) { box(number).width = width; }

void AnswerBoxRegistry::ResetStatuses() {
  for (AnswerBox& b : boxes_) b.status = AnswerStatus::NotJudged;
}

const AnswerBox& AnswerBoxRegistry::box(int number) const {
  if (number < 1 || number > kMaxBoxes) throw std::out_of_range("answer box number");
  return boxes_[number];
}

AnswerBox& AnswerBoxRegistry::box(int number) {
  if (number < 1 || number > kMaxBoxes) throw std::out_of_range("answer box number");
  return boxes_[number];
}

}  // namespace tavolo
