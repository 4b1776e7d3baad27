#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "content/file_checks.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "support/hostile_files.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using Lines = std::vector<std::string>;

TEST(SplitLines, AcceptsEveryLineEnd) {
  struct Case {
    std::string text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR is two line ends
      {"mixed\r\nends\nhere\rlast", {"mixed", "ends", "here", "last"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(TextFile, ReadsCp932LinesAndWritesThemBackByteForByte) {
  TempFolder dir;
  // The fourth line uses duplicate codes: 0xED40 "纊", 0x8790 "≒", 0xFA4A "Ⅰ".
  const std::string original =
      "[[unit1\r\n\x90\xb3\x82\xcc\x90\x94\r\n#+5;5#\r\n\xed\x40\x87\x90#\xfa\x4a#\r\n]]\r\n";
  WriteBytes(dir / "a.que", original);
  auto lines = ReadLines(dir / "a.que");
  ASSERT_TRUE(lines.ok());
  ASSERT_EQ(lines.value().size(), 5u);
  lines.value()[3] = WithoutCodeVariants(lines.value()[3]);
  EXPECT_EQ(lines.value(), (Lines{"[[unit1", "正の数", "#+5;5#", "纊≒#Ⅰ#", "]]"}));
  lines = ReadLines(dir / "a.que");
  ASSERT_TRUE(WriteLines(dir / "b.que", lines.value()).ok());
  EXPECT_EQ(ReadBytes(dir / "b.que"), original);
}

TEST(TextFile, LfFilesAreWrittenBackWithCrLf) {
  TempFolder dir;
  WriteBytes(dir / "a.ind", "one\ntwo");
  auto lines = ReadLines(dir / "a.ind");
  ASSERT_TRUE(lines.ok());
  ASSERT_TRUE(WriteLines(dir / "a.ind", lines.value()).ok());
  EXPECT_EQ(ReadBytes(dir / "a.ind"), "one\r\ntwo\r\n");
}

TEST(TextFile, UnreadableFilesGiveMessagesNamingThePath) {
  TempFolder dir;
  const fs::path missing = dir / "none.que";
  auto r = ReadLines(missing);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.message(), "ファイル " + missing.string() + " が見つかりません");

  fs::create_directory(dir / "folder.que");
  r = ReadLines(dir / "folder.que");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.message(),
            "ファイル " + (dir / "folder.que").string() + " は通常のファイルではありません");
}

// Root reads and writes everything: these run again as an unprivileged user
// (tests/run_unprivileged.sh), where they can fail.
TEST(TextFile, ReadOnlyCaseAFileWithoutReadPermissionIsRefused) {
  if (test::RunningAsRoot()) GTEST_SKIP() << "root reads every file";
  TempFolder dir;
  WriteBytes(dir / "locked.que", "x");
  fs::permissions(dir / "locked.que", fs::perms::none);
  EXPECT_FALSE(ReadLines(dir / "locked.que").ok());
}

TEST(TextFile, AtomicWriteReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  TempFolder dir;
  WriteBytes(dir / "rec.ini", "old content that is longer than the new one\r\n");
  ASSERT_TRUE(WriteLines(dir / "rec.ini", {"new"}).ok());
  EXPECT_EQ(ReadBytes(dir / "rec.ini"), "new\r\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(TextFile, FailedWriteLeavesTheOldFileAndReportsThePath) {
  TempFolder dir;
  // A target that is a folder cannot be replaced.
  fs::create_directory(dir / "taken.que");
  auto s = WriteLines(dir / "taken.que", {"x"});
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), (dir / "taken.que").string() + " に書き込めません");

  // A folder that does not exist.
  s = WriteLines(dir / "no" / "such.que", {"x"});
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find((dir / "no" / "such.que").string()), std::string::npos);
}

TEST(TextFile, ReadOnlyCaseAFileInAReadOnlyFolderIsKept) {
  if (test::RunningAsRoot()) GTEST_SKIP() << "root may write read-only folders";
  TempFolder dir;
  WriteBytes(dir / "ro" / "keep.que", "keep\r\n");
  fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(WriteLines(dir / "ro" / "keep.que", {"lost"}).ok());
  EXPECT_EQ(ReadBytes(dir / "ro" / "keep.que"), "keep\r\n");
}

