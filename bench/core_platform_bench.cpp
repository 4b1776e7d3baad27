// Platform layer speed: CP932 decoding and encoding of a 5 MB course-like
// file (also one full of characters with a second code), and reading one
// value from a large learner record file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/cp932.h"
#include "platform/ini_file.h"

namespace {

std::string JapaneseText(std::size_t bytes) {
  const std::string sample = tavolo::EncodeCp932(
      "次の計算をしなさい。 (-3)+(+5)=#2# 正の数と負の数 絶対値は #7;+7# です。\r\n"
      "ｱｲｳ 数直線上で原点からの距離を考えよう。 3/4 x^2 ≧ ＞ ＜\r\n");
  std::string text;
  text.reserve(bytes + sample.size());
  while (text.size() < bytes) text += sample;
  return text;
}

void BM_DecodeCp932(benchmark::State& state) {
  const std::string bytes = JapaneseText(5 * 1000 * 1000);
  for (auto _ : state) benchmark::DoNotOptimize(tavolo::DecodeCp932(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeCp932)->Unit(benchmark::kMillisecond);

// Maths symbols and extension kanji written with their less usual codes
// (NEC row 13, NEC-selected IBM extensions), as files from older editors
// have them: every one decodes with a code-variant tag.
std::string DuplicateCodeText(std::size_t bytes) {
  const std::string sample =
      "(1) \x87\x90 \x87\x95 \x87\x97 \x87\x9a \xed\x40 \xee\xef \xfa\x4a \xee\xf9 "
      "\x90\xb3\x82\xcc\x90\x94 #\x87\x95"
      "3#\r\n";
  std::string text;
  text.reserve(bytes + sample.size());
  while (text.size() < bytes) text += sample;
  return text;
}

void BM_DecodeCp932DuplicateCodes(benchmark::State& state) {
  const std::string bytes = DuplicateCodeText(5 * 1000 * 1000);
  for (auto _ : state) benchmark::DoNotOptimize(tavolo::DecodeCp932(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeCp932DuplicateCodes)->Unit(benchmark::kMillisecond);

void BM_EncodeCp932DuplicateCodes(benchmark::State& state) {
  const std::string text = tavolo::DecodeCp932(DuplicateCodeText(5 * 1000 * 1000));
  for (auto _ : state) benchmark::DoNotOptimize(tavolo::EncodeCp932(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tavolo::SjisLength(text)));
}
BENCHMARK(BM_EncodeCp932DuplicateCodes)->Unit(benchmark::kMillisecond);

void BM_EncodeCp932(benchmark::State& state) {
  const std::string text = tavolo::DecodeCp932(JapaneseText(5 * 1000 * 1000));
  for (auto _ : state) benchmark::DoNotOptimize(tavolo::EncodeCp932(text));
  // Throughput in bytes of the CP932 file produced, comparable with decoding.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tavolo::SjisLength(text)));
}
BENCHMARK(BM_EncodeCp932)->Unit(benchmark::kMillisecond);

// 2,000 unit sections of 50 runs each, as a very busy learner's record file.
class RecordFile : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    path = std::filesystem::temp_directory_path() / "tavolo-bench-record.ini";
    std::string text = "[password]\r\npw=abc\r\n";
    for (int s = 1; s <= 2000; ++s) {
      text += "[S" + std::to_string(s) + "正の数と負の数]\r\n";
      for (int k = 1; k <= 50; ++k)
        text += std::to_string(k) + "=2024年05月03日 14:05 [0010]  3/ 4  75点 02:15\r\n";
    }
    std::ofstream(path, std::ios::binary) << tavolo::EncodeCp932(text);
  }
  void TearDown(const benchmark::State&) override { std::filesystem::remove(path); }
  std::filesystem::path path;
};

BENCHMARK_F(RecordFile, ReadValueOfLastSection)(benchmark::State& state) {
  tavolo::IniFile file(path);
  for (auto _ : state) benchmark::DoNotOptimize(file.ReadValue("S2000正の数と負の数", "50", "?"));
}
BENCHMARK_REGISTER_F(RecordFile, ReadValueOfLastSection)->Unit(benchmark::kMicrosecond);

}  // namespace
