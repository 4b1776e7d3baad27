// Composing a sheet to show from a unit or a copy file: the document, the
// short name and the folder the figures are loaded from.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/opened_sheet.h"
#include "content/unit_names.h"
#include "platform/paths.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;

class RequestedFiles final : public ImageProvider {
 public:
  CanvasImage Load(const fs::path& file) override {
    requested.push_back(file);
    return {};
  }
  std::vector<fs::path> requested;
};

TEST(OpenedSheetTest, UnitsAndCopyFilesFindTheirFiguresAndNames) {
  test::TempFolder folder;
  const std::string courseFolder = test::CourseFolderOf(folder);
  test::WriteCp932Lines(folder / "Main.ind", {"t", "", "一,kazu\\ kz", "二,kagen\\ kg"});
  fs::create_directories(folder / "kazu" / "Graph");
  fs::create_directories(folder / "kagen" / "Graph");
  const CourseIndex course = ReadCourseIndex(courseFolder).value();
  const std::string inCourse = (folder / "kagen" / "mine.prp").string();
  const std::string outside = (folder / "elsewhere" / "loose.prp").string();
  UnitContent content;
  content.graphLines = {"f.bmp", "10", "20"};

  struct Case {
    const char* label;
    SheetOrigin origin;
    bool master;
    std::string identity, shortName;
    fs::path figureFolder;
  };
  const std::vector<Case> cases = {
      {"a unit: its lesson's figures", SheetOrigin::Unit(course, {2, 1, 3, 0}), true,
       (folder / "kagen" / "kg1.que").string() + "-U3", ShortUnitName(course, {2, 1, 3, 0}),
       CoursePath(courseFolder, "kagen\\Graph")},
      // Saving keeps no lesson in a copy: lesson 1's figures, wherever it lies.
      {"a copy in the course", SheetOrigin::CopyFile(&course, inCourse), false, inCourse,
       "mine.prp", CoursePath(courseFolder, "kazu\\Graph")},
      {"a copy outside any course", SheetOrigin::CopyFile(nullptr, outside), false, outside,
       "loose.prp", folder / "elsewhere"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    RequestedFiles images;
    const OpenedSheet sheet = ComposeOpenedSheet(c.origin, content, false, {images, {}}, 4);
    EXPECT_EQ(sheet.document.master, c.master);
    EXPECT_EQ(sheet.document.identity, c.identity);
    EXPECT_EQ(sheet.shortName, c.shortName);
    EXPECT_EQ(sheet.figureFolder, c.figureFolder);
    EXPECT_EQ(images.requested, (std::vector<fs::path>{c.figureFolder / "f.bmp"}));
    EXPECT_FALSE(sheet.document.params.answerDisplay);
    EXPECT_EQ(sheet.variant, 4);
  }
}

}  // namespace
}  // namespace tavolo
