#include "practice/record_store.h"

#include <system_error>

#include "platform/file_lock.h"
#include "platform/text_file.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

Failure Unwritable(const fs::path& file) { return Failure{PathText(file) + " に書き込めません"}; }

}  // namespace

Result<IniDocument> RecordStore::Load(const fs::path& file) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(file, ec))) return IniDocument::Parse({}, kIniWholeValues);
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
  const IniDocument doc = LoadOrEmpty();
  const std::size_t count = doc.Keys(section).size();
  std::vector<std::string> lines;
  lines.reserve(count);
  for (std::size_t k = 1; k <= count; ++k)
    lines.push_back(doc.Value(section, std::to_string(k), "?"));
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
    key = static_cast<int>(doc.Keys(section).size()) + 1;
    // A record is never written over another one.
    while (doc.Value(section, std::to_string(key)).has_value()) ++key;
    doc.SetValue(section, std::to_string(key), line);
    return true;
  });
  if (!status) return status.failure();
  return key;
}

RecordsList ReadRecordsList(const RecordTarget& target, std::string_view learnerName) {
  RecordsList list{target.section + "　　氏名：" + std::string(learnerName),
                   RecordStore(target.file).ReadRecords(target.section)};
  if (list.lines.empty()) list.lines.push_back("練習の記録はありません");
  return list;
}

}  // namespace tavolo
