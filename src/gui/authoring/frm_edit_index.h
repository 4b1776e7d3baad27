#pragma once
// The index editor `frmEditIndex` ("Tavolo Editor 教材の作成"): the lessons of
// the course, the chosen lesson's sections and units with buttons to add and
// rename them, the whole lesson as a tree with the learner's marks, and a
// one-line hint at the bottom. What an edit does to the index is core's
// IndexEditor; this window shows it and forwards the clicks.

#include <QDialog>
#include <QHash>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/unit_marks.h"
#include "authoring/index_editor.h"
#include "authoring/written_lines.h"
#include "platform/dialogs.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace tavolo {

class TfrmEditIndex final : public QDialog {
  Q_OBJECT
 public:
  // What the editor needs from the rest of the program.
  struct Host {
    // Opens a help topic by its context number.
    std::function<void(int)> openHelp;
    // The source editor on the lines of a file; the edited lines on OK.
    std::function<std::optional<std::vector<std::string>>(const std::string& path, int helpContext,
                                                          const std::vector<std::string>& lines,
                                                          LinesCheck check)>
        editSource;
    // A lesson index was written: the course menu reads the indexes again.
    std::function<void()> indexChanged;
  };

  // Help topics of the window and of its direct edit.
  static constexpr int kHelpContext = 730;
  static constexpr int kDirectEditHelpContext = 710;

  TfrmEditIndex(const AppState& app, Dialogs& dialogs, TextInput& input, Host host,
                QWidget* parent = nullptr);

  // Opens the editor over `area` (the main window) on the first lesson and
  // waits; true when it closed with OK. A course index that cannot be read
  // is reported and the editor does not open.
  bool ShowEditor(const QRect& area);

  const IndexEditor& Editor() const { return editor_; }

 public slots:
  // Escape and the close box: asks first when something changed.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void CreateControls();
  void SetHint(QWidget* control, const QString& hint);
  void ShowHint(const QString& hint);

  void LoadLesson(int lesson);
  void ShowSections();
  void ShowUnits();
  void SelectTreeUnit();
  // The tree of the index lines, with every section expanded whose entry in
  // `expanded` is true (missing entries count as true).
  void ShowTree(const std::vector<bool>& expanded);
  std::vector<bool> TreeExpansion() const;
  void ShowExpandButton();

  void lstELessonClick(int row);
  void lstESectionClick(int row);
  void lstEUnitClick(int row);
  void btnAddClick();
  void btnChangeClick();
  void btnAdd2Click();
  void btnChange2Click();
  void btnOkClick();
  void btnCloseClick();
  void btnExpandClick();
  void btnEditDirectClick();

  const AppState& app_;
  Dialogs& dialogs_;
  TextInput& input_;
  Host host_;
  IndexEditor editor_;
  UnitMarks marks_;
  bool expanded_ = false;
  bool hintTurnedGreen_ = false;
  QHash<QWidget*, QString> hints_;

  QListWidget* lstELesson_ = nullptr;
  QLineEdit* edtIndex_ = nullptr;
  QLineEdit* edtDataFile_ = nullptr;
  QLineEdit* edtMainTitle_ = nullptr;
  QListWidget* lstESection_ = nullptr;
  QListWidget* lstEUnit_ = nullptr;
  QPushButton* btnAdd_ = nullptr;
  QPushButton* btnChange_ = nullptr;
  QPushButton* btnAdd2_ = nullptr;
  QPushButton* btnChange2_ = nullptr;
  QTreeWidget* trvSect_ = nullptr;
  QPushButton* btnExpand_ = nullptr;
  QPushButton* btnOk_ = nullptr;
  QPushButton* btnClose_ = nullptr;
  QPushButton* btnEditDirect_ = nullptr;
  QPushButton* btnHelp_ = nullptr;
  QLabel* pnlHint_ = nullptr;
};

}  // namespace tavolo
