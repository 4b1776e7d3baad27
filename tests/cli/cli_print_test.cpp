// `tavolo print`: numbered worksheets for a class as one PDF, read back with
// poppler's tools as a teacher's PDF viewer would see them.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>

#include "cli_run.h"
#include "support/course_files.h"
#include "support/hostile_files.h"

namespace tavolo {
namespace {

using test::Cli;
using test::CliRun;
using test::Shell;

using Lines = std::vector<std::string>;
using test::TempFolder;

int CountOf(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

const std::string kCourse = std::string(TAVOLO_SOURCE_DIR) + "/courses/sample";

class CliPrint : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Shell("command -v pdfinfo").empty()) GTEST_SKIP() << "poppler-utils is not installed";
    ::setenv("TAVOLO_NOW", "2026-12-08T09:30:00", 1);
  }
  void TearDown() override { ::unsetenv("TAVOLO_NOW"); }
  TempFolder folder;
};

TEST_F(CliPrint, NumberedCopiesArePagesOfOnePdfWithTheirOwnNumbers) {
  const std::string pdf = (folder / "class.pdf").string();
  const CliRun r = Cli({"print", kCourse, "1.3.1", "--pdf", pdf, "--copies", "3", "--start", "5"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, pdf + "\n");
  const std::string info = Shell("pdfinfo '" + pdf + "'");
  EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
  EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
  const std::string text = Shell("pdftotext '" + pdf + "' -");
  EXPECT_EQ(CountOf(text, "№ 5"), 1) << text;
  EXPECT_EQ(CountOf(text, "№ 6"), 1);
  EXPECT_EQ(CountOf(text, "№ 7"), 1);
  EXPECT_NE(text.find("2026.12.08"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(pdf + ".part"));
}

TEST_F(CliPrint, UnnumberedJobsAndTheFaithfulModeGiveOnePage) {
  const std::string pdf = (folder / "one.pdf").string();
  ASSERT_EQ(Cli({"print", kCourse, "1.3.1", "--pdf", pdf, "--copies", "30", "--no-number",
                 "--paper", "B5"})
                .status,
            0);
  const std::string info = Shell("pdfinfo '" + pdf + "'");
  EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
  EXPECT_EQ(CountOf(Shell("pdftotext '" + pdf + "' -"), "№"), 0);

  const std::string faithful = (folder / "screen.pdf").string();
  ASSERT_EQ(Cli({"print", kCourse, "1.3.1", "--pdf", faithful, "--mode", "screen", "--copies", "2"})
                .status,
            0);
  EXPECT_NE(Shell("pdfinfo '" + faithful + "'").find("Pages:           2"), std::string::npos);
}

TEST_F(CliPrint, FailuresSayWhatIsWrongAndLeaveNoFile) {
  CliRun r = Cli({"print", kCourse, "1.3.99", "--pdf", (folder / "x.pdf").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "単元がありません\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "x.pdf"));

  const std::string unwritable = (folder / "no-such-folder" / "x.pdf").string();
  r = Cli({"print", kCourse, "1.3.1", "--pdf", unwritable});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ファイル " + unwritable + " に書き込めません"), std::string::npos) << r.err;

  EXPECT_EQ(Cli({"print", kCourse, "1.3.1"}).status, 2);  // no --pdf
  EXPECT_EQ(Cli({"print", kCourse, "1.3.1", "--pdf", "a.pdf", "--copies", "0"}).status, 2);
  EXPECT_EQ(Cli({"print", kCourse, "1.3.1", "--pdf", "a.pdf", "--mode", "fast"}).status, 2);
}

TEST_F(CliPrint, TheSameCommandGivesTheSameBytesDatedByTheProgramsClock) {
  struct Job {
    std::vector<std::string> options;
  };
  const Job jobs[] = {
      {{"--copies", "3", "--start", "5"}},
      {{"--mode", "screen", "--copies", "2", "--answers", "on"}},
  };
  for (const Job& job : jobs) {
    std::vector<std::string> first = {"print", kCourse, "1.3.1", "--pdf",
                                      (folder / "first.pdf").string()};
    std::vector<std::string> second = {"print", kCourse, "1.3.1", "--pdf",
                                       (folder / "second.pdf").string()};
    first.insert(first.end(), job.options.begin(), job.options.end());
    second.insert(second.end(), job.options.begin(), job.options.end());
    ASSERT_EQ(Cli(first).status, 0);
    ASSERT_EQ(Cli(second).status, 0);
    const std::string bytes = test::ReadBytes(folder / "first.pdf");
    EXPECT_EQ(bytes, test::ReadBytes(folder / "second.pdf"));
    // The date inside is the program's clock, whenever the file was written.
    EXPECT_NE(bytes.find("/CreationDate (D:20261208093000)"), std::string::npos)
        << bytes.substr(0, 300);
    EXPECT_NE(
        Shell("pdfinfo '" + (folder / "first.pdf").string() + "'").find("Dec  8 09:30:00 2026"),
        std::string::npos);
  }
}

TEST_F(CliPrint, PlantedLinksAreNeverFollowedAndNoTemporaryStays) {
  // A link at the name the old program used for its partial PDF, and a link
  // at our own temporary-name pattern: neither is written through.
  test::WriteBytes(folder / "victim.txt", "keep");
  test::PlantSymlink(folder / "victim.txt", folder / "class.pdf.part");
  test::PlantSymlink(folder / "victim.txt", folder / ".tavolo-0000000000000000.tmp");
  const std::string pdf = (folder / "class.pdf").string();
  ASSERT_EQ(Cli({"print", kCourse, "1.3.1", "--pdf", pdf}).status, 0);
  EXPECT_EQ(test::ReadBytes(folder / "victim.txt"), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink(pdf));
  EXPECT_EQ(test::ReadBytes(pdf).substr(0, 5), "%PDF-");
  EXPECT_EQ(test::FolderNames(folder.path()),
            (Lines{".tavolo-0000000000000000.tmp", "class.pdf", "class.pdf.part", "victim.txt"}));
}

TEST_F(CliPrint, ReadOnlyCaseAPdfIsRefusedAndKept) {
  if (test::RunningAsRoot()) GTEST_SKIP() << "root may write read-only files";
  test::WriteBytes(folder / "old.pdf", "old");
  test::MakeReadOnly(folder / "old.pdf");
  const CliRun r = Cli({"print", kCourse, "1.3.1", "--pdf", (folder / "old.pdf").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("に書き込めません"), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadBytes(folder / "old.pdf"), "old");
  EXPECT_EQ(test::FolderNames(folder.path()), (Lines{"old.pdf"}));
}

}  // namespace
}  // namespace tavolo
