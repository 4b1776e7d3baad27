#include "authoring/question_editor.h"

#include "authoring/editor_figures.h"
#include "authoring/question_text.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "platform/cp932.h"
#include "platform/file_lock.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "sheet/sheet_writer.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

// Told whenever saving gives up before writing.
constexpr std::string_view kNothingWritten = "データファイルは変更していません";

// The unit's boxes as the file holds them now: nothing when the file or the
// unit is not there. A broken unit is read as far as it goes and reported:
// the teacher sees it, but saving will not rewrite it until it is mended.
Result<std::optional<UnitBlockBoxes>> ReadBoxes(const std::string& path, const std::string& key,
                                                Dialogs* dialogs) {
  if (!PathExists(path)) return std::optional<UnitBlockBoxes>();
  auto bytes = ReadFileBytes(path);
  if (!bytes) return bytes.failure();
  auto unit = FindUnitBlockForRewrite(*bytes, key, path);
  if (unit) {
    if (!unit->has_value()) return std::optional<UnitBlockBoxes>();
    return std::optional<UnitBlockBoxes>((*unit)->boxes);
  }
  if (dialogs) dialogs->Inform(unit.message());
  const Lines lines = SplitLines(DecodeCp932(*bytes));
  return std::optional<UnitBlockBoxes>(ReadUnitBlockIntoBoxes(lines, FindUnitKeyLine(lines, key)));
}

}  // namespace

const Lines& NewUnitQuestionLines() {
  static const Lines kLines = {"１．次の各空欄に適語を入れなさい。",
                               "例　日本の首都は　#　東京　#　です"};
  return kLines;
}

std::string EditorAddressText(const UnitAddress& address) {
  std::string text = std::to_string(address.lesson);
  for (const int part : {address.section, address.unit}) {
    text += ' ';
    text += std::to_string(part);
  }
  if (address.variant != 0) {
    text += 'R';
    text += std::to_string(address.variant);
  }
  return text;
}

void QuestionEditor::Load(const CourseIndex& course, const UnitAddress& address,
                          const UnitCaptions& captions, const EditorSheet* sheet,
                          Dialogs& dialogs) {
  course_ = course;
  address_ = address;
  captions_ = captions;
  newUnit_ = sheet == nullptr;
  if (sheet) {
    sheet_ = sheet->params;
    anchors_ = sheet->anchors;
    title_ = sheet->params.unit.title;
  } else {
    // Another sheet in front says nothing about the unit being made.
    sheet_.reset();
    anchors_.clear();
    title_ = UnitTitle(captions, address.section, address.unit);
  }
  figureFolder_ = EditorFigureFolder(course_, address_.lesson);
  LoadFromFile(dialogs);
}

void QuestionEditor::Reload(Dialogs& dialogs) { LoadFromFile(dialogs); }

void QuestionEditor::FillTemplate() {
  boxes.question = NewUnitQuestionLines();
  boxes.settings = DefaultLayoutBlockLines();
}

void QuestionEditor::LoadFromFile(Dialogs& dialogs) {
  modified = false;
  boxes = UnitBlockBoxes();
  existed_ = false;
  filePath_.clear();
  if (address_.section < 1) return;
  filePath_ = PathText(QuestionFilePath(course_, address_));
  auto read = ReadBoxes(filePath_, UnitKeyLine(address_), &dialogs);
  if (!read) {
    // Nothing to show, and saving will find the same fault before it writes.
    dialogs.Inform(read.message());
    return;
  }
  if (read->has_value()) {
    boxes = std::move(**read);
    existed_ = true;
  }
  if (sheet_) {
    if (!existed_) {
      // Gone from the file since the sheet was opened: the sheet still has it.
      boxes.question = sheet_->unit.questionLines;
      boxes.kgroup = sheet_->unit.kgroupLines;
      existed_ = true;
    }
    boxes.settings = WriteLayoutBlocks(*sheet_);
    boxes.graph = sheet_->unit.graphLines;
    boxes.aGraph = sheet_->unit.aGraphLines;
  } else if (!existed_) {
    FillTemplate();
  }
}

EditorSave QuestionEditor::Save(Dialogs& dialogs) {
  if (auto fault = CheckQuestionText(boxes.question)) {
    dialogs.Inform(fault->message);
    return {EditorStop::QuestionText, fault->line};
  }
  if (Status layout = CheckLayoutBlocks(boxes.settings); !layout) {
    dialogs.Inform(layout.message());
    return {EditorStop::LayoutBlocks, 0};
  }
  if (address_.section < 1) return {EditorStop::File, 0};
  // Held until the file is replaced: another editor's save of another unit
  // in between would otherwise be lost.
  auto lock = FileLock::Acquire(filePath_);
  if (!lock) {
    dialogs.Inform(lock.message() + "\n" + std::string(kNothingWritten));
    return {EditorStop::File, 0};
  }
  std::string bytes;
  if (PathExists(filePath_)) {
    auto read = ReadFileBytes(filePath_);
    if (!read) {
      // Never rebuild a question file we could not read: its other units would be lost.
      dialogs.Inform(read.message() + "\n" + std::string(kNothingWritten));
      return {EditorStop::File, 0};
    }
    bytes = std::move(read).value();
  }
  const std::string key = UnitKeyLine(address_);
  const auto found = FindUnitBlockForRewrite(bytes, key, filePath_);
  if (!found) {
    dialogs.Inform(found.message());
    return {EditorStop::File, 0};
  }
  std::string written;
  if (found->has_value()) {
    written = ReplaceUnitBytes(bytes, **found, AssembleUnitBlock(key, boxes));
  } else {
    // A unit made new has the short form; one that was there and has gone
    // since comes back whole.
    written = AppendUnitBytes(
        bytes, existed_ ? AssembleUnitBlock(key, boxes) : AssembleNewUnitBlock(key, boxes));
  }
  if (Status write = WriteFileAtomic(filePath_, written); !write) {
    dialogs.Inform(write.message() + "\n" + std::string(kNothingWritten));
    return {EditorStop::File, 0};
  }
  modified = false;
  existed_ = true;
  return {};
}

EditorClose QuestionEditor::QueryClose(Dialogs& dialogs, EditorSave& save) {
  save = EditorSave();
  if (!modified) return EditorClose::Discarded;
  if (!dialogs.AskYesNo("変更されたデータファイルを保存しますか？")) {
    Cancel();
    return EditorClose::Discarded;
  }
  save = Save(dialogs);
  return save.stop == EditorStop::Saved ? EditorClose::Saved : EditorClose::Stay;
}

bool QuestionEditor::MayEditSource(Dialogs& dialogs) const {
  return !modified ||
         dialogs.AskBeforeDestroying("変更した内容は保存されずに失われます。直接編集しますか？");
}

Result<Lines> QuestionEditor::SourceLines() const {
  if (filePath_.empty()) return Failure{"データファイルがありません"};
  if (!PathExists(filePath_)) return Lines();
  return ReadLines(filePath_);
}

Status QuestionEditor::SaveSource(const Lines& lines, Dialogs& dialogs) {
  if (filePath_.empty()) return Failure{"データファイルがありません"};
  {
    auto lock = FileLock::Acquire(filePath_);
    if (!lock) return lock.failure();
    if (Status written = WriteLines(filePath_, lines); !written) return written;
  }
  Reload(dialogs);
  return Succeeded();
}

Lines ReadUnitHintLines(const fs::path& questionFile, const UnitAddress& address) {
  auto read = ReadBoxes(PathText(questionFile), UnitKeyLine(address), nullptr);
  if (!read || !read->has_value()) return {};
  return (*read)->hint;
}

}  // namespace tavolo
