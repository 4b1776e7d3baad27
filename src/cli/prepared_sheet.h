#pragma once
// A unit made ready to draw for the commands that draw (render, print): its
// parameters and pictures, as a newly opened worksheet window has them.

#include <QImage>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli/unit_source.h"
#include "platform/result.h"
#include "random/copy_variants.h"
#include "sheet/page_renderer.h"
#include "sheet/sheet_params.h"
#include "sheet/sheet_pictures.h"

namespace tavolo {

// A unit made ready to draw, as a new worksheet window would show it.
struct PreparedSheet {
  SheetParams params;
  SheetPictures pictures;
  std::string shortName;
  PageLayout layout;        // of the last render
  UnitContent content;      // the unit as read, before a variant was put in
  std::string fingerprint;  // of its random data; empty without
  // The variants of its copies, read once: the sheet was opened from them.
  std::shared_ptr<const CopyVariants> variants;
  SheetPage page() { return {params, pictures, layout}; }
};

// Loads the unit, its parameters (answers shown or not, the paper applied as
// the desktop applies the program's paper; nullptr keeps the unit's) and its
// pictures. A unit with random data shows `variant` (0 stands for 1, the
// number a new sheet carries). Problems that leave the sheet usable are
// written to `problems`.
Result<PreparedSheet> PrepareSheet(const std::vector<std::string>& positional, bool answers,
                                   const SheetPaper* paper, std::ostream& problems,
                                   int variant = 0);

// The settings a command draws the sheet with (its short unit name in the header).
PageSettings CommandPageSettings(const PreparedSheet& sheet);

// Draws the sheet for the screen as a newly opened worksheet window does,
// registering its boxes: the renderer's registry then holds the boxes that
// the layout reports and that printing draws.
QImage RenderScreenPage(PreparedSheet& sheet, PageRenderer& renderer, PageSettings settings);
// The same registering pass, laid out without drawing: for printing, which
// needs the screen's boxes and not its picture.
void RegisterScreenBoxes(PreparedSheet& sheet, PageRenderer& renderer, PageSettings settings);

}  // namespace tavolo
