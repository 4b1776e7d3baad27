#pragma once
#include <string>

#include "app/start_up.h"

class QApplication;

namespace tavolo {

// The per-user data folder: ~/.local/share/Tavolo++/TavoloSF (beside the
// settings). The command line finds learner records there too.
std::string DesktopDataFolder();

// The folders the desktop program starts with for a course folder: the user's
// data and home folders, and whether the course can be written to.
StartUpPlaces DesktopPlaces(const std::string& courseFolder);

// Qt's own dialogs (file, print, colour) speak Japanese like the rest of the
// program, whatever the session's language. False when Qt's translations are
// not installed; the dialogs then stay in English.
bool InstallQtTranslations();

// Starts the desktop program on a course folder and runs it until the main
// window closes. Returns the process exit status.
int RunDesktopProgram(QApplication& app, const std::string& courseFolder);

}  // namespace tavolo
