#pragma once
// The desktop program's answer to core's Dialogs: message boxes with Japanese
// buttons over the main window, and the platform's file dialog.

#include <QPointer>
#include <QWidget>

#include "platform/dialogs.h"
#include "platform/result.h"

namespace tavolo {

class MessageDialogs final : public Dialogs {
 public:
  // Boxes are centred over `parent` (may be null, or set later).
  explicit MessageDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Inform(std::string_view message) override;
  bool AskYesNo(std::string_view question) override;
  bool AskBeforeDestroying(std::string_view question) override;
  Answer AskYesNoCancel(std::string_view question) override;
  std::optional<std::string> ChooseSaveFile(std::string_view suggested,
                                            std::string_view filter) override;
  std::optional<std::string> ChooseOpenFile(std::string_view folder,
                                            std::string_view filter) override;

 private:
  QPointer<QWidget> parent_;
};

// A failure told in a message box over `parent`, for windows that have no
// Dialogs of their own.
void InformFailure(QWidget* parent, const Status& failed);

}  // namespace tavolo
