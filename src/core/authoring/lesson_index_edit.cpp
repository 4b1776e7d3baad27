#include "authoring/lesson_index_edit.h"

#include <algorithm>

#include "content/lesson_index.h"
#include "platform/cp932.h"
#include "platform/utf8.h"

namespace tavolo {

namespace {

// Makes sure the caption and "<<" lines of the section starting at `start`
// exist, for an index cut short right after a section start.
void CompleteSectionHead(Lines& lines, std::size_t start) {
  if (lines.size() < start + 2) lines.emplace_back();
  if (lines.size() < start + 3) lines.emplace_back(kBlockOpen);
}

}  // namespace

Lines LessonIndexTemplate() {
  return {"ここにタイトルをかいてください",
          std::string(kSectionStartPrefix) + "1",
          "ここは主メニュー",
          std::string(kBlockOpen),
          "ここは副メニュー",
          std::string(kBlockClose),
          std::string(kSectionClose)};
}

std::optional<std::size_t> FindSectionLine(const Lines& lines, int section) {
  const LessonIndex index = ParseLessonIndex(lines);
  const Section* found = index.FindSection(section);
  if (!found) return std::nullopt;
  return static_cast<std::size_t>(found->startLine - 1);
}

int SectionCount(const Lines& lines) {
  return static_cast<int>(ParseLessonIndex(lines).sections.size());
}

Lines SectionUnitCaptions(const Lines& lines, int section) {
  const LessonIndex index = ParseLessonIndex(lines);
  const Section* found = index.FindSection(section);
  return found ? found->units : Lines();
}

int AppendSection(Lines& lines, std::string_view caption) {
  const LessonIndex index = ParseLessonIndex(lines);
  if (lines.empty()) lines.emplace_back();  // the title line
  if (!index.sections.empty() && !index.sections.back().closed) {
    CompleteSectionHead(lines, static_cast<std::size_t>(index.sections.back().startLine - 1));
    lines.emplace_back(kBlockClose);
    lines.emplace_back(kSectionClose);
  }
  const int n = static_cast<int>(index.sections.size()) + 1;
  const std::string number = std::to_string(n);
  lines.push_back(std::string(kSectionStartPrefix) + number);
  lines.emplace_back(caption);
  lines.emplace_back(kBlockOpen);
  lines.push_back(std::string(kNewUnitCaptionPrefix) + number);
  lines.emplace_back(kBlockClose);
  lines.emplace_back(kSectionClose);
  return n;
}

bool ReplaceSectionCaption(Lines& lines, int section, std::string_view caption) {
  const auto start = FindSectionLine(lines, section);
  if (!start) return false;
  if (*start + 1 < lines.size())
    lines[*start + 1] = std::string(caption);
  else
    lines.emplace_back(caption);
  return true;
}

bool InsertUnit(Lines& lines, int section, std::string_view caption) {
  const LessonIndex index = ParseLessonIndex(lines);
  const Section* found = index.FindSection(section);
  if (!found) return false;
  const auto start = static_cast<std::size_t>(found->startLine - 1);
  CompleteSectionHead(lines, start);
  const std::size_t at = std::min(start + 3 + found->units.size(), lines.size());
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::string(caption));
  return true;
}

bool ReplaceUnit(Lines& lines, int section, int unit, std::string_view caption) {
  const LessonIndex index = ParseLessonIndex(lines);
  const Section* found = index.FindSection(section);
  if (!found || unit < 1 || unit > static_cast<int>(found->unitLines.size())) return false;
  lines[static_cast<std::size_t>(found->unitLines[static_cast<std::size_t>(unit - 1)] - 1)] =
      std::string(caption);
  return true;
}

void SetTitleLine(Lines& lines, std::string_view title) {
  if (lines.empty()) {
    lines.emplace_back(title);
  } else if (lines.front().rfind("[[", 0) == 0) {
    if (lines.front() != title) lines.insert(lines.begin(), std::string(title));
  } else {
    lines.front() = std::string(title);
  }
}

Status CheckSectionName(std::string_view name) {
  // A character the file has no code for would be written as "?"; one with a
  // look-alike code (a typed "−" becomes "－") is written as that and is fine.
  if (const auto unwritable = FindUnwritableCharacter(name))
    return Failure{"「" + unwritable->character + "」はインデックスファイルに書けない文字です"};
  return Succeeded();
}

Status CheckUnitName(std::string_view name) {
  if (name == kBlockClose) return Failure{"「>>」は単元の名前にできません"};
  if (name.find(']') != std::string_view::npos) {
    return Failure{
        "「]」は単元の名前に使えません。ほかのプログラムが書いた記録ファイルでは、"
        "この単元の記録が読めなくなります"};
  }
  return CheckSectionName(name);
}

std::string TidyUnitName(std::string_view name) {
  constexpr std::string_view kWideBlank = "　";
  for (;;) {
    if (name.ends_with(' ') || name.ends_with('\t')) {
      name.remove_suffix(1);
    } else if (name.ends_with(kWideBlank)) {
      name.remove_suffix(kWideBlank.size());
    } else {
      return std::string(name);
    }
  }
}

}  // namespace tavolo
