#pragma once
// The pictures a worksheet shows: its class flag and its figures. They are
// loaded once, when the sheet is created or its figure lists change, and not
// on every redraw.

#include <filesystem>
#include <string>
#include <vector>

#include "content/course_index.h"
#include "sheet/canvas.h"
#include "sheet/image_provider.h"
#include "sheet/sheet_params.h"

namespace tavolo {

// Figures of each kind that a sheet shows; further entries are ignored.
inline constexpr int kMaxFigures = 15;

struct SheetPictures {
  CanvasImage classFlag;                     // null when classFlag.bmp is missing: no flag is shown
  std::vector<CanvasImage> questionFigures;  // figure k at [k - 1]; null when its file is missing
  std::vector<CanvasImage> answerFigures;
};

// The folder figure file names are relative to: the lesson's "Graph" folder
// (lesson 1's for a sheet without a lesson, e.g. a copy file), else the
// course's "Graph" folder, else the course folder itself.
std::filesystem::path FigureFolder(const CourseIndex& course, int lesson);

// Number of figures a figure list describes (three lines each), before the limit.
int FigureCount(const std::vector<std::string>& figureLines);

// Loads the class flag (when classFlagFile is not empty) and every figure of
// the sheet's lists. A list with more than kMaxFigures figures adds the
// messages n + ":問題のグラフが多すぎます" and "15" to problems; a missing
// file leaves its figure without a picture, silently.
SheetPictures LoadSheetPictures(const SheetParams& sheet, const std::filesystem::path& figureFolder,
                                const std::filesystem::path& classFlagFile, ImageProvider& provider,
                                std::vector<std::string>& problems);

}  // namespace tavolo
