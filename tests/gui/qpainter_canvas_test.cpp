// The QPainter canvas draws where the recording canvas says, with the IPA
// fonts standing in for the course files' font names.

#include "draw/qpainter_canvas.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <sstream>

#include "cli/drawing_commands.h"
#include "draw/font_substitution.h"
#include "platform/cp932.h"
#include "sheet/notation.h"
#include "sheet/recording_canvas.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

bool IsInk(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF; }

bool HasInk(const QImage& image, const Rect& rect) {
  for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, image.height()); ++y)
    for (int x = std::max(rect.left, 0); x < std::min(rect.right, image.width()); ++x)
      if (IsInk(image, x, y)) return true;
  return false;
}

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

TEST(FontSubstitutionTest, CourseFontNamesMapToInstalledJapaneseFonts) {
  const std::pair<const char*, const char*> cases[] = {
      {"ＭＳ 明朝", "IPAMincho"},        {"MS 明朝", "IPAMincho"},
      {"ＭＳ Ｐ明朝", "IPAMincho"},      {"ＭＳ　明朝", "IPAMincho"},
      {"MS Mincho", "IPAMincho"},        {"ＭＳ ゴシック", "IPAGothic"},
      {"MS ゴシック", "IPAGothic"},      {"MS PGothic", "IPAGothic"},
      {"No Such Font 123", "IPAMincho"}, {"", "IPAMincho"},
      {"IPAGothic", "IPAGothic"},
  };
  for (const auto& [name, expected] : cases)
    EXPECT_EQ(SubstituteFontFamily(QString::fromUtf8(name)).toStdString(), expected) << name;
}

TEST(QPainterCanvasTest, MetricsOfTheIpaFontsMatchTheRecordingCanvas) {
  QImage image = WhiteImage(10, 10);
  QPainter painter(&image);
  QPainterCanvas canvas(painter, 96);
  RecordingCanvas recording;
  for (int size : {9, 12, 15}) {
    canvas.font().size = size;
    recording.font().size = size;
    for (const char* text : {"12", "x", "あい", "＜"})
      EXPECT_NEAR(canvas.textWidth(text), recording.textWidth(text), 1) << size << " " << text;
  }
}

// A character read from a duplicate code carries an invisible tag (so that it
// is saved with its own bytes): it must look and measure like the character.
TEST(QPainterCanvasTest, DuplicateCodesDrawExactlyLikeTheirCharacter) {
  const char* codes[] = {"\x87\x90", "\xed\x40", "\xfa\x4a", "\xee\xef", "\xee\xf9", "\xfa\x5b"};
  for (const char* bytes : codes) {
    const std::string tagged = DecodeCp932(bytes);
    const std::string plain = WithoutCodeVariants(tagged);
    ASSERT_NE(tagged, plain);
    for (const char* family : {"ＭＳ 明朝", "ＭＳ ゴシック"}) {
      QImage images[2] = {WhiteImage(80, 40), WhiteImage(80, 40)};
      int widths[2] = {};
      for (int i = 0; i < 2; ++i) {
        QPainter painter(&images[i]);
        QPainterCanvas canvas(painter, 96);
        canvas.font().family = family;
        canvas.font().size = 14;
        widths[i] = canvas.textWidth(i == 0 ? plain : tagged);
        canvas.textOut(5, 5, i == 0 ? "(" + plain + ")" : "(" + tagged + ")");
      }
      EXPECT_EQ(widths[1], widths[0]) << plain;
      EXPECT_TRUE(images[1] == images[0]) << plain << " " << family;
      EXPECT_TRUE(HasInk(images[0], {5, 5, 40, 30}));
    }
  }
}

