#pragma once
#include <string>

#include "app/locations.h"

class QApplication;

namespace tavolo {

// Qt's own dialogs (file, print, colour) speak Japanese like the rest of the
// program, whatever the session's language. False when Qt's translations are
// not installed; the dialogs then stay in English.
bool InstallQtTranslations();

// Starts the desktop program on a course folder and runs it until the main
// window closes. Returns the process exit status.
int RunDesktopProgram(QApplication& app, const std::string& courseFolder);

}  // namespace tavolo
