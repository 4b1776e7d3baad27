// The learner's side of the desktop program on a sheet of 80 answer boxes:
// "学　習" to the practice window on the screen, and one Enter in a field to
// its mark on the sheet picture and the next field focused.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>

#include "gui/app/frm_main.h"
#include "gui/app/frm_menu.h"
#include "gui/app/message_dialogs.h"
#include "gui/app/qsettings_store.h"
#include "gui/practice/frm_renshu.h"
#include "platform/text_file.h"

namespace tavolo {
namespace {

using Clock = std::chrono::steady_clock;

// A course of one unit with 80 answers on 40 lines, at a small line spacing
// so that the whole sheet fits the page.
void WriteEightyBoxCourse(const std::string& folder) {
  QDir().mkpath(QString::fromStdString(folder + "/kazu"));
  (void)WriteLines(folder + "/Main.ind", {"正と負の数", "", "正の数と負の数,kazu\\ kz"});
  (void)WriteLines(folder + "/kazu/kz.ind",
                   {"正の数と負の数", "[[sect1", "計算", "<<", "四則の混じった計算", ">>", "]]"});
  std::vector<std::string> lines = {"[[unit1", "<<ques"};
  for (int i = 1; i <= 40; ++i) {
    const std::string a = std::to_string(i);
    lines.push_back("(" + a + ") (+" + a + ")+(-7)=#" + std::to_string(i - 7) + "#　　(-" + a +
                    ")*(-2)=#+" + std::to_string(2 * i) + ";" + std::to_string(2 * i) + "#");
  }
  for (const char* line :
       {">>", "<<value", "630",   "False", "27",    "5",     "5", "1",  "7",      ">>", "<<font",
        "10", "MS 明朝", "False", "False", "False", "False", "0", ">>", "<<kran", "1",  "8",
        "2",  "0",       "0",     "0",     "15",    "10",    "0", "0",  ">>",     "]]"})
    lines.emplace_back(line);
  (void)WriteLines(folder + "/kazu/kz1.que", lines);
  QImage title(120, 60, QImage::Format_RGB32);
  title.fill(Qt::white);
  title.save(QString::fromStdString(folder + "/Title.BMP"), "BMP");
}

struct PracticeDesktop {
  QTemporaryDir root;
  QSettingsStore settings{root.path() + "/config"};
  MessageDialogs dialogs;
  std::unique_ptr<TfrmMain> window;

  // runs: how often the shared learner has practised the unit already.
  explicit PracticeDesktop(int runs = 0) {
    const std::string course = (root.path() + "/course").toStdString();
    WriteEightyBoxCourse(course);
    if (runs > 0) {
      std::vector<std::string> records = {"[S11四則の混じった計算]"};
      records.reserve(static_cast<std::size_t>(runs) + 1);
      for (int k = 1; k <= runs; ++k)
        records.emplace_back(std::to_string(k) + "=2024年05月03日 14:05 [0010]  3/ 4  75点 02:15");
      (void)WriteLines(course + "/kazu/共通.ini", records);
    }
    QDir().mkpath(root.path() + "/home");
    WriteSettingBool(settings, "ShowDoYouKnow", false);
    window = std::make_unique<TfrmMain>(settings, dialogs);
    dialogs.SetParent(window.get());
    window->show();
    StartUpPlaces places;
    places.courseFolder = course;
    places.dataFolder = (root.path() + "/data").toStdString();
    places.homeFolder = (root.path() + "/home").toStdString();
    window->StartUp(places);
    CourseMenu& menu = window->MenuWindow()->Menu();
    menu.ChooseLesson(1, dialogs);
    menu.ChooseSection(1);
    menu.ChooseUnit(1);
    window->OpenUnit(menu.Choose(std::nullopt).value(), false);
  }
  TfrmRenshu& Practice() { return *window->PracticeWindow(); }
};

void Press(QWidget* widget, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

// From "学　習" to the practice window shown and painted on its sheet.
void BM_OpenPracticeWindowOn80Boxes(benchmark::State& state) {
  PracticeDesktop desktop;
  int boxes = 0;
  for (auto _ : state) {
    Clock::time_point shown;
    QTimer::singleShot(0, [&] {
      TfrmRenshu& practice = desktop.Practice();
      practice.repaint();
      shown = Clock::now();
      boxes = practice.Run()->BoxCount();
      practice.close();
    });
    const Clock::time_point start = Clock::now();
    desktop.window->btnTestClick();
    state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
  }
  state.counters["boxes"] = boxes;
}
BENCHMARK(BM_OpenPracticeWindowOn80Boxes)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same with a unit practised 100,000 times: the records list beside the
// sheet holds every run.
void BM_OpenPracticeWindowOnAUnitOf100000Runs(benchmark::State& state) {
  PracticeDesktop desktop(100000);
  int listed = 0;
  for (auto _ : state) {
    Clock::time_point shown;
    QTimer::singleShot(0, [&] {
      TfrmRenshu& practice = desktop.Practice();
      practice.repaint();
      shown = Clock::now();
      listed = practice.findChild<QPlainTextEdit*>("memKiroku")->blockCount();
      practice.close();
    });
    const Clock::time_point start = Clock::now();
    desktop.window->btnTestClick();
    state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
  }
  if (listed != 100000) state.SkipWithError("not every run was listed");
  state.counters["records"] = listed;
}
BENCHMARK(BM_OpenPracticeWindowOnAUnitOf100000Runs)->UseManualTime()->Unit(benchmark::kMillisecond);

// Enter in a field with the right answer: judged, the answer and its circle
// drawn on the sheet picture and shown, the next field focused.
void BM_EnterToMarkAndNextField(benchmark::State& state) {
  PracticeDesktop desktop;
  bool nextFocused = true;
  QTimer::singleShot(0, [&] {
    TfrmRenshu& practice = desktop.Practice();
    QApplication::setActiveWindow(&practice);
    auto* sheet = practice.findChild<QWidget*>("imgPaper2");
    auto click = [&](const char* name) { practice.findChild<QPushButton*>(name)->click(); };
    click("btnRenshu");
    int n = 1;
    for (auto _ : state) {
      state.PauseTiming();
      if (n == practice.Run()->BoxCount()) {  // the last box would end the run
        click("btnAbort");
        click("btnRenshu");
        n = 1;
      }
      auto* field = practice.findChild<QLineEdit*>("M" + QString::number(n));
      for (QChar c : QString::fromStdString(practice.Run()->AnswerKeyOf(n).Model()))
        Press(field, 0, QString(c));
      state.ResumeTiming();
      Press(field, Qt::Key_Return);
      sheet->repaint();
      state.PauseTiming();
      ++n;
      nextFocused = nextFocused && practice.Run()->View().focusBox == n &&
                    practice.findChild<QLineEdit*>("M" + QString::number(n))->hasFocus();
      state.ResumeTiming();
    }
    click("btnAbort");
    practice.close();
  });
  desktop.window->btnTestClick();
  if (!nextFocused) state.SkipWithError("the next field did not get the focus");
}
BENCHMARK(BM_EnterToMarkAndNextField)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavolo
