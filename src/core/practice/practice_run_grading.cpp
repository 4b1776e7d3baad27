// The end of a run: judging every box, the score, the record of the run,
// the marks of a test and what the window shows once a run is graded.

#include "practice/practice_run.h"

namespace tavolo {

Judgement PracticeRun::JudgeAndRecord(int n, std::string_view text) {
  AnswerBox& box = Box(n);
  const Judgement judged = JudgeAnswer(keys_[n], box.answerShown, text);
  switch (judged) {
    case Judgement::CorrectAfterShown:
      box.status = AnswerStatus::CorrectAfterShown;
      ++wrongCount_;
      break;
    case Judgement::Wrong:
      box.status = AnswerStatus::WrongInPractice;
      ++wrongCount_;
      break;
    case Judgement::Correct:
      if (Reviewing()) break;
      if (box.status == AnswerStatus::WrongInPractice) {
        box.status = AnswerStatus::CorrectAfterRetry;
      } else if (box.status == AnswerStatus::Wrong || box.status == AnswerStatus::Correct) {
        box.status = AnswerStatus::Correct;
        ++correctCount_;
      }
      break;
  }
  return judged;
}

bool PracticeRun::JudgeAll() {
  int emptyFields = 0;
  for (int n = 1; n <= view_.boxCount; ++n)
    if (Edit(n).visible && Edit(n).text.empty()) ++emptyFields;
  if (!Reviewing() && emptyFields == view_.boxCount) {
    dialogs_.Inform("解答を入力してから採点してください。");
    Focus(FocusTarget::Box, view_.currentBox);
    return false;
  }
  view_.timerRunning = false;
  correctCount_ = 0;
  wrongCount_ = 0;
  for (int n = 1; n <= view_.boxCount; ++n) {
    const Judgement judged = JudgeAndRecord(n, learnerAnswers_[n]);
    Box(n).status = GradedStatus(judged);
  }
  view_.testEnabled = true;
  view_.reviewEnabled = wrongCount_ > 0;
  allCorrect_ = wrongCount_ == 0;
  if (!Reviewing()) {
    KeepScoreCounts();
    RunRecord run;
    run.triesDigits = triesDigits_;
    run.correct = correctCount_;
    run.total = totalCount_;
    run.score = Score();
    run.elapsedSeconds = view_.elapsedSeconds;
    if (Status recorded = recorder_.Record(run); !recorded) {
      dialogs_.Inform(recorded.message());
      // The learner may try again once the file can be written.
      view_.panels.gradeButtonVisible = true;
      return false;
    }
    pending_.refreshCourseMarks = true;
  }
  return true;
}

int PracticeRun::CorrectBoxes() const {
  int correct = 0;
  for (int n = 1; n <= view_.boxCount; ++n)
    if (registry_.box(n).status == AnswerStatus::Correct) ++correct;
  return correct;
}

int PracticeRun::Score() const { return ScoreOf(CorrectBoxes(), view_.boxCount); }

void PracticeRun::KeepScoreCounts() {
  if (view_.boxCount < 1) return;
  correctCount_ = CorrectBoxes();
  totalCount_ = view_.boxCount;
}

RunUpdate PracticeRun::Grade() {
  const bool test = view_.mode == RunMode::Test;
  const bool practiceRetry = view_.mode == RunMode::Practice && view_.panels.gradeButtonVisible;
  if (!test && !practiceRetry) return Take();
  if (test) {
    EnterIn(view_.currentBox);
    for (int n = 1; n <= view_.boxCount; ++n) {
      learnerAnswers_[n] = PadToAnswerWidth(Edit(n).text, templates_[n]);
      // Boxes changed without Enter show their final text under the mark.
      const BoxEdit& edit = Edit(n);
      if (drawnTexts_[n] == edit.text) continue;
      if (edit.text.empty()) {
        Draw(EraseArea{edit.rect});
        drawnTexts_[n].clear();
      } else {
        DrawTyped(n, edit.text, true);
      }
    }
  }
  GradeRun();
  return Take();
}

void PracticeRun::GradeRun() {
  const bool test = view_.mode == RunMode::Test;
  if (!JudgeAll()) return;
  if (test) {
    for (int n = 1; n <= view_.boxCount; ++n) {
      AnswerBox& box = Box(n);
      const bool correct = box.status == AnswerStatus::Correct;
      Draw(MarkDrawing{correct ? GradingMark::Circle : GradingMark::TestSlash, Edit(n).rect,
                       FrameRect(n), Color::Red()});
      box.tries = correct ? 0 : 1;
    }
  }
  view_.resultVisible = false;
  pending_.scrollToTop = true;
  const bool review = Reviewing();
  EndOfRunNotice();
  EndRun();
  KeepScoreCounts();
  const int score = Score();
  Draw(ScoreDrawing{score, sheet_.scoreSpot, sheet_.startPanelWidth});
  if (!review) {
    view_.result.Clear();
    view_.result.picture = ResultPictureFor(score, random_);
    view_.resultVisible = true;
  }
  if (allCorrect_) {
    Focus(FocusTarget::CloseButton);
  } else {
    view_.reviewEnabled = true;
    Focus(FocusTarget::ReviewButton);
  }
}

void PracticeRun::EndOfRunNotice() {
  if (!allCorrect_ || Reviewing()) {
    const char* message = Reviewing()                       ? "復習を終わりました"
                          : view_.mode == RunMode::Practice ? "練習を終わりました"
                                                            : "テストを終わりました";
    dialogs_.Inform(message);
    allCorrect_ = false;
  } else {
    pending_.showAllCorrectNotice = true;
  }
}

}  // namespace tavolo
