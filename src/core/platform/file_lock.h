#pragma once
// An exclusive lock that serialises read-modify-write cycles on one file
// between processes, also on different machines that share a folder. The
// lock is taken on a separate lock file beside the file ("." + name +
// ".lock"): the file itself is replaced by every atomic write, so a lock on it
// would guard an old copy that nobody reads any more.

#include <filesystem>

#include "platform/result.h"

namespace tavolo {

class FileLock {
 public:
  // Waits up to timeoutMilliseconds for the lock on `target` (the file that
  // will be written, not the lock file). The lock file is created when
  // missing and is left in place afterwards: removing it would let two
  // writers lock two different files.
  [[nodiscard]] static Result<FileLock> Acquire(const std::filesystem::path& target,
                                                int timeoutMilliseconds = 10000);

  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

  static std::filesystem::path LockPathFor(const std::filesystem::path& target);

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  void Release();
  int fd_ = -1;
};

}  // namespace tavolo
