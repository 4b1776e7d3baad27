#pragma once
// The text-input window `frmInputText`: one line for the name of a section or
// a unit that the index editor adds or renames. Enter is OK.

#include <QDialog>

#include "authoring/index_editor.h"

class QLabel;
class QLineEdit;

namespace tavolo {

class TfrmInputText final : public QDialog, public TextInput {
  Q_OBJECT
 public:
  explicit TfrmInputText(QWidget* parent = nullptr);

  // Empties the box (the change modes fill it with `current`, selected whole),
  // puts the focus in it and waits; the box's first line on OK.
  std::optional<std::string> AskText(std::string_view mode, std::string_view current) override;

  QLineEdit* InputBox() const { return memInput_; }

 private:
  QLabel* lblInput_;
  QLineEdit* memInput_;
};

}  // namespace tavolo
