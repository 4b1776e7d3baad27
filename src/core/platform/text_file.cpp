#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <random>
#include <system_error>
#include <utility>

#include "platform/confined_folders.h"
#include "platform/cp932.h"

namespace tavolo {

namespace fs = std::filesystem;

std::string PathText(const fs::path& path) { return path.string(); }

std::string NotAFileMessage(const fs::path& path) {
  return "ファイル " + PathText(path) + " は通常のファイルではありません";
}

namespace {

Failure NotFound(const fs::path& path) {
  return Failure{"ファイル " + PathText(path) + " が見つかりません"};
}
Failure Unreadable(const fs::path& path) {
  return Failure{"ファイル " + PathText(path) + " を読み込めません"};
}
Failure NotAFile(const fs::path& path) { return Failure{NotAFileMessage(path)}; }
Failure Unwritable(const fs::path& path) { return Failure{PathText(path) + " に書き込めません"}; }

// Closes a file descriptor on every path out of a function.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

Result<std::string> ReadFileBytes(const fs::path& path) {
  // A link out of the course (or data) folder is not followed, whatever it
  // points at: the file is as unreadable as one without permission.
  if (LeadsOutOfConfinedFolder(path)) return Unreadable(path);
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (ec || !fs::exists(status)) return NotFound(path);
  if (!fs::is_regular_file(status)) return NotAFile(path);

  // O_NONBLOCK: should a FIFO take the file's place after the check above, the
  // open returns at once instead of waiting for a writer; fstat then tells.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) return errno == ENOENT ? NotFound(path) : Unreadable(path);
  if (OpenedOutOfConfinedFolder(fd.get(), path)) return Unreadable(path);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Unreadable(path);
  if (!S_ISREG(st.st_mode)) return NotAFile(path);
  if (static_cast<std::uintmax_t>(st.st_size) > kMaxTextFileBytes) return Unreadable(path);
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);

  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Unreadable(path);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
    // A file that grows while we read it (or a device posing as a file) must
    // not make us read without bound.
    if (bytes.size() > kMaxTextFileBytes) return Unreadable(path);
  }
  return bytes;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

Result<std::vector<std::string>> ReadLines(const fs::path& path) {
  auto bytes = ReadFileBytes(path);
  if (!bytes) return bytes.failure();
  return SplitLines(DecodeCp932(bytes.value()));
}

std::string JoinLinesCp932(const std::vector<std::string>& lines) {
  std::string out;
  std::size_t size = 0;
  for (const auto& l : lines) size += l.size() + 2;
  out.reserve(size);
  for (const auto& l : lines) {
    out += EncodeCp932(l);
    out += "\r\n";
  }
  return out;
}

bool IsTemporaryFileName(std::string_view name) {
  constexpr std::string_view prefix = ".tavolo-", suffix = ".tmp";
  constexpr std::size_t hexDigits = 16;
  if (name.size() != prefix.size() + hexDigits + suffix.size()) return false;
  if (name.substr(0, prefix.size()) != prefix || name.substr(name.size() - suffix.size()) != suffix)
    return false;
  for (const char c : name.substr(prefix.size(), hexDigits))
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

namespace {

// The file a chain of symlinks ends at (the path itself when it is no link).
// A dangling link gives the path it points to, so the write creates that file.
Result<fs::path> FollowLinks(const fs::path& path) {
  fs::path current = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::error_code ec;
    const fs::path next = fs::read_symlink(current, ec);
    if (ec) return Unwritable(path);
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return Unwritable(path);  // a loop of links
}

// Whether a write of some program holds the temporary: every write keeps an
// exclusive lock on its temporary file until it is renamed or removed, and the
// system drops the lock of a program that was killed.
bool IsHeldByAWrite(const fs::path& entry) {
  Fd fd(::open(entry.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return true;  // cannot tell: leave it
  return ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0;
}

}  // namespace

void RemoveStaleTemporaries(const fs::path& folder) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return;
  const std::time_t now = std::time(nullptr);
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return;
    const fs::path entry = it->path();
    if (!IsTemporaryFileName(entry.filename().string())) continue;
    struct stat st {};
    if (::lstat(entry.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
      continue;
    if (now - st.st_mtime < kStaleTemporaryAgeSeconds || IsHeldByAWrite(entry)) continue;
    ::unlink(entry.c_str());
  }
}

namespace {

// Gives the new file the old one's owner, group and mode. Changing the owner
// needs privileges we rarely have; keeping the group often works on its own.
void CopyOwnershipAndMode(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0)
    (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  (void)::fchmod(fd, old.st_mode & 07777);  // after fchown, which may clear set-id bits
}

}  // namespace

StagedFile::StagedFile(fs::path shown, fs::path target, fs::path temporary, int fd, int folderFd)
    : shown_(std::move(shown)),
      target_(std::move(target)),
      temporary_(std::move(temporary)),
      fd_(fd),
      folderFd_(folderFd) {}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : shown_(std::move(other.shown_)),
      target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})),
      fd_(std::exchange(other.fd_, -1)),
      folderFd_(std::exchange(other.folderFd_, -1)) {}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
  if (this != &other) {
    Discard();
    shown_ = std::move(other.shown_);
    target_ = std::move(other.target_);
    temporary_ = std::exchange(other.temporary_, {});
    fd_ = std::exchange(other.fd_, -1);
    folderFd_ = std::exchange(other.folderFd_, -1);
  }
  return *this;
}

