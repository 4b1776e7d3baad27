#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text_file.h"
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
  EXPECT_EQ(r.message(), "ファイル " + (dir / "folder.que").string() + " を読み込めません");

  if (::geteuid() != 0) {  // root reads everything
    WriteBytes(dir / "locked.que", "x");
    fs::permissions(dir / "locked.que", fs::perms::none);
    EXPECT_FALSE(ReadLines(dir / "locked.que").ok());
  }
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

  if (::geteuid() != 0) {
    WriteBytes(dir / "ro" / "keep.que", "keep\r\n");
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteLines(dir / "ro" / "keep.que", {"lost"}).ok());
    EXPECT_EQ(ReadBytes(dir / "ro" / "keep.que"), "keep\r\n");
  }
}

TEST(TextFile, RewriteKeepsThePermissionsOfTheFile) {
  TempFolder dir;
  WriteBytes(dir / "a.ini", "x");
  fs::permissions(dir / "a.ini", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteLines(dir / "a.ini", {"y"}).ok());
  EXPECT_EQ(fs::status(dir / "a.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
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
