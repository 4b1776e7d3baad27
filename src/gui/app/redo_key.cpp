#include "gui/app/redo_key.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace tavolo {

namespace {

bool IsRedoKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  return key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier;
}

class RedoKeyFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!IsRedoKey(event)) return false;
    QWidget* box = qobject_cast<QWidget*>(watched);
    if (box == nullptr || box != QApplication::focusWidget()) return false;
    if (event->type() == QEvent::ShortcutOverride) {
      // Claimed here, so that no shortcut of a window takes the key away.
      if (IsTextBox(box)) event->accept();
      return false;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box); plain && !plain->isReadOnly()) {
      plain->redo();
      return true;
    }
    if (auto* rich = qobject_cast<QTextEdit*>(box); rich && !rich->isReadOnly()) {
      rich->redo();
      return true;
    }
    if (auto* line = qobject_cast<QLineEdit*>(box); line && !line->isReadOnly()) {
      line->redo();
      return true;
    }
    return false;
  }

 private:
  static bool IsTextBox(const QWidget* box) {
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(box)) return !plain->isReadOnly();
    if (const auto* rich = qobject_cast<const QTextEdit*>(box)) return !rich->isReadOnly();
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) return !line->isReadOnly();
    return false;
  }
};

}  // namespace

void InstallRedoKey() {
  static RedoKeyFilter* filter = nullptr;
  if (filter != nullptr || qApp == nullptr) return;
  filter = new RedoKeyFilter(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace tavolo
