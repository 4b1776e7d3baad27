#pragma once
// Draws one worksheet page: the header (sheet number with print date and time,
// date-of-test line, class flag, title, school and name line), the question
// lines with their answers laid out inline, alternative answers, figures,
// answer boxes and grading marks. The same routine draws for the screen (one
// layout unit per pixel) and for the printer (every length times the sheet
// scale, fonts 3 points larger). A render with registerBoxes on also fills
// the answer-box registry that practice lays its fields over.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "sheet/answer_box_registry.h"
#include "sheet/canvas.h"
#include "sheet/drawing_context.h"
#include "sheet/sheet_params.h"
#include "sheet/sheet_pictures.h"

namespace tavolo {

// What a render leaves behind for the next render and for the windows.
struct PageLayout {
  // x at which each answer-bearing question segment started, in drawing order
  // (screen units); a render that shows learner answers repeats this layout.
  std::vector<int> answerXs;
  // "start", then every answer part drawn, in order.
  std::vector<std::string> answers;
  // Where practice shows the score, beside the title (device pixels).
  Point scorePosition;
  // Where the class flag and figure k (at [k - 1]) were placed, in screen
  // units; an empty rectangle when not shown.
  Rect classFlag;
  std::vector<Rect> figures;
  // Start point of every text segment of the last screen render, in order:
  // the question editor places new figures beside them.
  std::vector<Point> segmentStarts;
  // Where the line after the last question line would stand (screen units):
  // the first free place for a figure that has no segment to stand beside.
  int questionsBottom = 0;
};

// Where the first question line stands on a page image (screen units): below
// the header, the title and the name line, which no figure may cover.
int QuestionAreaTop();

// The parts of a worksheet that a render reads and updates; the worksheet
// window owns them and bundles them for each render.
struct SheetPage {
  SheetParams& params;  // figures without a position get one written back
  const SheetPictures& pictures;
  PageLayout& layout;
};

// Everything about a render that does not belong to the sheet.
struct PageSettings {
  bool printing = false;
  // The drawing surface in device pixels: the page image on the screen (the
  // paper's width and height), the printer page when printing.
  int surfaceWidth = 0;
  int surfaceHeight = 0;
  // Width of the sheet's screen page image; the header's vertical positions
  // scale by surfaceWidth / pageImageWidth. 0: the paper width.
  int pageImageWidth = 0;
  bool showAlternatives = false;   // "別解表示": alternatives in grey after the answer
  std::optional<int> sheetNumber;  // numbering on: "№ " + number heads the header line
  // A unit with random data: its block's fingerprint follows the number, so
  // that a key made after the block was edited is seen not to match a copy.
  std::string fingerprint;
  DateTime now = Now();
  std::string shortUnitName;  // the sheet's short unit name, in the sheet-number line
  std::string schoolName;     // empty: a blank name line
  // The signed-on learner, appended to the name line while practice works on
  // the sheet (except the shared and anonymous names).
  bool showLearnerName = false;
  std::string learnerName;
  // When set, the learner's answers (box 1 at [0]) are shown in place of the
  // model answers, at the answer positions of the last normal render.
  const std::vector<std::string>* learnerAnswers = nullptr;
  // The answer boxes drawn become the registry's: the worksheet window's
  // screen render, which practice lays its fields over. Printing and
  // practice's own picture leave the registry as it is.
  bool registerBoxes = false;
  // false: the page without its answers, whatever the sheet's answer display.
  bool answers = true;
};

class PageRenderer {
 public:
  explicit PageRenderer(AnswerBoxRegistry& registry) : registry_(registry) {}

  // Draws the whole page on canvas (which the caller has cleared to white).
  // Places figures without a position (writing their position back into the
  // sheet's figure list) and records the layout in page.layout.
  void RenderPage(const SheetPage& page, Canvas& canvas, const PageSettings& settings);

  const DrawingContext& context() const { return context_; }

 private:
  AnswerBoxRegistry& registry_;
  DrawingContext context_;
};

}  // namespace tavolo
