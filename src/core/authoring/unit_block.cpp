#include "authoring/unit_block.h"

#include <algorithm>
#include <array>

namespace tavolo {

namespace {

constexpr std::string_view kEnd = ">>";
constexpr std::string_view kUnitEnd = "]]";

// Every block marker any part of the program writes. Their content may hold a
// line "]]", which must not be taken for the end of the unit.
constexpr std::array<std::string_view, 12> kAllMarkers = {
    "<<ques",  "<<ans",    "<<header",  "<<value",  "<<font",  "<<kran",
    "<<graph", "<<kgroup", "<<softkey", "<<AGraph", "<<dummy", "<<hint"};

bool IsMarker(std::string_view line) {
  for (auto m : kAllMarkers)
    if (line == m) return true;
  return false;
}

bool IsKeyLine(std::string_view line) { return line.substr(0, 2) == "[["; }

// Index of the ">>" that closes the block opened at `open`, or lines.size()
// when it is never closed. The grammar would let a block run on into the next
// unit; a key line inside a block means the block was left open by mistake,
// and the next unit must not be taken for its content.
std::size_t BlockClose(const Lines& lines, std::size_t open) {
  std::size_t i = open + 1;
  if (lines[open] == "<<ques" && i < lines.size() && lines[i] == "{") {
    while (i < lines.size() && lines[i] != "}" && !IsKeyLine(lines[i])) ++i;
    if (i < lines.size() && lines[i] == "}") ++i;
  }
  while (i < lines.size() && lines[i] != kEnd) {
    if (IsKeyLine(lines[i])) return lines.size();
    ++i;
  }
  return i;
}

void AppendBlock(Lines& out, std::string_view marker, const Lines& content) {
  out.emplace_back(marker);
  out.insert(out.end(), content.begin(), content.end());
  out.emplace_back(kEnd);
}

}  // namespace

int FindUnitKeyLine(const Lines& fileLines, std::string_view keyLine) {
  for (std::size_t i = 0; i < fileLines.size(); ++i)
    if (fileLines[i] == keyLine) return static_cast<int>(i);
  return -1;
}

UnitBlockBoxes ReadUnitBlockIntoBoxes(const Lines& fileLines, int keyIndex) {
  UnitBlockBoxes boxes;
  if (keyIndex < 0) return boxes;
  struct Target {
    std::string_view marker;
    Lines* box;
  };
  const Target contentBlocks[] = {{"<<ques", &boxes.question}, {"<<dummy", &boxes.dummy},
                                  {"<<kgroup", &boxes.kgroup}, {"<<hint", &boxes.hint},
                                  {"<<graph", &boxes.graph},   {"<<AGraph", &boxes.aGraph}};
  const std::string_view layoutBlocks[] = {"<<value", "<<font", "<<kran"};

  std::size_t i = static_cast<std::size_t>(keyIndex);
  while (i < fileLines.size()) {
    const std::string& line = fileLines[i];
    if (line == kUnitEnd) break;
    bool matched = false;
    for (const auto& t : contentBlocks) {
      if (line != t.marker) continue;
      for (++i; i < fileLines.size() && fileLines[i] != kEnd; ++i) t.box->push_back(fileLines[i]);
      matched = true;
      break;
    }
    if (!matched) {
      for (auto marker : layoutBlocks) {
        if (line != marker) continue;
        boxes.settings.push_back(line);
        for (++i; i < fileLines.size() && fileLines[i] != kEnd; ++i)
          boxes.settings.push_back(fileLines[i]);
        boxes.settings.emplace_back(kEnd);
        break;
      }
    }
    ++i;
  }
  return boxes;
}

std::size_t UnitBlockEnd(const Lines& fileLines, int keyIndex) {
  if (keyIndex < 0) return fileLines.size();
  for (std::size_t i = static_cast<std::size_t>(keyIndex) + 1; i < fileLines.size(); ++i) {
    if (fileLines[i] == kUnitEnd) return i + 1;
    if (!IsMarker(fileLines[i])) continue;
    const std::size_t close = BlockClose(fileLines, i);
    if (close >= fileLines.size()) {
      // A block that is never closed: the unit cannot be read anyway. Fall
      // back to the first "]]" so that the units after it are not swallowed.
      for (std::size_t j = i; j < fileLines.size(); ++j)
        if (fileLines[j] == kUnitEnd) return j + 1;
      return fileLines.size();
    }
    i = close;
  }
  return fileLines.size();
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

int RemoveUnitBlock(Lines& fileLines, std::string_view keyLine) {
  const int key = FindUnitKeyLine(fileLines, keyLine);
  if (key < 0) return -1;
  const std::size_t end = UnitBlockEnd(fileLines, key);
  fileLines.erase(fileLines.begin() + key, fileLines.begin() + static_cast<std::ptrdiff_t>(end));
  return key;
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
