#include "sheet/page_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "sheet/answer_box_geometry.h"
#include "sheet/recording_canvas.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;

// Renders sheets on the recording canvas at the screen's scale unless told.
class PageRendererTest : public ::testing::Test {
 protected:
  PageRendererTest() : renderer(registry) {
    settings.registerBoxes = true;
    sheet.params.unit.title = "正と負の数//加法§1-1 たし算";
    settings.shortUnitName = "abc3.que-U2R1";
    settings.now = DateTime{2024, 5, 3, 9, 7, 0};
  }

  void Render(const Lines& questions) {
    sheet.params.unit.questionLines = questions;
    Render();
  }
  void Render() {
    canvas.clear();
    renderer.RenderPage({sheet.params, sheet.pictures, sheet.layout}, canvas, settings);
  }

  // Text-outs whose text is exactly text, in order.
  std::vector<CanvasCall> TextsOf(const std::string& text) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : canvas.texts())
      if (call.text == text) found.push_back(call);
    return found;
  }
  CanvasCall OnlyText(const std::string& text) const {
    const std::vector<CanvasCall> found = TextsOf(text);
    EXPECT_EQ(found.size(), 1u) << "text " << text << "\n" << canvas.Describe();
    return found.empty() ? CanvasCall{} : found[0];
  }
  // A text's cell without the room its leading and trailing blanks take.
  Rect VisibleRect(const CanvasCall& text) const {
    const std::size_t first = text.text.find_first_not_of(' ');
    const std::size_t last = text.text.find_last_not_of(' ');
    if (first == std::string::npos)
      return {text.rect.left, text.rect.top, text.rect.left, text.rect.top};
    const int blank = canvas.CharWidth(U' ', text.font.size);
    Rect r = text.rect;
    r.left += static_cast<int>(first) * blank;
    r.right -= static_cast<int>(text.text.size() - 1 - last) * blank;
    return r;
  }
  std::vector<CanvasCall> CallsOf(CanvasCallKind kind) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : canvas.calls())
      if (call.kind == kind) found.push_back(call);
    return found;
  }

  AnswerBoxRegistry registry;
  PageRenderer renderer;
  struct {
    SheetParams params;
    SheetPictures pictures;
    PageLayout layout;
  } sheet;
  PageSettings settings;
  RecordingCanvas canvas;
};

CanvasImage Picture(int width, int height, std::string name) {
  return CanvasImage{width, height, std::move(name), std::make_shared<CanvasImageData>()};
}

TEST_F(PageRendererTest, A4DefaultsPlaceRulesTitleNameLineAndFirstQuestion) {
  sheet.params.headerOptions = 0;
  Render({"問題です", "次の行"});
  const auto lines = CallsOf(CanvasCallKind::Line);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].from, (Point{50, 30}));
  EXPECT_EQ(lines[0].to, (Point{580, 30}));
  EXPECT_EQ(lines[0].pen.width, 2);
  EXPECT_EQ(lines[1].from, (Point{50, 90}));
  EXPECT_EQ(lines[1].to, (Point{580, 90}));

  const CanvasCall title = OnlyText("正と負の数//加法§1-1 たし算");
  EXPECT_EQ(title.from, (Point{50, 35}));
  EXPECT_EQ(title.font.size, 12);
  EXPECT_EQ(title.font.family, "ＭＳ 明朝");
  const CanvasCall name = OnlyText("　　　　　　　　氏名");
  EXPECT_EQ(name.from, (Point{200, 65}));
  EXPECT_EQ(name.font.size, 16);

  // Question lines are 30 x 0.7875 apart, rounded from a running real value.
  const auto& segments = renderer.context().segmentStarts;
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[0], (Point{50, 98}));
  EXPECT_EQ(segments[1], (Point{50, 122}));  // 98 + 23.625 = 121.625
  // Japanese text is drawn whole, two line rises below the line's y.
  EXPECT_EQ(OnlyText("問題です").from, (Point{50, 112}));
  EXPECT_EQ(OnlyText("問題です").font.size, 14);
  EXPECT_EQ(sheet.layout.scorePosition, (Point{505, 35}));
}