TEST(TextFile, RewriteKeepsThePermissionsOfTheFile) {
  TempFolder dir;
  WriteBytes(dir / "a.ini", "x");
  fs::permissions(dir / "a.ini", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteLines(dir / "a.ini", {"y"}).ok());
  EXPECT_EQ(fs::status(dir / "a.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST(TextFile, OnlyRegularFilesAreOpened) {
  // Each of these would block or read without end if it were opened as a file.
  TempFolder dir;
  test::MakeFifo(dir / "fifo.que");
  fs::create_directory(dir / "folder.que");
  test::PlantSymlink(dir / "fifo.que", dir / "link-to-fifo.que");
  test::PlantSymlink("/dev/zero", dir / "zero.bmp");
  for (const char* name : {"fifo.que", "folder.que", "link-to-fifo.que", "zero.bmp"}) {
    const auto bytes = ReadFileBytes(dir / name);
    ASSERT_FALSE(bytes.ok()) << name;
    EXPECT_EQ(bytes.message(), NotAFileMessage(dir / name)) << name;
    const Status file = RequireFile(dir / name);
    ASSERT_FALSE(file.ok()) << name;
    EXPECT_EQ(file.message(), NotAFileMessage(dir / name)) << name;
  }
  EXPECT_EQ(RequireFile(dir / "none.que").message(),
            "ファイル " + (dir / "none.que").string() + " が見つかりません");
  WriteBytes(dir / "real.que", "x");
  test::PlantSymlink(dir / "real.que", dir / "link.que");
  EXPECT_TRUE(RequireFile(dir / "link.que").ok());
  EXPECT_EQ(ReadFileBytes(dir / "link.que").value(), "x");
}

TEST(TextFile, ReadOnlyCaseAFileInAWritableFolderIsRefusedAndKept) {
  if (test::RunningAsRoot()) GTEST_SKIP() << "root may write read-only files";
  TempFolder dir;
  WriteBytes(dir / "key.que", "keep\r\n");
  test::MakeReadOnly(dir / "key.que");
  const Status s = WriteLines(dir / "key.que", {"lost"});
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), (dir / "key.que").string() + " に書き込めません");
  EXPECT_EQ(ReadBytes(dir / "key.que"), "keep\r\n");
  EXPECT_EQ(test::FolderNames(dir.path()), (Lines{"key.que"}));
}

TEST(TextFile, WritingThroughASymlinkReplacesTheFileItPointsTo) {
  struct Case {
    const char* name;
    bool relative;
    bool chained;
  } cases[] = {{"absolute link", false, false},
               {"relative link", true, false},
               {"link to a link", false, true}};
  for (const auto& c : cases) {
    TempFolder dir;
    WriteBytes(dir / "real" / "rec.ini", "old\r\n");
    fs::create_directories(dir / "links");
    const fs::path target = c.relative ? fs::path("../real/rec.ini") : dir / "real" / "rec.ini";
    fs::path link = dir / "links" / "rec.ini";
    test::PlantSymlink(target, link);
    if (c.chained) {
      test::PlantSymlink(link, dir / "links" / "again.ini");
      link = dir / "links" / "again.ini";
    }
    ASSERT_TRUE(WriteLines(link, {"new"}).ok()) << c.name;
    EXPECT_TRUE(fs::is_symlink(link)) << c.name;
    EXPECT_EQ(ReadBytes(dir / "real" / "rec.ini"), "new\r\n") << c.name;
    EXPECT_EQ(test::FolderNames(dir / "real"), (Lines{"rec.ini"})) << c.name;
  }
}

TEST(TextFile, LinkLoopsAndNonFilesAreRefused) {
  TempFolder dir;
  test::PlantSymlink(dir / "b", dir / "a");
  test::PlantSymlink(dir / "a", dir / "b");
  EXPECT_FALSE(WriteLines(dir / "a", {"x"}).ok());
  test::MakeFifo(dir / "pipe.que");
  EXPECT_FALSE(WriteLines(dir / "pipe.que", {"x"}).ok());
  EXPECT_EQ(test::FolderNames(dir.path()), (Lines{"a", "b", "pipe.que"}));
}

