// Answer keys printed at the printer's resolution, read back as a teacher
// sees them: every unit of the sample course goes into one PDF, which poppler
// rasterises at 150 dpi, and every answer's ink must lie inside its own box.
// Each unit is printed twice, with its boxes and without, so that the box ink
// is what the two pages do not share.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <deque>
#include <regex>
#include <set>
#include <sstream>

#include "cli/prepared_sheet.h"
#include "cli_run.h"
#include "draw/page_image.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

using test::Cli;
using test::Shell;

const std::string kCourse = std::string(TAVOLO_SOURCE_DIR) + "/courses/sample";
constexpr int kRasterDpi = 150;
constexpr int kPdfDpi = 600;  // as `tavolo print` writes them

// Every unit and similar problem of the course, as `tavolo list` names them.
std::vector<std::string> SampleAddresses() {
  std::vector<std::string> addresses;
  std::istringstream lines(Cli({"list", kCourse}).out);
  const std::regex unitLine(R"(^\s+(\d+\.\d+)\.(\d+) )");
  const std::regex variant(R"(類題　(\d+)R(\d+))");
  for (std::string line; std::getline(lines, line);) {
    std::smatch unit;
    if (!std::regex_search(line, unit, unitLine)) continue;
    addresses.push_back(unit[1].str() + "." + unit[2].str());
    for (std::sregex_iterator it(line.begin(), line.end(), variant), end; it != end; ++it)
      addresses.push_back(unit[1].str() + "." + (*it)[1].str() + "R" + (*it)[2].str());
  }
  return addresses;
}

struct PrintedUnit {
  std::string address;
  BoxKind kind = BoxKind::None;
  int answers = 0;             // answers with something to show
  std::vector<QRect> ignored;  // header and figures (pictures may be blue), raster pixels
};

int Luma(QRgb p) { return (qRed(p) * 299 + qGreen(p) * 587 + qBlue(p) * 114) / 1000; }
bool IsAnswerBlue(QRgb p) { return qBlue(p) > 150 && qRed(p) < 130 && qGreen(p) < 130; }

// The answer ink of a page, one rectangle per answer: blue pixels grouped
// into connected parts, parts closer than a few pixels joined (the characters
// of a number, the parts of a fraction).
std::vector<QRect> AnswerInk(const QImage& page, const std::vector<QRect>& ignored) {
  const int w = page.width(), h = page.height();
  std::vector<char> blue(static_cast<std::size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    for (int x = 0; x < w; ++x)
      if (IsAnswerBlue(row[x]) && std::none_of(ignored.begin(), ignored.end(),
                                               [&](const QRect& r) { return r.contains(x, y); }))
        blue[static_cast<std::size_t>(y) * w + x] = 1;
  }
  std::vector<QRect> parts;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (blue[static_cast<std::size_t>(y) * w + x] != 1) continue;
      QRect part(x, y, 1, 1);
      std::deque<QPoint> queue{QPoint(x, y)};
      blue[static_cast<std::size_t>(y) * w + x] = 2;
      while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        part |= QRect(p, QSize(1, 1));
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = p.x() + dx, ny = p.y() + dy;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
            char& seen = blue[static_cast<std::size_t>(ny) * w + nx];
            if (seen != 1) continue;
            seen = 2;
            queue.emplace_back(nx, ny);
          }
        }
      }
      parts.push_back(part);
    }
  }
  const QMargins near(12, 8, 12, 8);
  for (bool joined = true; joined;) {
    joined = false;
    for (std::size_t i = 0; i < parts.size() && !joined; ++i) {
      for (std::size_t j = i + 1; j < parts.size() && !joined; ++j) {
        if (parts[i].marginsAdded(near).intersects(parts[j].marginsAdded(near))) {
          parts[i] |= parts[j];
          parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(j));
          joined = true;
        }
      }
    }
  }
  return parts;
}

