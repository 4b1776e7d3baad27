#pragma once
// Course files name the fonts of the platform they were written on ("ＭＳ 明朝",
// "MS ゴシック"). They are drawn with the IPA fonts, so that Japanese text never
// turns into empty boxes.

#include <QString>

namespace tavolo {

// The installed family to draw a course file's font name with: the mincho and
// gothic names map to IPAMincho and IPAGothic (Noto CJK when those are
// missing); another installed family is used as it is; anything else, the
// empty name included, falls back to IPAMincho.
QString SubstituteFontFamily(const QString& family);

}  // namespace tavolo
