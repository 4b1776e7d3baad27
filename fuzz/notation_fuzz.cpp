// Any bytes as a question line of a course file, drawn the way a worksheet
// draws it: the engine reports no errors, so it must never crash, hang or
// draw more than a few calls per character, whatever the line holds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "sheet/markup_text.h"
#include "sheet/notation.h"
#include "sheet/recording_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks screen or printer and the character size.
  const std::uint8_t mode = data[0];
  const bool printing = (mode & 1) != 0;
  const int characterSize = 8 + (mode >> 1) % 43;
  const std::string line =
      tavolo::DecodeCp932(std::string(reinterpret_cast<const char*>(data + 1), size - 1));

  tavolo::DrawingContext context;
  const double scale = printing ? 4961.0 / 630.0 : 1.0;
  const int drawingSize = printing ? characterSize + 3 : characterSize;
  context.StartPage(scale, printing, characterSize, drawingSize, printing ? 4961 : 0);
  tavolo::RecordingCanvas canvas(printing ? 600 : 96);

  const std::vector<std::string> pieces = tavolo::SplitAnswerMarks(line);
  tavolo::Point pen{50, 98};
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    canvas.font().color = k % 2 == 0 ? tavolo::Color::Black() : tavolo::Color::Blue();
    const std::string text = k % 2 == 0 ? pieces[k] : tavolo::SplitAlternatives(pieces[k]).front();
    pen = tavolo::DrawMarkedText(context, canvas, text, {pen.x, 98}, scale, drawingSize);
    // Alternatives are drawn unmarked, one string each.
    if (k % 2 == 1)
      for (const auto& alternative : tavolo::SplitAlternatives(pieces[k]))
        tavolo::DrawMathText(context, canvas, drawingSize, {pen.x, 105}, tavolo::Color::Grey(),
                             " " + alternative, scale);
  }

  // Every character makes at most a text-out and a fraction bar, and the
  // alternatives draw the answer's characters once more.
  if (canvas.calls().size() > 4 * line.size() + 16) std::abort();
  for (const auto& call : canvas.calls()) {
    if (call.font.size < 1 || call.font.size > 500) std::abort();
  }
  if (context.segmentStarts.size() > tavolo::DrawingContext::kMaxSegments) std::abort();
  return 0;
}
