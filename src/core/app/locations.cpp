#include "app/locations.h"

#include <system_error>

namespace tavolo {

namespace fs = std::filesystem;

namespace {
bool IsFolder(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}
}  // namespace

std::optional<fs::path> FindSampleCourse(const fs::path& executableDir) {
  const fs::path candidates[] = {
      executableDir / "courses" / "sample",
      executableDir / ".." / "share" / "tavolo" / "courses" / "sample",
      executableDir / ".." / ".." / "courses" / "sample",  // build/<preset>/tavolo
  };
  for (const auto& c : candidates)
    if (IsFolder(c)) return c.lexically_normal();
  return std::nullopt;
}

fs::path ProgramDataFolder(const fs::path& executableDir) {
  std::error_code ec;
  if (fs::exists(executableDir / "classFlag.bmp", ec)) return executableDir;
  const fs::path shared = (executableDir / ".." / "share" / "tavolo").lexically_normal();
  if (IsFolder(shared)) return shared;
  // build/<preset>/tavolo: the picture still sits in the source tree.
  const fs::path resources = (executableDir / ".." / ".." / "resources").lexically_normal();
  if (fs::exists(resources / "classFlag.bmp", ec)) return resources;
  return executableDir;
}

}  // namespace tavolo
