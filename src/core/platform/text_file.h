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
inline constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t{64} * 1024 * 1024;

// UTF-8 text of a path for messages (paths are native UTF-8 here).
std::string PathText(const std::filesystem::path& path);

// "ファイル " + path + " は通常のファイルではありません": a folder, FIFO or
// device where a file should be.
std::string NotAFileMessage(const std::filesystem::path& path);

// The raw bytes of a regular file. Anything else is refused before it is read,
// so a FIFO or a device never blocks or feeds us without end. Failures:
// "ファイル " + path + " が見つかりません" (missing), NotAFileMessage (a folder,
// FIFO, device), "ファイル " + path + " を読み込めません" (no permission, too large).
Result<std::string> ReadFileBytes(const std::filesystem::path& path);

// Splits decoded text at CR LF, LF or a lone CR. A last line without a line end
// is a line; an empty text has no lines; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// ReadFileBytes + DecodeCp932 + SplitLines.
Result<std::vector<std::string>> ReadLines(const std::filesystem::path& path);

// Encodes every line as CP932 followed by CR LF.
std::string JoinLinesCp932(const std::vector<std::string>& lines);

// A replacement for a file, written whole to a temporary file next to it and
// flushed to disk, waiting to be renamed over the target. Several files can be
// staged and then committed together, so one failing leaves none of them
// half-made. An uncommitted temporary file is removed when this is destroyed.
//
// The target is the file a symlink points to (the link stays a link); a file
// the user may not write, or anything that is not a regular file, is refused.
// The replacement keeps the old file's mode, and its owner and group where the
// system allows. Temporary files are created exclusively under unique
// ".tavolo-<16 hex>.tmp" names and never through a link; temporaries of ours
// that a killed program left behind (RemoveStaleTemporaries) are removed
// before a new one is made in that folder. Nothing is read or written through
// a link that leads out of a confined folder (platform/confined_folders.h).
class StagedFile {
 public:
  // An empty temporary file, open for writing (and reading back) through
  // fd(), for output too large to hold in memory. Failure: path + " に書き込めません".
  [[nodiscard]] static Result<StagedFile> Open(const std::filesystem::path& path);
  // Open + the bytes written.
  [[nodiscard]] static Result<StagedFile> Stage(const std::filesystem::path& path,
                                                std::string_view bytes);
  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&& other) noexcept;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile();

  // Flushes the temporary file to disk and renames it over the target.
  // Failure: path + " に書き込めません", and the temporary file is gone.
  [[nodiscard]] Status Commit();
  const std::filesystem::path& temporary() const { return temporary_; }
  int fd() const { return fd_; }

 private:
  StagedFile(std::filesystem::path shown, std::filesystem::path target,
             std::filesystem::path temporary, int fd, int folderFd);
  void Discard();

  std::filesystem::path shown_;  // the path as asked for, for messages
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  int folderFd_ = -1;  // the target's folder, which the rename happens in
};

// A temporary is stale when no write holds its lock (the writes of a killed
// program hold none) and it is at least this old: the age only covers the
// instant between a temporary's creation and its lock.
inline constexpr int kStaleTemporaryAgeSeconds = 5;

// Removes the stale temporaries of ours in the folder (only names we give,
// only regular files, never links, only our own). Each write does this for
// its folder; start-up does it for the course's folders.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// True for the names StagedFile gives its temporary files.
bool IsTemporaryFileName(std::string_view name);

// StagedFile::Stage + Commit: a crash or a full disk never leaves half a file.
// On failure the old file is untouched and the message is path + " に書き込めません".
[[nodiscard]] Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// WriteFileAtomic(path, JoinLinesCp932(lines)).
[[nodiscard]] Status WriteLines(const std::filesystem::path& path,
                                const std::vector<std::string>& lines);

}  // namespace tavolo
