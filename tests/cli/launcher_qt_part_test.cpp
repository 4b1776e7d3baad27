// Where the program looks for its Qt part, and what it says when it cannot
// load one. Loading the real part is proven by running the program
// (CliProcess.*, PackageTest.*).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "launcher/qt_part.h"
#include "support/temp_folder.h"

namespace tavolo {
namespace {

namespace fs = std::filesystem;

TEST(QtPart, IsLookedForBesideTheProgramThenInItsLibFolderButNeverRelatively) {
  const auto candidates = QtPartCandidates("/opt/tavolo/bin");
  ASSERT_GE(candidates.size(), 2u);
  EXPECT_EQ(candidates.front(), "/opt/tavolo/bin/tavolo-qt.so");
  EXPECT_EQ(candidates.back(), "/opt/tavolo/lib/tavolo/tavolo-qt.so");
  // The drawing commands' part is looked for in the same places.
  const auto drawing = QtPartCandidates("/opt/tavolo/bin", QtPart::Drawing);
  ASSERT_EQ(drawing.size(), candidates.size());
  for (size_t i = 0; i < drawing.size(); ++i)
    EXPECT_EQ(drawing[i], candidates[i].parent_path() / "tavolo-draw.so");
  for (const fs::path& candidate : candidates)
    EXPECT_EQ(candidate.string().rfind("/opt/tavolo/", 0), 0u) << candidate;
  // A relative folder would be read against the current folder, which may be
  // a course from anywhere.
  for (const char* folder : {"", "bin", "./bin", "../bin"}) {
    SCOPED_TRACE(folder);
    EXPECT_TRUE(QtPartCandidates(folder).empty());
    const auto loaded = LoadQtPart(folder);
    ASSERT_FALSE(loaded.ok());
    EXPECT_NE(loaded.message().find("プログラムのフォルダが分からない"), std::string::npos);
  }
}

TEST(QtPart, AMissingOrBrokenPartIsAReasonNotACrash) {
  test::TempFolder folder;
  const auto missing = LoadQtPart(folder.path());
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.message().find("tavolo-qt.so が見つかりません"), std::string::npos);
  EXPECT_NE(missing.message().find((folder / "tavolo-qt.so").string()), std::string::npos);

  // The second place is used when the first is empty.
  fs::create_directories(folder / "lib/tavolo");
  test::WriteBytes(folder / "lib/tavolo/tavolo-qt.so",
                   "\x7f"
                   "ELF, but no more");
  const auto broken = LoadQtPart(folder / "bin");
  ASSERT_FALSE(broken.ok());
  EXPECT_NE(
      broken.message().find("読み込めません: " + (folder / "lib/tavolo/tavolo-qt.so").string()),
      std::string::npos)
      << broken.message();
}

}  // namespace
}  // namespace tavolo
