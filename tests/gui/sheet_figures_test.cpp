// Figures and regions on a worksheet page: choosing a region with the mouse,
// a right click choosing a figure, copying to the clipboard, dragging a
// figure to a new place, and the enlarged figure viewer.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <tuple>

#include "app/sheet_saving.h"
#include "desktop_fixture.h"
#include "gui/app/frm_bmp.h"
#include "gui/app/frm_print.h"
#include "gui/app/page_view.h"

namespace tavolo::test {
namespace {

// The figure of the test unit: 40 x 30, red with a blue top-left pixel and a
// green bottom-right one, so that a copy one pixel off is caught.
QImage FigurePicture() {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::red);
  picture.setPixel(0, 0, qRgb(0, 0, 255));
  picture.setPixel(39, 29, qRgb(0, 255, 0));
  return picture;
}

constexpr QPoint kFigureAt{200, 300};

class SheetFiguresTest : public DesktopTest {
 protected:
  void SetUp() override {
    const std::string c = course.toStdString();
    WriteCp932Lines(c + "/Main.ind", {"正と負の数", "", "正の数と負の数,kazu\\ kz"});
    WriteCp932Lines(c + "/kazu/kz.ind",
                    {"正の数と負の数", "[[sect1", "符号のついた数", "<<", "数直線", ">>", "]]"});
    WriteCp932Lines(
        c + "/kazu/kz1.que",
        {"[[unit1", "<<ques", "次の数を数直線に表しなさい。", "(1) -3 #-3#", ">>", "<<graph",
         "numline.bmp", std::to_string(kFigureAt.x()), std::to_string(kFigureAt.y()), ">>", "]]"});
    QDir().mkpath(course + "/kazu/Graph");
    ASSERT_TRUE(FigurePicture().save(course + "/kazu/Graph/numline.bmp", "BMP"));

    NewWindow();
    // Room for the whole page, so every point of it can be clicked.
    window->resize(1000, 1200);
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
    OpenFirstUnit();
    sheet = window->CurrentSheetWindow();
    ASSERT_NE(sheet, nullptr);
    sheet->showMaximized();
    page = sheet->findChild<PageView*>("Image1");
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(sheet->Layout().figures.size(), 1u);
    ASSERT_EQ(sheet->Layout().figures[0], (Rect{200, 300, 240, 330}));
    QGuiApplication::clipboard()->clear();
  }

  void OpenFirstUnit() {
    ModalHelper modal({[](QWidget* menu) {
      menu->findChild<QListWidget*>("lstUnit")->setCurrentRow(0);
      ClickButton(menu, "　Ｏ　Ｋ　");
    }});
    QTest::mouseClick(Find<QPushButton>("btnOpenMaster"), Qt::LeftButton);
  }

  void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(page, button, Qt::NoModifier, from);
    QTest::mouseMove(page, (from + to) / 2);
    QTest::mouseMove(page, to);
    QTest::mouseRelease(page, button, Qt::NoModifier, to);
  }
  void Click(Qt::MouseButton button, QPoint at) { Drag(button, at, at); }

  static QImage Clipboard() {
    return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  }
  QImage PageRegion(const QRect& r) const {
    return sheet->PageImage().copy(r).convertToFormat(QImage::Format_RGB32);
  }
  std::vector<std::string> GraphLines() const { return sheet->Document().params.unit.graphLines; }

  TfrmPrint* sheet = nullptr;
  PageView* page = nullptr;
};

TEST_F(SheetFiguresTest, EitherDragDirectionCopiesTheRegionInsideTheFrame) {
  // The region lies inside the frame: (151, 251) up to (299, 399), the figure within it.
  const QRect inside(151, 251, 149, 149);
  const struct {
    QPoint from, to;
  } drags[] = {{{150, 250}, {300, 400}},
               {{300, 400}, {150, 250}},
               {{300, 250}, {150, 400}},
               {{150, 400}, {300, 250}}};
  for (const auto& drag : drags) {
    SCOPED_TRACE(testing::Message() << drag.from.x() << "," << drag.from.y());
    QSignalSpy changes(sheet, &TfrmPrint::selectionChanged);
    Drag(Qt::LeftButton, drag.from, drag.to);
    ASSERT_TRUE(sheet->HasSelection());
    EXPECT_EQ(page->Frame(), QRect(150, 250, 151, 151));
    sheet->CopySelection();
    const QImage copied = Clipboard();
    EXPECT_EQ(copied.size(), inside.size());
    EXPECT_EQ(copied, PageRegion(inside));
    EXPECT_EQ(copied.pixel(kFigureAt - inside.topLeft()), qRgb(0, 0, 255));
    // Copying drops the selection and its frame.
    EXPECT_FALSE(sheet->HasSelection());
    EXPECT_FALSE(page->Frame().has_value());
    ASSERT_EQ(changes.count(), 2);
    EXPECT_TRUE(changes[0][0].toBool());
    EXPECT_FALSE(changes[1][0].toBool());
  }
}

