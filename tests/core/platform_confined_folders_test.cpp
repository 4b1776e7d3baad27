// Links in a course folder (or the data folder) that lead out of it: nothing
// is read or written through them, at every place a course keeps a file the
// program writes; links that stay inside keep working.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "authoring/roster.h"
#include "content/course_index.h"
#include "content/lesson_index.h"
#include "content/unit_reader.h"
#include "platform/confined_folders.h"
#include "platform/file_lock.h"
#include "platform/text_file.h"
#include "practice/record_store.h"
#include "support/course_files.h"
#include "support/hostile_files.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using test::FolderNames;
using test::PlantSymlink;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using Lines = std::vector<std::string>;

constexpr const char* kVictim = "secret\r\n";

class ConfinedFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    course_ = root_ / "course";
    outside_ = root_ / "outside";
    test::WriteCp932Lines(course_ / "Main.ind", {"正と負の数", "", "正の数と負の数,sf\\ sf"});
    const Lines index = {"正の数と負の数", "[[sect1", "符号", "<<", "正の数", ">>", "]]"};
    const Lines unit = {"[[unit1", "<<ques", "(1) 1+1=#2#", ">>", "]]"};
    test::WriteCp932Lines(course_ / "sf" / "sf.ind", index);
    test::WriteCp932Lines(course_ / "sf" / "sf1.que", unit);
    // Outside: a look-alike of every file, which no operation may touch.
    test::WriteCp932Lines(outside_ / "sf" / "sf.ind", index);
    test::WriteCp932Lines(outside_ / "sf" / "sf1.que", unit);
    WriteBytes(outside_ / "victim", kVictim);
    fs::create_directories(outside_ / "names");
    WriteBytes(outside_ / "names" / "sname.txt", kVictim);
    auto read = ReadCourseIndex(course_.string());
    ASSERT_TRUE(read.ok()) << read.message();
    index_ = std::move(read).value();
  }
  void TearDown() override { ForgetConfinedFolders(); }

  // Every file outside, with its bytes: what must stay exactly as it was.
  std::map<std::string, std::string> Outside() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(outside_))
      if (entry.is_regular_file()) files[entry.path().string()] = ReadBytes(entry.path());
    return files;
  }

  TempFolder root_;
  fs::path course_, outside_;
  CourseIndex index_;
};

TEST_F(ConfinedFoldersTest, NoLinkLeadsReadsOrWritesOutOfTheCourse) {
  const fs::path record = course_ / "sf" / "太郎.ini";
  const fs::path roster = course_ / "LogOn" / "sname.txt";
  const fs::path question = course_ / "sf" / "sf1.que";
  const struct Case {
    const char* name;
    std::function<void()> plant;
    fs::path file;    // the file each operation names
    bool folderLink;  // the link is a folder on the way, where the lock file would go
  } cases[] = {
      {"record file", [&] { PlantSymlink(outside_ / "victim", record); }, record, false},
      {"record file to a file not there yet", [&] { PlantSymlink(outside_ / "new.ini", record); },
       record, false},
      {"lesson folder",
       [&] {
         fs::remove_all(course_ / "sf");
         PlantSymlink(outside_ / "sf", course_ / "sf");
       },
       record, true},
      {"roster", [&] { PlantSymlink(outside_ / "names" / "sname.txt", roster); }, roster, false},
      {"roster folder",
       [&] {
         fs::remove_all(course_ / "LogOn");
         PlantSymlink(outside_ / "names", course_ / "LogOn");
       },
       roster, true},
      {"question file",
       [&] {
         fs::remove(question);
         PlantSymlink(outside_ / "sf" / "sf1.que", question);
       },
       question, false},
      {"question file by a relative link",
       [&] {
         fs::remove(question);
         PlantSymlink("../../outside/sf/sf1.que", question);
       },
       question, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Links of the case before are removed, never followed.
    fs::remove_all(course_ / "LogOn");
    if (fs::is_symlink(course_ / "sf")) fs::remove(course_ / "sf");
    fs::remove(record);
    fs::remove(question);
    test::WriteCp932Lines(course_ / "sf" / "sf.ind", {"正の数と負の数"});
    test::WriteCp932Lines(question, {"[[unit1", "<<ques", "(1) 1+1=#2#", ">>", "]]"});
    fs::create_directories(course_ / "LogOn");
    c.plant();
    const auto before = Outside();
    const std::string unreadable = "ファイル " + c.file.string() + " を読み込めません";
    const std::string unwritable = c.file.string() + " に書き込めません";

    // The file layer itself: reading, the atomic writer and the lock.
    const auto bytes = ReadFileBytes(c.file);
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.message(), unreadable);
    const Status written = WriteFileAtomic(c.file, "rewritten\r\n");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.message(), unwritable);
    // A lock file beside a file link stays inside; one in a linked folder would not.
    EXPECT_EQ(FileLock::Acquire(c.file, 50).ok(), !c.folderLink);

    // What the program does with each file.
    RecordStore store(record);
    EXPECT_EQ(store.AppendRunRecord("S11正の数", "line").ok(), c.file != record);
    if (c.file == record) {
      EXPECT_TRUE(store.ReadRecords("S11正の数").empty());
      EXPECT_FALSE(ReadLessonIndex(index_, 1).ok() && fs::is_symlink(course_ / "sf"));
    }
    Roster names;
    const Status loaded = names.Load(roster);
    if (c.file == roster) {
      EXPECT_EQ(loaded.message(), unreadable);
    }
    names.Add("花子");
    EXPECT_EQ(names.Store(roster).ok(), c.file != roster);
    if (c.file == question) {
      EXPECT_FALSE(ReadUnitBlock(question, "[[unit1", 1, 1, {}).ok());
    }

    EXPECT_EQ(Outside(), before);
    EXPECT_FALSE(fs::exists(outside_ / "new.ini"));
    EXPECT_FALSE(fs::exists(outside_ / "sf" / "太郎.ini"));
  }
}

