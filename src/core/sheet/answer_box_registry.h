#pragma once
// The answer boxes of the worksheet drawn last with registerBoxes on (its
// screen render). The renderer writes their geometry and answer texts; practice and grading
// own their statuses, which therefore survive every redraw of the same sheet.

#include <array>
#include <string>

namespace tavolo {

enum class AnswerStatus : int {
  NotJudged = 99,
  Correct = 1,
  Wrong = 0,               // wrong at test grading
  WrongInPractice = -1,    // wrong in practice, or the answer was shown
  CorrectAfterShown = -2,  // typed correctly only after the answer was shown
  CorrectAfterRetry = 2,   // correct in practice after an earlier wrong attempt
};

struct AnswerBox {
  AnswerStatus status = AnswerStatus::NotJudged;
  int x = 0;      // left of the drawn answer text, sheet units
  int y = 0;      // top of the question line that holds the box
  int width = 0;  // end of the drawn model answer minus x
  bool answerShown = false;
  std::string answerText;  // everything between the two "#", alternatives included
  int tries = 0;
  int fontSize = 0;  // points of the canvas font when the answer was drawn
};

class AnswerBoxRegistry {
 public:
  // Practice keeps per-box tables of this size beside the registry.
  static constexpr int kMaxBoxes = 80;

  int count() const { return count_; }
  bool full() const { return count_ >= kMaxBoxes; }

  // A render with registration on starts from an empty page.
  void BeginPage() { count_ = 0; }

  // Adds the next box and returns its number, or 0 when the page already has
  // kMaxBoxes boxes: the rest of the page is still drawn, just not registered.
  // Status, answer-shown flag and tries are left as they were so that grading
  // marks reappear on every redraw.
  int Register(int x, int y, std::string answerText, int fontSize);
  void SetWidth(int number, int width);

  // Every slot back to "not judged" (sheet creation).
  void ResetStatuses();

  // Boxes 1..kMaxBoxes; slot 0 is never a box. Throws std::out_of_range outside.
  const AnswerBox& box(int number) const;
  AnswerBox& box(int number);

 private:
  std::array<AnswerBox, kMaxBoxes + 1> boxes_{};
  int count_ = 0;
};

}  // namespace tavolo
