#include "gui/sheet/qimage_provider.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include "app/locations.h"
#include "gui/sheet/qpainter_canvas.h"
#include "platform/paths.h"

namespace tavolo {

CanvasImage QImageProvider::Load(const std::filesystem::path& file) {
  // A missing or undecodable file gives a null image: the sheet shows no picture.
  QImage image(QString::fromStdString(file.string()));
  return MakeCanvasImage(std::move(image), file.filename().string());
}

std::filesystem::path ClassFlagFile() {
  const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdString();
  return ResolveCaseInsensitive(ProgramDataFolder(programFolder) / "classFlag.bmp");
}

}  // namespace tavolo
