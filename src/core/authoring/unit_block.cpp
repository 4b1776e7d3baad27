#include "authoring/unit_block.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "content/unit_scanner.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

constexpr std::string_view kEnd = kBlockEndLine;
constexpr std::string_view kUnitEnd = kUnitEndLine;

void AppendBlock(Lines& out, std::string_view marker, const Lines& content) {
  out.emplace_back(marker);
  out.insert(out.end(), content.begin(), content.end());
  out.emplace_back(kEnd);
}

// The boxes from the blocks the scanner found; other blocks are dropped.
UnitBlockBoxes BoxesOf(const LineSource& lines, const UnitExtent& extent) {
  UnitBlockBoxes boxes;
  const std::pair<std::string_view, Lines*> contentBlocks[] = {
      {"<<ques", &boxes.question}, {"<<dummy", &boxes.dummy}, {"<<kgroup", &boxes.kgroup},
      {"<<hint", &boxes.hint},     {"<<graph", &boxes.graph}, {"<<AGraph", &boxes.aGraph}};
  const std::string_view layoutBlocks[] = {"<<value", "<<font", "<<kran"};
  for (const ScannedBlock& block : extent.blocks) {
    for (const auto& [marker, box] : contentBlocks) {
      if (block.marker != marker) continue;
      // A "{" group of the questions is the editor's text like any other line.
      for (std::size_t i = block.open + 1; i < block.last; ++i) box->push_back(lines.Text(i));
    }
    if (std::find(std::begin(layoutBlocks), std::end(layoutBlocks), block.marker) ==
        std::end(layoutBlocks))
      continue;
    boxes.settings.emplace_back(block.marker);
    for (std::size_t i = block.first; i < block.last; ++i) boxes.settings.push_back(lines.Text(i));
    boxes.settings.emplace_back(kEnd);
  }
  return boxes;
}

Failure Broken(const LineSource& lines, const UnitExtent& extent, std::string_view fileLabel) {
  const UnitFault& fault = extent.faults.front();
  return Failure{BrokenUnitMessage(fileLabel, lines.LineNumber(fault.index), fault.message)};
}

}  // namespace

int FindUnitKeyLine(const Lines& fileLines, std::string_view keyLine) {
  for (std::size_t i = 0; i < fileLines.size(); ++i)
    if (fileLines[i] == keyLine) return static_cast<int>(i);
  return -1;
}

UnitBlockBoxes ReadUnitBlockIntoBoxes(const Lines& fileLines, int keyIndex) {
  if (keyIndex < 0 || static_cast<std::size_t>(keyIndex) >= fileLines.size()) return {};
  const LineVector lines(fileLines);
  return BoxesOf(lines, ScanUnit(lines, static_cast<std::size_t>(keyIndex)));
}

Status CheckLayoutBlocks(const Lines& box) {
  struct Rule {
    std::string_view marker;
    std::size_t a, b;  // accepted counts
    const char* message;
  };
  const Rule rules[] = {{"<<value", 7, 7, "valueブロックの数が合いません"},
                        {"<<font", 7, 7, "fontブロックの数が合いません"},
                        {"<<kran", 10, 8, "kranブロックの数が合いません"}};
  for (std::size_t i = 0; i < box.size(); ++i) {
    for (const auto& r : rules) {
      if (box[i] != r.marker) continue;
      std::size_t count = 0, j = i + 1;
      while (j < box.size() && box[j] != kEnd) ++count, ++j;
      if (j >= box.size()) return Failure{std::string(r.marker) + "ブロックが閉じていません"};
      if (count != r.a && count != r.b) return Failure{r.message};
      i = j;
      break;
    }
  }
  return Succeeded();
}

std::string BrokenUnitMessage(std::string_view fileLabel, int line, std::string_view fault) {
  return std::string(fileLabel) + " の " + std::to_string(line) + " 行目: " + std::string(fault) +
         "\nこの単元は形が崩れているため上書き保存できません。ファイルを直してから保存してください";
}

