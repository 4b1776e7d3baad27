#include "content/unit_reader.h"

#include <algorithm>
#include <array>
#include <deque>

#include "content/file_checks.h"
#include "content/unit_names.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

constexpr std::string_view kUnitEnd = "]]";
constexpr std::string_view kBlockEnd = ">>";
constexpr std::string_view kQuestionMarker = "<<ques";

// How a block's line count is checked once the block has been read.
enum class CountRule { None, Exact7, Kran };

struct BlockKind {
  std::string_view marker;
  std::vector<std::string> UnitContent::*list;  // nullptr: the content is dropped
  CountRule rule;
};

// In the order the markers are tested.
constexpr std::array<BlockKind, 9> kBlocks = {{
    {"<<ans", nullptr, CountRule::None},
    {"<<header", &UnitContent::headerLines, CountRule::None},
    {"<<value", &UnitContent::valueLines, CountRule::Exact7},
    {"<<font", &UnitContent::fontLines, CountRule::Exact7},
    {"<<kran", &UnitContent::kranLines, CountRule::Kran},
    {"<<graph", &UnitContent::graphLines, CountRule::None},
    {"<<kgroup", &UnitContent::kgroupLines, CountRule::None},
    {"<<softkey", &UnitContent::softkeyLines, CountRule::None},
    {"<<AGraph", &UnitContent::aGraphLines, CountRule::None},
}};

UnitReading Missing(std::string message, int line = 0) {
  return UnitReading{std::nullopt,
                     UnitProblem{UnitProblem::Kind::Missing, std::move(message), line}};
}

std::string UnclosedBlockMessage(std::string_view marker) {
  return std::string(marker) + " ブロックが >> で閉じられていません";
}

std::string BlockErrorMessage(std::string_view marker) {
  return std::string(marker) + " block error";
}

// Decoded lines already in memory.
class LineList {
 public:
  explicit LineList(const std::vector<std::string>& lines) : lines_(lines) {}
  bool Has(std::size_t i) { return i < lines_.size(); }
  const std::string& At(std::size_t i) { return lines_[i]; }
  int LineNumber(std::size_t i) const { return static_cast<int>(i) + 1; }

 private:
  const std::vector<std::string>& lines_;
};

// The lines of a file's raw bytes from a given line on, split and decoded only
// as far as the scanner asks: a unit near the end of a large question file is
// read without decoding the units before it. Lines end at CR LF, LF or a lone
// CR, as everywhere; since CP932 never uses CR or LF inside a character, the
// split of the raw bytes is the split of the decoded text.
class RawLines {
 public:
  RawLines(std::string_view bytes, std::size_t firstLineStart)
      : bytes_(bytes), next_(firstLineStart), firstLineStart_(firstLineStart) {}

  bool Has(std::size_t i) {
    while (decoded_.size() <= i && next_ < bytes_.size()) {
      const std::size_t end = std::min(bytes_.find_first_of("\r\n", next_), bytes_.size());
      decoded_.push_back(DecodeCp932(bytes_.substr(next_, end - next_)));
      next_ = end;
      if (next_ < bytes_.size() && bytes_[next_] == '\r') ++next_;
      if (next_ < bytes_.size() && bytes_[next_] == '\n' && (next_ == end || bytes_[end] == '\r'))
        ++next_;
    }
    return i < decoded_.size();
  }
  const std::string& At(std::size_t i) { return decoded_[i]; }

  // Only needed for a report, so the lines before the first are counted then.
  int LineNumber(std::size_t i) const {
    int before = 0;
    const std::string_view head = bytes_.substr(0, firstLineStart_);
    for (std::size_t k = 0; k < head.size(); ++k) {
      if (head[k] == '\n' || (head[k] == '\r' && (k + 1 >= head.size() || head[k + 1] != '\n')))
        ++before;
    }
    return before + static_cast<int>(i) + 1;
  }

 private:
  std::string_view bytes_;
  std::size_t next_;
  std::size_t firstLineStart_;
  std::deque<std::string> decoded_;  // stable references while more lines are decoded
};

// Reads the blocks of one unit, starting just after its key line. Each step
// leaves `i` on the last line it consumed.
template <class Lines>
class UnitScanner {
 public:
  UnitScanner(Lines& lines, std::size_t start) : lines_(lines), i_(start) {}

