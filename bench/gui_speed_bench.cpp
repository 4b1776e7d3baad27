// What a teacher waits for: one more numbered copy of a class set, the first
// page of a print command and its peak memory, `tavolo help`, and the main
// window appearing.
// The command figures are whole processes of the built program, timed by the
// CPU time the kernel charged to them, as a shell would feel them.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "draw/sheet_print.h"
#include "gui_bench_pdf.h"
#include "render_bench_sheet.h"

namespace tavolo {
namespace {

const std::string kSampleCourse = std::string(TAVOLO_SOURCE_DIR) + "/courses/sample";

// The built program, or another build of it named by an environment variable
// (to compare two builds run by run).
std::string ProgramPath(const char* variable, const char* built) {
  const char* other = std::getenv(variable);
  return other != nullptr && *other != '\0' ? other : built;
}

// What a finished run of the program cost: the user and system CPU time the
// kernel charged to it and its peak resident memory.
struct ProcessCost {
  double cpuSeconds = -1;  // negative when it failed
  double peakMiB = 0;
};

// Runs the program with arguments, its output thrown away. posix_spawn, not
// fork: a forked child of this large process would be charged for throwing
// away its copy of the benchmark's memory when it execs, which a shell's
// child never pays.
ProcessCost RunOnce(const std::vector<std::string>& arguments) {
  static std::string program = ProgramPath("TAVOLO_BENCH_PROGRAM", TAVOLO_PROGRAM);
  std::vector<std::string> words = {program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = {"TAVOLO_NOW=2026-12-08T09:30:00"};
  for (char** e = environ; *e != nullptr; ++e)
    if (std::string_view(*e).rfind("TAVOLO_NOW=", 0) != 0) environment.emplace_back(*e);
  std::vector<char*> envp;
  for (std::string& variable : environment) envp.push_back(variable.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = -1;
  const int spawned =
      posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  if (spawned != 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
    return {};
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  return {seconds(usage.ru_utime) + seconds(usage.ru_stime),
          static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void RunProcess(benchmark::State& state, const std::vector<std::string>& arguments) {
  double peak = 0;
  for (auto _ : state) {
    const ProcessCost cost = RunOnce(arguments);
    if (cost.cpuSeconds < 0) {
      state.SkipWithError("the program failed");
      return;
    }
    state.SetIterationTime(cost.cpuSeconds);
    peak = std::max(peak, cost.peakMiB);
  }
  state.counters["peak_MiB"] = peak;
}

void BM_ProcessHelp(benchmark::State& state) { RunProcess(state, {"help"}); }
BENCHMARK(BM_ProcessHelp)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

void BM_ProcessList(benchmark::State& state) { RunProcess(state, {"list", kSampleCourse}); }
BENCHMARK(BM_ProcessList)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

// The units a class set is printed of: the 12-box unit of the figures we
// compare with (each copy the same questions), and a unit with random data
// (each copy its own numbers, laid out anew).
const char* const kPrintedUnits[] = {"2.2.1", "1.7.10"};

std::vector<std::string> PrintCommand(const std::string& pdf, int unit, int copies) {
  return {"print", kSampleCourse, kPrintedUnits[unit],   "--pdf",
          pdf,     "--copies",    std::to_string(copies)};
}

// The first page: a whole print command for one copy; with 30 copies, the
// 29 further copies on top.
void BM_ProcessPrintCopies(benchmark::State& state) {
  QTemporaryDir folder;
  const std::string pdf = (folder.path() + "/class.pdf").toStdString();
  state.SetLabel(kPrintedUnits[state.range(0)]);
  RunProcess(state,
             PrintCommand(pdf, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
}
BENCHMARK(BM_ProcessPrintCopies)
    ->ArgNames({"unit", "copies"})
    ->Args({0, 1})
    ->Args({0, 30})
    ->Args({1, 1})
    ->Args({1, 30})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

// Each further copy of a class set, whole processes: a 30-copy print less a
// one-copy print of the same unit, run back to back, over the 29 copies.
void BM_ProcessFurtherCopy(benchmark::State& state) {
  QTemporaryDir folder;
  const std::string pdf = (folder.path() + "/class.pdf").toStdString();
  const int unit = static_cast<int>(state.range(0));
  state.SetLabel(kPrintedUnits[unit]);
  for (auto _ : state) {
    const ProcessCost one = RunOnce(PrintCommand(pdf, unit, 1));
    const ProcessCost thirty = RunOnce(PrintCommand(pdf, unit, 30));
    if (one.cpuSeconds < 0 || thirty.cpuSeconds < 0) {
      state.SkipWithError("the program failed");
      return;
    }
    state.SetIterationTime(std::max(0.0, (thirty.cpuSeconds - one.cpuSeconds) / 29));
  }
}
// The measured time is a small difference of two processes: a fixed count,
// or the benchmark would run thousands of them to fill its minimum time.
BENCHMARK(BM_ProcessFurtherCopy)
    ->ArgName("unit")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

// One further numbered copy of a job already under way: the page drawn again
// with its new number into the same PDF.
void BM_PrintFurtherCopy(benchmark::State& state) {
  bench::BenchSheet sheet = bench::MakeBenchSheet();
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  const PageSettings settings = bench::BenchSettings();
  bench::RenderScreenForPrinting(renderer, sheet, settings);
  bench::PdfBytes([&](QPdfWriter& pdf) {
    PagedDevicePrintTarget target(pdf, renderer, sheet.page(), settings, false);
    PrintSettings print;
    int number = 0;
    // The first copy pays for the fonts; it is not what is measured.
    target.BeginDocument(1);
    target.PrintPage(print);
    target.EndDocument();
    for (auto _ : state) {
      print.startNumber = ++number;
      target.BeginDocument(1);
      target.PrintPage(print);
      target.EndDocument();
    }
    static_cast<void>(target.EndJob());
  });
}
BENCHMARK(BM_PrintFurtherCopy)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// A fresh desktop program on the sample course, from exec until its main
// window is exposed (the probe stops its own clock in the expose event). The
// time is the process's CPU time; "wall_ms" is the wall clock, which also
// counts the other programs sharing the machine.
void BM_StartUpToMainWindowExposed(benchmark::State& state) {
  QTemporaryDir home;
  double wallTotal = 0;
  for (auto _ : state) {
    int out[2];
    if (pipe(out) != 0) {
      state.SkipWithError("no pipe");
      return;
    }
    const pid_t child = fork();
    if (child == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      const QByteArray folder = home.path().toLocal8Bit();
      ::setenv("HOME", folder.constData(), 1);
      ::setenv("XDG_CONFIG_HOME", (folder + "/config").constData(), 1);
      ::setenv("XDG_DATA_HOME", (folder + "/data").constData(), 1);
      const std::string probe = ProgramPath("TAVOLO_BENCH_PROBE", TAVOLO_STARTUP_PROBE);
      ::setenv("XDG_RUNTIME_DIR", (folder + "/runtime").constData(), 1);
      if (freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
      execl(probe.c_str(), probe.c_str(), kSampleCourse.c_str(), nullptr);
      _exit(127);
    }
    close(out[1]);
    char text[128] = {};
    const ssize_t n = read(out[0], text, sizeof text - 1);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    double cpuMs = 0, wallMs = 0;
    if (n <= 0 || std::sscanf(text, "%lf %lf", &cpuMs, &wallMs) != 2) {
      state.SkipWithError("the probe did not report");
      return;
    }
    state.SetIterationTime(cpuMs / 1e3);
    wallTotal += wallMs;
  }
  state.counters["wall_ms"] = wallTotal / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StartUpToMainWindowExposed)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace tavolo
