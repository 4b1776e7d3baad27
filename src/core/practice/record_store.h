#pragma once
// A learner's record file of one lesson: an INI file in Shift-JIS with one
// section per practised unit (keys "1", "2", ... one record line each) and
// the learner's password. Every operation opens the file for itself, as two
// copies of the program (two PCs on one shared course folder) may use the
// same file: writes take the file's lock, read the file afresh, and replace it
// atomically, so no run is ever lost or written twice.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file.h"
#include "platform/result.h"

namespace tavolo {

// The section of a record file that holds the learner's password (key "pw").
inline constexpr std::string_view kPasswordSection = "password";

// Where the runs on one sheet go: the file, the unit's section, and the
// similar problem (0 for the unit itself) that prefixes each line.
struct RecordTarget {
  std::filesystem::path file;
  std::string section;
  int variant = 0;
};

class RecordStore {
 public:
  explicit RecordStore(std::filesystem::path file) : file_(std::move(file)) {}

  // The parsed file with whole values. A missing file is an empty document;
  // a file that exists but cannot be read is a failure.
  [[nodiscard]] static Result<IniDocument> Load(const std::filesystem::path& file);

  // Readers: a missing or unreadable file reads as empty; nothing is created.
  std::vector<std::string> ListKeys(std::string_view section) const;
  std::string ReadValue(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;
  // The section's record lines in the order of RecordEntries: a section's
  // records as every list of them shows them.
  std::vector<std::string> ReadRecords(std::string_view section) const;

  // Writers. Failure (the file, its folder or its lock refused, or a file
  // that exists but cannot be read): path + " に書き込めません", and the file is
  // left exactly as it was.
  [[nodiscard]] Status WriteValue(std::string_view section, std::string_view key,
                                  std::string_view value);
  [[nodiscard]] Status EraseSection(std::string_view section);
  // Writes the line under the key "number of keys + 1" (the next free number
  // when a hand-edited file already uses that one) and returns the key.
  [[nodiscard]] Result<int> AppendRunRecord(std::string_view section, std::string_view line);

  const std::filesystem::path& File() const { return file_; }

 private:
  IniDocument LoadOrEmpty() const;
  // Runs edit on the current document under the lock and writes the result
  // when edit returns true.
  template <class Edit>
  Status Modify(Edit&& edit);

  std::filesystem::path file_;
};

// A section's keys with their values in the order every list of records
// shows them: the numbered keys ("1", "2", ...) by their number, so a run
// filed after a gap in the numbers ("1", "3", then "4") is listed last as the
// newest, then any other key in file order. Every key is listed: the number
// of entries is the section's number of keys, the count the lists show. One
// pass over the section.
using RecordEntryList = std::vector<std::pair<std::string, std::string>>;
RecordEntryList RecordEntries(const IniDocument& file, std::string_view section);

// The practice window's records list: the caption (section + "　　氏名：" +
// learner) and the section's record lines, or "練習の記録はありません".
struct RecordsList {
  std::string caption;
  std::vector<std::string> lines;
};
RecordsList ReadRecordsList(const RecordTarget& target, std::string_view learnerName);

}  // namespace tavolo