TEST_F(PageRendererTest, HeaderLineWithNumberDateUnitNameAndTestDate) {
  settings.sheetNumber = 5;
  Render({});
  const CanvasCall header = OnlyText("№ 5  2024.05.03-09:07　abc3.que-U2R1");
  EXPECT_EQ(header.from, (Point{50, 15}));
  EXPECT_EQ(header.font.size, 10);
  EXPECT_EQ(OnlyText("実施日　　月　　日").from, (Point{460, 15}));

  // Without numbering the text starts with the two blanks; a long unit name
  // keeps only its part from the 41st byte on.
  settings.sheetNumber.reset();
  settings.shortUnitName = std::string(40, 'a') + "tail.que-U1";
  sheet.params.headerOptions = kHeaderNumberAndTime;
  Render();
  OnlyText("  2024.05.03-09:07　tail.que-U1");
  EXPECT_TRUE(TextsOf("実施日　　月　　日").empty());
}

TEST_F(PageRendererTest, AFingerprintFollowsTheNumberOnlyWhenTheSheetHasOne) {
  const struct {
    const char* label;
    std::optional<int> number;
    std::string fingerprint;
    std::string header;
  } rows[] = {
      {"numbered, random data", 3, "K7QX", "№ 3  K7QX  2024.05.03-09:07　abc3.que-U2R1"},
      {"unnumbered, random data", std::nullopt, "K7QX", "K7QX  2024.05.03-09:07　abc3.que-U2R1"},
      {"numbered, no random data", 3, "", "№ 3  2024.05.03-09:07　abc3.que-U2R1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    settings.sheetNumber = row.number;
    settings.fingerprint = row.fingerprint;
    Render({});
    OnlyText(row.header);
  }
}

TEST_F(PageRendererTest, LongTitleIsSplitAtTheSectionSign) {
  sheet.params.headerOptions = 0;
  const std::string before = "正と負の数//正負の数の加法と減法";  // 32 bytes
  const std::string after = "§1-2 かっこのある式の計算abc";       // 29 bytes
  ASSERT_EQ(SjisLength(before + after), 61u);
  sheet.params.unit.title = before + after;
  Render({});
  EXPECT_EQ(OnlyText(before).from, (Point{50, 35}));
  EXPECT_EQ(OnlyText("　　" + after).from, (Point{50, 48}));

  // 60 bytes stay on one line.
  sheet.params.unit.title = before + "§1-2 かっこのある式の計算ab";
  Render({});
  OnlyText(sheet.params.unit.title);
}

TEST_F(PageRendererTest, NameLineWithSchoolAndLearner) {
  struct Case {
    std::string school, learner;
    bool shown;
    std::string expected;
  };
  const Case cases[] = {
      {"", "山田", false, "　　　　　　　　氏名"},
      {"北中学校", "山田", false, "北中学校　　氏名"},
      {"北中学校", "山田", true, "北中学校　　氏名 山田"},
      {"北中学校", "公開", true, "北中学校　　氏名"},
      {"北中学校", "共通", true, "北中学校　　氏名"},
      {"", "noname", true, "　　　　　　　　氏名"},
  };
  for (const Case& c : cases) {
    settings.schoolName = c.school;
    settings.learnerName = c.learner;
    settings.showLearnerName = c.shown;
    Render({});
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(OnlyText(c.expected).from, (Point{200, 65}));
  }
}

TEST_F(PageRendererTest, HiddenAnswersAreWhiteAndKeepTheFollowingTextInPlace) {
  const Lines questions = {"答え#ななつ#です"};
  sheet.params.answerDisplay = true;
  Render(questions);
  const CanvasCall shownAnswer = OnlyText("ななつ");
  const CanvasCall shownTail = OnlyText("です");
  EXPECT_EQ(shownAnswer.font.color, Color::Blue());
  EXPECT_EQ(shownTail.font.color, Color::Black());

  sheet.params.answerDisplay = false;
  Render(questions);
  const CanvasCall hiddenAnswer = OnlyText("ななつ");
  EXPECT_EQ(hiddenAnswer.font.color, Color::White());
  EXPECT_EQ(hiddenAnswer.from, shownAnswer.from);
  EXPECT_EQ(OnlyText("です").from, shownTail.from);
  // The question text after a hidden answer stays readable.
  EXPECT_EQ(OnlyText("です").font.color, Color::Black());
}

TEST_F(PageRendererTest, AnswerXPositionFromKranLineFive) {
  Render({"問#あ#"});
  // Right after the question text: 50 + one 14-point character (19).
  EXPECT_EQ(OnlyText("あ").from.x, 69);
  EXPECT_EQ(registry.box(1).x, 69);

  sheet.params.kran[4] = "30";
  Render({"問#あ#", "長い長い問題#い#"});
  EXPECT_EQ(OnlyText("あ").from.x, 300);
  EXPECT_EQ(OnlyText("い").from.x, 300);
  EXPECT_EQ(registry.box(2).x, 300);
  EXPECT_EQ(registry.box(2).y, 122);
}

TEST_F(PageRendererTest, UnpairedAnswerMarkDropsTheRestOfTheLine) {
  Render({"前の文#後の文"});
  OnlyText("前の文");
  EXPECT_TRUE(TextsOf("後の文").empty());
  EXPECT_EQ(registry.count(), 0);
  // Three marks: one answer, the text after it, and the rest is lost.
  Render({"あ#い#う#え"});
  OnlyText("う");
  EXPECT_TRUE(TextsOf("え").empty());
  EXPECT_EQ(registry.count(), 1);
}

TEST_F(PageRendererTest, AlternativesAreDrawnInGreyFiftyUnitsRightOfTheAnswer) {
  settings.showAlternatives = true;
  Render({"A#1;2#B"});
  // A, then the answer 1 in blue, then B after it, then " 2" in grey.
  const CanvasCall a = OnlyText("A");
  const CanvasCall one = OnlyText("1");
  const CanvasCall b = OnlyText("B");
  EXPECT_EQ(a.from.x, 50);
  EXPECT_EQ(one.font.color, Color::Blue());
  EXPECT_GT(b.from.x, one.from.x);
  EXPECT_EQ(b.from.x, registry.box(1).x + registry.box(1).width);
  const CanvasCall blank = OnlyText(" ");
  EXPECT_EQ(blank.from.x, registry.box(1).x + 50);
  EXPECT_EQ(blank.font.color, Color::Grey());
  EXPECT_EQ(OnlyText("2").font.color, Color::Grey());
  EXPECT_EQ(registry.box(1).answerText, "1;2");

  settings.showAlternatives = false;
  Render({"A#1;2#B"});
  EXPECT_TRUE(TextsOf("2").empty());
}

// Characters with a second code in the file (0xED40 "纊" ends in the byte of
// "@", 0xFA4A "Ⅰ" in that of "J") show as themselves: no markup, no stray letter.
TEST_F(PageRendererTest, DuplicateCodesOfTheFileShowTheirCharacters) {
  sheet.params.headerOptions = 0;
  sheet.params.kran[0] = "0";
  const std::string line = DecodeCp932(
      "\x87\x90\x81\x40\xed\x40\x81\x40\xfa\x4a\x81\x40\x87\x95"
      "#\xee\xef#\x87\x97\x87\x9a");
  Render({line});
  std::string drawn;
  for (const CanvasCall& call : canvas.texts()) drawn += WithoutCodeVariants(call.text) + "|";
  EXPECT_EQ(drawn, "正と負の数//加法§1-1 たし算|　　　　　　　　氏名|≒　纊　Ⅰ　√|ⅰ|∠∵|");
  // Each text keeps its bytes for saving, and the tags take no room.
  EXPECT_EQ(EncodeCp932(canvas.texts()[2].text),
            "\x87\x90\x81\x40\xed\x40\x81\x40\xfa\x4a\x81\x40\x87\x95");
  EXPECT_EQ(canvas.texts()[2].font.style, FontStyle{});
  EXPECT_EQ(registry.box(1).width, 19);  // one 14-point character
  EXPECT_EQ(EncodeCp932(registry.box(1).answerText), "\xee\xef");
}

TEST_F(PageRendererTest, AlternativesStartAfterALongerModelAnswer) {
  settings.showAlternatives = true;
  sheet.params.kran[0] = "0";
  Render({"#-12345678;-1;-2#"});
  int answerEnd = 0;
  std::vector<CanvasCall> grey;
  for (const CanvasCall& call : canvas.texts()) {
    if (call.font.color == Color::Blue()) answerEnd = std::max(answerEnd, call.rect.right);
    if (call.font.color == Color::Grey()) grey.push_back(call);
  }
  ASSERT_FALSE(grey.empty());
  // 50 units would be inside the answer: a blank after its end instead, then
  // the blank each alternative starts with (14 points: 10 wide each).
  const int blank = canvas.CharWidth(U' ', 14);
  EXPECT_GE(grey[0].from.x, registry.box(1).x + registry.box(1).width + blank);
  EXPECT_EQ(grey[0].text, " ");
  for (const CanvasCall& call : grey) {
    if (call.text != " ") {
      EXPECT_GE(call.rect.left, answerEnd + 2 * blank) << call.text;
    }
  }
}

// "［ ］" and "【 】" stand on the line of the answer they hold, clear of its
// sign, on the screen and on paper.
TEST_F(PageRendererTest, BracketsSitOnTheAnswerLineClearOfItsSign) {
  sheet.params.headerOptions = 0;
  for (const char* kind : {"2", "3"}) {
    for (bool printing : {false, true}) {
      SCOPED_TRACE(std::string(kind) + (printing ? " printer" : " screen"));
      sheet.params.kran[0] = kind;
      settings.registerBoxes = true;
      settings.printing = false;
      settings.surfaceWidth = settings.surfaceHeight = 0;
      Render({"(1) 支出は # -300 # 円", "(2) 東へ#-6#km", "(3) 「# 西 #へ」"});
      if (printing) {
        settings.registerBoxes = false;
        settings.printing = true;
        settings.surfaceWidth = 4961;
        settings.surfaceHeight = 7016;
        Render();
      }
      // The answers' visible texts, line by line, and the brackets in order.
      std::vector<std::vector<CanvasCall>> answers(3);
      std::vector<CanvasCall> brackets;
      int line = -1;
      for (const CanvasCall& call : canvas.texts()) {
        if (call.font.color == Color::Black() && call.text.starts_with("(")) {
          ++line;
        } else if (call.font.color == Color::Blue() && call.text != " ") {
          answers[line].push_back(call);
        } else if (call.text == "［" || call.text == "］" || call.text == "【" ||
                   call.text == "】") {
          brackets.push_back(call);
        }
      }
      ASSERT_EQ(brackets.size(), 6u) << canvas.Describe();
      for (int k = 0; k < 3; ++k) {
        ASSERT_FALSE(answers[k].empty());
        const CanvasCall& open = brackets[2 * k];
        const CanvasCall& close = brackets[2 * k + 1];
        const CanvasCall& first = answers[k].front();
        const CanvasCall& last = answers[k].back();
        // On the line: as high as the answer's text (the printer raises
        // letters and digits by 8 pixels, not the brackets).
        EXPECT_NEAR(open.from.y, first.from.y, printing ? 8 : 0) << k;
        EXPECT_EQ(close.from.y, open.from.y);
        EXPECT_EQ(open.font.size, first.font.size);
        // A gap between each bracket and the answer.
        EXPECT_LT(open.rect.right, VisibleRect(first).left) << k;
        EXPECT_GT(close.rect.left, VisibleRect(last).right) << k;
      }
    }
  }
}

// Underlines, rectangles and rounded boxes never cross their own answer:
// below its descent, above its top, beyond its ends, at every size, with the
// new-unit kran values (kind, 15, 2).
TEST_F(PageRendererTest, BoxesStayClearOfTheirAnswerAtEverySize) {
  sheet.params.headerOptions = 0;
  sheet.params.kran[1] = "15";
  sheet.params.kran[2] = "2";
  sheet.params.lineSpacing = 200;
  const std::string answers[] = {"7", "gjpqy", "5/6", "答え", "-2 1/4", "12345678901234567890"};
  for (const char* kind : {"1", "4", "5"}) {
    for (int size : {8, 10, 12, 14, 18, 24, 36, 50}) {
      for (bool printing : {false, true}) {
        for (const std::string& answer : answers) {
          SCOPED_TRACE(std::string("kind ") + kind + " size " + std::to_string(size) +
                       (printing ? " printer " : " screen ") + answer);
          sheet.params.kran[0] = kind;
          sheet.params.charSize = size;
          settings.registerBoxes = true;
          settings.printing = false;
          settings.surfaceWidth = settings.surfaceHeight = 0;
          Render({"問題#" + answer + "#"});
          if (printing) {
            settings.registerBoxes = false;
            settings.printing = true;
            settings.surfaceWidth = 4961;
            settings.surfaceHeight = 7016;
            Render();
          }
          std::optional<Rect> ink;
          std::optional<CanvasCall> box;
          for (const CanvasCall& call : canvas.calls()) {
            if (call.kind == CanvasCallKind::TextOut && call.font.color == Color::Blue()) {
              if (call.text == " ") continue;
              const Rect& r = call.rect;
              ink = ink ? Rect{std::min(ink->left, r.left), std::min(ink->top, r.top),
                               std::max(ink->right, r.right), std::max(ink->bottom, r.bottom)}
                        : r;
            } else if (call.kind != CanvasCallKind::TextOut && call.pen.color == Color::Black() &&
                       (call.kind != CanvasCallKind::Line ||
                        call.from.y > 100 * (printing ? 7 : 1))) {
              box = call;  // the last black shape is the box
            }
          }
          ASSERT_TRUE(ink && box) << canvas.Describe();
          const int half = (box->pen.width + 1) / 2;
          if (box->kind == CanvasCallKind::Line) {
            EXPECT_GE(box->from.y - half, ink->bottom);
            EXPECT_LE(box->from.x, ink->left);
            EXPECT_GE(box->to.x, ink->right);
          } else {
            // Strokes on the left and top edge, one pixel inside the right and bottom.
            EXPECT_LE(box->rect.top + half, ink->top - 1);
            EXPECT_GE(box->rect.bottom - 1 - half, ink->bottom);
            EXPECT_LE(box->rect.left + half, ink->left - 1);
            EXPECT_GE(box->rect.right - 1 - half, ink->right);
          }
        }
      }
    }
  }
}

// The learners' sheet (answers in white) has the very boxes of the answer key.
TEST_F(PageRendererTest, BoxesAreTheSameWithTheAnswersHidden) {
  const Lines questions = {"(1) #5/6#", "(2) 答えは#gjpqy#です", "(3) # -300 #円"};
  for (const char* kind : {"1", "2", "4", "5"}) {
    sheet.params.kran[0] = kind;
    std::vector<std::vector<CanvasCall>> boxes;
    for (bool shown : {true, false}) {
      sheet.params.answerDisplay = shown;
      Render(questions);
      std::vector<CanvasCall>& found = boxes.emplace_back();
      for (const CanvasCall& call : canvas.calls())
        if (call.kind == CanvasCallKind::Rectangle || call.kind == CanvasCallKind::RoundRect ||
            call.text == "［" || call.text == "］" ||
            (call.kind == CanvasCallKind::Line && call.from.y > 90))
          found.push_back(call);
    }
    ASSERT_EQ(boxes[0].size(), boxes[1].size()) << kind;
    for (std::size_t i = 0; i < boxes[0].size(); ++i) {
      EXPECT_EQ(boxes[0][i].rect, boxes[1][i].rect) << kind;
      EXPECT_EQ(boxes[0][i].from, boxes[1][i].from) << kind;
      EXPECT_EQ(boxes[0][i].to, boxes[1][i].to) << kind;
    }
  }
}

TEST_F(PageRendererTest, TwoAnswersOnOneLineRegisterTwoBoxesInDrawingOrder) {
  Render({"(1) #3# と #-5#"});
  ASSERT_EQ(registry.count(), 2);
  EXPECT_LT(registry.box(1).x, registry.box(2).x);
  EXPECT_EQ(registry.box(1).answerText, "3");
  EXPECT_EQ(registry.box(2).answerText, "-5");
  EXPECT_EQ(registry.box(1).y, 98);
  EXPECT_EQ(registry.box(1).fontSize, 14);
  EXPECT_GT(registry.box(1).width, 0);
  EXPECT_EQ(sheet.layout.answers, (Lines{"start", "3", "-5"}));
  EXPECT_EQ(sheet.layout.answerXs.size(), 2u);
  EXPECT_EQ(sheet.layout.answerXs[0], 50);
}

TEST_F(PageRendererTest, RenderWithRegistrationOffLeavesTheRegistryAlone) {
  Render({"#1#", "#2#"});
  ASSERT_EQ(registry.count(), 2);
  const AnswerBox before = registry.box(2);
  settings.registerBoxes = false;
  Render({"問題#9#"});
  EXPECT_EQ(registry.count(), 2);
  EXPECT_EQ(registry.box(2).x, before.x);
  EXPECT_EQ(registry.box(2).answerText, "2");
}

TEST_F(PageRendererTest, PageStopsRegisteringAtEightyBoxesButDrawsEverything) {
  Lines questions;
  for (int i = 0; i < 50; ++i) questions.push_back("#あ#と#い#");
  Render(questions);
  EXPECT_EQ(registry.count(), 80);
  EXPECT_EQ(TextsOf("あ").size(), 50u);
  EXPECT_EQ(TextsOf("い").size(), 50u);
  EXPECT_EQ(renderer.context().segmentStarts.size(), 240u);
}

TEST_F(PageRendererTest, BoxFramesOfEveryKind) {
  // Answer "　あ　" at x 69 on line y 98: three 14-point characters (57), the
  // "あ" cell from (88, 112) to (107, 131); 14-point fields are 27 high; kran
  // width 10, height 4. The frames follow the kran values except where they
  // would cross the answer's cell: their bottoms move down to 2 clear rows.
  struct Case {
    std::string kind;
    CanvasCallKind call;
    Rect rect;
  };
  const Case cases[] = {
      {"1", CanvasCallKind::Rectangle, {69, 99, 144, 134}},   // bottom 132 by the kran values
      {"5", CanvasCallKind::RoundRect, {69, 102, 144, 134}},  // bottom 133
  };
  const Lines question = {"問#　あ　#"};
  for (const Case& c : cases) {
    sheet.params.kran[0] = c.kind;
    Render(question);
    SCOPED_TRACE(c.kind);
    const auto shapes = CallsOf(c.call);
    ASSERT_EQ(shapes.size(), 1u) << canvas.Describe();
    EXPECT_EQ(shapes[0].rect, c.rect);
  }
  // Rounded rectangle: q = 2 x 14 + 4 - 10 = 22, e = round(17.6) = 18,
  // top 99 + 18 div 5, bottom that + 22 + 9.
  EXPECT_EQ(CallsOf(CanvasCallKind::RoundRect)[0].ellipseWidth, 18);

  sheet.params.kran[0] = "4";
  Render(question);
  const auto lines = CallsOf(CanvasCallKind::Line);
  const CanvasCall& underline = lines.back();
  // 132 - round(0.2 x 33) = 125 would cross the text: 2 rows below its cell.
  EXPECT_EQ(underline.from, (Point{69, 133}));
  EXPECT_EQ(underline.to, (Point{144, 133}));

  sheet.params.kran[0] = "2";
  Render(question);
  // Brackets on the answer's text line (98 + 2 x 7), a gap of 2 from the "あ".
  EXPECT_EQ(OnlyText("［").from, (Point{88 - 2 - 19, 112}));
  EXPECT_EQ(OnlyText("］").from, (Point{107 + 2, 112}));
  sheet.params.kran[0] = "3";
  Render(question);
  EXPECT_EQ(OnlyText("【").from, (Point{67, 112}));
  EXPECT_EQ(OnlyText("】").from, (Point{109, 112}));
  sheet.params.kran[0] = "0";
  Render(question);
  EXPECT_TRUE(CallsOf(CanvasCallKind::Rectangle).empty());
  EXPECT_TRUE(CallsOf(CanvasCallKind::RoundRect).empty());
}

TEST_F(PageRendererTest, GradingMarksFollowStatusesAcrossRedraws) {
  sheet.params.kran[0] = "0";
  const Lines questions = {"#1#", "#2#", "#3#", "#4#"};
  Render(questions);
  registry.box(1).status = AnswerStatus::Correct;
  registry.box(2).status = AnswerStatus::Wrong;
  registry.box(3).status = AnswerStatus::CorrectAfterShown;
  registry.box(4).status = AnswerStatus::WrongInPractice;  // no mark on a sheet
  Render(questions);
  EXPECT_EQ(registry.box(1).status, AnswerStatus::Correct);
  const auto ellipses = CallsOf(CanvasCallKind::Ellipse);
  const auto polylines = CallsOf(CanvasCallKind::Polyline);
  ASSERT_EQ(ellipses.size(), 1u);
  ASSERT_EQ(polylines.size(), 1u);
  EXPECT_EQ(ellipses[0].pen.color, Color::Red());
  EXPECT_EQ(ellipses[0].pen.width, 2);
  EXPECT_EQ(polylines[0].pen.width, 3);
  EXPECT_EQ(polylines[0].pen.color, Color::Red());
  // The circle surrounds box 1's field; the slash crosses box 2's frame.
  const Rect field = AnswerFieldRect(registry.box(1), BoxStyle::FromSheet(sheet.params));
  EXPECT_LT(ellipses[0].rect.left, field.left);
  EXPECT_GT(ellipses[0].rect.right, field.right);
  const auto lines = CallsOf(CanvasCallKind::Line);
  const auto red = std::count_if(lines.begin(), lines.end(),
                                 [](const CanvasCall& c) { return c.pen.color == Color::Red(); });
  EXPECT_EQ(red, 1);
}

TEST_F(PageRendererTest, UnclosedSizeMarkupEnlargesOnlyTheRestOfThePage) {
  sheet.params.headerOptions = 0;
  const Lines questions = {"@+大きい", "次の行"};
  for (int redraw = 0; redraw < 3; ++redraw) {
    Render(questions);
    EXPECT_EQ(OnlyText("大きい").font.size, 16);
    EXPECT_EQ(OnlyText("次の行").font.size, 16);
  }
}

TEST_F(PageRendererTest, TwoColumnDivider) {
  sheet.params.kran[3] = "2";
  Render({});
  const auto lines = CallsOf(CanvasCallKind::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].from, (Point{312, 90}));  // (580 + 14 + 50) div 2 - 10
  EXPECT_EQ(lines[2].to, (Point{312, 864}));   // round(0.97 x 891)
}

