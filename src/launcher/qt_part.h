#pragma once
// The program is three files: `tavolo`, which runs the reading commands (help,
// check, list, dump, variants, records) without any Qt library, and two Qt
// parts loaded only when needed: `tavolo-qt.so` for the desktop program and
// `tavolo-draw.so` for the commands that draw (render, print, notation).
// Loading Qt and its dependencies costs more than such a command does in all,
// so the reading commands answer in a millisecond or two; and a drawing
// command loads Qt Gui alone, never Widgets, Charts or the print dialogs,
// whose loading would be most of a one-page print's time.

#include <filesystem>
#include <vector>

#include "platform/result.h"

namespace tavolo {

// What a Qt part gives: its main(), for the desktop program or for the drawing commands.
using QtMainFunction = int (*)(int argc, char** argv);
inline constexpr const char* kQtMainSymbol = "TavoloQtMain";

enum class QtPart { Desktop, Drawing };
// "tavolo-qt.so" or "tavolo-draw.so".
const char* QtPartFileName(QtPart part);

// Where the Qt part may be for a program in executableDir, in the order it is
// looked for: beside the program (the build tree), then, for a program in
// <prefix>/bin, <prefix>/lib/<multiarch>/tavolo where it is installed and
// <prefix>/lib/tavolo. None for a folder that is not absolute.
std::vector<std::filesystem::path> QtPartCandidates(const std::filesystem::path& executableDir,
                                                    QtPart part = QtPart::Desktop);

// The folder of the running program, from /proc/self/exe, else from argv0
// when that names a path; empty when neither tells.
std::filesystem::path ExecutableFolder(const char* argv0);

// Loads the Qt part found for executableDir and gives its main(); or the
// reason, in words for the user, why it cannot be loaded.
Result<QtMainFunction> LoadQtPart(const std::filesystem::path& executableDir,
                                  QtPart part = QtPart::Desktop);

}  // namespace tavolo
