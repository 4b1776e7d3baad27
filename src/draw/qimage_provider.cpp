#include "draw/qimage_provider.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include "app/locations.h"
#include "draw/qpainter_canvas.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

CanvasImage QImageProvider::Load(const std::filesystem::path& file) {
  // A missing or undecodable file gives a null image: the sheet shows no picture.
  // The bytes are read by our own reader, which opens regular files only: Qt
  // would wait for ever on a FIFO or read a device without end.
  QImage image;
  if (auto bytes = ReadFileBytes(file))
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.value().data()),
                       static_cast<int>(bytes.value().size()));
  return MakeCanvasImage(std::move(image), file.filename().string());
}

std::filesystem::path ClassFlagFile() {
  const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdString();
  return ResolveCaseInsensitive(ProgramDataFolder(programFolder) / "classFlag.bmp");
}

}  // namespace tavolo