TEST_F(SheetFiguresTest, TheFrameInvertsThePageBelowIt) {
  Drag(Qt::LeftButton, {100, 500}, {400, 600});
  const QImage shown = page->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // A dotted line: on white paper some, not all, pixels of each edge are black.
  const auto blackIn = [&](QPoint from, QPoint step, int count) {
    int black = 0;
    for (int i = 0; i < count; ++i) black += shown.pixel(from + i * step) == qRgb(0, 0, 0);
    return black;
  };
  for (const auto& [from, step, count] : {std::tuple{QPoint(100, 500), QPoint(1, 0), 301},
                                          {QPoint(100, 600), QPoint(1, 0), 301},
                                          {QPoint(100, 500), QPoint(0, 1), 101},
                                          {QPoint(400, 500), QPoint(0, 1), 101}}) {
    EXPECT_GT(blackIn(from, step, count), count / 4) << from.x() << "," << from.y();
    EXPECT_LT(blackIn(from, step, count), count * 3 / 4) << from.x() << "," << from.y();
  }
  // Nothing just outside the frame.
  EXPECT_EQ(blackIn({99, 499}, {1, 0}, 303), 0);
  EXPECT_EQ(blackIn({401, 499}, {0, 1}, 103), 0);
  // The page image itself is untouched.
  EXPECT_EQ(sheet->PageImage().pixel(100, 500), qRgb(255, 255, 255));
  sheet->CancelSelection();
  const QImage after = page->grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int x = 100; x <= 400; ++x) ASSERT_EQ(after.pixel(x, 500), qRgb(255, 255, 255)) << x;
}

TEST_F(SheetFiguresTest, RightClickOnAFigureCopiesExactlyTheFigure) {
  QSignalSpy changes(sheet, &TfrmPrint::selectionChanged);
  Click(Qt::RightButton, kFigureAt + QPoint(20, 10));
  ASSERT_TRUE(sheet->HasSelection());
  ASSERT_EQ(changes.count(), 1);
  // The frame lies one pixel around the figure.
  EXPECT_EQ(page->Frame(), QRect(QPoint(199, 299), QPoint(240, 330)));
  sheet->CopySelection();
  EXPECT_EQ(Clipboard(), FigurePicture());
  EXPECT_FALSE(sheet->Document().modified);
  EXPECT_EQ(GraphLines(), (std::vector<std::string>{"numline.bmp", "200", "300"}));
}

TEST_F(SheetFiguresTest, TheMainWindowsCopyButtonsFollowTheSelection) {
  auto* copy = Find<QPushButton>("btnCopy");
  auto* cancel = Find<QPushButton>("btnCancel");
  EXPECT_FALSE(copy->isEnabled());
  Click(Qt::RightButton, kFigureAt + QPoint(20, 10));
  ASSERT_TRUE(copy->isEnabled());
  ASSERT_TRUE(cancel->isEnabled());
  QTest::mouseClick(copy, Qt::LeftButton);
  EXPECT_EQ(Clipboard(), FigurePicture());
  EXPECT_FALSE(copy->isEnabled());
  EXPECT_FALSE(cancel->isEnabled());

  Drag(Qt::LeftButton, {50, 50}, {150, 120});
  ASSERT_TRUE(cancel->isEnabled());
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_FALSE(sheet->HasSelection());
  EXPECT_FALSE(copy->isEnabled());

  auto* wholePage = window->findChild<QAction*>("mnuSheetClipboard");
  ASSERT_NE(wholePage, nullptr);
  ASSERT_TRUE(wholePage->isEnabled());
  wholePage->trigger();
  EXPECT_EQ(Clipboard().size(), QSize(630, 891));
}

