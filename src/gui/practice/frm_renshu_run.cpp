// The practice window at work: opening on a sheet, forwarding what the
// learner does to the run, and showing what the run answers.

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "app/practice_flow.h"
#include "app/record_file.h"
#include "draw/font_substitution.h"
#include "draw/page_image.h"
#include "draw/qt_text.h"
#include "gui/app/frm_print.h"
#include "gui/app/widget_helpers.h"
#include "gui/app/worksheet_printable.h"
#include "gui/practice/frm_renshu.h"
#include "gui/practice/frm_zen_seikai.h"
#include "gui/practice/message_picture_view.h"
#include "gui/practice/number_pad_panel.h"
#include "gui/practice/scratch_pad.h"
#include "gui/practice/sheet_picture.h"
#include "practice/run_recorder.h"

namespace tavolo {

namespace {

// The run places the fields as the window would from its left edge past the
// start panel; the sheet picture itself starts this much further right, so on
// the picture the fields stand this much further left, right over the boxes.
constexpr int kFieldShift = TfrmRenshu::kPaperGap;

QString CssColour(Color c) { return QColor(c.red, c.green, c.blue).name(); }

// A learner whose name cannot name a record file has no records to keep.
class RefusedRecorder final : public RunRecorder {
 public:
  explicit RefusedRecorder(std::string message) : message_(std::move(message)) {}
  Status Record(const RunRecord&) override { return Failure{message_}; }

 private:
  std::string message_;
};

}  // namespace

// The run's messages, as message boxes over this window. Before each one the
// window shows what the run has done so far, so that the learner sees the
// last mark before "練習を終わりました".
class TfrmRenshu::Messages final : public Dialogs {
 public:
  explicit Messages(TfrmRenshu& window) : window_(window), boxes_(&window) {}

  void Inform(std::string_view message) override {
    window_.ShowPending();
    boxes_.Inform(message);
  }
  bool AskYesNo(std::string_view question) override {
    window_.ShowPending();
    return boxes_.AskYesNo(question);
  }
  bool AskBeforeDestroying(std::string_view question) override {
    window_.ShowPending();
    return boxes_.AskBeforeDestroying(question);
  }
  Answer AskYesNoCancel(std::string_view question) override {
    window_.ShowPending();
    return boxes_.AskYesNoCancel(question);
  }
  std::optional<std::string> ChooseSaveFile(std::string_view suggested,
                                            std::string_view filter) override {
    return boxes_.ChooseSaveFile(suggested, filter);
  }
  std::optional<std::string> ChooseOpenFile(std::string_view folder,
                                            std::string_view filter) override {
    return boxes_.ChooseOpenFile(folder, filter);
  }

 private:
  TfrmRenshu& window_;
  MessageDialogs boxes_;
};

// The sheet as the print dialog sees it from here: with the learner's
// answers in the boxes and the marks their statuses give.
class TfrmRenshu::PrintSource final : public WorksheetPrintable {
 public:
  PrintSource(TfrmRenshu& window, TfrmPrint& sheet) : WorksheetPrintable(sheet), window_(window) {
    const PracticeRun& run = *window.run_;
    for (int n = 1; n <= run.BoxCount(); ++n) {
      const std::string& answer = run.LearnerAnswer(n);
      // A box never answered prints empty, not the "never entered" marker.
      answers_.push_back(answer == kNotEntered ? std::string() : answer);
    }
  }

  PageRenderer& Renderer() override { return window_.renderer_; }
  AnswerBoxRegistry& Registry() override { return window_.registry_; }
  PageSettings BaseSettings() override {
    PageSettings settings = window_.host_.pageSettings(sheet_);
    settings.learnerAnswers = &answers_;
    return settings;
  }
  // The practice picture is never reduced; the printed page is drawn anew.
  void LeaveReducedView() override {}
  // The learner's answers belong to the numbers the run showed: every copy
  // is the sheet as it stands, never another variant.
  const CopyVariants* Variants() const override { return nullptr; }

