#include "practice/record_store.h"

#include <algorithm>
#include <system_error>
#include <unordered_set>

#include "platform/file_lock.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

Failure Unwritable(const fs::path& file) { return Failure{PathText(file) + " に書き込めません"}; }

bool IsRecordNumber(std::string_view key) {
  return !key.empty() &&
         std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Compares two decimal numbers of any length by value ("007" is 7).
bool NumberBefore(std::string_view a, std::string_view b) {
  auto significant = [](std::string_view n) {
    const std::size_t first = n.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : n.substr(first);
  };
  a = significant(a);
  b = significant(b);
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace

RecordEntryList RecordEntries(const IniDocument& file, std::string_view section) {
  RecordEntryList entries = file.Entries(section);
  // Numbered keys first, by number; equal numbers and other keys keep their
  // order in the file. A file as the program writes it is in order already.
  const auto before = [](const auto& a, const auto& b) {
    const bool numberA = IsRecordNumber(a.first), numberB = IsRecordNumber(b.first);
    if (numberA != numberB) return numberA;
    return numberA && NumberBefore(a.first, b.first);
  };
  if (!std::is_sorted(entries.begin(), entries.end(), before))
    std::stable_sort(entries.begin(), entries.end(), before);
  return entries;
}

Result<IniDocument> RecordStore::Load(const fs::path& file) {
  if (!EntryExists(file)) return IniDocument::Parse({}, kIniWholeValues);
  auto bytes = ReadFileBytes(file);
  if (!bytes) return bytes.failure();
  return IniDocument::Parse(std::move(bytes).value(), kIniWholeValues);
}

IniDocument RecordStore::LoadOrEmpty() const {
  auto doc = Load(file_);
  return doc ? std::move(doc).value() : IniDocument::Parse({}, kIniWholeValues);
}

std::vector<std::string> RecordStore::ListKeys(std::string_view section) const {
  return LoadOrEmpty().Keys(section);
}

std::string RecordStore::ReadValue(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
  return LoadOrEmpty().Value(section, key, defaultValue);
}

std::vector<std::string> RecordStore::ReadRecords(std::string_view section) const {
  RecordEntryList entries = RecordEntries(LoadOrEmpty(), section);
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (auto& entry : entries) lines.push_back(std::move(entry.second));
  return lines;
}

template <class Edit>
Status RecordStore::Modify(Edit&& edit) {
  auto lock = FileLock::Acquire(file_);
  if (!lock) return Unwritable(file_);
  auto doc = Load(file_);
  // Never replace a file we could not read with one that lacks its content.
  if (!doc) return Unwritable(file_);
  if (!edit(doc.value())) return Succeeded();
  if (Status written = WriteFileAtomic(file_, doc->Bytes()); !written) return Unwritable(file_);
  return Succeeded();
}

Status RecordStore::WriteValue(std::string_view section, std::string_view key,
                               std::string_view value) {
  return Modify([&](IniDocument& doc) {
    doc.SetValue(section, key, value);
    return true;
  });
}

Status RecordStore::EraseSection(std::string_view section) {
  return Modify([&](IniDocument& doc) {
    const std::size_t before = doc.Bytes().size();
    doc.EraseSection(section);
    return doc.Bytes().size() != before;  // nothing erased, nothing to write
  });
}

Result<int> RecordStore::AppendRunRecord(std::string_view section, std::string_view line) {
  int key = 0;
  Status status = Modify([&](IniDocument& doc) {
    const std::vector<std::string> keys = doc.Keys(section);
    key = static_cast<int>(keys.size()) + 1;
    // A record is never written over another one. Digits have no letter
    // case, so the keys compare as they are.
    const std::unordered_set<std::string> taken(keys.begin(), keys.end());
    while (taken.count(std::to_string(key))) ++key;
    doc.SetValue(section, std::to_string(key), line);
    return true;
  });
  if (!status) return status.failure();
  return key;
}

RecordsList ReadRecordsList(const RecordTarget& target, std::string_view learnerName) {
  RecordsList list{target.section + "　　氏名：" + std::string(learnerName),
                   RecordStore(target.file).ReadRecords(target.section)};
  if (list.lines.empty()) list.lines.emplace_back("練習の記録はありません");
  return list;
}

}  // namespace tavolo
