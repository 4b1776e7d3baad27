#pragma once
// The small pictures of the main window, drawn by the program itself so that
// it needs no image files: the key lock, the answer-display lamp and the
// program's icon.

#include <QIcon>
#include <QPixmap>

namespace tavolo {

// `imgLockShut` (learner mode) and `imgLockOpen` (teacher mode).
QPixmap LockGlyph(bool shut);
// `imgRED` (answers shown) and `imgDRED` (answers hidden).
QPixmap AnswerGlyph(bool shown);
// The program's icon: a plus and a minus on a blackboard green tile.
QIcon ProgramIcon();

}  // namespace tavolo
