#include "app/sheet_saving.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/start_up.h"
#include "authoring/unit_block.h"
#include "authoring/written_lines.h"
#include "content/unit_reader.h"
#include "platform/file_lock.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "sheet/sheet_writer.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

// "…の保存に失敗しました", and on the next line why, as the file system said it.
Failure SaveFailed(const std::string& path, const Failure& why) {
  return Failure{path + "の保存に失敗しました\n" + why.message};
}

// The folder a copy file dialog opens in: the lesson's stem names its
// copy-file folder inside the course folder.
// A course on a read-only medium (or folder) takes no copy files: the dialog
// then opens in the per-user data folder, under the same lesson name.
std::string CopyFileFolder(const SheetDocument& sheet, const AppState& app) {
  const Lesson* lesson = app.Course().FindLesson(sheet.address.lesson);
  if (!lesson) lesson = app.Course().FindLesson(1);
  const std::string stem = lesson ? lesson->stem : std::string();
  const std::string inCourse = CourseFolderText(app.CourseFolder()) + stem;
  const bool readOnly = app.OnCd() || IsReadOnlyFolder(app.CourseFolder()) ||
                        (IsFolder(inCourse) && IsReadOnlyFolder(inCourse));
  if (!readOnly || app.WindowsFolder().empty()) return inCourse;
  const std::string own = CourseFolderText(app.WindowsFolder()) + stem;
  std::error_code ec;
  fs::create_directories(own, ec);  // the dialog says so if it cannot be made
  return own;
}

// A unit gone from its file comes back from what the sheet holds: the
// editor's blocks, and the blocks the sheet keeps that the editor does not
// write (soft keys, random data), so that its variants stay as they were.
Lines ComeBackWhole(std::string_view key, const UnitBlockBoxes& boxes, const UnitContent& unit) {
  Lines block = AssembleUnitBlock(key, boxes);
  Lines kept;
  const auto keep = [&kept](const char* marker, const Lines& lines) {
    kept.emplace_back(marker);
    kept.insert(kept.end(), lines.begin(), lines.end());
    kept.emplace_back(">>");
  };
  if (!unit.softkeyLines.empty()) keep("<<softkey", unit.softkeyLines);
  if (unit.HasRandomBlock()) keep("<<random", unit.randomLines);
  block.insert(block.end() - 1, kept.begin(), kept.end());  // before "]]"
  return block;
}

}  // namespace

SaveOutcome SaveMaster(SheetDocument& sheet, Dialogs& dialogs) {
  const std::string path = sheet.filePath;
  // Held until the file is replaced, as every read-modify-write of a course file.
  auto lock = FileLock::Acquire(path);
  if (!lock) {
    dialogs.Inform(SaveFailed(path, lock.failure()).message);
    return SaveOutcome::Failed;
  }
  std::string bytes;
  if (PathExists(path)) {
    auto read = ReadFileBytes(path);
    if (!read) {
      // Never rebuild a question file we could not read: its other units would be lost.
      dialogs.Inform(SaveFailed(path, read.failure()).message);
      return SaveOutcome::Failed;
    }
    bytes = std::move(read).value();
  }
  const std::string key = UnitKeyLine(sheet.address);
  const auto found = FindUnitBlockForRewrite(bytes, key, path);
  if (!found) {
    dialogs.Inform(found.message() + "（名前を付けて保存はできます）");
    return SaveOutcome::Failed;
  }
  if (sheet.unitOnDisk && HasNewerUnit(bytes, key, *sheet.unitOnDisk) &&
      !dialogs.AskBeforeDestroying(NewerUnitQuestion(fs::path(sheet.identity).filename().string())))
    return SaveOutcome::Cancelled;
  // A unit that is gone from the file (or the file itself) since the sheet was
  // opened comes back whole from what the sheet holds.
  UnitBlockBoxes boxes;
  const UnitContent written = sheet.params.WrittenUnit();
  if (found->has_value()) {
    boxes = (*found)->boxes;
  } else {
    boxes.question = written.questionLines;
    boxes.kgroup = written.kgroupLines;
  }
  boxes.settings = WriteLayoutBlocks(sheet.params);
  boxes.graph = sheet.params.unit.graphLines;
  boxes.aGraph = sheet.params.unit.aGraphLines;
  for (const Lines* lines : {&boxes.settings, &boxes.graph, &boxes.aGraph}) {
    if (const auto fault = FindUnwritableLine(*lines, "問題ファイル")) {
      dialogs.Inform(SaveFailed(path, Failure{fault->message}).message);
      return SaveOutcome::Failed;
    }
  }

  const std::string bytesOut = found->has_value()
                                   ? RewriteUnitBytes(bytes, **found, key, boxes)
                                   : AppendUnitBytes(bytes, ComeBackWhole(key, boxes, written));
  if (Status reads = CheckUnitReadsBack(bytesOut, key, path); !reads) {
    dialogs.Inform(reads.message() + "（名前を付けて保存はできます）");
    return SaveOutcome::Failed;
  }
  if (Status saved = WriteFileAtomic(path, bytesOut); !saved) {
    dialogs.Inform(SaveFailed(path, saved.failure()).message);
    return SaveOutcome::Failed;
  }
  sheet.unitOnDisk = UnitBytes(bytesOut, key).value_or("");
  sheet.modified = false;
  return SaveOutcome::Saved;
}

