#pragma once
// One learner working through the answer boxes of a worksheet: practice
// (each box judged on Enter, corrections allowed, the answer can be looked
// up), test (everything judged at once by 採点) and review (only the boxes
// that were not right, as in practice, never recorded). The run owns every
// rule of the flow; the practice window forwards each user action here and
// shows the resulting PracticeView and RunUpdate. The grading end of a run
// (judging every box, the score, the record) is in practice_run_grading.cpp.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/result.h"
#include "practice/grading.h"
#include "practice/number_pad.h"
#include "practice/practice_view.h"
#include "practice/record_line.h"
#include "sheet/answer_box_geometry.h"
#include "sheet/answer_box_registry.h"
#include "sheet/markup_text.h"

namespace tavolo {

// What the run needs to know about the worksheet it is opened on.
struct PracticeSheet {
  BoxStyle boxStyle;                 // answer-box settings and the character size of the fields
  int pictureWidth = 0;              // width of the page; bounds how far fields move right
  std::vector<std::string> choices;  // the unit's choice lines (kgroup)
  std::vector<std::string> hints;    // the unit's hint lines ("<<hint")
  bool copyFile = false;             // the sheet is a copy file (no hints offered)
  // Answers the page shows; more than the registry holds are not practised.
  int answerCount = 0;
  Point scoreSpot;          // where the renderer put the score spot
  int startPanelWidth = 0;  // the window's start panel, for the score's place
};

// Keeps the record of a graded run (the learner's record file). The run
// gives its tries, counts, score and time; when it was and the similar
// problem are the recorder's to add. A failure's message is shown and the
// grading stops there.
class RunRecorder {
 public:
  virtual ~RunRecorder() = default;
  [[nodiscard]] virtual Status Record(const RunRecord& run) = 0;
};

// The lines of a variant of random data that the run itself shows.
struct VariantLines {
  std::vector<std::string> choices;  // kgroup
  std::vector<std::string> hints;
};

// A sheet of a unit with random data shows a fresh variant for every 練習
// and テスト run, so that a learner who practises twice meets new numbers;
// 復習 keeps the run's variant. The window puts the variant on the sheet.
class RunVariants {
 public:
  virtual ~RunVariants() = default;
  // How many variants there are to choose among (at least 1).
  virtual std::int64_t Count() const = 0;
  // Shows variant n on the sheet with its boxes registered, so that the
  // registry holds that variant's answers, and gives its choice and hint lines.
  virtual VariantLines Show(std::int64_t n) = 0;
};

class PracticeRun {
 public:
  static constexpr int kMaxBoxes = AnswerBoxRegistry::kMaxBoxes;
  // The four swatches of 解答欄の色, light cyan, green, yellow and pink.
  static constexpr std::array<Color, 4> kBoxColors = {
      Color::FromBgr(0xFFFFC0), Color::FromBgr(0xC0FFC0), Color::FromBgr(0xC0FFFF),
      Color::FromBgr(0xFFC0FF)};

  // registry: the boxes of the sheet's last registering render; the run
  // owns their statuses, answer-shown flags and tries from now on.
  PracticeRun(AnswerBoxRegistry& registry, PracticeSheet sheet, Dialogs& dialogs,
              RunRecorder& recorder, RandomIndex random);

  // The sheet's unit has random data (nullptr: it has none). Set before Open.
  void SetVariants(RunVariants* variants) { variants_ = variants; }
  // The variant of the last 練習 or テスト run; 0 before the first, or
  // without random data.
  std::int64_t Variant() const { return variant_; }

  // The window is shown: every box back to "not judged", the instructions.
  // A page with more answers than the registry holds says once that only the
  // first kMaxBoxes are practised.
  RunUpdate Open();
  // 練習, テスト, 復習. A sheet without answer boxes gives no run.
  RunUpdate StartPractice();
  RunUpdate StartTest();
  RunUpdate StartReview();
  // Enter in the current box (also 入力).
  RunUpdate Enter();
  // 答えを見る: the model answer of the current box.
  RunUpdate ShowAnswer();
  // ヒントを見る: the unit's hints in the message picture, then back to the box.
  RunUpdate ShowHints();
  // A click on the result picture (imgMess) while it shows a result.
  RunUpdate ClickResultPicture();
  // 採点.
  RunUpdate Grade();
  // 中止: nothing is graded or recorded.
  RunUpdate Abort();
  // 閉じる (a running run is aborted first).
  RunUpdate Close();
  // One second of the run's timer.
  void Tick();

  // Tab (forward) and Shift+Tab during a run: the next open box after the
  // current one (or before it), round the sheet; nothing while idle.
  RunUpdate TabToBox(bool forward);
  // The edit of box n got or lost the keyboard focus: it becomes current.
  void FocusBox(int n);
  // The learner typed in box n; text is the edit's whole text.
  void TypeInBox(int n, std::string text);
  // A click on choice i of the choice list; クリア.
  RunUpdate ChooseItem(int index);
  RunUpdate ClearBox();
  // A colour swatch (1 to 4) while no run is active: every field is shown
  // over the sheet in that colour, read-only.
  RunUpdate ChooseBoxColor(int swatch);

