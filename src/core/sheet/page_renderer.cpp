#include "sheet/page_renderer.h"

#include <algorithm>
#include <optional>

#include "content/learner_names.h"
#include "platform/cp932.h"
#include "sheet/answer_box_geometry.h"
#include "sheet/figure_edit.h"
#include "sheet/grading_marks.h"
#include "sheet/markup_text.h"
#include "sheet/notation.h"

namespace tavolo {

namespace {

constexpr Color kAnswerColor = Color::FromBgr(0xFF0000);       // blue
constexpr Color kAlternativeColor = Color::FromBgr(0x808080);  // grey
constexpr Color kMarkColor = Color::FromBgr(0x0000FF);         // red
// The printer scale is the page width over this, whatever the paper.
constexpr double kScaleReferenceWidth = 630.0;
constexpr double kLinePitchFactor = 0.7875;

constexpr int kFigureAnchorOffset = 40;  // unplaced figures start right of their text segment
// Figure positions come from files; ones far off any page are held back so
// that the page arithmetic stays within range.
constexpr int kFigurePositionLimit = 100000;
// Text is laid out up to this fraction of the page width past its right edge.
constexpr int kRightLimitSlack = 4;

int R(double v) { return RoundHalfEven(v); }

// The first question line's top: below the header rows, the title and the
// name line, at the given header scale.
double QuestionsTopAt(double headerScale) {
  return 65 * headerScale + R(20 * headerScale) + R(17 * headerScale * kLinePitchFactor);
}

// One render: the numbers every step shares, and the steps in page order.
class PageDrawing {
  // Where each answer of this render went (device pixels), in drawing order:
  // box e belongs to the e-th.
  struct DrawnAnswer {
    int left = 0;   // where the answer starts (its box's x)
    int lineY = 0;  // its question line
    int end = 0;    // pen position after it
    int fontSize = 0;
    std::optional<Rect> ink;  // what shows of it; empty for blanks only
  };

 public:
  PageDrawing(const SheetPage& page, Canvas& canvas, const PageSettings& settings,
              AnswerBoxRegistry& registry, DrawingContext& context)
      : params_(page.params),
        pictures_(page.pictures),
        layout_(page.layout),
        canvas_(canvas),
        settings_(settings),
        registry_(registry),
        context_(context) {
    printing_ = settings.printing;
    surfaceWidth_ = settings.surfaceWidth > 0 ? settings.surfaceWidth : params_.paperWidth;
    surfaceHeight_ = settings.surfaceHeight > 0 ? settings.surfaceHeight : params_.paperHeight;
    const int imageWidth =
        settings.pageImageWidth > 0 ? settings.pageImageWidth : params_.paperWidth;
    scale_ = printing_ ? surfaceWidth_ / kScaleReferenceWidth : 1.0;
    headerScale_ =
        printing_ && imageWidth > 0 ? static_cast<double>(surfaceWidth_) / imageWidth : 1.0;
    printerFontIncrease_ = printing_ ? kPrinterFontIncrease : 0;
    textSize_ = params_.charSize + printerFontIncrease_;
    if (textSize_ < 1) textSize_ = 10;
    leftEdge_ = R(params_.leftMargin * 10 * scale_);
    rightMarginWidth_ = R(params_.rightMargin * 10 * scale_);
    rightEdge_ = surfaceWidth_ - rightMarginWidth_;
  }

  void Draw() {
    context_.StartPage(scale_, printing_, params_.charSize, textSize_,
                       printing_ ? surfaceWidth_ : 0);
    // Lines are laid out until they are well past the page's right edge: the
    // slack covers what reaches left of where a text starts (fraction bars,
    // slanted glyphs), so everything on the page is drawn as ever.
    context_.rightLimit = surfaceWidth_ + surfaceWidth_ / kRightLimitSlack;
    canvas_.font() = Font{params_.fontName, textSize_, Color::Black(), FontStyle{}};
    canvas_.brush().solid = false;
    DrawRules();
    DrawHeaderLine();
    DrawTitle();
    DrawNameLine();
    DrawQuestions();
    if (!printing_) layout_.segmentStarts = context_.segmentStarts;
    PlaceFigures();
    DrawAnswerBoxes();
    DrawPictures();
  }

