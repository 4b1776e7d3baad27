// The records viewer and the class overview as the learner and the teacher
// use them: the unit list with its counts, the lines and the chart of a unit,
// erasing a unit's records, the course menu's 記録表示, and the overview's
// cells and CSV file against `tavolo records`.

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <map>
#include <sstream>

#include "../cli/cli_run.h"
#include "desktop_fixture.h"
#include "gui/app/frm_menu.h"
#include "gui/practice/frm_class_records.h"
#include "gui/practice/frm_kiroku.h"
#include "gui/practice/score_chart.h"
#include "platform/cp932.h"
#include "widget_steps.h"

namespace tavolo::test {
namespace {

std::string RunLine(int run, int score, int seconds) {
  char line[96];
  std::snprintf(line, sizeof line, "2024年05月%02d日 10:%02d [0] %2d/ 4 %3d点 %02d:%02d", run, run,
                score / 25, score, seconds / 60, seconds % 60);
  return line;
}

class RecordsWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    WriteLesson();
    std::string text = "[password]\r\npw=himitsu\r\n[S11正の数・負の数]\r\n";
    for (int k = 1; k <= 12; ++k)
      text += std::to_string(k) + "=" + RunLine(k, (k % 5) * 25, 30 * k) + "\r\n";
    text += "[S12数直線]\r\n";
    for (int k = 1; k <= 5; ++k) text += std::to_string(k) + "=" + RunLine(k, 100, 20) + "\r\n";
    WriteBytes(RecordFile("山田"), EncodeCp932(text));
    WriteSettingText(settings, "LogOnName", "山田");
    NewWindow();
    ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  }
  std::string RecordFile(const char* name) const {
    return (course + "/kazu/").toStdString() + name + ".ini";
  }
  TfrmKiroku* Viewer() const { return window->RecordsWindow(); }
};

TEST_F(RecordsWindowTest, ListsCountsShowsLinesAndChartsTheRuns) {
  QStringList seen;
  ModalHelper modal({[&](QWidget* w) {
    seen << w->objectName() << w->windowTitle() << Child<QLineEdit>(w, "edtName")->text()
         << Texts(Child<QListWidget>(w, "lstTitle"));
    EXPECT_EQ(Child<QListWidget>(w, "lstTitle")->selectionMode(),
              QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(Child<QPlainTextEdit>(w, "memDetail")->toPlainText().isEmpty());

    ClickItem(Child<QListWidget>(w, "lstTitle"), 1);
    const QStringList lines =
        Child<QPlainTextEdit>(w, "memDetail")->toPlainText().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.front(), QString::fromStdString(RunLine(1, 25, 30)));
    // One point per record line, scores and minutes.
    ScoreChart* chart = Viewer()->Chart();
    ASSERT_EQ(chart->ScoreSeries()->count(), 12);
    ASSERT_EQ(chart->TimeSeries()->count(), 12);
    EXPECT_EQ(chart->ScoreSeries()->at(4), QPointF(5, 0));
    EXPECT_EQ(chart->TimeSeries()->at(3), QPointF(4, 2.0));
    EXPECT_EQ(chart->chart()->title(), "S11正の数・負の数");
    // Up to six minutes: whole minutes on the time axis.
    auto timeAxis = [chart] {
      const QValueAxis* axis = chart->TimeAxis();
      return QStringList{axis->titleText(), axis->labelFormat(),
                         QString::number(axis->tickInterval()), QString::number(axis->max())};
    };
    EXPECT_EQ(timeAxis(), (QStringList{"分", "%d", "1", "6"}));

    // The mouse on a point tells its date; off the points, nothing.
    const QPointF mark = chart->chart()->mapToPosition(QPointF(9, 100), chart->ScoreSeries());
    const QPoint at = chart->mapFromScene(chart->chart()->mapToScene(mark));
    QMouseEvent move(QEvent::MouseMove, at, chart->viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart->viewport(), &move);
    EXPECT_EQ(chart->PointAt(at), 9);
    EXPECT_EQ(Child<QLabel>(w, "lblRun")->text(),
              "9回目　2024年05月09日 10:09\n得点 100点（4/4）　所要時間 04:30");
    EXPECT_EQ(chart->PointAt(QPoint(1, 1)), std::nullopt);

    // Runs of twenty seconds are charted in seconds, five to a tick.
    ClickItem(Child<QListWidget>(w, "lstTitle"), 2);
    EXPECT_EQ(chart->TimeSeries()->at(0), QPointF(1, 20));
    EXPECT_EQ(timeAxis(), (QStringList{"秒", "%d", "5", "20"}));
    EXPECT_EQ(chart->TimeSeries()->name(), "所要時間（秒）");

    // A heading names no unit.
    ClickItem(Child<QListWidget>(w, "lstTitle"), 0);
    EXPECT_EQ(Child<QPlainTextEdit>(w, "memDetail")->toPlainText(), "練習の記録はありません");
    EXPECT_EQ(chart->ScoreSeries()->count(), 0);
    ClickButton(w, "閉じる");
  }});
  EXPECT_FALSE(Viewer()->ShowRecords(1, "山田"));
  EXPECT_EQ(seen,
            QStringList({"frmKiroku", "実行記録", "山田", "符号のついた数", "12回S11正の数・負の数",
                         "05回S12数直線", "加法", "  回S21同符号の加法"}));
}

