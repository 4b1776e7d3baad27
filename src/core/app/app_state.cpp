#include "app/app_state.h"

#include <cmath>

namespace tavolo {

namespace {
// Narrower or wider than any paper anyone prints on: a hand-edited or damaged
// setting. Such a width would make an empty or gigantic page image, so A4 wins.
constexpr int kMinPaperWidth = 100;
constexpr int kMaxPaperWidth = 2000;
}  // namespace

int PaperWidth(PaperSize size) { return SheetPapers()[static_cast<std::size_t>(size)].width; }

PaperChoice PaperFromSetting(int width) {
  if (width < kMinPaperWidth || width > kMaxPaperWidth) width = kDefaultPaperWidth;
  PaperChoice choice;
  choice.button = PaperSize::A4;
  const auto papers = SheetPapers();
  for (std::size_t i = 0; i < papers.size(); ++i)
    if (papers[i].width == width) choice.button = static_cast<PaperSize>(i);
  choice.width = width;
  choice.height = static_cast<int>(std::lround(width * std::sqrt(2.0)));
  return choice;
}

namespace {
void Tell(const AppState& state, ViewChange change) {
  if (state.viewChanged) state.viewChanged(change);
}
}  // namespace

void SetAnswerDisplay(AppState& state, bool shown) {
  state.answerDisplay = shown;
  Tell(state, ViewChange::AnswerDisplay);
}

void SetShowAlternatives(AppState& state, bool shown) {
  state.showAlternatives = shown;
  Tell(state, ViewChange::Alternatives);
}

void SetReducedView(AppState& state, bool reduced) {
  state.reducedView = reduced;
  Tell(state, ViewChange::ReducedView);
}

void ShowPaper(AppState& state, const PaperChoice& paper) {
  state.paper = paper;
  Tell(state, ViewChange::Paper);
}

Status ChoosePaper(AppState& state, SettingsStore& settings, int paperWidth) {
  ShowPaper(state, PaperFromSetting(paperWidth));
  return WriteSettingInteger(settings, "PaperSize", paperWidth);
}

std::string_view ZoomCaption(bool reduced) { return reduced ? "拡大" : "縮小"; }

std::string JoinProblems(const std::vector<std::string>& problems) {
  std::string message;
  for (const std::string& problem : problems) message += (message.empty() ? "" : "\n") + problem;
  return message;
}

Status SetKeyLock(AppState& state, SettingsStore& settings, bool locked) {
  state.keyLock = locked;
  return WriteSettingBool(settings, "KeyLock", locked);
}

Status SetSchoolName(AppState& state, SettingsStore& settings, std::string_view name) {
  state.schoolName = std::string(name);
  return WriteSettingText(settings, "theSchool", name);
}

}  // namespace tavolo
