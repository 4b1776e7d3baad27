#pragma once
// The learner roster (名簿): the names the sign-on window offers, one per line
// of a Shift-JIS text file ("sname.txt" in the roster folder unless the
// teacher opens another). The window edits the list in memory; the file is
// written when someone signs on with a changed roster or the roster is saved
// under a new name.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/learner_names.h"
#include "platform/result.h"

namespace tavolo {

inline constexpr std::string_view kRosterFileName = "sname.txt";
// The one name a roster starts with when its file is missing.
inline constexpr std::string_view kRosterSeedName = kPublicLearnerName;
// What the roster's open and save dialogs list.
inline constexpr std::string_view kRosterFileFilter = "テキストファイル (*.txt)";
// Most names a roster holds: a school's whole roll fits many times over, and
// a file far larger (not a roster at all) must not freeze the name window.
inline constexpr std::size_t kMaxRosterNames = 10000;

class Roster {
 public:
  // The roster becomes the file's lines. A missing file becomes the single
  // name "公開" and is written at once. Failures: a file that exists but
  // cannot be read or holds more than kMaxRosterNames lines (the roster stays
  // empty and names no file, so it is never written over), and a new file that
  // cannot be written (the roster is "公開" all the same).
  [[nodiscard]] Status Load(const std::filesystem::path& file);
  // Empties the roster and forgets its file: nothing is written on sign-on
  // until a file has been loaded.
  void Clear();

  // Appends the name unless it is empty, already listed (letter case aside:
  // "taro" and "Taro" are one learner) or the roster is full.
  bool Add(std::string_view name);
  // Removes the entry at a 0-based position; false when there is none.
  bool RemoveAt(std::size_t index);
  // The listed spelling of a name, found letter case aside.
  std::optional<std::string> Find(std::string_view name) const;

  // Sign-on's write into the roster folder. Into the file the roster was
  // loaded from, under that file's lock: the file is read again and the names
  // added and removed here since loading are applied to what it holds now, so
  // a name another PC added meanwhile stays. Into another file: every name, as
  // shown. Creates the folder when it is missing.
  [[nodiscard]] Status Store(const std::filesystem::path& file);
  // Writes every name as one CR LF line, creating the folder when it is
  // missing; the file is replaced whole or not at all.
  [[nodiscard]] Status SaveAs(const std::filesystem::path& file) const;

  const std::vector<std::string>& Names() const { return names_; }
  // The file-name part of the file last loaded; empty when none was.
  const std::string& FileName() const { return fileName_; }
  // The file last loaded, as given.
  const std::filesystem::path& LoadedFrom() const { return loadedFrom_; }
  // Names were added or removed since the roster was loaded or stored.
  bool Modified() const { return !added_.empty() || !removed_.empty(); }

 private:
  std::vector<std::string> names_;
  std::string fileName_;
  std::filesystem::path loadedFrom_;
  std::vector<std::string> added_;
  std::vector<std::string> removed_;
};

}  // namespace tavolo
