// Texts drawn from laid-out glyph runs look exactly as Qt's own text drawing
// draws them, whether the cache is cold, warm from earlier pages or full.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <string>

#include "draw/qpainter_canvas.h"

namespace tavolo {
namespace {

QImage WhitePage() {
  QImage image(900, 160, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

int Ink(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++count;
  return count;
}

struct TextCase {
  const char* text;
  int points;
  FontStyle style;
};

const TextCase kTexts[] = {
    {"3", 12, {}},
    {"－", 12, {}},
    {"(+3)", 10, {true, false, false, false}},
    {"12345678", 14, {}},              // the longest text kept as a short one
    {"123456789", 14, {}},             // the shortest sentence
    {"次の計算をしなさい。", 12, {}},  // Japanese sentence
    {"(1) 正の数・負の数の加法", 16, {false, false, true, false}},  // underlined
    {"温度計と数", 9, {false, false, false, true}},                 // struck out
};

// What Qt draws for the text with no cache of ours: short texts as a one-line
// text layout at the cell's top-left (as a static text is drawn on a
// printer), sentences on the font's whole-pixel baseline.
QImage QtDrawn(const TextCase& c, int x, int y) {
  QImage image = WhitePage();
  QPainterTextCache fonts(96);
  Font font;
  font.size = c.points;
  font.style = c.style;
  QPainterTextCache::FontEntry& entry = fonts.Entry(font, &image);
  QPainter painter(&image);
  painter.setFont(entry.qfont);
  painter.setPen(Qt::black);
  const QString text = QString::fromUtf8(c.text);
  if (text.size() <= 8) {
    QTextLayout layout(text, entry.qfont);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLeadingIncluded(true);
    line.setLineWidth(100000);
    layout.endLayout();
    layout.draw(&painter, QPointF(x, y));
  } else {
    painter.drawText(QPoint(x, y + entry.metrics.ascent()), text);
  }
  return image;
}

QImage CanvasDrawn(const TextCase& c, int x, int y, QPainterTextCache& texts) {
  QImage image = WhitePage();
  QPainter painter(&image);
  QPainterCanvas canvas(painter, texts);
  canvas.font().size = c.points;
  canvas.font().style = c.style;
  canvas.textOut(x, y, c.text);
  return image;
}

TEST(GlyphRunTextTest, TextsLandWhereQtsOwnDrawingPutsThem) {
  for (const TextCase& c : kTexts) {
    SCOPED_TRACE(c.text);
    QPainterTextCache texts(96);
    const QImage expected = QtDrawn(c, 17, 23);
    ASSERT_GT(Ink(expected), 0);
    EXPECT_EQ(CanvasDrawn(c, 17, 23, texts), expected) << "cold cache";
    // The second time comes from the kept glyph runs, moved to a new place.
    EXPECT_EQ(CanvasDrawn(c, 40, 61, texts), QtDrawn(c, 40, 61)) << "warm cache";
  }
}

TEST(GlyphRunTextTest, AFullCacheStillDrawsAndMeasuresNewTexts) {
  QPainterTextCache full(96);
  {
    QImage scratch = WhitePage();
    QPainter painter(&scratch);
    QPainterCanvas canvas(painter, full);
    for (int i = 0; i < 5000; ++i) canvas.textOut(0, 0, "n" + std::to_string(i));
  }
  for (const TextCase& c : kTexts) {
    SCOPED_TRACE(c.text);
    QPainterTextCache fresh(96);
    EXPECT_EQ(CanvasDrawn(c, 5, 9, full), CanvasDrawn(c, 5, 9, fresh));
    QImage image = WhitePage();
    QPainter painter(&image);
    QPainterCanvas fullCanvas(painter, full);
    QPainterCanvas freshCanvas(painter, fresh);
    fullCanvas.font().size = freshCanvas.font().size = c.points;
    fullCanvas.font().style = freshCanvas.font().style = c.style;
    EXPECT_EQ(fullCanvas.textWidth(c.text), freshCanvas.textWidth(c.text));
    EXPECT_GT(freshCanvas.textWidth(c.text), 0);
  }
}

}  // namespace
}  // namespace tavolo
