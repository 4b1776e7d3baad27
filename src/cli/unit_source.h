#pragma once
// The unit a command works on: `COURSE L.S.U[Rv]` or a copy file `FILE.prp`,
// read as the course menu would open it.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/opened_sheet.h"
#include "content/course_index.h"
#include "content/unit_address.h"
#include "content/unit_content.h"
#include "platform/result.h"

namespace tavolo {

struct LoadedUnit {
  UnitContent content;
  // The unit's course; for a copy file, the course it lies in (saving puts a
  // copy in a lesson's folder below the course folder), if any.
  std::optional<CourseIndex> course;
  std::optional<UnitAddress> address;  // none: a copy file
  std::string shortName;
  std::string questionFile;  // the file read (a copy file's own path)
  std::string keyLine;       // "[[unitN[Rv]" or "[[unitX"
  std::string identity;      // the worksheet window's caption

  // Where the sheet comes from, as the desktop would open it (valid while this lives).
  SheetOrigin Origin() const;
};

Result<LoadedUnit> LoadCourseUnit(const std::string& courseFolder, const std::string& addressText);
Result<LoadedUnit> LoadCopyFile(const std::string& file);

// One positional argument naming a ".prp" file, or two: course folder and address.
bool IsUnitSource(const std::vector<std::string>& positional);
Result<LoadedUnit> LoadUnitSource(const std::vector<std::string>& positional);

}  // namespace tavolo
