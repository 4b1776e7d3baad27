#pragma once
// A unit or a copy file made ready to show as a worksheet: its document (with
// the parameters), its pictures, its short unit name and the folder its
// figures come from. The desktop's "開  く " and the commands that draw all
// compose a sheet here, so that a sheet looks the same wherever it opens.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/sheet_document.h"
#include "content/course_index.h"
#include "content/unit_address.h"
#include "content/unit_content.h"
#include "random/copy_variants.h"
#include "random/random_variant.h"
#include "sheet/image_provider.h"
#include "sheet/sheet_pictures.h"

namespace tavolo {

// Where a sheet comes from: a unit of a course, or a copy file (".prp").
struct SheetOrigin {
  // The course the sheet opens in; a copy file outside any course has none.
  const CourseIndex* course = nullptr;
  std::optional<UnitAddress> unit;  // none: a copy file
  std::string copyFile;             // the copy file's path as chosen

  static SheetOrigin Unit(const CourseIndex& course, const UnitAddress& address) {
    return {&course, address, {}};
  }
  static SheetOrigin CopyFile(const CourseIndex* course, std::string path) {
    return {course, std::nullopt, std::move(path)};
  }
};

// What the pictures of a sheet are loaded with.
struct PictureFiles {
  ImageProvider& images;
  std::filesystem::path classFlagFile;  // empty: no class flag
};

struct OpenedSheet {
  SheetDocument document;  // document.params: the unit's parameters
  SheetPictures pictures;
  std::string shortName;  // the sheet-number line's unit name
  std::filesystem::path figureFolder;
  int variant = 0;  // which numbered variant of a unit with random data was asked for
  // The variant shown (0 stands for 1), its values and fingerprint; its
  // problems are one message to the user, as the groups below.
  RandomVariant random;
  // A unit with random data: its block read and its variants counted once,
  // for the sheet shown here and for every copy printed of it (reading a
  // large block and its answers' widths twice would double the cost of
  // opening the sheet). Null for a unit without one.
  std::shared_ptr<const CopyVariants> variants;
  // What of the unit's layout could not be used (defaults stand in), and what
  // of its figures: each group is one message to the user.
  std::vector<std::string> paramProblems;
  std::vector<std::string> pictureProblems;
};

// The name the sheet-number line shows: the unit's short name, or a copy
// file's own file name.
std::string SheetShortName(const SheetOrigin& origin);

// Figure names are relative to this folder. A unit's figures are its lesson's
// (FigureFolder). A copy file keeps no lesson, so its figures are found as for
// any sheet without one: in the figure folder of the course it opens in
// (lesson 1's "Graph", else the course's "Graph", else the course folder);
// only a copy file opened outside any course looks beside itself.
std::filesystem::path SheetFigureFolder(const SheetOrigin& origin);

// Composes the sheet from the unit's content as read (ReadUnitBlock, ReadUnit
// or ReadCopyFile), with the program's answer display. A unit's document
// remembers its bytes in the question file, for "上書き保存".
OpenedSheet ComposeOpenedSheet(const SheetOrigin& origin, const UnitContent& content,
                               bool answerDisplay, const PictureFiles& pictures, int variant);

}  // namespace tavolo
