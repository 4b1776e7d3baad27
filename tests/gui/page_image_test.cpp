// Worksheet pages through Qt: the screen image at any device-pixel ratio and a
// page at a printer's resolution put their ink where the layout says.

#include "draw/page_image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "draw/qimage_provider.h"
#include "draw/qpainter_canvas.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

int InkIn(const QImage& image, const QRect& area) {
  int count = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++count;
  return count;
}

bool IsBlue(QRgb pixel) {
  const QColor c(pixel);
  return c.blue() > 150 && c.red() < 120 && c.green() < 120;
}

struct Sheet {
  SheetParams params;
  SheetPictures pictures;
  PageLayout layout;
  SheetPage page() { return {params, pictures, layout}; }
};

Sheet SampleSheet() {
  Sheet sheet;
  sheet.params.unit.title = "正と負の数//加法§1-1 たし算";
  sheet.params.unit.questionLines = {"(1) (+3)+(-5)=#-2#", "(2) 2/3+1/3=#1#"};
  sheet.params.kran[0] = "1";
  sheet.params.headerOptions = 0;
  return sheet;
}

TEST(PageImageTest, ScreenPageIsSharpOnHiDpiWithTheSameLayout) {
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  Sheet sheet = SampleSheet();
  PageSettings screen;
  screen.registerBoxes = true;
  const QImage normal = RenderPageImage(renderer, sheet.page(), screen);
  const AnswerBox box = registry.box(1);
  const QImage sharp = RenderPageImage(renderer, sheet.page(), screen, 2.0);
  EXPECT_EQ(normal.size(), QSize(630, 891));
  EXPECT_EQ(sharp.size(), QSize(1260, 1782));
  EXPECT_EQ(registry.box(1).x, box.x);  // layout units do not change
  // Rules at y 30 from x 50 to 580, in both images.
  EXPECT_GT(InkIn(normal, QRect(50, 29, 530, 3)), 1000);
  EXPECT_GT(InkIn(sharp, QRect(100, 58, 1060, 6)), 4000);
  EXPECT_EQ(InkIn(normal, QRect(0, 0, 40, 891)), 0);  // nothing in the left margin
  // The answer is drawn at its box, in blue.
  const QRect answer(box.x, box.y, box.width + 4, 40);
  int blue = 0;
  for (int y = answer.top(); y <= answer.bottom(); ++y)
    for (int x = answer.left(); x <= answer.right(); ++x)
      if (QColor(normal.pixel(x, y)).blue() > 150 && QColor(normal.pixel(x, y)).red() < 100) ++blue;
  EXPECT_GT(blue, 10);
}

TEST(PageImageTest, PrinterPageScalesTheLayoutToTheDevice) {
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  Sheet sheet = SampleSheet();
  PageSettings screen;
  screen.registerBoxes = true;
  RenderPageImage(renderer, sheet.page(), screen);

  // A4 at 150 dpi on an image that says so.
  QImage page(1240, 1754, QImage::Format_RGB32);
  page.setDotsPerMeterX(5906);
  page.setDotsPerMeterY(5906);
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    RenderPrinterPage(renderer, sheet.page(), painter, PageSettings{});
  }
  const double s = 1240 / 630.0;
  const int rule = qRound(30 * s);
  EXPECT_GT(InkIn(page, QRect(qRound(50 * s), rule - 2, qRound(530 * s), 5)), 2000);
  EXPECT_EQ(InkIn(page, QRect(0, 0, qRound(45 * s), 1754)), 0);
  // The box of answer 1 starts where the printed answer does: its left edge
  // runs down the whole height of the answer's blue ink, just left of it.
  const QRect line(0, qRound(registry.box(1).y * s), 1240, qRound(22 * s));
  QRect blue;
  for (int y = line.top(); y <= line.bottom(); ++y)
    for (int x = line.left(); x <= line.right(); ++x)
      if (IsBlue(page.pixel(x, y))) blue |= QRect(x, y, 1, 1);
  ASSERT_FALSE(blue.isEmpty());
  bool edge = false;
  for (int x = blue.left() - 12; x < blue.left(); ++x) {
    bool whole = true;
    for (int y = blue.top(); y <= blue.bottom(); ++y)
      whole = whole && (page.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF && !IsBlue(page.pixel(x, y));
    edge = edge || whole;
  }
  EXPECT_TRUE(edge);
}

TEST(PageImageTest, PicturesLoadFromFilesAndMissingOnesAreNull) {
  test::TempFolder folder;
  QImage picture(12, 8, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(QString::fromStdString((folder / "fig.bmp").string()), "BMP"));
  QImageProvider provider;
  const CanvasImage loaded = provider.Load(folder / "fig.bmp");
  EXPECT_FALSE(loaded.IsNull());
  EXPECT_EQ(loaded.width, 12);
  EXPECT_EQ(loaded.height, 8);
  EXPECT_TRUE(provider.Load(folder / "none.bmp").IsNull());
  test::WriteBytes(folder / "broken.bmp", "BM not really");
  EXPECT_TRUE(provider.Load(folder / "broken.bmp").IsNull());
}

}  // namespace
}  // namespace tavolo