 private:
  void SetPen(int width) {
    Pen& pen = canvas_.pen();
    pen = Pen{};
    pen.width = std::max(1, width);
  }

  void SetText(int size) {
    canvas_.font().size = size;
    canvas_.font().color = Color::Black();
    canvas_.font().style = FontStyle{};
  }

  void DrawRules() {
    SetPen(R(2 * scale_));
    for (int y : {R(30 * headerScale_), R(90 * headerScale_)})
      canvas_.line(leftEdge_, y, rightEdge_, y);
    SetPen(1);
    if (params_.TwoColumns()) {
      const int x = (rightEdge_ + (textSize_ + leftEdge_)) / 2 - R(10 * scale_);
      canvas_.line(x, R(90 * headerScale_), x, R(0.97 * surfaceHeight_));
    }
  }

  void DrawHeaderLine() {
    const int y = R(15 * headerScale_);
    SetText(10 + printerFontIncrease_);
    if (params_.HasHeaderOption(kHeaderNumberAndTime)) {
      std::string number;
      if (settings_.sheetNumber) number = "№ " + std::to_string(*settings_.sheetNumber);
      if (!settings_.fingerprint.empty())
        number += (number.empty() ? "" : "  ") + settings_.fingerprint;
      std::string unitName = settings_.shortUnitName;
      // Long course paths would push the header off the page: keep the end.
      if (SjisLength(unitName) > 40) unitName = SjisMid(unitName, 40, SjisLength(unitName));
      canvas_.textOut(leftEdge_, y,
                      number + "  " + DateDotText(settings_.now) + "-" + TimeText(settings_.now) +
                          "　" + unitName);
    }
    if (params_.HasHeaderOption(kHeaderTestDate)) {
      canvas_.textOut(R(rightEdge_ - 120 * scale_), y, "実施日　　月　　日");
    }
  }

  bool ClassFlagShown() const {
    return params_.HasHeaderOption(kHeaderClassFlag) && !pictures_.classFlag.IsNull();
  }

  void DrawTitle() {
    int x = leftEdge_;
    if (ClassFlagShown()) x = leftEdge_ + R((pictures_.classFlag.width + 5) * scale_);
    const int y = R(35 * headerScale_);
    layout_.scorePosition = {R(rightEdge_ - 75 * scale_), y};
    SetText(12 + printerFontIncrease_);
    const std::string& title = params_.unit.title;
    const std::size_t section = title.find("§");
    if (SjisLength(title) <= 60 || section == std::string::npos) {
      canvas_.textOut(x, y, title);
    } else {
      canvas_.textOut(x, y, title.substr(0, section));
      canvas_.textOut(x, R(48 * headerScale_), "　　" + title.substr(section));
    }
  }

  void DrawNameLine() {
    SetText(16 + printerFontIncrease_);
    std::string text =
        settings_.schoolName.empty() ? "　　　　　　　　氏名" : settings_.schoolName + "　　氏名";
    if (settings_.showLearnerName && !IsAnonymousLearner(settings_.learnerName)) {
      text += " " + settings_.learnerName;
    }
    canvas_.textOut(R(150 * scale_ + leftEdge_), R(65 * headerScale_), text);
  }

