#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

#include "platform/confined_folders.h"
#include "platform/text_file.h"

namespace tavolo {

namespace fs = std::filesystem;

fs::path FileLock::LockPathFor(const fs::path& target) {
  return target.parent_path() / ("." + target.filename().string() + ".lock");
}

Result<FileLock> FileLock::Acquire(const fs::path& target, int timeoutMilliseconds) {
  const Failure refused{PathText(target) + " に書き込めません"};
  const fs::path lockPath = LockPathFor(target);
  // A lock file is made beside the file: not in a folder a link leads to
  // outside the course or data folder.
  if (LeadsOutOfConfinedFolder(lockPath)) return refused;
  // O_NOFOLLOW: a link planted in the lock file's place is not followed.
  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return refused;
  FileLock lock(fd);
  if (OpenedOutOfConfinedFolder(fd, lockPath)) return refused;
  // Polled rather than blocking so that a lock kept by a hung program on
  // another machine ends in a message instead of a frozen window.
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
  auto pause = std::chrono::microseconds(200);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return lock;
    if (errno != EWOULDBLOCK && errno != EINTR) return refused;
    if (std::chrono::steady_clock::now() >= deadline) return refused;
    std::this_thread::sleep_for(pause);
    if (pause < std::chrono::milliseconds(20)) pause *= 2;
  }
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FileLock::~FileLock() { Release(); }

void FileLock::Release() {
  if (fd_ >= 0) ::close(fd_);  // closing the descriptor drops the lock
  fd_ = -1;
}

}  // namespace tavolo
