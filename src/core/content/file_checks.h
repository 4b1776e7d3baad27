#pragma once
// Existence checks whose failure carries the message the user sees.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace tavolo {

// A regular file (through symlinks). Failures: "ファイル " + path +
// " が見つかりません", or NotAFileMessage(path) for a folder, FIFO or device.
[[nodiscard]] Status RequireFile(const std::filesystem::path& path);

// Failure: "ディレクトリ " + path + " が見つかりません".
[[nodiscard]] Status RequireFolder(const std::filesystem::path& path);

// The four characters from the first "." anywhere in the path, lower case
// (ASCII letters); empty when there is no ".". A dot in a folder name counts.
std::string FileExtension(std::string_view path);

}  // namespace tavolo