 private:
  TfrmRenshu& window_;
  std::vector<std::string> answers_;
};

WorksheetVariants::WorksheetVariants(TfrmPrint& sheet, const CopyVariants& variants,
                                     std::vector<std::string> hints)
    : sheet_(sheet), variants_(variants), hints_(std::move(hints)) {}

std::int64_t WorksheetVariants::Count() const { return variants_.PracticeChoices(); }

VariantLines WorksheetVariants::Show(std::int64_t n) {
  const int variant = static_cast<int>(n);
  sheet_.ShowRunVariant(variant);
  return {sheet_.Document().params.unit.kgroupLines, variants_.FilledLines(variant, hints_)};
}

TfrmRenshu::~TfrmRenshu() = default;

void TfrmRenshu::SetRecordsViewer(std::function<void()> show) {
  showRecords_ = std::move(show);
  btnShowRecord_->setEnabled(static_cast<bool>(showRecords_));
}

void TfrmRenshu::ShowFor(TfrmPrint& sheet, const AppState& app) {
  if (!dialogs_) dialogs_ = std::make_unique<Messages>(*this);
  sheet_ = &sheet;
  closing_ = false;
  learnerName_ = app.LearnerName();
  const SheetDocument& document = sheet.Document();
  charSize_ = document.params.charSize;

  auto target = RunRecordTarget(app, document.address, sheet.Choice().captions.unit,
                                document.master ? std::string_view() : document.filePath,
                                sheet.Choice().similar);
  if (target) {
    records_ = std::move(target).value();
    recordsProblem_.clear();
    recorder_ = std::make_unique<RecordFileRecorder>(*records_);
  } else {
    records_.reset();
    recordsProblem_ = target.message();
    recorder_ = std::make_unique<RefusedRecorder>(recordsProblem_);
  }
  std::vector<std::string> hints = UnitHintLines(document);
  if (const CopyVariants* variants = sheet.Variants())
    variants_ = std::make_unique<WorksheetVariants>(sheet, *variants, hints);
  run_ = std::make_unique<PracticeRun>(
      registry_, PracticeSheetFor(document, sheet.Layout(), std::move(hints), kStartPanelWidth),
      *dialogs_, *recorder_, SystemRandomIndex());
  run_->SetVariants(variants_.get());

  setWindowTitle(sheet.windowTitle());
  QFont font(SubstituteFontFamily(QString::fromUtf8(kAnswerFont)));
  font.setPixelSize(qRound(charSize_ * 96.0 / 72.0));
  for (QLineEdit* edit : edits_) edit->setFont(font);
  for (EditLook& look : looks_) look.initialised = false;
  radios_[0]->setChecked(true);
  lstKgroup_->clear();

  Act([this] { return run_->Open(); });
  recordsPanelWidth_ = RecordsPanelWidth(run_->BoxCount(), sheet.Choice().similar);
  FitToScreen();
  imgMemo_->Prepare();

  exec();

  timSecond_->stop();
  run_.reset();
  recorder_.reset();
  // The sheet shows the variant of its number again.
  if (variants_ && sheet_) sheet_->ShowRunVariant(std::nullopt);
  variants_.reset();
  sheet_ = nullptr;
}

void TfrmRenshu::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  LayOut();
  if (run_) ApplyFocus();
}

void TfrmRenshu::closeEvent(QCloseEvent* event) {
  closing_ = true;
  ScrollToTop();
  if (run_) Act([this] { return run_->Close(); });
  timSecond_->stop();
  QDialog::closeEvent(event);
}

// Esc closes the window between runs; during a run it could throw the
// learner's work away, so it does nothing then.
void TfrmRenshu::reject() {
  if (closing_) {
    QDialog::reject();
    return;
  }
  if (run_ && run_->Mode() != RunMode::Idle) return;
  close();
}

bool TfrmRenshu::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < 4; ++i) {
    if (watched == swatches_[static_cast<std::size_t>(i)] &&
        event->type() == QEvent::MouseButtonPress) {
      ChooseColour(i + 1);
      return true;
    }
  }
  if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && edit->parent() == imgPaper2_) {
    const int n = edit->property("box").toInt();
    switch (event->type()) {
      case QEvent::KeyPress: {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
          BoxEntered(n);
          return true;  // the field's own Enter, never the dialog's
        }
        // During a run Tab and Shift+Tab go round the open boxes, so that a
        // learner can skip one and come back to it without the mouse.
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && run_ &&
            run_->Mode() != RunMode::Idle) {
          const bool forward =
              key == Qt::Key_Tab && !press->modifiers().testFlag(Qt::ShiftModifier);
          Act([this, forward] { return run_->TabToBox(forward); });
          return true;
        }
        break;
      }
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        // The field the learner was in last is the current box; the window's
        // own focus moves were decided by the run already.
        if (run_ && !applying_ && !acting_) {
          run_->FocusBox(n);
          PadFollowsTheCurrentBox();
        }
        break;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmRenshu::Act(const std::function<RunUpdate()>& action) {
  if (!run_ || acting_) return;
  acting_ = true;
  const RunUpdate update = action();
  acting_ = false;
  Apply(update);
  ApplyFocus();
}

