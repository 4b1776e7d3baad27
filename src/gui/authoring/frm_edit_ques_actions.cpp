// What the question editor's buttons do: each collects the boxes it needs,
// asks core, and shows the result. Messages go through the program's Dialogs.

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "authoring/answer_choices.h"
#include "authoring/editor_figures.h"
#include "authoring/question_text.h"
#include "draw/qt_text.h"
#include "gui/app/frm_bmp.h"
#include "gui/app/widget_helpers.h"
#include "gui/authoring/frm_edit_ques.h"
#include "gui/authoring/frm_random_try.h"
#include "platform/text_file.h"
#include "random/editor_random.h"

namespace tavolo {

namespace {

constexpr std::string_view kSelectFirst = "囲む範囲を選択してください";

Lines BoxLines(const QPlainTextEdit* box) { return SplitLines(ToStdString(box->toPlainText())); }

// Replaces the whole text as one edit, so that Ctrl+Z takes the change back.
void SetBoxLines(QPlainTextEdit* box, const Lines& lines) {
  const QString text = JoinedLines(lines);
  if (box->toPlainText() == text) return;
  QTextCursor cursor(box->document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
}

Lines ListLines(const QListWidget* list) {
  Lines lines;
  for (int row = 0; row < list->count(); ++row)
    lines.push_back(ToStdString(list->item(row)->text()));
  return lines;
}

}  // namespace

void TfrmEditQues::ConnectControls() {
  connect(btnOk_, &QPushButton::clicked, this, &TfrmEditQues::btnOkClick);
  // Ctrl+S is OK, as in every editor of the program.
  connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
          &TfrmEditQues::btnOkClick);
  connect(btnCancel_, &QPushButton::clicked, this, &TfrmEditQues::btnCancelClick);
  connect(btnEditDirect_, &QPushButton::clicked, this, &TfrmEditQues::btnEditDirectClick);
  connect(btnKai_, &QPushButton::clicked, this, &TfrmEditQues::btnKaiClick);
  connect(btnNumber_, &QPushButton::clicked, this, &TfrmEditQues::btnNumberClick);
  connect(btnKakko_, &QPushButton::clicked, this, [this] { MarkupClick(TextStyle::Underline); });
  connect(BitBtn1_, &QPushButton::clicked, this, [this] { MarkupClick(TextStyle::Bold); });
  connect(BitBtn2_, &QPushButton::clicked, this, [this] { MarkupClick(TextStyle::Italic); });
  connect(btnTest_, &QPushButton::clicked, this, &TfrmEditQues::btnTestClick);
  connect(btnKgAdd_, &QPushButton::clicked, this, &TfrmEditQues::btnKgAddClick);
  connect(btnDummy_, &QPushButton::clicked, this, &TfrmEditQues::btnDummyClick);
  connect(btnKGClear_, &QPushButton::clicked, this, &TfrmEditQues::btnKGClearClick);
  connect(btnTry_, &QPushButton::clicked, this, &TfrmEditQues::btnTryClick);
  connect(btnQGAdd_, &QPushButton::clicked, this, [this] { AddFigures(FigureBox::Question); });
  connect(btnAGAdd_, &QPushButton::clicked, this, [this] { AddFigures(FigureBox::Answer); });
  connect(btnQGClear_, &QPushButton::clicked, memQGraph_, &QPlainTextEdit::clear);
  connect(btnAGClear_, &QPushButton::clicked, memAGraph_, &QPlainTextEdit::clear);
  // A click, or the arrow keys, on a file shows it in the preview.
  connect(flbGraph_, &QListWidget::currentItemChanged, this, &TfrmEditQues::flbGraphClick);
  // Every box counts, the dummies too: OK writes them into the unit.
  for (QPlainTextEdit* box :
       {MemQues_, memDummy_, memPasteLo_, memKgroup_, memHint_, memQGraph_, memAGraph_, memRandom_})
    connect(box, &QPlainTextEdit::textChanged, this, &TfrmEditQues::Changed);
  connect(memKgroup_, &QPlainTextEdit::textChanged, this, &TfrmEditQues::UpdateChoiceCounters);
}

void TfrmEditQues::Changed() {
  if (!showing_) editor_.modified = true;
}

bool TfrmEditQues::EditSheetUnit(const CourseIndex& course, const UnitAddress& address,
                                 const UnitCaptions& captions, const EditorSheet& sheet,
                                 const QRect& area) {
  editor_.Load(course, address, captions, &sheet, dialogs_);
  return Run(area);
}

bool TfrmEditQues::CreateUnit(const CourseIndex& course, const UnitAddress& address,
                              const UnitCaptions& captions, const QRect& area) {
  editor_.Load(course, address, captions, nullptr, dialogs_);
  return Run(area);
}

bool TfrmEditQues::Run(const QRect& area) {
  setGeometry(area);
  btnEditDirect_->setEnabled(!editor_.NewUnitMode());
  edtLesson_->setText(ToQString(EditorAddressText(editor_.Address())));
  edtTangen_->setText(ToQString(editor_.Title()));
  edtTangen_->setCursorPosition(0);  // the lesson's name first; the path shows its file name
  edtTangen_->setToolTip(edtTangen_->text());
  ShowFigureFiles();
  ShowLoadedUnit();
  // The extraction may have told of a faulty text before the window shows;
  // the caret is where it put it.
  return exec() == QDialog::Accepted;
}

void TfrmEditQues::ShowLoadedUnit() {
  preview_ = QImage();
  imgGraph_->clear();
  ShowBoxes();
  MemQues_->setFocus();
  lstKai_->clear();
  btnTestClick();
  UpdateChoiceCounters();
}

void TfrmEditQues::ShowBoxes() {
  showing_ = true;
  const UnitBlockBoxes& boxes = editor_.boxes;
  const std::pair<QPlainTextEdit*, const Lines*> shown[] = {
      {MemQues_, &boxes.question},    {memDummy_, &boxes.dummy},  {memKgroup_, &boxes.kgroup},
      {memHint_, &boxes.hint},        {memQGraph_, &boxes.graph}, {memAGraph_, &boxes.aGraph},
      {memPasteLo_, &boxes.settings}, {memRandom_, &boxes.random}};
  // A fresh text per unit: Ctrl+Z does not reach into the unit loaded before.
  for (const auto& [box, lines] : shown) box->setPlainText(JoinedLines(*lines));
  edtFileName_->setText(ToQString(editor_.FilePath()));
  edtFileName_->setToolTip(edtFileName_->text());
  showing_ = false;
}

void TfrmEditQues::CollectBoxes() {
  UnitBlockBoxes& boxes = editor_.boxes;
  boxes.question = BoxLines(MemQues_);
  boxes.dummy = BoxLines(memDummy_);
  boxes.kgroup = BoxLines(memKgroup_);
  boxes.hint = BoxLines(memHint_);
  boxes.graph = BoxLines(memQGraph_);
  boxes.aGraph = BoxLines(memAGraph_);
  boxes.settings = BoxLines(memPasteLo_);
  // A box shows no blank line at its end: while its text is what it showed,
  // the block as read stays, and so do its bytes in the file.
  if (memRandom_->toPlainText() != JoinedLines(boxes.random)) boxes.random = BoxLines(memRandom_);
}

QPlainTextEdit* TfrmEditQues::BoxOf(EditorBox box) const {
  switch (box) {
    case EditorBox::Question:
      return MemQues_;
    case EditorBox::Dummy:
      return memDummy_;
    case EditorBox::Kgroup:
      return memKgroup_;
    case EditorBox::Hint:
      return memHint_;
    case EditorBox::Graph:
      return memQGraph_;
    case EditorBox::AGraph:
      return memAGraph_;
    case EditorBox::Random:
      return memRandom_;
    case EditorBox::Settings:
      break;
  }
  return memPasteLo_;
}

void TfrmEditQues::PlaceCaret(QPlainTextEdit* box, int line, std::size_t offset) {
  const QTextBlock block = box->document()->findBlockByNumber(std::max(line, 1) - 1);
  QTextCursor cursor(block.isValid() ? block : box->document()->firstBlock());
  if (block.isValid() && offset > 0) {
    // The offset counts UTF-8 bytes; the box counts UTF-16 units.
    const QByteArray utf8 = block.text().toUtf8().left(static_cast<qsizetype>(offset));
    cursor.setPosition(block.position() + static_cast<int>(QString::fromUtf8(utf8).size()));
  }
  box->setTextCursor(cursor);
  box->ensureCursorVisible();
  box->setFocus();
}

bool TfrmEditQues::ShowSaveStop(const EditorSave& save) {
  switch (save.stop) {
    case EditorStop::Saved:
      return true;
    case EditorStop::QuestionText:
      PlaceCaret(MemQues_, save.line);
      break;
    case EditorStop::BoxLine:
      PlaceCaret(BoxOf(save.box), save.line, save.offset);
      break;
    case EditorStop::LayoutBlocks:
      PlaceCaret(memPasteLo_, 1);
      break;
    case EditorStop::Declined:  // the newer text stays; so do the edits on screen
    case EditorStop::File:
      break;  // the message said why; the edits stay for another try
  }
  return false;
}

void TfrmEditQues::btnOkClick() {
  CollectBoxes();
  if (!ShowSaveStop(editor_.Save(dialogs_))) return;
  if (host_.refreshMarks) host_.refreshMarks();
  accept();
}

void TfrmEditQues::btnCancelClick() {
  editor_.Cancel();
  if (host_.refreshMarks) host_.refreshMarks();
  QDialog::reject();
}

// Esc is the close box: changed boxes are not dropped without a question.
void TfrmEditQues::reject() { close(); }

void TfrmEditQues::done(int result) {
  frmBMP_->hide();
  QDialog::done(result);
}

void TfrmEditQues::closeEvent(QCloseEvent* event) {
  CollectBoxes();
  EditorSave save;
  switch (editor_.QueryClose(dialogs_, save)) {
    case EditorClose::Saved:
      if (host_.refreshMarks) host_.refreshMarks();
      event->accept();
      done(QDialog::Accepted);
      return;
    case EditorClose::Discarded:
      event->accept();
      btnCancelClick();
      return;
    case EditorClose::Stay:
      // The edits stay on screen, with the caret where the message pointed.
      ShowSaveStop(save);
      event->ignore();
      return;
  }
}

void TfrmEditQues::btnEditDirectClick() {
  if (!host_.editSource || !editor_.MayEditSource(dialogs_)) return;
  auto lines = editor_.SourceLines();
  if (!lines) {
    dialogs_.Inform(lines.message());
    return;
  }
  const Lines before = *lines;
  const auto edited = host_.editSource(editor_.FilePath(), before, [&before](const Lines& after) {
    return CheckQuestionSource(before, after);
  });
  if (!edited) return;
  if (Status saved = editor_.SaveSource(*edited, dialogs_); !saved) {
    dialogs_.Inform(saved.message());
    return;
  }
  ShowLoadedUnit();
}

bool TfrmEditQues::WrapSelection(const std::function<std::string(std::string_view)>& wrap) {
  QTextCursor cursor = MemQues_->textCursor();
  if (!cursor.hasSelection()) {
    dialogs_.Inform(kSelectFirst);
    return false;
  }
  cursor.insertText(ToQString(wrap(ToStdString(cursor.selectedText()))));
  MemQues_->setTextCursor(cursor);
  return true;
}

void TfrmEditQues::btnKaiClick() {
  if (WrapSelection(AnswerFieldText)) btnTestClick();
  MemQues_->setFocus();
}

void TfrmEditQues::MarkupClick(TextStyle style) {
  WrapSelection([style](std::string_view selection) { return StyledText(style, selection); });
  MemQues_->setFocus();
}

void TfrmEditQues::btnNumberClick() {
  Lines lines = BoxLines(MemQues_);
  NumberQuestionLines(lines);
  SetBoxLines(MemQues_, lines);
}

void TfrmEditQues::btnTestClick() {
  const Lines question = BoxLines(MemQues_);
  if (const auto fault = CheckQuestionText(question)) {
    dialogs_.Inform(fault->message);
    PlaceCaret(MemQues_, fault->line);
  } else {
    FillList(lstKai_, ExtractAnswers(question));
  }
  lblKosuh_->setText(QString::number(lstKai_->count()));
}

void TfrmEditQues::btnKgAddClick() {
  const ChoiceFilter filter{chkSuuji_->isChecked(), chkKigou_->isChecked()};
  SetBoxLines(memKgroup_, RebuildChoices(ListLines(lstKai_), filter));
  UpdateChoiceCounters();
}

void TfrmEditQues::btnDummyClick() {
  Lines choices = BoxLines(memKgroup_);
  AddDummyAnswers(choices, BoxLines(memDummy_));
  SetBoxLines(memKgroup_, choices);
  UpdateChoiceCounters();
}

void TfrmEditQues::btnKGClearClick() {
  memKgroup_->clear();
  UpdateChoiceCounters();
}

void TfrmEditQues::btnTryClick() {
  CollectBoxes();
  // A block of many combinations takes a moment to check and count.
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::vector<std::string> messages;
  for (const BoxMessage& message : CheckEditorRandomData(editor_.boxes))
    messages.push_back((message.warning ? "注意：" : "誤り：") + message.text);
  TfrmRandomTry frmRandomTry(EditorUnitContent(editor_.boxes), messages, this);
  QApplication::restoreOverrideCursor();
  frmRandomTry.exec();
}

void TfrmEditQues::UpdateChoiceCounters() {
  const ChoiceCounts counts = CountChoices(BoxLines(memKgroup_));
  lblKosuh2_->setText(QString::number(counts.characters));
  lblKosuh3_->setText(QString::number(counts.lines));
}

void TfrmEditQues::ShowFigureFiles() {
  const auto& folder = editor_.FigureFolder();
  FillList(flbGraph_, folder ? ListFigureFiles(*folder) : std::vector<std::string>{});
}

void TfrmEditQues::AddFigures(FigureBox kind) {
  QPlainTextEdit* box = kind == FigureBox::Question ? memQGraph_ : memAGraph_;
  Lines lines = BoxLines(box);
  std::vector<int> rows;
  for (const QListWidgetItem* item : flbGraph_->selectedItems())
    rows.push_back(flbGraph_->row(item));
  std::sort(rows.begin(), rows.end());
  for (int row : rows) {
    const std::string name = ToStdString(flbGraph_->item(row)->text());
    if (Status added =
            AddFigureEntry(lines, kind, name, editor_.Anchors(), editor_.QuestionsBottom());
        !added)
      dialogs_.Inform(added.message());
  }
  SetBoxLines(box, lines);
}

void TfrmEditQues::flbGraphClick() {
  const QListWidgetItem* item = flbGraph_->currentItem();
  const auto& folder = editor_.FigureFolder();
  if (!item || !folder) return;
  const QString path = ToQString(PathText(*folder / ToStdString(item->text())));
  const std::string name = ToStdString(item->text());
  if (!QFileInfo(path).isFile()) {
    dialogs_.Inform("ファイル " + name + " が見つかりません");
    return;
  }
  QImage picture;
  if (!picture.load(path)) {
    dialogs_.Inform("ファイル " + name + " を読み込めません");
    return;
  }
  preview_ = picture;
  imgGraph_->setPixmap(QPixmap::fromImage(picture.scaled(
      imgGraph_->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TfrmEditQues::ShowFigureViewer() {
  if (!preview_.isNull()) frmBMP_->ShowPicture(preview_);
}

bool TfrmEditQues::eventFilter(QObject* watched, QEvent* event) {
  if (watched == imgGraph_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    ShowFigureViewer();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tavolo
