#include "practice/run_recorder.h"

#include "practice/record_line.h"

namespace tavolo {

Status RecordFileRecorder::Record(const RunRecord& run) {
  RunRecord record = run;
  record.when = clock_();
  record.variant = target_.variant;
  auto key = RecordStore(target_.file).AppendRunRecord(target_.section, RecordLine(record));
  if (!key) return key.failure();
  return Succeeded();
}

}  // namespace tavolo
