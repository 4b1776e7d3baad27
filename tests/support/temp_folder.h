#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.

#include <filesystem>
#include <string>
#include <string_view>

namespace tavolo::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view relative) const { return path_ / relative; }

 private:
  std::filesystem::path path_;
};

// Raw bytes, for files that must hold exactly what a test says.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);

}  // namespace tavolo::test