TEST_F(PageRendererTest, ClassFlagMovesTheTitleAndFiguresArePlaced) {
  sheet.pictures.classFlag = Picture(56, 40, "classFlag.bmp");
  sheet.pictures.questionFigures = {Picture(30, 20, "q1.bmp"), Picture(10, 10, "q2.bmp")};
  sheet.pictures.answerFigures = {Picture(30, 20, "a1.bmp")};
  sheet.params.unit.graphLines = {"q1.bmp", "0", "0", "q2.bmp", "300", "400"};
  Render({"一行目", "二行目"});
  // Title after the flag: 50 + 56 + 5.
  EXPECT_EQ(OnlyText("正と負の数//加法§1-1 たし算").from, (Point{111, 35}));
  const auto images = CallsOf(CanvasCallKind::DrawImage);
  ASSERT_EQ(images.size(), 4u) << canvas.Describe();
  EXPECT_EQ(images[0].text, "classFlag.bmp");
  EXPECT_EQ(images[0].rect, (Rect{50, 40, 106, 80}));  // top round(30 + (60 - 40) / 2)
  // Figure 1 had no place: beside text segment 1 (50, 98), and it keeps it.
  EXPECT_EQ(images[1].text, "q1.bmp");
  EXPECT_EQ(images[1].rect, (Rect{90, 98, 120, 118}));
  EXPECT_EQ(images[2].text, "a1.bmp");  // answers shown: over question figure 1
  EXPECT_EQ(images[2].rect, images[1].rect);
  EXPECT_EQ(images[3].rect, (Rect{300, 400, 310, 410}));
  EXPECT_EQ(sheet.params.unit.graphLines, (Lines{"q1.bmp", "90", "98", "q2.bmp", "300", "400"}));

  sheet.params.answerDisplay = false;
  sheet.params.headerOptions = 0;
  Render({"一行目", "二行目"});
  const auto hidden = CallsOf(CanvasCallKind::DrawImage);
  ASSERT_EQ(hidden.size(), 2u);
  EXPECT_EQ(hidden[0].text, "q1.bmp");
  EXPECT_EQ(OnlyText("正と負の数//加法§1-1 たし算").from.x, 50);
}

