#pragma once
// Small helpers every window uses: panel colours as the course material's
// screens have them, and lists filled from core's texts.

#include <QColor>
#include <QListWidget>
#include <QPalette>
#include <QWidget>
#include <string>
#include <vector>

#include "gui/app/qt_text.h"

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

// The list shows exactly these texts, in this order.
inline void FillList(QListWidget* list, const std::vector<std::string>& texts) {
  list->clear();
  for (const auto& text : texts) list->addItem(ToQString(text));
}

}  // namespace tavolo
