// The question editor window as a teacher feels it, on the last unit of a
// 2,000-unit question file: from "編　集" to the filled window, and from OK to
// the unit written.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "big_question_file.h"
#include "content/unit_reader.h"
#include "gui/app/message_dialogs.h"
#include "gui/authoring/frm_edit_ques.h"

namespace tavolo {
namespace {

constexpr int kUnits = 2000;

struct EditorBench {
  bench::BigCourse big{kUnits};
  MessageDialogs dialogs;
  TfrmEditQues editor{dialogs, TfrmEditQues::Host{}};
  SheetParams params;

  EditorBench() {
    const UnitReading reading =
        ReadUnitBlock(big.file, bench::Numbered("[[unit", kUnits), 1, kUnits, {"L", "S", "U"});
    if (reading.ok()) params = LoadSheetParams(*reading.content, true).params;
  }
  // Shows the editor; `act` runs once it waits for the teacher.
  bool Edit(const std::function<void()>& act) {
    QTimer::singleShot(0, &editor, act);
    const EditorSheet sheet{params, {}};
    return editor.EditSheetUnit(big.course, {1, 1, kUnits, 0}, {"L", "S", "U"}, sheet,
                                QRect(0, 0, 1280, 800));
  }
};

void BM_EditorWindowOpenOnLastUnitOf2000(benchmark::State& state) {
  EditorBench bench;
  for (auto _ : state) {
    // Opened, filled and shown; Cancel as soon as it waits.
    bench.Edit([&] { bench.editor.btnCancelClick(); });
  }
}
BENCHMARK(BM_EditorWindowOpenOnLastUnitOf2000)->Unit(benchmark::kMillisecond);

void BM_EditorWindowOkOnLastUnitOf2000(benchmark::State& state) {
  EditorBench bench;
  for (auto _ : state) {
    state.PauseTiming();
    bool saved = false;
    // Timed from the OK click to the written file.
    bench.Edit([&] {
      state.ResumeTiming();
      bench.editor.btnOkClick();
      saved = bench.editor.result() == QDialog::Accepted;
    });
    if (!saved) {
      state.SkipWithError("OK did not save");
      break;
    }
  }
}
BENCHMARK(BM_EditorWindowOkOnLastUnitOf2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
