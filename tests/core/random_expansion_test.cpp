// A variant's values in the lines of a unit: placeholders, formats, show(),
// computed answers with every form judging should accept, padding of model
// answers to the widest variant, and lines that must stay as they are.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "random/expansion.h"
#include "sheet/markup_text.h"

namespace tavolo {
namespace {

TEST(RandomExpansion, LinesOfOneVariant) {
  std::vector<RandomBlockError> errors;
  const auto block = RandomBlock::Read({"a = pick(-3)", "b = pick(4)", "h = pick(0.5)",
                                        "t = pick(\"北\")", "q = pick(7)", "a_b = pick(12)"},
                                       1, errors);
  ASSERT_TRUE(block.has_value());
  const Variants variants(*block);
  const VariantValues variant = variants.Variant(1);
  ASSERT_TRUE(variant.Ok());
  struct Case {
    const char* name;
    const char* line;
    const char* expanded;  // nullptr: an error
  };
  const Case cases[] = {
      {"names end where a name cannot go on", "$a+$b。$t$a_b", "-3+4。北12"},
      {"formats", "${b:sp}${a:p}=${b+a:s}", "(+4)(-3)=+1"},
      {"full width", "${a:zen}と${t:zen}", "－３と北"},
      {"show", "(1) ${show(b + a * b)}", "(1) 4+(-3)*4"},
      {"show in full width", "${show(b + a):zen}", "４＋（－３）"},
      {"a dollar before no name stays", "$5 と $ と $A", "$5 と $ と $A"},
      {"a line without placeholders stays", "A#7;+7#B", "A#7;+7#B"},
      {"computed integer", "(1) ${show(b+a)}=#=b+a#", "(1) 4+(-3)=#1;+1#"},
      {"computed negative fraction", "#=a/2#", "#-3/2;-1.5;-1&1/2#"},
      {"computed positive fraction", "#=b/6#", "#2/3;+2/3#"},
      {"computed with a format", "#=h:s#", "#+0.5;0.5;+1/2;1/2#"},
      {"computed mixed", "#= a/2 :mixed#", "#-1&1/2;-1.5;-3/2#"},
      {"blanks around a computed answer stay around its model", "=# =b+a:s #", "=# +1 ;1#"},
      {"computed text", "#=if(isprime(q), \"素数\", \"素数でない\")#", "#素数#"},
      {"literal answer with placeholders", "#${a+b};${a+b:s}#", "#1;+1#"},
      {"two answers", "#=a# と #=b#", "#-3# と #4;+4#"},
      {"unknown name", "$c", nullptr},
      {"unknown name in braces", "${c + 1}", nullptr},
      {"division by zero", "${b / (a + 3)}", nullptr},
      {"dec of a third", "${1/3:dec}", nullptr},
      {"a sign on a text", "${t:s}", nullptr},
      {"a condition", "${a < b}", nullptr},
      {"unclosed braces", "${a", nullptr},
      {"a bad format", "#=a:x#", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ExpandedText expanded = ExpandQuestionLine(*block, variant.values, c.line);
    if (c.expanded) {
      EXPECT_TRUE(expanded.Ok()) << expanded.error;
      EXPECT_EQ(expanded.text, c.expanded);
    } else {
      EXPECT_FALSE(expanded.Ok());
    }
  }
  // The values of a variant that could not be drawn fill nothing.
  EXPECT_FALSE(ExpandQuestionLine(*block, {}, "$a=#=a#").Ok());
  // Choice, hint and dummy lines have no answers: a "#" there is text.
  EXPECT_EQ(ExpandPlaceholders(*block, variant.values, "#=a# $a").text, "#=a# -3");
}

TEST(RandomExpansion, ModelAnswersArePaddedToTheWidestVariant) {
  std::vector<RandomBlockError> errors;
  const auto block = RandomBlock::Read({"a = int(-20..20)", "b = int(1..9)"}, 1, errors);
  ASSERT_TRUE(block.has_value());
  const Variants variants(*block);
  const std::string line = "$a+$b=#=a+b# #7# #=if(a < 0, \"負\", \"正\")#";
  const std::vector<std::size_t> widths = ModelAnswerWidths(*block, variants, line);
  EXPECT_EQ(widths, (std::vector<std::size_t>{3, 0, 2}));
  EXPECT_EQ(ModelAnswerWidths(*block, variants, std::vector<std::string>{line, "$a", "#=b*100#"}),
            (std::vector<std::vector<std::size_t>>{{3, 0, 2}, {}, {3}}));
  for (std::int64_t n = 1; n <= 50; ++n) {
    const VariantValues v = variants.Variant(n);
    const ExpandedText expanded = ExpandQuestionLine(*block, v.values, line, widths);
    ASSERT_TRUE(expanded.Ok());
    const std::vector<std::string> pieces = SplitAnswerMarks(expanded.text);
    ASSERT_EQ(pieces.size(), 7u);
    const std::string model = SplitAlternatives(pieces[1]).front();
    EXPECT_EQ(model.size(), 3u) << expanded.text;
    EXPECT_EQ(std::stoll(model), v.values[0].number.num + v.values[1].number.num);
    EXPECT_EQ(pieces[3], "7");
  }
}

}  // namespace
}  // namespace tavolo
