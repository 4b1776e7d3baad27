// tavolo-qt.so: the part of the program that uses Qt. The program `tavolo`
// loads it for the desktop program (no arguments or a course folder) and for
// the commands that draw (`tavolo render ...`); see app/qt_part.h.

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/locations.h"
#include "cli/cli.h"
#include "cli/drawing_commands.h"
#include "gui/app/desktop_program.h"

extern "C" __attribute__((visibility("default"))) int TavoloQtMain(int argc, char** argv) {
  if (argc >= 2 && tavolo::IsCliCommand(argv[1])) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Commands run over SSH, in CI and in cron jobs: never ask for a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Such sessions often have no runtime folder; Qt would use its own
    // fallback anyway, but warns about it on every run.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
      const QByteArray runtime = "/tmp/runtime-" + QByteArray::number(::getuid());
      if (::mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST)
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
    // Drawing needs fonts and images, not widgets.
    QGuiApplication app(argc, argv);
    return tavolo::RunCliWithDrawing(args, std::cout, std::cerr);
  }

  QApplication app(argc, argv);
  std::string courseFolder;
  if (argc >= 2) {
    courseFolder = argv[1];
  } else {
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    if (auto sample = tavolo::FindSampleCourse(exeDir)) {
      courseFolder = sample->string();
    } else {
      // Started elsewhere without a course: the course folder is the current
      // directory, as when the program is launched from inside a course.
      courseFolder = QDir::currentPath().toStdString();
    }
  }
  return tavolo::RunDesktopProgram(app, courseFolder);
}
