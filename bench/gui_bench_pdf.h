#pragma once
// Shared by the Qt benchmarks that print: the screen render whose boxes the
// printer draws, and an in-memory 600 dpi A4 PDF.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <cstddef>

#include "draw/page_image.h"
#include "draw/sheet_print.h"
#include "render_bench_sheet.h"

namespace tavolo::bench {

// The boxes the printer draws come from the last screen render.
inline void RenderScreenForPrinting(PageRenderer& renderer, BenchSheet& sheet,
                                    PageSettings settings) {
  settings.registerBoxes = true;
  RenderPageImage(renderer, sheet.page(), settings);
}

// Lets draw fill a PDF in memory and returns the PDF's size in bytes.
template <class Draw>
std::size_t PdfBytes(Draw&& draw) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    draw(pdf);
  }
  return static_cast<std::size_t>(buffer.size());
}

// One print job of copies numbered sheets into an in-memory PDF; its size.
inline std::size_t PrintJobPdfBytes(PageRenderer& renderer, BenchSheet& sheet,
                                    const PageSettings& settings, PrintMode mode, int copies) {
  return PdfBytes([&](QPdfWriter& pdf) {
    PrintSettings print;
    print.mode = mode;
    PagedDevicePrintTarget target(pdf, renderer, sheet.page(), settings, false);
    benchmark::DoNotOptimize(RunPrintJob(print, copies, target));
  });
}

}  // namespace tavolo::bench