TEST(QPainterCanvasTest, InkLandsWhereTheRecordingCanvasPutsIt) {
  QImage image = WhiteImage(240, 120);
  RecordingCanvas recording;
  {
    QPainter painter(&image);
    QPainterCanvas canvas(painter, 96);
    DrawingContext context;
    DrawMathText(context, canvas, 12, {100, 50}, Color::Blue(), "12/5", 1.0);
    DrawMathText(context, recording, 12, {100, 50}, Color::Blue(), "12/5", 1.0);
    EXPECT_EQ(canvas.penPos(), recording.penPos());
  }
  // Every character has ink inside its cell.
  for (const auto& text : recording.texts()) EXPECT_TRUE(HasInk(image, text.rect)) << text.text;
  // The bar: blue along its whole length, on its own row.
  const CanvasCall& bar = recording.calls().back();
  ASSERT_EQ(bar.kind, CanvasCallKind::Line);
  for (int x = bar.from.x; x < bar.to.x; ++x) {
    EXPECT_EQ(image.pixelColor(x, bar.from.y), QColor(Qt::blue)) << x;
  }
  // Nothing left of the fraction or below the denominator's cell.
  EXPECT_FALSE(HasInk(image, {0, 0, bar.from.x, 120}));
  EXPECT_FALSE(HasInk(image, {0, 68 + 17, 240, 120}));
}

TEST(QPainterCanvasTest, TextCellTopLeftIsThePositionGiven) {
  QImage image = WhiteImage(60, 60);
  QPainter painter(&image);
  QPainterCanvas canvas(painter, 96);
  canvas.font().size = 12;
  EXPECT_EQ(canvas.textOut(20, 20, "漢"), 36);
  EXPECT_EQ(canvas.penPos(), (Point{36, 20}));
  painter.end();
  EXPECT_TRUE(HasInk(image, {20, 20, 36, 36}));
  EXPECT_FALSE(HasInk(image, {0, 0, 60, 20}));
  EXPECT_FALSE(HasInk(image, {0, 0, 20, 60}));
  EXPECT_FALSE(HasInk(image, {0, 38, 60, 60}));
}

TEST(QPainterCanvasTest, HighDensityImagesKeepLayoutUnits) {
  QImage image = WhiteImage(120, 120);
  image.setDevicePixelRatio(2.0);
  QPainter painter(&image);
  QPainterCanvas canvas(painter, 96);
  canvas.font().size = 12;
  for (int i = 0; i < 2; ++i) EXPECT_EQ(canvas.textOut(20, 20, "漢"), 36);  // laid out, then kept
  painter.end();
  image.setDevicePixelRatio(1.0);
  EXPECT_TRUE(HasInk(image, {40, 40, 72, 72}));
  EXPECT_FALSE(HasInk(image, {0, 0, 120, 40}));
  EXPECT_FALSE(HasInk(image, {0, 76, 120, 120}));
}

TEST(QPainterCanvasTest, ShapesKeepRightAndBottomEdgesOutside) {
  QImage image = WhiteImage(40, 40);
  QPainter painter(&image);
  QPainterCanvas canvas(painter, 96);
  canvas.rectangle({10, 10, 20, 20});
  canvas.fillRect({30, 30, 35, 35}, Color::Red());
  painter.end();
  EXPECT_TRUE(IsInk(image, 10, 10));
  EXPECT_TRUE(IsInk(image, 19, 19));
  EXPECT_FALSE(IsInk(image, 20, 20));
  EXPECT_FALSE(IsInk(image, 15, 15));  // clear brush
  EXPECT_EQ(image.pixelColor(34, 34), QColor(Qt::red));
  EXPECT_FALSE(IsInk(image, 35, 35));
}

TEST(QPainterCanvasTest, NotXorLineDrawnTwiceLeavesNoTrace) {
  QImage image = WhiteImage(20, 20);
  QPainter painter(&image);
  QPainterCanvas canvas(painter, 96);
  canvas.pen().mode = PenMode::NotXor;
  canvas.line(2, 5, 17, 5);
  painter.end();
  EXPECT_TRUE(IsInk(image, 8, 5));
  painter.begin(&image);
  canvas.line(2, 5, 17, 5);
  painter.end();
  EXPECT_FALSE(HasInk(image, {0, 0, 20, 20}));
}

