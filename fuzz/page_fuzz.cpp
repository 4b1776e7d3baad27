// Worksheet pages: any copy file that reads as a unit is drawn, for the screen
// and for the printer, without a crash, a hang or an overrun registry.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "platform/text_file.h"
#include "sheet/page_renderer.h"
#include "sheet/recording_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavolo;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const UnitReading reading =
      ParseUnitBlock(SplitLines(DecodeCp932(bytes)), kCopyFileKeyLine, 1, 1, {"L", "S", "U"});
  if (!reading.ok()) return 0;
  SheetLoad load = LoadSheetParams(*reading.content, size % 2 == 0);
  SheetParams& params = load.params;
  params.ApplyPaper(params.paperWidth);

  SheetPictures pictures;
  pictures.classFlag = CanvasImage{56, 40, "flag", std::make_shared<CanvasImageData>()};
  for (int k = 0; k < FigureCount(params.unit.graphLines) && k < kMaxFigures; ++k)
    pictures.questionFigures.push_back(
        CanvasImage{30, 20, "figure", std::make_shared<CanvasImageData>()});
  PageLayout layout;

  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  PageSettings settings;
  settings.registerBoxes = true;
  settings.now = DateTime{2024, 5, 3, 9, 7, 0};
  settings.sheetNumber = 1;
  settings.showAlternatives = true;
  settings.shortUnitName = params.unit.title;
  RecordingCanvas canvas;
  renderer.RenderPage({params, pictures, layout}, canvas, settings);
  if (registry.count() > AnswerBoxRegistry::kMaxBoxes ||
      renderer.context().segmentStarts.size() > DrawingContext::kMaxSegments)
    std::abort();

  // The printer draws the screen's boxes; learner answers repeat the layout.
  settings.registerBoxes = false;
  registry.box(1).status = AnswerStatus::Correct;
  registry.box(2).status = AnswerStatus::Wrong;
  registry.box(3).status = AnswerStatus::CorrectAfterShown;
  settings.printing = true;
  settings.surfaceWidth = 4961;
  settings.surfaceHeight = 7016;
  canvas.clear();
  renderer.RenderPage({params, pictures, layout}, canvas, settings);
  settings.printing = false;
  settings.surfaceWidth = settings.surfaceHeight = 0;
  const std::vector<std::string> answers = {"1", "", "長い答えです"};
  settings.learnerAnswers = &answers;
  canvas.clear();
  renderer.RenderPage({params, pictures, layout}, canvas, settings);
  return 0;
}
