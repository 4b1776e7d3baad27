#include "content/unit_reader.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "content/file_checks.h"
#include "content/unit_names.h"
#include "content/unit_scanner.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

constexpr std::string_view kQuestionMarker = "<<ques";
constexpr std::string_view kRandomMarker = "<<random";

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
  return UnitReading{
      std::nullopt, UnitProblem{UnitProblem::Kind::Missing, std::move(message), line}, {}};
}

std::string BlockErrorMessage(std::string_view marker) {
  return std::string(marker) + " block error";
}

const BlockKind* FindBlock(std::string_view marker) {
  for (const auto& block : kBlocks)
    if (marker == block.marker) return &block;
  return nullptr;
}

// Fills the unit model from the blocks the scanner found. The first problem
// in file order fails the reading.
class UnitFiller {
 public:
  UnitFiller(const LineSource& lines, const UnitExtent& extent) : lines_(lines), extent_(extent) {}

  UnitReading Fill() {
    std::vector<UnitProblem> faults;
    for (const UnitFault& fault : extent_.faults) faults.push_back(Problem(fault));
    for (const ScannedBlock& block : extent_.blocks) {
      const bool questions = block.marker == kQuestionMarker;
      const bool random = block.marker == kRandomMarker;
      const BlockKind* kind = questions || random ? nullptr : FindBlock(block.marker);
      // "<<dummy" and "<<hint" belong to the editor: a sheet does without them,
      // even when their ">>" is missing (the course check and saving still say so).
      if (!questions && !random && !kind) continue;
      if (block.fault >= 0) return Failed(Problem(extent_.faults[block.fault]));
      if (random) {
        ReadRandom(block);
        continue;
      }
      std::optional<UnitProblem> problem =
          questions ? ReadQuestions(block) : ReadBlock(block, *kind);
      if (problem) return Failed(std::move(*problem));
    }
    return UnitReading{std::move(content_), {}, std::move(faults)};
  }

 private:
  UnitProblem Problem(const UnitFault& fault) const {
    return UnitProblem{UnitProblem::Kind::Malformed, fault.message, lines_.LineNumber(fault.index)};
  }
  UnitProblem Problem(std::string message, std::size_t index) const {
    return Problem(UnitFault{index, std::move(message)});
  }
  UnitReading Failed(UnitProblem problem) const {
    UnitReading reading{std::nullopt, std::move(problem), {}};
    for (const UnitFault& fault : extent_.faults) reading.structureFaults.push_back(Problem(fault));
    return reading;
  }

  std::optional<UnitProblem> ReadQuestions(const ScannedBlock& block) {
    auto& questions = content_.questionLines;
    for (std::size_t i = block.first; i < block.last; ++i) {
      questions.push_back(lines_.Text(i));
      if (questions.size() > static_cast<std::size_t>(kMaxQuestionLines))
        return Problem("問題の行は６０行以下です", i);
    }
    return std::nullopt;
  }

  // Only the first block is the unit's; the author's check points out any
  // further one, whose lines a sheet does without.
  void ReadRandom(const ScannedBlock& block) {
    if (content_.HasRandomBlock()) return;
    content_.randomFirstLine = lines_.LineNumber(block.first);
    for (std::size_t i = block.first; i < block.last; ++i)
      content_.randomLines.push_back(lines_.Text(i));
  }

  std::optional<UnitProblem> ReadBlock(const ScannedBlock& block, const BlockKind& kind) {
    if (!kind.list) return std::nullopt;  // "<<ans": not used
    std::vector<std::string>& list = content_.*kind.list;
    const std::size_t limit = kind.rule == CountRule::Exact7 ? kValueLineCount
                              : kind.rule == CountRule::Kran ? kKranLineCount
                                                             : std::size_t(-1);
    for (std::size_t i = block.first; i < block.last; ++i) {
      list.push_back(lines_.Text(i));
      // Too many: point at the first line too many.
      if (list.size() > limit) return Problem(BlockErrorMessage(kind.marker), i);
    }
    switch (kind.rule) {
      case CountRule::None:
        break;
      case CountRule::Exact7:
        // Too few: point at the ">>".
        if (list.size() != limit) return Problem(BlockErrorMessage(kind.marker), block.last);
        break;
      case CountRule::Kran:
        list.resize(limit, "0");
        break;
    }
    return std::nullopt;
  }

  const LineSource& lines_;
  const UnitExtent& extent_;
  UnitContent content_;
};

}  // namespace

std::string UnitTitle(const UnitCaptions& captions, int section, int unit) {
  return captions.lesson + "//" + captions.section + "§" + std::to_string(section) + "-" +
         std::to_string(unit) + " " + captions.unit;
}

namespace {

void ComposeTitle(UnitReading& reading, int section, int unit, const UnitCaptions& captions) {
  if (!reading.ok()) return;
  UnitContent& content = *reading.content;
  content.title = UnitTitle(captions, section, unit);
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

UnitReading ReadUnitAt(const LineSource& lines, std::size_t keyIndex, int section, int unit,
                       const UnitCaptions& captions) {
  const UnitExtent extent = ScanUnit(lines, keyIndex);
  UnitReading reading = UnitFiller(lines, extent).Fill();
  ComposeTitle(reading, section, unit, captions);
  return reading;
}

UnitReading ParseUnitBlock(const std::vector<std::string>& lines, std::string_view keyLine,
                           int section, int unit, const UnitCaptions& captions) {
  if (lines.empty() || keyLine.empty()) return Missing("単元がありません");
  const auto key = std::find(lines.begin(), lines.end(), keyLine);
  if (key == lines.end()) return Missing("単元がありません");
  return ReadUnitAt(LineVector(lines), static_cast<std::size_t>(key - lines.begin()), section, unit,
                    captions);
}

UnitReading ParseUnitBlockBytes(std::string_view bytes, std::string_view keyLine, int section,
                                int unit, const UnitCaptions& captions) {
  // Every key this program forms is ASCII; anything else takes the plain way.
  if (!IsAscii(keyLine))
    return ParseUnitBlock(SplitLines(DecodeCp932(bytes)), keyLine, section, unit, captions);
  const auto key = FindKeyLine(bytes, keyLine);
  if (!key) return Missing("単元がありません");
  return ReadUnitAt(ByteLines(bytes, *key), 0, section, unit, captions);
}

UnitReading ReadUnitBlock(const std::filesystem::path& file, std::string_view keyLine, int section,
                          int unit, const UnitCaptions& captions) {
  // A folder or FIFO in place of the file is not a missing unit: the teacher
  // is told what is there instead.
  if (!PathExists(file)) return Missing(RequireFile(file).message());
  auto bytes = ReadFileBytes(file);
  if (!bytes) {
    return UnitReading{
        std::nullopt, UnitProblem{UnitProblem::Kind::Malformed, bytes.message(), 0}, {}};
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

std::vector<std::string> ReadUnitHintLines(const std::filesystem::path& questionFile,
                                           const UnitAddress& address) {
  auto bytes = ReadFileBytes(questionFile);
  if (!bytes) return {};
  const std::string rawKey = EncodeCp932(UnitKeyLine(address));
  const ByteLines lines(bytes.value());
  std::size_t key = 0;
  while (lines.Has(key) && lines.At(key) != rawKey) ++key;
  if (!lines.Has(key)) return {};
  std::vector<std::string> hints;
  for (const ScannedBlock& block : ScanUnit(lines, key).blocks) {
    if (block.marker != "<<hint") continue;
    for (std::size_t i = block.open + 1; i < block.last; ++i) hints.push_back(lines.Text(i));
  }
  return hints;
}

}  // namespace tavolo
