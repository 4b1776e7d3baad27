#include "content/unit_scanner.h"

#include <algorithm>

#include "platform/cp932.h"

namespace tavolo {

namespace {

constexpr std::string_view kQuestionMarker = "<<ques";

std::string UnclosedBlockMessage(std::string_view marker) {
  return std::string(marker) + " ブロックが >> で閉じられていません";
}

// The editor's own blocks, "<<dummy" and "<<hint": the reader steps over
// their lines. Blocks of other programs are stepped over the same way; they
// are kept as lines of the unit, not as blocks.
bool IsEditorBlockMarker(std::string_view line) {
  return IsBlockMarker(line) && !IsReaderBlockMarker(line);
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
      if (IsReaderBlockMarker(line)) {
        i = Block(i);
        continue;
      }
      if (IsEditorBlockMarker(line)) {
        i = OtherBlock(i);
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

  // Scans the known block opened at `open` up to its ">>"; returns the line
  // after it.
  std::size_t Block(std::size_t open) {
    ScannedBlock block;
    block.marker = *std::find(kReaderBlocks.begin(), kReaderBlocks.end(), lines_.At(open));
    block.open = open;
    std::size_t i = open + 1;
    if (block.marker == kQuestionMarker && lines_.Has(i) && lines_.At(i) == "{") {
      const std::size_t group = i;
      for (++i; lines_.Has(i) && lines_.At(i) != "}" && !IsUnitKeyLine(lines_.At(i)); ++i) {
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
    while (lines_.Has(i) && lines_.At(i) != kBlockEndLine && !IsUnitKeyLine(lines_.At(i))) ++i;
    block.last = i;
    block.closed = lines_.Has(i) && lines_.At(i) == kBlockEndLine;
    if (!block.closed) block.fault = Fault(open, UnclosedBlockMessage(block.marker));
    extent_.blocks.push_back(block);
    return block.End();
  }

  // "<<dummy" or "<<hint": its lines are stepped over one by one,
  // so it is whole only when its ">>" comes before any line that means
  // something between blocks. Returns the line where the scan goes on.
  std::size_t OtherBlock(std::size_t open) {
    ScannedBlock block;
    block.marker = lines_.At(open);
    block.known = false;
    block.open = open;
    block.first = open + 1;
    std::size_t i = open + 1;
    for (; lines_.Has(i); ++i) {
      const std::string_view line = lines_.At(i);
      if (line == kBlockEndLine || line == kUnitEndLine || IsKeyLine(line) || IsBlockMarker(line))
        break;
    }
    block.last = i;
    block.closed = lines_.Has(i) && lines_.At(i) == kBlockEndLine;
    if (!block.closed) {
      // The rest of it, if any, is read as what it looks like (or is outside
      // the unit): the editor's boxes would lose lines on a save.
      block.fault = Fault(open, UnclosedBlockMessage(lines_.Text(open)));
    }
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

bool IsReaderBlockMarker(std::string_view line) {
  if (line.size() < 5 || line[0] != '<' || line[1] != '<') return false;
  return std::find(kReaderBlocks.begin(), kReaderBlocks.end(), line) != kReaderBlocks.end();
}

bool IsKeyLine(std::string_view line) { return line.starts_with("[["); }

bool IsUnitKeyLine(std::string_view line) {
  constexpr std::string_view kUnitKey = "[[unit";
  if (!line.starts_with(kUnitKey)) return false;
  std::string_view rest = line.substr(kUnitKey.size());
  if (rest == "X") return true;
  const auto digits = [](std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
  };
  const std::size_t r = rest.find('R');
  if (r == std::string_view::npos) return digits(rest);
  return digits(rest.substr(0, r)) && digits(rest.substr(r + 1));
}

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
