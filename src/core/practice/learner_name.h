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

// Why a non-empty name cannot be used, as one sentence that names the rule
// (and the character) that failed, e.g. "「/」は名前に使えません"; the sign-on
// window shows it in a message and beside the field. Nothing when it can.
// Names that differ only in letter case are one learner (record files are
// found case-insensitively), and the device names of Windows ("CON", "NUL",
// "COM1", ... with or without an extension) are refused.
std::optional<std::string> LearnerNameRefusal(std::string_view name);

// The name without the blanks around it (half- and full-width): a name typed
// with a stray blank is the same name.
std::string TrimLearnerName(std::string_view name);

[[nodiscard]] inline bool IsUsableLearnerName(std::string_view name) {
  return CheckLearnerName(name).ok();
}

}  // namespace tavolo
