#pragma once
// Names derived from a unit address and the course index.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "content/course_index.h"
#include "content/unit_address.h"

namespace tavolo {

// course folder + lesson folder + stem + section + ".que" (found case-insensitively).
std::filesystem::path QuestionFilePath(const CourseIndex& course, const UnitAddress& address);

// Question file path + "-U" + unit [+ "R" + variant]: the worksheet window's
// caption and how an already open unit is recognised.
std::string UnitIdentity(const CourseIndex& course, const UnitAddress& address);

// stem + section + ".que" + "-U" + unit [+ "R" + variant].
std::string ShortUnitName(const CourseIndex& course, const UnitAddress& address);

// A unit's caption ends the name of its section in the learner record files
// ("S" + section + unit + caption). This program reads back every such name
// it writes, but the INI readers of other programs that share the files do
// not agree on a name that holds "]" or ends in blanks: some end it at its
// first "]", some drop the blanks from the name they look for but not from
// the one in the file, so runs filed by one program are looked for under
// another name by the other. Why a caption is one of those; nothing when it
// is not.
std::optional<std::string> RecordSectionCaptionProblem(std::string_view caption);

}  // namespace tavolo
