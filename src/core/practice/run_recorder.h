#pragma once
// Records a graded run in the learner's record file.

#include <functional>

#include "platform/clock.h"
#include "practice/practice_run.h"
#include "practice/record_store.h"

namespace tavolo {

class RecordFileRecorder final : public RunRecorder {
 public:
  using Clock = std::function<DateTime()>;
  explicit RecordFileRecorder(RecordTarget target, Clock clock = Now)
      : target_(std::move(target)), clock_(std::move(clock)) {}

  // Appends the run's RecordLine, dated now and with the target's similar
  // problem, under the next key of the section.
  [[nodiscard]] Status Record(const RunRecord& run) override;

 private:
  RecordTarget target_;
  Clock clock_;
};

}  // namespace tavolo
