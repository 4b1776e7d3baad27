#pragma once
// Where a learner's records of a lesson live, how a unit's section in that
// file is named, and how many runs it holds: what the course menu's marks and
// the all-units view show.

#include <filesystem>
#include <string>
#include <string_view>

#include "app/app_state.h"

namespace tavolo {

// lesson folder + learner name + ".ini" for lesson n (n < 1 counts as 1).
// A course that cannot be written to, or a lesson whose folder is missing,
// keeps its records in the data folder instead: data folder + lesson stem +
// "/" + learner name + ".ini", so one learner and lesson always name one file.
std::filesystem::path RecordFilePath(const AppState& app, int lesson);

// "S" + section + unit + unit caption, e.g. section 2, unit 13, "正の数" -> "S213正の数".
std::string UnitSectionName(int section, int unit, std::string_view unitCaption);

// The number of runs recorded in a section of a record file; 0 when the file
// or the section is missing.
int RecordCount(const std::filesystem::path& recordFile, std::string_view section);

}  // namespace tavolo
