#pragma once
// Where the program finds what ships with it: the sample course and the class
// flag, both in the build tree (build/<preset>/tavolo) and when installed
// (<prefix>/bin/tavolo with <prefix>/share/tavolo/...).

#include <filesystem>
#include <optional>

namespace tavolo {

// The bundled sample course for a program at executableDir, if it is there.
std::optional<std::filesystem::path> FindSampleCourse(const std::filesystem::path& executableDir);

// The folder that holds classFlag.bmp: next to the program, else the shared data folder.
std::filesystem::path ProgramDataFolder(const std::filesystem::path& executableDir);

}  // namespace tavolo
