// A sheet whose first question line is 10 MB long, printed three times into
// one PDF at the printer's resolution: the cost follows the page, not the
// line. Argument: 0 Japanese text, 1 notation, 2 markup codes.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>
#include <string_view>

#include "draw/sheet_print.h"
#include "gui_bench_pdf.h"
#include "render_bench_sheet.h"
#include "sheet/print_job.h"

namespace tavolo {
namespace {

std::string HugeLine(int kind) {
  constexpr std::string_view kPieces[] = {"あいうえお、かきくけこ。", "1/2+x^2-3*a>=b ",
                                          "@B12@/@+34@="};
  const std::string_view piece = kPieces[kind];
  std::string line = "(1) ";
  while (line.size() < 10u * 1024u * 1024u) line += piece;
  line += "#+7#";
  return line;
}

void BM_PrintHugeLine3Copies(benchmark::State& state) {
  bench::BenchSheet sheet = bench::MakeBenchSheet();
  sheet.params.unit.questionLines.front() = HugeLine(static_cast<int>(state.range(0)));
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  const PageSettings settings = bench::BenchSettings();
  bench::RenderScreenForPrinting(renderer, sheet, settings);
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = bench::PrintJobPdfBytes(renderer, sheet, settings, PrintMode::PrinterResolution, 3);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["pdfBytes"] = static_cast<double>(bytes);
  // The process's peak so far (earlier benchmarks included), in megabytes.
  state.counters["peakRssMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_PrintHugeLine3Copies)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
}  // namespace tavolo
