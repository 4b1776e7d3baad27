// Notation engine speed on a real screen page: the typical question line drawn
// through QPainter onto a 96 dpi QImage, as every redraw does for each line.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "draw/qpainter_canvas.h"
#include "sheet/markup_text.h"
#include "sheet/notation.h"

namespace {

constexpr const char* kLine = "(4) (-3/4)*(+2/5)+x^2-(-12)=#-3/10+x^2#";

void DrawLine(tavolo::DrawingContext& context, tavolo::Canvas& canvas) {
  tavolo::Point pen{50, 98};
  for (const auto& piece : tavolo::SplitAnswerMarks(kLine))
    pen = tavolo::DrawMarkedText(context, canvas, piece, {pen.x, 98}, 1.0, 12);
  benchmark::DoNotOptimize(pen);
  context.segmentStarts.clear();
}

void BM_DrawMarkedTextLineOnQImage(benchmark::State& state) {
  QImage image(630, 200, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  tavolo::QPainterCanvas canvas(painter, 96);
  tavolo::DrawingContext context;
  context.StartPage(1.0, false, 12, 12);
  for (auto _ : state) DrawLine(context, canvas);
  state.SetLabel("ns per 40-character line");
}
BENCHMARK(BM_DrawMarkedTextLineOnQImage);

// A new canvas per page: the first line pays for the font lookup.
void BM_FirstLineOfAPageOnQImage(benchmark::State& state) {
  QImage image(630, 200, QImage::Format_RGB32);
  image.fill(Qt::white);
  tavolo::DrawingContext context;
  context.StartPage(1.0, false, 12, 12);
  for (auto _ : state) {
    QPainter painter(&image);
    tavolo::QPainterCanvas canvas(painter, 96);
    DrawLine(context, canvas);
  }
}
BENCHMARK(BM_FirstLineOfAPageOnQImage);

// A new canvas per page with a text cache kept across redraws, as a sheet
// window keeps it.
void BM_FirstLineOfAPageWithKeptCache(benchmark::State& state) {
  QImage image(630, 200, QImage::Format_RGB32);
  image.fill(Qt::white);
  tavolo::DrawingContext context;
  context.StartPage(1.0, false, 12, 12);
  tavolo::QPainterTextCache cache(96);
  for (auto _ : state) {
    QPainter painter(&image);
    tavolo::QPainterCanvas canvas(painter, cache);
    DrawLine(context, canvas);
  }
}
BENCHMARK(BM_FirstLineOfAPageWithKeptCache);

}  // namespace
