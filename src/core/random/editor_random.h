#pragma once
// The question editor's random data: the unit its boxes make, as a sheet
// reads it once saved, and the author's check of it (the messages of
// `tavolo check`), each message pointing at a line of the box that holds it.

#include <vector>

#include "authoring/question_editor.h"
#include "authoring/unit_block.h"
#include "content/unit_content.h"

namespace tavolo {

// The question and choice lines and the random data of the boxes. The random
// box's first line is line 1 of the block's messages; an empty box is a
// unit without random data, as saving makes it.
UnitContent EditorUnitContent(const UnitBlockBoxes& boxes);

// In box order (random data first), then line order. What the question
// editor is given to check at OK.
std::vector<BoxMessage> CheckEditorRandomData(const UnitBlockBoxes& boxes);

}  // namespace tavolo