TEST_F(RecordsWindowTest, ErasingOneUnitLeavesEveryOtherByte) {
  const std::string before = ReadBytes(RecordFile("山田"));
  QStringList told;
  ModalHelper modal({
      [&](QWidget* w) {
        // Nothing chosen yet.
        Later(w, [w] { QTest::mouseClick(Child<QPushButton>(w, "btnErase"), Qt::LeftButton); });
      },
      [&](QWidget* box) {
        told << MessageText(box);
        ClickButton(box, "OK");
      },
      [&](QWidget* w) {
        Later(w, [w] {
          ClickItem(Child<QListWidget>(w, "lstTitle"), 2);
          QTest::mouseClick(Child<QPushButton>(w, "btnErase"), Qt::LeftButton);
        });
      },
      [&](QWidget* box) {
        told << MessageText(box);
        ClickButton(box, "はい(&Y)");
      },
      [&](QWidget* w) {
        Later(w, [&, w] {
          told << Texts(Child<QListWidget>(w, "lstTitle"));
          told << Child<QPlainTextEdit>(w, "memDetail")->toPlainText();
          ClickButton(w, "閉じる");
        });
      },
  });
  EXPECT_TRUE(Viewer()->ShowRecords(1, "山田"));
  EXPECT_EQ(told, QStringList({"消去する単元を選んでください",
                               "「S12数直線」の記録（5回）を消してもいいですか？", "符号のついた数",
                               "12回S11正の数・負の数", "  回S12数直線", "加法",
                               "  回S21同符号の加法", ""}));
  std::string expected = before;
  const auto from = expected.find(EncodeCp932("[S12数直線]"));
  ASSERT_NE(from, std::string::npos);
  expected.erase(from);
  EXPECT_EQ(ReadBytes(RecordFile("山田")), expected);
}