void TfrmRenshu::ShowPending() {
  if (run_ && acting_) Apply(run_->TakeUpdate());
}

void TfrmRenshu::Apply(const RunUpdate& update) {
  applying_ = true;
  if (update.redrawSheet) RedrawSheet();
  imgPaper2_->Draw(update.drawings);
  ShowView();
  if (update.scrollToTop) ScrollToTop();
  applying_ = false;
  if (update.refreshRecords) RefreshRecords();
  if (update.refreshCourseMarks && host_.recordsChanged) host_.recordsChanged();
  if (update.showAllCorrectNotice) frmZenSeikai_->exec();
}

void TfrmRenshu::ShowView() {
  const PracticeView& v = run_->View();
  const RunPanels& panels = v.panels;
  pnlRenshu_->setVisible(panels.startPanelVisible);
  pnlSS_->setVisible(panels.workPanelVisible);
  grbTest_->setVisible(panels.runButtonsVisible);
  pnlKiroku_->setVisible(panels.recordsPanelVisible);
  lblKiroku_->setVisible(panels.recordsListVisible);
  memKiroku_->setVisible(panels.recordsListVisible);
  btnAnswer_->setVisible(panels.answerButtonVisible);
  btnAnswer_->setEnabled(panels.answerButtonEnabled);
  btnSaiten_->setVisible(panels.gradeButtonVisible);
  btnHint_->setVisible(panels.hintButtonVisible);
  btnHint_->setEnabled(panels.hintButtonEnabled);
  btnFukushu_->setEnabled(v.reviewEnabled);
  btnTest_->setEnabled(v.testEnabled);
  grbSelect_->setVisible(panels.choiceGroupVisible);
  pnlBunsu_->setVisible(panels.numberPadVisible);
  QStringList choices;
  for (const std::string& choice : v.choices) choices << ToQString(choice);
  QStringList listed;
  for (int i = 0; i < lstKgroup_->count(); ++i) listed << lstKgroup_->item(i)->text();
  if (listed != choices) {
    lstKgroup_->clear();
    lstKgroup_->addItems(choices);
  }

  ShowBoxEdits();
  if (imgMessXX_->Shown().texts != v.message.texts ||
      imgMessXX_->Shown().picture != v.message.picture) {
    imgMessXX_->Show(v.message);
    FitMessagePicture();
    scrMessXX_->verticalScrollBar()->setValue(0);
  }
  imgMess_->Show(v.result);
  imgMess_->setVisible(v.resultVisible);
  ShowPad(false);
  if (v.timerRunning && !timSecond_->isActive()) timSecond_->start();
  if (!v.timerRunning) timSecond_->stop();
}

void TfrmRenshu::ShowBoxEdits() {
  const PracticeView& v = run_->View();
  imgPaper2_->SetMinimumRoom(v.fieldsRight);  // the drawings under the fields reach that far
  edits_[0]->hide();
  for (int n = 1; n <= AnswerBoxRegistry::kMaxBoxes; ++n) {
    QLineEdit* edit = edits_[static_cast<std::size_t>(n)];
    if (n > v.boxCount) {
      edit->hide();
      continue;
    }
    const BoxEdit& box = v.edits[static_cast<std::size_t>(n)];
    EditLook& look = looks_[static_cast<std::size_t>(n)];
    if (!look.initialised || look.background != v.boxColor || look.red != box.redText) {
      edit->setStyleSheet(
          QStringLiteral("QLineEdit { background-color: %1; color: %2; border: 1px solid #808080;"
                         " padding: 0px 1px; }")
              .arg(CssColour(v.boxColor),
                   box.redText ? QStringLiteral("#FF0000") : QStringLiteral("#000000")));
      look.background = v.boxColor;
      look.red = box.redText;
    }
    if (!look.initialised || look.readOnly != box.readOnly) {
      edit->setReadOnly(box.readOnly);
      look.readOnly = box.readOnly;
    }
    // After setReadOnly, which switches the input method itself.
    SetInputMethod(edit, !box.readOnly && box.inputMethod);
    look.initialised = true;
    const QRect place(box.rect.left - kFieldShift, box.rect.top, box.rect.Width(),
                      box.rect.Height());
    if (edit->geometry() != place) edit->setGeometry(place);
    const QString text = ToQString(box.text);
    if (edit->text() != text) edit->setText(text);
    edit->setVisible(box.visible);
  }
}

