#include "gui/authoring/frm_edit_index.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "draw/qt_text.h"
#include "gui/app/redo_key.h"
#include "gui/app/widget_helpers.h"
#include "gui/authoring/index_glyphs.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

const QString kLoadedHint =
    QStringLiteral("インデックスを変更した後、[OK]ボタンをクリックします。");
const QString kBackgroundHint =
    QStringLiteral("インデックスを編集した後、マスターファイルを編集します。");
const QString kExpandCaption = QStringLiteral("表示を展開する");
const QString kCollapseCaption = QStringLiteral("表示を圧縮する");

// The hint line: light text on a dark strip, yellow until the pointer first
// crosses the window's background, green from then on.
const QColor kHintBackground(0x1E, 0x2A, 0x3A);
const QColor kHintYellow(0xFF, 0xFF, 0x00);
const QColor kHintGreen(0x00, 0xFF, 0x00);

QLineEdit* Edit(const char* name, bool readOnly, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(readOnly);
  return edit;
}

}  // namespace

TfrmEditIndex::TfrmEditIndex(const AppState& app, Dialogs& dialogs, TextInput& input, Host host,
                             QWidget* parent)
    : QDialog(parent), app_(app), dialogs_(dialogs), input_(input), host_(std::move(host)) {
  setObjectName("frmEditIndex");
  setWindowTitle(QStringLiteral("Tavolo Editor 教材の作成"));
  InstallRedoKey();
  // Modal to the main window only: the help pages stay usable beside it.
  setWindowModality(Qt::WindowModal);
  setMouseTracking(true);
  CreateControls();
}

