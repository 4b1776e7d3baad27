// A worksheet page through Qt: the screen image redrawn after every spin-box
// click, and one page at a printer's resolution into a PDF.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

#include "gui/sheet/page_image.h"
#include "render_bench_sheet.h"

namespace tavolo {
namespace {

void BM_RenderPageImage(benchmark::State& state) {
  bench::BenchSheet sheet = bench::MakeBenchSheet();
  AnswerBoxRegistry registry;
  registry.SetRegistering(true);
  PageRenderer renderer(registry);
  const PageSettings settings = bench::BenchSettings();
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
  registry.SetRegistering(true);
  PageRenderer renderer(registry);
  const PageSettings settings = bench::BenchSettings();
  // The boxes the printer draws come from the last screen render.
  RenderPageImage(renderer, sheet.page(), settings);
  registry.SetRegistering(false);
  std::size_t bytes = 0;
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
      QPdfWriter pdf(&buffer);
      pdf.setResolution(600);
      pdf.setPageSize(QPageSize(QPageSize::A4));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      QPainter painter(&pdf);
      RenderPrinterPage(renderer, sheet.page(), painter, settings);
    }
    bytes = static_cast<std::size_t>(buffer.size());
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["pdfBytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RenderPrinterPagePdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
