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

void SetKeyLock(AppState& state, SettingsStore& settings, bool locked) {
  state.keyLock = locked;
  WriteSettingBool(settings, "KeyLock", locked);
}

void SetSchoolName(AppState& state, SettingsStore& settings, std::string_view name) {
  state.schoolName = std::string(name);
  WriteSettingText(settings, "theSchool", name);
}

}  // namespace tavolo