void TfrmEditIndex::CreateControls() {
  lstELesson_ = CourseList("lstELesson", this);
  edtIndex_ = Edit("edtIndex", true, this);
  edtDataFile_ = Edit("edtDataFile", true, this);
  edtMainTitle_ = Edit("edtMainTitle", false, this);
  QFont titleFont = edtMainTitle_->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
  edtMainTitle_->setFont(titleFont);
  lstESection_ = CourseList("lstESection", this);
  lstEUnit_ = CourseList("lstEUnit", this);
  btnAdd_ = PlainButton(QStringLiteral("追加 =>"), "btnAdd", this);
  btnChange_ = PlainButton(QStringLiteral("変更 <>"), "btnChange", this);
  btnAdd2_ = PlainButton(QStringLiteral("追加 =>"), "btnAdd2", this);
  btnChange2_ = PlainButton(QStringLiteral("変更 <>"), "btnChange2", this);
  // The two pairs share captions: their accessible names say which list they serve.
  btnAdd_->setAccessibleName(QStringLiteral("主メニューを追加"));
  btnChange_->setAccessibleName(QStringLiteral("主メニューを変更"));
  btnAdd2_->setAccessibleName(QStringLiteral("副メニューを追加"));
  btnChange2_->setAccessibleName(QStringLiteral("副メニューを変更"));

  trvSect_ = new QTreeWidget(this);
  trvSect_->setObjectName("trvSect");
  trvSect_->setAccessibleName(QStringLiteral("インデックスの全構造"));
  trvSect_->setHeaderHidden(true);
  trvSect_->setIconSize(QSize(20, 20));
  QFont treeFont = trvSect_->font();
  treeFont.setPointSizeF(treeFont.pointSizeF() * 1.1);
  trvSect_->setFont(treeFont);
  btnExpand_ = PlainButton(kCollapseCaption, "btnExpand", this);
  btnExpand_->setIconSize(QSize(20, 20));

  btnOk_ = PlainButton(QStringLiteral(" Ｏ　Ｋ"), "btnOk", this);
  btnClose_ = PlainButton(QStringLiteral("キャンセル"), "btnClose", this);
  btnEditDirect_ = PlainButton(QStringLiteral("ソースの直接編集(&E)"), "btnEditDirect", this);
  btnHelp_ = PlainButton(QStringLiteral("ヘルプ(&H)"), "btnHelp", this);
  for (QPushButton* b : {btnOk_, btnClose_}) b->setMinimumWidth(110);

  pnlHint_ = new QLabel(this);
  pnlHint_->setObjectName("pnlHint");
  pnlHint_->setAccessibleName(QStringLiteral("ヒント"));
  QFont hintFont = pnlHint_->font();
  hintFont.setPointSizeF(hintFont.pointSizeF() * 1.1);
  pnlHint_->setFont(hintFont);
  pnlHint_->setMinimumHeight(pnlHint_->fontMetrics().height() + 12);
  pnlHint_->setContentsMargins(10, 0, 10, 0);
  Colour(pnlHint_, kHintBackground);

  auto* lessons = new QVBoxLayout;
  lessons->addWidget(BuddyLabel(QStringLiteral("コースウェア"), lstELesson_, this));
  lessons->addWidget(lstELesson_, 1);

  auto* files = new QGridLayout;
  files->addWidget(BuddyLabel(QStringLiteral("ｲﾝﾃﾞｯｸｽﾌｧｲﾙ"), edtIndex_, this), 0, 0);
  files->addWidget(edtIndex_, 0, 1);
  files->addWidget(BuddyLabel(QStringLiteral("マスターﾌｧｲﾙ"), edtDataFile_, this), 1, 0);
  files->addWidget(edtDataFile_, 1, 1);
  files->addWidget(BuddyLabel(QStringLiteral("タイトル"), edtMainTitle_, this), 2, 0);
  files->addWidget(edtMainTitle_, 2, 1);

  // Each list with its two buttons to the left, pointing into it.
  auto listColumn = [this](const QString& caption, QListWidget* list, QPushButton* add,
                           QPushButton* change) {
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(change);
    buttons->addStretch();
    auto* column = new QGridLayout;
    column->addWidget(BuddyLabel(caption, list, this), 0, 1);
    column->addLayout(buttons, 1, 0);
    column->addWidget(list, 1, 1);
    column->setRowStretch(1, 1);
    return column;
  };
  auto* lists = new QHBoxLayout;
  lists->addLayout(listColumn(QStringLiteral("主メニュー"), lstESection_, btnAdd_, btnChange_), 1);
  lists->addSpacing(8);
  lists->addLayout(listColumn(QStringLiteral("副メニュー"), lstEUnit_, btnAdd2_, btnChange2_), 1);

  auto* middle = new QVBoxLayout;
  middle->addLayout(files);
  middle->addSpacing(6);
  middle->addLayout(lists, 1);

  auto* tree = new QVBoxLayout;
  auto* treeLabel = BuddyLabel(QStringLiteral("インデックスの全構造"), trvSect_, this);
  tree->addWidget(treeLabel);
  tree->addWidget(trvSect_, 1);
  auto* expandRow = new QHBoxLayout;
  expandRow->addStretch();
  expandRow->addWidget(btnExpand_);
  tree->addLayout(expandRow);

  auto* top = new QHBoxLayout;
  top->addLayout(lessons, 2);
  top->addSpacing(8);
  top->addLayout(middle, 5);
  top->addSpacing(8);
  top->addLayout(tree, 4);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnEditDirect_);
  buttons->addWidget(btnHelp_);
  buttons->addStretch();
  buttons->addWidget(btnOk_);
  buttons->addWidget(btnClose_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  layout->addWidget(pnlHint_);

  SetHint(lstELesson_, QStringLiteral("編集するコースウェアを選択します"));
  SetHint(lstESection_, QStringLiteral("主インデックスを書きます"));
  SetHint(lstEUnit_, QStringLiteral("副インデックスを書きます"));
  for (QPushButton* b : {btnAdd_, btnAdd2_}) SetHint(b, QStringLiteral("項目を追加します"));
  for (QPushButton* b : {btnChange_, btnChange2_}) SetHint(b, QStringLiteral("項目を変更します"));
  SetHint(btnOk_, QStringLiteral("編集結果を保存して閉じます"));
  SetHint(btnClose_, QStringLiteral("編集結果を無視してして閉じます"));
  SetHint(btnEditDirect_, QStringLiteral("Main.indファイルを直接編集します"));
  SetHint(trvSect_, QStringLiteral("インデックスの全構造を表示します"));
  SetHint(btnExpand_, QStringLiteral("インデックスの表示を展開／圧縮します"));

  connect(lstELesson_, &QListWidget::currentRowChanged, this, &TfrmEditIndex::lstELessonClick);
  connect(lstESection_, &QListWidget::currentRowChanged, this, &TfrmEditIndex::lstESectionClick);
  connect(lstEUnit_, &QListWidget::currentRowChanged, this, &TfrmEditIndex::lstEUnitClick);
  connect(lstEUnit_, &QListWidget::itemDoubleClicked, this, &TfrmEditIndex::btnOkClick);
  connect(btnAdd_, &QPushButton::clicked, this, &TfrmEditIndex::btnAddClick);
  connect(btnChange_, &QPushButton::clicked, this, &TfrmEditIndex::btnChangeClick);
  connect(btnAdd2_, &QPushButton::clicked, this, &TfrmEditIndex::btnAdd2Click);
  connect(btnChange2_, &QPushButton::clicked, this, &TfrmEditIndex::btnChange2Click);
  connect(btnOk_, &QPushButton::clicked, this, &TfrmEditIndex::btnOkClick);
  // "キャンセル" says what it does: the edits go without a question.
  connect(btnClose_, &QPushButton::clicked, this, &TfrmEditIndex::btnCloseClick);
  connect(btnExpand_, &QPushButton::clicked, this, &TfrmEditIndex::btnExpandClick);
  connect(btnEditDirect_, &QPushButton::clicked, this, &TfrmEditIndex::btnEditDirectClick);
  // Ctrl+S is OK, as in every editor of the program.
  connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
          &TfrmEditIndex::btnOkClick);
  connect(btnHelp_, &QPushButton::clicked, this, [this] {
    if (host_.openHelp) host_.openHelp(kHelpContext);
  });
}

