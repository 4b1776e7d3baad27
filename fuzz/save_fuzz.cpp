// Saving a sheet over its unit ("上書き保存") in any question file: the save
// either changes nothing or rewrites that unit alone. Every byte before and
// after the unit stays, and every other unit that could be read before reads
// the same afterwards.
//   input: byte 0 picks the unit (1..8, variant 0..5), byte 1 changes the
//   sheet's layout, the rest is the question file.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/sheet_saving.h"
#include "authoring/unit_block.h"
#include "content/unit_reader.h"
#include "content/unit_scanner.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

namespace {

namespace fs = std::filesystem;
using namespace tavolo;

const fs::path& QuestionFile() {
  // Never destroyed: the exit handler that removes the folder still needs it.
  static const fs::path& path = *new fs::path([] {
    const fs::path folder =
        fs::temp_directory_path() / ("tavolo-fuzz-save-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(QuestionFile().parent_path(), ec);
    });
    return folder / "q1.que";
  }());
  return path;
}

void Write(const fs::path& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// The key line of every unit in the file (lines as the readers split them),
// once each: the lines an address can name, as the scanner knows them. ("[[unit"
// without a number was taken for one before, though nothing can ask for it.)
std::vector<std::string> KeyLines(std::string_view bytes) {
  std::vector<std::string> keys;
  for (const std::string& line : SplitLines(DecodeCp932(bytes))) {
    if (!IsUnitKeyLine(line) || line == kCopyFileKeyLine) continue;
    if (std::find(keys.begin(), keys.end(), line) == keys.end() && keys.size() < 64)
      keys.push_back(line);
  }
  return keys;
}

// What a unit reads, wherever it stands: its random block's line in the file
// moves when a unit before it is saved longer or shorter.
UnitContent Unplaced(UnitContent content) {
  if (content.HasRandomBlock()) content.randomFirstLine = 1;
  return content;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const UnitAddress address{1, 1, data[0] % 8 + 1, data[0] / 8 % 6};
  const std::string key = UnitKeyLine(address);
  const std::string before(reinterpret_cast<const char*>(data) + 2, size - 2);
  const fs::path& path = QuestionFile();
  Write(path, before);

  // The sheet as it would have been opened: from the unit when it reads.
  SheetDocument sheet;
  sheet.filePath = path.string();
  sheet.address = address;
  sheet.master = true;
  const UnitCaptions captions{"L", "S", "U"};
  const UnitReading unit = ParseUnitBlockBytes(before, key, 1, address.unit, captions);
  if (unit.ok()) sheet.params = LoadSheetParams(*unit.content, true).params;
  sheet.params.charSize = 8 + data[1] % 20;
  sheet.params.lineSpacing = data[1] % 50;

  const auto found = FindUnitBlockForRewrite(before, key, path.string());
  DecliningDialogs dialogs;
  const SaveOutcome outcome = SaveMaster(sheet, dialogs);
  const auto read = ReadFileBytes(path);
  if (!read) std::abort();
  const std::string& after = read.value();

  if (outcome != SaveOutcome::Saved) {
    if (after != before) std::abort();  // a failed save changes nothing
    return 0;
  }
  if (!found) std::abort();  // a unit that cannot be rewritten is never saved
  if (found->has_value()) {
    // The bytes around the unit are the file's own.
    const UnitBlockInFile& block = **found;
    const std::size_t tail = before.size() - block.end;
    if (after.compare(0, block.begin, before, 0, block.begin) != 0) std::abort();
    if (after.size() < block.begin + tail ||
        after.compare(after.size() - tail, tail, before, block.end, tail) != 0)
      std::abort();
  } else {
    // Appended: everything that was there is still there, in front.
    if (after.compare(0, before.size(), before) != 0) std::abort();
  }
  // The saved unit reads, and so does every other unit that read before.
  if (!ParseUnitBlockBytes(after, key, 1, address.unit, captions).ok()) std::abort();
  for (const std::string& other : KeyLines(before)) {
    if (other == key) continue;
    const UnitReading was = ParseUnitBlockBytes(before, other, 1, 1, captions);
    if (!was.ok()) continue;
    const UnitReading is = ParseUnitBlockBytes(after, other, 1, 1, captions);
    if (!is.ok() || Unplaced(*is.content) != Unplaced(*was.content)) std::abort();
  }
  return 0;
}