TEST_F(PageRendererTest, PrinterRenderScalesFontsBoxesAndPictures) {
  sheet.params.kran[0] = "1";
  sheet.params.headerOptions = 0;
  Render({"問#あ#"});
  const AnswerBox screenBox = registry.box(1);

  settings.registerBoxes = false;
  settings.printing = true;
  settings.surfaceWidth = 4961;  // A4 at 600 dpi
  settings.surfaceHeight = 7016;
  Render({"問#あ#"});
  const double s = 4961 / 630.0;
  EXPECT_EQ(OnlyText("正と負の数//加法§1-1 たし算").font.size, 15);
  EXPECT_EQ(OnlyText("　　　　　　　　氏名").font.size, 19);
  EXPECT_EQ(OnlyText("問").font.size, 17);
  EXPECT_EQ(OnlyText("　　　　　　　　氏名").from,
            (Point{RoundHalfEven(150 * s + RoundHalfEven(50 * s)), RoundHalfEven(65 * s)}));
  const auto boxes = CallsOf(CanvasCallKind::Rectangle);
  ASSERT_EQ(boxes.size(), 1u);
  // The printed box starts where the printed answer does (its stroke kept
  // clear of the text), not at the screen's x times 1.03.
  const CanvasCall answer = OnlyText("あ");
  const int clearance = BoxClearance(RoundHalfEven(s), s);
  EXPECT_EQ(boxes[0].rect.left, answer.from.x - clearance);
  EXPECT_EQ(boxes[0].pen.width, RoundHalfEven(s));
  EXPECT_EQ(registry.box(1).x, screenBox.x);  // printing reads the screen's boxes
}