TEST_F(RecordsWindowTest, TheCourseMenuOpensTheViewerOnItsUnitAndRefreshesTheMarks) {
  QStringList seen;
  ModalHelper modal({
      [&](QWidget* menu) {
        Child<QListWidget>(menu, "lstUnit")->setCurrentRow(1);
        seen << Texts(Child<QListWidget>(menu, "lstUnit"));
        ASSERT_TRUE(Child<QPushButton>(menu, "btnShowRecord")->isEnabled());
        Later(menu, [menu] {
          QTest::mouseClick(Child<QPushButton>(menu, "btnShowRecord"), Qt::LeftButton);
        });
      },
      [&](QWidget* viewer) {
        Later(viewer, [viewer] {
          // The menu's unit is chosen and shown at once.
          auto* list = Child<QListWidget>(viewer, "lstTitle");
          EXPECT_EQ(list->currentRow(), 2);
          EXPECT_EQ(
              Child<QPlainTextEdit>(viewer, "memDetail")->toPlainText().count(QLatin1Char('\n')),
              4);
          QTest::mouseClick(Child<QPushButton>(viewer, "btnErase"), Qt::LeftButton);
        });
      },
      [&](QWidget* box) {
        // Enter pressed by habit: the question names the unit and keeps its runs.
        seen << MessageText(box);
        auto* question = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(question, nullptr);
        ASSERT_NE(question->defaultButton(), nullptr);
        seen << question->defaultButton()->text();
        if (const QByteArray shots = qgetenv("TAVOLO_SHOTS"); !shots.isEmpty())
          box->grab().save(QString::fromLocal8Bit(shots) + "/erase_question.png");
        QTest::keyClick(box, Qt::Key_Return);
      },
      [&](QWidget* viewer) {
        Later(viewer, [viewer] {
          EXPECT_EQ(
              Child<QPlainTextEdit>(viewer, "memDetail")->toPlainText().count(QLatin1Char('\n')),
              4);
          QTest::mouseClick(Child<QPushButton>(viewer, "btnErase"), Qt::LeftButton);
        });
      },
      [&](QWidget* box) { ClickButton(box, "はい(&Y)"); },
      [&](QWidget* viewer) { Later(viewer, [viewer] { ClickButton(viewer, "閉じる"); }); },
      [&](QWidget* menu) {
        Later(menu, [&, menu] {
          seen << Texts(Child<QListWidget>(menu, "lstUnit"));
          ClickButton(menu, "ｷｬﾝｾﾙ");
        });
      },
  });
  window->OpenUnitFromMenu();
  EXPECT_EQ(seen, QStringList({"◎[12]正の数・負の数", "　[5]数直線",
                               "「S12数直線」の記録（5回）を消してもいいですか？", "いいえ(&N)",
                               "◎[12]正の数・負の数", "　[ ]数直線"}));
}

TEST_F(RecordsWindowTest, NobodySignedOnAsksForANameFirst) {
  WriteSettingText(settings, "LogOnName", "");
  NewWindow();
  ASSERT_EQ(StartWithoutTips(), StartUpOutcome::Ready);
  QStringList seen;
  ModalHelper modal({
      [&](QWidget* menu) {
        Later(menu, [menu] {
          QTest::mouseClick(Child<QPushButton>(menu, "btnShowRecord"), Qt::LeftButton);
        });
      },
      [&](QWidget* names) {
        seen << names->objectName();
        ClickButton(names, "キャンセル");
      },
      [&](QWidget* menu) {
        // Still nobody: no viewer.
        seen << menu->objectName();
        Later(menu, [menu] { ClickButton(menu, "ｷｬﾝｾﾙ"); });
      },
  });
  window->OpenUnitFromMenu();
  EXPECT_EQ(seen, QStringList({"frmInputName", "frmMenu"}));
}

class ClassRecordsWindowTest : public RecordsWindowTest {
 protected:
  void SetUp() override {
    RecordsWindowTest::SetUp();
    WriteBytes(RecordFile("=佐藤"),
               EncodeCp932("[password]\r\npw=pass\r\n[S21同符号の加法]\r\n1=" + RunLine(2, 50, 9) +
                           "\r\n2=手で直した行\r\n[S12数直線]\r\n1=" + RunLine(3, 75, 9) + "\r\n"));
    WriteCp932Lines(course.toStdString() + "/LogOn/sname.txt", {"公開", "=佐藤", "山田"});
  }
};

