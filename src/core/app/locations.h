#pragma once
// Where the program finds what ships with it: the sample course and the class
// flag, both in the build tree (build/<preset>/tavolo) and when installed
// (<prefix>/bin/tavolo with <prefix>/share/tavolo/...).

#include <filesystem>
#include <optional>
#include <string>

#include "app/start_up.h"

namespace tavolo {

// The bundled sample course for a program at executableDir, if it is there.
std::optional<std::filesystem::path> FindSampleCourse(const std::filesystem::path& executableDir);

// The folder that holds classFlag.bmp: next to the program, else the shared data folder.
std::filesystem::path ProgramDataFolder(const std::filesystem::path& executableDir);

// The user's home folder: $HOME, else the account's entry.
std::string HomeFolder();

// Where the desktop program keeps its per-user data (records of a course on
// a read-only medium): <data home>/Tavolo++/TavoloSF, with <data home>
// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share, as the
// desktop's conventions say. The commands find the same folder.
std::string DesktopDataFolder();

// The folders the desktop program starts with for a course folder: the
// user's data and home folders, and whether the course can be written to.
StartUpPlaces DesktopPlaces(const std::string& courseFolder);

}  // namespace tavolo
