#include "practice/run_recorder.h"

#include "practice/record_line.h"

namespace tavolo {

Status RecordFileRecorder::Record(const RunResult& result) {
  const RunRecord record{clock_(),     target_.variant, result.triesDigits,   result.correct,
                         result.total, result.score,    result.elapsedSeconds};
  auto key = RecordStore(target_.file).AppendRunRecord(target_.section, RecordLine(record));
  if (!key) return key.failure();
  return Succeeded();
}

}  // namespace tavolo
