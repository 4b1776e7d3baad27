#include "authoring/editor_figures.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "sheet/page_renderer.h"
#include "sheet/sheet_pictures.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

bool HasBitmapExtension(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".bmp";
}

}  // namespace

Status AddFigureEntry(Lines& box, FigureBox kind, std::string_view fileName,
                      const std::vector<Point>& anchors, int freeTop) {
  const int present = static_cast<int>(box.size() / 3);
  if (present + 1 > kMaxFigures)
    return Failure{"グラフは" + std::to_string(kMaxFigures) + "個までです"};
  // 1-based entry of the anchor list.
  const int entry = kind == FigureBox::Question ? present + 1 : present;
  const int questionsTop = QuestionAreaTop();
  Point anchor{0, std::max(freeTop, questionsTop)};
  if (entry >= 1 && entry <= static_cast<int>(anchors.size()) &&
      anchors[static_cast<std::size_t>(entry - 1)].y >= questionsTop)
    anchor = anchors[static_cast<std::size_t>(entry - 1)];
  box.emplace_back(fileName);
  box.push_back(std::to_string(anchor.x + kFigureEntryOffsetX));
  box.push_back(std::to_string(anchor.y + kFigureEntryOffsetY));
  return Succeeded();
}

std::optional<fs::path> EditorFigureFolder(const CourseIndex& course, int lesson) {
  if (const Lesson* entry = course.FindLesson(lesson)) {
    const fs::path lessonGraph = CoursePath(course.courseFolder, entry->folder + "Graph");
    if (IsFolder(lessonGraph)) return lessonGraph;
  }
  const fs::path courseGraph = CoursePath(course.courseFolder, "Graph");
  if (IsFolder(courseGraph)) return courseGraph;
  return std::nullopt;
}

std::vector<std::string> ListFigureFiles(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    if (!it->is_regular_file(fileEc)) continue;
    std::string name = PathText(it->path().filename());
    if (HasBitmapExtension(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tavolo
