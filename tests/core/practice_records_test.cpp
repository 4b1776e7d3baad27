// Record lines, learner names, and the learner record store: the exact bytes
// it writes, what reading leaves alone, refused writes, and two programs
// appending to one file at the same time.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/record_file.h"
#include "platform/cp932.h"
#include "platform/file_lock.h"
#include "practice/learner_name.h"
#include "practice/record_line.h"
#include "practice/record_store.h"
#include "practice/run_recorder.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using Lines = std::vector<std::string>;

std::string Sjis(std::string_view utf8) { return EncodeCp932(utf8); }

const DateTime kMay3{2024, 5, 3, 14, 5, 0};

TEST(RecordLineTest, FormatsEveryPiece) {
  const struct {
    RunRecord record;
    const char* line;
  } cases[] = {
      {{kMay3, 0, "0010", 3, 4, 75, 135}, "2024年05月03日 14:05 [0010]  3/ 4  75点 02:15"},
      {{{2024, 5, 3, 14, 12, 0}, 0, "", 4, 4, 100, 100},
       "2024年05月03日 14:12 []  4/ 4 100点 01:40"},
      {{kMay3, 2, "00", 0, 2, 0, 6000}, "類題2)2024年05月03日 14:05 [00]  0/ 2   0点 100:00"},
      {{{2025, 12, 31, 9, 7, 0}, 0, "0", 1, 1, 100, 59},
       "2025年12月31日 09:07 [0]  1/ 1 100点 00:59"},
      {{kMay3, 0, "", 80, 80, 100, 0}, "2024年05月03日 14:05 [] 80/80 100点 00:00"},
      {{kMay3, 0, "", 123, 150, 82, 61}, "2024年05月03日 14:05 [] 123/150  82点 01:01"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RecordLine(c.record), c.line);
    // Every line this program writes reads back to the same record.
    auto parsed = ParseRecordLine(c.line);
    ASSERT_TRUE(parsed.has_value()) << c.line;
    RunRecord expected = c.record;
    expected.when.second = 0;
    EXPECT_EQ(*parsed, expected) << c.line;
  }
  EXPECT_EQ(ElapsedText(0), "00:00");
  EXPECT_EQ(ElapsedText(3599), "59:59");
  EXPECT_EQ(ElapsedText(-5), "00:00");
}

TEST(RecordLineTest, LinesOfOtherShapesDoNotParse) {
  const char* lines[] = {
      "",
      "?",
      "よくできました",
      "2024年05月03日 14:05 [0010]  3/ 4  75点",             // no time taken
      "2024年5月3日 14:05 [0010]  3/ 4  75点 02:15",         // unpadded month
      "2024年05月03日 14:05 [0010  3/ 4  75点 02:15",        // no "]"
      "2024年05月03日 14:05 [0010]  3/ 4  75 02:15",         // no "点"
      "2024年13月03日 14:05 [0010]  3/ 4  75点 02:15",       // month 13
      "2024年05月03日 14:05 [0010]  3/ 4  75点 02:15 x",     // trailing text
      "2024年05月03日 14:05 [0010]  3/ 4  75点 02:75",       // 75 seconds
      "類題)2024年05月03日 14:05 [0010]  3/ 4  75点 02:15",  // variant without a number
      "2024年05月03日 14:05 [0010]  3/ 4  75点 99999999999:00",
  };
  for (const char* line : lines) EXPECT_FALSE(ParseRecordLine(line).has_value()) << line;
}

