#pragma once
// The title window `frmDummy`: the course's title picture on one big button,
// shown in the child area while no worksheet covers it.

#include <QMdiSubWindow>
#include <filesystem>

#include "platform/result.h"

class QPushButton;

namespace tavolo {

class TfrmDummy final : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit TfrmDummy(QWidget* parent = nullptr);

  // Loads the picture as the button's glyph; a file that is not an image
  // leaves the button empty and says why.
  Status SetTitlePicture(const std::filesystem::path& file);

  // The button is as big as the picture plus a border and placed at `topLeft`.
  void PlaceTitleButton(QPoint topLeft);
  QSize TitleButtonSize() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* btnTitle_;
};

}  // namespace tavolo
