#include "practice/practice_run.h"

#include <algorithm>
#include <utility>

namespace tavolo {

namespace {

// Hint lines stand 20 apart; a long one wraps onto rows as far apart.
constexpr int kHintRowPitch = 20;

// Blanks and control characters at both ends; full-width spaces stay (the
// judge trims those itself, after these).
std::string TrimBlanksAndControls(std::string_view text) {
  auto blankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && blankOrControl(text.back())) text.remove_suffix(1);
  return std::string(text);
}

Rect MovedTo(const Rect& rect, int left) {
  return {left, rect.top, left + rect.Width(), rect.bottom};
}

}  // namespace

PracticeRun::PracticeRun(AnswerBoxRegistry& registry, PracticeSheet sheet, Dialogs& dialogs,
                         RunRecorder& recorder, RandomIndex random)
    : registry_(registry),
      sheet_(std::move(sheet)),
      dialogs_(dialogs),
      recorder_(recorder),
      random_(std::move(random)) {}

RunUpdate PracticeRun::Take() { return std::exchange(pending_, RunUpdate{}); }

void PracticeRun::Focus(FocusTarget target, int box, bool selectText) {
  view_.focus = target;
  view_.focusBox = target == FocusTarget::Box ? box : 0;
  view_.selectText = selectText;
  // The edit that receives the focus becomes the current box.
  if (target == FocusTarget::Box) view_.currentBox = box;
}

Rect PracticeRun::HomeRect(int n) const {
  return AnswerFieldRect(registry_.box(n), sheet_.boxStyle);
}

Rect PracticeRun::FrameRect(int n) const {
  const BoxStyle& style = sheet_.boxStyle;
  return AnswerFrameRect(AnswerBaseRect(registry_.box(n), style, 1.0, false), style, 1.0);
}

bool PracticeRun::FieldMayMove(const Rect& field) const {
  return field.left + field.Width() < sheet_.startPanelWidth + sheet_.pictureWidth;
}

Color PracticeRun::MarkColor() const { return Reviewing() ? Color::Green() : Color::Red(); }

void PracticeRun::SwitchTo(RunMode mode) {
  view_.mode = mode;
  view_.panels = RunPanelsFor(mode, !view_.choices.empty(), HintsOffered());
}

RunUpdate PracticeRun::Open() {
  view_ = PracticeView{};
  pad_.Clear();
  view_.choices = sheet_.choices;
  view_.boxCount = std::min(registry_.count(), kMaxBoxes);
  for (int n = 1; n <= view_.boxCount; ++n) {
    keys_[n] = AnswerKey(Box(n).answerText);
    Box(n).status = AnswerStatus::NotJudged;
    Box(n).answerShown = false;
    // Fields wait at their boxes, so that a colour swatch shows them in place.
    Edit(n) = BoxEdit{false, true, false, std::string(), HomeRect(n), keys_[n].NeedsInputMethod()};
    learnerAnswers_[n] = std::string(kNotEntered);
    drawnTexts_[n].clear();
  }
  correctCount_ = totalCount_ = 0;
  wrongCount_ = 0;
  allCorrect_ = false;
  triesDigits_.clear();
  // A field moves at most twice: the third wrong try shows the answer.
  for (int n = 1; n <= view_.boxCount; ++n) {
    Rect field = Edit(n).rect;
    for (int move = 0; move < 2 && FieldMayMove(field); ++move) field = MovedTo(field, field.right);
    view_.fieldsRight = std::max(view_.fieldsRight, field.right);
  }

  pending_.redrawSheet = true;
  pending_.refreshRecords = true;
  MessagePicture& result = view_.result;
  result.WriteRow(0, "　　　標準の学習コース", 14, Color::Blue());
  result.WriteRow(2, "（１）［練習］ボタンで練習する", 10, Color::Blue());
  result.WriteRow(3, "（２）［復習］ボタンで間違ったところを復習する", 8, Color::Blue());
  result.WriteRow(4, "（３）［テスト］ボタンでテストする", 10, Color::Blue());
  Focus(FocusTarget::PracticeButton);
  if (sheet_.answerCount > kMaxBoxes) {
    dialogs_.Inform("解答欄が" + std::to_string(kMaxBoxes) + "を超えています。最初の" +
                    std::to_string(kMaxBoxes) + "の解答欄で学習します");
  }
  return Take();
}

