// `tavolo render` on a small course built in a temporary folder: the page image
// and the layout that practice and later checks read.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <sstream>

#include "cli_run.h"
#include "support/course_files.h"
#include "support/hostile_files.h"

namespace tavolo {
namespace {

using test::Cli;
using test::CliRun;

using Lines = std::vector<std::string>;
using test::CourseFolderOf;
using test::ReadBytes;
using test::TempFolder;
using test::WriteCp932Lines;

// Counts pixels of a colour family inside a rectangle of the page.
int CountPixels(const QImage& image, const QRect& area, bool (*wanted)(QColor)) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (wanted(image.pixelColor(x, y))) ++count;
  return count;
}
bool IsBlue(QColor c) { return c.blue() > 150 && c.red() < 100 && c.green() < 100; }
bool IsDark(QColor c) { return c.lightness() < 100; }

class CliRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteCp932Lines(folder_ / "Main.ind", {"数学問題集１", "", "正負,kazu\\\\ksk"});
    WriteCp932Lines(folder_ / "kazu" / "ksk.ind",
                    {"正の数と負の数", "[[sect1", "加法", "<<", "正の数をたす", ">>", "]]"});
    WriteCp932Lines(folder_ / "kazu" / "ksk1.que",
                    {"[[unit1", "<<ques",  "(1) 3+4=#7#", "(2) 2+3=#5;+5# と #x#",
                     ">>",      "<<value", "630",         "False",
                     "40",      "5",       "5",           "1",
                     "7",       ">>",      "<<font",      "12",
                     "MS 明朝", "False",   "False",       "False",
                     "False",   "0",       ">>",          "<<kran",
                     "1",       "15",      "2",           "0",
                     "30",      ">>",      "]]"});
  }

  std::string course() const { return CourseFolderOf(folder_); }
  std::string png() const { return (folder_ / "page.png").string(); }
  std::string json() const { return (folder_ / "page.json").string(); }

  TempFolder folder_;
};

TEST_F(CliRenderTest, WritesThePageAndItsLayout) {
  const CliRun run = Cli({"render", course(), "1.1.1", "--png", png(), "--layout", json()});
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage image(QString::fromStdString(png()));
  ASSERT_EQ(image.size(), QSize(630, 891));

  const std::string layout = ReadBytes(folder_ / "page.json");
  for (const char* expected :
       {R"("paperWidth": 630)", R"("paperHeight": 891)", R"("answerDisplay": true)",
        R"("lineSpacing": 40)", R"("charSize": 12)", R"("fontName": "ＭＳ 明朝")",
        R"("kran": [
      "1",
      "15",
      "2",
      "0",
      "30",
      "0",
      "0",
      "0",
      "0",
      "0"
    ])",
        // kran line 5 = 30: every answer at x 300; lines 40 x 0.7875 apart.
        R"("x": 300,
      "y": 98,)",
        R"("text": "5;+5")", R"("x": 300,
      "y": 130,)",
        R"("text": "x")", R"("fontSize": 12)", R"("scorePosition": {
    "x": 505,
    "y": 35
  })"}) {
    EXPECT_NE(layout.find(expected), std::string::npos) << expected << "\n" << layout;
  }
  // The rules are black, and the first answer is drawn in blue after x 300.
  EXPECT_GT(CountPixels(image, QRect(50, 29, 530, 3), IsDark), 500);
  EXPECT_GT(CountPixels(image, QRect(300, 98, 40, 40), IsBlue), 10);
}

TEST_F(CliRenderTest, TheSameCommandGivesTheSamePng) {
  // The header shows the minute: the two renders must not straddle one.
  ::setenv("TAVOLO_NOW", "2026-12-08T09:30:00", 1);
  const std::string second = (folder_ / "second.png").string();
  for (const char* answers : {"on", "off"}) {
    ASSERT_EQ(Cli({"render", course(), "1.1.1", "--png", png(), "--answers", answers}).status, 0);
    ASSERT_EQ(Cli({"render", course(), "1.1.1", "--png", second, "--answers", answers}).status, 0);
    const std::string bytes = ReadBytes(png());
    EXPECT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes, ReadBytes(second)) << answers;
  }
  ::unsetenv("TAVOLO_NOW");
}

TEST_F(CliRenderTest, HiddenAnswersAndOtherPapers) {
  ASSERT_EQ(Cli({"render", course(), "1.1.1", "--png", png(), "--answers", "off", "--paper", "B5"})
                .status,
            0);
  const QImage image(QString::fromStdString(png()));
  EXPECT_EQ(image.size(), QSize(546, 771));
  EXPECT_EQ(CountPixels(image, QRect(300, 98, 40, 40), IsBlue), 0);
  // The box frames stay, so a learner sees where to write.
  EXPECT_GT(CountPixels(image, QRect(300, 98, 60, 40), IsDark), 20);
}

