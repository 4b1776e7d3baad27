#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>
#include <utility>

#include "platform/cp932.h"

namespace tavolo {

namespace fs = std::filesystem;

std::string PathText(const fs::path& path) { return path.string(); }

namespace {

Failure NotFound(const fs::path& path) {
  return Failure{"ファイル " + PathText(path) + " が見つかりません"};
}
Failure Unreadable(const fs::path& path) {
  return Failure{"ファイル " + PathText(path) + " を読み込めません"};
}
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
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (ec || !fs::exists(status)) return NotFound(path);
  if (!fs::is_regular_file(status)) return Unreadable(path);

  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return errno == ENOENT ? NotFound(path) : Unreadable(path);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || static_cast<std::uintmax_t>(st.st_size) > kMaxTextFileBytes)
    return Unreadable(path);

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

Status WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::error_code ec;
  if (fs::is_directory(path, ec)) return Unwritable(path);

  // The temporary file lives in the target's folder so that the final rename
  // never crosses file systems and is atomic.
  static thread_local std::mt19937_64 random{std::random_device{}()};
  fs::path temp;
  int rawFd = -1;
  for (int attempt = 0; attempt < 16 && rawFd < 0; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, ".tavolo-%016llx.tmp",
                  static_cast<unsigned long long>(random()));
    temp = folder / name;
    rawFd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (rawFd < 0 && errno != EEXIST) break;
  }
  if (rawFd < 0) return Unwritable(path);
  Fd fd(rawFd);

  // Keep the permissions of the file we replace, so a rewrite does not change
  // who may read a learner's records.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) ::fchmod(fd.get(), old.st_mode & 07777);

  const bool written = WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
  const bool closed = ::close(fd.release()) == 0;
  if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return Unwritable(path);
  }
  // Make the rename itself durable.
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return Succeeded();
}

Status WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
  return WriteFileAtomic(path, JoinLinesCp932(lines));
}

}  // namespace tavolo