RunUpdate PracticeRun::StartPractice() {
  StartRun(RunMode::Practice);
  return Take();
}

RunUpdate PracticeRun::StartTest() {
  StartRun(RunMode::Test);
  return Take();
}

void PracticeRun::StartRun(RunMode mode) {
  if (Running()) return;
  if (view_.boxCount < 1) {
    dialogs_.Inform("解答欄がありません");
    return;
  }
  const bool practice = mode == RunMode::Practice;
  if (variants_) DrawVariant();
  SwitchTo(mode);
  view_.currentBox = 1;
  pending_.scrollToTop = true;

  for (int n = 1; n <= view_.boxCount; ++n) {
    learnerAnswers_[n] = std::string(kNotEntered);
    Box(n).status = AnswerStatus::NotJudged;
    Box(n).tries = 0;
    templates_[n] = Box(n).answerText;
    BoxEdit& edit = Edit(n);
    edit.rect = HomeRect(n);
    edit.visible = true;
    edit.redText = false;
    edit.text.clear();
    drawnTexts_[n].clear();
  }

  ShuffleItems(view_.choices, random_);

  if (!practice) {
    view_.result.WriteRow(0, "すべて解答を入力し終えたら。", 12, Color::Black());
    view_.result.WriteRow(1, "［採点］キーをクリックして採点します。", 12, Color::Black());
  } else if (view_.choices.empty()) {
    view_.result.WriteRow(0, "キーボードから解答を入力し、", 12, Color::Black());
    view_.result.WriteRow(1, "Enterキーを押します。", 12, Color::Black());
  }

  allCorrect_ = false;
  view_.elapsedSeconds = 0;
  view_.timerRunning = true;

  ResetBoxes();
  pad_.Clear();
  view_.message.Clear();
  pending_.redrawSheet = true;

  wrongCount_ = 0;
  triesDigits_.clear();
  for (int n = 1; n <= view_.boxCount; ++n) Edit(n).readOnly = false;
  Focus(FocusTarget::Box, 1);
}

void PracticeRun::DrawVariant() {
  const std::int64_t count = std::max<std::int64_t>(variants_->Count(), 1);
  std::int64_t n = 1;
  if (count > 1) {
    // One of the others, all equally likely.
    const bool hadOne = variant_ >= 1 && variant_ <= count;
    n = 1 +
        static_cast<std::int64_t>(random_(static_cast<std::size_t>(hadOne ? count - 1 : count)));
    if (hadOne && n >= variant_) ++n;
  }
  variant_ = n;
  VariantLines lines = variants_->Show(n);
  sheet_.choices = std::move(lines.choices);
  sheet_.hints = std::move(lines.hints);
  view_.choices = sheet_.choices;
  view_.boxCount = std::min({registry_.count(), kMaxBoxes, view_.boxCount});
  for (int b = 1; b <= view_.boxCount; ++b) keys_[b] = AnswerKey(Box(b).answerText);
}

void PracticeRun::ResetBoxes() {
  for (int n = 1; n <= view_.boxCount; ++n) {
    Box(n).status = AnswerStatus::NotJudged;
    Box(n).answerShown = false;
  }
}

