// Questions with random data: one variant of a 20-question unit expanded (as a
// sheet is composed for each numbered copy), and the enumeration of a block
// of 100,000 combinations (as a unit with such a block is opened).

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "random/expansion.h"

namespace {

using namespace tavolo;

const std::vector<std::string> kBlock{"a = int(-20..20) except 0",
                                      "b = int(-20..20) except 0, -a",
                                      "c, d = int(2..9)",
                                      "x = dec(-5..5 step 0.5) except 0",
                                      "s = a + b",
                                      "require a * b < 0 or abs(a) > 5"};

std::vector<std::string> TwentyQuestions() {
  std::vector<std::string> lines;
  for (int i = 1; i <= 20; ++i) {
    switch (i % 4) {
      case 0:
        lines.push_back("(" + std::to_string(i) + ") ${show(a + b)}=#=a+b#");
        break;
      case 1:
        lines.push_back("(" + std::to_string(i) + ") $a*${b:p}=#=a*b#");
        break;
      case 2:
        lines.push_back("(" + std::to_string(i) + ") ${show(-c^2 + x)}=#=-c^2+x#");
        break;
      default:
        lines.push_back("(" + std::to_string(i) + ") ${a:p}/$d=#=a/d#");
        break;
    }
  }
  return lines;
}

void BM_RandomExpandTwentyQuestions(benchmark::State& state) {
  std::vector<RandomBlockError> errors;
  const auto block = RandomBlock::Read(kBlock, 1, errors);
  const Variants variants(*block);
  const std::vector<std::string> lines = TwentyQuestions();
  std::vector<std::vector<std::size_t>> widths;
  for (const auto& line : lines) widths.push_back(ModelAnswerWidths(*block, variants, line));
  std::int64_t n = 1;
  for (auto _ : state) {
    const VariantValues values = variants.Variant(n++);
    for (std::size_t i = 0; i < lines.size(); ++i)
      benchmark::DoNotOptimize(ExpandQuestionLine(*block, values.values, lines[i], widths[i]));
  }
}
BENCHMARK(BM_RandomExpandTwentyQuestions)->Unit(benchmark::kMicrosecond);

void BM_RandomEnumerateHundredThousand(benchmark::State& state) {
  std::vector<RandomBlockError> errors;
  const auto block = RandomBlock::Read(
      {"a = int(1..100)", "b = int(-500..499) except 0", "require a + b != 0"}, 1, errors);
  for (auto _ : state) {
    const Variants variants(*block);
    benchmark::DoNotOptimize(variants.Count());
  }
}
BENCHMARK(BM_RandomEnumerateHundredThousand)->Unit(benchmark::kMillisecond);

// The widest model answer of each of 20 questions over 100,000 enumerated
// variants, as a unit is opened.
void BM_RandomModelWidthsHundredThousand(benchmark::State& state) {
  std::vector<RandomBlockError> errors;
  const auto block = RandomBlock::Read({"a = int(1..100)", "b = int(-500..499) except 0",
                                        "c = pick(2)", "d = pick(3)", "x = pick(0.5)"},
                                       1, errors);
  const Variants variants(*block);
  const std::vector<std::string> lines = TwentyQuestions();
  for (auto _ : state) benchmark::DoNotOptimize(ModelAnswerWidths(*block, variants, lines));
}
BENCHMARK(BM_RandomModelWidthsHundredThousand)->Unit(benchmark::kMillisecond);

}  // namespace
