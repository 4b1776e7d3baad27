// Printing takes its boxes from the screen page's layout, laid out without
// drawing. For every unit of the sample course, answers shown and hidden, and
// for other variants of the random units, that layout must leave exactly what
// drawing the screen page leaves: the same boxes and the same page layout.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/prepared_sheet.h"
#include "cli_run.h"

namespace tavolo {
namespace {

const std::string kCourse = std::string(TAVOLO_SOURCE_DIR) + "/courses/sample";

// Everything a registering render leaves behind, one line per box, then the layout.
std::string Left(const AnswerBoxRegistry& registry, const PageLayout& layout) {
  std::ostringstream out;
  for (int n = 1; n <= registry.count(); ++n) {
    const AnswerBox& box = registry.box(n);
    out << n << ": " << box.x << "," << box.y << " w" << box.width << " pt" << box.fontSize
        << (box.answerShown ? " shown " : " ") << box.answerText << "\n";
  }
  const auto points = [&out](const std::vector<Point>& list) {
    for (const Point& p : list) out << " " << p.x << "," << p.y;
  };
  const auto rect = [&out](const Rect& r) {
    out << " [" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "]";
  };
  out << "xs";
  for (int x : layout.answerXs) out << " " << x;
  out << "\nanswers";
  for (const std::string& answer : layout.answers) out << " |" << answer;
  out << "\nscore " << layout.scorePosition.x << "," << layout.scorePosition.y << " flag";
  rect(layout.classFlag);
  out << "\nfigures";
  for (const Rect& figure : layout.figures) rect(figure);
  out << "\nsegments";
  points(layout.segmentStarts);
  out << "\nbottom " << layout.questionsBottom << "\n";
  return out.str();
}

// What the registering screen pass leaves: drawn, or only laid out.
std::string After(const std::string& address, bool answers, int variant, bool drawn) {
  std::ostringstream problems;
  auto sheet = PrepareSheet({kCourse, address}, answers, nullptr, problems, variant);
  if (!sheet) return "cannot prepare: " + sheet.message();
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  if (drawn) {
    RenderScreenPage(sheet.value(), renderer, CommandPageSettings(sheet.value()));
  } else {
    RegisterScreenBoxes(sheet.value(), renderer, CommandPageSettings(sheet.value()));
  }
  return Left(registry, sheet->layout);
}

TEST(ScreenLayout, LaidOutWithoutDrawingItLeavesWhatTheScreenPageLeaves) {
  std::istringstream lines(test::Cli({"list", kCourse}).out);
  int units = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string address;
    words >> address;
    if (std::count(address.begin(), address.end(), '.') != 2) continue;
    ++units;
    // Section 1.7's units draw new numbers for every sheet number.
    const bool random = address.rfind("1.7.", 0) == 0;
    for (const int variant : random ? std::vector<int>{1, 2, 17} : std::vector<int>{0}) {
      for (const bool answers : {true, false}) {
        SCOPED_TRACE(address + " variant " + std::to_string(variant) + (answers ? " answers" : ""));
        const std::string drawn = After(address, answers, variant, true);
        EXPECT_NE(drawn.find("1: "), std::string::npos) << drawn;  // boxes were registered
        EXPECT_EQ(After(address, answers, variant, false), drawn);
      }
    }
  }
  EXPECT_GE(units, 40);
}

}  // namespace
}  // namespace tavolo
