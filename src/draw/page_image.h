#pragma once
// A worksheet page drawn with Qt: the screen page image (one layout unit per
// pixel, sharp on HiDPI screens) and a page at a printer's resolution.

#include <QImage>
#include <QPainter>

#include "sheet/page_renderer.h"

namespace tavolo {

class QPainterTextCache;

// The screen page's resolution: one layout unit per pixel.
constexpr int kScreenPageDpi = 96;

// A white page of the sheet's paper size with the page rendered for the
// screen (settings.printing and the surface size are set here).
// devicePixelRatio > 1 renders more pixels for the same layout. A text
// cache of the screen's resolution (96 dpi), when given, is used and kept warm.
QImage RenderPageImage(PageRenderer& renderer, const SheetPage& page, PageSettings settings,
                       qreal devicePixelRatio = 1.0, QPainterTextCache* texts = nullptr);

// Lays the page out as RenderPageImage does, drawing nothing: what it does
// to the renderer (the boxes it registers, the layout it reports) is the same.
void LayOutScreenPage(PageRenderer& renderer, const SheetPage& page, PageSettings settings);

// Renders the page for the printer on painter's device (a QPrinter or
// QPdfWriter page, already begun): its full page in device pixels, fonts at the
// device's resolution. A text cache of that resolution, when given, is used
// and kept warm for the next page.
void RenderPrinterPage(PageRenderer& renderer, const SheetPage& page, QPainter& painter,
                       PageSettings settings, QPainterTextCache* texts = nullptr);

}  // namespace tavolo
