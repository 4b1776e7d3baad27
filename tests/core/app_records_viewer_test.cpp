// The records viewer's unit list, record lines, runs and erasing, and the
// class overview's grid and CSV file, over record files written as another
// machine would have written them (Shift-JIS, CR LF).

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/class_overview.h"
#include "app/record_file.h"
#include "app/records_viewer.h"
#include "app/unit_marks.h"
#include "app_fakes.h"
#include "content/lesson_index.h"
#include "platform/cp932.h"
#include "platform/file_lock.h"
#include "practice/run_recorder.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ReadBytes;
using test::ScriptedDialogs;
using test::TempFolder;
using test::WriteBytes;

std::string RunLine(int day, int score, int seconds) {
  char line[96];
  std::snprintf(line, sizeof line, "2024年05月%02d日 10:%02d [00] %2d/ 4 %3d点 %02d:%02d", day, day,
                score / 25, score, seconds / 60, seconds % 60);
  return line;
}

// Lesson 1 of two sections (units 正の数, 負の数; 加法), with a copy file; the
// learner 山田 practised 正の数 twelve times and 加法 five times.
class RecordsViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetCourseFolder(test::CourseFolderOf(folder));
    app.SetWindowsFolder((folder / "data").string() + "/");
    test::WriteCp932Lines(folder / "Main.ind", {"数学", "", "正負,kazu\\ kz"});
    test::WriteCp932Lines(folder / "kazu" / "kz.ind",
                          {"正の数と負の数", "[[sect1", "符号のついた数", "<<", "正の数", "負の数",
                           ">>", "]]", "[[sect2", "加法と減法", "<<", "加法", ">>", "]]"});
    WriteBytes(folder / "kz" / "まとめ.prp", "");
    std::string text = "; 先生のメモ\r\n[password]\r\npw=himitsu\r\n[S11正の数]\r\n";
    for (int k = 1; k <= 12; ++k)
      text += std::to_string(k) + "=" + RunLine(k, k * 8, 60 + k) + "\r\n";
    text += "\r\n[S21加法]\r\n";
    for (int k = 1; k <= 5; ++k) text += std::to_string(k) + "=" + RunLine(k, 100, 30) + "\r\n";
    text += "[まとめ.prp]\r\n1=手で書いた行\r\n";
    WriteBytes(File(), EncodeCp932(text));
    auto course = ReadCourseIndex(app.CourseFolder());
    ASSERT_TRUE(course) << course.message();
    app.SetCourse(std::move(course).value());
  }
  fs::path File() const { return folder / "kazu" / "山田.ini"; }
  // A run of the signed-on learner on a sheet, as the practice window records it.
  void Practise(const UnitAddress& address, const std::string& caption, const std::string& copyFile,
                int score) {
    app.SetLearnerName("山田");
    auto target = RunRecordTarget(app, address, caption, copyFile, false);
    ASSERT_TRUE(target) << target.message();
    RecordFileRecorder recorder(target.value(), [] { return DateTime{2024, 6, 1, 9, 0, 0}; });
    ASSERT_TRUE(recorder.Record(RunRecord{{}, 0, "", score / 25, 4, score, 70}).ok());
  }
  static std::string JuneLine(int score) {
    return RecordLine({{2024, 6, 1, 9, 0, 0}, 0, "", score / 25, 4, score, 70});
  }
  Lines Texts() const {
    Lines texts;
    for (const auto& e : viewer.Entries()) texts.push_back(e.text);
    return texts;
  }

  TempFolder folder;
  AppState app;
  ScriptedDialogs dialogs;
  RecordsViewer viewer{app};
};

