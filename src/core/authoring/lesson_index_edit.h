#pragma once
// Edits of a lesson index's lines as the index editor makes them. Sections
// are found by position, the same way the course menu counts them, so that
// the n-th entry of the editor's list is always the section the menu numbers
// n and whose question file is stem + n + ".que"; the number written after
// "[[sect" is never read. Nothing here deletes a section or a unit.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace tavolo {

using Lines = std::vector<std::string>;

// What a new section's start line begins with; the section number follows.
inline constexpr std::string_view kSectionStartPrefix = "[[sect";
// The caption of the one unit a new section starts with; the number follows.
inline constexpr std::string_view kNewUnitCaptionPrefix = "SubMenu New";
inline constexpr std::string_view kBlockOpen = "<<";
inline constexpr std::string_view kBlockClose = ">>";
inline constexpr std::string_view kSectionClose = "]]";

// A lesson that has no index file yet starts from these seven lines.
Lines LessonIndexTemplate();

// The 0-based line index of section n's start line (n from 1), or nothing.
std::optional<std::size_t> FindSectionLine(const Lines& lines, int section);
int SectionCount(const Lines& lines);
// The unit captions of section n (empty when there is no such section).
Lines SectionUnitCaptions(const Lines& lines, int section);

// Appends "[[sect" + n, the caption, "<<", "SubMenu New" + n, ">>", "]]" with
// n the number of sections after the addition, and returns n. A last section
// that the file left open is closed first, or the new one would be read as
// its units; an empty index gets an empty title line first.
int AppendSection(Lines& lines, std::string_view caption);

// The caption line of section n (the line after its start). False when there
// is no such section.
bool ReplaceSectionCaption(Lines& lines, int section, std::string_view caption);

// Inserts a unit caption right before section n's ">>" (its start line + 3 +
// its unit count). False when there is no such section.
bool InsertUnit(Lines& lines, int section, std::string_view caption);

// The caption line of unit u of section n. False when there is no such unit.
bool ReplaceUnit(Lines& lines, int section, int unit, std::string_view caption);

// Puts the lesson title on line 1. An index whose first line already starts
// section 1 gets a new first line instead, so that the section survives.
void SetTitleLine(Lines& lines, std::string_view title);

// Whether a name can stand on a line of the index: CP932 must be able to hold
// every character, and a unit may not be ">>" (it would end its section) nor
// hold "]" (its runs could not be found in a record file that other programs
// write, RecordSectionCaptionProblem). Failure: the reason for the user.
[[nodiscard]] Status CheckSectionName(std::string_view name);
[[nodiscard]] Status CheckUnitName(std::string_view name);

// A unit name as the editor takes it: without the blanks at its end, which a
// record file written by other programs could not keep either. A name of
// blanks only becomes empty (and adds nothing).
std::string TidyUnitName(std::string_view name);

}  // namespace tavolo
