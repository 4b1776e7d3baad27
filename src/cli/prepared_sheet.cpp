#include "cli/prepared_sheet.h"

#include <ostream>

#include "gui/sheet/page_image.h"
#include "gui/sheet/qimage_provider.h"

namespace tavolo {

Result<PreparedSheet> PrepareSheet(const std::vector<std::string>& positional, bool answers,
                                   const SheetPaper* paper, std::ostream& problems) {
  Result<LoadedUnit> unit = LoadUnitSource(positional);
  if (!unit) return unit.failure();
  SheetLoad load = LoadSheetParams(unit->content, answers);
  load.params.ApplyPaper(paper ? paper->width : load.params.paperWidth);
  QImageProvider images;
  SheetPictures pictures =
      LoadSheetPictures(load.params, unit->figureFolder, ClassFlagFile(), images, load.problems);
  for (const std::string& problem : load.problems) problems << problem << "\n";
  return PreparedSheet{std::move(load.params), std::move(pictures), unit->shortName, {}};
}

PageSettings CommandPageSettings(const PreparedSheet& sheet) {
  PageSettings settings;
  settings.shortUnitName = sheet.shortName;
  return settings;
}

QImage RenderScreenPage(PreparedSheet& sheet, AnswerBoxRegistry& registry, PageRenderer& renderer,
                        const PageSettings& settings) {
  registry.SetRegistering(true);
  return RenderPageImage(renderer, sheet.page(), settings);
}

}  // namespace tavolo
