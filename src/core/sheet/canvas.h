#pragma once
// The drawing vocabulary shared by the notation engine and the page renderer.
// A Canvas keeps the current font, pen, brush and pen position itself;
// implementations read that state when they draw, so changing a font size
// between two text-outs costs nothing until the next text-out.
//
// Coordinates, for every call below: integer device pixels of the surface
// drawn on, origin at its top-left corner, x to the right, y downwards. A
// screen page is a 96 dpi image, so one layout unit is one pixel; on a printer
// they are the printer's pixels, and the callers scale their lengths to them.
// A Rect counts its left and top edges in and its right and bottom edges out.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavolo {

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  bool operator==(const Color&) const = default;

  // Course data and older settings store colours as blue-green-red integers
  // (0x0000FF is red, 0xFF0000 blue).
  static constexpr Color FromBgr(std::uint32_t bgr) {
    return Color{static_cast<std::uint8_t>(bgr & 0xFF),
                 static_cast<std::uint8_t>((bgr >> 8) & 0xFF),
                 static_cast<std::uint8_t>((bgr >> 16) & 0xFF)};
  }
  static constexpr Color Black() { return {0, 0, 0}; }
  static constexpr Color White() { return {255, 255, 255}; }
  static constexpr Color Red() { return {255, 0, 0}; }
  static constexpr Color Blue() { return {0, 0, 255}; }
  static constexpr Color Grey() { return {128, 128, 128}; }
  static constexpr Color Green() { return {0, 128, 0}; }
};

struct FontStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;

  bool operator==(const FontStyle&) const = default;
  bool IsNormal() const { return !bold && !italic && !underline && !strikeout; }
};

struct Font {
  std::string family = "ＭＳ 明朝";  // as course files name it; the GUI substitutes
  int size = 12;                     // points; 1 pt = 96/72 pixels on screen images
  Color color = Color::Black();
  FontStyle style;

  bool operator==(const Font&) const = default;
};

enum class PenStyle { Solid, Dot };
// NotXor inverts what lies under the pen where a black pen is drawn, so a
// second identical stroke removes the first (rubber-band lines).
enum class PenMode { Copy, NotXor };

struct Pen {
  Color color = Color::Black();
  int width = 1;
  PenStyle style = PenStyle::Solid;
  PenMode mode = PenMode::Copy;

  bool operator==(const Pen&) const = default;
};

struct Brush {
  bool solid = false;  // false: a clear brush, shapes are outlines only
  Color color = Color::White();

  bool operator==(const Brush&) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// The one rectangle of the canvas and its callers: left/top inclusive,
// right/bottom exclusive, as the drawing rules count them, so Width() and
// Height() are the pixels covered.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const Rect&) const = default;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// Whatever a canvas implementation keeps for a loaded picture (the GUI keeps a
// QImage). Core code only passes it around.
class CanvasImageData {
 public:
  virtual ~CanvasImageData() = default;
};

// An opaque picture handle: figures, the class flag. Cheap to copy; a null
// handle (no data) draws nothing.
struct CanvasImage {
  int width = 0;
  int height = 0;
  std::string name;  // where it came from (a file name), for messages and tests
  std::shared_ptr<const CanvasImageData> data;

  bool IsNull() const { return data == nullptr; }
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Current state; change it freely between drawing calls. Font sizes are in
  // points, turned into pixels at the canvas's resolution; pen widths are in
  // pixels.
  Font& font() { return font_; }
  const Font& font() const { return font_; }
  Pen& pen() { return pen_; }
  const Pen& pen() const { return pen_; }
  Brush& brush() { return brush_; }
  const Brush& brush() const { return brush_; }
  // Where the last textOut, moveTo or lineTo left off.
  Point penPos() const { return penPos_; }

  // Keeps the current font, pen and brush; the matching Restore() brings them
  // back, pairs nesting. The pen position is not kept: drawing moves on from
  // where it got to. Prefer CanvasStateGuard to calling these by hand.
  void Save() {
    saved_.push_back({font_, pen_, brush_});
    SaveDeviceState();
  }
  // Does nothing without a Save() to match.
  void Restore() {
    if (saved_.empty()) return;
    font_ = saved_.back().font;
    pen_ = saved_.back().pen;
    brush_ = saved_.back().brush;
    saved_.pop_back();
    RestoreDeviceState();
  }

  // Draws text in the current font with (x, y) the TOP-LEFT of the text cell
  // (not the baseline). A solid brush fills the cell behind the text first.
  // Moves the pen position to (x + advance, y) and returns that x.
  int textOut(int x, int y, std::string_view text) {
    int advance = DrawText(x, y, text);
    penPos_ = {x + advance, y};
    if (tracking_) TrackText(x, y, advance, text);
    return penPos_.x;
  }
  // The advance of text in the current font, in pixels.
  virtual int textWidth(std::string_view text) = 0;
  // The height of a text cell in the current font, ascent plus descent: text
  // drawn at y covers the rows y to y + textHeight() - 1. Canvases that know
  // better than "as high as a full-width character is wide" say so.
  virtual int textHeight() { return textWidth("　"); }

