// A class set: 30 numbered copies of a 60-line unit into one PDF, at the
// printer's resolution and faithful to the screen.

#include <benchmark/benchmark.h>

#include "draw/page_image.h"
#include "draw/sheet_print.h"
#include "gui_bench_pdf.h"
#include "render_bench_sheet.h"
#include "sheet/print_job.h"

namespace tavolo {
namespace {

void PrintClassSet(benchmark::State& state, PrintMode mode) {
  bench::BenchSheet sheet = bench::MakeBenchSheet();
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  const PageSettings settings = bench::BenchSettings();
  bench::RenderScreenForPrinting(renderer, sheet, settings);
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = bench::PrintJobPdfBytes(renderer, sheet, settings, mode, 30);
  }
  state.counters["pdfBytes"] = static_cast<double>(bytes);
}

void BM_Print30CopiesPrinterResolution(benchmark::State& state) {
  PrintClassSet(state, PrintMode::PrinterResolution);
}
BENCHMARK(BM_Print30CopiesPrinterResolution)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Print30CopiesFaithful(benchmark::State& state) {
  PrintClassSet(state, PrintMode::Faithful);
}
BENCHMARK(BM_Print30CopiesFaithful)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tavolo