TEST_F(CliRenderTest, Failures) {
  const struct {
    Lines args;
    int status;
    std::string message;
  } cases[] = {
      {{"render", course(), "1.1.2", "--png", png()}, 1, "単元がありません"},
      {{"render", course(), "1.1", "--png", png()}, 1, "単元の指定が正しくありません: 1.1"},
      {{"render", course(), "1.1.1"}, 2, "使い方: tavolo render"},
      {{"render", course(), "1.1.1", "--png"}, 2, "--png の後に値がありません"},
      {{"render", course(), "1.1.1", "--png", png(), "--paper", "A5"},
       2,
       "用紙は B5, A4, B4, A3 のどれかを指定してください: A5"},
      {{"render", course(), "1.1.1", "--png", png(), "--answers", "yes"},
       2,
       "--answers には on か off を指定してください: yes"},
      {{"render", course(), "1.1.1", "--png", png(), "--zoom", "2"},
       2,
       "不明なオプションです: --zoom"},
      {{"render", course(), "1.1.1", "--png", (folder_ / "none" / "x.png").string()},
       1,
       "に書き込めません"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args);
    SCOPED_TRACE(c.message);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}

TEST_F(CliRenderTest, CopyFileAndLayoutProblems) {
  WriteCp932Lines(folder_ / "ksk" / "copy.prp",
                  {"[[unitX", "<<header", "保存した題", "中学校", "氏名",     ">>",    "<<ques",
                   "#1#",     ">>",       "<<ans",      ">>",     "<<value",  "630",   "True",
                   "abc",     "5",        "5",          "1",      "7",        ">>",    "<<font",
                   "12",      "MS 明朝",  "False",      "False",  "False",    "False", "0",
                   ">>",      "<<kran",   "5",          ">>",     "<<kgroup", ">>",    "]]"});
  const CliRun run =
      Cli({"render", (folder_ / "ksk" / "copy.prp").string(), "--png", png(), "--layout", json()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("「<<value」の 3 行目「abc」は数値ではありません。既定値 30 を使います。"),
            std::string::npos)
      << run.err;
  EXPECT_NE(ReadBytes(folder_ / "page.json").find(R"("lineSpacing": 30)"), std::string::npos);
}

TEST_F(CliRenderTest, AFailedLayoutLeavesNoPngBehind) {
  const std::string out = (folder_ / "out").string();
  std::filesystem::create_directories(out);
  const CliRun run = Cli({"render", course(), "1.1.1", "--png", out + "/page.png", "--layout",
                          out + "/none/page.json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("page.json に書き込めません"), std::string::npos) << run.err;
  EXPECT_EQ(test::FolderNames(out), Lines{});
}

TEST_F(CliRenderTest, WritesThroughALinkToItsTargetAndNeverThroughAPlantedTemporary) {
  const std::string out = (folder_ / "out").string();
  test::WriteBytes(folder_ / "real.png", "old");
  test::WriteBytes(folder_ / "victim", "keep");
  test::PlantSymlink(folder_ / "real.png", out + "/page.png");
  test::PlantSymlink(folder_ / "victim", out + "/.tavolo-0000000000000000.tmp");
  ASSERT_EQ(Cli({"render", course(), "1.1.1", "--png", out + "/page.png"}).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(out + "/page.png"));
  EXPECT_EQ(ReadBytes(folder_ / "real.png").substr(1, 3), "PNG");
  EXPECT_EQ(ReadBytes(folder_ / "victim"), "keep");
}

TEST_F(CliRenderTest, AFifoOrFolderInPlaceOfTheQuestionFileIsNamedAsSuch) {
  std::filesystem::remove(folder_ / "kazu" / "ksk1.que");
  for (const bool fifo : {true, false}) {
    if (fifo)
      test::MakeFifo(folder_ / "kazu" / "ksk1.que");
    else
      std::filesystem::create_directory(folder_ / "kazu" / "ksk1.que");
    const CliRun run = Cli({"render", course(), "1.1.1", "--png", png()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("ksk1.que は通常のファイルではありません"), std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(png()));
    std::filesystem::remove(folder_ / "kazu" / "ksk1.que");
  }
}

TEST_F(CliRenderTest, FiguresThatAreNotFilesAreLeftOutInsteadOfHanging) {
  test::MakeFifo(folder_ / "fifo.bmp");
  test::PlantSymlink("/dev/zero", folder_ / "zero.bmp");
  WriteCp932Lines(folder_ / "kazu" / "ksk1.que",
                  {"[[unit1", "<<ques", "(1) 3+4=#7#", ">>", "<<graph", "fifo.bmp", "10", "20",
                   "zero.bmp", "10", "200", ">>", "]]"});
  const CliRun run = Cli({"render", course(), "1.1.1", "--png", png()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(QImage(QString::fromStdString(png())).width() > 0);
}

}  // namespace
}  // namespace tavolo
