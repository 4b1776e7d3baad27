#include "content/unit_scanner.h"

#include <algorithm>

#include "platform/cp932.h"

namespace tavolo {

namespace {

constexpr std::string_view kQuestionMarker = "<<ques";

// A line that ends whatever block is open: its ">>" must have been forgotten.
bool EndsOpenBlock(std::string_view line) { return IsKeyLine(line) || IsBlockMarker(line); }

std::string UnclosedBlockMessage(std::string_view marker) {
  return std::string(marker) + " ブロックが >> で閉じられていません";
}

class Scanner {
 public:
  Scanner(const LineSource& lines, std::size_t key) : lines_(lines) { extent_.key = key; }

  UnitExtent Run() {
    std::size_t i = extent_.key + 1;
    while (lines_.Has(i)) {
      const std::string_view line = lines_.At(i);
      if (line == kUnitEndLine) {
        extent_.endLine = true;
        extent_.end = i + 1;
        return std::move(extent_);
      }
      if (IsKeyLine(line)) {
        // A block cut short by this line has taken the unit's "]]" along with
        // it: mending the block mends the unit, so only the block is reported.
        const bool cutBlock = !extent_.blocks.empty() && !extent_.blocks.back().closed &&
                              extent_.blocks.back().last == i;
        if (!cutBlock) Fault(i, "単元が ]] で閉じられる前に次の \"[[\" 行があります");
        extent_.end = i;
        return std::move(extent_);
      }
      if (IsBlockMarker(line)) {
        i = Block(i);
        continue;
      }
      ++i;  // a line between blocks that opens none: stepped over
    }
    extent_.end = i;
    return std::move(extent_);
  }

 private:
  int Fault(std::size_t index, std::string message) {
    extent_.faults.push_back(UnitFault{index, std::move(message)});
    return static_cast<int>(extent_.faults.size()) - 1;
  }

  // Scans the block opened at `open`; returns the line after it.
  std::size_t Block(std::size_t open) {
    ScannedBlock block;
    block.marker = *std::find(kBlockMarkers.begin(), kBlockMarkers.end(), lines_.At(open));
    block.open = open;
    std::size_t i = open + 1;
    if (block.marker == kQuestionMarker && lines_.Has(i) && lines_.At(i) == "{") {
      const std::size_t group = i;
      for (++i; lines_.Has(i) && lines_.At(i) != "}" && !IsKeyLine(lines_.At(i)) &&
                !IsBlockMarker(lines_.At(i));
           ++i) {
      }
      if (!lines_.Has(i) || lines_.At(i) != "}") {
        block.first = block.last = i;
        block.fault =
            Fault(group, std::string(kQuestionMarker) + " の { が } で閉じられていません");
        extent_.blocks.push_back(block);
        return i;
      }
      ++i;
    }
    block.first = i;
    while (lines_.Has(i) && lines_.At(i) != kBlockEndLine && !EndsOpenBlock(lines_.At(i))) ++i;
    block.last = i;
    block.closed = lines_.Has(i) && lines_.At(i) == kBlockEndLine;
    if (!block.closed) block.fault = Fault(open, UnclosedBlockMessage(block.marker));
    extent_.blocks.push_back(block);
    return block.End();
  }

  const LineSource& lines_;
  UnitExtent extent_;
};

}  // namespace

bool IsBlockMarker(std::string_view line) {
  // Every marker starts "<<"; most lines are rejected by that alone.
  if (line.size() < 5 || line[0] != '<' || line[1] != '<') return false;
  return std::find(kBlockMarkers.begin(), kBlockMarkers.end(), line) != kBlockMarkers.end();
}

bool IsKeyLine(std::string_view line) { return line.starts_with("[["); }

ByteLines::ByteLines(std::string_view bytes, std::size_t firstLineStart)
    : bytes_(bytes),
      firstLineStart_(std::min(firstLineStart, bytes.size())),
      splitTo_(firstLineStart_) {}

bool ByteLines::SplitOne() const {
  if (splitTo_ >= bytes_.size()) return false;
  const std::size_t begin = splitTo_;
  std::size_t end = begin;
  while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n') ++end;
  std::size_t next = end;
  if (next < bytes_.size() && bytes_[next] == '\r') ++next;
  if (next < bytes_.size() && bytes_[next] == '\n') ++next;
  spans_.push_back(Span{begin, end, next});
  splitTo_ = next;
  return true;
}

bool ByteLines::Has(std::size_t index) const {
  while (spans_.size() <= index)
    if (!SplitOne()) return false;
  return true;
}

std::size_t ByteLines::SplitAll() const {
  while (SplitOne()) {
  }
  return spans_.size();
}

std::string_view ByteLines::At(std::size_t index) const {
  const Span& span = spans_[index];
  return bytes_.substr(span.begin, span.end - span.begin);
}

std::string ByteLines::Text(std::size_t index) const { return DecodeCp932(At(index)); }

int ByteLines::LineNumber(std::size_t index) const {
  if (linesBefore_ < 0) {
    // Only a report needs it, so the lines before the first are counted then.
    const std::string_view head = bytes_.substr(0, firstLineStart_);
    int before = 0;
    for (std::size_t k = 0; k < head.size(); ++k) {
      if (head[k] == '\n' || (head[k] == '\r' && (k + 1 >= head.size() || head[k + 1] != '\n')))
        ++before;
    }
    linesBefore_ = before;
  }
  return linesBefore_ + static_cast<int>(index) + 1;
}

std::size_t ByteLines::Begin(std::size_t index) const {
  return Has(index) ? spans_[index].begin : bytes_.size();
}

std::size_t ByteLines::Next(std::size_t index) const {
  return Has(index) ? spans_[index].next : bytes_.size();
}

UnitExtent ScanUnit(const LineSource& lines, std::size_t key) { return Scanner(lines, key).Run(); }

}  // namespace tavolo