// The printer draws its text at its own resolution, narrower or wider than
// the screen layout times the scale: every printed box still holds its
// answer, on every line and at every answer position.
TEST_F(PageRendererTest, PrintedBoxesHoldTheAnswersThePrinterDrew) {
  sheet.params.headerOptions = 0;
  const Lines questions = {"(1) (-8)+(+5)=# -3 #", "(10) (-6)^2\\(-4)+(-3)*(-5)=# +6 #",
                           "(12) 2 1/4\\(-1 1/2)=# -3/2 #", "#長い長い答え#と#12345#"};
  for (const char* kind : {"1", "5"}) {
    sheet.params.kran[0] = kind;
    sheet.params.kran[1] = "-10";  // boxes as wide as their answers
    settings.registerBoxes = true;
    settings.printing = false;
    settings.surfaceWidth = settings.surfaceHeight = 0;
    Render(questions);
    settings.registerBoxes = false;
    // A printer whose text comes out narrower than the screen's (the
    // recording canvas at 400 dpi on a 600-dpi page) and one wider.
    for (int dpi : {400, 700}) {
      RecordingCanvas printer(dpi);
      settings.printing = true;
      settings.surfaceWidth = 4961;
      settings.surfaceHeight = 7016;
      renderer.RenderPage({sheet.params, sheet.pictures, sheet.layout}, printer, settings);
      std::vector<Rect> frames;
      for (const CanvasCall& call : printer.calls())
        if (call.kind == CanvasCallKind::Rectangle || call.kind == CanvasCallKind::RoundRect)
          frames.push_back(call.rect);
      ASSERT_EQ(frames.size(), 5u) << kind << " " << dpi;
      std::size_t inside = 0;
      for (const CanvasCall& text : printer.texts()) {
        if (text.font.color != Color::Blue() || text.text == " ") continue;
        const bool held = std::any_of(frames.begin(), frames.end(), [&](const Rect& f) {
          return f.left < text.rect.left && text.rect.right < f.right && f.top < text.rect.top &&
                 text.rect.bottom < f.bottom;
        });
        EXPECT_TRUE(held) << kind << " " << dpi << " " << text.text << " at " << text.from.x;
        ++inside;
      }
      EXPECT_GT(inside, 10u);
    }
  }
}