class BoxInk {
 public:
  BoxInk(const QImage& boxed, const QImage& plain)
      : w_(boxed.width()),
        h_(boxed.height()),
        ink_(static_cast<std::size_t>(w_) * h_, false),
        barrier_(ink_.size(), false) {
    for (int y = 0; y < h_; ++y) {
      const auto* withBoxes = reinterpret_cast<const QRgb*>(boxed.constScanLine(y));
      const auto* without = reinterpret_cast<const QRgb*>(plain.constScanLine(y));
      for (int x = 0; x < w_; ++x) {
        const bool dark = Luma(withBoxes[x]) < 160;
        ink_[Index(x, y)] = dark && Luma(without[x]) > 200;
        // Where a box runs over question text both pages are dark there: for
        // closing the answer in, every dark pixel but the answer's counts.
        barrier_[Index(x, y)] = dark && !IsAnswerBlue(without[x]);
      }
    }
  }
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_ && ink_[Index(x, y)]; }
  int CountIn(const QRect& r) const {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) n += At(x, y) ? 1 : 0;
    return n;
  }
  // Whether the box closes the answer in: a fill from the answer that may
  // not cross the box (nor question text) never gets far from it.
  bool Encloses(const QRect& answer) const {
    // Boxes of a fixed width may reach far to the right of a short answer.
    const QRect window = answer.marginsAdded(QMargins(600, 200, 600, 200));
    std::vector<char> seen(ink_.size(), 0);
    std::deque<QPoint> queue;
    for (int y = answer.top(); y <= answer.bottom(); ++y) {
      for (int x = answer.left(); x <= answer.right(); ++x) {
        seen[Index(x, y)] = 1;
        queue.emplace_back(x, y);
      }
    }
    while (!queue.empty()) {
      const QPoint p = queue.front();
      queue.pop_front();
      if (!window.contains(p) || p.x() <= 0 || p.y() <= 0 || p.x() >= w_ - 1 || p.y() >= h_ - 1)
        return false;
      for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
        const QPoint n = p + d;
        if (seen[Index(n.x(), n.y())] || barrier_[Index(n.x(), n.y())]) continue;
        seen[Index(n.x(), n.y())] = 1;
        queue.push_back(n);
      }
    }
    return true;
  }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * w_ + x; }
  int w_, h_;
  std::vector<bool> ink_;      // the boxes alone
  std::vector<bool> barrier_;  // the boxes and the question text
};

std::string Describe(const QRect& r) {
  std::ostringstream out;
  out << "answer ink (" << r.left() << "," << r.top() << ")-(" << r.right() << "," << r.bottom()
      << ")";
  return out.str();
}

// What "inside its box" means for each kind of box.
void ExpectAnswerInItsBox(const BoxInk& box, BoxKind kind, const QRect& answer) {
  SCOPED_TRACE(Describe(answer));
  // No box crosses its answer.
  EXPECT_EQ(box.CountIn(answer), 0);
  switch (kind) {
    case BoxKind::Rectangle:
    case BoxKind::RoundedRectangle:
      EXPECT_TRUE(box.Encloses(answer));
      break;
    case BoxKind::SquareBrackets:
    case BoxKind::LenticularBrackets: {
      // A bracket close on either side, standing on the answer's line.
      const int middle = answer.center().y();
      const int reach = 60;
      const QRect left(answer.left() - reach, answer.top(), reach, answer.height());
      const QRect right(answer.right() + 1, answer.top(), reach, answer.height());
      EXPECT_GT(box.CountIn(left), 20);
      EXPECT_GT(box.CountIn(right), 20);
      for (const QRect& side : {left, right}) {
        int top = -1, bottom = -1;
        for (int y = middle - 60; y <= middle + 60; ++y) {
          if (box.CountIn(QRect(side.left(), y, side.width(), 1)) == 0) continue;
          if (top < 0) top = y;
          bottom = y;
        }
        EXPECT_LE(top, middle);
        EXPECT_GE(bottom, middle);
      }
      break;
    }
    case BoxKind::Underline: {
      // A line below the answer, under its whole width.
      int under = 0;
      for (int x = answer.left(); x <= answer.right(); ++x)
        under += box.CountIn(QRect(x, answer.bottom() + 1, 1, 40)) > 0 ? 1 : 0;
      EXPECT_EQ(under, answer.width());
      break;
    }
    default:
      break;
  }
}

class PrintedAnswerKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Shell("command -v pdftoppm").empty()) GTEST_SKIP() << "poppler-utils is not installed";
  }
  test::TempFolder folder_;
};