Result<int> RemoveUnitBlock(Lines& fileLines, std::string_view keyLine,
                            std::string_view fileLabel) {
  const int key = FindUnitKeyLine(fileLines, keyLine);
  if (key < 0) return -1;
  const LineVector lines(fileLines);
  const UnitExtent extent = ScanUnit(lines, static_cast<std::size_t>(key));
  if (!extent.Sound()) return Broken(lines, extent, fileLabel);
  fileLines.erase(fileLines.begin() + key,
                  fileLines.begin() + static_cast<std::ptrdiff_t>(extent.end));
  return key;
}

Result<std::optional<UnitBlockInFile>> FindUnitBlockForRewrite(std::string_view bytes,
                                                               std::string_view keyLine,
                                                               std::string_view fileLabel) {
  const std::string rawKey = EncodeCp932(keyLine);
  const ByteLines lines(bytes);
  std::size_t key = 0;
  while (lines.Has(key) && lines.At(key) != rawKey) ++key;
  if (!lines.Has(key)) return std::optional<UnitBlockInFile>();
  const UnitExtent extent = ScanUnit(lines, key);
  if (!extent.Sound()) return Broken(lines, extent, fileLabel);
  return std::optional<UnitBlockInFile>(
      UnitBlockInFile{lines.Begin(key), lines.Begin(extent.end), BoxesOf(lines, extent)});
}

std::string ReplaceUnitBytes(std::string_view bytes, const UnitBlockInFile& unit,
                             const Lines& block) {
  std::string out(bytes.substr(0, unit.begin));
  out += JoinLinesCp932(block);
  out += bytes.substr(std::min(unit.end, bytes.size()));
  return out;
}

std::string AppendUnitBytes(std::string_view bytes, const Lines& block) {
  std::string out(bytes);
  if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
  out += JoinLinesCp932(block);
  return out;
}

Lines AssembleUnitBlock(std::string_view keyLine, const UnitBlockBoxes& boxes) {
  Lines out;
  out.emplace_back(keyLine);
  AppendBlock(out, "<<ques", boxes.question);
  if (!boxes.kgroup.empty()) AppendBlock(out, "<<kgroup", boxes.kgroup);
  AppendBlock(out, "<<dummy", boxes.dummy);
  if (!boxes.graph.empty()) AppendBlock(out, "<<graph", boxes.graph);
  if (!boxes.aGraph.empty()) AppendBlock(out, "<<AGraph", boxes.aGraph);
  if (!boxes.hint.empty()) AppendBlock(out, "<<hint", boxes.hint);
  out.insert(out.end(), boxes.settings.begin(), boxes.settings.end());
  out.emplace_back(kUnitEnd);
  return out;
}

Lines AssembleNewUnitBlock(std::string_view keyLine, const UnitBlockBoxes& boxes) {
  Lines out;
  out.emplace_back(keyLine);
  AppendBlock(out, "<<ques", boxes.question);
  AppendBlock(out, "<<dummy", boxes.dummy);
  out.insert(out.end(), boxes.settings.begin(), boxes.settings.end());
  if (!boxes.graph.empty()) AppendBlock(out, "<<graph", boxes.graph);
  if (!boxes.aGraph.empty()) AppendBlock(out, "<<AGraph", boxes.aGraph);
  out.emplace_back(kUnitEnd);
  return out;
}

void WriteUnitBlock(Lines& fileLines, int position, std::string_view keyLine,
                    const UnitBlockBoxes& boxes) {
  const Lines block = AssembleUnitBlock(keyLine, boxes);
  const std::size_t at =
      std::min(static_cast<std::size_t>(std::max(position, 0)), fileLines.size());
  fileLines.insert(fileLines.begin() + static_cast<std::ptrdiff_t>(at), block.begin(), block.end());
}

void AppendNewUnitBlock(Lines& fileLines, std::string_view keyLine, const UnitBlockBoxes& boxes) {
  const Lines block = AssembleNewUnitBlock(keyLine, boxes);
  fileLines.insert(fileLines.end(), block.begin(), block.end());
}

}  // namespace tavolo