bool TfrmEditIndex::ShowEditor(const QRect& area) {
  if (Status read = editor_.ReadCourse(app_.CourseFolder()); !read) {
    dialogs_.Inform(read.message());
    return false;
  }
  setGeometry(area);
  hintTurnedGreen_ = false;
  {
    const QSignalBlocker notAClick(lstELesson_);
    FillList(lstELesson_, editor_.LessonCaptions());
    lstELesson_->setCurrentRow(0);
  }
  LoadLesson(1);
  // The tree opens with every section shown.
  expanded_ = false;
  btnExpandClick();
  lstEUnit_->setFocus();
  return exec() == QDialog::Accepted;
}

void TfrmEditIndex::SetHint(QWidget* control, const QString& hint) {
  hints_.insert(control, hint);
  control->installEventFilter(this);
}

void TfrmEditIndex::ShowHint(const QString& hint) {
  QPalette palette = pnlHint_->palette();
  palette.setColor(QPalette::WindowText, hintTurnedGreen_ ? kHintGreen : kHintYellow);
  pnlHint_->setPalette(palette);
  pnlHint_->setText(hint);
}

bool TfrmEditIndex::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter) {
    if (auto it = hints_.constFind(static_cast<QWidget*>(watched)); it != hints_.constEnd())
      ShowHint(*it);
  }
  return QDialog::eventFilter(watched, event);
}

// Moves over the window itself, its labels and the gaps between controls:
// the background's hint, unless the pointer is over a control with its own.
void TfrmEditIndex::mouseMoveEvent(QMouseEvent* event) {
  for (QWidget* w = childAt(event->position().toPoint()); w && w != this; w = w->parentWidget()) {
    if (auto it = hints_.constFind(w); it != hints_.constEnd()) {
      ShowHint(*it);
      return;
    }
  }
  hintTurnedGreen_ = true;
  ShowHint(kBackgroundHint);
}