TEST_F(PageRendererTest, LearnerAnswersRepeatTheScreenLayout) {
  const Lines questions = {"問#ながい答え#後#2#"};
  Render(questions);
  const int tailX = OnlyText("後").from.x;
  const std::vector<std::string> learner = {"5", "7"};
  settings.learnerAnswers = &learner;
  settings.registerBoxes = false;
  Render(questions);
  // The learner's short answer is padded to the model's length, and the text
  // after it starts where it started on the sheet.
  EXPECT_TRUE(TextsOf("ながい答え").empty());
  EXPECT_EQ(OnlyText("5").font.color, Color::Blue());
  EXPECT_EQ(OnlyText("後").from.x, tailX);
  EXPECT_EQ(OnlyText("7").from.y, OnlyText("5").from.y);

  // Practice hides the model answers; the learner's own still print in blue.
  sheet.params.answerDisplay = false;
  Render(questions);
  EXPECT_EQ(OnlyText("5").font.color, Color::Blue());
}

// A line of hundreds of kilobytes is laid out only as far as the page reaches:
// what is drawn stays a page's worth, the answers on it still count, and the
// lines after it are where they always are.
TEST_F(PageRendererTest, AHugeLineIsLaidOutOnlyAsFarAsThePageReaches) {
  auto repeat = [](std::string_view piece, std::size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += piece;
    return text;
  };
  const std::string huge[] = {
      repeat("あいうえお、", 300000),
      repeat("1/2+x^2-3*a>=b ", 300000),
      repeat("@B12@/@+34@=", 300000),
      repeat("1", 300000),
  };
  sheet.params.kran[0] = "1";
  for (const bool printing : {false, true}) {
    settings.printing = printing;
    settings.surfaceWidth = printing ? 4961 : 0;
    settings.surfaceHeight = printing ? 7016 : 0;
    const int width = printing ? 4961 : sheet.params.paperWidth;
    Render({"問#1#", "あいう#2#"});
    const CanvasCall after = OnlyText("あいう");
    const AnswerBox box = registry.box(2);
    for (const std::string& line : huge) {
      SCOPED_TRACE(line.substr(0, 20) + (printing ? " (printer)" : ""));
      Render({"問" + line + "#1#", "あいう#2#"});
      std::size_t drawnBytes = 0;
      for (const CanvasCall& call : canvas.texts()) {
        drawnBytes += call.text.size();
        EXPECT_LT(call.from.x, width + width / 4) << call.text.substr(0, 20);
      }
      EXPECT_LT(drawnBytes, 20000u);
      ASSERT_EQ(registry.count(), 2);
      EXPECT_EQ(registry.box(1).answerText, "1");
      EXPECT_EQ(OnlyText("あいう").from, after.from);
      EXPECT_EQ(registry.box(2).x, box.x);
      EXPECT_EQ(registry.box(2).y, box.y);
    }
  }
}

}  // namespace
}  // namespace tavolo