  // The number pad; its keys change only the pad: a digit or sign key, 分の,
  // Enter in the denominator, typing into one of its edits. 次へ (or Enter in
  // the main entry or the numerator) puts the composed answer into the
  // current box and acts as Enter there; 消去 empties the pad and the current box.
  const NumberPad& Pad() const { return pad_; }
  void PressPadKey(char key) { pad_.PressKey(key); }
  void PressPadBunno() { pad_.PressBunno(); }
  void EnterInPadDenominator() { pad_.EnterInDenominator(); }
  void TypeInPad(NumberPad::Field field, std::string text) { pad_.Type(field, std::move(text)); }
  RunUpdate PadNext();
  RunUpdate PadClear();

  const PracticeView& View() const { return view_; }
  // What the action under way wants shown so far, taken now. A window whose
  // dialogs interrupt an action (a notice at the end of a run) calls this
  // first, so that the learner sees the last mark before the message.
  RunUpdate TakeUpdate() { return Take(); }

  // The judging steps, also called on their own by tests.
  Judgement JudgeAndRecord(int n, std::string_view text);
  // Judges every box at the end of a run and records it (not in a review).
  // False when refused (nothing entered) or the record could not be written;
  // the message has been shown.
  bool JudgeAll();
  // 0 to 100 from the boxes judged correct (0 for a sheet without boxes).
  // Changes nothing: the grading keeps the counts itself (KeepScoreCounts).
  int Score() const;

  RunMode Mode() const { return view_.mode; }
  int BoxCount() const { return view_.boxCount; }
  int WrongCount() const { return wrongCount_; }
  bool AllCorrect() const { return allCorrect_; }
  const std::string& TriesDigits() const { return triesDigits_; }
  const std::string& LearnerAnswer(int n) const { return learnerAnswers_.at(n); }
  int CorrectCount() const { return correctCount_; }
  int TotalCount() const { return totalCount_; }
  const AnswerKey& AnswerKeyOf(int n) const { return keys_.at(n); }
  // Box n as the run keeps it: its status, tries and answer-shown flag.
  const AnswerBox& BoxOf(int n) const { return registry_.box(n); }

 private:
  bool Running() const { return view_.mode != RunMode::Idle; }
  bool Practising() const {
    return view_.mode == RunMode::Practice || view_.mode == RunMode::Review;
  }
  bool Reviewing() const { return view_.mode == RunMode::Review; }
  bool HintsOffered() const { return !sheet_.hints.empty() && !sheet_.copyFile; }
  bool IsBox(int n) const { return n >= 1 && n <= view_.boxCount; }
  AnswerBox& Box(int n) { return registry_.box(n); }
  BoxEdit& Edit(int n) { return view_.edits[static_cast<std::size_t>(n)]; }
  Rect HomeRect(int n) const;
  Rect FrameRect(int n) const;
  // A field moves right for a correction while it ends left of the start
  // panel's width past the sheet's right edge.
  bool FieldMayMove(const Rect& field) const;
  Color MarkColor() const;

  RunUpdate Take();
  // The mode and the panels it shows change together.
  void SwitchTo(RunMode mode);
  void Focus(FocusTarget target, int box = 0, bool selectText = false);
  void StartRun(RunMode mode);
  // A fresh variant on the sheet for the run starting: another than the last
  // run's while there is another.
  void DrawVariant();
  void ResetBoxes();
  void EnterIn(int n);
  void Completed(int n, const std::string& text);
  void Mistaken(int n);
  // The learner's text on the sheet picture at box n's field; `cover` paints
  // the field's area white first.
  void DrawTyped(int n, const std::string& text, bool cover);
  void ShowAnswerOf(int n);
  int NextOpenBox(int after) const;
  void GradeRun();
  int CorrectBoxes() const;
  // The counts of this scoring, as CorrectCount and TotalCount give them
  // (left alone for a sheet without boxes).
  void KeepScoreCounts();
  void EndOfRunNotice();
  void EndRun();
  void Draw(SheetDrawing drawing) { pending_.drawings.push_back(std::move(drawing)); }

  AnswerBoxRegistry& registry_;
  PracticeSheet sheet_;
  Dialogs& dialogs_;
  RunRecorder& recorder_;
  RandomIndex random_;
  RunVariants* variants_ = nullptr;
  std::int64_t variant_ = 0;

  PracticeView view_;
  RunUpdate pending_;
  NumberPad pad_;

  std::array<AnswerKey, kMaxBoxes + 1> keys_{};
  std::array<std::string, kMaxBoxes + 1> learnerAnswers_{};
  std::array<std::string, kMaxBoxes + 1> templates_{};
  std::array<std::string, kMaxBoxes + 1> drawnTexts_{};  // what the sheet picture shows in each box
  std::array<Point, kMaxBoxes + 1> drawnAt_{};           // and where it was drawn last

  int wrongCount_ = 0;
  bool allCorrect_ = false;
  std::string triesDigits_;
  int correctCount_ = 0;  // the sheet's counters of the last scoring
  int totalCount_ = 0;
};

}  // namespace tavolo