  UnitReading Scan() {
    for (; lines_.Has(i_); ++i_) {
      const std::string& line = lines_.At(i_);
      if (line == kUnitEnd) break;
      std::optional<UnitReading> failed;
      if (line == kQuestionMarker) {
        failed = ReadQuestions();
      } else if (const BlockKind* block = FindBlock(line)) {
        failed = ReadBlock(*block);
      } else if (strayKeyLine_ == 0 && line.starts_with("[[")) {
        strayKeyLine_ = lines_.LineNumber(i_);
      }
      // Any other line ("<<dummy", "<<hint" and their content) is stepped over.
      if (failed) return std::move(*failed);
    }
    return UnitReading{std::move(content_), {}, strayKeyLine_};
  }

 private:
  static const BlockKind* FindBlock(std::string_view line) {
    for (const auto& block : kBlocks)
      if (line == block.marker) return &block;
    return nullptr;
  }

  // Moves i_ from a block's marker to its closing ">>", handing each content
  // line to `take`. False when the file ends first.
  template <class Take>
  bool TakeBlockLines(Take take) {
    for (++i_; lines_.Has(i_); ++i_) {
      if (lines_.At(i_) == kBlockEnd) return true;
      take(lines_.At(i_), i_);
    }
    return false;
  }

  UnitReading Malformed(std::string message, std::size_t index) const {
    return UnitReading{std::nullopt, UnitProblem{UnitProblem::Kind::Malformed, std::move(message),
                                                 lines_.LineNumber(index)}};
  }

  std::optional<UnitReading> ReadQuestions() {
    const std::size_t marker = i_;
    // A "{" ... "}" group right after the marker is not part of the questions.
    if (lines_.Has(i_ + 1) && lines_.At(i_ + 1) == "{") {
      const std::size_t open = i_ + 1;
      std::size_t close = open + 1;
      while (lines_.Has(close) && lines_.At(close) != "}") ++close;
      if (!lines_.Has(close))
        return Malformed(std::string(kQuestionMarker) + " の { が } で閉じられていません", open);
      i_ = close;
    }
    std::optional<std::size_t> firstExcess;
    auto& questions = content_.questionLines;
    const bool closed = TakeBlockLines([&](const std::string& line, std::size_t index) {
      questions.push_back(line);
      if (!firstExcess && questions.size() > static_cast<std::size_t>(kMaxQuestionLines))
        firstExcess = index;
    });
    if (!closed) return Malformed(UnclosedBlockMessage(kQuestionMarker), marker);
    if (firstExcess) return Malformed("問題の行は６０行以下です", *firstExcess);
    return std::nullopt;
  }

  std::optional<UnitReading> ReadBlock(const BlockKind& block) {
    const std::size_t marker = i_;
    const std::size_t limit = block.rule == CountRule::Exact7 ? kValueLineCount
                              : block.rule == CountRule::Kran ? kKranLineCount
                                                              : std::size_t(-1);
    std::optional<std::size_t> firstExcess;
    std::vector<std::string>* list = block.list ? &(content_.*block.list) : nullptr;
    const bool closed = TakeBlockLines([&](const std::string& line, std::size_t index) {
      if (!list) return;
      list->push_back(line);
      if (!firstExcess && list->size() > limit) firstExcess = index;
    });
    if (!closed) return Malformed(UnclosedBlockMessage(block.marker), marker);
    switch (block.rule) {
      case CountRule::None:
        break;
      case CountRule::Exact7:
        // Too many: point at the first line too many; too few: at the ">>".
        if (firstExcess) return Malformed(BlockErrorMessage(block.marker), *firstExcess);
        if (list->size() != limit) return Malformed(BlockErrorMessage(block.marker), i_);
        break;
      case CountRule::Kran:
        if (firstExcess) return Malformed(BlockErrorMessage(block.marker), *firstExcess);
        list->resize(limit, "0");
        break;
    }
    return std::nullopt;
  }

  Lines& lines_;
  std::size_t i_;
  UnitContent content_;
  int strayKeyLine_ = 0;
};

