#pragma once
// Line files in CP932 with CR LF, read whole and written atomically.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace tavolo {

// Largest file any reader accepts; course and record files are far smaller,
// so anything bigger is treated as not a course file instead of exhausting memory.
inline constexpr std::uintmax_t kMaxTextFileBytes = 64u * 1024u * 1024u;

// UTF-8 text of a path for messages (paths are native UTF-8 here).
std::string PathText(const std::filesystem::path& path);

// The raw bytes. Failures: "ファイル " + path + " が見つかりません" (missing),
// "ファイル " + path + " を読み込めません" (a folder, no permission, too large).
Result<std::string> ReadFileBytes(const std::filesystem::path& path);

// Splits decoded text at CR LF, LF or a lone CR. A last line without a line end
// is a line; an empty text has no lines; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// ReadFileBytes + DecodeCp932 + SplitLines.
Result<std::vector<std::string>> ReadLines(const std::filesystem::path& path);

// Encodes every line as CP932 followed by CR LF.
std::string JoinLinesCp932(const std::vector<std::string>& lines);

// Writes to a temporary file in the same folder, flushes it to disk and renames
// it over the target, so a crash or a full disk never leaves half a file. On
// failure the old file is untouched and the message is path + " に書き込めません".
Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// WriteFileAtomic(path, JoinLinesCp932(lines)).
Status WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace tavolo
