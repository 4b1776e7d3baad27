#pragma once
// The unit a command works on: `COURSE L.S.U[Rv]` or a copy file `FILE.prp`,
// read as the course menu would open it, with the folder its figures are in.

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "content/unit_content.h"
#include "platform/result.h"
#include "sheet/sheet_params.h"
#include "sheet/sheet_pictures.h"

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

// A unit made ready to draw, as a new worksheet window would show it.
struct PreparedSheet {
  SheetParams params;
  SheetPictures pictures;
  std::string shortName;
};

// Loads the unit, its parameters (answers shown or not, the paper applied as
// the desktop applies the program's paper; nullptr keeps the unit's) and its
// pictures. Problems that leave the sheet usable are written to `problems`.
Result<PreparedSheet> PrepareSheet(const std::vector<std::string>& positional, bool answers,
                                   const SheetPaper* paper, std::ostream& problems);

}  // namespace tavolo