SaveOutcome SaveCopyFile(SheetDocument& sheet, AppState& app, Dialogs& dialogs) {
  const std::string suggested = CopyFileFolder(sheet, app) + "/*.prp";
  std::string name;
  for (;;) {
    auto chosen = dialogs.ChooseSaveFile(suggested, "*.prp");
    if (!chosen) return SaveOutcome::Cancelled;
    auto accepted = AcceptCopyFileName(*chosen);
    if (accepted) {
      name = std::move(accepted).value();
      break;
    }
    dialogs.Inform(accepted.message());
  }
  const std::vector<std::string> lines = ComposeCopyFile(sheet.params);
  if (PathExists(name) &&
      !dialogs.AskBeforeDestroying("ファイル" + name + "を上書きしてもいいですか？"))
    return SaveOutcome::Cancelled;
  return UpdateSavedFile(sheet, app, name, lines, dialogs);
}

SaveOutcome UpdateSavedFile(SheetDocument& sheet, AppState& app, const std::string& path,
                            const std::vector<std::string>& lines, Dialogs& dialogs) {
  if (const auto fault = FindUnwritableLine(lines, "コピーファイル")) {
    dialogs.Inform(SaveFailed(path, Failure{fault->message}).message);
    return SaveOutcome::Failed;
  }
  // A copy file that would not open again is not saved.
  if (Status reads = CheckUnitReadsBack(JoinLinesCp932(lines), kCopyFileKeyLine, path); !reads) {
    dialogs.Inform(reads.message());
    return SaveOutcome::Failed;
  }
  if (Status saved = WriteLines(path, lines); !saved) {
    dialogs.Inform(SaveFailed(path, saved.failure()).message);
    return SaveOutcome::Failed;
  }
  app.RemoveOpenSheet(sheet.identity);
  app.AddOpenSheet(path);
  sheet.identity = path;
  sheet.filePath = path;
  sheet.master = false;  // the sheet now shows the copy file
  sheet.modified = false;
  return SaveOutcome::Saved;
}

bool QueryCloseSheet(SheetDocument& sheet, AppState& app, Dialogs& dialogs) {
  if (!sheet.modified) return true;
  switch (dialogs.AskYesNoCancel(sheet.identity + "を保存しますか？")) {
    case Answer::Cancel:
      return false;
    case Answer::No:
      return true;
    case Answer::Yes:
      break;
  }
  const SaveOutcome outcome =
      sheet.master ? SaveMaster(sheet, dialogs) : SaveCopyFile(sheet, app, dialogs);
  return outcome == SaveOutcome::Saved;
}

void CloseSheet(const SheetDocument& sheet, AppState& app) { app.RemoveOpenSheet(sheet.identity); }

}  // namespace tavolo
