// A whole worksheet page on the recording canvas: the layout arithmetic and the
// notation engine without any rasterising.

#include <benchmark/benchmark.h>

#include "render_bench_sheet.h"
#include "sheet/recording_canvas.h"

namespace tavolo {
namespace {

void BM_RenderPageRecording(benchmark::State& state) {
  bench::BenchSheet sheet = bench::MakeBenchSheet();
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  PageSettings settings = bench::BenchSettings();
  settings.registerBoxes = true;
  RecordingCanvas canvas;
  for (auto _ : state) {
    canvas.clear();
    renderer.RenderPage(sheet.page(), canvas, settings);
    benchmark::DoNotOptimize(canvas.calls().data());
  }
  state.counters["boxes"] = registry.count();
  state.counters["calls"] = static_cast<double>(canvas.calls().size());
}
BENCHMARK(BM_RenderPageRecording)->Unit(benchmark::kMicrosecond);

// The same page for a 600-dpi printer: the boxes follow the printed answers.
void BM_RenderPrinterPageRecording(benchmark::State& state) {
  bench::BenchSheet sheet = bench::MakeBenchSheet();
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  PageSettings settings = bench::BenchSettings();
  settings.registerBoxes = true;
  RecordingCanvas screen;
  renderer.RenderPage(sheet.page(), screen, settings);
  settings.registerBoxes = false;
  settings.printing = true;
  settings.surfaceWidth = 4961;
  settings.surfaceHeight = 7016;
  RecordingCanvas canvas(600);
  for (auto _ : state) {
    canvas.clear();
    renderer.RenderPage(sheet.page(), canvas, settings);
    benchmark::DoNotOptimize(canvas.calls().data());
  }
  state.counters["calls"] = static_cast<double>(canvas.calls().size());
}
BENCHMARK(BM_RenderPrinterPageRecording)->Unit(benchmark::kMicrosecond);

// A page at 36 points, where fractions lay their parts out by the text's height.
void BM_RenderLargePageRecording(benchmark::State& state) {
  bench::BenchSheet sheet = bench::MakeBenchSheet();
  sheet.params.charSize = 36;
  sheet.params.lineSpacing = 120;
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  PageSettings settings = bench::BenchSettings();
  settings.registerBoxes = true;
  RecordingCanvas canvas;
  for (auto _ : state) {
    canvas.clear();
    renderer.RenderPage(sheet.page(), canvas, settings);
    benchmark::DoNotOptimize(canvas.calls().data());
  }
  state.counters["calls"] = static_cast<double>(canvas.calls().size());
}
BENCHMARK(BM_RenderLargePageRecording)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavolo
