#pragma once
// The answer-box settings dialog `frmSettei` ("設定"): the shape, size and
// answer position of the active worksheet's answer boxes and its margins.
// Every change goes into the worksheet at once and redraws it; Esc closes
// and keeps what was changed.

#include <QDialog>
#include <functional>

#include "sheet/sheet_params.h"

class QButtonGroup;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tavolo {

class TfrmSettei final : public QDialog {
  Q_OBJECT
 public:
  // What the dialog asks of the main window: edit the current sheet (an
  // edit, and whether it marks the sheet changed), toggle the zoom (returns
  // the zoom button's new caption), and jump the sheet's scroll position.
  struct Host {
    std::function<void(std::function<void(SheetParams&)>, bool)> editSheet;
    std::function<void()> toggleZoom;
    std::function<void()> scroll;
  };
  TfrmSettei(Host host, QWidget* parent = nullptr);

  // A worksheet became active: the boxes take its values.
  void LoadFrom(const SheetParams& params);
  // Shows the dialog modally for the sheet; true on "閉じる", false on Esc.
  // `page` is where the worksheet's page shows on the screen, `panel` the
  // main window's tool panel: the dialog goes beside the page, clear of both
  // where the screen has room, and always inside the screen.
  bool ShowFor(const SheetParams& params, const QRect& page, const QRect& panel);
  // The caption of the zoom switch, kept as the program's view changes.
  void ShowZoom(const QString& caption);

  int WidthValue() const;
  int HeightValue() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MarkShape(BoxKind shape);
  void ChooseShape(int buttonId);
  void EnableSizeBoxes(BoxKind shape);
  void Edit(std::function<void(SheetParams&)> change, bool marksModified = true);

  Host host_;
  bool suspended_ = false;  // boxes being filled from a sheet: not the user's edits
  QButtonGroup* shapes_;
  QRadioButton* radNon_;
  QRadioButton* radShikaku_;
  QRadioButton* radKasen_;
  QRadioButton* radRound_;
  QSpinBox* spnKranWX_;
  QSpinBox* spnKranH_;
  QSpinBox* spnAnsX_;
  QSpinBox* spnAnsY_;
  QSpinBox* spnLeftM_;
  QSpinBox* spnRightM_;
  QPushButton* btnKakudai_;
};

}  // namespace tavolo