TEST(QPainterCanvasTest, ImagesAreStretchedIntoTheirRectangle) {
  QImage red(2, 2, QImage::Format_RGB32);
  red.fill(Qt::red);
  CanvasImage picture = MakeCanvasImage(red, "red.bmp");
  EXPECT_EQ(picture.width, 2);
  EXPECT_EQ(picture.name, "red.bmp");
  ASSERT_NE(CanvasImageToQImage(picture), nullptr);

  struct Foreign : CanvasImageData {};
  CanvasImage foreign{4, 4, "x", std::make_shared<Foreign>()};
  EXPECT_EQ(CanvasImageToQImage(foreign), nullptr);

  QImage image = WhiteImage(30, 30);
  QPainter painter(&image);
  QPainterCanvas canvas(painter, 96);
  canvas.drawImage({5, 5, 15, 15}, picture);
  canvas.drawImage({20, 20, 30, 30}, foreign);        // not ours: nothing
  canvas.drawImage({20, 20, 30, 30}, CanvasImage{});  // null: nothing
  painter.end();
  EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(14, 14), QColor(Qt::red));
  EXPECT_FALSE(IsInk(image, 15, 15));
  EXPECT_FALSE(HasInk(image, {20, 20, 30, 30}));
}

TEST(QPainterCanvasTest, DrawsOnAPdfPageAtPrinterResolution) {
  test::TempFolder folder;
  const QString path = QString::fromStdString((folder / "page.pdf").string());
  {
    QPdfWriter writer(path);
    writer.setResolution(600);
    QPainter painter(&writer);
    QPainterCanvas canvas(painter, writer.resolution());
    DrawingContext context;
    context.StartPage(4961.0 / 630.0, true, 12, 15, 4961);
    DrawMarkedText(context, canvas, "(1) 12/5+x^2 @B正の数@/", {400, 400}, context.sheetScale, 15);
    canvas.font().size = 15;
    EXPECT_NEAR(canvas.textWidth("12"), 125, 2);  // 15 pt at 600 dpi: 125 px, ASCII half
  }
  QFile pdf(path);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
  EXPECT_GT(pdf.size(), 1000);
}

TEST(NotationCommandTest, WritesACroppedPngAndRejectsBadArguments) {
  test::TempFolder folder;
  const std::string png = (folder / "line.png").string();
  std::ostringstream out, err;
  EXPECT_EQ(
      RunCliWithDrawing({"notation", "(1) 3/4+#7/4#", "--png", png, "--size", "14"}, out, err), 0)
      << err.str();
  QImage image(QString::fromStdString(png));
  ASSERT_FALSE(image.isNull());
  EXPECT_GT(image.width(), 40);
  EXPECT_LT(image.width(), 400);
  EXPECT_TRUE(HasInk(image, {0, 0, image.width(), image.height()}));
  // The answer is drawn in blue.
  bool blue = false;
  for (int y = 0; y < image.height() && !blue; ++y)
    for (int x = 0; x < image.width() && !blue; ++x) {
      QColor c = image.pixelColor(x, y);
      blue = c.blue() > 200 && c.red() < 80 && c.green() < 80;
    }
  EXPECT_TRUE(blue);

  const std::vector<std::vector<std::string>> bad = {
      {"notation"},
      {"notation", "3/4"},
      {"notation", "3/4", "--png"},
      {"notation", "3/4", "--png", png, "--size", "0"},
      {"notation", "3/4", "--png", png, "--size", "12pt"},
      {"notation", "3/4", "4/5", "--png", png},
  };
  for (const auto& args : bad) {
    std::ostringstream o, e;
    EXPECT_EQ(RunCliWithDrawing(args, o, e), 2) << args.size();
    EXPECT_FALSE(e.str().empty());
  }
  std::ostringstream o, e;
  EXPECT_EQ(RunCliWithDrawing({"notation", "3/4", "--png", (folder / "no/such/dir/x.png").string()},
                              o, e),
            1);
  EXPECT_NE(e.str().find("書き込めません"), std::string::npos);
}

}  // namespace
}  // namespace tavolo