RunUpdate PracticeRun::StartReview() {
  if (Running() || !view_.reviewEnabled || view_.boxCount < 1) return Take();
  for (int n = 1; n <= view_.boxCount; ++n) {
    Edit(n).readOnly = false;
    Box(n).answerShown = false;
  }
  // The input aids come back with the work panel, as in the run reviewed.
  SwitchTo(RunMode::Review);
  pending_.scrollToTop = true;
  allCorrect_ = false;
  wrongCount_ = 0;

  // Only the boxes that were not right open again, where their fields stood.
  int first = 0;
  for (int n = 1; n <= view_.boxCount; ++n) {
    if (Box(n).status == AnswerStatus::Correct) continue;
    Edit(n).text.clear();
    Edit(n).visible = true;
    Edit(n).redText = false;
    if (first == 0) first = n;
  }
  view_.reviewEnabled = false;
  view_.testEnabled = false;
  ShuffleItems(view_.choices, random_);
  if (first != 0) {
    Focus(FocusTarget::Box, first);
  } else {
    // Nothing to review (a run can only offer review after wrong answers).
    EndRun();
  }
  return Take();
}

void PracticeRun::FocusBox(int n) {
  if (IsBox(n)) view_.currentBox = n;
}

void PracticeRun::TypeInBox(int n, std::string text) {
  if (IsBox(n) && !Edit(n).readOnly) Edit(n).text = std::move(text);
}

RunUpdate PracticeRun::Enter() {
  EnterIn(view_.currentBox);
  return Take();
}

void PracticeRun::EnterIn(int n) {
  if (!IsBox(n)) return;
  BoxEdit& edit = Edit(n);
  // A hidden field cannot take Enter; an empty one does nothing.
  if (!edit.visible || edit.text.empty()) return;

  // What was typed is drawn onto the sheet under the field, so that it stays
  // visible when the field moves on or is hidden. The field stands one width
  // further right for every try that could move it, so its left is where
  // this try's text belongs; from the third try on (and in a review) it has
  // stopped, and the earlier text there is covered first.
  DrawTyped(n, edit.text, Reviewing() || Box(n).tries >= 2);

  if (edit.readOnly) return;
  const std::string text = TrimBlanksAndControls(edit.text);
  edit.text = text;

  if (!Practising()) {
    learnerAnswers_[n] = text;
    bool anyEmpty = false;
    for (int k = 1; k <= view_.boxCount; ++k) anyEmpty |= Edit(k).visible && Edit(k).text.empty();
    const int next = anyEmpty ? NextOpenBox(n) : 0;
    if (next != 0)
      Focus(FocusTarget::Box, next);
    else
      Focus(FocusTarget::GradeButton);
    return;
  }

  if (text.empty()) {
    if (dialogs_.AskYesNo("正解を表示しますか")) ShowAnswerOf(n);
    Focus(FocusTarget::Box, n);
    return;
  }
  if (learnerAnswers_[n] == kNotEntered) learnerAnswers_[n] = text;
  const Judgement judged = JudgeAndRecord(n, text);
  if (judged == Judgement::Wrong) {
    Mistaken(n);
  } else {
    Completed(n, text);
  }
}

void PracticeRun::Completed(int n, const std::string& text) {
  BoxEdit& edit = Edit(n);
  AnswerBox& box = Box(n);
  DrawTyped(n, text, false);
  const Rect frame = FrameRect(n);
  if (box.answerShown) {
    ++box.tries;
    Draw(MarkDrawing{GradingMark::Triangle, edit.rect, frame, MarkColor()});
    edit.redText = true;
    view_.message.Clear();
  } else {
    Draw(MarkDrawing{Reviewing() ? GradingMark::DoubleCircle : GradingMark::Circle, edit.rect,
                     frame, MarkColor()});
    view_.message.WriteRow(0, PraiseText(random_), 18, Color::Red());
  }
  triesDigits_ += std::to_string(box.tries);
  edit.visible = false;

  if (const int next = NextOpenBox(n); next != 0) {
    Focus(FocusTarget::Box, next);
    return;
  }
  // The last box is done: the run is over.
  if (Reviewing()) {
    EndOfRunNotice();
    EndRun();
  } else {
    GradeRun();
    if (Running()) return;  // the record could not be written; the run waits
  }
  if (allCorrect_) {
    Focus(FocusTarget::CloseButton);
  } else if (wrongCount_ > 0) {
    view_.reviewEnabled = true;
    Focus(FocusTarget::ReviewButton);
  } else {
    Focus(FocusTarget::CloseButton);
  }
}

