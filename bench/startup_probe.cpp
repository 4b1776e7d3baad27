// Starts the desktop program as `tavolo COURSE` does, loading the program's Qt
// part and calling it, and ends the process the moment its main window is exposed, printing the
// process's CPU time and the wall time since the process began, in milliseconds. The start-up
// benchmark runs it as a fresh process every time, so nothing is warm.
//
// Run with HOME and XDG_CONFIG_HOME pointing at a scratch folder: the program
// reads and writes its settings there.

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <vector>

#include "launcher/qt_part.h"

namespace {

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

double ProcessStartSeconds() {
  // Field 22 of /proc/self/stat: the start time in clock ticks since boot.
  FILE* stat = std::fopen("/proc/self/stat", "r");
  if (stat == nullptr) return 0;
  char buffer[1024] = {};
  const size_t n = std::fread(buffer, 1, sizeof buffer - 1, stat);
  std::fclose(stat);
  const char* p = buffer;
  for (size_t i = 0; i < n; ++i)
    if (buffer[i] == ')') p = buffer + i;  // the name may hold spaces
  unsigned long long start = 0;
  int field = 2;
  for (const char* c = p + 1; *c != '\0' && field < 22; ++c)
    if (*c == ' ' && ++field == 22) start = std::strtoull(c + 1, nullptr, 10);
  return static_cast<double>(start) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

class MainWindowExposed : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Expose) return false;
    auto* window = qobject_cast<QWindow*>(watched);
    if (window == nullptr || !window->isExposed()) return false;
    const QWidget* widget = QWidget::find(window->winId());
    if (widget == nullptr || widget->objectName() != QStringLiteral("frmMain")) return false;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double wall = static_cast<double>(boot.tv_sec) +
                        static_cast<double>(boot.tv_nsec) * 1e-9 - ProcessStartSeconds();
    std::printf("%.3f %.3f\n", (Seconds(usage.ru_utime) + Seconds(usage.ru_stime)) * 1e3,
                wall * 1e3);
    std::fflush(stdout);
    _exit(0);
  }
};

// Called from QApplication's constructor, inside the Qt part.
void WatchForTheMainWindow() {
  static MainWindowExposed watch;
  QCoreApplication::instance()->installEventFilter(&watch);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tavolo_startup_probe COURSE\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const auto qtMain = tavolo::LoadQtPart(TAVOLO_PROGRAM_DIR);
  if (!qtMain) {
    std::fprintf(stderr, "%s\n", qtMain.message().c_str());
    return 1;
  }
  qAddPreRoutine(WatchForTheMainWindow);
  std::vector<char*> arguments = {argv[0], argv[1], nullptr};
  int count = 2;
  qtMain.value()(count, arguments.data());
  std::fprintf(stderr, "the main window was never exposed\n");
  return 1;
}
