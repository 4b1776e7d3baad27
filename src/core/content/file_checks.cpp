#include "content/file_checks.h"

#include <system_error>

#include "platform/text_file.h"
#include "platform/utf8.h"

namespace tavolo {

namespace fs = std::filesystem;

Status RequireFile(const fs::path& path) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (fs::is_regular_file(status)) return Succeeded();
  if (!ec && fs::exists(status)) return Failure{NotAFileMessage(path)};
  return Failure{"ファイル " + PathText(path) + " が見つかりません"};
}

Status RequireFolder(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return Succeeded();
  return Failure{"ディレクトリ " + PathText(path) + " が見つかりません"};
}

std::string FileExtension(std::string_view path) {
  const auto dot = path.find('.');
  if (dot == std::string_view::npos) return {};
  std::string extension;
  std::size_t pos = dot;
  for (int count = 0; count < 4 && pos < path.size(); ++count) {
    const std::size_t length = Utf8CharLength(path, pos);
    extension.append(path.substr(pos, length));
    pos += length;
  }
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return extension;
}

}  // namespace tavolo
