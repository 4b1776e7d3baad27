#include "authoring/index_editor.h"

#include <optional>
#include <system_error>

#include "content/unit_names.h"
#include "platform/file_lock.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

// A lesson whose Main.ind line names no file stem has no index file to edit:
// its path would be the course folder's own ".ind".
bool HasIndexFile(const Lesson* lesson) { return lesson && !lesson->stem.empty(); }

// A lesson's folder may not exist yet when its index is made here first.
Status WriteIndexFile(const fs::path& path, const Lines& lines) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);  // a failure shows in the write
  auto lock = FileLock::Acquire(path);
  if (!lock) return lock.failure();
  return WriteLines(path, lines);
}

}  // namespace

Status IndexEditorMayOpen(std::size_t openSheets) {
  if (openSheets > 0) return Failure{std::string(kCloseAllFilesFirst)};
  return Succeeded();
}

Status IndexEditor::ReadCourse(std::string_view courseFolder) {
  auto course = ReadCourseIndex(courseFolder);
  if (!course) return course.failure();
  course_ = std::move(course).value();
  return Succeeded();
}

std::vector<std::string> IndexEditor::LessonCaptions() const {
  std::vector<std::string> captions;
  for (const Lesson& lesson : course_.lessons) captions.push_back(lesson.caption);
  return captions;
}

Status IndexEditor::LoadLesson(int lesson) {
  modified_ = false;
  lesson_ = section_ = unit_ = 0;
  lines_.clear();
  saved_.clear();
  units_.clear();
  if (!course_.FindLesson(lesson)) lesson = 1;
  const Lesson* entry = course_.FindLesson(lesson);
  if (!entry) return Succeeded();  // a course without lessons: nothing to edit
  if (!HasIndexFile(entry))
    return Failure{"Main.ind の「" + entry->caption +
                   "」の行にはファイル名がないので、インデックスを作れません"};
  const fs::path path = LessonIndexPath(course_, lesson);
  if (PathExists(path)) {
    auto lines = ReadLines(path);
    if (!lines) return lines.failure();
    lines_ = std::move(lines).value();
  } else {
    lines_ = LessonIndexTemplate();
  }
  lesson_ = lesson;
  saved_ = lines_;
  if (SectionCount(lines_) > 0) return ChooseSection(1);
  return Succeeded();
}

Status IndexEditor::ChooseSection(int section) {
  if (lesson_ < 1 || !FindSectionLine(lines_, section))
    return Failure{std::string(kSectionNotFound)};
  section_ = section;
  unit_ = 0;
  units_ = SectionUnitCaptions(lines_, section);
  if (!units_.empty()) ChooseUnit(1);
  return Succeeded();
}

void IndexEditor::ChooseUnit(int unit) {
  if (unit >= 1 && unit <= static_cast<int>(units_.size())) unit_ = unit;
}

namespace {

// Asks for a name and checks it; nothing when the teacher cancels or the
// name is refused (the reason is shown).
std::optional<std::string> AskName(TextInput& input, Dialogs& dialogs, std::string_view prompt,
                                   std::string_view current, Status (*check)(std::string_view name),
                                   std::string (*tidy)(std::string_view name) = nullptr) {
  auto name = input.AskText(prompt, current);
  if (!name) return std::nullopt;
  if (tidy) *name = tidy(*name);
  if (Status usable = check(*name); !usable) {
    dialogs.Inform(usable.message());
    return std::nullopt;
  }
  return name;
}

}  // namespace

bool IndexEditor::AddSection(TextInput& input, Dialogs& dialogs) {
  if (lesson_ < 1) return false;
  if (SectionCount(lines_) >= kMaxSections) {
    dialogs.Inform("セクションは" + std::to_string(kMaxSections) + "までしか作れません");
    return false;
  }
  auto name = AskName(input, dialogs, kInputMainAdd, {}, CheckSectionName);
  if (!name) return false;
  modified_ = true;
  if (name->empty()) return false;
  const int n = AppendSection(lines_, *name);
  (void)ChooseSection(n);  // just appended: always found
  return true;
}

