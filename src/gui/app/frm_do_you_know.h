#pragma once
// The tips window `frmDoYouKnow`: a few buttons that open help topics, and the
// check box that decides whether it greets the user at the next start.

#include <QDialog>
#include <functional>

#include "platform/settings.h"

class QCheckBox;

namespace tavolo {

class TfrmDoYouKnow final : public QDialog {
  Q_OBJECT
 public:
  // openTopic shows the help topic of a context number.
  TfrmDoYouKnow(SettingsStore& settings, std::function<void(int)> openTopic,
                QWidget* parent = nullptr);

  QCheckBox* NextTimeBox() const { return chkNextTime_; }

  // However the window is closed (its button, Esc, the close box), the check
  // box is what the user last saw, so it is stored every time.
  void done(int result) override;

 private:
  SettingsStore& settings_;
  QCheckBox* chkNextTime_;
};

}  // namespace tavolo
