#pragma once
// Building course files for tests: CP932 line files written from UTF-8 lines,
// usually inside a TempFolder (included here for convenience).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"

namespace tavolo::test {

// Writes the lines encoded as CP932, each followed by lineEnd, creating missing
// parent folders.
void WriteCp932Lines(const std::filesystem::path& path, const std::vector<std::string>& utf8Lines,
                     std::string_view lineEnd = "\r\n");

// A temporary folder as course folder text, ending in "/".
std::string CourseFolderOf(const TempFolder& folder);

}  // namespace tavolo::test
