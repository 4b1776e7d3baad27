#include "support/course_files.h"

#include "platform/cp932.h"
#include "platform/paths.h"

namespace tavolo::test {

void WriteCp932Lines(const std::filesystem::path& path, const std::vector<std::string>& utf8Lines,
                     std::string_view lineEnd) {
  std::string bytes;
  for (const auto& line : utf8Lines) {
    bytes += EncodeCp932(line);
    bytes += lineEnd;
  }
  WriteBytes(path, bytes);
}

std::string CourseFolderOf(const TempFolder& folder) {
  return CourseFolderText(folder.path().string());
}

}  // namespace tavolo::test