void ComposeTitle(UnitReading& reading, int section, int unit, const UnitCaptions& captions) {
  if (!reading.ok()) return;
  UnitContent& content = *reading.content;
  content.title = captions.lesson + "//" + captions.section + "§" + std::to_string(section) + "-" +
                  std::to_string(unit) + " " + captions.unit;
  content.school = "中学校";
  content.name = "　年　組　番　氏名";
}

// Where the whole line equal to keyLine starts in raw bytes. A key is ASCII
// and a line always starts on a character, so a byte match that fills a whole
// line is the line match of the decoded text.
std::optional<std::size_t> FindKeyLine(std::string_view bytes, std::string_view keyLine) {
  if (keyLine.empty()) return std::nullopt;
  for (std::size_t pos = bytes.find(keyLine); pos != std::string_view::npos;
       pos = bytes.find(keyLine, pos + 1)) {
    const bool startsLine = pos == 0 || bytes[pos - 1] == '\n' || bytes[pos - 1] == '\r';
    const std::size_t end = pos + keyLine.size();
    const bool endsLine = end == bytes.size() || bytes[end] == '\n' || bytes[end] == '\r';
    if (startsLine && endsLine) return pos;
  }
  return std::nullopt;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

UnitReading ParseUnitBlock(const std::vector<std::string>& lines, std::string_view keyLine,
                           int section, int unit, const UnitCaptions& captions) {
  if (lines.empty() || keyLine.empty()) return Missing("単元がありません");
  const auto key = std::find(lines.begin(), lines.end(), keyLine);
  if (key == lines.end()) return Missing("単元がありません");
  LineList list(lines);
  UnitReading reading =
      UnitScanner<LineList>(list, static_cast<std::size_t>(key - lines.begin()) + 1).Scan();
  ComposeTitle(reading, section, unit, captions);
  return reading;
}

UnitReading ParseUnitBlockBytes(std::string_view bytes, std::string_view keyLine, int section,
                                int unit, const UnitCaptions& captions) {
  // Every key this program forms is ASCII; anything else takes the plain way.
  if (!IsAscii(keyLine))
    return ParseUnitBlock(SplitLines(DecodeCp932(bytes)), keyLine, section, unit, captions);
  const auto key = FindKeyLine(bytes, keyLine);
  if (!key) return Missing("単元がありません");
  RawLines lines(bytes, *key);
  UnitReading reading = UnitScanner<RawLines>(lines, 1).Scan();
  ComposeTitle(reading, section, unit, captions);
  return reading;
}

UnitReading ReadUnitBlock(const std::filesystem::path& file, std::string_view keyLine, int section,
                          int unit, const UnitCaptions& captions) {
  if (auto exists = RequireFile(file); !exists) return Missing(exists.message());
  auto bytes = ReadFileBytes(file);
  if (!bytes) {
    return UnitReading{std::nullopt, UnitProblem{UnitProblem::Kind::Malformed, bytes.message(), 0}};
  }
  return ParseUnitBlockBytes(bytes.value(), keyLine, section, unit, captions);
}

UnitReading ReadUnit(const CourseIndex& course, const LessonIndex& lessonIndex,
                     const UnitAddress& address) {
  UnitCaptions captions;
  if (const Lesson* lesson = course.FindLesson(address.lesson)) captions.lesson = lesson->caption;
  if (const Section* section = lessonIndex.FindSection(address.section)) {
    captions.section = section->caption;
    if (address.unit >= 1 && address.unit <= static_cast<int>(section->units.size()))
      captions.unit = section->units[static_cast<std::size_t>(address.unit - 1)];
  }
  return ReadUnitBlock(QuestionFilePath(course, address), UnitKeyLine(address), address.section,
                       address.unit, captions);
}

UnitReading ReadCopyFile(const std::filesystem::path& file) {
  UnitReading reading = ReadUnitBlock(file, kCopyFileKeyLine, 0, 0, {});
  if (!reading.ok()) return reading;
  // A copy keeps the title lines the teacher saved; there is no menu choice to compose them from.
  UnitContent& content = *reading.content;
  const auto& header = content.headerLines;
  content.title = header.size() > 0 ? header[0] : std::string();
  if (header.size() > 1) content.school = header[1];
  if (header.size() > 2) content.name = header[2];
  return reading;
}

}  // namespace tavolo
