#pragma once
#include <string>

class QApplication;

namespace tavolo {

// Starts the desktop program on a course folder and runs it until the main
// window closes. Returns the process exit status.
int RunDesktopProgram(QApplication& app, const std::string& courseFolder);

}  // namespace tavolo