TEST_F(PrintedAnswerKeyTest, EveryAnswerOfTheSampleCourseIsInsideItsPrintedBox) {
  const std::vector<std::string> addresses = SampleAddresses();
  ASSERT_GE(addresses.size(), 30u);
  const QString pdfPath = QString::fromStdString((folder_ / "keys.pdf").string());
  std::vector<PrintedUnit> units;
  {
    QPdfWriter pdf(pdfPath);
    pdf.setResolution(kPdfDpi);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    for (const std::string& address : addresses) {
      std::ostringstream problems;
      Result<PreparedSheet> sheet = PrepareSheet({kCourse, address}, true, nullptr, problems);
      ASSERT_TRUE(sheet.ok()) << address << ": " << sheet.message();
      PreparedSheet& prepared = sheet.value();
      SheetParams& params = prepared.params;
      const QPageSize paper(QSizeF(params.paperWidth / 3.0, params.paperHeight / 3.0),
                            QPageSize::Millimeter);
      // As `tavolo print` does: the screen render fills the registry first.
      AnswerBoxRegistry registry;
      PageRenderer renderer(registry);
      const PageSettings settings = CommandPageSettings(prepared);
      RenderScreenPage(prepared, renderer, settings);

      PrintedUnit unit{address, params.AnswerBoxKind(), 0, {}};
      for (int e = 1; e <= registry.count(); ++e) {
        const std::string& answer = registry.box(e).answerText;
        if (answer.find_first_not_of(" ;") != std::string::npos) ++unit.answers;
      }
      // Layout units are a third of a millimetre.
      const double unitPixels = kRasterDpi / 25.4 / 3.0;
      unit.ignored.emplace_back(0, 0, 100000, static_cast<int>(92 * unitPixels));
      for (const Rect& f : prepared.layout.figures)
        unit.ignored.emplace_back(static_cast<int>(f.left * unitPixels) - 2,
                                  static_cast<int>(f.top * unitPixels) - 2,
                                  static_cast<int>(f.Width() * unitPixels) + 5,
                                  static_cast<int>(f.Height() * unitPixels) + 5);
      units.push_back(unit);

      for (int copy = 0; copy < 2; ++copy) {
        pdf.setPageSize(paper);
        if (!painter.isActive()) {
          ASSERT_TRUE(painter.begin(&pdf));
        } else {
          ASSERT_TRUE(pdf.newPage());
        }
        if (copy == 1) params.kran[0] = "0";  // the same page without its boxes
        RenderPrinterPage(renderer, prepared.page(), painter, settings);
      }
    }
    painter.end();
  }
  // Two pages at a time, as uncompressed pixmaps: quick to write and read.
  std::set<BoxKind> kindsSeen;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const PrintedUnit& unit = units[i];
    SCOPED_TRACE(unit.address);
    const std::string prefix = (folder_ / ("unit" + std::to_string(i))).string();
    Shell("pdftoppm -r " + std::to_string(kRasterDpi) + " -f " + std::to_string(2 * i + 1) +
          " -l " + std::to_string(2 * i + 2) + " '" + pdfPath.toStdString() + "' '" + prefix + "'");
    const QStringList pages =
        QDir(QString::fromStdString(folder_.path().string()))
            .entryList({QString::fromStdString("unit" + std::to_string(i) + "-*.ppm")}, QDir::Files,
                       QDir::Name);
    ASSERT_EQ(pages.size(), 2);
    const QString dir = QString::fromStdString(folder_.path().string()) + "/";
    const QImage boxed = QImage(dir + pages[0]).convertToFormat(QImage::Format_RGB32);
    const QImage plain = QImage(dir + pages[1]).convertToFormat(QImage::Format_RGB32);
    QFile::remove(dir + pages[0]);
    QFile::remove(dir + pages[1]);
    ASSERT_FALSE(boxed.isNull());
    ASSERT_EQ(boxed.size(), plain.size());
    const BoxInk box(boxed, plain);
    const std::vector<QRect> answers = AnswerInk(plain, unit.ignored);
    EXPECT_EQ(static_cast<int>(answers.size()), unit.answers);
    for (const QRect& answer : answers) ExpectAnswerInItsBox(box, unit.kind, answer);
    kindsSeen.insert(unit.kind);
  }
  // The sample course has every kind of box.
  EXPECT_EQ(kindsSeen.size(), 6u);
}

}  // namespace
}  // namespace tavolo
