// A learner at the installed program, for the package test: loaded into
// `tavolo` with LD_PRELOAD (the program and its Qt part are the installed
// ones, untouched), it waits for the main window and then does what a learner
// does with the mouse and keys: "学　習", the first unit of the course menu,
// "テスト", an answer typed into the first box, "採点", "閉じる", and closes the
// program. What it did goes to the file named by TAVOLO_DRIVER_LOG. It gives
// up (status 3) after a minute, so a window it does not expect never hangs the
// test.

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

enum class Stage { Start, InPractice, TestChosen, Answered, Graded, Closed, Done };

Stage stage = Stage::Start;
int ticks = 0;

void Log(const QString& text) {
  QFile log(qEnvironmentVariable("TAVOLO_DRIVER_LOG"));
  if (log.open(QIODevice::Append | QIODevice::Text)) log.write((text + "\n").toUtf8());
}

// Clicked once this tick has returned: a click that opens a modal window runs
// that window's event loop, and the timer does not tick inside its own tick.
void Click(QAbstractButton* button) {
  QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

bool Press(QWidget* window, const char* name) {
  auto* button = window->findChild<QPushButton*>(QString::fromUtf8(name));
  if (button == nullptr || !button->isVisible() || !button->isEnabled()) return false;
  Log(QStringLiteral("press %1 in %2").arg(QString::fromUtf8(name), window->objectName()));
  Click(button);
  return true;
}

void InPractice(QWidget* practice) {
  switch (stage) {
    case Stage::Start:
    case Stage::InPractice:
      if (Press(practice, "btnTest")) stage = Stage::TestChosen;
      return;
    case Stage::TestChosen: {
      auto* field = practice->findChild<QLineEdit*>(QStringLiteral("M1"));
      if (field == nullptr || !field->isVisible()) return;
      field->setFocus();
      QTest::keyClicks(field, QStringLiteral("1"));
      QTest::keyClick(field, Qt::Key_Return);
      Log(QStringLiteral("typed into M1: %1").arg(field->text()));
      stage = Stage::Answered;
      return;
    }
    case Stage::Answered:
      if (Press(practice, "btnSaiten")) stage = Stage::Graded;
      return;
    case Stage::Graded:
    case Stage::Closed:
    case Stage::Done:
      if (Press(practice, "btnEnd")) stage = Stage::Closed;
      return;
  }
}

void Tick() {
  if (++ticks > 600) {
    Log(QStringLiteral("gave up at stage %1").arg(static_cast<int>(stage)));
    QCoreApplication::exit(3);
    return;
  }
  QWidget* modal = QApplication::activeModalWidget();
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    Log(QStringLiteral("message: %1").arg(box->text()));
    if (!box->buttons().isEmpty()) Click(box->buttons().front());
    return;
  }
  if (modal != nullptr && modal->objectName() == QStringLiteral("frmMenu")) {
    auto* units = modal->findChild<QListWidget*>(QStringLiteral("lstUnit"));
    if (units == nullptr || units->count() == 0) return;
    units->setCurrentRow(0);
    Log(QStringLiteral("unit: %1").arg(units->item(0)->text()));
    for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
      if (button->text() == QStringLiteral("　Ｏ　Ｋ　")) Click(button);
    return;
  }
  if (modal != nullptr && modal->objectName() == QStringLiteral("frmRenshu")) {
    if (stage == Stage::Start) stage = Stage::InPractice;
    InPractice(modal);
    return;
  }
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    Log(QStringLiteral("closed %1").arg(dialog->objectName()));  // the tips window
    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    return;
  }
  if (modal != nullptr) return;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() != QStringLiteral("frmMain") || !top->isVisible()) continue;
    if (stage == Stage::Start) {
      Press(top, "btnTest");
    } else if (stage == Stage::Closed) {
      Log(QStringLiteral("closing the program"));
      stage = Stage::Done;
      QMetaObject::invokeMethod(top, &QWidget::close, Qt::QueuedConnection);
    }
  }
}

void StartDriver() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, &Tick);
  timer->start(100);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartDriver)
