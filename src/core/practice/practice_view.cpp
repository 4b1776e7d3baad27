#include "practice/practice_view.h"

#include <utility>

#include "sheet/notation.h"

namespace tavolo {

namespace {

// Answers are typed in the fields' font and drawn in it on the sheet.
constexpr const char* kAnswerFont = "ＭＳ 明朝";
// Corner size of the rounded rectangles that erase and outline a field.
constexpr int kCorner = 8;

void DrawText(Canvas& canvas, const PictureText& text) {
  canvas.brush().solid = false;
  if (text.notation) {
    canvas.font().family = kAnswerFont;
    canvas.font().style = FontStyle{};
    DrawingContext context;
    context.StartPage(1.0, false, text.size, text.size);
    DrawMathText(context, canvas, text.size, text.at, text.color, text.text, 1.0);
    return;
  }
  canvas.font().size = text.size;
  canvas.font().color = text.color;
  canvas.textOut(text.at.x, text.at.y, text.text);
}

void RoundedArea(Canvas& canvas, const Rect& area, Color pen, bool filled) {
  canvas.pen().color = pen;
  canvas.pen().width = 1;
  canvas.pen().style = PenStyle::Solid;
  canvas.pen().mode = PenMode::Copy;
  canvas.brush().solid = filled;
  canvas.brush().color = Color::White();
  canvas.roundRect(area.left, area.top, area.right, area.bottom, kCorner, kCorner);
  canvas.brush().solid = false;
  canvas.pen().color = Color::Black();
}

}  // namespace

void DrawOnSheet(Canvas& canvas, const SheetDrawing& drawing) {
  if (const auto* text = std::get_if<PictureText>(&drawing)) {
    DrawText(canvas, *text);
  } else if (const auto* erase = std::get_if<EraseArea>(&drawing)) {
    RoundedArea(canvas, erase->area, Color::White(), true);
  } else if (const auto* outline = std::get_if<OutlineArea>(&drawing)) {
    RoundedArea(canvas, outline->area, Color::Black(), false);
  } else if (const auto* mark = std::get_if<MarkDrawing>(&drawing)) {
    DrawGradingMark(canvas, mark->mark, mark->field, mark->frame, mark->color, 1.0, false);
  } else if (const auto* score = std::get_if<ScoreDrawing>(&drawing)) {
    DrawScore(canvas, score->score, score->scoreSpot, score->startPanelWidth, 1.0);
  }
}

void MessagePicture::WriteRow(int row, std::string text, int size, Color color, int x) {
  if (row == 0) Clear();
  texts.push_back(PictureText{{x, 24 * row}, std::move(text), size, color, false});
}

void DrawMessagePicture(Canvas& canvas, const MessagePicture& picture) {
  canvas.font().size = 20;
  canvas.font().style = FontStyle{};
  for (const PictureText& text : picture.texts) DrawText(canvas, text);
}

}  // namespace tavolo