  void DrawQuestions() {
    const double pitch = params_.lineSpacing * scale_ * kLinePitchFactor;
    double runningY = QuestionsTopAt(headerScale_);
    int lineY = R(runningY);
    SetPen(1);
    canvas_.brush().solid = false;
    SetText(textSize_);
    if (settings_.registerBoxes) registry_.BeginPage();

    const bool learnerShown = settings_.learnerAnswers != nullptr;
    if (!learnerShown) layout_.answerXs.clear();
    layout_.answers.assign(1, "start");
    std::size_t answerXIndex = 0;
    std::size_t answerIndex = 0;
    // A learner's own answers are what such a render is for: they show even
    // while the model answers are hidden.
    const Color answerColor = AnswersShown() || learnerShown ? kAnswerColor : Color::White();
    const Color alternativeColor = AnswersShown() ? kAlternativeColor : Color::White();
    const int kranX = params_.AnswerX();
    drawn_.clear();

    for (const std::string& line : params_.unit.questionLines) {
      if (!line.empty()) {
        const std::vector<std::string> pieces = SplitAnswerMarks(line);
        const std::size_t pairs = AnswerMarkCount(pieces) / 2;
        Point pen{leftEdge_, lineY};
        for (std::size_t k = 0; k < pairs; ++k) {
          canvas_.font().color = Color::Black();
          int x = pen.x;
          if (!learnerShown) {
            layout_.answerXs.push_back(pen.x);
          } else if (answerXIndex < layout_.answerXs.size()) {
            x = R(layout_.answerXs[answerXIndex++] * scale_);
          }
          pen = DrawMarkedText(context_, canvas_, pieces[2 * k], {x, lineY}, scale_, textSize_);

          const std::string& answer = pieces[2 * k + 1];
          layout_.answers.push_back(answer);
          const int answerLeft = kranX == 0 ? pen.x : R(kranX * 10 * scale_);
          canvas_.font().color = answerColor;
          const std::vector<std::string> alternatives = SplitAlternatives(answer);
          ++answerIndex;
          const std::string shown =
              learnerShown ? ShownLearnerAnswer(answerIndex, answer) : alternatives[0];
          canvas_.BeginExtent();
          pen = DrawMarkedText(context_, canvas_, shown, {answerLeft, lineY}, scale_, textSize_);
          drawn_.push_back({answerLeft, lineY, pen.x, canvas_.font().size, canvas_.EndExtent()});

          if (alternatives.size() >= 2 && settings_.showAlternatives) {
            // Fifty units right of the answer, but never over a longer one:
            // a blank after its end, and the blank each alternative starts with.
            canvas_.font().size = textSize_;
            const int after = pen.x + canvas_.textWidth(" ");
            Point at{std::max(answerLeft + R(50 * scale_), after), lineY + context_.lineRise};
            for (std::size_t j = 1; j < alternatives.size(); ++j) {
              at.x = DrawMathText(context_, canvas_, textSize_, at, alternativeColor,
                                  " " + alternatives[j], scale_)
                         .x;
            }
          }
          if (settings_.registerBoxes) {
            const int number = registry_.Register(answerLeft, lineY, answer, canvas_.font().size);
            if (number != 0) registry_.SetWidth(number, pen.x - answerLeft);
          }
        }
        // Question text after the last answer is question text: black even
        // when the answers before it are hidden in white.
        canvas_.font().color = Color::Black();
        DrawMarkedText(context_, canvas_, pieces[2 * pairs], {pen.x, lineY}, scale_, textSize_);
      }
      runningY += pitch;
      lineY = R(runningY);
    }
    if (!printing_) layout_.questionsBottom = R(runningY / scale_);
  }

  std::string ShownLearnerAnswer(std::size_t number, const std::string& answer) const {
    const std::vector<std::string>& answers = *settings_.learnerAnswers;
    const std::string learner = number <= answers.size() ? answers[number - 1] : std::string();
    const std::string& model = number <= static_cast<std::size_t>(AnswerBoxRegistry::kMaxBoxes)
                                   ? registry_.box(static_cast<int>(number)).answerText
                                   : answer;
    return PadToAnswerWidth(learner, model);
  }

