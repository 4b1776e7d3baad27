#pragma once
// Where a learner's records of a lesson live, how a unit's section in that
// file is named, and how many runs it holds: what the course menu's marks and
// the all-units view show.

#include <filesystem>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "content/unit_address.h"
#include "platform/result.h"
#include "practice/record_store.h"

namespace tavolo {

// The folder that holds the record files of lesson n (n < 1 counts as 1): the
// lesson folder. A course that cannot be written to, or a lesson whose folder
// is missing, keeps its records in the data folder instead (data folder +
// lesson stem), so one learner and lesson always name one file.
std::filesystem::path RecordFolder(const AppState& app, int lesson);

// RecordFolder + learner name + ".ini", for the current learner or a given
// one. A name that cannot be a file name (CheckLearnerName) gives its message.
[[nodiscard]] Result<std::filesystem::path> RecordFilePath(const AppState& app, int lesson);
[[nodiscard]] Result<std::filesystem::path> RecordFilePath(const AppState& app, int lesson,
                                                           std::string_view learner);

// "S" + section + unit + unit caption, e.g. section 2, unit 13, "正の数" -> "S213正の数".
std::string UnitSectionName(int section, int unit, std::string_view unitCaption);

// Where the runs on a sheet are recorded and listed: lesson 1's file for a
// copy file, else the file of the address's lesson; always the section of the
// sheet's unit; the variant when the sheet was opened as a similar problem.
[[nodiscard]] Result<RecordTarget> RunRecordTarget(const AppState& app, const UnitAddress& address,
                                                   std::string_view unitCaption, bool copyFile,
                                                   bool similarProblem);

}  // namespace tavolo
