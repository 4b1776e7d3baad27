// A class set: 30 numbered copies of a 60-line unit into one PDF, at the
// printer's resolution and faithful to the screen. And 30 copies of a
// 20-question unit with random data (each copy its own variant) against the
// same questions with fixed numbers: what giving every copy its own numbers
// costs, and the redraw of the sheet when its variant changes.

#include <benchmark/benchmark.h>

#include "draw/page_image.h"
#include "draw/sheet_print.h"
#include "gui_bench_pdf.h"
#include "random/copy_variants.h"
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

// Twenty questions, with values drawn for each copy or written in.
UnitContent TwentyQuestions(bool random) {
  UnitContent unit;
  unit.title = "正の数と負の数//加法と減法§2-3 乱数";
  for (int i = 1; i <= 20; ++i) {
    const std::string n = std::to_string(i);
    unit.questionLines.push_back(random ? "(" + n + ") ${a:p}+${b:p}*" + n + "=#=a+b*" + n + "#"
                                        : "(" + n + ") (-7)+4*" + n + "=#" +
                                              std::to_string(-7 + 4 * i) + "#");
  }
  if (random) unit.randomLines = {"a = int(-20..20) except 0", "b = int(-20..20) except 0"};
  return unit;
}

void PrintVariedClassSet(benchmark::State& state, PrintMode mode, bool random) {
  const UnitContent unit = TwentyQuestions(random);
  const CopyVariants variants(unit);
  bench::BenchSheet sheet;
  sheet.params = LoadSheetParams(unit, true).params;
  variants.PutVariant(1, sheet.params);
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  PageSettings settings = bench::BenchSettings();
  settings.fingerprint = variants.Fingerprint();
  bench::RenderScreenForPrinting(renderer, sheet, settings);
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = bench::PdfBytes([&](QPdfWriter& pdf) {
      PrintSettings print;
      print.mode = mode;
      PagedDevicePrintTarget target(pdf, renderer, sheet.page(), settings, false);
      CopyPages pages(variants, sheet.page(), renderer, registry);
      target.SetCopyPages([&pages](int number) { return pages.Page(number); });
      benchmark::DoNotOptimize(RunPrintJob(print, 30, target));
    });
  }
  state.counters["pdfBytes"] = static_cast<double>(bytes);
}

void BM_Print30RandomCopiesPrinterResolution(benchmark::State& state) {
  PrintVariedClassSet(state, PrintMode::PrinterResolution, true);
}
BENCHMARK(BM_Print30RandomCopiesPrinterResolution)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Print30FixedCopiesPrinterResolution(benchmark::State& state) {
  PrintVariedClassSet(state, PrintMode::PrinterResolution, false);
}
BENCHMARK(BM_Print30FixedCopiesPrinterResolution)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Print30RandomCopiesFaithful(benchmark::State& state) {
  PrintVariedClassSet(state, PrintMode::Faithful, true);
}
BENCHMARK(BM_Print30RandomCopiesFaithful)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Print30FixedCopiesFaithful(benchmark::State& state) {
  PrintVariedClassSet(state, PrintMode::Faithful, false);
}
BENCHMARK(BM_Print30FixedCopiesFaithful)->Unit(benchmark::kMillisecond)->Iterations(3);

// The worksheet after a change of variant (a new start number, a practice
// run starting): the variant's lines put in and the screen page drawn with
// its boxes registered, against the same redraw of the fixed questions.
void RedrawWithVariant(benchmark::State& state, bool random) {
  const UnitContent unit = TwentyQuestions(random);
  const CopyVariants variants(unit);
  bench::BenchSheet sheet;
  sheet.params = LoadSheetParams(unit, true).params;
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  PageSettings settings = bench::BenchSettings();
  settings.fingerprint = variants.Fingerprint();
  settings.registerBoxes = true;
  int n = 0;
  for (auto _ : state) {
    variants.PutVariant(++n, sheet.params);
    benchmark::DoNotOptimize(RenderPageImage(renderer, sheet.page(), settings));
  }
}

void BM_RedrawAfterAChangeOfVariant(benchmark::State& state) { RedrawWithVariant(state, true); }
BENCHMARK(BM_RedrawAfterAChangeOfVariant)->Unit(benchmark::kMillisecond);

void BM_RedrawOfTheFixedQuestions(benchmark::State& state) { RedrawWithVariant(state, false); }
BENCHMARK(BM_RedrawOfTheFixedQuestions)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
