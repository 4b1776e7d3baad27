// A worksheet page through Qt: the screen image redrawn after every spin-box
// click, and one page at a printer's resolution into a PDF.

#include <benchmark/benchmark.h>

#include "draw/page_image.h"
#include "gui_bench_pdf.h"
#include "render_bench_sheet.h"

namespace tavolo {
namespace {

void BM_RenderPageImage(benchmark::State& state) {
  bench::BenchSheet sheet = bench::MakeBenchSheet();
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  PageSettings settings = bench::BenchSettings();
  settings.registerBoxes = true;
  for (auto _ : state) {
    QImage image = RenderPageImage(renderer, sheet.page(), settings);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["boxes"] = registry.count();
}
BENCHMARK(BM_RenderPageImage)->Unit(benchmark::kMillisecond);

void BM_RenderPrinterPagePdf(benchmark::State& state) {
  bench::BenchSheet sheet = bench::MakeBenchSheet();
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  const PageSettings settings = bench::BenchSettings();
  bench::RenderScreenForPrinting(renderer, sheet, settings);
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = bench::PdfBytes([&](QPdfWriter& pdf) {
      QPainter painter(&pdf);
      RenderPrinterPage(renderer, sheet.page(), painter, settings);
    });
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["pdfBytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RenderPrinterPagePdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
