#pragma once
// The unit a command works on: `COURSE L.S.U[Rv]` or a copy file `FILE.prp`,
// read as the course menu would open it, with the folder its figures are in.

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "content/unit_content.h"
#include "platform/result.h"

namespace tavolo {

struct LoadedUnit {
  UnitContent content;
  std::string shortName;
  std::filesystem::path figureFolder;
  std::string questionFile;  // the file read (a copy file's own path)
  std::string keyLine;       // "[[unitN[Rv]" or "[[unitX"
  std::string identity;      // the worksheet window's caption
};

Result<LoadedUnit> LoadCourseUnit(const std::string& courseFolder, const std::string& addressText);
Result<LoadedUnit> LoadCopyFile(const std::string& file);

// One positional argument naming a ".prp" file, or two: course folder and address.
bool IsUnitSource(const std::vector<std::string>& positional);
Result<LoadedUnit> LoadUnitSource(const std::vector<std::string>& positional);

}  // namespace tavolo
