#pragma once
// The source editor `frmEditSource`: a whole course file in one text box, for
// the editors' "edit the source directly". The caller writes the lines back
// on OK; Cancel changes nothing.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace tavolo {

class TfrmEditSource final : public QDialog {
  Q_OBJECT
 public:
  // openHelp shows the help topic of a context number.
  explicit TfrmEditSource(std::function<void(int)> openHelp, QWidget* parent = nullptr);

  // Shows the lines of path modally over `area`; the edited lines on OK.
  std::optional<std::vector<std::string>> Edit(const std::string& path, int helpContext,
                                               const std::vector<std::string>& lines,
                                               const QRect& area);

 private:
  std::function<void(int)> openHelp_;
  int helpContext_ = 0;
  QPlainTextEdit* memEditBuffer_;
};

}  // namespace tavolo