  void PlaceFigures() {
    std::vector<std::string>& lines = params_.unit.graphLines;
    const int count = std::min(FigureCount(lines), kMaxFigures);
    layout_.figures.assign(count, Rect{});
    for (int k = 1; k <= count; ++k) {
      std::string& xLine = lines[3 * k - 2];
      std::string& yLine = lines[3 * k - 1];
      int x = 0;
      int y = 0;
      if (!ParseDecimal(xLine, x)) x = 0;
      if (!ParseDecimal(yLine, y)) y = 0;
      x = std::clamp(x, -kFigurePositionLimit, kFigurePositionLimit);
      y = std::clamp(y, -kFigurePositionLimit, kFigurePositionLimit);
      if (x < kFirstPlacedFigureX) {
        // Not placed yet: beside its text segment, in screen units; the
        // position is kept so that the figure stays put from now on.
        const auto& segments = context_.segmentStarts;
        const Point start = k <= static_cast<int>(segments.size()) ? segments[k - 1] : Point{};
        x = R(start.x / scale_) + kFigureAnchorOffset;
        y = R(start.y / scale_);
        if (!printing_) {
          xLine = std::to_string(x);
          yLine = std::to_string(y);
        }
      }
      const CanvasImage* image = QuestionFigure(k);
      const int w = image ? image->width : 0;
      const int h = image ? image->height : 0;
      layout_.figures[k - 1] = {x, y, x + w, y + h};
    }
  }

  const CanvasImage* QuestionFigure(int k) const {
    const auto& figures = pictures_.questionFigures;
    return k <= static_cast<int>(figures.size()) ? &figures[k - 1] : nullptr;
  }

  void DrawAnswerBoxes() {
    const BoxStyle style = BoxStyle::FromSheet(params_);
    for (int e = 1; e <= registry_.count(); ++e) {
      const AnswerBox& box = registry_.box(e);
      // Box e belongs to the e-th answer drawn; the screen takes its place from
      // the registry, the printer from where its own text went.
      const DrawnAnswer* drawn =
          e <= static_cast<int>(drawn_.size()) ? &drawn_[static_cast<std::size_t>(e - 1)] : nullptr;
      const Rect base =
          printing_ && drawn != nullptr
              ? DrawnAnswerBaseRect(drawn->left, drawn->lineY, drawn->end, style, scale_)
              : AnswerBaseRect(box, style, scale_, printing_);
      const Rect frame = AnswerFrameRect(base, style, scale_);
      DrawBox(style, box, base, frame, drawn);
      if (const auto mark = SheetMarkFor(box.status)) {
        Rect field = AnswerFieldRect(box, style);
        Rect frameAtScreen = AnswerFrameRect(AnswerBaseRect(box, style, 1.0, false), style, 1.0);
        if (printing_ && drawn != nullptr) {
          // The mark follows its printed box.
          const int shift = R(drawn->left / scale_) - box.x;
          field.left += shift;
          field.right += shift;
          frameAtScreen.left += shift;
          frameAtScreen.right += shift;
        }
        DrawGradingMark(canvas_, *mark, field, frameAtScreen, kMarkColor, scale_,
                        printing_ && drawn == nullptr);
      }
    }
    SetPen(1);
  }

  void DrawBox(const BoxStyle& style, const AnswerBox& box, const Rect& base, const Rect& frame,
               const DrawnAnswer* drawn) {
    canvas_.brush().solid = false;
    SetPen(R(scale_));
    // What the box must keep clear of: the answer as drawn, its fractions
    // and the descent of its letters included.
    const std::optional<Rect> ink = drawn != nullptr ? drawn->ink : std::nullopt;
    const int clearance = BoxClearance(canvas_.pen().width, scale_);
    switch (style.kind) {
      case BoxKind::Rectangle:
        canvas_.rectangle(ink ? EnclosingOutline(frame, *ink, clearance) : frame);
        break;
      case BoxKind::SquareBrackets:
      case BoxKind::LenticularBrackets:
        DrawBrackets(style.kind == BoxKind::SquareBrackets, box, base, drawn);
        break;
      case BoxKind::Underline: {
        int y = frame.bottom - R(0.2 * (frame.bottom - frame.top));
        int left = frame.left;
        int right = frame.right;
        if (ink) {
          y = std::max(y, ink->bottom + clearance);
          left = std::min(left, ink->left);
          right = std::max(right, ink->right);
        }
        canvas_.line(left, y, right, y);
        break;
      }
      case BoxKind::RoundedRectangle: {
        const int q = R(scale_ * (2 * style.charSize + style.height - 10));
        const int e = R(0.8 * q);
        const int top = frame.top + e / 5;
        Rect outline{frame.left, top, frame.right, top + q + R(0.5 * e)};
        if (ink) outline = EnclosingRoundedOutline(outline, *ink, clearance, e / 2);
        canvas_.roundRect(outline, e, e);
        break;
      }
      case BoxKind::None:  // and any code that is no shape: no box
        break;
    }
  }

