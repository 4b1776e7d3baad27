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

// The section of a copy file's runs: its file name with the extension, as
// the records viewer lists the lesson's copy files ("kahou_haifu.prp").
std::string CopyFileSection(std::string_view copyFile);

// Where the runs on a sheet are recorded and listed. A sheet of a question
// file: the file of the address's lesson, the section of the sheet's unit. A
// copy-file sheet (copyFile: the path of the copy file it shows; empty for a
// unit): lesson 1's file, the copy file's own section, so that every copy
// file keeps its runs apart and the viewer finds them where it lists it. The
// variant when the sheet was opened as a similar problem.
[[nodiscard]] Result<RecordTarget> RunRecordTarget(const AppState& app, const UnitAddress& address,
                                                   std::string_view unitCaption,
                                                   std::string_view copyFile, bool similarProblem);

}  // namespace tavolo
