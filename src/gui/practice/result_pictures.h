#pragma once
// The practice window's own pictures, drawn here: the small faces and hearts
// shown beside a graded run's records, and the scratch pad's scissors cursor.

#include <QCursor>
#include <QImage>
#include <QSize>

#include "practice/grading.h"

namespace tavolo {

// Faces are 97 x 113, the red heart 114 x 105, the green heart 67 x 62.
QSize ResultPictureSize(ResultPicture picture);

// The picture at its size, with devicePixelRatio pixels per point of it.
QImage DrawResultPicture(ResultPicture picture, qreal devicePixelRatio = 1.0);

// Erasing on the scratch pad: a pair of scissors, the point at the blades' tip.
QCursor ScissorsCursor();

}  // namespace tavolo
