#pragma once
// The canvas's colours as Qt's, for the drawing library and the windows alike.

#include <QColor>

#include "sheet/canvas.h"

namespace tavolo {

inline QColor ToQColor(Color color) { return QColor(color.red, color.green, color.blue); }

}  // namespace tavolo