TEST_F(SheetFiguresTest, TheReducedViewWorksInPagePixels) {
  sheet->showNormal();
  sheet->resize(400, 400);
  sheet->SetReduced(true);
  ASSERT_LT(page->width(), 400);
  Click(Qt::RightButton, page->WidgetPoint(kFigureAt + QPoint(20, 15)));
  ASSERT_TRUE(sheet->HasSelection());
  sheet->CopySelection();
  EXPECT_EQ(Clipboard(), FigurePicture());

  // A drag moves the figure by the page pixels under the mouse's way.
  Drag(Qt::LeftButton, page->WidgetPoint(kFigureAt + QPoint(20, 15)),
       page->WidgetPoint(kFigureAt + QPoint(20, 15) + QPoint(100, 100)));
  const std::vector<std::string> lines = GraphLines();
  ASSERT_EQ(lines.size(), 3u);
  // Within the rounding of one widget pixel of the reduced page.
  EXPECT_NEAR(std::stoi(lines[1]), kFigureAt.x() + 100, 3);
  EXPECT_NEAR(std::stoi(lines[2]), kFigureAt.y() + 100, 3);
}

TEST_F(SheetFiguresTest, AClickOnThePageDropsAPendingSelection) {
  const struct {
    const char* name;
    Qt::MouseButton button;
    QPoint at;
  } clicks[] = {{"left click beside the figure", Qt::LeftButton, {500, 700}},
                {"right click beside the figure", Qt::RightButton, {500, 700}},
                {"left click on the figure", Qt::LeftButton, kFigureAt + QPoint(5, 5)}};
  for (const auto& click : clicks) {
    SCOPED_TRACE(click.name);
    Drag(Qt::LeftButton, {100, 100}, {300, 200});
    ASSERT_TRUE(sheet->HasSelection());
    QSignalSpy changes(sheet, &TfrmPrint::selectionChanged);
    Click(click.button, click.at);
    EXPECT_FALSE(sheet->HasSelection());
    EXPECT_FALSE(page->Frame().has_value());
    ASSERT_EQ(changes.count(), 1);
    EXPECT_FALSE(changes[0][0].toBool());
    // Nothing left to copy.
    sheet->CopySelection();
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
  }
  // A drag too small to hold a pixel inside the frame selects nothing either.
  Drag(Qt::LeftButton, {100, 100}, {101, 101});
  EXPECT_FALSE(sheet->HasSelection());
}

TEST_F(SheetFiguresTest, DraggingAFigureMovesItAndMarksTheSheet) {
  const QPoint grip = kFigureAt + QPoint(10, 10);
  QTest::mousePress(page, Qt::LeftButton, Qt::NoModifier, grip);
  QTest::mouseMove(page, grip + QPoint(30, -20));
  // The outline follows the mouse while the figure itself waits.
  EXPECT_EQ(page->Frame(), QRect(QPoint(229, 279), QPoint(270, 310)));
  EXPECT_FALSE(sheet->Document().modified);
  QTest::mouseRelease(page, Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, -20));

  EXPECT_FALSE(page->Frame().has_value());
  EXPECT_TRUE(sheet->Document().modified);
  EXPECT_FALSE(sheet->HasSelection());
  EXPECT_EQ(GraphLines(), (std::vector<std::string>{"numline.bmp", "230", "280"}));
  EXPECT_EQ(sheet->Layout().figures[0], (Rect{230, 280, 270, 310}));
  EXPECT_EQ(PageRegion({230, 280, 40, 30}), FigurePicture());
}

TEST_F(SheetFiguresTest, TheFigureItselfGoesWithTheMouseWhileDragged) {
  const QPoint grip = kFigureAt + QPoint(20, 15);
  const QPoint shift(150, 100);
  QTest::mousePress(page, Qt::LeftButton, Qt::NoModifier, grip);
  QTest::mouseMove(page, grip + shift / 2);
  QTest::mouseMove(page, grip + shift);
  const QImage shown = page->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const qreal ratio = shown.devicePixelRatio();
  auto pixel = [&](QPoint p) { return QColor(shown.pixel(p * ratio)); };
  // Inside the figure, clear of the dotted frame.
  const QPoint inside = kFigureAt + QPoint(20, 15);
  EXPECT_EQ(pixel(inside + shift), QColor(Qt::red));
  EXPECT_EQ(pixel(inside), QColor(Qt::white));
  QTest::mouseRelease(page, Qt::LeftButton, Qt::NoModifier, grip + shift);
  EXPECT_EQ(sheet->Layout().figures[0],
            (Rect{200 + shift.x(), 300 + shift.y(), 240 + shift.x(), 330 + shift.y()}));
}