  // Finds how far a piece of drawing reaches, e.g. an answer with its
  // fractions: between BeginExtent and EndExtent every text adds its cell
  // without its leading and trailing blanks (they take room but show
  // nothing), every line its stroke. Empty when nothing showed.
  void BeginExtent() {
    tracking_ = true;
    extent_.reset();
  }
  std::optional<Rect> EndExtent() {
    tracking_ = false;
    return extent_;
  }

  void moveTo(int x, int y) { penPos_ = {x, y}; }
  // A line with the current pen from the pen position to (x, y), which becomes
  // the new pen position.
  void lineTo(int x, int y) {
    line(penPos_.x, penPos_.y, x, y);
    penPos_ = {x, y};
  }
  // A line from (x1, y1) to (x2, y2) that leaves the pen position alone, its
  // ends cut square at the end points. Across the line a pen w pixels wide
  // covers w / 2 pixels before it (above, or left), the line's own pixel and
  // the rest after it.
  void line(int x1, int y1, int x2, int y2) {
    DrawLine(x1, y1, x2, y2);
    if (tracking_) {
      const int half = pen_.width / 2;
      Grow({std::min(x1, x2) - half, std::min(y1, y2) - half, std::max(x1, x2) + pen_.width - half,
            std::max(y1, y2) + pen_.width - half});
    }
  }

  // Outlined with the pen, filled with the brush when it is solid. The
  // outline runs along the rectangle's outermost pixels (columns left and
  // right - 1, rows top and bottom - 1), a wider pen growing to both sides.
  virtual void rectangle(const Rect& rect) = 0;
  // rectangle() with corners that are quarter ellipses ellipseWidth x
  // ellipseHeight pixels.
  virtual void roundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) = 0;
  // The ellipse inscribed in bounds, outlined and filled as rectangle().
  virtual void ellipse(const Rect& bounds) = 0;
  // Lines with the pen through the points in order, not closed, never filled.
  virtual void polyline(std::span<const Point> points) = 0;
  // Fills exactly the pixels of rect with the colour, no outline, whatever the
  // brush.
  virtual void fillRect(const Rect& rect, Color color) = 0;
  // Stretches the picture over exactly the pixels of rect.
  virtual void drawImage(const Rect& rect, const CanvasImage& image) = 0;

 protected:
  // Draws text with its cell's top-left at (x, y); returns the advance.
  virtual int DrawText(int x, int y, std::string_view text) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  // Whatever an implementation keeps of its own beside the canvas's state
  // (a painter's), kept and brought back with Save() and Restore().
  virtual void SaveDeviceState() {}
  virtual void RestoreDeviceState() {}

 private:
  // Length of the blanks (" " and "　") at the start of text, or at its end.
  static std::size_t LeadingBlanks(std::string_view text) {
    std::size_t n = 0;
    while (true) {
      if (text.substr(n, 1) == " ") {
        n += 1;
      } else if (text.substr(n, 3) == "　") {
        n += 3;
      } else {
        return n;
      }
    }
  }
  static std::size_t TrailingBlanks(std::string_view text) {
    std::size_t n = 0;
    while (true) {
      const std::string_view rest = text.substr(0, text.size() - n);
      if (rest.ends_with(" ")) {
        n += 1;
      } else if (rest.ends_with("　")) {
        n += 3;
      } else {
        return n;
      }
    }
  }
  void TrackText(int x, int y, int advance, std::string_view text) {
    const std::size_t lead = LeadingBlanks(text);
    if (lead == text.size()) return;
    const std::size_t trail = TrailingBlanks(text);
    const int left = lead == 0 ? x : x + textWidth(text.substr(0, lead));
    const int right =
        trail == 0 ? x + advance : x + advance - textWidth(text.substr(text.size() - trail));
    Grow({left, y, right, y + textHeight()});
  }
  void Grow(const Rect& r) {
    if (!extent_) {
      extent_ = r;
      return;
    }
    extent_->left = std::min(extent_->left, r.left);
    extent_->top = std::min(extent_->top, r.top);
    extent_->right = std::max(extent_->right, r.right);
    extent_->bottom = std::max(extent_->bottom, r.bottom);
  }

  Font font_;
  Pen pen_;
  Brush brush_;
  Point penPos_;
  bool tracking_ = false;
  std::optional<Rect> extent_;
  struct SavedState {
    Font font;
    Pen pen;
    Brush brush;
  };
  std::vector<SavedState> saved_;
};

// Keeps a canvas's font, pen and brush for a scope: whatever a piece of
// drawing changes of them is undone when it ends, however it ends.
class CanvasStateGuard {
 public:
  explicit CanvasStateGuard(Canvas& canvas) : canvas_(canvas) { canvas_.Save(); }
  ~CanvasStateGuard() { canvas_.Restore(); }
  CanvasStateGuard(const CanvasStateGuard&) = delete;
  CanvasStateGuard& operator=(const CanvasStateGuard&) = delete;

 private:
  Canvas& canvas_;
};

}  // namespace tavolo
