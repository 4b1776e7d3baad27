#pragma once
// The source editor `frmEditSource`: a whole course file in one text box, for
// the editors' "edit the source directly". The caller writes the lines back
// on OK; Cancel changes nothing. OK first asks the caller's check, so a text
// that cannot be written is refused with the window still open.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "authoring/written_lines.h"
#include "platform/dialogs.h"

class QPlainTextEdit;

namespace tavolo {

class TfrmEditSource final : public QDialog {
  Q_OBJECT
 public:
  // Why the edited lines cannot be written, or nothing when they can.
  using SourceCheck = LinesCheck;

  // openHelp shows the help topic of a context number.
  TfrmEditSource(Dialogs& dialogs, std::function<void(int)> openHelp, QWidget* parent = nullptr);

  // Shows the lines of path modally over `area`; the edited lines on OK.
  std::optional<std::vector<std::string>> Edit(const std::string& path, int helpContext,
                                               const std::vector<std::string>& lines,
                                               const QRect& area, SourceCheck check = {});

 protected:
  void reject() override;  // Esc and the close box: changed text is not dropped unasked
  void closeEvent(QCloseEvent* event) override;

 private:
  void btnOkClick();
  std::vector<std::string> EditedLines() const;

  Dialogs& dialogs_;
  std::function<void(int)> openHelp_;
  SourceCheck check_;
  int helpContext_ = 0;
  QPlainTextEdit* memEditBuffer_;
};

}  // namespace tavolo