TEST_F(RecordsViewerTest, ListsHeadingsUnitCountsAndCopyFiles) {
  viewer.Open(1, "山田", dialogs);
  EXPECT_EQ(Texts(), (Lines{"符号のついた数", "12回S11正の数", "  回S12負の数", "加法と減法",
                            "05回S21加法", "01回まとめ.prp"}));
  EXPECT_TRUE(viewer.Entries()[0].heading);
  EXPECT_EQ(viewer.Entries()[0].section, "?");
  EXPECT_EQ(viewer.FindEntry("S21加法"), 4);
  EXPECT_EQ(viewer.FindEntry("S99"), std::nullopt);
  EXPECT_TRUE(dialogs.log.empty());

  // A learner without a file sees every unit with two blanks.
  viewer.Open(0, "佐藤", dialogs);
  EXPECT_EQ(viewer.Lesson(), 1);
  EXPECT_EQ(Texts(), (Lines{"符号のついた数", "  回S11正の数", "  回S12負の数", "加法と減法",
                            "  回S21加法", "  回まとめ.prp"}));
  EXPECT_FALSE(fs::exists(folder / "kazu" / "佐藤.ini"));  // reading creates nothing

  // Without a lesson index only the copy files are listed.
  fs::remove(folder / "kazu" / "kz.ind");
  viewer.Open(1, "山田", dialogs);
  EXPECT_EQ(Texts(), Lines{"01回まとめ.prp"});
}

TEST_F(RecordsViewerTest, ShowsTheLinesAndRunsOfAnEntry) {
  viewer.Open(1, "山田", dialogs);
  const Lines lines = viewer.DetailLines(1);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines.front(), RunLine(1, 8, 61));
  EXPECT_EQ(lines.back(), RunLine(12, 96, 72));
  // One point per record line, in order.
  const auto runs = viewer.Runs(1);
  ASSERT_EQ(runs.size(), 12u);
  for (int k = 1; k <= 12; ++k) {
    EXPECT_EQ(runs[static_cast<std::size_t>(k - 1)].run, k);
    EXPECT_EQ(runs[static_cast<std::size_t>(k - 1)].record.score, k * 8);
    EXPECT_EQ(runs[static_cast<std::size_t>(k - 1)].record.elapsedSeconds, 60 + k);
  }
  // A hand-written line is listed but has no point; headings and units
  // without records say so.
  EXPECT_EQ(viewer.DetailLines(5), Lines{"手で書いた行"});
  EXPECT_TRUE(viewer.Runs(5).empty());
  for (std::optional<int> none : {std::optional<int>(0), std::optional<int>(2),
                                  std::optional<int>(), std::optional<int>(99)}) {
    EXPECT_EQ(viewer.DetailLines(none), Lines{"練習の記録はありません"});
    EXPECT_TRUE(viewer.Runs(none).empty());
  }
}