TEST_F(ConfinedFoldersTest, LinksThatStayInsideKeepWorking) {
  // An archive folder of old records and a roster kept under another name.
  fs::create_directories(course_ / "archive");
  WriteBytes(course_ / "archive" / "太郎.ini", "");
  PlantSymlink("../archive/太郎.ini", course_ / "sf" / "太郎.ini");
  fs::create_directories(course_ / "names");
  PlantSymlink(course_ / "names", course_ / "LogOn");

  RecordStore store(course_ / "sf" / "太郎.ini");
  ASSERT_TRUE(store.AppendRunRecord("S11正の数", "line").ok());
  EXPECT_EQ(store.ReadRecords("S11正の数"), Lines{"line"});
  EXPECT_TRUE(fs::is_symlink(course_ / "sf" / "太郎.ini"));
  EXPECT_NE(ReadBytes(course_ / "archive" / "太郎.ini").find("1=line"), std::string::npos);

  Roster names;
  ASSERT_TRUE(names.Load(course_ / "LogOn" / "sname.txt").ok());
  EXPECT_TRUE(fs::exists(course_ / "names" / "sname.txt"));
}

TEST_F(ConfinedFoldersTest, TheDataFolderIsConfinedToo) {
  const fs::path data = root_ / "data";
  fs::create_directories(data);
  ConfineFilesTo(data);
  PlantSymlink(outside_ / "sf", data / "sf");
  const auto before = Outside();
  EXPECT_FALSE(RecordStore(data / "sf" / "太郎.ini").AppendRunRecord("S11正の数", "x").ok());
  EXPECT_EQ(Outside(), before);
  // Files outside every confined folder are read as before.
  EXPECT_TRUE(ReadFileBytes(outside_ / "victim").ok());
}

TEST(RealPathOf, FollowsEveryLinkAndKeepsWhatIsNotThere) {
  TempFolder root;
  fs::create_directories(root / "a" / "b");
  PlantSymlink(root / "a", root / "link");
  PlantSymlink("b/../b", root / "a" / "rel");
  PlantSymlink("loop", root / "loop");
  EXPECT_EQ(RealPathOf(root / "link" / "rel" / "new.ini"), root.path() / "a" / "b" / "new.ini");
  EXPECT_EQ(RealPathOf(root / "missing" / ".." / "a"), root.path() / "a");
  EXPECT_EQ(RealPathOf(root / "loop" / "x"), fs::path());
}

}  // namespace
}  // namespace tavolo
