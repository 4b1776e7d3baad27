#include "authoring/roster.h"

#include <algorithm>
#include <system_error>

#include "platform/text_file.h"

namespace tavolo {

namespace fs = std::filesystem;

Status Roster::Load(const fs::path& file) {
  std::error_code ec;
  const bool exists = fs::exists(file, ec);
  if (exists) {
    auto lines = ReadLines(file);
    if (!lines) return lines.failure();
    names_ = std::move(lines).value();
    fileName_ = PathText(file.filename());
    return Succeeded();
  }
  names_ = {std::string(kRosterSeedName)};
  fileName_ = PathText(file.filename());
  return SaveAs(file);
}

void Roster::Clear() {
  names_.clear();
  fileName_.clear();
}

bool Roster::Add(std::string_view name) {
  if (name.empty() || std::find(names_.begin(), names_.end(), name) != names_.end()) return false;
  names_.emplace_back(name);
  return true;
}

bool Roster::RemoveAt(std::size_t index) {
  if (index >= names_.size()) return false;
  names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

Status Roster::SaveAs(const fs::path& file) const {
  // The roster folder of a fresh course does not exist until the first roster.
  if (file.has_parent_path()) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
  }
  return WriteLines(file, names_);
}

}  // namespace tavolo