TEST(LearnerNameTest, OnlyPlainFileNames) {
  const char* usable[] = {
      "共通",   "山田太郎",
      "yamada", "A-1_b",
      "ｶﾀｶﾅ",   "山田 太郎",
      "a.b",    "１２３４５６７８９０１２３４５６７８９０１２３４５６７８９０１２"};
  for (const char* name : usable) EXPECT_TRUE(CheckLearnerName(name).ok()) << name;

  const struct {
    std::string name;
    const char* message;
  } refused[] = {
      {"", "学習者名を入力してください"},
      {".", "この学習者名は使えません。「.」や「..」は名前にできません"},
      {"..", "この学習者名は使えません。「.」や「..」は名前にできません"},
      // Each message names the rule, and the character, that failed.
      {"../x", "この学習者名は使えません。「/」は名前に使えません"},
      {"a/b", "この学習者名は使えません。「/」は名前に使えません"},
      {"a\\b", "この学習者名は使えません。「\\」は名前に使えません"},
      {"a:b", "この学習者名は使えません。「:」は名前に使えません"},
      {"a*", "この学習者名は使えません。「*」は名前に使えません"},
      {"what?", "この学習者名は使えません。「?」は名前に使えません"},
      {"<b>", "この学習者名は使えません。「<」は名前に使えません"},
      {"a|b", "この学習者名は使えません。「|」は名前に使えません"},
      {"\"q\"", "この学習者名は使えません。「\"」は名前に使えません"},
      {std::string("kz1.que\0x", 9), "この学習者名は使えません。制御文字は名前に使えません"},
      {"a\tb", "この学習者名は使えません。制御文字は名前に使えません"},
      {"a\x7f", "この学習者名は使えません。制御文字は名前に使えません"},
      {"a\xc2\x85", "この学習者名は使えません。制御文字は名前に使えません"},      // NEL
      {"a\xff", "この学習者名は使えません。名前に読めない文字が含まれています"},  // not UTF-8
      {"😀", "この学習者名は使えません。「😀」は名前に使えない文字です（Shift-JIS にありません）"},
      {"x²", "この学習者名は使えません。「²」は名前に使えない文字です（Shift-JIS にありません）"},
      {"a−b", "この学習者名は使えません。「−」は名前に使えません。「－」を使ってください"},
      {" 山田", "この学習者名は使えません。名前の前後に空白は置けません"},
      {"山田　", "この学習者名は使えません。名前の前後に空白は置けません"},
      {"yamada.", "この学習者名は使えません。名前の最後に「.」は置けません"},
      // Names Windows keeps for its devices, in any case, with an extension too.
      {"CON", "この学習者名は使えません。「CON」は Windows で使えない名前です"},
      {"nul", "この学習者名は使えません。「nul」は Windows で使えない名前です"},
      {"Aux.txt", "この学習者名は使えません。「Aux.txt」は Windows で使えない名前です"},
      {"com1", "この学習者名は使えません。「com1」は Windows で使えない名前です"},
      {"LPT9.ini", "この学習者名は使えません。「LPT9.ini」は Windows で使えない名前です"},
      {"１２３４５６７８９０１２３４５６７８９０１２３４５６７８９０１２３",
       "この学習者名は使えません。名前は全角32文字（半角64文字）までです"},
      {std::string(65, 'a'), "この学習者名は使えません。名前は全角32文字（半角64文字）までです"},
  };
  for (const auto& c : refused) {
    const Status status = CheckLearnerName(c.name);
    ASSERT_FALSE(status.ok()) << c.name;
    EXPECT_EQ(status.message(), c.message) << c.name;
  }
  EXPECT_TRUE(IsUsableLearnerName(std::string(64, 'a')));
  for (const char* name : {"CONSOLE", "COM0", "LPT10", "nullpo", "con-1"})
    EXPECT_TRUE(IsUsableLearnerName(name)) << name;

  const struct {
    const char* typed;
    const char* name;
  } trimmed[] = {{" 山田 ", "山田"}, {"　佐藤　花子　", "佐藤　花子"}, {"   ", ""}, {"x", "x"}};
  for (const auto& t : trimmed) EXPECT_EQ(TrimLearnerName(t.typed), t.name) << t.typed;
}

class RecordPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetCourseFolder(test::CourseFolderOf(folder));
    app.SetWindowsFolder((folder / "data").string() + "/");
    test::WriteCp932Lines(folder / "Main.ind", {"t", "", "一,kazu\\ kz", "二,hoka\\ hk"});
    fs::create_directories(folder / "kazu");
    fs::create_directories(folder / "hoka");
    app.SetCourse(ReadCourseIndex(app.CourseFolder()).value());
  }
  TempFolder folder;
  AppState app;
};