void PracticeRun::Mistaken(int n) {
  BoxEdit& edit = Edit(n);
  AnswerBox& box = Box(n);
  Draw(MarkDrawing{GradingMark::PracticeSlash, edit.rect, FrameRect(n), MarkColor()});
  if (box.tries >= 2) {
    ShowAnswerOf(n);
    dialogs_.Inform("右下に正解を表示します");
  } else {
    view_.message.WriteRow(0, "解答を訂正してください", 14, Color::Blue());
    // The field moves one width to the right for the correction while it
    // ends left of the page's right edge plus the start panel's width, so a
    // box in the right half of a page still moves twice (the sheet picture
    // widens to hold it: fieldsRight). A field that cannot move stays over
    // its wrong text, which the next try covers; the try counts all the same,
    // so that the third one shows the answer.
    if (FieldMayMove(edit.rect)) edit.rect = MovedTo(edit.rect, edit.rect.right);
    ++box.tries;
  }
  Focus(FocusTarget::Box, n, true);
}

void PracticeRun::DrawTyped(int n, const std::string& text, bool cover) {
  const Rect& field = Edit(n).rect;
  const Point at{field.left, field.top};
  // The sheet picture keeps every drawing: the same text drawn twice on one
  // spot turns bold, and another text over it turns into a blot.
  const bool drawnHere = !drawnTexts_[n].empty() && drawnAt_[n] == at;
  if (drawnHere && !cover && drawnTexts_[n] == text) return;
  if (cover || drawnHere) Draw(EraseArea{field});
  Draw(PictureText{at, text, sheet_.boxStyle.charSize, Color::Blue(), true});
  drawnTexts_[n] = text;
  drawnAt_[n] = at;
}

int PracticeRun::NextOpenBox(int after) const {
  const int count = view_.boxCount;
  for (int step = 1; step < count; ++step) {
    const int k = (after - 1 + step) % count + 1;
    const BoxEdit& edit = view_.edits[static_cast<std::size_t>(k)];
    if (edit.visible && (edit.text.empty() || learnerAnswers_[k] == kNotEntered)) return k;
  }
  return 0;
}

RunUpdate PracticeRun::TabToBox(bool forward) {
  if (!Running()) return Take();
  const int count = view_.boxCount;
  const int from = IsBox(view_.currentBox) ? view_.currentBox : (forward ? count : 1);
  // Open boxes are those whose fields show: a completed practice box is hidden.
  for (int step = 1; step < count; ++step) {
    const int k = forward ? (from - 1 + step) % count + 1 : (from - 1 - step + count) % count + 1;
    if (Edit(k).visible) {
      Focus(FocusTarget::Box, k);
      return Take();
    }
  }
  if (Edit(from).visible) Focus(FocusTarget::Box, from);
  return Take();
}

RunUpdate PracticeRun::ShowAnswer() {
  if (Practising() && IsBox(view_.currentBox)) ShowAnswerOf(view_.currentBox);
  return Take();
}

RunUpdate PracticeRun::ShowHints() {
  if (!Running()) return Take();
  // A hint block that only holds the editor's placeholder "Hint" has nothing to say.
  if (HintsOffered() && sheet_.hints.front() != "Hint") {
    MessagePicture& message = view_.message;
    message.Clear();
    message.texts.push_back(PictureText{{0, 0}, "学習のポイント", 20, Color::Black()});
    for (std::size_t i = 0; i < sheet_.hints.size(); ++i)
      message.texts.push_back(PictureText{{0, 30 + 20 * static_cast<int>(i)},
                                          sheet_.hints[i],
                                          12,
                                          Color::Black(),
                                          false,
                                          kHintRowPitch});
  }
  if (IsBox(view_.currentBox)) Focus(FocusTarget::Box, view_.currentBox);
  return Take();
}

