#pragma once
// A question file read once for everything a course listing needs from it:
// its lines split once and every line that opens a unit or section noted with
// where it stands. Each unit of a section then costs only its own lines, so
// listing or checking a whole course is linear in the size of its files
// instead of searching the whole file again for every unit.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "content/unit_content.h"
#include "content/unit_reader.h"
#include "content/unit_scanner.h"
#include "platform/result.h"

namespace tavolo {

class QuestionFileIndex {
 public:
  explicit QuestionFileIndex(std::string bytes);

  // ReadFileBytes's failures: missing, not readable, too large.
  [[nodiscard]] static Result<QuestionFileIndex> Read(const std::filesystem::path& file);

  // The first line at or after `from` that equals keyLine.
  std::optional<std::size_t> FindKeyLine(std::string_view keyLine, std::size_t from = 0) const;

  // The unit of keyLine, exactly as ReadUnitBlock would read it from this file.
  UnitReading ReadUnit(std::string_view keyLine, int section, int unit,
                       const UnitCaptions& captions) const;

  // The 1-based number of the first line at or after line index `from` whose
  // decoded text is `text` and that lies before the unit's end ("]]"); 0 when none.
  int FindLineInUnit(std::string_view text, std::size_t from) const;

  // The file's lines (raw CP932), line 1 at index 0: for checks that scan a
  // unit again.
  const ByteLines& Lines() const { return *lines_; }

  // The similar problems the course menu lists for the unit.
  std::vector<int> SimilarProblems(int unit) const;

 private:
  // Behind pointers so that the lines' views stay valid when the index moves.
  std::unique_ptr<const std::string> bytes_;
  std::unique_ptr<ByteLines> lines_;
  std::unordered_map<std::string, std::vector<std::size_t>> keyLines_;  // ascending lines
};

}  // namespace tavolo