void TfrmEditIndex::LoadLesson(int lesson) {
  if (Status loaded = editor_.LoadLesson(lesson); !loaded) dialogs_.Inform(loaded.message());
  const bool editable = editor_.lesson() > 0;
  edtIndex_->setText(editable ? ToQString(PathText(editor_.IndexPath())) : QString());
  edtMainTitle_->setText(ToQString(editor_.Title()));
  for (QWidget* w : {static_cast<QWidget*>(edtMainTitle_), static_cast<QWidget*>(btnAdd_),
                     static_cast<QWidget*>(btnChange_), static_cast<QWidget*>(btnAdd2_),
                     static_cast<QWidget*>(btnChange2_), static_cast<QWidget*>(btnEditDirect_)})
    w->setEnabled(editable);
  ShowTree({});
  expanded_ = true;
  ShowExpandButton();
  ShowSections();
  ShowUnits();
  ShowHint(kLoadedHint);
}

void TfrmEditIndex::ShowSections() {
  {
    const QSignalBlocker notAClick(lstESection_);
    FillList(lstESection_, editor_.SectionCaptions());
    lstESection_->setCurrentRow(editor_.section() - 1);
  }
}

void TfrmEditIndex::ShowUnits() {
  {
    const QSignalBlocker notAClick(lstEUnit_);
    FillList(lstEUnit_, editor_.UnitCaptions());
    lstEUnit_->setCurrentRow(editor_.unit() - 1);
  }
  edtDataFile_->setText(ToQString(editor_.DataFileText()));
  SelectTreeUnit();
}

void TfrmEditIndex::SelectTreeUnit() {
  QTreeWidgetItem* root = trvSect_->topLevelItem(0);
  if (!root || editor_.section() < 1) return;
  QTreeWidgetItem* section = root->child(editor_.section() - 1);
  if (!section) return;
  QTreeWidgetItem* unit = editor_.unit() > 0 ? section->child(editor_.unit() - 1) : nullptr;
  trvSect_->setCurrentItem(unit ? unit : section);
}

void TfrmEditIndex::ShowTree(const std::vector<bool>& expanded) {
  // Marks as the course menu will show them for this lesson once it is saved,
  // found through the lesson table the editor itself has just read.
  AppState course = app_;
  course.SetCourse(editor_.Course());
  marks_.Clear();
  marks_.Refresh(course, editor_.lesson(), editor_.Index(), true);
  const IndexTree tree = editor_.Tree([this](int s, int u) { return marks_.Text(s, u); });
  trvSect_->clear();
  if (editor_.lesson() < 1) return;
  const QIcon lessonIcon = IndexNodeIcon(IndexLevel::Lesson);
  const QIcon sectionIcon = IndexNodeIcon(IndexLevel::Section);
  const QIcon unitIcon = IndexNodeIcon(IndexLevel::Unit);
  auto* root = new QTreeWidgetItem(trvSect_, {ToQString(tree.title)});
  root->setIcon(0, lessonIcon);
  std::size_t s = 0;
  for (const IndexTreeSection& section : tree.sections) {
    auto* node = new QTreeWidgetItem(root, {ToQString(section.caption)});
    node->setIcon(0, sectionIcon);
    for (const std::string& row : section.unitRows) {
      auto* unit = new QTreeWidgetItem(node, {ToQString(row)});
      unit->setIcon(0, unitIcon);
    }
    node->setExpanded(s >= expanded.size() || expanded[s]);
    ++s;
  }
  root->setExpanded(true);
}

std::vector<bool> TfrmEditIndex::TreeExpansion() const {
  std::vector<bool> expanded;
  if (QTreeWidgetItem* root = trvSect_->topLevelItem(0)) {
    for (int i = 0; i < root->childCount(); ++i) expanded.push_back(root->child(i)->isExpanded());
  }
  return expanded;
}

