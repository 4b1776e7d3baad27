#pragma once
// Panels and dialogs take the colours the course material's screens have.

#include <QColor>
#include <QPalette>
#include <QWidget>

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

}  // namespace tavolo
