#pragma once
// What the practice window shows, as plain values: the run (PracticeRun)
// keeps a PracticeView up to date and answers every user action with a
// RunUpdate, so the window only copies these values onto its controls and
// draws what it is told to.

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "practice/grading.h"
#include "sheet/answer_box_registry.h"
#include "sheet/canvas.h"
#include "sheet/drawing_context.h"
#include "sheet/grading_marks.h"

namespace tavolo {

enum class RunMode { Idle, Practice, Test, Review };

// Answers are typed in the fields' font and drawn in it on the sheet.
inline constexpr char kAnswerFont[] = "ＭＳ 明朝";

// The regions, buttons and input aids a mode shows. The defaults are those
// between runs.
struct RunPanels {
  // Regions: start panel (left), work panel and records panel (right).
  bool startPanelVisible = true;
  bool workPanelVisible = false;
  bool runButtonsVisible = false;
  bool recordsPanelVisible = true;
  bool recordsListVisible = true;

  // Buttons.
  bool answerButtonVisible = false;  // 答えを見る
  bool answerButtonEnabled = false;
  bool gradeButtonVisible = false;  // 採点
  bool hintButtonVisible = false;   // ヒントを見る
  bool hintButtonEnabled = false;

  // Input aids: the choice list when the unit has choices, else the number pad.
  bool choiceGroupVisible = false;
  bool numberPadVisible = false;
  bool operator==(const RunPanels&) const = default;
};

// During a run the work panel takes the records panel's place and the start
// panel goes; practice and review offer 答えを見る and ヒントを見る (the latter
// enabled when the unit has hints to offer), a test offers 採点 instead.
RunPanels RunPanelsFor(RunMode mode, bool hasChoices, bool hintsOffered);

// A text on the sheet picture or a message picture. Notation texts go through
// the maths-notation engine with at as their reference point; plain texts
// (message rows) are drawn with their cell's top-left at at.
struct PictureText {
  Point at;
  std::string text;
  int size = 12;
  Color color = Color::Black();
  bool notation = false;
  // 0: one row, cut at the picture's edge. Otherwise a plain text is broken
  // into rows this far apart that fit the picture's width, and the texts
  // after it move down by the rows it added.
  int wrapPitch = 0;
  bool operator==(const PictureText&) const = default;
};

// Drawn on the sheet picture, in order, over what is already there.
struct EraseArea {  // a white filled rounded rectangle
  Rect area;
};
struct OutlineArea {  // a black rounded rectangle, pen 1
  Rect area;
};
struct MarkDrawing {
  GradingMark mark;
  Rect field;  // the answer field the mark surrounds
  Rect frame;  // the box's frame (the test slash)
  Color color;
};
struct ScoreDrawing {
  int score = 0;
  Point scoreSpot;
  int startPanelWidth = 0;
};
using SheetDrawing = std::variant<PictureText, EraseArea, OutlineArea, MarkDrawing, ScoreDrawing>;

// Carries out one drawing on the sheet picture (scale 1).
void DrawOnSheet(Canvas& canvas, const SheetDrawing& drawing);

// A picture of message rows (the work panel's message picture, the records
// panel's result picture): row r is written at y = 24 x r. Writing row 0
// starts a blank white picture.
struct MessagePicture {
  std::vector<PictureText> texts;
  // Set when the picture shows one of the result pictures instead of texts.
  std::optional<ResultPicture> picture;

  void WriteRow(int row, std::string text, int size, Color color, int x = 0);
  void Clear() {
    texts.clear();
    picture.reset();
  }
};

// A message picture's texts as they stand in a picture `width` wide (a width
// below 1 wraps nothing), and how high they reach.
struct MessageLayout {
  std::vector<PictureText> rows;
  int height = 0;
};
MessageLayout LayOutMessagePicture(Canvas& canvas, const MessagePicture& picture, int width);

// Draws a message picture's texts, laid out for `width`, onto a cleared
// white canvas.
void DrawMessagePicture(Canvas& canvas, const MessagePicture& picture, int width);

// One answer field laid over a box (box n at edits[n]), in sheet-picture
// coordinates.
struct BoxEdit {
  bool visible = false;
  bool readOnly = true;
  bool redText = false;
  std::string text;
  Rect rect;
  bool inputMethod = false;  // AnswerKey::NeedsInputMethod of the box
};

enum class FocusTarget { None, Box, CloseButton, ReviewButton, GradeButton, PracticeButton };

struct PracticeView {
  RunMode mode = RunMode::Idle;
  RunPanels panels;            // as the mode shows them (RunPanelsFor)
  bool reviewEnabled = false;  // 復習
  bool testEnabled = true;     // テスト
  std::vector<std::string> choices;

  int boxCount = 0;
  std::array<BoxEdit, AnswerBoxRegistry::kMaxBoxes + 1> edits{};
  // The furthest right a field's right edge can go while it moves for
  // corrections: the sheet picture is at least this wide.
  int fieldsRight = 0;
  Color boxColor = Color::FromBgr(0xFFFFC0);

  MessagePicture message;  // imgMessXX, under the run buttons
  MessagePicture result;   // imgMess, in the records panel
  bool resultVisible = true;

  FocusTarget focus = FocusTarget::PracticeButton;
  int focusBox = 0;         // the box, when focus is Box
  bool selectText = false;  // select the box's text when it gets the focus
  int currentBox = 0;       // the box whose edit had the focus last
  int elapsedSeconds = 0;
  bool timerRunning = false;  // the one-second timer feeds Tick()
};

// What an action changed besides the view: what to draw and what to do once.
struct RunUpdate {
  // Clear the sheet picture to white and draw the sheet without answers,
  // before the drawings below.
  bool redrawSheet = false;
  std::vector<SheetDrawing> drawings;
  bool scrollToTop = false;
  bool showAllCorrectNotice = false;  // the all-correct window, modal
  bool refreshRecords = false;        // re-read the records list
  bool refreshCourseMarks = false;    // a run was recorded: the course menu's counts changed
};

}  // namespace tavolo
