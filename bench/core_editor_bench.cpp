// The question editor on the last unit of a 2,000-unit question file: loading
// it with the sheet's layout, and saving it (the file is read again and only
// that unit's bytes are replaced).

#include <benchmark/benchmark.h>

#include "authoring/question_editor.h"
#include "big_question_file.h"
#include "content/unit_reader.h"
#include "platform/dialogs.h"

namespace tavolo {
namespace {

constexpr int kUnits = 2000;

class SilentDialogs final : public Dialogs {
 public:
  void Inform(std::string_view message) override { told = std::string(message); }
  bool AskYesNo(std::string_view) override { return true; }
  bool AskBeforeDestroying(std::string_view) override { return true; }
  Answer AskYesNoCancel(std::string_view) override { return Answer::Yes; }
  std::optional<std::string> ChooseSaveFile(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseOpenFile(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  std::string told;
};

// The sheet of the last unit, as opening it made it.
SheetParams LastUnitSheet(const bench::BigCourse& big) {
  const UnitReading reading =
      ReadUnitBlock(big.file, bench::Numbered("[[unit", kUnits), 1, kUnits, {"L", "S", "U"});
  return reading.ok() ? LoadSheetParams(*reading.content, true).params : SheetParams();
}

void BM_EditorLoadLastUnitOf2000(benchmark::State& state) {
  bench::BigCourse big(kUnits);
  if (!big.ok) return state.SkipWithError("cannot write the question file");
  const EditorSheet sheet{LastUnitSheet(big), {}};
  SilentDialogs dialogs;
  QuestionEditor editor;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(big.file));
  for (auto _ : state) {
    editor.Load(big.course, {1, 1, kUnits, 0}, {"L", "S", "U"}, &sheet, dialogs);
    benchmark::DoNotOptimize(editor.boxes);
  }
  if (editor.boxes.question.size() != 9 || !dialogs.told.empty())
    state.SkipWithError("the unit did not load");
}
BENCHMARK(BM_EditorLoadLastUnitOf2000)->Unit(benchmark::kMillisecond);

void BM_EditorSaveLastUnitOf2000(benchmark::State& state) {
  bench::BigCourse big(kUnits);
  if (!big.ok) return state.SkipWithError("cannot write the question file");
  const EditorSheet sheet{LastUnitSheet(big), {}};
  SilentDialogs dialogs;
  QuestionEditor editor;
  editor.Load(big.course, {1, 1, kUnits, 0}, {"L", "S", "U"}, &sheet, dialogs);
  int round = 0;
  for (auto _ : state) {
    editor.boxes.hint = {bench::Numbered("ヒント ", ++round)};
    if (editor.Save(dialogs).stop != EditorStop::Saved) {
      state.SkipWithError(dialogs.told.c_str());
      break;
    }
  }
}
BENCHMARK(BM_EditorSaveLastUnitOf2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