TEST_F(RecordsViewerTest, UnitsOfAnyCaptionShowTheirRunsInEveryReader) {
  // Captions the index allows, however they end; the one with the trailing
  // blank comes as another program's index would have it.
  const Lines captions = {"正の数・負の数の加法[基本]", "加法 ", "a]b", "[減法]"};
  test::WriteCp932Lines(folder / "kazu" / "kz.ind",
                        {"t", "[[sect1", "符号", "<<", captions[0], captions[1], captions[2],
                         captions[3], ">>", "]]"});
  WriteBytes(folder / "kazu" / "kz1.que", "");
  for (int u = 1; u <= 4; ++u)
    Practise({1, 1, u, 0}, captions[static_cast<std::size_t>(u - 1)], "", 25 * u);
  Practise({1, 1, 2, 0}, captions[1], "", 100);  // a second run goes into the same section

  viewer.Open(1, "山田", dialogs);
  EXPECT_EQ(Texts(), (Lines{"符号", "01回S11正の数・負の数の加法[基本]", "02回S12加法 ",
                            "01回S13a]b", "01回S14[減法]", "01回まとめ.prp"}));
  EXPECT_EQ(viewer.DetailLines(1), Lines{JuneLine(25)});
  EXPECT_EQ(viewer.DetailLines(2), (Lines{JuneLine(50), JuneLine(100)}));
  EXPECT_EQ(viewer.DetailLines(4), Lines{JuneLine(100)});

  // The course menu's marks count them too.
  UnitMarks marks;
  marks.Refresh(app, 1, ReadLessonIndex(app.Course(), 1).value(), false);
  EXPECT_EQ(marks.Text(1, 1), "　[1]");
  EXPECT_EQ(marks.Text(1, 2), "　[2]");

  // The class's records list each unit once, with its runs, and no stray
  // section beside it: only the two the index no longer names.
  const ClassRecords records = CollectClassRecords(app, 1, std::string("山田"));
  Lines listed;
  for (const UnitRecords& unit : records.lessons.at(0).learners.at(0).units)
    listed.push_back(unit.section + " " + std::to_string(unit.Runs()));
  EXPECT_EQ(listed, (Lines{"S11正の数・負の数の加法[基本] 1", "S12加法  2", "S13a]b 1",
                           "S14[減法] 1", "まとめ.prp 1", "S11正の数 12", "S21加法 5"}));

  // Erasing one of them erases that one.
  dialogs.answers = {Answer::Yes};
  EXPECT_TRUE(viewer.Erase(2, dialogs));
  EXPECT_EQ(viewer.Entries()[2].text, "  回S12加法 ");
  EXPECT_EQ(viewer.Entries()[1].text, "01回S11正の数・負の数の加法[基本]");
}

TEST_F(RecordsViewerTest, ACopyFilesRunsAreListedUnderItsOwnEntry) {
  // A sheet opened from the copy file: no unit address.
  Practise(UnitAddress{}, "", (folder / "kz" / "まとめ.prp").string(), 75);
  viewer.Open(1, "山田", dialogs);
  EXPECT_EQ(viewer.Entries().back().text, "02回まとめ.prp");
  EXPECT_EQ(viewer.DetailLines(5), (Lines{"手で書いた行", JuneLine(75)}));
  EXPECT_EQ(ReadBytes(File()).find("[S00"), std::string::npos);
  // Another copy file's runs stay apart, also from a sheet of lesson 2 saved as one.
  WriteBytes(folder / "kz" / "配布.prp", "");
  Practise(UnitAddress{2, 1, 1, 0}, "よその単元", (folder / "kz" / "配布.prp").string(), 50);
  viewer.Open(1, "山田", dialogs);
  EXPECT_EQ(viewer.Entries()[5].text, "02回まとめ.prp");
  EXPECT_EQ(viewer.Entries()[6].text, "01回配布.prp");
  EXPECT_EQ(viewer.Entries()[1].text, "12回S11正の数");
}

TEST_F(RecordsViewerTest, AGapInTheKeysHidesNoRun) {
  WriteBytes(File(), EncodeCp932("[S21加法]\r\n1=" + RunLine(1, 50, 30) +
                                 "\r\n3=" + RunLine(3, 75, 30) + "\r\n"));
  Practise({1, 2, 1, 0}, "加法", "", 100);  // written under "4"
  EXPECT_NE(ReadBytes(File()).find("\r\n4="), std::string::npos);
  viewer.Open(1, "山田", dialogs);
  EXPECT_EQ(viewer.Entries()[4].text, "03回S21加法");
  EXPECT_EQ(viewer.DetailLines(4), (Lines{RunLine(1, 50, 30), RunLine(3, 75, 30), JuneLine(100)}));
  const auto runs = viewer.Runs(4);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs.back().run, 3);
  EXPECT_EQ(runs.back().record.score, 100);
}

