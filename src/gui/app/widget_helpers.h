#pragma once
// Small helpers every window uses: panel colours as the course material's
// screens have them, and lists filled from core's texts.

#include <QColor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

#include "draw/qt_text.h"

namespace tavolo {

// Fills the widget's background with the colour.
inline void Colour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// The ivory of the main window's tool panel and of its floating panels.
inline const QColor kToolPanelColour{0xFF, 0xFF, 0xF0};

// A course list of the menus and the index editor: its text a little larger
// than the window's, for the long captions of lessons and units.
inline QListWidget* CourseList(const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  QFont font = list->font();
  font.setPointSizeF(font.pointSizeF() * 1.15);
  list->setFont(font);
  return list;
}

// The list shows exactly these texts, in this order.
inline void FillList(QListWidget* list, const std::vector<std::string>& texts) {
  list->clear();
  for (const auto& text : texts) list->addItem(ToQString(text));
}

// A named button that Enter presses only when it has the focus; screen
// readers call it by its caption, without the "&" of its key.
inline QPushButton* PlainButton(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
  button->setAutoDefault(false);
  return button;
}

// The OK and cancel row of a dialog whose OK is its default button, in the
// platform's order: the caller names and captions the buttons. (A box makes
// its first OK the default when it is shown; the dialogs where Enter must not
// press OK keep a plain row.)
inline QDialogButtonBox* OkCancelRow(QDialog* dialog, QPushButton* ok, QPushButton* cancel) {
  auto* row = new QDialogButtonBox(dialog);
  row->addButton(ok, QDialogButtonBox::AcceptRole);
  row->addButton(cancel, QDialogButtonBox::RejectRole);
  QObject::connect(row, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(row, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return row;
}

// Switches the input method on or off for a text field. Off, keys give their
// half-width characters whatever mode the input method is in; the hints ask
// on-screen keyboards for the same.
inline void SetInputMethod(QWidget* field, bool on) {
  if (field->testAttribute(Qt::WA_InputMethodEnabled) != on)
    field->setAttribute(Qt::WA_InputMethodEnabled, on);
  const Qt::InputMethodHints hints =
      on ? Qt::ImhNone : Qt::ImhLatinOnly | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText;
  if (field->inputMethodHints() != hints) field->setInputMethodHints(hints);
}

// The label of an edit box: the box is called by the label's text.
inline QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent,
                          const char* name = nullptr) {
  auto* label = new QLabel(text, parent);
  if (name != nullptr) label->setObjectName(name);
  label->setBuddy(buddy);
  buddy->setAccessibleName(text);
  return label;
}

}  // namespace tavolo
