#include "app/locations.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/paths.h"

namespace tavolo {

namespace fs = std::filesystem;

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

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
    return entry->pw_dir;
  return "/";
}

std::string DesktopDataFolder() {
  std::string dataHome;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
    dataHome = xdg;
  } else {
    dataHome = HomeFolder() + "/.local/share";
  }
  while (dataHome.size() > 1 && dataHome.back() == '/') dataHome.pop_back();
  return dataHome + "/Tavolo++/TavoloSF";
}

StartUpPlaces DesktopPlaces(const std::string& courseFolder) {
  StartUpPlaces places;
  places.courseFolder = courseFolder;
  places.dataFolder = DesktopDataFolder();
  places.homeFolder = HomeFolder();
  places.courseFolderReadOnly = IsReadOnlyFolder(courseFolder);
  return places;
}

fs::path ProgramDataFolder(const fs::path& executableDir) {
  if (PathExists(executableDir / "classFlag.bmp")) return executableDir;
  const fs::path shared = (executableDir / ".." / "share" / "tavolo").lexically_normal();
  if (IsFolder(shared)) return shared;
  // build/<preset>/tavolo: the picture still sits in the source tree.
  const fs::path resources = (executableDir / ".." / ".." / "resources").lexically_normal();
  if (PathExists(resources / "classFlag.bmp")) return resources;
  return executableDir;
}

}  // namespace tavolo
