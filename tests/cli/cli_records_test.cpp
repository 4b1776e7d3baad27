// `tavolo records` on a course whose record files were written by hand as
// another machine would have written them (Shift-JIS, CR LF).

#include <gtest/gtest.h>

#include <QByteArray>
#include <filesystem>
#include <string>

#include "cli_run.h"
#include "platform/cp932.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using test::Cli;
using test::CliRun;
using test::CourseFolderOf;
using test::TempFolder;
using test::WriteBytes;
using test::WriteCp932Lines;

// Lesson 1 "正負" in kazu\ (stem ksk): one section with the units 正の数 and
// 負の数, a copy file in ksk/. Lesson 2 "欠" names a folder that is missing,
// so its records live in the data folder.
class CliRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldDataHome_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((folder_ / "share").string()));
    WriteCp932Lines(folder_ / "Main.ind", {"数学", "", "正負,kazu\\ ksk", "欠,gone\\ gn"});
    WriteCp932Lines(folder_ / "kazu" / "ksk.ind",
                    {"正の数と負の数", "[[sect1", "符号", "<<", "正の数", "負の数", ">>", "]]"});
    WriteBytes(folder_ / "ksk" / "a.prp", "");
    WriteBytes(folder_ / "kazu" / "山田.ini",
               EncodeCp932("[password]\r\n"
                           "pw=himitsu\r\n"
                           "[S11正の数]\r\n"
                           "1=2024年05月03日 14:05 [0010]  3/ 4  75点 02:15\r\n"
                           "2=書き換えられた行\r\n"
                           "3=類題2)2024年05月04日 09:30 []  4/ 4 100点 01:40\r\n"
                           "\r\n"
                           "[S31消えた単元]\r\n"
                           "1=2024年04月01日 08:00 [0]  1/ 1 100点 00:09\r\n"));
    WriteBytes(folder_ / "kazu" / "=1+1.ini",
               EncodeCp932("[PASSWORD]\r\npw=x\r\n[s12負の数]\r\n"
                           "1=2024年05月03日 14:05 [01]  1/ 2  50点 00:30\r\n"));
  }
  void TearDown() override {
    if (oldDataHome_.isNull())
      qunsetenv("XDG_DATA_HOME");
    else
      qputenv("XDG_DATA_HOME", oldDataHome_);
  }

  std::string course() const { return CourseFolderOf(folder_); }

  TempFolder folder_;
  QByteArray oldDataHome_;
};

