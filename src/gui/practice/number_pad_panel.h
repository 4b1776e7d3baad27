#pragma once
// The number pad `pnlBunsu`: digit and sign keys, a main entry for whole
// numbers and decimals, and a fraction entered as it is read in Japanese,
// denominator first ("7" 分の "5" is five sevenths). The pad's rules are
// core's NumberPad; this panel shows it and reports the presses.

#include <QFrame>

#include "practice/number_pad.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolo {

class NumberPadPanel final : public QFrame {
  Q_OBJECT
 public:
  explicit NumberPadPanel(QWidget* parent = nullptr);

  // Shows the pad's entries, its sign and the colour of its fraction bar.
  void Show(const NumberPad& pad);
  // Switches the input method of the three fields (off while the current box
  // takes only half-width characters).
  void SetInputMethod(bool on);
  // The entry the pad wants the learner in, with the caret at its end.
  void FocusField(NumberPad::Field field);

 signals:
  void keyPressed(char key);  // 0-9, "-", "+", "."
  void bunnoPressed();        // 分の
  void nextPressed();         // 次へ, or Enter in the main entry or the numerator
  void clearPressed();        // 消去
  void denominatorEntered();  // Enter in the denominator
  void typed(NumberPad::Field field, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* Edit(NumberPad::Field field) const;

  QLineEdit* edtSign_;    // the main entry
  QLineEdit* edtBunbo_;   // denominator
  QLineEdit* edtBunshi_;  // numerator
  QLabel* lblSign_;
  QFrame* shpBunno_;  // the fraction bar
};

}  // namespace tavolo
