#pragma once
// The index editor's small pictures, drawn in code: one per level of the tree
// (the lesson, a section, a unit) and the expand and collapse glyphs of its
// button.

#include <QIcon>

namespace tavolo {

enum class IndexLevel { Lesson, Section, Unit };

QIcon IndexNodeIcon(IndexLevel level);
// Arrows apart when the button will expand the tree, together when it will collapse it.
QIcon ExpandGlyph(bool willExpand);

}  // namespace tavolo
