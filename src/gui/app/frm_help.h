#pragma once
// The help window: the course's HTML help pages in a browser of their own,
// opened on the contents or on one numbered topic, and reused for every call.

#include <QWidget>
#include <filesystem>

#include "platform/result.h"

class QTextBrowser;

namespace tavolo {

class TfrmHelp final : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmHelp(QWidget* parent = nullptr);

  // Shows the page and raises the window; a missing page is a failure with
  // the usual "ファイル … が見つかりません" and leaves the window as it was.
  Status ShowPage(const std::filesystem::path& page);

  QTextBrowser* Browser() const { return brwHelp_; }

 private:
  QTextBrowser* brwHelp_;
};

}  // namespace tavolo