void TfrmRenshu::ApplyFocus() {
  const PracticeView& v = run_->View();
  // After one of the run's messages the keyboard belongs here again at once,
  // not only once the window system gets round to it: the learner goes on
  // typing or presses Enter on the button the run chose.
  if (isVisible() && !isActiveWindow()) activateWindow();
  applying_ = true;
  switch (v.focus) {
    case FocusTarget::Box:
      if (v.focusBox >= 1 && v.focusBox <= AnswerBoxRegistry::kMaxBoxes) {
        QLineEdit* edit = edits_[static_cast<std::size_t>(v.focusBox)];
        if (edit->isVisible()) {
          edit->setFocus();
          if (v.selectText) {
            edit->selectAll();
          } else {
            edit->deselect();
            edit->end(false);
          }
          scrPaper_->ensureWidgetVisible(edit, 40, 60);
        }
      }
      break;
    case FocusTarget::CloseButton:
      btnEnd_->setFocus();
      break;
    case FocusTarget::ReviewButton:
      btnFukushu_->setFocus();
      break;
    case FocusTarget::GradeButton:
      btnSaiten_->setFocus();
      break;
    case FocusTarget::PracticeButton:
      btnRenshu_->setFocus();
      break;
    case FocusTarget::None:
      break;
  }
  applying_ = false;
}

// The pad's fields type for the current box, so they follow its input method.
void TfrmRenshu::PadFollowsTheCurrentBox() {
  const PracticeView& v = run_->View();
  const int box = v.currentBox;
  pnlBunsu_->SetInputMethod(box >= 1 && box <= v.boxCount &&
                            v.edits[static_cast<std::size_t>(box)].inputMethod);
}

void TfrmRenshu::ShowPad(bool focusIt) {
  pnlBunsu_->Show(run_->Pad());
  PadFollowsTheCurrentBox();
  if (focusIt) pnlBunsu_->FocusField(run_->Pad().FocusedField());
}

void TfrmRenshu::RedrawSheet() {
  if (!sheet_) return;
  // The sheet is drawn without its answers, and this drawing does not
  // register boxes: the fields lie over the boxes the sheet window registered.
  PageSettings settings = host_.pageSettings(*sheet_);
  settings.answers = false;
  settings.registerBoxes = false;
  QImage page = RenderPageImage(renderer_, sheet_->Page(), settings, devicePixelRatioF());
  imgPaper2_->SetPage(std::move(page));
}

void TfrmRenshu::RefreshRecords() {
  if (!records_) {
    lblKiroku_->setText(ToQString(recordsProblem_));
    memKiroku_->clear();
    return;
  }
  const RecordsList list = ReadRecordsList(*records_, learnerName_);
  lblKiroku_->setText(ToQString(list.caption));
  memKiroku_->setPlainText(JoinedLines(list.lines));
  // The newest run is the one the learner looks for.
  memKiroku_->verticalScrollBar()->setValue(memKiroku_->verticalScrollBar()->maximum());
}

void TfrmRenshu::ScrollToTop() {
  scrPaper_->verticalScrollBar()->setValue(0);
  scrPaper_->horizontalScrollBar()->setValue(0);
}

void TfrmRenshu::btnRenshuClick() {
  Act([this] { return run_->StartPractice(); });
}

void TfrmRenshu::btnTestClick() {
  Act([this] { return run_->StartTest(); });
}

void TfrmRenshu::btnFukushuClick() {
  Act([this] { return run_->StartReview(); });
}

void TfrmRenshu::btnEndClick() { close(); }

void TfrmRenshu::btnShowRecordClick() {
  if (!showRecords_) return;
  showRecords_();
  RefreshRecords();
}

void TfrmRenshu::btnStartPrintClick() {
  if (!sheet_ || !run_ || !host_.print) return;
  ScrollToTop();
  PrintSource source(*this, *sheet_);
  host_.print(source);
}

void TfrmRenshu::ChooseColour(int swatch) {
  if (!run_ || run_->Mode() != RunMode::Idle) return;
  radios_[static_cast<std::size_t>(swatch - 1)]->setChecked(true);
  Act([this, swatch] { return run_->ChooseBoxColor(swatch); });
}

void TfrmRenshu::BoxEntered(int n) {
  Act([this, n] {
    run_->FocusBox(n);
    return run_->Enter();
  });
}

void TfrmRenshu::BoxEdited(int n, const QString& text) {
  // While the window shows the run's view, the text is the run's own.
  if (run_ && !applying_) run_->TypeInBox(n, ToStdString(text));
}

}  // namespace tavolo
