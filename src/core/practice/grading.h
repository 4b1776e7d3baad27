#pragma once
// What counts as a correct answer, how a run is scored, and what the learner
// is shown for it. There is no algebra: an answer is correct when, trimmed,
// it is one of the strings the author wrote between the answer marks.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/answer_box_registry.h"
#include "sheet/canvas.h"
#include "sheet/markup_text.h"

namespace tavolo {

// Stands in a learner-answer table for "never entered".
inline constexpr std::string_view kNotEntered = "initX";

// The accepted answers of one box: its answer text split at every ";" (a text
// ending in ";" adds an empty answer). The first is the model answer, the one
// 答えを見る shows.
class AnswerKey {
 public:
  AnswerKey() = default;
  explicit AnswerKey(std::string_view answerText);

  const std::vector<std::string>& Answers() const { return answers_; }
  const std::string& Model() const;
  // Compares after TrimWideSpaces on both sides, byte for byte.
  bool Accepts(std::string_view text) const;
  // True when some accepted answer holds a character outside ASCII ("正の数",
  // "＜"): only then does the learner need the input method to type it. For
  // every other box the input method stays off, so a Japanese keyboard in
  // ひらがな mode still gives "-1/6" and not "ー１・６", which judging rejects.
  bool NeedsInputMethod() const;

 private:
  std::vector<std::string> answers_;
  std::vector<std::string> normalized_;
};

enum class Judgement { Wrong, Correct, CorrectAfterShown };

// Correct, or CorrectAfterShown when the box's answer had been shown first.
Judgement JudgeAnswer(const AnswerKey& key, bool answerShown, std::string_view text);

// The status a box keeps once the run is graded: a wrong answer is wrong at
// grading whatever went before.
AnswerStatus GradedStatus(Judgement judged);

// correct x 100 / count rounded half up (1 of 3: 33, 2 of 3: 67, 1 of 8: 13);
// 0 for no boxes.
int ScoreOf(int correct, int count);

// The praise that follows a correct answer in practice, in this order.
inline constexpr std::array<std::string_view, 6> kPraiseTable = {
    "正解です", "よくできました", "合っています", "ＧＯＯＤ", "ＧＲＥＡＴ", "ＮＩＣＥ"};

// "★★" + a praise chosen uniformly + "★★".
std::string PraiseText(const RandomIndex& random);

// The picture shown beside the records after a graded run.
enum class ResultPicture { Gaoh, Namida, Nanda, Sleep, Happy, GreenHeart, Kutta, RedHeart };

// 0: Gaoh; 1-39: Namida; 40-59: Nanda; 60-79: Sleep; 80-99: Happy or
// GreenHeart; 100: Kutta or RedHeart (each of a pair with equal chance).
ResultPicture ResultPictureFor(int score, const RandomIndex& random);

// The picture's control name ("imgGaoh", ...), also the name of its file.
std::string_view ResultPictureName(ResultPicture picture);

// Where the score goes on the sheet picture: the number (red, 38 points) at
// numberAt, then "点" (24 points) where the number ends, unitRise lower.
struct ScorePlacement {
  Point numberAt;
  int unitRise = 0;
};
ScorePlacement PlaceScore(int score, Point scoreSpot, int startPanelWidth, double scale);

// Draws the score on the sheet picture.
void DrawScore(Canvas& canvas, int score, Point scoreSpot, int startPanelWidth, double scale);

}  // namespace tavolo
