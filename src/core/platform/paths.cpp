#include "platform/paths.h"

#include <system_error>

namespace tavolo {

namespace fs = std::filesystem;

std::string CourseFolderText(std::string_view folder) {
  std::string text(folder);
  if (text.empty()) return "./";
  if (text.back() != '/') text.push_back('/');
  return text;
}

std::string NormalizeSeparators(std::string_view relative) {
  std::string text(relative);
  for (char& c : text)
    if (c == '\\') c = '/';
  return text;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool EntryExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec)) && !ec;
}

bool PathExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

fs::path ResolveCaseInsensitive(const fs::path& path) {
  if (EntryExists(path)) return path;
  fs::path resolved = path.root_path();
  bool matched = true;
  for (const auto& part : path.relative_path()) {
    const fs::path exact = resolved / part;
    if (!matched || EntryExists(exact) || part == "." || part == "..") {
      resolved = exact;
      continue;
    }
    std::error_code ec;
    fs::directory_iterator it(resolved.empty() ? fs::path(".") : resolved, ec), end;
    fs::path found;
    for (; !ec && it != end; it.increment(ec)) {
      if (EqualsIgnoringAsciiCase(it->path().filename().string(), part.string())) {
        found = it->path().filename();
        break;
      }
    }
    if (found.empty()) {
      matched = false;  // the rest cannot exist either; keep the given spelling
      resolved = exact;
    } else {
      resolved /= found;
    }
  }
  return matched ? resolved : path;
}

Status CheckInsideCourse(std::string_view relative) {
  const std::string path = NormalizeSeparators(relative);
  const bool fromRoot = !path.empty() && path.front() == '/';
  const bool driveLetter =
      path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  bool parent = false;
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (path.compare(start, end - start, "..") == 0 && end - start == 2) parent = true;
    start = end + 1;
  }
  if (fromRoot || driveLetter || parent)
    return Failure{"パス「" + std::string(relative) + "」はコースのフォルダの外を指しています"};
  return Succeeded();
}

fs::path CoursePath(std::string_view courseFolder, std::string_view relative) {
  std::string rel = NormalizeSeparators(relative);
  // A course file may write "\Graph\a.bmp"; it is still inside the course.
  rel.erase(
      0, rel.find_first_not_of('/') == std::string::npos ? rel.size() : rel.find_first_not_of('/'));
  return ResolveCaseInsensitive(fs::path(CourseFolderText(courseFolder)) / rel);
}

}  // namespace tavolo
