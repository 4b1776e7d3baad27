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
  registry.SetRegistering(true);
  PageRenderer renderer(registry);
  const PageSettings settings = bench::BenchSettings();
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

}  // namespace
}  // namespace tavolo
