#pragma once
// Pictures (figure bitmaps, the class flag) come from files in formats that
// only the GUI toolkit decodes; core asks for them through this interface and
// hands the opaque result to a Canvas.

#include <filesystem>

#include "sheet/canvas.h"

namespace tavolo {

class ImageProvider {
 public:
  virtual ~ImageProvider() = default;
  // The picture in file, or a null image when it is missing or unreadable.
  virtual CanvasImage Load(const std::filesystem::path& file) = 0;
};

}  // namespace tavolo