TEST_F(CliRecordsTest, JsonListsEveryUnitOfEveryLearner) {
  const CliRun run = Cli({"records", course(), "--lesson", "1", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string empty = R"(
            {
              "section": "S11正の数",
              "runs": 0,
              "best": null,
              "last": null,
              "lastDate": null,
              "records": []
            },)";
  const std::string expected = R"({
  "lessons": [
    {
      "lesson": 1,
      "learners": [
        {
          "name": "=1+1",
          "units": [)" + empty +
                               R"(
            {
              "section": "S12負の数",
              "runs": 1,
              "best": 50,
              "last": 50,
              "lastDate": "2024-05-03",
              "records": [
                {
                  "key": "1",
                  "line": "2024年05月03日 14:05 [01]  1/ 2  50点 00:30",
                  "date": "2024-05-03",
                  "time": "14:05",
                  "tries": "01",
                  "correct": 1,
                  "total": 2,
                  "score": 50,
                  "seconds": 30
                }
              ]
            },
            {
              "section": "a.prp",
              "runs": 0,
              "best": null,
              "last": null,
              "lastDate": null,
              "records": []
            }
          ]
        },
        {
          "name": "山田",
          "units": [
            {
              "section": "S11正の数",
              "runs": 3,
              "best": 100,
              "last": 100,
              "lastDate": "2024-05-04",
              "records": [
                {
                  "key": "1",
                  "line": "2024年05月03日 14:05 [0010]  3/ 4  75点 02:15",
                  "date": "2024-05-03",
                  "time": "14:05",
                  "tries": "0010",
                  "correct": 3,
                  "total": 4,
                  "score": 75,
                  "seconds": 135
                },
                {
                  "key": "2",
                  "line": "書き換えられた行",
                  "date": null,
                  "time": null,
                  "tries": null,
                  "correct": null,
                  "total": null,
                  "score": null,
                  "seconds": null
                },
                {
                  "key": "3",
                  "line": "類題2)2024年05月04日 09:30 []  4/ 4 100点 01:40",
                  "date": "2024-05-04",
                  "time": "09:30",
                  "tries": "",
                  "correct": 4,
                  "total": 4,
                  "score": 100,
                  "seconds": 100
                }
              ]
            },
            {
              "section": "S12負の数",
              "runs": 0,
              "best": null,
              "last": null,
              "lastDate": null,
              "records": []
            },
            {
              "section": "a.prp",
              "runs": 0,
              "best": null,
              "last": null,
              "lastDate": null,
              "records": []
            },
            {
              "section": "S31消えた単元",
              "runs": 1,
              "best": 100,
              "last": 100,
              "lastDate": "2024-04-01",
              "records": [
                {
                  "key": "1",
                  "line": "2024年04月01日 08:00 [0]  1/ 1 100点 00:09",
                  "date": "2024-04-01",
                  "time": "08:00",
                  "tries": "0",
                  "correct": 1,
                  "total": 1,
                  "score": 100,
                  "seconds": 9
                }
              ]
            }
          ]
        }
      ]
    }
  ]
}
)";
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.out.find("himitsu"), std::string::npos);
}

TEST_F(CliRecordsTest, CsvForSpreadsheetsAndTableForTheTerminal) {
  const CliRun csv = Cli({"records", course(), "--csv", "--learner", "=1+1", "--lesson", "1"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out,
            "\xEF\xBB\xBF"
            "学習者,レッスン,単元,回数,最高点,最新点,最終実施日\r\n"
            "'=1+1,1,S11正の数,0,,,\r\n"
            "'=1+1,1,S12負の数,1,50,50,2024-05-03\r\n"
            "'=1+1,1,a.prp,0,,,\r\n");

  const CliRun table = Cli({"records", course(), "--learner", "山田", "--lesson", "1"});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out,
            "レッスン 1  正負\n"
            "  学習者: 山田\n"
            "    単元           回数  最高点  最新点  最終実施日\n"
            "    S11正の数         3     100     100  2024-05-04\n"
            "        1  2024年05月03日 14:05 [0010]  3/ 4  75点 02:15\n"
            "        2  書き換えられた行\n"
            "        3  類題2)2024年05月04日 09:30 []  4/ 4 100点 01:40\n"
            "    S12負の数         0       -       -  -\n"
            "    a.prp             0       -       -  -\n"
            "    S31消えた単元     1     100     100  2024-04-01\n"
            "        1  2024年04月01日 08:00 [0]  1/ 1 100点 00:09\n");
}

