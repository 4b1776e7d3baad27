#pragma once
// The practice window `frmRenshu`: a learner works the answer boxes of the
// worksheet in front in practice (練習), test (テスト) and review (復習).
// Every rule of a run is core's PracticeRun; this window lays an answer
// field over every box of the sheet picture, forwards what the learner does,
// and after each action copies the run's view onto its controls and draws
// what the run asks for.

#include <QDialog>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "gui/app/message_dialogs.h"
#include "practice/practice_run.h"
#include "practice/record_store.h"
#include "sheet/page_renderer.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;

namespace tavolo {

class CopyVariants;
class MessagePictureView;
class NumberPadPanel;
class PrintableSheet;
class ScratchPad;
class SheetPicture;
class TfrmPrint;
class TfrmZenSeikai;

// Each 練習 and テスト run puts its own variant on the worksheet, whose
// registering redraw gives the registry that variant's answers.
class WorksheetVariants final : public RunVariants {
 public:
  WorksheetVariants(TfrmPrint& sheet, const CopyVariants& variants, std::vector<std::string> hints);
  std::int64_t Count() const override;
  VariantLines Show(std::int64_t n) override;

 private:
  TfrmPrint& sheet_;
  const CopyVariants& variants_;
  std::vector<std::string> hints_;
};

class TfrmRenshu final : public QDialog {
  Q_OBJECT
 public:
  // What the window needs from the main window.
  struct Host {
    // The settings the sheet is drawn with now (school, learner, numbering).
    std::function<PageSettings(const TfrmPrint&)> pageSettings;
    // The print dialog for a sheet.
    std::function<void(PrintableSheet&)> print;
    // A run was recorded: the course menu's counts changed.
    std::function<void()> recordsChanged;
  };

  // The left start panel is this wide; the score's place on the sheet counts it in.
  static constexpr int kStartPanelWidth = 120;
  // The sheet picture stands this far right of the start panel.
  static constexpr int kPaperGap = 5;
  // Wide enough for the longest praise at its size.
  static constexpr int kWorkPanelWidth = 270;
  // The records panel at least: the longest row of the instructions must fit.
  static constexpr int kRecordsPanelWidth = 270;

  TfrmRenshu(PageRenderer& renderer, AnswerBoxRegistry& registry, Host host,
             QWidget* parent = nullptr);
  ~TfrmRenshu() override;

  // Shows the window modally on the sheet; returns when it has closed.
  void ShowFor(TfrmPrint& sheet, const AppState& app);
  // What 記録表示 opens (the records viewer of the lesson); without one the
  // button cannot be pressed.
  void SetRecordsViewer(std::function<void()> show);

  // The run while the window is open.
  const PracticeRun* Run() const { return run_.get(); }
  const QImage& SheetPictureImage() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Messages;
  class PrintSource;

  void CreateStartPanel();
  void CreateWorkPanel();
  void CreateRecordsPanel();
  void CreateBoxEdits();
  void LayOut();
  // The window's size and place for the sheet shown, then LayOut.
  void FitToScreen();
  void FitMessagePicture();
  int RecordsPanelWidth(int boxes, int variant) const;

  // One user action: the run acts, then the window shows what came of it.
  void Act(const std::function<RunUpdate()>& action);
  // What the run asked for so far, shown at once (before a message box).
  void ShowPending();
  void Apply(const RunUpdate& update);
  void ShowView();
  void ShowBoxEdits();
  void ApplyFocus();
  void RedrawSheet();
  void RefreshRecords();
  void ScrollToTop();
  void ShowPad(bool focusIt);
  void PadFollowsTheCurrentBox();

  void btnRenshuClick();
  void btnTestClick();
  void btnFukushuClick();
  void btnEndClick();
  void btnShowRecordClick();
  void btnStartPrintClick();
  void ChooseColour(int swatch);
  void BoxEntered(int n);
  void BoxEdited(int n, const QString& text);

  PageRenderer& renderer_;
  AnswerBoxRegistry& registry_;
  Host host_;
  std::unique_ptr<Dialogs> dialogs_;  // a Messages, made on first showing
  std::function<void()> showRecords_;

  // The sheet and the run while the window is open.
  QPointer<TfrmPrint> sheet_;
  std::string learnerName_;
  std::optional<RecordTarget> records_;
  std::string recordsProblem_;  // why there is no record file for this learner
  std::unique_ptr<RunRecorder> recorder_;
  std::unique_ptr<WorksheetVariants> variants_;  // a unit with random data; outlives the run
  std::unique_ptr<PracticeRun> run_;
  int charSize_ = 12;
  // Set while the window copies the run's view: focus changes are its own.
  bool applying_ = false;
  // Set while the run is acting: its own dialogs move the focus about.
  bool acting_ = false;
  // Set once the window is closing: the run is closed and Esc may close.
  bool closing_ = false;

  // Start panel.
  QFrame* pnlRenshu_;
  QPushButton* btnRenshu_;
  QPushButton* btnTest_;
  QPushButton* btnFukushu_;
  QPushButton* btnShowRecord_;
  QPushButton* btnStartPrint_;
  QPushButton* btnEnd_;
  QGroupBox* grbColor_;
  std::array<QFrame*, 4> swatches_{};
  std::array<QRadioButton*, 4> radios_{};

  // The sheet.
  QScrollArea* scrPaper_;
  SheetPicture* imgPaper2_;
  std::array<QLineEdit*, AnswerBoxRegistry::kMaxBoxes + 1> edits_{};
  struct EditLook {
    Color background;
    bool red = false;
    bool readOnly = true;
    bool initialised = false;
  };
  std::array<EditLook, AnswerBoxRegistry::kMaxBoxes + 1> looks_{};

  // Work panel.
  QFrame* pnlSS_;
  QGroupBox* grbTest_;
  QPushButton* btnAnswer_;
  QPushButton* btnAbort_;
  QPushButton* btnSaiten_;
  QPushButton* btnHint_;
  QScrollArea* scrMessXX_;
  int recordsPanelWidth_ = kRecordsPanelWidth;
  MessagePictureView* imgMessXX_;
  QGroupBox* grbSelect_;
  QListWidget* lstKgroup_;
  QPushButton* btnNext2_;
  QPushButton* btnClear2_;
  NumberPadPanel* pnlBunsu_;
  ScratchPad* imgMemo_;

  // Records panel.
  QFrame* pnlKiroku_;
  MessagePictureView* imgMess_;
  QLabel* lblKiroku_;
  QPlainTextEdit* memKiroku_;

  QTimer* timSecond_;
  TfrmZenSeikai* frmZenSeikai_;
};

}  // namespace tavolo