TEST(TextFile, StagedFilesAreRemovedUnlessCommitted) {
  TempFolder dir;
  WriteBytes(dir / "a.png", "old");
  {
    auto staged = StagedFile::Stage(dir / "a.png", "new");
    ASSERT_TRUE(staged.ok());
    EXPECT_TRUE(fs::exists(staged.value().temporary()));
  }
  EXPECT_EQ(test::FolderNames(dir.path()), (Lines{"a.png"}));
  EXPECT_EQ(ReadBytes(dir / "a.png"), "old");
}

TEST(TextFile, OnlyOurOwnStaleTemporariesAreRemovedOnTheNextWrite) {
  TempFolder dir;
  const std::string stale = ".tavolo-0123456789abcdef.tmp";
  const std::string young = ".tavolo-fedcba9876543210.tmp";
  const std::string otherName = ".tavolo-notours.tmp";
  const std::string upperHex = ".tavolo-0123456789ABCDEF.tmp";
  const std::string staleLink = ".tavolo-00000000000000aa.tmp";
  for (const auto& name : {stale, young, otherName, upperHex}) WriteBytes(dir / name, "x");
  WriteBytes(dir / "elsewhere" / "victim", "x");
  test::MakeOlder(dir / "elsewhere" / "victim", 3600);
  test::PlantSymlink(dir / "elsewhere" / "victim", dir / staleLink);
  for (const auto& name : {stale, otherName, upperHex}) test::MakeOlder(dir / name, 3600);
  ASSERT_TRUE(WriteLines(dir / "rec.ini", {"x"}).ok());
  EXPECT_EQ(test::FolderNames(dir.path()),
            (Lines{staleLink, upperHex, young, otherName, "elsewhere", "rec.ini"}));
  EXPECT_TRUE(fs::exists(dir / "elsewhere" / "victim"));
}

TEST(TextFile, TemporaryFileNames) {
  EXPECT_TRUE(IsTemporaryFileName(".tavolo-0123456789abcdef.tmp"));
  for (const char* name : {".tavolo-0123456789abcde.tmp", ".tavolo-0123456789abcdefa.tmp",
                           "tavolo-0123456789abcdef.tmp", ".tavolo-0123456789abcdeg.tmp",
                           ".tavolo-0123456789abcdef.tmq", ".tavolo-0123456789ABCDEF.tmp"})
    EXPECT_FALSE(IsTemporaryFileName(name)) << name;
}

TEST(Paths, CourseFolderAlwaysEndsInASeparator) {
  EXPECT_EQ(CourseFolderText("/home/t/course"), "/home/t/course/");
  EXPECT_EQ(CourseFolderText("/home/t/course/"), "/home/t/course/");
  EXPECT_EQ(CourseFolderText("/"), "/");
  EXPECT_EQ(NormalizeSeparators("Lesson1\\Graph\\a.bmp"), "Lesson1/Graph/a.bmp");
}

TEST(Paths, FindsFilesCaseInsensitivelyComponentByComponent) {
  TempFolder dir;
  WriteBytes(dir / "Lesson1" / "GRAPH" / "Fig1.BMP", "BM");
  WriteBytes(dir / "title.bmp", "BM");
  const std::string course = dir.path().string();

  EXPECT_EQ(CoursePath(course, "Lesson1\\Graph\\fig1.bmp"), dir / "Lesson1/GRAPH/Fig1.BMP");
  EXPECT_EQ(CoursePath(course, "lesson1/graph/FIG1.bmp"), dir / "Lesson1/GRAPH/Fig1.BMP");
  EXPECT_EQ(CoursePath(course, "Title.BMP"), dir / "title.bmp");
  EXPECT_EQ(CoursePath(course, "\\Title.BMP"), dir / "title.bmp");
  // Exact names win, and a missing file keeps the spelling it was asked for.
  EXPECT_EQ(CoursePath(course, "Lesson1/GRAPH/Fig1.BMP"), dir / "Lesson1/GRAPH/Fig1.BMP");
  EXPECT_EQ(CoursePath(course, "Lesson1\\Graph\\none.bmp"), dir / "Lesson1/Graph/none.bmp");
}

}  // namespace
}  // namespace tavolo
