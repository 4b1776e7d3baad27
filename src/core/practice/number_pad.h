#pragma once
// The number pad of the practice window. A fraction is entered the way it is
// read in Japanese, denominator first: "7", 分の, "5" gives '5/7'. Besides the
// digits the pad has a main entry (whole numbers, decimals, the whole part of
// a mixed number), a denominator, a numerator, a sign label that takes a
// leading "-" or "+" when 分の is pressed, and a fraction bar that turns red
// when 分の cannot take a new denominator. The composed texts are '3', '-3',
// '0.5', '5/7', '-5/7', '2&1/3' and '-2&1/3'.

#include <optional>
#include <string>

#include "sheet/canvas.h"

namespace tavolo {

class NumberPad {
 public:
  enum class Field { MainEntry, Denominator, Numerator };
  enum class Mode { MainEntry = 0, Numerator = 2 };

  // Digit buttons 0 to 9, "-", "+" and ".": appended to the main entry while
  // no fraction is begun (ignored otherwise), or to the numerator in mode 2.
  void PressKey(char key);
  // 分の.
  void PressBunno();
  // Typing into one of the pad's edits replaces its text.
  void Type(Field field, std::string text);
  // Enter in the denominator: on to the numerator.
  void EnterInDenominator() { focus_ = Field::Numerator; }

  // What 次へ puts into the current box: the main entry alone, or the
  // fraction when a numerator was given; nothing when the fraction lacks its
  // numerator or everything is empty. A composed fraction empties the pad.
  std::optional<std::string> Compose();
  // Back to the start: the edits and the sign emptied, the bar white, mode 0.
  void Clear();

  const std::string& MainEntry() const { return mainEntry_; }      // edtSign
  const std::string& Denominator() const { return denominator_; }  // edtBunbo
  const std::string& Numerator() const { return numerator_; }      // edtBunshi
  const std::string& Sign() const { return sign_; }                // lblSign
  Color BarColor() const { return barRed_ ? Color::FromBgr(0x0000FF) : Color::White(); }
  Mode CurrentMode() const { return mode_; }
  // The pad edit that has the keyboard focus (with the caret at its end).
  Field FocusedField() const { return focus_; }

 private:
  std::string mainEntry_, denominator_, numerator_, sign_;
  bool barRed_ = false;
  Mode mode_ = Mode::MainEntry;
  Field focus_ = Field::MainEntry;
};

}  // namespace tavolo