  // "［" and "］" (or "【" and "】") on the answer's own text line, a gap
  // clear of its first and last visible characters; an answer's surrounding
  // blanks are the room they take.
  void DrawBrackets(bool square, const AnswerBox& box, const Rect& base, const DrawnAnswer* drawn) {
    if (drawn == nullptr) {
      // Nothing of this render to go by (a registry from another render).
      SetText(box.fontSize + printerFontIncrease_);
      canvas_.textOut(base.left, base.top, square ? "［" : "【");
      canvas_.textOut(base.right, base.top, square ? "］" : "】");
      return;
    }
    SetText(drawn->fontSize);
    const int gap = std::max(1, context_.charGap);
    const int top = drawn->lineY + 2 * context_.lineRise;
    const int first = drawn->ink ? drawn->ink->left : base.left;
    const int last = drawn->ink ? drawn->ink->right : base.right;
    const char* open = square ? "［" : "【";
    canvas_.textOut(first - gap - canvas_.textWidth(open), top, open);
    canvas_.textOut(last + gap, top, square ? "］" : "】");
  }

  // The pictures go over everything else, as the movable images lie over the
  // page on the screen.
  void DrawPictures() {
    layout_.classFlag = Rect{};
    const CanvasImage& flag = pictures_.classFlag;
    if (ClassFlagShown()) {
      // Its place on the screen page, which the printer page scales.
      const int left = R(params_.leftMargin * 10);
      const int top = R(30 + (60 - flag.height) * 0.5);
      layout_.classFlag = {left, top, left + flag.width, top + flag.height};
      canvas_.drawImage(ToDevice(layout_.classFlag), flag);
    }
    const auto& answers = pictures_.answerFigures;
    for (int k = 1; k <= static_cast<int>(layout_.figures.size()); ++k) {
      const Rect& place = layout_.figures[k - 1];
      if (const CanvasImage* image = QuestionFigure(k); image && !image->IsNull()) {
        canvas_.drawImage(ToDevice(place), *image);
      }
      // With the answers shown, a question figure shows its answer figure.
      if (AnswersShown() && k <= static_cast<int>(answers.size()) && !answers[k - 1].IsNull()) {
        const CanvasImage& answer = answers[k - 1];
        canvas_.drawImage(
            ToDevice({place.left, place.top, place.left + answer.width, place.top + answer.height}),
            answer);
      }
    }
  }

  // The sheet's answer display, unless this render draws the page without answers.
  bool AnswersShown() const { return params_.answerDisplay && settings_.answers; }

  Rect ToDevice(const Rect& screen) const {
    if (!printing_) return screen;
    const int left = R(screen.left * scale_);
    const int top = R(screen.top * scale_);
    return {left, top, left + R(screen.Width() * scale_), top + R(screen.Height() * scale_)};
  }

  SheetParams& params_;
  const SheetPictures& pictures_;
  PageLayout& layout_;
  Canvas& canvas_;
  const PageSettings& settings_;
  AnswerBoxRegistry& registry_;
  DrawingContext& context_;

  std::vector<DrawnAnswer> drawn_;

  bool printing_ = false;
  int surfaceWidth_ = 0, surfaceHeight_ = 0;  // drawing surface, device pixels
  double scale_ = 1.0;                        // sheet scale: lengths
  double headerScale_ = 1.0;                  // header rows: printer width / page image width
  int printerFontIncrease_ = 0;               // printer font increase
  int textSize_ = 12;                         // drawing size of question text
  int leftEdge_ = 0, rightMarginWidth_ = 0, rightEdge_ = 0;
};

}  // namespace

void PageRenderer::RenderPage(const SheetPage& page, Canvas& canvas, const PageSettings& settings) {
  PageDrawing(page, canvas, settings, registry_, context_).Draw();
}

int QuestionAreaTop() { return static_cast<int>(QuestionsTopAt(1.0)); }

}  // namespace tavolo