RunUpdate PracticeRun::ClickResultPicture() {
  if (view_.result.picture) view_.result.picture = ResultPicture::Gaoh;
  return Take();
}

void PracticeRun::ShowAnswerOf(int n) {
  view_.message.WriteRow(0, "正解は", 18, Color::Black());
  view_.message.texts.push_back(
      PictureText{{0, 35}, keys_[n].Model(), sheet_.boxStyle.charSize, Color::Red(), true});
  Box(n).status = AnswerStatus::WrongInPractice;
  Box(n).answerShown = true;
  Focus(FocusTarget::Box, n);
}

void PracticeRun::EndRun() {
  for (int n = 1; n <= view_.boxCount; ++n) {
    Edit(n).readOnly = false;
    Edit(n).visible = false;
  }
  SwitchTo(RunMode::Idle);
  view_.timerRunning = false;
  view_.testEnabled = true;
  pending_.refreshRecords = true;
  pending_.scrollToTop = true;
}

RunUpdate PracticeRun::Abort() {
  if (!Running()) return Take();
  EndRun();
  view_.result.WriteRow(0, "中止しました。", 12, Color::Black());
  view_.resultVisible = true;
  Focus(FocusTarget::PracticeButton);
  return Take();
}

RunUpdate PracticeRun::Close() {
  if (Running()) EndRun();
  pending_.scrollToTop = true;
  for (int n = 1; n <= view_.boxCount; ++n) {
    Box(n).status = AnswerStatus::NotJudged;
    Box(n).answerShown = false;
  }
  correctCount_ = 0;
  view_.testEnabled = true;
  return Take();
}

void PracticeRun::Tick() {
  if (view_.timerRunning) ++view_.elapsedSeconds;
}

RunUpdate PracticeRun::ChooseItem(int index) {
  if (!Running() || index < 0 || index >= static_cast<int>(view_.choices.size())) return Take();
  const int n = view_.currentBox;
  if (!IsBox(n)) return Take();
  TypeInBox(n, view_.choices[static_cast<std::size_t>(index)]);
  Focus(FocusTarget::Box, n);
  return Take();
}

RunUpdate PracticeRun::ClearBox() {
  const int n = view_.currentBox;
  if (Running() && IsBox(n)) {
    TypeInBox(n, std::string());
    Focus(FocusTarget::Box, n);
  }
  return Take();
}

RunUpdate PracticeRun::ChooseBoxColor(int swatch) {
  if (Running() || swatch < 1 || swatch > static_cast<int>(kBoxColors.size())) return Take();
  view_.boxColor = kBoxColors[static_cast<std::size_t>(swatch - 1)];
  for (int n = 1; n <= view_.boxCount; ++n) {
    BoxEdit& edit = Edit(n);
    edit.visible = true;
    edit.redText = false;
    edit.readOnly = true;
  }
  return Take();
}

RunUpdate PracticeRun::PadNext() {
  if (!Running()) return Take();
  const int n = view_.currentBox;
  if (auto composed = pad_.Compose(); composed && IsBox(n)) {
    TypeInBox(n, std::move(*composed));
    Focus(FocusTarget::Box, n);
  }
  EnterIn(n);
  pad_.Clear();
  return Take();
}

RunUpdate PracticeRun::PadClear() {
  pad_.Clear();
  const int n = view_.currentBox;
  if (Running() && IsBox(n)) {
    Draw(OutlineArea{Edit(n).rect});
    TypeInBox(n, std::string());
    Focus(FocusTarget::Box, n);
  }
  return Take();
}

}  // namespace tavolo
