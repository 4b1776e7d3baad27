#pragma once
// Figures in the question editor: the figure files a teacher can pick from,
// and the entries ("file", "x", "y") that picking adds to the question or
// answer figure box, placed beside a text segment of the sheet.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/course_index.h"
#include "platform/result.h"
#include "sheet/canvas.h"

namespace tavolo {

using Lines = std::vector<std::string>;

enum class FigureBox { Question, Answer };

// Where a new entry sits relative to its anchor.
inline constexpr int kFigureEntryOffsetX = 40;
inline constexpr int kFigureEntryOffsetY = 20;

// Appends the three lines of a figure entry for fileName to box. The entry is
// anchored at a start point of the sheet's text segments (anchors[0] is the
// first): a question figure at the segment after the figures already there,
// an answer figure one segment earlier. Without such a segment (a new unit,
// more figures than segments), or with one up in the header, the figure goes
// to the first free place: below the last question line (`freeTop`, the
// sheet's questionsBottom; 0 when there is no sheet), never over the header.
// A box that holds 15 figures already takes no more: "グラフは15個までです".
[[nodiscard]] Status AddFigureEntry(Lines& box, FigureBox kind, std::string_view fileName,
                                    const std::vector<Point>& anchors, int freeTop = 0);

// The figure folder the editor lists: the lesson's "Graph" folder, else the
// course's; nothing when neither exists.
std::optional<std::filesystem::path> EditorFigureFolder(const CourseIndex& course, int lesson);

// The ".bmp" files of a folder (any case of the extension), by name.
std::vector<std::string> ListFigureFiles(const std::filesystem::path& folder);

}  // namespace tavolo
