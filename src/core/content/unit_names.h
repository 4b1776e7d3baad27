#pragma once
// Names derived from a unit address and the course index.

#include <filesystem>
#include <string>

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

}  // namespace tavolo