StagedFile::~StagedFile() { Discard(); }

void StagedFile::Discard() {
  // Removed before its descriptor closes: the lock on it keeps a clean-up of
  // another program away until the name is gone.
  if (!temporary_.empty()) {
    if (folderFd_ >= 0)
      ::unlinkat(folderFd_, temporary_.filename().c_str(), 0);
    else
      ::unlink(temporary_.c_str());
  }
  temporary_.clear();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (folderFd_ >= 0) ::close(folderFd_);
  folderFd_ = -1;
}

Result<StagedFile> StagedFile::Open(const fs::path& path) {
  auto followed = FollowLinks(path);
  if (!followed) return followed.failure();
  // A link (of the file or of a folder on the way) that leads out of the
  // course or data folder is never written through.
  if (LeadsOutOfConfinedFolder(path)) return Unwritable(path);
  const fs::path target = followed.value();
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  // Everything below happens relative to this descriptor of the folder, so a
  // link put in the folder's place after the check leads nowhere.
  Fd folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.get() < 0 || OpenedOutOfConfinedFolder(folderFd.get(), folder))
    return Unwritable(path);

  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  // The folder being writable must not let us replace a file its owner made
  // read-only, nor something that is not a file at all.
  if (replacing && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0))
    return Unwritable(path);

  RemoveStaleTemporaries(folder);

  // The temporary file lives in the target's folder so that the final rename
  // never crosses file systems and is atomic. O_EXCL with O_NOFOLLOW: a name
  // someone planted, link or not, is never opened; we draw another one.
  static thread_local std::mt19937_64 random{std::random_device{}()};
  fs::path temp;
  int rawFd = -1;
  for (int attempt = 0; attempt < 16 && rawFd < 0; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, ".tavolo-%016llx.tmp",
                  static_cast<unsigned long long>(random()));
    temp = folder / name;
    rawFd =
        ::openat(folderFd.get(), name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (rawFd < 0 && errno != EEXIST) break;
  }
  if (rawFd < 0) return Unwritable(path);
  // Marks the temporary as in use until it is renamed or removed.
  (void)::flock(rawFd, LOCK_EX | LOCK_NB);
  // Removes the temporary unless committed.
  StagedFile staged(path, target, temp, rawFd, folderFd.release());
  if (replacing) CopyOwnershipAndMode(rawFd, old);
  return staged;
}

Result<StagedFile> StagedFile::Stage(const fs::path& path, std::string_view bytes) {
  auto staged = Open(path);
  if (!staged) return staged;
  if (!WriteAll(staged.value().fd(), bytes)) return Unwritable(path);
  return staged;
}

Status StagedFile::Commit() {
  const bool flushed = fd_ >= 0 && ::fsync(fd_) == 0;
  if (!flushed || folderFd_ < 0 ||
      ::renameat(folderFd_, temporary_.filename().c_str(), folderFd_, target_.filename().c_str()) !=
          0) {
    Discard();
    return Unwritable(shown_);
  }
  temporary_.clear();
  // The bytes are on disk (fsync above); the lock goes with the descriptor.
  ::close(std::exchange(fd_, -1));
  // Make the rename itself durable.
  ::fsync(folderFd_);
  ::close(std::exchange(folderFd_, -1));
  return Succeeded();
}

Status WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  auto staged = StagedFile::Stage(path, bytes);
  if (!staged) return staged.failure();
  return staged.value().Commit();
}

Status WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
  return WriteFileAtomic(path, JoinLinesCp932(lines));
}

}  // namespace tavolo
