#include "practice/practice_view.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/utf8.h"
#include "sheet/notation.h"

namespace tavolo {

namespace {

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
  const CanvasStateGuard keep(canvas);
  canvas.pen().color = pen;
  canvas.pen().width = 1;
  canvas.pen().style = PenStyle::Solid;
  canvas.pen().mode = PenMode::Copy;
  canvas.brush().solid = filled;
  canvas.brush().color = Color::White();
  canvas.roundRect(area, kCorner, kCorner);
}

}  // namespace

RunPanels RunPanelsFor(RunMode mode, bool hasChoices, bool hintsOffered) {
  RunPanels panels;
  if (mode == RunMode::Idle) return panels;
  const bool test = mode == RunMode::Test;
  panels.startPanelVisible = false;
  panels.workPanelVisible = true;
  panels.runButtonsVisible = true;
  panels.recordsPanelVisible = false;
  panels.recordsListVisible = false;
  panels.answerButtonVisible = panels.answerButtonEnabled = !test;
  panels.gradeButtonVisible = test;
  panels.hintButtonVisible = !test;
  panels.hintButtonEnabled = hintsOffered;
  panels.choiceGroupVisible = hasChoices;
  panels.numberPadVisible = !hasChoices;
  return panels;
}

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

namespace {

// Marks that never begin a line in Japanese text; a break before one of them
// takes the character before it down too.
bool NeverStartsALine(std::string_view character) {
  static constexpr std::string_view kClosing[] = {
      "、", "。", "，", "．", "・", "：", "；", "？", "！", "ー", "）", "」",
      "』", "】", "〕", "｝", "〉", "》", "ゃ", "ゅ", "ょ", "っ", "ャ", "ュ",
      "ョ", "ッ", "…",  ",",  ".",  ":",  ";",  "?",  "!",  ")",  "]",  "}"};
  return std::find(std::begin(kClosing), std::end(kClosing), character) != std::end(kClosing);
}

// The lines of a text that fit `width` at the canvas's font, broken between
// characters; a single character wider than the width stands alone.
std::vector<std::string> WrapToWidth(Canvas& canvas, std::string_view text, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t lineChars = 0;
  std::size_t lastStart = 0;  // where the line's last character begins
  for (std::string& character : Utf8Chars(text)) {
    if (lineChars > 0 && canvas.textWidth(line + character) > width) {
      std::string carried;
      if (NeverStartsALine(character) && lineChars > 1) {
        carried = line.substr(lastStart);
        line.resize(lastStart);
      }
      lines.push_back(std::move(line));
      line = std::move(carried);
      lineChars = line.empty() ? 0 : 1;
    }
    lastStart = line.size();
    line += character;
    ++lineChars;
  }
  if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
  return lines;
}

}  // namespace

MessageLayout LayOutMessagePicture(Canvas& canvas, const MessagePicture& picture, int width) {
  MessageLayout layout;
  int moved = 0;  // how far the rows added so far push what follows
  for (const PictureText& text : picture.texts) {
    PictureText placed = text;
    placed.at.y += moved;
    std::vector<std::string> lines;
    if (text.wrapPitch > 0 && !text.notation && width > 0) {
      canvas.font().size = text.size;
      lines = WrapToWidth(canvas, text.text, width - text.at.x);
    } else {
      lines.push_back(text.text);
    }
    canvas.font().size = text.size;
    const int rowHeight = canvas.textHeight();
    for (std::size_t k = 0; k < lines.size(); ++k) {
      PictureText row = placed;
      row.text = std::move(lines[k]);
      row.at.y += static_cast<int>(k) * text.wrapPitch;
      layout.height = std::max(layout.height, row.at.y + rowHeight);
      layout.rows.push_back(std::move(row));
    }
    moved += static_cast<int>(lines.size() - 1) * text.wrapPitch;
  }
  return layout;
}

void DrawMessagePicture(Canvas& canvas, const MessagePicture& picture, int width) {
  const MessageLayout layout = LayOutMessagePicture(canvas, picture, width);
  canvas.font().size = 20;
  canvas.font().style = FontStyle{};
  for (const PictureText& text : layout.rows) DrawText(canvas, text);
}

}  // namespace tavolo
