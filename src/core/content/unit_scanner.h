#pragma once
// Where a unit of a question or copy file begins and ends, and where each of
// its blocks does. Opening a sheet, the course check, the editor's block
// reader and the overwrite save all ask this one scanner: when each had its
// own idea of where a unit ends, a save of one unit could cut into the next.
//
// The rules, on whole lines compared exactly:
//  - a unit starts at its key line and ends with a line "]]" between blocks,
//    or at the end of the file;
//  - a block the reader knows (kReaderBlocks) runs from its marker line to
//    the first line ">>": a "]]" or another marker inside it is content.
//    "<<ques" may start with a "{" ... "}" group;
//  - the lines of any other block ("<<dummy", "<<hint", blocks of other
//    programs) are stepped over one by one, so a "]]" there ends the unit and
//    a known marker there opens its block; "<<dummy" and "<<hint" are listed
//    as blocks, complete when their ">>" comes first;
//  - a unit key line inside a known block means its ">>" was forgotten: the
//    block ends before that line and the unit is broken there;
//  - a key line between blocks means the unit's "]]" was forgotten: the unit
//    ends before it and is broken there.
// A broken unit can still be read for a sheet when its known blocks are
// whole, but is never rewritten in place: nobody can tell for sure which of
// its lines belong to it.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavolo {

inline constexpr std::string_view kUnitEndLine = "]]";
inline constexpr std::string_view kBlockEndLine = ">>";

// Every block marker that any part of the program reads or writes.
inline constexpr std::array<std::string_view, 13> kBlockMarkers = {
    "<<ques",   "<<ans",     "<<header", "<<value", "<<font", "<<kran",  "<<graph",
    "<<kgroup", "<<softkey", "<<AGraph", "<<dummy", "<<hint", "<<random"};

// The blocks the unit reader takes in, whose content ends only at ">>".
// "<<random" is one of them: its declarations may hold any text, and a line
// such as "]]" there must not end the unit.
inline constexpr std::array<std::string_view, 11> kReaderBlocks = {
    "<<ques",  "<<ans",    "<<header",  "<<value",  "<<font",  "<<kran",
    "<<graph", "<<kgroup", "<<softkey", "<<AGraph", "<<random"};

bool IsBlockMarker(std::string_view line);
bool IsReaderBlockMarker(std::string_view line);
// A line that opens a unit or a section.
bool IsKeyLine(std::string_view line);
// A line a unit is found by: "[[unit" + a number, with or without "R" + a
// number, or the copy file's "[[unitX". Such a line inside a block would be
// found in place of the unit's own key line.
bool IsUnitKeyLine(std::string_view line);

// Lines of a file as the scanner reads them. Raw CP932 bytes and decoded
// text serve alike: every marker is ASCII, and CP932 never puts an ASCII
// byte inside a double-byte character of a line that equals one.
class LineSource {
 public:
  virtual ~LineSource() = default;
  virtual bool Has(std::size_t index) const = 0;
  virtual std::string_view At(std::size_t index) const = 0;
  // The line as UTF-8 text.
  virtual std::string Text(std::size_t index) const = 0;
  // 1-based line number in the whole file, for messages.
  virtual int LineNumber(std::size_t index) const { return static_cast<int>(index) + 1; }
};

// Decoded lines already in memory.
class LineVector final : public LineSource {
 public:
  explicit LineVector(const std::vector<std::string>& lines) : lines_(lines) {}
  bool Has(std::size_t index) const override { return index < lines_.size(); }
  std::string_view At(std::size_t index) const override { return lines_[index]; }
  std::string Text(std::size_t index) const override { return lines_[index]; }

 private:
  const std::vector<std::string>& lines_;
};

// The lines of a file's raw bytes from a line start on, split only as far as
// they are asked for, so a unit near the end of a large file is read without
// splitting what stands before it. Lines end at CR LF, LF or a lone CR, as
// everywhere; CP932 never uses CR or LF inside a character, so this split of
// the bytes is the split of the decoded text.
class ByteLines final : public LineSource {
 public:
  explicit ByteLines(std::string_view bytes, std::size_t firstLineStart = 0);

  bool Has(std::size_t index) const override;
  std::string_view At(std::size_t index) const override;
  std::string Text(std::size_t index) const override;
  int LineNumber(std::size_t index) const override;

  // Byte offset where line `index` starts; for the line after the last, the
  // end of the bytes.
  std::size_t Begin(std::size_t index) const;
  // Byte offset just past the line's end (its CR LF, LF or CR).
  std::size_t Next(std::size_t index) const;
  std::string_view Bytes() const { return bytes_; }
  // Splits everything; returns the number of lines.
  std::size_t SplitAll() const;

 private:
  struct Span {
    std::size_t begin, end, next;
  };
  bool SplitOne() const;

  std::string_view bytes_;
  std::size_t firstLineStart_;
  mutable std::size_t splitTo_;
  mutable std::vector<Span> spans_;
  mutable int linesBefore_ = -1;  // counted when first needed
};

struct UnitFault {
  std::size_t index = 0;  // the line to mend
  std::string message;    // complete user-facing text
};

struct ScannedBlock {
  std::string_view marker;  // one of kBlockMarkers
  bool known = true;        // one of kReaderBlocks; otherwise its lines were stepped over
  std::size_t open = 0;     // its marker line
  std::size_t first = 0;    // its first content line (after a "{" group of "<<ques")
  std::size_t last = 0;     // one past its last content line: its ">>" when closed
  bool closed = false;      // ended by ">>" (and its "{" group, if any, by "}")
  int fault = -1;           // index into UnitExtent::faults when not closed

  // One past the block's last line.
  std::size_t End() const { return closed ? last + 1 : last; }
};

struct UnitExtent {
  std::size_t key = 0;               // its key line
  std::size_t end = 0;               // one past its last line
  bool endLine = false;              // its last line is "]]"
  std::vector<ScannedBlock> blocks;  // in file order
  std::vector<UnitFault> faults;     // in file order; none for a sound unit

  bool Sound() const { return faults.empty(); }
};

// The unit whose key line is at `key`.
UnitExtent ScanUnit(const LineSource& lines, std::size_t key);

}  // namespace tavolo
