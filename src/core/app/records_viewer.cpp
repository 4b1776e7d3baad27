#include "app/records_viewer.h"

#include "app/class_records.h"
#include "app/record_file.h"
#include "content/lesson_index.h"
#include "practice/record_store.h"

namespace tavolo {

namespace fs = std::filesystem;

std::string RecordCountText(int count) {
  if (count <= 0) return "  回";
  std::string text = std::to_string(count);
  if (text.size() < 2) text.insert(text.begin(), '0');
  return text + "回";
}

std::vector<RecordsListEntry> BuildRecordsUnitList(const CourseIndex& course, int lesson,
                                                   const IniDocument& records) {
  std::vector<RecordsListEntry> entries;
  auto add = [&](std::string section) {
    const int count = static_cast<int>(records.KeyCount(section));
    entries.push_back({RecordCountText(count) + section, std::move(section), count, false});
  };
  if (auto index = ReadLessonIndex(course, lesson)) {
    for (int s = 1; s <= static_cast<int>(index->sections.size()); ++s) {
      const Section& section = index->sections[static_cast<std::size_t>(s - 1)];
      entries.push_back({section.caption, std::string(kNoRecordSection), 0, true});
      for (int u = 1; u <= static_cast<int>(section.units.size()); ++u)
        add(UnitSectionName(s, u, section.units[static_cast<std::size_t>(u - 1)]));
    }
  }
  for (std::string& copy : LessonCopyFiles(course, lesson)) add(std::move(copy));
  return entries;
}

void RecordsViewer::Open(int lesson, std::string learner, Dialogs& dialogs) {
  erased_ = false;
  lesson_ = lesson < 1 ? 1 : lesson;
  learner_ = std::move(learner);
  Reload(&dialogs);
}

void RecordsViewer::Reload(Dialogs* dialogs) {
  records_ = IniDocument::Parse({});
  file_.reset();
  // A name that cannot name a file has no records (sign-on never sets one).
  if (auto path = RecordFilePath(app_, lesson_, learner_)) {
    file_ = std::move(path).value();
    if (auto loaded = RecordStore::Load(*file_)) {
      records_ = std::move(loaded).value();
    } else if (dialogs) {
      dialogs->Inform(loaded.message());
    }
  }
  entries_ = BuildRecordsUnitList(app_.Course(), lesson_, records_);
}

std::optional<int> RecordsViewer::FindEntry(std::string_view section) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (!entries_[i].heading && entries_[i].section == section) return static_cast<int>(i);
  return std::nullopt;
}

std::string RecordsViewer::SectionAt(std::optional<int> index) const {
  if (!index || *index < 0 || *index >= static_cast<int>(entries_.size()))
    return std::string(kNoRecordSection);
  return entries_[static_cast<std::size_t>(*index)].section;
}

// The section's lines in the order every list of records shows them, so the
// count in front of the entry is the number of lines and the newest run is
// the last one, whatever gaps the key numbers have.
std::vector<std::string> RecordsViewer::RecordLines(std::optional<int> index) const {
  RecordEntryList entries = RecordEntries(records_, SectionAt(index));
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (auto& entry : entries) lines.push_back(std::move(entry.second));
  return lines;
}

std::vector<std::string> RecordsViewer::DetailLines(std::optional<int> index) const {
  std::vector<std::string> lines = RecordLines(index);
  if (lines.empty()) lines.emplace_back(kNoRecordsLine);
  return lines;
}

std::vector<RunPoint> RecordsViewer::Runs(std::optional<int> index) const {
  std::vector<RunPoint> runs;
  const std::vector<std::string> lines = RecordLines(index);
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (auto record = ParseRecordLine(lines[i]))
      runs.push_back({static_cast<int>(i) + 1, std::move(*record)});
  return runs;
}

namespace {

// Names the section and how many runs go, so that a preselected unit is never
// erased without the learner seeing which one it is.
std::string EraseQuestion(const RecordsListEntry& entry) {
  std::string question = "「" + entry.section + "」の記録";
  if (entry.count > 0) question += "（" + std::to_string(entry.count) + "回）";
  return question + "を消してもいいですか？";
}

}  // namespace

bool RecordsViewer::Erase(std::optional<int> index, Dialogs& dialogs) {
  if (!index || *index < 0 || *index >= static_cast<int>(entries_.size())) {
    dialogs.Inform("消去する単元を選んでください");
    return false;
  }
  if (!dialogs.AskBeforeDestroying(EraseQuestion(entries_[static_cast<std::size_t>(*index)])))
    return false;
  erased_ = true;
  if (!file_) return false;
  if (Status erased = RecordStore(*file_).EraseSection(SectionAt(index)); !erased) {
    dialogs.Inform(erased.message());
    return false;
  }
  Reload(&dialogs);
  return true;
}

}  // namespace tavolo