bool IndexEditor::RenameSection(TextInput& input, Dialogs& dialogs) {
  if (section_ < 1) {
    dialogs.Inform(kClickItemToChange);
    return false;
  }
  const std::vector<std::string> captions = SectionCaptions();
  auto name = AskName(input, dialogs, kInputMainChange,
                      captions[static_cast<std::size_t>(section_ - 1)], CheckSectionName);
  if (!name) return false;
  modified_ = true;
  // An empty caption is taken too: the section stays, only its name is blank.
  ReplaceSectionCaption(lines_, section_, *name);
  (void)ChooseSection(section_);
  return true;
}

bool IndexEditor::AddUnit(TextInput& input, Dialogs& dialogs) {
  if (lesson_ < 1) return false;
  if (section_ < 1) {
    // A unit belongs to a section: without one it would go nowhere.
    dialogs.Inform(kChooseSectionToEdit);
    return false;
  }
  auto name = AskName(input, dialogs, kInputSubAdd, {}, CheckUnitName, TidyUnitName);
  if (!name) return false;
  modified_ = true;
  if (name->empty()) return false;
  InsertUnit(lines_, section_, *name);
  (void)ChooseSection(section_);
  ChooseUnit(static_cast<int>(units_.size()));
  return true;
}

bool IndexEditor::RenameUnit(TextInput& input, Dialogs& dialogs) {
  if (unit_ < 1) {
    dialogs.Inform(kClickItemToChange);
    return false;
  }
  auto name = AskName(input, dialogs, kInputSubChange, units_[static_cast<std::size_t>(unit_ - 1)],
                      CheckUnitName, TidyUnitName);
  if (!name) return false;
  modified_ = true;
  if (name->empty()) return false;
  const int unit = unit_;
  ReplaceUnit(lines_, section_, unit, *name);
  (void)ChooseSection(section_);
  ChooseUnit(unit);
  return true;
}

Lines IndexEditor::LinesWithTitle(std::string_view title) const {
  Lines lines = lines_;
  SetTitleLine(lines, title);
  return lines;
}

Result<bool> IndexEditor::Save(std::string_view title) {
  if (lesson_ < 1 || section_ < 1) return Failure{std::string(kChooseSectionToEdit)};
  if (unit_ < 1) return Failure{std::string(kChooseUnitToEdit)};
  Lines lines = LinesWithTitle(title);
  // A new title alone is a change too: the teacher typed it to keep it.
  if (!modified_ && lines == lines_) return false;
  if (Status written = WriteIndexFile(IndexPath(), lines); !written) return written.failure();
  lines_ = std::move(lines);
  saved_ = lines_;
  modified_ = false;
  return true;
}

bool IndexEditor::MayDiscardEdits(std::string_view title, Dialogs& dialogs) const {
  if (lesson_ < 1 || LinesWithTitle(title) == saved_) return true;
  return dialogs.AskBeforeDestroying(kDiscardEditsQuestion);
}

bool IndexEditor::HasChanges(std::string_view title) const {
  return lesson_ >= 1 && (modified_ || LinesWithTitle(title) != saved_);
}

bool IndexEditor::AskSaveOnClose(std::string_view title, Dialogs& dialogs) const {
  return HasChanges(title) && dialogs.AskYesNo("変更されたインデックスファイルを保存しますか？");
}

std::optional<LineFault> CheckIndexSource(const Lines& lines) {
  return FindUnwritableLine(lines, "インデックスファイル");
}

Status IndexEditor::WriteIndex(const Lines& lines) {
  if (lesson_ < 1) return Failure{std::string(kChooseSectionToEdit)};
  if (const auto fault = CheckIndexSource(lines)) return Failure{fault->message};
  return WriteIndexFile(IndexPath(), lines);
}

std::string IndexEditor::Title() const { return lines_.empty() ? std::string() : lines_.front(); }

std::vector<std::string> IndexEditor::SectionCaptions() const {
  std::vector<std::string> captions;
  for (const Section& section : Index().sections) captions.push_back(section.caption);
  return captions;
}

fs::path IndexEditor::IndexPath() const {
  if (lesson_ < 1) return {};
  return LessonIndexPath(course_, lesson_);
}

std::string IndexEditor::DataFileText() const {
  if (lesson_ < 1 || section_ < 1) return {};
  const fs::path file = QuestionFilePath(course_, UnitAddress{lesson_, section_, 1, 0});
  return PathExists(file) ? PathText(file) : std::string(kNotMadeYet);
}

IndexTree IndexEditor::Tree(const UnitMarkLookup& marks) const {
  return BuildIndexTree(Index(), marks);
}

}  // namespace tavolo
