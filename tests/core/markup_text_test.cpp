// Splitting question lines, trimming, padding and shuffling answers.

#include "sheet/markup_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace tavolo {
namespace {

using Pieces = std::vector<std::string>;

TEST(MarkupTextTest, SplitMarkup) {
  const std::pair<const char*, Pieces> cases[] = {
      {"", {}},
      {"abc", {"abc"}},
      {"x@Byz@/w", {"x", "B", "yz", "/", "w"}},
      {"@+", {"", "+", ""}},
      {"a@", {"a", "", ""}},
      {"@@a", {"", "@", "a"}},
      {"@あい", {"", "あ", "い"}},
      {"1@+2@-3", {"1", "+", "2", "-", "3"}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(SplitMarkup(text), expected) << text;
}

TEST(MarkupTextTest, SplitAnswerMarks) {
  const std::tuple<const char*, Pieces, std::size_t> cases[] = {
      {"(1) 3+4=#7#", {"(1) 3+4=", "7", ""}, 2},
      {"no marks", {"no marks"}, 0},
      {"", {}, 0},
      {"#", {"", ""}, 1},
      {"A#1;2#B#3#", {"A", "1;2", "B", "3", ""}, 4},
      {"（１）#-3#と#５#", {"（１）", "-3", "と", "５", ""}, 4},
  };
  for (const auto& [line, expected, marks] : cases) {
    auto pieces = SplitAnswerMarks(line);
    EXPECT_EQ(pieces, expected) << line;
    EXPECT_EQ(AnswerMarkCount(pieces), marks) << line;
  }
}

TEST(MarkupTextTest, SplitAlternatives) {
  const std::pair<const char*, Pieces> cases[] = {
      {"1/2;0.5", {"1/2", "0.5"}}, {"7", {"7"}}, {"", {""}}, {";", {"", ""}},
      {"a;;b", {"a", "", "b"}},
  };
  for (const auto& [answer, expected] : cases)
    EXPECT_EQ(SplitAlternatives(answer), expected) << answer;
}

TEST(MarkupTextTest, TrimWideSpaces) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},         {"  abc\t\r\n", "abc"}, {"　　答え　", "答え"},
      {" 　x　 ", "x"}, {"　 a", " a"},  // blanks inside the full-width ones stay
      {"　", ""},       {"a　b", "a　b"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(TrimWideSpaces(text), expected) << text;
}

TEST(MarkupTextTest, PadToAnswerWidth) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"5", "-12", " 5 "},
      {"", "-12", "   "},
      {"123", "-12", "123"},
      {"1234", "-12", "1234"},
      {"5", "あい", " 5  "},  // the model counts 4 bytes
      {"あ", "12345", " あ  "},
      {"", "", ""},
      {"", "12345678901234567890", "            "},  // never more than 12 blanks
      {"7", "12345678901234567890", " 7            "},
  };
  for (const auto& [shown, model, expected] : cases)
    EXPECT_EQ(PadToAnswerWidth(shown, model), expected) << shown << " / " << model;
}

TEST(MarkupTextTest, ShuffleSwapsEachEntryWithTheDrawnOne) {
  Pieces items = {"a", "b", "c"};
  std::deque<std::size_t> picks = {2, 2, 0};
  std::vector<std::size_t> bounds;
  ShuffleItems(items, [&](std::size_t bound) {
    bounds.push_back(bound);
    std::size_t j = picks.front();
    picks.pop_front();
    return j;
  });
  EXPECT_EQ(items, (Pieces{"b", "a", "c"}));
  EXPECT_EQ(bounds, (std::vector<std::size_t>{3, 3, 3}));
}

TEST(MarkupTextTest, ShuffleLeavesShortListsAloneAndSurvivesBadSources) {
  Pieces one = {"a"};
  bool called = false;
  ShuffleItems(one, [&](std::size_t) {
    called = true;
    return std::size_t{0};
  });
  EXPECT_EQ(one, Pieces{"a"});
  EXPECT_FALSE(called);

  Pieces items = {"a", "b"};
  ShuffleItems(items, [](std::size_t) { return std::size_t{7}; });  // out of range
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items, (Pieces{"a", "b"}));
}

TEST(MarkupTextTest, SeededShuffleIsRepeatableAndAPermutation) {
  Pieces original;
  for (int i = 0; i < 20; ++i) original.push_back(std::to_string(i));
  Pieces first = original, second = original;
  ShuffleItems(first, RepeatableRandomIndex(42));
  ShuffleItems(second, RepeatableRandomIndex(42));
  EXPECT_EQ(first, second);
  EXPECT_NE(first, original);
  std::sort(first.begin(), first.end());
  Pieces sorted = original;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(first, sorted);
}

}  // namespace
}  // namespace tavolo