TEST_F(CliRecordsTest, BrokenFilesAreReportedAndSkipped) {
  fs::create_directories(folder_ / "kazu" / "壊れた.ini");  // not a file
  WriteBytes(folder_ / "kazu" / "desktop.ini", "[.ShellClassInfo]\r\n");
  WriteBytes(folder_ / "kazu" / "bad\x1b[2J.ini", "[S11正の数]\r\n1=\x1b[2J\r\n");
  const CliRun run = Cli({"records", course(), "--lesson", "1"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "ファイル " + course() + "kazu/壊れた.ini は通常のファイルではありません\n");
  EXPECT_NE(run.out.find("  学習者: 山田\n"), std::string::npos);
  EXPECT_NE(run.out.find("  学習者: =1+1\n"), std::string::npos);
  EXPECT_EQ(run.out.find("desktop"), std::string::npos);
  EXPECT_EQ(run.out.find('\x1b'), std::string::npos);  // no control bytes reach the terminal
}

TEST_F(CliRecordsTest, EveryUnitAndLearnerIsListedWhateverItsName) {
  // Captions ending in "]" or a blank; the file as this program writes it.
  WriteCp932Lines(folder_ / "kazu" / "ksk.ind", {"正の数と負の数", "[[sect1", "符号", "<<",
                                                 "正の数[基本]", "負の数 ", ">>", "]]"});
  WriteBytes(folder_ / "kazu" / "=1+1.ini", "");
  WriteBytes(folder_ / "kazu" / "山田.ini",
             EncodeCp932("[S11正の数[基本]]\r\n1=2024年05月03日 14:05 []  4/ 4 100点 01:40\r\n"
                         "[S12負の数]\r\n1=2024年05月04日 14:05 []  2/ 4  50点 01:40\r\n"
                         "2=2024年05月05日 14:05 []  3/ 4  75点 01:40\r\n"));
  // A learner named "desktop" who signed on but has not practised yet.
  WriteBytes(folder_ / "kazu" / "desktop.ini", "[password]\r\npw=x\r\n");
  const CliRun run = Cli({"records", course(), "--lesson", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "レッスン 1  正負\n"
            "  学習者: =1+1\n"
            "    単元             回数  最高点  最新点  最終実施日\n"
            "    S11正の数[基本]     0       -       -  -\n"
            "    S12負の数           0       -       -  -\n"
            "    a.prp               0       -       -  -\n"
            "  学習者: desktop\n"
            "    単元             回数  最高点  最新点  最終実施日\n"
            "    S11正の数[基本]     0       -       -  -\n"
            "    S12負の数           0       -       -  -\n"
            "    a.prp               0       -       -  -\n"
            "  学習者: 山田\n"
            "    単元             回数  最高点  最新点  最終実施日\n"
            "    S11正の数[基本]     1     100     100  2024-05-03\n"
            "        1  2024年05月03日 14:05 []  4/ 4 100点 01:40\n"
            "    S12負の数           2      75      75  2024-05-05\n"
            "        1  2024年05月04日 14:05 []  2/ 4  50点 01:40\n"
            "        2  2024年05月05日 14:05 []  3/ 4  75点 01:40\n"
            "    a.prp               0       -       -  -\n");
}

TEST_F(CliRecordsTest, AllLessonsAndTheDataFolder) {
  // Lesson 2's folder is missing: its records are in the data folder.
  WriteBytes(folder_ / "share" / "Tavolo++" / "TavoloSF" / "gn" / "佐藤.ini",
             EncodeCp932("[S11x]\r\n1=2024年05月03日 14:05 []  1/ 1 100点 00:01\r\n"));
  const CliRun run = Cli({"records", course(), "--json"});
  ASSERT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"lesson\": 2,\n      \"learners\": [\n        {\n          \"name\": "
                         "\"佐藤\""),
            std::string::npos)
      << run.out;
  // Lesson 2 has no index: reported, and the file's own sections still listed.
  EXPECT_NE(run.err.find("gone"), std::string::npos);
  EXPECT_NE(run.out.find("\"section\": \"S11x\""), std::string::npos);
}

TEST_F(CliRecordsTest, WrongArguments) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"records", course(), "--lesson", "3"}, "レッスン 3 はありません（1 から 2 まで）\n"},
      {{"records", course(), "--lesson", "x"},
       "--lesson にはレッスンの番号を指定してください: x\n"},
      {{"records", course(), "--learner", "../x"},
       "この学習者名は使えません。「/」は名前に使えません: ../x\n"},
      {{"records", course(), "--json", "--csv"},
       "使い方: tavolo records コースフォルダ [--lesson N] [--learner 名前] [--json|--csv]\n"},
      {{"records", course() + "none"}, "ファイル " + course() + "none/Main.ind が見つかりません\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, 2) << c.args[2];
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace tavolo