TEST_F(SheetFiguresTest, AMovedFigureIsSavedAndReopensInItsNewPlace) {
  Drag(Qt::LeftButton, kFigureAt + QPoint(5, 5), kFigureAt + QPoint(5 + 60, 5 + 150));
  ASSERT_EQ(SaveMaster(sheet->Document(), dialogs), SaveOutcome::Saved);
  ASSERT_TRUE(sheet->close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  OpenFirstUnit();
  sheet = window->CurrentSheetWindow();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(GraphLines(), (std::vector<std::string>{"numline.bmp", "260", "450"}));
  EXPECT_EQ(sheet->Layout().figures[0], (Rect{260, 450, 300, 480}));
  EXPECT_FALSE(sheet->Document().modified);
}

TEST_F(SheetFiguresTest, FigureDropsThatMoveNothingOrLeaveThePage) {
  const QPoint grip = kFigureAt + QPoint(10, 10);
  Click(Qt::LeftButton, grip);  // a click without movement
  EXPECT_FALSE(sheet->Document().modified);
  EXPECT_EQ(GraphLines(), (std::vector<std::string>{"numline.bmp", "200", "300"}));

  // Dropped beyond the left and top edges: the figure stays on the page, and
  // x stays at 1 or more so it is not taken for a figure not placed yet.
  Drag(Qt::LeftButton, grip, {-300, -400});
  EXPECT_EQ(GraphLines(), (std::vector<std::string>{"numline.bmp", "1", "0"}));
  EXPECT_EQ(sheet->Layout().figures[0], (Rect{1, 0, 41, 30}));
  EXPECT_TRUE(sheet->Document().modified);
}

TEST_F(SheetFiguresTest, CopyWholePagePutsThePageOnTheClipboard) {
  sheet->CopyWholePage();
  const QImage copied = Clipboard();
  EXPECT_EQ(copied.size(), QSize(630, 891));
  EXPECT_EQ(copied, sheet->PageImage().convertToFormat(QImage::Format_RGB32));
}

TEST(FigureViewerTest, ShowsThePictureWithItsSize) {
  TfrmBMP viewer;
  QImage picture(123, 45, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  viewer.ShowPicture(picture);
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_FALSE(viewer.isModal());
  EXPECT_EQ(viewer.windowTitle(), "ZoomView 拡大表示");
  EXPECT_EQ(viewer.findChild<QLabel*>("lblXW")->text(), "123");
  EXPECT_EQ(viewer.findChild<QLabel*>("lblYH")->text(), "45");
  const QLabel* image = viewer.findChild<QLabel*>("imgBMP");
  EXPECT_EQ(image->size(), picture.size());
  EXPECT_EQ(image->pixmap().toImage().convertToFormat(QImage::Format_RGB32), picture);
  EXPECT_EQ(viewer.palette().color(QPalette::Window), QColor(Qt::white));

  // A second picture replaces the first.
  viewer.ShowPicture(QImage(20, 300, QImage::Format_RGB32));
  EXPECT_EQ(viewer.findChild<QLabel*>("lblXW")->text(), "20");
  EXPECT_EQ(viewer.findChild<QLabel*>("lblYH")->text(), "300");
}

// The figure list changed under a drag (cut short elsewhere, the page not yet
// drawn again): the drop has no place to write to and changes nothing.
TEST_F(SheetFiguresTest, ADropThatCannotBeWrittenLeavesTheSheetUnchanged) {
  const QPoint grip = kFigureAt + QPoint(20, 15);
  QTest::mousePress(page, Qt::LeftButton, Qt::NoModifier, grip);
  QTest::mouseMove(page, grip + QPoint(60, 40));
  sheet->Document().params.unit.graphLines = {"numline.bmp"};
  QTest::mouseRelease(page, Qt::LeftButton, Qt::NoModifier, grip + QPoint(60, 40));
  EXPECT_FALSE(sheet->Document().modified);
  EXPECT_EQ(GraphLines(), (std::vector<std::string>{"numline.bmp"}));
}

}  // namespace
}  // namespace tavolo::test
