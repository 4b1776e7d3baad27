#pragma once
// Which learner names can be used. A name becomes part of a file name (the
// learner's record file of each lesson), and course folders travel between
// machines on USB sticks and shared drives, so a name must be a plain file
// name everywhere the course may go: no folder separators, no "." or "..",
// nothing the common file systems refuse, and short enough for the roster.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace tavolo {

// Longest learner name in Shift-JIS bytes (32 full-width characters).
inline constexpr std::size_t kMaxLearnerNameBytes = 64;

// Succeeds when the name can name a record file; otherwise the failure says
// why, in words a learner understands.
[[nodiscard]] Status CheckLearnerName(std::string_view name);

// Why a non-empty name cannot be used, in a few words without a lead-in (the
// sign-on window says "この名前は使えません" and shows this beside the field);
// nothing when it can.
std::optional<std::string> LearnerNameRefusal(std::string_view name);

[[nodiscard]] inline bool IsUsableLearnerName(std::string_view name) {
  return CheckLearnerName(name).ok();
}

}  // namespace tavolo
