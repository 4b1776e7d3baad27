#pragma once
// The learner names that stand for no one in particular. Every program of the
// course knows them, so they are spelled once here for the layers above: the
// sign-on and start-up (which fall back to the shared name), the roster (which
// starts with the public name) and the page (which prints no such name).

#include <string_view>

namespace tavolo {

// The name without a password, used when nobody has signed on.
inline constexpr std::string_view kSharedLearnerName = "共通";
// The name a new roster starts with.
inline constexpr std::string_view kPublicLearnerName = "公開";
// The name older record files carry for a run nobody signed.
inline constexpr std::string_view kUnsignedLearnerName = "noname";

// Names that are never appended to a page's name line.
[[nodiscard]] constexpr bool IsAnonymousLearner(std::string_view learnerName) {
  return learnerName == kUnsignedLearnerName || learnerName == kPublicLearnerName ||
         learnerName == kSharedLearnerName;
}

}  // namespace tavolo
