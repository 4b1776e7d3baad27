#include "authoring/roster.h"

#include <algorithm>
#include <system_error>

#include "platform/cp932.h"
#include "platform/file_lock.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "practice/learner_name.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

// The longest line a roster of names can hold, CR LF included.
constexpr std::size_t kMaxRosterLineBytes = kMaxLearnerNameBytes + 2;

Failure TooLarge(const fs::path& file) {
  return Failure{"名簿 " + PathText(file) + " には名前が多すぎます（" +
                 std::to_string(kMaxRosterNames) + "人まで）"};
}

// The names of a roster file; bounded in size first, so that reading stays
// short whatever the file is.
Result<std::vector<std::string>> ReadRosterNames(const fs::path& file) {
  std::error_code ec;
  const auto size = fs::file_size(file, ec);
  if (!ec && size > kMaxRosterNames * kMaxRosterLineBytes) return TooLarge(file);
  auto bytes = ReadFileBytes(file);
  if (!bytes) return bytes.failure();
  if (bytes.value().size() > kMaxRosterNames * kMaxRosterLineBytes) return TooLarge(file);
  std::vector<std::string> names = SplitLines(DecodeCp932(bytes.value()));
  if (names.size() > kMaxRosterNames) return TooLarge(file);
  return names;
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& n) { return EqualsIgnoringAsciiCase(n, name); });
}

// The roster folder of a fresh course does not exist until the first roster;
// its lock file lies in it too. A failure shows in the lock or the write.
void MakeFolderFor(const fs::path& file) {
  if (!file.has_parent_path()) return;
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
}

}  // namespace

Status Roster::Load(const fs::path& file) {
  const bool exists = EntryExists(file);
  std::vector<std::string> names = {std::string(kRosterSeedName)};
  if (exists) {
    auto read = ReadRosterNames(file);
    if (!read) return read.failure();
    names = std::move(read).value();
  }
  Clear();
  names_ = std::move(names);
  fileName_ = PathText(file.filename());
  loadedFrom_ = file;
  if (exists) return Succeeded();
  // Counts as unchanged even when this write fails (a read-only folder): the
  // first roster needs no second try at every sign-on, which would stop them all.
  return SaveAs(file);
}

void Roster::Clear() {
  names_.clear();
  fileName_.clear();
  loadedFrom_.clear();
  added_.clear();
  removed_.clear();
}

bool Roster::Add(std::string_view name) {
  if (name.empty() || Contains(names_, name) || names_.size() >= kMaxRosterNames) return false;
  names_.emplace_back(name);
  added_.emplace_back(name);
  return true;
}

bool Roster::RemoveAt(std::size_t index) {
  if (index >= names_.size()) return false;
  const std::string name = names_[index];
  names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
  const auto added = std::find(added_.begin(), added_.end(), name);
  if (added != added_.end())
    added_.erase(added);
  else
    removed_.push_back(name);
  return true;
}

std::optional<std::string> Roster::Find(std::string_view name) const {
  const auto found = std::find_if(names_.begin(), names_.end(), [&](const std::string& n) {
    return EqualsIgnoringAsciiCase(n, name);
  });
  if (found == names_.end()) return std::nullopt;
  return *found;
}

Status Roster::Store(const fs::path& file) {
  MakeFolderFor(file);
  auto lock = FileLock::Acquire(file);
  if (!lock) return lock.failure();
  std::vector<std::string> names = names_;
  if (file == loadedFrom_ && EntryExists(file)) {
    auto current = ReadRosterNames(file);
    if (!current) return current.failure();
    names = std::move(current).value();
    for (const std::string& gone : removed_)
      names.erase(std::remove(names.begin(), names.end(), gone), names.end());
    for (const std::string& name : added_)
      if (!Contains(names, name) && names.size() < kMaxRosterNames) names.push_back(name);
  }
  if (Status written = WriteLines(file, names); !written) return written;
  names_ = std::move(names);
  loadedFrom_ = file;
  fileName_ = PathText(file.filename());
  added_.clear();
  removed_.clear();
  return Succeeded();
}

Status Roster::SaveAs(const fs::path& file) const {
  MakeFolderFor(file);
  auto lock = FileLock::Acquire(file);
  if (!lock) return lock.failure();
  return WriteLines(file, names_);
}

}  // namespace tavolo
