// Notation engine speed: one typical question line (two fractions, an
// exponent, an answer) drawn on the recording canvas, which costs next to
// nothing itself, so this is the engine's own share of a page redraw.
#include <benchmark/benchmark.h>

#include "sheet/markup_text.h"
#include "sheet/notation.h"
#include "sheet/recording_canvas.h"

namespace {

constexpr const char* kLine = "(4) (-3/4)*(+2/5)+x^2-(-12)=#-3/10+x^2#";

void BM_DrawMarkedTextLine(benchmark::State& state) {
  tavolo::DrawingContext context;
  context.StartPage(1.0, false, 12, 12);
  tavolo::RecordingCanvas canvas;
  for (auto _ : state) {
    canvas.clear();
    tavolo::Point pen{50, 98};
    const auto pieces = tavolo::SplitAnswerMarks(kLine);
    for (const auto& piece : pieces)
      pen = tavolo::DrawMarkedText(context, canvas, piece, {pen.x, 98}, 1.0, 12);
    benchmark::DoNotOptimize(pen);
    context.segmentStarts.clear();
  }
  state.SetLabel("ns per 40-character line");
}
BENCHMARK(BM_DrawMarkedTextLine);

void BM_SplitAnswerMarksAndAlternatives(benchmark::State& state) {
  for (auto _ : state) {
    auto pieces = tavolo::SplitAnswerMarks("(1) 3+4=#7;+7;７# (2) 1/2+1/3=#5/6;10/12#");
    for (std::size_t k = 1; k < pieces.size(); k += 2)
      benchmark::DoNotOptimize(tavolo::SplitAlternatives(pieces[k]));
  }
}
BENCHMARK(BM_SplitAnswerMarksAndAlternatives);

}  // namespace