TEST_F(ClassRecordsWindowTest, CellsAndCsvMatchTheRecordsCommand) {
  const CliRun csv = Cli({"records", course.toStdString(), "--lesson", "1", "--csv"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  // learner -> unit -> best score as the command writes it.
  std::map<std::pair<QString, QString>, QString> best;
  std::istringstream rows(csv.out.substr(3));  // after the byte-order mark
  std::string row;
  std::getline(rows, row);  // header
  while (std::getline(rows, row)) {
    const QStringList cells = QString::fromStdString(row).trimmed().split(QLatin1Char(','));
    ASSERT_EQ(cells.size(), 7) << row;
    QString name = cells[0].startsWith('\'') ? cells[0].mid(1) : cells[0];
    best[{name, cells[2]}] = cells[3] == "0" ? QString() : cells[4].isEmpty() ? "-" : cells[4];
  }
  ASSERT_EQ(best.size(), 6u);

  const QString saved = root.path() + "/学級.csv";
  QStringList filters;
  ModalHelper modal({
      [&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "学級の記録");
        auto* table = Child<QTableWidget>(w, "tblRecords");
        ASSERT_EQ(table->rowCount(), 2);
        ASSERT_EQ(table->columnCount(), 3);
        // The roster's order, not the name's.
        EXPECT_EQ(table->verticalHeaderItem(0)->text(), "=佐藤");
        EXPECT_EQ(table->verticalHeaderItem(1)->text(), "山田");
        EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "1-1\n正の数・負の\n数");
        int compared = 0;
        for (int r = 0; r < table->rowCount(); ++r)
          for (int c = 0; c < table->columnCount(); ++c) {
            const QString who = table->verticalHeaderItem(r)->text();
            const QString unit = table->horizontalHeaderItem(c)->toolTip();
            ASSERT_TRUE(best.count({who, unit})) << who.toStdString() << unit.toStdString();
            EXPECT_EQ(table->item(r, c)->text(), (best[{who, unit}]))
                << who.toStdString() << " " << unit.toStdString();
            EXPECT_FALSE(table->item(r, c)->toolTip().contains("himitsu"));
            EXPECT_FALSE(table->item(r, c)->toolTip().contains("pass"));
            ++compared;
          }
        EXPECT_EQ(compared, 6);
        EXPECT_EQ(table->item(1, 0)->background().color(), TfrmClassRecords::ScoreColour(100));
        EXPECT_EQ(table->item(1, 2)->background().style(), Qt::NoBrush);
        EXPECT_TRUE(table->item(1, 0)->toolTip().startsWith("回数: 12回\n最高点: 100点"));
        Later(w, [w] { QTest::mouseClick(Child<QPushButton>(w, "btnCsv"), Qt::LeftButton); });
      },
      [&](QWidget* files) {
        auto* dialog = qobject_cast<QFileDialog*>(files);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        dialog->selectFile(saved);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      },
      [&](QWidget* w) { Later(w, [w] { ClickButton(w, "閉じる"); }); },
  });
  window->findChild<QAction*>("mnuClassRecords")->trigger();
  EXPECT_TRUE(filters.contains("CSVファイル (*.csv)"));
  EXPECT_EQ(ReadBytes(saved.toStdString()), csv.out);
  EXPECT_EQ(csv.out.find("himitsu"), std::string::npos);
}

TEST_F(ClassRecordsWindowTest, OnlyTheTeacherReachesIt) {
  auto* item = window->findChild<QAction*>("mnuClassRecords");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "学級の記録(&R)...");
  window->btnLockClick();  // learner mode
  ASSERT_TRUE(window->State().KeyLock());
  EXPECT_FALSE(window->findChild<QMenu*>("mnuFile")->menuAction()->isVisible());
  EXPECT_FALSE(window->findChild<QMenu*>("mnuSheetFile")->menuAction()->isVisible());
  NoModalExpected none;
  item->trigger();
  EXPECT_FALSE(window->ClassRecordsWindow()->isVisible());
}

TEST_F(ClassRecordsWindowTest, AnotherLessonAndUnreadableFiles) {
  std::filesystem::create_directories(RecordFile("壊れた"));
  ModalHelper modal({[&](QWidget* w) {
    Later(w, [w] {
      auto* problems = Child<QLabel>(w, "lblProblems");
      EXPECT_TRUE(problems->text().contains("壊れた.ini は通常のファイルではありません"))
          << problems->text().toStdString();
      EXPECT_EQ(Child<QTableWidget>(w, "tblRecords")->rowCount(), 2);
      EXPECT_EQ(Child<QLabel>(w, "lblSummary")->text(), "学習者 2 人　単元 3　記録 20 件");
      ClickButton(w, "閉じる");
    });
  }});
  window->mnuClassRecordsClick();
}

}  // namespace
}  // namespace tavolo::test
