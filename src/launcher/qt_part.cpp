#include "launcher/qt_part.h"

#include <dlfcn.h>

#include <string>
#include <system_error>

#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

namespace fs = std::filesystem;

const char* QtPartFileName(QtPart part) {
  return part == QtPart::Drawing ? "tavolo-draw.so" : "tavolo-qt.so";
}

std::vector<fs::path> QtPartCandidates(const fs::path& executableDir, QtPart part) {
  const char* const fileName = QtPartFileName(part);
  // Never a path relative to the current folder: that may be a course folder
  // from anywhere, and a library found there would run as the program.
  if (!executableDir.is_absolute()) return {};
  std::vector<fs::path> candidates = {executableDir / fileName};
  // Where this build installs it (lib/<multiarch>/tavolo), then where
  // installations of earlier versions have it.
  const fs::path installed = TAVOLO_QT_PART_DIR;
  if (installed != "lib/tavolo")
    candidates.push_back((executableDir / ".." / installed / fileName).lexically_normal());
  candidates.push_back((executableDir / ".." / "lib" / "tavolo" / fileName).lexically_normal());
  return candidates;
}

fs::path ExecutableFolder(const char* argv0) {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec && self.is_absolute()) return self.parent_path();
  const std::string given = argv0 != nullptr ? argv0 : "";
  if (given.find('/') == std::string::npos) return {};
  return fs::absolute(fs::path(given), ec).parent_path();
}

Result<QtMainFunction> LoadQtPart(const fs::path& executableDir, QtPart part) {
  const char* const fileName = QtPartFileName(part);
  const std::vector<fs::path> candidates = QtPartCandidates(executableDir, part);
  if (candidates.empty())
    return Failure{std::string("プログラムのフォルダが分からないため、プログラムの部品 ") +
                   fileName + " を読み込めません"};
  std::string looked;
  for (const fs::path& candidate : candidates) {
    if (!PathExists(candidate)) {
      looked += (looked.empty() ? "" : ", ") + PathText(candidate);
      continue;
    }
    // Lazy binding: of Qt's many functions, a run calls few.
    void* library = ::dlopen(candidate.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
      const char* why = ::dlerror();
      return Failure{"プログラムの部品を読み込めません: " + PathText(candidate) + ": " +
                     (why != nullptr ? why : "")};
    }
    // The part stays loaded until the process ends: Qt's objects live until then.
    void* entry = ::dlsym(library, kQtMainSymbol);
    if (entry == nullptr)
      return Failure{"プログラムの部品が正しくありません: " + PathText(candidate)};
    return reinterpret_cast<QtMainFunction>(entry);
  }
  return Failure{std::string("プログラムの部品 ") + fileName + " が見つかりません（探した場所: " +
                 looked + "）。プログラムをインストールし直してください。"};
}

}  // namespace tavolo
