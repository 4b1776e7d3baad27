// `tavolo records` as a teacher runs it over a class of 40 learners with 26
// units of 50 runs each: reading every file and writing the JSON or CSV.

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

#include "class_records_course.h"
#include "cli/cli.h"

namespace tavolo {
namespace {

// Counts what is written and keeps nothing.
class CountingBuffer final : public std::streambuf {
 public:
  std::size_t count = 0;

 protected:
  int_type overflow(int_type c) override {
    ++count;
    return c;
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    count += static_cast<std::size_t>(n);
    return n;
  }
};

void RecordsCommand(benchmark::State& state, const char* format) {
  const bench::ClassRecordsCourse course;
  for (auto _ : state) {
    CountingBuffer buffer;
    std::ostream out(&buffer), err(&buffer);
    if (RunCli({"records", course.folder(), format}, out, err) != 0)
      state.SkipWithError("records failed");
    state.counters["bytes"] = static_cast<double>(buffer.count);
  }
}
BENCHMARK_CAPTURE(RecordsCommand, json, "--json")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RecordsCommand, csv, "--csv")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
