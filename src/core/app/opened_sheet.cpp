#include "app/opened_sheet.h"

#include <utility>

#include "authoring/unit_block.h"
#include "content/unit_names.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "random/unit_variant.h"
#include "sheet/sheet_params.h"

namespace tavolo {

namespace fs = std::filesystem;

std::string SheetShortName(const SheetOrigin& origin) {
  if (origin.unit && origin.course) return ShortUnitName(*origin.course, *origin.unit);
  return PathText(fs::path(origin.copyFile).filename());
}

fs::path SheetFigureFolder(const SheetOrigin& origin) {
  if (origin.course) return FigureFolder(*origin.course, origin.unit ? origin.unit->lesson : 0);
  return fs::absolute(origin.copyFile).lexically_normal().parent_path();
}

OpenedSheet ComposeOpenedSheet(const SheetOrigin& origin, const UnitContent& content,
                               bool answerDisplay, const PictureFiles& pictures, int variant) {
  OpenedSheet sheet;
  SheetDocument& document = sheet.document;
  if (origin.unit && origin.course) {
    const UnitAddress& address = *origin.unit;
    const fs::path file = QuestionFilePath(*origin.course, address);
    document.address = address;
    document.filePath = PathText(file);
    document.identity = UnitIdentity(*origin.course, address);
    document.master = true;
    // What "上書き保存" will compare with, to notice a save made meanwhile elsewhere.
    if (auto bytes = ReadFileBytes(file))
      document.unitOnDisk = UnitBytes(bytes.value(), UnitKeyLine(address)).value_or("");
  } else {
    // A copy is known by its own path, as a sheet saved to it is.
    document.filePath = origin.copyFile;
    document.identity = origin.copyFile;
    document.master = false;
  }
  document.modified = false;
  if (content.HasRandomBlock()) sheet.variants = std::make_shared<const CopyVariants>(content);
  UnitVariant expanded =
      sheet.variants ? sheet.variants->Unit().Expand(variant) : ExpandUnitVariant(content, variant);
  sheet.random = std::move(expanded.random);
  SheetLoad load = LoadSheetParams(expanded.content, answerDisplay);
  document.params = std::move(load.params);
  if (content.HasRandomBlock())
    document.params.written = SheetParams::WrittenLines{content.questionLines, content.kgroupLines};
  sheet.paramProblems = std::move(load.problems);
  sheet.shortName = SheetShortName(origin);
  sheet.figureFolder = SheetFigureFolder(origin);
  sheet.pictures = LoadSheetPictures(document.params, sheet.figureFolder, pictures.classFlagFile,
                                     pictures.images, sheet.pictureProblems);
  sheet.variant = variant;
  return sheet;
}

}  // namespace tavolo
