#include "authoring/question_editor.h"

#include <algorithm>

#include "authoring/editor_figures.h"
#include "authoring/question_text.h"
#include "content/unit_names.h"
#include "content/unit_reader.h"
#include "content/unit_scanner.h"
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
constexpr int kShownRandomErrors = 8;

// The unit's boxes as the file holds them now: nothing when the file or the
// unit is not there. A broken unit is read as far as it goes and reported:
// the teacher sees it, but saving will not rewrite it until it is mended.
struct FileUnit {
  std::optional<UnitBlockBoxes> boxes;
  std::string bytes;  // the unit's bytes in the file; "" when it is not there
};
Result<FileUnit> ReadBoxes(const std::string& path, const std::string& key, Dialogs* dialogs) {
  if (!PathExists(path)) return FileUnit();
  auto bytes = ReadFileBytes(path);
  if (!bytes) return bytes.failure();
  FileUnit read;
  read.bytes = UnitBytes(*bytes, key).value_or("");
  auto unit = FindUnitBlockForRewrite(*bytes, key, path);
  if (unit) {
    if (unit->has_value()) read.boxes = (*unit)->boxes;
    return read;
  }
  if (dialogs) dialogs->Inform(unit.message());
  const Lines lines = SplitLines(DecodeCp932(*bytes));
  read.boxes = ReadUnitBlockIntoBoxes(lines, FindUnitKeyLine(lines, key));
  return read;
}

struct BoxRule {
  EditorBox box;
  const char* caption;
  const Lines UnitBlockBoxes::*lines;
  BoxReading kind;
};
constexpr BoxRule kBoxRules[] = {
    {EditorBox::Question, "<<ques 問題ブロック", &UnitBlockBoxes::question, BoxReading::Block},
    {EditorBox::Dummy, "<<dummy ダミーの解答", &UnitBlockBoxes::dummy, BoxReading::SteppedOver},
    {EditorBox::Kgroup, "<<kgroup 解選択ブロック", &UnitBlockBoxes::kgroup, BoxReading::Block},
    {EditorBox::Hint, "<<hint ヒントブロック", &UnitBlockBoxes::hint, BoxReading::SteppedOver},
    {EditorBox::Graph, "<<graph 問題のグラフ", &UnitBlockBoxes::graph, BoxReading::Block},
    {EditorBox::AGraph, "<<AGraph 解答のグラフ", &UnitBlockBoxes::aGraph, BoxReading::Block},
    {EditorBox::Settings, "<<value 位置情報など", &UnitBlockBoxes::settings, BoxReading::Layout},
    {EditorBox::Random, "<<random 乱数", &UnitBlockBoxes::random, BoxReading::Block},
};

}  // namespace

std::string_view EditorBoxCaption(EditorBox box) {
  for (const BoxRule& rule : kBoxRules)
    if (rule.box == box) return rule.caption;
  return {};
}

