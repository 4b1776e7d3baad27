#include "sheet/sheet_pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// Remembers what was asked for; files named "missing*" have no picture.
class FakeProvider : public ImageProvider {
 public:
  CanvasImage Load(const fs::path& file) override {
    requested.push_back(file);
    if (file.filename().string().rfind("missing", 0) == 0) return {};
    return CanvasImage{10, 20, file.filename().string(), std::make_shared<CanvasImageData>()};
  }
  std::vector<fs::path> requested;
};

TEST(SheetPicturesTest, FigureFolderPrefersTheLessonsGraphFolder) {
  test::TempFolder folder;
  const std::string courseFolder = test::CourseFolderOf(folder);
  const CourseIndex course =
      ParseCourseIndex(courseFolder, {"題", "", "一,kazu\\\\ksk", "二,zu\\\\z"});
  // Nothing there: the course folder itself.
  EXPECT_EQ(FigureFolder(course, 1), fs::path(courseFolder));
  fs::create_directories(folder / "GRAPH");
  EXPECT_EQ(FigureFolder(course, 1), folder / "GRAPH");  // found whatever its case
  fs::create_directories(folder / "kazu" / "Graph");
  EXPECT_EQ(FigureFolder(course, 1), folder / "kazu" / "Graph");
  EXPECT_EQ(FigureFolder(course, 0), folder / "kazu" / "Graph");  // copy files: lesson 1
  EXPECT_EQ(FigureFolder(course, 2), folder / "GRAPH");
}

TEST(SheetPicturesTest, LoadsFlagAndFiguresAndReportsTooManyFigures) {
  SheetParams sheet;
  sheet.unit.graphLines = {"a.bmp", "0", "0", "missing.bmp", "10", "10", "sub\\c.bmp", "5", "5"};
  for (int k = 1; k <= 16; ++k) {
    for (const std::string& line :
         {"ans" + std::to_string(k) + ".bmp", std::string("1"), std::string("1")})
      sheet.unit.aGraphLines.push_back(line);
  }
  FakeProvider provider;
  Lines problems;
  const SheetPictures pictures =
      LoadSheetPictures(sheet, "/course/Graph", "/program/classFlag.bmp", provider, problems);
  EXPECT_EQ(pictures.classFlag.name, "classFlag.bmp");
  ASSERT_EQ(pictures.questionFigures.size(), 3u);
  EXPECT_FALSE(pictures.questionFigures[0].IsNull());
  EXPECT_TRUE(pictures.questionFigures[1].IsNull());
  EXPECT_EQ(provider.requested[3], fs::path("/course/Graph/sub/c.bmp"));
  EXPECT_EQ(pictures.answerFigures.size(), 15u);
  EXPECT_EQ(problems, (Lines{"16:問題のグラフが多すぎます", "15"}));

  // No class flag file: no flag, nothing asked for.
  FakeProvider quiet;
  problems.clear();
  const SheetParams plain;
  const SheetPictures noFlag = LoadSheetPictures(plain, "/course", "", quiet, problems);
  EXPECT_TRUE(noFlag.classFlag.IsNull());
  EXPECT_TRUE(quiet.requested.empty());
  EXPECT_TRUE(problems.empty());
}

}  // namespace
}  // namespace tavolo