TEST_F(RecordPathTest, EveryNameBuiltPathStaysInTheRecordFolder) {
  app.SetLearnerName("山田");
  EXPECT_EQ(RecordFilePath(app, 2).value(), folder.path() / "hoka" / "山田.ini");
  EXPECT_EQ(RecordFilePath(app, 1, "佐藤").value(), folder.path() / "kazu" / "佐藤.ini");
  for (const std::string& bad : Lines{"../../etc/x", "", "..", std::string("a\0b", 3), "x/y"}) {
    app.SetLearnerName(bad);
    const auto path = RecordFilePath(app, 1);
    ASSERT_FALSE(path.ok()) << bad;
    EXPECT_EQ(path.message(), CheckLearnerName(bad).message());
  }
}

TEST_F(RecordPathTest, ANameFindsItsRecordFileWhateverTheLetterCase) {
  test::WriteCp932Lines(folder / "kazu" / "Taro.ini", {"[password]", "pw=x"});
  EXPECT_EQ(RecordFilePath(app, 1, "taro").value(), folder.path() / "kazu" / "Taro.ini");
  EXPECT_EQ(RecordFilePath(app, 1, "TARO").value(), folder.path() / "kazu" / "Taro.ini");
  EXPECT_EQ(RecordFilePath(app, 2, "taro").value(), folder.path() / "hoka" / "taro.ini");
}

TEST_F(RecordPathTest, RunTargetFollowsTheSheet) {
  app.SetLearnerName("山田");
  const UnitAddress address{2, 1, 12, 3};
  const std::string copy = (folder / "hk" / "かほう_配布.prp").string();
  const struct {
    std::string copyFile;
    bool similar;
    fs::path file;
    std::string section;
    int variant;
  } cases[] = {
      {"", false, folder / "hoka" / "山田.ini", "S112正の数", 0},
      {"", true, folder / "hoka" / "山田.ini", "S112正の数", 3},
      // Copy files: lesson 1's file, each under its own name, also a sheet
      // that was saved as one (it keeps its unit's address).
      {copy, false, folder / "kazu" / "山田.ini", "かほう_配布.prp", 0},
      {copy, true, folder / "kazu" / "山田.ini", "かほう_配布.prp", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.copyFile + (c.similar ? " similar" : ""));
    const auto target = RunRecordTarget(app, address, "正の数", c.copyFile, c.similar);
    ASSERT_TRUE(target.ok());
    EXPECT_EQ(target->file, c.file);
    EXPECT_EQ(target->section, c.section);
    EXPECT_EQ(target->variant, c.variant);
  }
  // A sheet opened from a copy file has no unit address at all.
  const auto opened = RunRecordTarget(app, UnitAddress{}, "", copy, false);
  ASSERT_TRUE(opened.ok());
  EXPECT_EQ(opened->section, "かほう_配布.prp");
  EXPECT_EQ(opened->file, folder / "kazu" / "山田.ini");
  app.SetLearnerName("a/b");
  EXPECT_FALSE(RunRecordTarget(app, address, "正の数", "", false).ok());
}