std::optional<BoxFault> CheckEditorBoxes(const UnitBlockBoxes& boxes) {
  for (const BoxRule& rule : kBoxRules) {
    const Lines& lines = boxes.*rule.lines;
    std::optional<LineFault> fault = FindUnwritableLine(lines, "データファイル");
    if (!fault) fault = FindStructureLine(lines, rule.kind);
    if (!fault && rule.box == EditorBox::Question) fault = FindOverLimit(lines);
    if (fault) {
      fault->message = std::string(rule.caption) + " の " + fault->message;
      return BoxFault{rule.box, std::move(*fault)};
    }
  }
  return std::nullopt;
}

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
    questionsBottom_ = sheet->questionsBottom;
    title_ = sheet->params.unit.title;
  } else {
    // Another sheet in front says nothing about the unit being made.
    sheet_.reset();
    anchors_.clear();
    questionsBottom_ = 0;
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
  loadedUnit_.reset();
  filePath_.clear();
  if (address_.section < 1) return;
  filePath_ = PathText(QuestionFilePath(course_, address_));
  auto read = ReadBoxes(filePath_, UnitKeyLine(address_), &dialogs);
  if (!read) {
    // Nothing to show, and saving will find the same fault before it writes.
    dialogs.Inform(read.message());
    return;
  }
  loadedUnit_ = read->bytes;
  if (read->boxes) {
    boxes = std::move(*read->boxes);
    existed_ = true;
  }
  if (sheet_) {
    if (!existed_) {
      // Gone from the file since the sheet was opened: the sheet still has
      // it, as written (a sheet of random data shows one variant's values).
      const UnitContent written = sheet_->WrittenUnit();
      boxes.question = written.questionLines;
      boxes.kgroup = written.kgroupLines;
      boxes.random = written.randomLines;
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
  if (const auto box = CheckEditorBoxes(boxes)) {
    dialogs.Inform(box->fault.message);
    return {EditorStop::BoxLine, box->fault.line, box->box, box->fault.offset};
  }
  if (Status layout = CheckLayoutBlocks(boxes.settings); !layout) {
    dialogs.Inform(layout.message());
    return {EditorStop::LayoutBlocks, 0};
  }
  // Warnings (few variants, a "$" without random data) are the author's to
  // weigh; only errors, which would print a faulty sheet, stop the save.
  std::string errors;
  std::optional<BoxMessage> firstError;
  int errorCount = 0;
  for (BoxMessage& message : dataCheck_ ? dataCheck_(boxes) : std::vector<BoxMessage>()) {
    if (message.warning) continue;
    // A message box of a few lines is read; the rest is counted.
    if (++errorCount <= kShownRandomErrors) errors += (errors.empty() ? "" : "\n") + message.text;
    if (!firstError) firstError = std::move(message);
  }
  if (firstError) {
    if (errorCount > kShownRandomErrors)
      errors += "\nほかに " + std::to_string(errorCount - kShownRandomErrors) + " 件あります";
    dialogs.Inform(errors);
    return {EditorStop::BoxLine, firstError->line, firstError->box, firstError->offset};
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
  if (loadedUnit_ && HasNewerUnit(bytes, key, *loadedUnit_) &&
      !dialogs.AskBeforeDestroying(NewerUnitQuestion(ShortUnitName(course_, address_))))
    return {EditorStop::Declined, 0};
  std::string written;
  if (found->has_value()) {
    written = RewriteUnitBytes(bytes, **found, key, boxes);
  } else {
    // A unit made new has the short form; one that was there and has gone
    // since comes back whole.
    written = AppendUnitBytes(
        bytes, existed_ ? AssembleUnitBlock(key, boxes) : AssembleNewUnitBlock(key, boxes));
  }
  if (Status reads = CheckUnitReadsBack(written, key, filePath_); !reads) {
    dialogs.Inform(reads.message());
    return {EditorStop::File, 0};
  }
  if (Status write = WriteFileAtomic(filePath_, written); !write) {
    dialogs.Inform(write.message() + "\n" + std::string(kNothingWritten));
    return {EditorStop::File, 0};
  }
  modified = false;
  existed_ = true;
  loadedUnit_ = UnitBytes(written, key).value_or("");
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

std::optional<LineFault> CheckQuestionSource(const Lines& before, const Lines& after) {
  if (auto fault = FindUnwritableLine(after, "問題ファイル")) return fault;
  // Every unit key line of a text with its index, in order.
  using Keys = std::vector<std::pair<std::string, std::size_t>>;
  const auto keysOf = [](const Lines& lines) {
    Keys keys;
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (IsUnitKeyLine(lines[i])) keys.emplace_back(lines[i], i);
    return keys;
  };
  const auto count = [](const Keys& keys, const std::string& key) {
    return std::count_if(keys.begin(), keys.end(), [&](const auto& k) { return k.first == key; });
  };
  const Keys was = keysOf(before), is = keysOf(after);
  const LineVector wasLines(before), isLines(after);
  std::vector<std::string> seen;
  for (const auto& entry : is) {
    const std::string& key = entry.first;
    const std::size_t index = entry.second;
    const auto at = [](std::size_t line, std::string message) {
      return LineFault{std::to_string(line + 1) + "行目：" + std::move(message),
                       static_cast<int>(line) + 1, 0};
    };
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) {
      // Only the first of two equal key lines is ever found.
      if (count(was, key) < count(is, key))
        return at(index, "「" + key + "」はこのファイルで二つめです（二つめの単元は開けません）");
      continue;
    }
    seen.push_back(key);
    const UnitExtent extent = ScanUnit(isLines, index);
    if (extent.Sound()) continue;
    // A unit that was broken already is the teacher's to mend at leisure.
    const auto old =
        std::find_if(was.begin(), was.end(), [&](const auto& k) { return k.first == key; });
    if (old != was.end() && !ScanUnit(wasLines, old->second).Sound()) continue;
    const UnitFault& fault = extent.faults.front();
    return at(fault.index, fault.message + "（" + key + " の形が崩れます）");
  }
  return std::nullopt;
}

}  // namespace tavolo
