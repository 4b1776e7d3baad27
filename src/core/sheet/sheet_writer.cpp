#include "sheet/sheet_writer.h"

#include <filesystem>

namespace tavolo {

namespace {

const char* TrueFalse(bool value) { return value ? "True" : "False"; }

void AppendBlock(std::vector<std::string>& out, std::string_view marker,
                 const std::vector<std::string>& content) {
  out.emplace_back(marker);
  out.insert(out.end(), content.begin(), content.end());
  out.emplace_back(">>");
}

}  // namespace

std::vector<std::string> WriteLayoutBlocks(const SheetParams& sheet) {
  std::vector<std::string> out;
  AppendBlock(out, "<<value",
              {std::to_string(sheet.paperWidth), TrueFalse(sheet.answerDisplay),
               std::to_string(sheet.lineSpacing), std::to_string(sheet.leftMargin),
               std::to_string(sheet.rightMargin), std::to_string(sheet.startNumber),
               std::to_string(sheet.headerOptions)});
  const HalfWidthFont& f = sheet.halfWidthFont;
  AppendBlock(out, "<<font",
              {std::to_string(sheet.charSize), f.name, TrueFalse(f.bold), TrueFalse(f.italic),
               TrueFalse(f.underline), TrueFalse(f.strikeout), sheet.fontName});
  AppendBlock(out, "<<kran", std::vector<std::string>(sheet.kran.begin(), sheet.kran.end()));
  return out;
}

std::vector<std::string> ComposeCopyFile(const SheetParams& sheet) {
  // A copy keeps a unit with random data random: its lines as written.
  const UnitContent unit = sheet.WrittenUnit();
  std::vector<std::string> out = {"[[unitX"};
  AppendBlock(out, "<<header", {unit.title, unit.school, unit.name});
  AppendBlock(out, "<<ques", unit.questionLines);
  AppendBlock(out, "<<ans", {});
  if (!unit.graphLines.empty()) AppendBlock(out, "<<graph", unit.graphLines);
  if (!unit.aGraphLines.empty()) AppendBlock(out, "<<AGraph", unit.aGraphLines);
  const auto layout = WriteLayoutBlocks(sheet);
  out.insert(out.end(), layout.begin(), layout.end());
  AppendBlock(out, "<<kgroup", unit.kgroupLines);
  // The soft keys stay with the unit wherever it goes.
  if (!unit.softkeyLines.empty()) AppendBlock(out, "<<softkey", unit.softkeyLines);
  // So do the declarations of random data, line for line as they were read:
  // a copy draws the same variants as its unit.
  if (unit.HasRandomBlock()) AppendBlock(out, "<<random", unit.randomLines);
  out.emplace_back("]]");
  return out;
}

Result<std::string> AcceptCopyFileName(std::string_view name) {
  const std::filesystem::path path{std::string(name)};
  std::string extension = path.extension().string();
  if (extension.empty() || extension == ".") {
    std::string accepted(name);
    if (extension == ".") accepted.pop_back();
    return accepted + ".prp";
  }
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (extension == ".prp") return std::string(name);
  return Failure{std::string(name) + ":拡張子が不正です"};
}

}  // namespace tavolo
