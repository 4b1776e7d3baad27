#pragma once
// Small steps the window tests take on widgets: find a named child, read a
// list, click a row, act once the current step has returned.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>

namespace tavolo::test {

// The named child of a window; a missing one fails the test.
template <class T>
T* Child(QWidget* w, const char* name) {
  T* found = w->findChild<T*>(QString::fromUtf8(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

inline QStringList Texts(QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

// A mouse click on a row, as the user picks it.
inline void ClickItem(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

// Acts once the current step has returned, so that a window the action opens
// is met by the next step instead of blocking this one.
inline void Later(QWidget* w, std::function<void()> act) {
  QTimer::singleShot(0, w, std::move(act));
}

}  // namespace tavolo::test
