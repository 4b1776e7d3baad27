#include "sheet/sheet_pictures.h"

#include <algorithm>

#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

std::vector<CanvasImage> LoadFigures(const std::vector<std::string>& lines, const fs::path& folder,
                                     ImageProvider& provider, std::vector<std::string>& problems) {
  const int count = FigureCount(lines);
  if (count > kMaxFigures) {
    problems.push_back(std::to_string(count) + ":問題のグラフが多すぎます");
    problems.push_back(std::to_string(kMaxFigures));
  }
  const std::string folderText = CourseFolderText(PathText(folder));
  std::vector<CanvasImage> figures;
  for (int k = 0; k < std::min(count, kMaxFigures); ++k) {
    const std::string& name = lines[3 * k];
    if (Status inside = CheckInsideCourse(name); !inside) {
      problems.push_back(inside.message());
      figures.emplace_back();
      continue;
    }
    figures.push_back(name.empty() ? CanvasImage{} : provider.Load(CoursePath(folderText, name)));
  }
  return figures;
}

}  // namespace

fs::path FigureFolder(const CourseIndex& course, int lesson) {
  const Lesson* entry = course.FindLesson(lesson >= 1 ? lesson : 1);
  if (entry != nullptr && entry->pathProblem.empty()) {
    const fs::path lessonGraph = CoursePath(course.courseFolder, entry->folder + "Graph");
    if (IsFolder(lessonGraph)) return lessonGraph;
  }
  const fs::path courseGraph = CoursePath(course.courseFolder, "Graph");
  if (IsFolder(courseGraph)) return courseGraph;
  return fs::path(course.courseFolder);
}

int FigureCount(const std::vector<std::string>& figureLines) {
  return static_cast<int>(figureLines.size() / 3);
}

SheetPictures LoadSheetPictures(const SheetParams& sheet, const fs::path& figureFolder,
                                const fs::path& classFlagFile, ImageProvider& provider,
                                std::vector<std::string>& problems) {
  SheetPictures pictures;
  if (!classFlagFile.empty()) pictures.classFlag = provider.Load(classFlagFile);
  pictures.questionFigures = LoadFigures(sheet.unit.graphLines, figureFolder, provider, problems);
  pictures.answerFigures = LoadFigures(sheet.unit.aGraphLines, figureFolder, provider, problems);
  return pictures;
}

}  // namespace tavolo
