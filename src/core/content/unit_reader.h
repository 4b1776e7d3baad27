#pragma once
// Reading one unit block out of a question file (many units, each opened by its
// key line "[[unitN" or "[[unitNRv") or a copy file (one unit, key "[[unitX").
// Markers are whole lines compared exactly; where a unit and its blocks end is
// decided by the scanner (unit_scanner.h). Reading never changes the file, and
// a failed reading yields no content at all, so nobody builds a worksheet from
// half a unit.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/course_index.h"
#include "content/lesson_index.h"
#include "content/unit_address.h"
#include "content/unit_content.h"
#include "content/unit_scanner.h"

namespace tavolo {

inline constexpr std::string_view kCopyFileKeyLine = "[[unitX";

struct UnitProblem {
  enum class Kind {
    Missing,    // no file, no lines or no key line: the unit does not exist (yet)
    Malformed,  // the unit exists but breaks a rule; message says which
  };
  Kind kind = Kind::Missing;
  std::string message;  // complete user-facing text
  int line = 0;         // 1-based line where it was found; 0 for the file as a whole
};

struct UnitReading {
  std::optional<UnitContent> content;  // present exactly when the reading succeeded
  UnitProblem problem;                 // meaningful only when content is empty
  // Where the unit's structure is broken (a block without its ">>", a "]]"
  // forgotten before the next key line), in file order. A sheet can still be
  // made of what was read; the course check reports these, and an overwrite
  // save refuses such a unit.
  std::vector<UnitProblem> structureFaults;

  bool ok() const { return content.has_value(); }
};

// The grammar on lines whose key line is at keyIndex.
UnitReading ReadUnitAt(const LineSource& lines, std::size_t keyIndex, int section, int unit,
                       const UnitCaptions& captions);

// The grammar alone on decoded lines (line 1 at [0]).
UnitReading ParseUnitBlock(const std::vector<std::string>& lines, std::string_view keyLine,
                           int section, int unit, const UnitCaptions& captions);

// The grammar on a file's raw CP932 bytes. Only the lines of the unit itself
// are decoded, so a unit near the end of a large file is found quickly.
UnitReading ParseUnitBlockBytes(std::string_view bytes, std::string_view keyLine, int section,
                                int unit, const UnitCaptions& captions);

// Reads file, finds keyLine and reads its blocks; title fields are composed from
// the captions and the section and unit numbers.
UnitReading ReadUnitBlock(const std::filesystem::path& file, std::string_view keyLine, int section,
                          int unit, const UnitCaptions& captions);

// A unit's title: lesson caption + "//" + section caption + "§" + section +
// "-" + unit + " " + unit caption.
std::string UnitTitle(const UnitCaptions& captions, int section, int unit);

// The unit at an address with the captions the course menu would pass.
UnitReading ReadUnit(const CourseIndex& course, const LessonIndex& lessonIndex,
                     const UnitAddress& address);

// The hint lines ("<<hint") of the unit at address: what the practice window
// shows under "ヒントを見る". None when the file or the unit is missing or
// cannot be read. A broken unit still gives the hints its blocks hold.
std::vector<std::string> ReadUnitHintLines(const std::filesystem::path& questionFile,
                                           const UnitAddress& address);

// A copy file: its "[[unitX" unit, with the title, school and name lines taken
// from its "<<header" block (what the teacher saved) when that holds them.
UnitReading ReadCopyFile(const std::filesystem::path& file);

}  // namespace tavolo
