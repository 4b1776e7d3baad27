// tavolo-qt.so: the desktop program. The program `tavolo` loads it when
// started with no arguments or a course folder; the commands that draw have a
// part of their own, tavolo-draw.so (launcher/qt_part.h).

#include <QApplication>
#include <QDir>
#include <filesystem>
#include <string>

#include "app/locations.h"
#include "gui/app/desktop_program.h"

extern "C" __attribute__((visibility("default"))) int TavoloQtMain(int argc, char** argv) {
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
