#pragma once
// The learner roster (名簿): the names the sign-on window offers, one per line
// of a Shift-JIS text file ("sname.txt" in the roster folder unless the
// teacher opens another). The window edits the list in memory; the file is
// written when someone signs on or the roster is saved under a new name.

#include <cstddef>
#include <filesystem>
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

class Roster {
 public:
  // The roster becomes the file's lines. A missing file becomes the single
  // name "公開" and is written at once. Failures: a file that exists but
  // cannot be read (the roster stays as it was), and a new file that cannot
  // be written (the roster is "公開" all the same).
  [[nodiscard]] Status Load(const std::filesystem::path& file);
  // Empties the roster and forgets its file: nothing is written on sign-on
  // until a file has been loaded.
  void Clear();

  // Appends the name unless it is empty or already listed exactly as typed.
  bool Add(std::string_view name);
  // Removes the entry at a 0-based position; false when there is none.
  bool RemoveAt(std::size_t index);

  // Writes every name as one CR LF line, creating the folder when it is
  // missing; the file is replaced whole or not at all.
  [[nodiscard]] Status SaveAs(const std::filesystem::path& file) const;

  const std::vector<std::string>& Names() const { return names_; }
  // The file-name part of the file last loaded; empty when none was.
  const std::string& FileName() const { return fileName_; }

 private:
  std::vector<std::string> names_;
  std::string fileName_;
};

}  // namespace tavolo