void TfrmEditIndex::ShowExpandButton() {
  btnExpand_->setText(expanded_ ? kCollapseCaption : kExpandCaption);
  btnExpand_->setAccessibleName(btnExpand_->text());
  btnExpand_->setIcon(ExpandGlyph(!expanded_));
}

void TfrmEditIndex::lstELessonClick(int row) {
  if (row < 0) return;
  if (!editor_.MayDiscardEdits(ToStdString(edtMainTitle_->text()), dialogs_)) {
    // The teacher keeps the edits: the list shows the lesson being edited again.
    const QSignalBlocker notAClick(lstELesson_);
    lstELesson_->setCurrentRow(editor_.lesson() - 1);
    return;
  }
  LoadLesson(row + 1);
}

void TfrmEditIndex::lstESectionClick(int row) {
  if (row < 0) return;
  if (Status chosen = editor_.ChooseSection(row + 1); !chosen) {
    dialogs_.Inform(chosen.message());
    return;
  }
  ShowUnits();
}

void TfrmEditIndex::lstEUnitClick(int row) {
  if (row < 0) return;
  editor_.ChooseUnit(row + 1);
  SelectTreeUnit();
}

void TfrmEditIndex::btnAddClick() {
  if (!editor_.AddSection(input_, dialogs_)) return;
  // Only the new section is opened in the tree, where the teacher looks next.
  std::vector<bool> expanded(static_cast<std::size_t>(editor_.section()), false);
  expanded.back() = true;
  ShowTree(expanded);
  expanded_ = false;
  ShowExpandButton();
  ShowSections();
  ShowUnits();
}

void TfrmEditIndex::btnChangeClick() {
  if (!editor_.RenameSection(input_, dialogs_)) return;
  ShowTree(TreeExpansion());
  ShowSections();
  ShowUnits();
}

void TfrmEditIndex::btnAdd2Click() {
  if (!editor_.AddUnit(input_, dialogs_)) return;
  ShowTree(TreeExpansion());
  ShowUnits();
}

void TfrmEditIndex::btnChange2Click() {
  if (!editor_.RenameUnit(input_, dialogs_)) return;
  ShowTree(TreeExpansion());
  ShowUnits();
}

void TfrmEditIndex::btnOkClick() {
  auto saved = editor_.Save(ToStdString(edtMainTitle_->text()));
  if (!saved) {
    dialogs_.Inform(saved.message());
    return;
  }
  if (saved.value() && host_.indexChanged) host_.indexChanged();
  accept();
}

void TfrmEditIndex::reject() {
  if (editor_.AskSaveOnClose(ToStdString(edtMainTitle_->text()), dialogs_)) {
    btnOkClick();  // a failed save keeps the window and the edits
    return;
  }
  btnCloseClick();
}

void TfrmEditIndex::btnCloseClick() {
  editor_.Discard();
  QDialog::reject();
}

void TfrmEditIndex::btnExpandClick() {
  expanded_ = !expanded_;
  if (QTreeWidgetItem* root = trvSect_->topLevelItem(0)) {
    for (int i = 0; i < root->childCount(); ++i) root->child(i)->setExpanded(expanded_);
  }
  ShowExpandButton();
}

void TfrmEditIndex::btnEditDirectClick() {
  if (editor_.lesson() < 1 || !host_.editSource) return;
  const auto edited = host_.editSource(PathText(editor_.IndexPath()), kDirectEditHelpContext,
                                       editor_.LinesWithTitle(ToStdString(edtMainTitle_->text())),
                                       CheckIndexSource);
  if (!edited) return;
  if (Status written = editor_.WriteIndex(*edited); !written) {
    dialogs_.Inform(written.message());
    return;
  }
  if (host_.indexChanged) host_.indexChanged();
  {
    const QSignalBlocker notAClick(lstELesson_);
    lstELesson_->setCurrentRow(0);
  }
  LoadLesson(1);
}

}  // namespace tavolo
