#include "app/app_state.h"

#include <algorithm>
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

void AppState::Tell(ViewChange change) const {
  if (viewChanged_) viewChanged_(change);
}

void AppState::SetAnswerDisplay(bool shown) {
  answerDisplay_ = shown;
  Tell(ViewChange::AnswerDisplay);
}

void AppState::SetShowAlternatives(bool shown) {
  showAlternatives_ = shown;
  Tell(ViewChange::Alternatives);
}

void AppState::SetReducedView(bool reduced) {
  reducedView_ = reduced;
  Tell(ViewChange::ReducedView);
}

void AppState::ShowPaper(const PaperChoice& paper) {
  paper_ = paper;
  Tell(ViewChange::Paper);
}

void AppState::SetRecordDrive(std::string drive) {
  recordDrive_ = std::move(drive);
  recordFolder_ = recordDrive_ + "Tavolo/LogOn";
}

bool AppState::IsOpen(const std::string& identity) const {
  return std::find(openSheets_.begin(), openSheets_.end(), identity) != openSheets_.end();
}

void AppState::RemoveOpenSheet(const std::string& identity) {
  openSheets_.erase(std::remove(openSheets_.begin(), openSheets_.end(), identity),
                    openSheets_.end());
}

Status ChoosePaper(AppState& state, SettingsStore& settings, int paperWidth) {
  state.ShowPaper(PaperFromSetting(paperWidth));
  return WriteSettingInteger(settings, "PaperSize", paperWidth);
}

std::string_view ZoomCaption(bool reduced) { return reduced ? "拡大" : "縮小"; }

std::string JoinProblems(const std::vector<std::string>& problems) {
  std::string message;
  for (const std::string& problem : problems) message += (message.empty() ? "" : "\n") + problem;
  return message;
}

Status SetKeyLock(AppState& state, SettingsStore& settings, bool locked) {
  state.SetKeyLock(locked);
  return WriteSettingBool(settings, "KeyLock", locked);
}

Status SetSchoolName(AppState& state, SettingsStore& settings, std::string_view name) {
  state.SetSchoolName(std::string(name));
  return WriteSettingText(settings, "theSchool", name);
}

}  // namespace tavolo
