// tavolo-draw.so: the part of the program that draws for the commands
// (`tavolo render ...`, `tavolo print ...`); see launcher/qt_part.h. It links
// Qt Gui alone: drawing needs fonts, images and PDF files, never widgets.

#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cerrno>
#include <iostream>
#include <string>
#include <vector>

#include "cli/drawing_commands.h"

extern "C" __attribute__((visibility("default"))) int TavoloQtMain(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::vector<std::string> args(argv + 1, argv + argc);
  // Commands run over SSH, in CI and in cron jobs: never ask for a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Such sessions often have no runtime folder; Qt would use its own
  // fallback anyway, but warns about it on every run.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QByteArray runtime = "/tmp/runtime-" + QByteArray::number(::getuid());
    if (::mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST)
      qputenv("XDG_RUNTIME_DIR", runtime);
  }
  QGuiApplication app(argc, argv);
  return tavolo::RunCliWithDrawing(args, std::cout, std::cerr);
}
