// The desktop program as a teacher feels it: starting on the sample course,
// opening a unit to its first drawn page, one redraw after a spin-box click,
// and the memory ten open sheets take.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QSpinBox>
#include <QTemporaryDir>
#include <fstream>

#include "gui/app/frm_main.h"
#include "gui/app/frm_menu.h"
#include "gui/app/frm_print.h"
#include "gui/app/message_dialogs.h"
#include "gui/app/qsettings_store.h"

namespace tavolo {
namespace {

const std::string kSampleCourse = std::string(TAVOLO_SOURCE_DIR) + "/courses/sample";

// A main window started on the sample course with settings of its own.
struct Desktop {
  QTemporaryDir root;
  QSettingsStore settings{root.path() + "/config"};
  MessageDialogs dialogs;
  std::unique_ptr<TfrmMain> window;

  Desktop() {
    QDir().mkpath(root.path() + "/home");
    WriteSettingBool(settings, "ShowDoYouKnow", false);
    Start();
  }
  void Start() {
    window = std::make_unique<TfrmMain>(settings, dialogs);
    dialogs.SetParent(window.get());
    window->show();
    StartUpPlaces places;
    places.courseFolder = kSampleCourse;
    places.dataFolder = (root.path() + "/data").toStdString();
    places.homeFolder = (root.path() + "/home").toStdString();
    window->StartUp(places);
  }
  // The choice of section s, unit u of lesson 1, as the course menu makes it.
  CourseMenuChoice Choice(int section, int unit) {
    CourseMenu& menu = window->MenuWindow()->Menu();
    if (menu.lesson() != 1) menu.ChooseLesson(1, dialogs);
    menu.ChooseSection(section);
    menu.ChooseUnit(unit);
    return menu.Choose(std::nullopt).value();
  }
};

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void BM_StartUpToMainWindow(benchmark::State& state) {
  Desktop desktop;
  for (auto _ : state) {
    desktop.Start();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_StartUpToMainWindow)->Unit(benchmark::kMillisecond);

void BM_OpenUnitToFirstPage(benchmark::State& state) {
  Desktop desktop;
  const CourseMenuChoice choice = desktop.Choice(3, 1);
  for (auto _ : state) {
    desktop.window->OpenUnit(choice, false);
    benchmark::DoNotOptimize(desktop.window->CurrentSheetWindow()->PageImage());
    state.PauseTiming();
    desktop.window->CloseAllSheets();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenUnitToFirstPage)->Unit(benchmark::kMillisecond);

void BM_RedrawAfterSpinChange(benchmark::State& state) {
  Desktop desktop;
  desktop.window->OpenUnit(desktop.Choice(3, 1), false);
  auto* spin = desktop.window->findChild<QSpinBox*>("spnGyouSpace");
  int value = spin->value();
  for (auto _ : state) {
    spin->setValue(value ^= 1);  // one click up or down: one redraw of the whole page
    benchmark::DoNotOptimize(desktop.window->CurrentSheetWindow()->PageImage());
  }
}
BENCHMARK(BM_RedrawAfterSpinChange)->Unit(benchmark::kMillisecond);

void BM_TenSheetsResidentMemory(benchmark::State& state) {
  for (auto _ : state) {
    Desktop desktop;
    const long before = ResidentKiB();
    int opened = 0;
    for (int section = 1; section <= 5 && opened < 10; ++section)
      for (int unit = 1; unit <= 2 && opened < 10; ++unit)
        if (desktop.window->OpenUnit(desktop.Choice(section, unit), false) == OpenResult::Opened)
          ++opened;
    QCoreApplication::processEvents();
    state.counters["sheets"] = opened;
    state.counters["resident_MiB"] = static_cast<double>(ResidentKiB()) / 1024.0;
    state.counters["sheets_MiB"] = static_cast<double>(ResidentKiB() - before) / 1024.0;
    desktop.window->CloseAllSheets();
  }
}
BENCHMARK(BM_TenSheetsResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
