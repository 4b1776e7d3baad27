#pragma once
// Course paths. Course files name folders with "\" (they come from a platform
// with case-insensitive file names), so a relative path read from a course file
// has its "\" turned into "/" and is looked up case-insensitively when the
// exact spelling does not exist (`Graph` vs `GRAPH`, `Title.BMP` vs `title.bmp`).

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace tavolo {

// The course folder as text, always ending in "/" ("/" itself stays "/").
std::string CourseFolderText(std::string_view folder);

// "\" separators of a course file turned into "/".
std::string NormalizeSeparators(std::string_view relative);

// Equal but for the letter case of ASCII letters, as names compare on the
// file systems course folders come from.
[[nodiscard]] bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The path itself when it exists; otherwise each missing component is matched
// case-insensitively (ASCII letters) against the entries of its parent folder.
// When nothing matches, the path is returned as given.
std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& path);

// A path from course data must stay inside the course folder: a ".."
// component, a path from the root ("/", "\\") or a drive letter ("C:") is
// refused with "パス「" + relative + "」はコースのフォルダの外を指しています".
// Every path built from course data passes this before it is used.
[[nodiscard]] Status CheckInsideCourse(std::string_view relative);

// Whether anything is at the path, and whether it is a folder (both through
// links). A path that cannot be examined counts as neither.
[[nodiscard]] bool PathExists(const std::filesystem::path& path);
// The name itself is there, whatever it is: a link that leads nowhere too.
[[nodiscard]] bool EntryExists(const std::filesystem::path& path);
[[nodiscard]] bool IsFolder(const std::filesystem::path& path);

// courseFolder + relative (with "\" as separator allowed), resolved as above.
std::filesystem::path CoursePath(std::string_view courseFolder, std::string_view relative);

}  // namespace tavolo
