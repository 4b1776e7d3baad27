#include "practice/number_pad.h"

#include <utility>

namespace tavolo {

void NumberPad::PressKey(char key) {
  if (mode_ == Mode::Numerator) {
    numerator_ += key;
    focus_ = Field::Numerator;
    return;
  }
  if (!denominator_.empty() || !numerator_.empty()) return;
  mainEntry_ += key;
  focus_ = Field::MainEntry;
}

void NumberPad::PressBunno() {
  if (!mainEntry_.empty() && (mainEntry_.front() == '-' || mainEntry_.front() == '+')) {
    sign_ = mainEntry_.substr(0, 1);
    mainEntry_.erase(0, 1);
  }
  if (mode_ == Mode::Numerator || !denominator_.empty()) {
    // A denominator is already there: it is kept, and the red bar tells the
    // learner to go on with the numerator.
    barRed_ = true;
  } else {
    denominator_ = std::exchange(mainEntry_, std::string());
  }
  focus_ = Field::Numerator;
  mode_ = Mode::Numerator;
}

void NumberPad::Type(Field field, std::string text) {
  switch (field) {
    case Field::MainEntry:
      mainEntry_ = std::move(text);
      break;
    case Field::Denominator:
      denominator_ = std::move(text);
      break;
    case Field::Numerator:
      numerator_ = std::move(text);
      break;
  }
  focus_ = field;
}

std::optional<std::string> NumberPad::Compose() {
  if (mainEntry_.empty() && denominator_.empty() && numerator_.empty()) return std::nullopt;
  if (denominator_.empty() && numerator_.empty()) return mainEntry_;
  if (numerator_.empty()) return std::nullopt;
  std::string text = sign_;
  if (!mainEntry_.empty()) text += mainEntry_ + "&";
  text += numerator_ + "/" + denominator_;
  mainEntry_.clear();
  denominator_.clear();
  numerator_.clear();
  barRed_ = false;
  mode_ = Mode::MainEntry;
  return text;
}

void NumberPad::Clear() {
  mainEntry_.clear();
  denominator_.clear();
  numerator_.clear();
  sign_.clear();
  barRed_ = false;
  mode_ = Mode::MainEntry;
  focus_ = Field::MainEntry;
}

}  // namespace tavolo
