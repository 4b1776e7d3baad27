#pragma once
// Drives modal windows in GUI tests without sleeps. Each step waits, from a
// zero-delay timer, for the next modal window (qApp->activeModalWidget()) that
// is not the one handled before, and acts on it. The destructor fails the
// test when a step never ran, so a dialog that should have appeared and did
// not is caught.
//
//   ModalHelper modal({[](QWidget* w) { ... ; ClickButton(w, "閉じる"); }});
//   mainWindow.StartUp(places);   // shows the tips window modally

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>

// Failure messages show texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace tavolo::test {

class ModalHelper {
 public:
  using Step = std::function<void(QWidget*)>;

  explicit ModalHelper(std::deque<Step> steps) : state_(std::make_shared<State>()) {
    state_->steps = std::move(steps);
    state_->timer.setInterval(0);
    // A weak reference: the timer belongs to the state, and a strong one
    // here would keep both alive for ever.
    std::weak_ptr<State> weak = state_;
    QObject::connect(&state_->timer, &QTimer::timeout, [weak] {
      if (auto state = weak.lock()) Poll(*state);
    });
    state_->timer.start();
  }
  ~ModalHelper() {
    state_->timer.stop();
    EXPECT_TRUE(state_->steps.empty()) << state_->steps.size() << " modal step(s) never ran";
  }
  ModalHelper(const ModalHelper&) = delete;
  ModalHelper& operator=(const ModalHelper&) = delete;

  int ran() const { return state_->ran; }

 private:
  struct State {
    QTimer timer;
    std::deque<Step> steps;
    QPointer<QWidget> handled;
    int ran = 0;
  };

  static void Poll(State& state) {
    if (state.steps.empty()) {
      state.timer.stop();
      return;
    }
    // A window that has closed may come back (dialogs are reused): then it is new.
    if (state.handled && !state.handled->isVisible()) state.handled = nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == state.handled) return;
    state.handled = modal;
    Step step = std::move(state.steps.front());
    state.steps.pop_front();
    ++state.ran;
    step(modal);
  }

  std::shared_ptr<State> state_;
};

// While alive, any modal window is a fault: it is closed and the test fails.
// Guards a step that must not ask anything (and would otherwise wait forever).
class NoModalExpected {
 public:
  NoModalExpected() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
        ADD_FAILURE() << "unexpected modal window " << modal->objectName().toStdString() << " "
                      << modal->windowTitle().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
          dialog->reject();
        else
          modal->close();
      }
    });
    timer_.start();
  }

 private:
  QTimer timer_;
};

// The text of a message box (empty for other windows).
inline QString MessageText(QWidget* window) {
  auto* box = qobject_cast<QMessageBox*>(window);
  return box ? box->text() : QString();
}

// Clicks the button with this caption inside the window; fails the test when
// there is none.
inline void ClickButton(QWidget* window, const QString& caption) {
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (button->text() == caption) {
      button->click();
      return;
    }
  }
  ADD_FAILURE() << "no button " << caption.toStdString() << " in "
                << window->objectName().toStdString();
  if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->reject();
}

}  // namespace tavolo::test
