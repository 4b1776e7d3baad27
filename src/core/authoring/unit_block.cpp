#include "authoring/unit_block.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "content/unit_reader.h"
#include "content/unit_scanner.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

constexpr std::string_view kEnd = kBlockEndLine;
constexpr std::string_view kUnitEnd = kUnitEndLine;
constexpr std::string_view kRandomMarker = "<<random";

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
  bool randomSeen = false;
  for (const ScannedBlock& block : extent.blocks) {
    for (const auto& [marker, box] : contentBlocks) {
      if (block.marker != marker) continue;
      // A "{" group of the questions is the editor's text like any other line.
      for (std::size_t i = block.open + 1; i < block.last; ++i) box->push_back(lines.Text(i));
    }
    if (block.marker == kRandomMarker && !randomSeen) {
      randomSeen = true;  // a further block is the author's check's to point out
      for (std::size_t i = block.first; i < block.last; ++i) boxes.random.push_back(lines.Text(i));
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

// The blocks the editor's boxes hold and every rewrite writes anew.
bool WrittenByProgram(std::string_view marker) {
  static constexpr std::string_view kWritten[] = {"<<ques",  "<<kgroup", "<<dummy",
                                                  "<<graph", "<<AGraph", "<<hint",
                                                  "<<value", "<<font",   "<<kran"};
  return std::find(std::begin(kWritten), std::end(kWritten), marker) != std::end(kWritten);
}

// Every run of the unit's lines outside the blocks the program writes.
std::vector<KeptLines> KeptOf(const ByteLines& lines, const UnitExtent& extent) {
  std::vector<KeptLines> kept;
  const std::size_t stop = extent.endLine ? extent.end - 1 : extent.end;
  std::string after;
  std::size_t from = extent.key + 1;
  const auto keep = [&](std::size_t to) {
    if (to <= from) return;
    const std::size_t begin = lines.Begin(from);
    kept.push_back(
        KeptLines{after, std::string(lines.Bytes().substr(begin, lines.Begin(to) - begin)), {}});
  };
  bool randomSeen = false;
  for (const ScannedBlock& block : extent.blocks) {
    if (block.marker == kRandomMarker && !randomSeen) {
      randomSeen = true;
      keep(block.open);
      from = block.open;
      keep(block.End());
      from = block.End();
      Lines declarations;
      for (std::size_t i = block.first; i < block.last; ++i) declarations.push_back(lines.Text(i));
      kept.back().random = std::move(declarations);
      continue;
    }
    if (!WrittenByProgram(block.marker)) continue;
    keep(block.open);
    after = std::string(block.marker);
    from = block.End();
  }
  keep(stop);
  return kept;
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
  return std::optional<UnitBlockInFile>(UnitBlockInFile{
      lines.Begin(key), lines.Begin(extent.end), BoxesOf(lines, extent), KeptOf(lines, extent)});
}

std::optional<std::string> UnitBytes(std::string_view fileBytes, std::string_view keyLine) {
  const std::string rawKey = EncodeCp932(keyLine);
  const ByteLines lines(fileBytes);
  std::size_t key = 0;
  while (lines.Has(key) && lines.At(key) != rawKey) ++key;
  if (!lines.Has(key)) return std::nullopt;
  const UnitExtent extent = ScanUnit(lines, key);
  const std::size_t begin = lines.Begin(key);
  return std::string(fileBytes.substr(begin, lines.Begin(extent.end) - begin));
}

std::string NewerUnitQuestion(std::string_view unitName) {
  return "「" + std::string(unitName) +
         "」は、開いた後にほかのウィンドウかプログラムで保存されています。\n"
         "その新しい内容を、この内容で上書きしてもいいですか？";
}

bool HasNewerUnit(std::string_view fileBytes, std::string_view keyLine, std::string_view loaded) {
  const auto now = UnitBytes(fileBytes, keyLine);
  return now && *now != loaded;
}

Status CheckUnitReadsBack(std::string_view written, std::string_view keyLine,
                          std::string_view fileLabel) {
  const UnitReading reading = ParseUnitBlockBytes(written, keyLine, 1, 1, {});
  if (reading.ok()) return Succeeded();
  std::string where(fileLabel);
  if (reading.problem.line > 0) where += " の " + std::to_string(reading.problem.line) + " 行目";
  return Failure{where + ": " + reading.problem.message +
                 "\nこのまま保存すると単元が開けなくなるため、保存しませんでした"};
}

std::string ReplaceUnitBytes(std::string_view bytes, const UnitBlockInFile& unit,
                             const Lines& block) {
  std::string out(bytes.substr(0, unit.begin));
  out += JoinLinesCp932(block);
  out += bytes.substr(std::min(unit.end, bytes.size()));
  return out;
}

std::string RewriteUnitBytes(std::string_view bytes, const UnitBlockInFile& unit,
                             std::string_view keyLine, const UnitBlockBoxes& boxes) {
  std::string out(bytes.substr(0, unit.begin));
  out += AssembleUnitBytes(keyLine, boxes, unit.kept);
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
  if (!boxes.random.empty()) AppendBlock(out, kRandomMarker, boxes.random);
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

std::string AssembleUnitBytes(std::string_view keyLine, const UnitBlockBoxes& boxes,
                              const std::vector<KeptLines>& kept) {
  std::string out;
  const auto randomBlock = [&] {
    Lines part;
    AppendBlock(part, kRandomMarker, boxes.random);
    out += JoinLinesCp932(part);
  };
  const auto keptAfter = [&](std::string_view marker) {
    for (const KeptLines& run : kept) {
      if (run.after != marker) continue;
      if (run.random && *run.random != boxes.random) {
        // Edited in the editor's box: written anew where it stood, or gone.
        if (!boxes.random.empty()) randomBlock();
        continue;
      }
      out += run.bytes;
      // The unit's last line may have ended the file without a line end.
      if (!run.bytes.empty() && run.bytes.back() != '\n' && run.bytes.back() != '\r') out += "\r\n";
    }
  };
  const auto lines = [&](const Lines& part) { out += JoinLinesCp932(part); };
  const auto block = [&](std::string_view marker, const Lines& content, bool written) {
    if (written) {
      Lines part;
      AppendBlock(part, marker, content);
      lines(part);
    }
    keptAfter(marker);
  };
  lines({std::string(keyLine)});
  // Random data the unit did not have goes before the questions that use it.
  const bool hadRandom =
      std::any_of(kept.begin(), kept.end(), [](const KeptLines& run) { return run.random; });
  if (!hadRandom && !boxes.random.empty()) randomBlock();
  keptAfter("");
  // The same order as AssembleUnitBlock.
  block("<<ques", boxes.question, true);
  block("<<kgroup", boxes.kgroup, !boxes.kgroup.empty());
  block("<<dummy", boxes.dummy, true);
  block("<<graph", boxes.graph, !boxes.graph.empty());
  block("<<AGraph", boxes.aGraph, !boxes.aGraph.empty());
  block("<<hint", boxes.hint, !boxes.hint.empty());
  // The settings box as it stands, each of its blocks followed by what
  // followed it in the file.
  const Lines layoutMarkers = {"<<value", "<<font", "<<kran"};
  std::string open;
  Lines written;
  for (const std::string& line : boxes.settings) {
    lines({line});
    if (open.empty() &&
        std::find(layoutMarkers.begin(), layoutMarkers.end(), line) != layoutMarkers.end()) {
      open = line;
    } else if (!open.empty() && line == kEnd) {
      keptAfter(open);
      written.push_back(open);
      open.clear();
    }
  }
  for (const std::string& marker : layoutMarkers)
    if (std::find(written.begin(), written.end(), marker) == written.end()) keptAfter(marker);
  lines({std::string(kUnitEnd)});
  return out;
}

Lines AssembleNewUnitBlock(std::string_view keyLine, const UnitBlockBoxes& boxes) {
  Lines out;
  out.emplace_back(keyLine);
  if (!boxes.random.empty()) AppendBlock(out, kRandomMarker, boxes.random);
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
