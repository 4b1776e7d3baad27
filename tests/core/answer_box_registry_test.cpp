#include "sheet/answer_box_registry.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace tavolo {
namespace {

TEST(AnswerBoxRegistryTest, RegistersInOrderAndKeepsStatusesAcrossPages) {
  AnswerBoxRegistry registry;
  registry.BeginPage();
  EXPECT_EQ(registry.Register(100, 98, "7", 12), 1);
  EXPECT_EQ(registry.Register(200, 98, "1/2;0.5", 12), 2);
  registry.SetWidth(2, 30);
  EXPECT_EQ(registry.count(), 2);
  EXPECT_EQ(registry.box(2).answerText, "1/2;0.5");
  EXPECT_EQ(registry.box(2).width, 30);

  // Grading writes statuses; a redraw rewrites geometry but not the judging state.
  registry.box(1).status = AnswerStatus::Correct;
  registry.box(2).status = AnswerStatus::CorrectAfterShown;
  registry.box(2).answerShown = true;
  registry.box(2).tries = 3;
  registry.BeginPage();
  EXPECT_EQ(registry.count(), 0);
  EXPECT_EQ(registry.Register(110, 99, "8", 14), 1);
  EXPECT_EQ(registry.Register(210, 99, "9", 14), 2);
  EXPECT_EQ(registry.box(1).status, AnswerStatus::Correct);
  EXPECT_EQ(registry.box(1).x, 110);
  EXPECT_EQ(registry.box(1).answerText, "8");
  EXPECT_EQ(registry.box(2).status, AnswerStatus::CorrectAfterShown);
  EXPECT_TRUE(registry.box(2).answerShown);
  EXPECT_EQ(registry.box(2).tries, 3);
  EXPECT_EQ(registry.box(2).width, 0);  // until the renderer measures the new answer

  registry.ResetStatuses();
  for (int n = 1; n <= AnswerBoxRegistry::kMaxBoxes; ++n)
    EXPECT_EQ(registry.box(n).status, AnswerStatus::NotJudged);
}

TEST(AnswerBoxRegistryTest, StopsAtEightyBoxes) {
  AnswerBoxRegistry registry;
  registry.BeginPage();
  for (int n = 1; n <= 80; ++n) EXPECT_EQ(registry.Register(n, n, std::to_string(n), 12), n);
  EXPECT_TRUE(registry.full());
  EXPECT_EQ(registry.Register(81, 81, "81", 12), 0);
  EXPECT_EQ(registry.count(), 80);
  EXPECT_EQ(registry.box(80).answerText, "80");
  EXPECT_THROW(registry.box(0), std::out_of_range);
  EXPECT_THROW(registry.box(81), std::out_of_range);
}

}  // namespace
}  // namespace tavolo
