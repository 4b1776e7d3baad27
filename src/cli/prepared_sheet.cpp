#include "cli/prepared_sheet.h"

#include <ostream>

#include "draw/page_image.h"
#include "draw/qimage_provider.h"

namespace tavolo {

Result<PreparedSheet> PrepareSheet(const std::vector<std::string>& positional, bool answers,
                                   const SheetPaper* paper, std::ostream& problems, int variant) {
  Result<LoadedUnit> unit = LoadUnitSource(positional);
  if (!unit) return unit.failure();
  QImageProvider images;
  OpenedSheet sheet = ComposeOpenedSheet(unit->Origin(), unit->content, answers,
                                         {images, ClassFlagFile()}, variant);
  std::shared_ptr<const CopyVariants> variants = sheet.variants;
  if (!variants) variants = std::make_shared<const CopyVariants>(unit->content);
  SheetParams& params = sheet.document.params;
  params.ApplyPaper(paper ? paper->width : params.paperWidth);
  for (const auto* group : {&sheet.paramProblems, &sheet.pictureProblems, &sheet.random.problems})
    for (const std::string& problem : *group) problems << problem << "\n";
  return PreparedSheet{
      std::move(params),        std::move(sheet.pictures),           std::move(sheet.shortName), {},
      std::move(unit->content), std::move(sheet.random.fingerprint), std::move(variants)};
}

PageSettings CommandPageSettings(const PreparedSheet& sheet) {
  PageSettings settings;
  settings.shortUnitName = sheet.shortName;
  settings.fingerprint = sheet.fingerprint;
  return settings;
}

QImage RenderScreenPage(PreparedSheet& sheet, PageRenderer& renderer, PageSettings settings) {
  settings.registerBoxes = true;
  return RenderPageImage(renderer, sheet.page(), settings);
}

void RegisterScreenBoxes(PreparedSheet& sheet, PageRenderer& renderer, PageSettings settings) {
  settings.registerBoxes = true;
  LayOutScreenPage(renderer, sheet.page(), settings);
}

}  // namespace tavolo