TEST(RecordStoreTest, AppendsNumberedKeysInShiftJisWithCrLf) {
  TempFolder dir;
  const fs::path file = dir / "山田.ini";
  WriteBytes(file, Sjis("[password]\r\npw=abc\r\n"));
  RecordStore store(file);
  for (int k = 1; k <= 10; ++k) {
    auto key = store.AppendRunRecord("S11正の数", "run " + std::to_string(k));
    ASSERT_TRUE(key.ok()) << key.message();
    EXPECT_EQ(key.value(), k);
  }
  std::string expected = "[password]\r\npw=abc\r\n[S11正の数]\r\n";
  for (int k = 1; k <= 10; ++k)
    expected += std::to_string(k) + "=run " + std::to_string(k) + "\r\n";
  EXPECT_EQ(ReadBytes(file), Sjis(expected));
  EXPECT_EQ(store.ListKeys("S11正の数"),
            (Lines{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
  EXPECT_EQ(store.ReadValue("s11正の数", "10", "?"), "run 10");  // ASCII case folds
  EXPECT_EQ(store.ReadValue("password", "pw", "?"), "abc");
  EXPECT_EQ(store.ReadRecords("S11正の数").back(), "run 10");
}

TEST(RecordStoreTest, MissingFileReadsEmptyAndIsNotCreated) {
  TempFolder dir;
  RecordStore store(dir / "新人.ini");
  EXPECT_TRUE(store.ListKeys("S11正の数").empty());
  EXPECT_EQ(store.ReadValue("password", "pw", "?"), "?");
  EXPECT_TRUE(store.ReadRecords("S11正の数").empty());
  EXPECT_FALSE(fs::exists(dir / "新人.ini"));
  EXPECT_FALSE(fs::exists(FileLock::LockPathFor(dir / "新人.ini")));
  const RecordsList list = ReadRecordsList({dir / "新人.ini", "S11正の数", 0}, "新人");
  EXPECT_EQ(list.caption, "S11正の数　　氏名：新人");
  EXPECT_EQ(list.lines, (Lines{"練習の記録はありません"}));
  // Erasing in a missing file creates nothing either.
  ASSERT_TRUE(store.EraseSection("S11正の数").ok());
  EXPECT_FALSE(fs::exists(dir / "新人.ini"));
}

TEST(RecordStoreTest, LongValuesAndKeysReadWhole) {
  TempFolder dir;
  const fs::path file = dir / "r.ini";
  std::string longLine;
  for (int i = 0; i < 700; ++i) longLine += "数";  // 1400 Shift-JIS bytes
  std::string text = "[S11a]\r\n1=" + longLine + "\r\n";
  for (int k = 2; k <= 1500; ++k) text += std::to_string(k) + "=x\r\n";  // keys beyond 8192 bytes
  WriteBytes(file, Sjis(text));
  RecordStore store(file);
  EXPECT_EQ(store.ReadValue("S11a", "1", "?"), longLine);
  EXPECT_EQ(store.ListKeys("S11a").size(), 1500u);
  EXPECT_EQ(store.AppendRunRecord("S11a", "new").value(), 1501);
}

TEST(RecordStoreTest, NeverWritesOverAnExistingRecord) {
  TempFolder dir;
  const fs::path file = dir / "r.ini";
  // A hand-edited section with a gap: 2 keys, but "3" is taken.
  WriteBytes(file, "[S11a]\r\n1=first\r\n3=third\r\n");
  RecordStore store(file);
  EXPECT_EQ(store.AppendRunRecord("S11a", "new").value(), 4);
  EXPECT_EQ(store.ReadValue("S11a", "3", "?"), "third");
  // Readers list the keys there are, by number: the newest run comes last.
  EXPECT_EQ(store.ReadRecords("S11a"), (Lines{"first", "third", "new"}));
  EXPECT_EQ(ReadRecordsList({file, "S11a", 0}, "x").lines, (Lines{"first", "third", "new"}));
}

TEST(RecordStoreTest, RecordsAreListedByTheNumberOfTheirKeys) {
  using Entries = RecordEntryList;
  const struct {
    const char* name;
    const char* section;
    Entries listed;
  } cases[] = {
      {"in order", "1=a\r\n2=b\r\n3=c\r\n", {{"1", "a"}, {"2", "b"}, {"3", "c"}}},
      {"a gap", "1=a\r\n3=c\r\n4=d\r\n", {{"1", "a"}, {"3", "c"}, {"4", "d"}}},
      {"by number, not by text",
       "10=j\r\n9=i\r\n100=k\r\n",
       {{"9", "i"}, {"10", "j"}, {"100", "k"}}},
      {"moved lines", "3=c\r\n1=a\r\n2=b\r\n", {{"1", "a"}, {"2", "b"}, {"3", "c"}}},
      {"leading zeros count as the number",
       "02=b\r\n1=a\r\n2=B\r\n",
       {{"1", "a"}, {"02", "b"}, {"2", "B"}}},
      {"numbers longer than any integer",
       "99999999999999999999999=z\r\n18446744073709551616=y\r\n5=e\r\n",
       {{"5", "e"}, {"18446744073709551616", "y"}, {"99999999999999999999999", "z"}}},
      {"other keys after the runs, in file order",
       "memo=m\r\n2=b\r\n-1=n\r\n1=a\r\n",
       {{"1", "a"}, {"2", "b"}, {"memo", "m"}, {"-1", "n"}}},
      {"empty", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto doc =
        IniDocument::Parse(std::string("[s]\r\n") + c.section + "[t]\r\n0=x\r\n", kIniWholeValues);
    EXPECT_EQ(RecordEntries(doc, "s"), c.listed);
    EXPECT_EQ(RecordEntries(doc, "s").size(), doc.KeyCount("s"));  // the count the lists show
  }
  EXPECT_TRUE(RecordEntries(IniDocument::Parse(""), "s").empty());
}

TEST(RecordStoreTest, WriteAndEraseKeepOtherBytes) {
  TempFolder dir;
  const fs::path file = dir / "r.ini";
  WriteBytes(file,
             Sjis("; 先生のメモ\r\n[password]\r\npw=x\r\n\r\n[S11a]\r\n1=r\r\n[S12b]\r\n1=s\r\n"));
  RecordStore store(file);
  ASSERT_TRUE(store.WriteValue("password", "pw", "新").ok());
  ASSERT_TRUE(store.EraseSection("S11a").ok());
  EXPECT_EQ(ReadBytes(file), Sjis("; 先生のメモ\r\n[password]\r\npw=新\r\n\r\n[S12b]\r\n1=s\r\n"));
}

// Runs f in a child process and returns its exit status.
template <class F>
int InChild(F f) {
  const pid_t pid = fork();
  if (pid == 0) _exit(f());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST(RecordStoreTest, RefusedWritesLeaveTheFileByteIdentical) {
  TempFolder dir;
  const fs::path file = dir / "山田.ini";
  const std::string before = Sjis(
      "[password]\r\npw=himitsu\r\n[S11正の数]\r\n1=2024年05月03日 14:05 [0]  1/ 1 100点 "
      "00:10\r\n");
  WriteBytes(file, before);
  const std::string message = file.string() + " に書き込めません";

  // The file system refuses to store the new file (a size limit, as a full
  // disk would): checked in a child process so the limit stays there.
  const int child = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{16, 16};
    setrlimit(RLIMIT_FSIZE, &limit);
    RecordStore store(file);
    auto appended = store.AppendRunRecord("S11正の数", "new run");
    const bool refusedRightly = !appended.ok() && appended.message() == message;
    const bool eraseRefused = !store.EraseSection("S11正の数").ok();
    return refusedRightly && eraseRefused ? 0 : 1;
  });
  EXPECT_EQ(child, 0);
  EXPECT_EQ(ReadBytes(file), before);

  // The lock cannot be taken (something else sits where the lock file goes).
  fs::remove(FileLock::LockPathFor(file));
  fs::create_directory(FileLock::LockPathFor(file));
  auto appended = RecordStore(file).AppendRunRecord("S11正の数", "new run");
  ASSERT_FALSE(appended.ok());
  EXPECT_EQ(appended.message(), message);
  EXPECT_EQ(ReadBytes(file), before);
  fs::remove(FileLock::LockPathFor(file));

  // The folder is gone: nothing is created anywhere.
  RecordStore lost(dir / "gone" / "山田.ini");
  auto status = lost.WriteValue("password", "pw", "x");
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.message(), (dir / "gone" / "山田.ini").string() + " に書き込めません");
  EXPECT_FALSE(fs::exists(dir / "gone"));

  // A record "file" that cannot be read is never replaced.
  fs::create_directory(dir / "folder.ini");
  EXPECT_FALSE(RecordStore(dir / "folder.ini").AppendRunRecord("s", "x").ok());
  EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
  EXPECT_FALSE(RecordStore::Load(dir / "folder.ini").ok());
}

TEST(RecordStoreTest, LockIsHeldUntilReleasedAndWaitsEndInAMessage) {
  TempFolder dir;
  const fs::path file = dir / "r.ini";
  auto held = FileLock::Acquire(file);
  ASSERT_TRUE(held.ok());
  // Another process cannot get it while it is held; it gives up with the message.
  const int child = InChild([&] {
    auto second = FileLock::Acquire(file, 50);
    return !second.ok() && second.message() == file.string() + " に書き込めません" ? 0 : 1;
  });
  EXPECT_EQ(child, 0);
  { FileLock released = std::move(held).value(); }
  EXPECT_EQ(InChild([&] { return FileLock::Acquire(file, 50).ok() ? 0 : 1; }), 0);
}

TEST(RecordStoreTest, TwoProgramsAppendingAtOnceLoseNothing) {
  TempFolder dir;
  const fs::path file = dir / "山田.ini";
  WriteBytes(file, Sjis("[password]\r\npw=abc\r\n"));
  constexpr int kRuns = 100;
  pid_t children[2];
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    if (children[c] == 0) {
      char go;
      close(ready[1]);
      // Both start together, so their appends really interleave.
      if (read(ready[0], &go, 1) != 1) _exit(3);
      RecordStore store(file);
      for (int i = 0; i < kRuns; ++i) {
        const std::string line = "program " + std::to_string(c) + " run " + std::to_string(i);
        if (!store.AppendRunRecord("S11正の数", line).ok()) _exit(1);
      }
      _exit(0);
    }
  }
  close(ready[0]);
  ASSERT_EQ(write(ready[1], "gg", 2), 2);
  close(ready[1]);
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  RecordStore store(file);
  const Lines keys = store.ListKeys("S11正の数");
  ASSERT_EQ(keys.size(), 2u * kRuns);
  std::map<std::string, int> seen;
  for (int k = 1; k <= 2 * kRuns; ++k) {
    EXPECT_EQ(keys[static_cast<std::size_t>(k - 1)], std::to_string(k));
    ++seen[store.ReadValue("S11正の数", std::to_string(k), "?")];
  }
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < kRuns; ++i)
      EXPECT_EQ((seen["program " + std::to_string(c) + " run " + std::to_string(i)]), 1);
  EXPECT_EQ(store.ReadValue("password", "pw", "?"), "abc");
  // No temporary file is left behind.
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    ++entries;
    EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp"));
  }
  EXPECT_EQ(entries, 2);  // the record file and its lock file
}

TEST(RecordStoreTest, RecorderWritesTheRunsLineWithThePrefix) {
  TempFolder dir;
  const RecordTarget target{dir / "山田.ini", "S213正の数", 2};
  RecordFileRecorder recorder(target, [] { return kMay3; });
  ASSERT_TRUE(recorder.Record({{}, 0, "0010", 3, 4, 75, 135}).ok());
  ASSERT_TRUE(recorder.Record({{}, 0, "", 4, 4, 100, 100}).ok());
  EXPECT_EQ(ReadBytes(target.file), Sjis("[S213正の数]\r\n"
                                         "1=類題2)2024年05月03日 14:05 [0010]  3/ 4  75点 02:15\r\n"
                                         "2=類題2)2024年05月03日 14:05 []  4/ 4 100点 01:40\r\n"));
  const RecordsList list = ReadRecordsList(target, "山田");
  EXPECT_EQ(list.caption, "S213正の数　　氏名：山田");
  ASSERT_EQ(list.lines.size(), 2u);
  RecordFileRecorder lost({dir / "gone" / "x.ini", "S11a", 0});
  EXPECT_EQ(lost.Record({}).message(), (dir / "gone" / "x.ini").string() + " に書き込めません");
}

}  // namespace
}  // namespace tavolo
