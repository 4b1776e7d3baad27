#pragma once
// INI files with the behaviour of the platform's private-profile functions,
// which learner record files rely on: CP932, CR LF, "[section]" lines followed
// by "key=value" lines; section and key names compare case-insensitively for
// ASCII letters and without the blanks around them; values are trimmed of
// blanks and cut to 1023 bytes on read; a written key replaces the old line in
// place; lines the writer does not touch (comments, blank lines, other
// sections) stay byte-identical.
// A section's name runs from its "[" to the last "]" of the line, so a name
// that holds "]" itself (a unit caption such as "加法[基本]") reads back as it
// was written.
// Unlike the platform, keys are listed without any buffer limit: a section
// with thousands of runs lists every key, so a new record never overwrites one.
// A parsed document finds any section by name in constant time, so reading
// every section of a file of many thousands takes one pass.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/result.h"

namespace tavolo {

inline constexpr std::size_t kIniValueLimit = 1023;
// A value limit that keeps every value whole (learner records: a line is never cut).
inline constexpr std::size_t kIniWholeValues = static_cast<std::size_t>(-1);

// The parsed bytes of one INI file. Names and values in the interface are UTF-8.
class IniDocument {
 public:
  // valueLimit: values longer than this many bytes are cut when read.
  static IniDocument Parse(std::string bytes, std::size_t valueLimit = kIniValueLimit);

  // Every "[section]" line's name in file order (a name given twice is listed twice).
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;
  std::size_t KeyCount(std::string_view section) const;
  // Every key of a section with its value, in file order, in one pass (a
  // reader that wants them all need not look each key up again).
  std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::string Value(std::string_view section, std::string_view key,
                    std::string_view defaultValue) const;

  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  // Removes the "[section]" line and every line up to the next section.
  void EraseSection(std::string_view section);

  const std::string& Bytes() const { return bytes_; }

  // The form in which two section names are the same section: what a reader
  // compares. Callers that match names from a file against names of their
  // own compare these.
  static std::string SectionKey(std::string_view section);

 private:
  struct Line {
    std::size_t begin, end;  // the line's bytes without its line end
  };
  struct Span {
    std::size_t header;   // index of the "[section]" line
    std::size_t endLine;  // one past the last line of the section
  };
  void Index();
  std::optional<Span> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(const Span& span, std::string_view sjisKey) const;
  std::string_view LineText(std::size_t i) const;

  std::string bytes_;
  std::vector<Line> lines_;
  std::vector<Span> sections_;  // in file order
  // SectionKey of the Shift-JIS name -> the first section of that name (the
  // one the platform reads; a later one of the same name is never read).
  std::unordered_map<std::string, std::size_t> sectionIndex_;
  std::size_t valueLimit_ = kIniValueLimit;
};

// One INI file on disk. Each call opens, reads (and for writes, atomically
// rewrites) the file, like the platform functions: nothing is cached.
class IniFile {
 public:
  explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

  // A missing or unreadable file reads as empty.
  // Every "[section]" line's name in file order (a name given twice is listed twice).
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;
  std::size_t KeyCount(std::string_view section) const;
  std::string ReadValue(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;

  // Creates the file and the section when missing. Failure: path + " に書き込めません".
  Status WriteValue(std::string_view section, std::string_view key, std::string_view value);
  Status EraseSection(std::string_view section);

  const std::filesystem::path& path() const { return path_; }

 private:
  std::optional<IniDocument> Load(bool forWriting, Failure* failure) const;
  std::filesystem::path path_;
};

}  // namespace tavolo
