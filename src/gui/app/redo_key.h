#pragma once
// Ctrl+Y redoes in every text box of the program, as teachers know it from
// the school's other desktop programs; the desktop's own redo key
// (Ctrl+Shift+Z) keeps working beside it.

namespace tavolo {

// Installs the key once for the whole application; windows that have text
// boxes call it when they are made, so it holds wherever they are shown.
void InstallRedoKey();

}  // namespace tavolo
