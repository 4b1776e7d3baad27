#pragma once
// Pictures for worksheets, decoded by Qt (BMP and PNG), and where the class
// flag picture that ships with the program lives.

#include <filesystem>

#include "sheet/image_provider.h"

namespace tavolo {

class QImageProvider : public ImageProvider {
 public:
  CanvasImage Load(const std::filesystem::path& file) override;
};

// "classFlag.bmp" in the program's data folder (next to the program, the
// installed share folder or the source tree); the path may not exist.
std::filesystem::path ClassFlagFile();

}  // namespace tavolo
