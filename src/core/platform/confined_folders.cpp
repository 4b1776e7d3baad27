#include "platform/confined_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace tavolo {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;  // as the system allows

struct ConfinedFolder {
  fs::path written;  // absolute, as registered
  fs::path real;     // where it really is
};

std::mutex& Guard() {
  static std::mutex guard;
  return guard;
}

std::vector<ConfinedFolder>& Folders() {
  static std::vector<ConfinedFolder> folders;
  return folders;
}

fs::path Absolute(const fs::path& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  return ec ? path : absolute;
}

// Whether `path` is `folder` or lies under it, comparing whole components.
bool IsWithin(const fs::path& path, const fs::path& folder) {
  auto p = path.begin();
  for (const fs::path& part : folder) {
    if (part.empty()) continue;  // the empty last part of a trailing "/"
    if (p == path.end() || *p != part) return false;
    ++p;
  }
  return true;
}

// The real folders of the confined folders that hold the path as written.
std::vector<fs::path> HoldingFolders(const fs::path& path) {
  const fs::path written = Absolute(path).lexically_normal();
  std::vector<fs::path> holding;
  const std::lock_guard lock(Guard());
  for (const ConfinedFolder& folder : Folders())
    if (IsWithin(written, folder.written) || IsWithin(written, folder.real))
      holding.push_back(folder.real);
  return holding;
}

bool OutsideAny(const fs::path& real, const std::vector<fs::path>& folders) {
  if (real.empty()) return !folders.empty();  // a loop of links leads nowhere we allow
  for (const fs::path& folder : folders)
    if (!IsWithin(real, folder)) return true;
  return false;
}

}  // namespace

fs::path RealPathOf(const fs::path& path) {
  std::deque<fs::path> pending;
  const fs::path absolute = Absolute(path);
  for (const fs::path& part : absolute.relative_path()) pending.push_back(part);
  fs::path real = absolute.root_path();
  bool missing = false;  // once a part does not exist, the rest is as written
  int hops = 0;
  while (!pending.empty()) {
    const fs::path part = pending.front();
    pending.pop_front();
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      real = real.parent_path();
      continue;
    }
    const fs::path next = real / part;
    struct stat st {};
    const bool exists = !missing && ::lstat(next.c_str(), &st) == 0;
    if (!exists || !S_ISLNK(st.st_mode)) {
      missing = !exists;
      real = next;
      continue;
    }
    if (++hops > kMaxLinkHops) return {};
    std::error_code ec;
    const fs::path target = fs::read_symlink(next, ec);
    if (ec) return {};
    if (target.is_absolute()) real = target.root_path();
    std::deque<fs::path> expanded;
    for (const fs::path& t : target.relative_path()) expanded.push_back(t);
    pending.insert(pending.begin(), expanded.begin(), expanded.end());
  }
  return real;
}

void ConfineFilesTo(const fs::path& folder) {
  ConfinedFolder entry{Absolute(folder).lexically_normal(), RealPathOf(folder)};
  if (entry.real.empty()) entry.real = entry.written;
  const std::lock_guard lock(Guard());
  for (const ConfinedFolder& known : Folders())
    if (known.written == entry.written && known.real == entry.real) return;
  Folders().push_back(std::move(entry));
}

void ForgetConfinedFolders() {
  const std::lock_guard lock(Guard());
  Folders().clear();
}

bool LeadsOutOfConfinedFolder(const fs::path& path) {
  const std::vector<fs::path> holding = HoldingFolders(path);
  if (holding.empty()) return false;
  return OutsideAny(RealPathOf(path), holding);
}

bool OpenedOutOfConfinedFolder(int fd, const fs::path& path) {
  const std::vector<fs::path> holding = HoldingFolders(path);
  if (holding.empty()) return false;
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  std::error_code ec;
  const fs::path opened = fs::read_symlink(link, ec);
  if (ec) return false;  // no /proc: the check before the open stands
  return OutsideAny(opened, holding);
}

}  // namespace tavolo
