// `tavolo notation TEXT --png FILE [--size N] [--printing]`: draws one question
// line on a white image just large enough, answers in blue as on an answer
// sheet, so that a course author can see how the line will look.

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <ostream>
#include <string>

#include "cli/command_options.h"
#include "cli/commands.h"
#include "draw/qpainter_canvas.h"
#include "sheet/markup_text.h"
#include "sheet/notation.h"
#include "sheet/recording_canvas.h"

namespace tavolo {
namespace {

constexpr const char* kUsage = "使い方: tavolo notation TEXT --png FILE [--size N] [--printing]";
constexpr int kMargin = 8;
// A4 at 600 dpi: what printing at the printer's resolution looks like.
constexpr int kPrinterDpi = 600;
constexpr int kPrinterPageWidth = 4961;
// Keeps a runaway "@+" from asking for an image of gigabytes.
constexpr int kMaxImageSide = 16000;

struct NotationOptions {
  std::string text;
  std::string pngPath;
  int size = 12;
  bool printing = false;
};

bool ParseOptions(const CommandArgs& args, NotationOptions& options, std::ostream& err) {
  const std::vector<CommandOption> table = {
      TextOption("--png", options.pngPath),
      NumberOption("--size", 1, 200, options.size,
                   "文字サイズは 1 から 200 の整数で指定してください"),
      FlagOption("--printing", options.printing),
  };
  // The text is drawn as given, so one that starts with "--" is text too.
  auto positional = ParseCommandOptions(args, table, kUsage, err, UnknownOptions::Positional);
  if (!positional) return false;
  if (positional->size() > 1) {
    err << "余分な引数です: " << (*positional)[1] << "\n" << kUsage << "\n";
    return false;
  }
  if (positional->empty() || options.pngPath.empty()) {
    err << kUsage << "\n";
    return false;
  }
  options.text = positional->front();
  return true;
}

// One question line as the worksheet lays it out: question parts black, each
// answer (its first alternative) in blue right after them.
void DrawQuestionLine(DrawingContext& context, Canvas& canvas, std::string_view line, Point at,
                      int size) {
  const double scale = context.sheetScale;
  const std::vector<std::string> pieces = SplitAnswerMarks(line);
  const std::size_t pairs = AnswerMarkCount(pieces) / 2;
  canvas.font().color = Color::Black();
  if (pairs == 0) {
    if (!pieces.empty()) DrawMarkedText(context, canvas, pieces[0], at, scale, size);
    return;
  }
  Point pen = at;
  for (std::size_t k = 0; k < pairs; ++k) {
    canvas.font().color = Color::Black();
    pen = DrawMarkedText(context, canvas, pieces[2 * k], {pen.x, at.y}, scale, size);
    canvas.font().color = Color::Blue();
    const std::vector<std::string> alternatives = SplitAlternatives(pieces[2 * k + 1]);
    pen = DrawMarkedText(context, canvas, alternatives.front(), {pen.x, at.y}, scale, size);
  }
  canvas.font().color = Color::Black();
  DrawMarkedText(context, canvas, pieces[2 * pairs], {pen.x, at.y}, scale, size);
}

struct Layout {
  double scale;
  int dpi;
  int drawingSize;
  int printerWidth;
};

void StartPage(DrawingContext& context, const NotationOptions& options, const Layout& layout) {
  context.StartPage(layout.scale, options.printing, options.size, layout.drawingSize,
                    layout.printerWidth);
}

// Everything drawn lies inside this rectangle, by the recording canvas's
// metrics (which match the IPA fonts' half- and full-width advances).
Rect EstimateBounds(const RecordingCanvas& canvas) {
  Rect bounds{0, 0, 1, 1};
  bool first = true;
  auto include = [&](const Rect& r) {
    if (first) {
      bounds = r;
      first = false;
      return;
    }
    bounds.left = std::min(bounds.left, r.left);
    bounds.top = std::min(bounds.top, r.top);
    bounds.right = std::max(bounds.right, r.right);
    bounds.bottom = std::max(bounds.bottom, r.bottom);
  };
  int tallest = 0;
  for (const CanvasCall& call : canvas.calls()) {
    if (call.kind == CanvasCallKind::TextOut) {
      include(call.rect);
      tallest = std::max(tallest, call.rect.Height());
    } else if (call.kind == CanvasCallKind::Line) {
      include({std::min(call.from.x, call.to.x), std::min(call.from.y, call.to.y) - call.pen.width,
               std::max(call.from.x, call.to.x) + 1,
               std::max(call.from.y, call.to.y) + call.pen.width + 1});
    }
  }
  // Real glyphs may reach beyond their advance and cell, and real advances
  // round up where the recording metrics round to even: leave room for both;
  // the image is cropped to its ink afterwards.
  bounds.left -= tallest / 2;
  bounds.top -= tallest / 2;
  bounds.right += tallest + bounds.Width() / 4;
  bounds.bottom += tallest / 2;
  return bounds;
}

// The smallest rectangle holding every non-white pixel, with a margin.
QRect InkBounds(const QImage& image) {
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((row[x] & 0xFFFFFF) == 0xFFFFFF) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0)
    return QRect(0, 0, std::min(image.width(), 2 * kMargin), std::min(image.height(), 2 * kMargin));
  return QRect(QPoint(left - kMargin, top - kMargin), QPoint(right + kMargin, bottom + kMargin))
      .intersected(image.rect());
}

}  // namespace

int RunNotationCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  NotationOptions options;
  if (!ParseOptions(args, options, err)) return 2;
  const Layout layout = options.printing ? Layout{static_cast<double>(kPrinterPageWidth) / 630.0,
                                                  kPrinterDpi, options.size + 3, kPrinterPageWidth}
                                         : Layout{1.0, 96, options.size, 0};

  DrawingContext context;
  RecordingCanvas measuring(layout.dpi);
  StartPage(context, options, layout);
  DrawQuestionLine(context, measuring, options.text, {0, 0}, layout.drawingSize);
  const Rect bounds = EstimateBounds(measuring);

  const int width = std::clamp(bounds.Width() + 2 * kMargin, 1, kMaxImageSide);
  const int height = std::clamp(bounds.Height() + 2 * kMargin, 1, kMaxImageSide);
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    QPainterCanvas canvas(painter, layout.dpi);
    StartPage(context, options, layout);
    DrawQuestionLine(context, canvas, options.text, {kMargin - bounds.left, kMargin - bounds.top},
                     layout.drawingSize);
  }
  const QImage cropped = image.copy(InkBounds(image));
  if (!cropped.save(QString::fromStdString(options.pngPath), "PNG")) {
    err << "ファイル " << options.pngPath << " に書き込めません\n";
    return 1;
  }
  out << options.pngPath << " (" << cropped.width() << "x" << cropped.height() << ")\n";
  return 0;
}

}  // namespace tavolo