TEST_F(RecordsViewerTest, ALearnerNamedDesktopIsOneOfTheClass) {
  // Windows' own desktop.ini is nobody's; a learner named "desktop" has one too.
  WriteBytes(folder / "kazu" / "desktop.ini", "[.ShellClassInfo]\r\nIconResource=x.dll,3\r\n");
  EXPECT_EQ(CollectClassRecords(app, 1, std::nullopt).lessons.at(0).learners.size(), 1u);
  const struct {
    const char* name;
    std::string file;
    std::string best;
  } cases[] = {
      {"signed on, never practised", "[password]\r\npw=abc\r\n", ""},
      {"runs only", EncodeCp932("[S21加法]\r\n1=" + RunLine(2, 75, 30) + "\r\n"), "75"},
      {"runs in a folder Windows has customised",
       EncodeCp932("[.ShellClassInfo]\r\nIconResource=x\r\n[S21加法]\r\n1=" + RunLine(2, 50, 30) +
                   "\r\n"),
       "50"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(folder / "kazu" / "desktop.ini", c.file);
    const ClassRecords records = CollectClassRecords(app, 1, std::nullopt);
    const ClassGrid grid = BuildClassGrid(app.Course(), records.lessons.at(0), {});
    EXPECT_EQ(grid.learners, (Lines{"desktop", "山田"}));
    EXPECT_EQ(grid.cells.at(0).at(2).Text(), c.best);  // 2-1 加法
  }
}

TEST_F(RecordsViewerTest, ErasingOneSectionLeavesEveryOtherByte) {
  viewer.Open(1, "山田", dialogs);
  const std::string before = ReadBytes(File());

  EXPECT_FALSE(viewer.Erase(std::nullopt, dialogs));
  EXPECT_EQ(dialogs.log, Lines{"inform: 消去する単元を選んでください"});
  dialogs.answers = {Answer::No};
  EXPECT_FALSE(viewer.Erase(4, dialogs));
  // The question names what goes and defaults to No.
  EXPECT_EQ(dialogs.log.back(), "destroy: 「S21加法」の記録（5回）を消してもいいですか？");
  EXPECT_FALSE(viewer.Erased());
  EXPECT_EQ(ReadBytes(File()), before);

  dialogs.answers = {Answer::Yes};
  EXPECT_TRUE(viewer.Erase(4, dialogs));
  EXPECT_TRUE(viewer.Erased());
  std::string expected = before;
  const std::string section = EncodeCp932("[S21加法]\r\n");
  const auto from = expected.find(section);
  const auto to = expected.find(EncodeCp932("[まとめ.prp]"));
  ASSERT_NE(from, std::string::npos);
  expected.erase(from, to - from);
  EXPECT_EQ(ReadBytes(File()), expected);
  EXPECT_EQ(viewer.Entries()[4].text, "  回S21加法");  // read again

  // A heading names the section "?", which the file does not have.
  dialogs.answers = {Answer::Yes};
  EXPECT_TRUE(viewer.Erase(0, dialogs));
  EXPECT_EQ(dialogs.log.back(), "destroy: 「?」の記録を消してもいいですか？");
  EXPECT_EQ(ReadBytes(File()), expected);

  // A new showing clears the flag.
  viewer.Open(1, "山田", dialogs);
  EXPECT_FALSE(viewer.Erased());
}

TEST_F(RecordsViewerTest, ARefusedEraseKeepsFileAndList) {
  viewer.Open(1, "山田", dialogs);
  const std::string before = ReadBytes(File());
  // Its lock cannot be taken (a folder stands where the lock file goes).
  fs::create_directories(FileLock::LockPathFor(File()));
  dialogs.answers = {Answer::Yes};
  EXPECT_FALSE(viewer.Erase(1, dialogs));
  EXPECT_EQ(dialogs.log.back(), "inform: " + File().string() + " に書き込めません");
  EXPECT_EQ(ReadBytes(File()), before);
  EXPECT_EQ(viewer.Entries()[1].text, "12回S11正の数");
}

TEST_F(RecordsViewerTest, ClassGridFollowsTheRosterAndNeverShowsPasswords) {
  WriteBytes(folder / "kazu" / "青木.ini",
             EncodeCp932("[S12負の数]\r\n1=" + RunLine(3, 50, 40) +
                         "\r\n2=書き換え\r\n[S9古い単元]\r\n1=" + RunLine(1, 75, 20) + "\r\n"));
  const ClassRecords records = CollectClassRecords(app, 1, std::nullopt);
  ASSERT_EQ(records.lessons.size(), 1u);
  const ClassGrid grid = BuildClassGrid(app.Course(), records.lessons[0], {"公開", "山田", "佐藤"});
  EXPECT_EQ(grid.learners, (Lines{"山田", "青木"}));
  Lines headers, sections;
  for (const auto& c : grid.columns) {
    headers.push_back(c.header);
    sections.push_back(c.section);
  }
  EXPECT_EQ(headers,
            (Lines{"1-1\n正の数", "1-2\n負の数", "2-1\n加法", "まとめ.prp", "S9古い単元"}));
  EXPECT_EQ(sections, (Lines{"S11正の数", "S12負の数", "S21加法", "まとめ.prp", "S9古い単元"}));
  Lines texts;
  for (const auto& row : grid.cells)
    for (const auto& cell : row) {
      texts.push_back(cell.Text());
      EXPECT_EQ(cell.hover.find("himitsu"), std::string::npos);
    }
  EXPECT_EQ(texts, (Lines{"96", "", "100", "-", "", "", "50", "", "", "75"}));
  const ClassGridCell& many = grid.cells[0][0];
  EXPECT_EQ(many.runs, 12);
  EXPECT_EQ(many.hover.substr(0, many.hover.find("\n1: ")),
            "回数: 12回\n最高点: 96点\n最新点: 96点\n最終実施日: 2024-05-12");
  EXPECT_NE(many.hover.find("\n1: " + RunLine(1, 8, 61)), std::string::npos);
  EXPECT_NE(many.hover.find("\n12: " + RunLine(12, 96, 72)), std::string::npos);
  EXPECT_EQ(grid.cells[1][1].hover,
            "回数: 2回\n最高点: 50点\n最新点: 50点\n最終実施日: 2024-05-03\n1: " +
                RunLine(3, 50, 40) + "\n2: 書き換え");
  EXPECT_EQ(grid.cells[1][0].hover, "記録はありません");

  // Beyond twelve runs the tooltip lists the latest twelve and counts the rest.
  std::string many20 = "[S12負の数]\r\n";
  for (int k = 1; k <= 20; ++k) many20 += std::to_string(k) + "=" + RunLine(k, 40, 9) + "\r\n";
  WriteBytes(folder / "kazu" / "佐藤.ini", EncodeCp932(many20));
  const ClassGrid more =
      BuildClassGrid(app.Course(), CollectClassRecords(app, 1, std::string("佐藤")).lessons[0], {});
  const std::string& hover = more.cells[0][1].hover;
  EXPECT_NE(hover.find("\n（ほか 8 回）\n9: "), std::string::npos) << hover;
  EXPECT_EQ(hover.find("\n8: "), std::string::npos);

  // The CSV file holds exactly what the records command writes.
  std::ostringstream expected;
  WriteClassRecordsCsv(expected, records);
  dialogs.files = {(folder / "out").string(), (folder / "out.csv").string()};
  EXPECT_TRUE(SaveClassRecordsCsv(records, "x.csv", dialogs));
  EXPECT_EQ(ReadBytes(folder / "out.csv"), expected.str());
  EXPECT_EQ(dialogs.log.front(), "save: x.csv CSVファイル (*.csv)");
  dialogs.answers = {Answer::No};
  WriteBytes(folder / "out.csv", "keep");
  EXPECT_FALSE(SaveClassRecordsCsv(records, "x.csv", dialogs));
  EXPECT_EQ(ReadBytes(folder / "out.csv"), "keep");
  EXPECT_EQ(expected.str().find("himitsu"), std::string::npos);
}

}  // namespace
}  // namespace tavolo
