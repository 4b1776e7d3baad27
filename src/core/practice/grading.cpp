#include "practice/grading.h"

#include <algorithm>

#include "platform/cp932.h"
#include "sheet/drawing_context.h"

namespace tavolo {

AnswerKey::AnswerKey(std::string_view answerText) : answers_(SplitAlternatives(answerText)) {
  normalized_.reserve(answers_.size());
  // A model answer written with another code of the same character (an NEC
  // "√" in a file from another machine) is still the character a learner types.
  for (const std::string& answer : answers_)
    normalized_.push_back(TrimWideSpaces(WithoutCodeVariants(answer)));
}

const std::string& AnswerKey::Model() const {
  static const std::string none;
  return answers_.empty() ? none : answers_.front();
}

bool AnswerKey::NeedsInputMethod() const {
  return std::any_of(normalized_.begin(), normalized_.end(), [](const std::string& answer) {
    return std::any_of(answer.begin(), answer.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  });
}

bool AnswerKey::Accepts(std::string_view text) const {
  const std::string typed = TrimWideSpaces(WithoutCodeVariants(text));
  for (const std::string& answer : normalized_)
    if (answer == typed) return true;
  return false;
}

Judgement JudgeAnswer(const AnswerKey& key, bool answerShown, std::string_view text) {
  if (!key.Accepts(text)) return Judgement::Wrong;
  return answerShown ? Judgement::CorrectAfterShown : Judgement::Correct;
}

AnswerStatus GradedStatus(Judgement judged) {
  switch (judged) {
    case Judgement::Correct:
      return AnswerStatus::Correct;
    case Judgement::CorrectAfterShown:
      return AnswerStatus::CorrectAfterShown;
    case Judgement::Wrong:
      break;
  }
  return AnswerStatus::Wrong;
}

int ScoreOf(int correct, int count) {
  if (count < 1) return 0;
  return static_cast<int>(correct * 100.0 / count + 0.5);
}

std::string PraiseText(const RandomIndex& random) {
  return "★★" + std::string(kPraiseTable[random(kPraiseTable.size())]) + "★★";
}

ResultPicture ResultPictureFor(int score, const RandomIndex& random) {
  if (score == 0) return ResultPicture::Gaoh;
  switch (score / 20) {
    case 2:
      return ResultPicture::Nanda;
    case 3:
      return ResultPicture::Sleep;
    case 4:
      return random(2) == 0 ? ResultPicture::Happy : ResultPicture::GreenHeart;
    case 5:
      return random(2) == 0 ? ResultPicture::Kutta : ResultPicture::RedHeart;
    default:
      return ResultPicture::Namida;
  }
}

std::string_view ResultPictureName(ResultPicture picture) {
  switch (picture) {
    case ResultPicture::Gaoh:
      return "imgGaoh";
    case ResultPicture::Namida:
      return "imgNamida";
    case ResultPicture::Nanda:
      return "imgNanda";
    case ResultPicture::Sleep:
      return "imgSleep";
    case ResultPicture::Happy:
      return "imgHappy";
    case ResultPicture::GreenHeart:
      return "imgGreenHeart";
    case ResultPicture::Kutta:
      return "imgKutta";
    case ResultPicture::RedHeart:
      return "imgRedHeart";
  }
  return "imgGaoh";
}

ScorePlacement PlaceScore(int score, Point scoreSpot, int startPanelWidth, double scale) {
  const int digits = static_cast<int>(std::to_string(score).size());
  const int x = RoundHalfEven(scale * (startPanelWidth + scoreSpot.x - 100 - 17 * digits));
  return {{x, scoreSpot.y}, RoundHalfEven(15 * scale)};
}

void DrawScore(Canvas& canvas, int score, Point scoreSpot, int startPanelWidth, double scale) {
  const ScorePlacement place = PlaceScore(score, scoreSpot, startPanelWidth, scale);
  const CanvasStateGuard keep(canvas);
  canvas.brush().solid = false;  // transparent: the sheet shows through
  canvas.font().color = Color::Red();
  canvas.font().size = 38;
  canvas.font().style = FontStyle{};
  const int end = canvas.textOut(place.numberAt.x, place.numberAt.y, std::to_string(score));
  canvas.font().size = 24;
  canvas.textOut(end, place.numberAt.y + place.unitRise, "点");
}

}  // namespace tavolo
