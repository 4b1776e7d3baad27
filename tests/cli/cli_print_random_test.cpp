// `tavolo print` of a unit with random data: each numbered copy shows the
// variant of its number, in both modes, with its own key, the block's
// fingerprint beside the number, and the answer list for grading the set.
// PDFs are read back with poppler's tools.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "cli/unit_source.h"
#include "cli_run.h"
#include "random/copy_variants.h"
#include "random/unit_variant.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using test::Cli;
using test::CliRun;
using test::Shell;

std::string WithoutBlanks(std::string text) {
  std::erase_if(text, [](unsigned char c) { return std::isspace(c) != 0; });
  return text;
}

// Unit 1 holds random data; unit 2 the same questions without a block.
class CliPrintRandom : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Shell("command -v pdftotext").empty() || Shell("command -v pdftoppm").empty())
      GTEST_SKIP() << "poppler-utils is not installed";
    ::setenv("TAVOLO_NOW", "2026-12-08T09:30:00", 1);
    test::WriteCp932Lines(folder_ / "Main.ind", {"数学問題集１", "", "正負,kazu\\\\ksk"});
    test::WriteCp932Lines(folder_ / "kazu" / "ksk.ind", {"正の数と負の数", "[[sect1", "加法", "<<",
                                                         "乱数", "値なし", ">>", "]]"});
    test::WriteCp932Lines(folder_ / "kazu" / "ksk1.que",
                          {"[[unit1", "<<ques", "(1) $a+$b=#=a+b#", "(2) $a-$b=#=a-b#", ">>",
                           "<<random", "a = int(500..899)", "b = int(100..399)", ">>", "]]",
                           "[[unit2", "<<ques", "(1) 2+3=#5#", ">>", "]]"});
    Result<LoadedUnit> unit = LoadUnitSource({Course(), "1.1.1"});
    ASSERT_TRUE(unit.ok()) << unit.message();
    content_ = unit->content;
  }
  void TearDown() override { ::unsetenv("TAVOLO_NOW"); }

  std::string Course() const { return test::CourseFolderOf(folder_); }
  std::string PdfPath() const { return (folder_ / "out.pdf").string(); }

  CliRun Print(const std::string& unit, std::vector<std::string> options) const {
    std::vector<std::string> args = {"print", Course(), unit, "--pdf", PdfPath()};
    args.insert(args.end(), options.begin(), options.end());
    return Cli(args);
  }
  std::string PageText(int page) const {
    const std::string n = std::to_string(page);
    return WithoutBlanks(Shell("pdftotext -f " + n + " -l " + n + " '" + PdfPath() + "' -"));
  }
  int Pages() const {
    const std::string info = Shell("pdfinfo '" + PdfPath() + "'");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
  }

  struct Numbers {
    std::string question1, question2, sum, difference;
  };
  // Variant n's values as the engine draws them, and its answers worked out here.
  Numbers VariantNumbers(int n) const {
    const RandomVariant random = ExpandUnitVariant(content_, n).random;
    const int a = std::stoi(random.values.at(0).text);
    const int b = std::stoi(random.values.at(1).text);
    const std::string as = std::to_string(a), bs = std::to_string(b);
    return {as + "+" + bs, as + "-" + bs, std::to_string(a + b), std::to_string(a - b)};
  }

  test::TempFolder folder_;
  UnitContent content_;
};

TEST_F(CliPrintRandom, EachCopyAtPrinterResolutionShowsItsOwnVariantAndKey) {
  const std::string fingerprint = CopyVariants(content_).Fingerprint();
  ASSERT_EQ(fingerprint.size(), 4u);
  const struct {
    const char* label;
    std::vector<std::string> options;
    std::vector<int> variants;  // page by page
    bool numbered;
  } jobs[] = {
      {"numbered", {"--copies", "3", "--start", "5"}, {5, 6, 7}, true},
      {"unnumbered: one page for every copy",
       {"--copies", "3", "--start", "5", "--no-number"},
       {5},
       false},
  };
  for (const auto& job : jobs) {
    SCOPED_TRACE(job.label);
    std::vector<std::string> options = job.options;
    options.insert(options.end(), {"--answers", "on"});
    const CliRun run = Print("1.1.1", options);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(Pages(), static_cast<int>(job.variants.size()));
    for (std::size_t i = 0; i < job.variants.size(); ++i) {
      const int n = job.variants[i];
      SCOPED_TRACE("variant " + std::to_string(n));
      const std::string text = PageText(static_cast<int>(i) + 1);
      const Numbers numbers = VariantNumbers(n);
      for (const std::string& expected :
           {numbers.question1, numbers.question2, numbers.sum, numbers.difference})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
      const std::string header =
          (job.numbered ? "№" + std::to_string(n) : "") + fingerprint + "2026.12.08";
      EXPECT_EQ(text.find(header), 0u) << text;
    }
  }
  // A unit without random data has no fingerprint after its number.
  ASSERT_EQ(Print("1.1.2", {"--start", "5"}).status, 0);
  EXPECT_EQ(PageText(1).find("№52026.12.08"), 0u) << PageText(1);
}

TEST_F(CliPrintRandom, EachScreenModeCopyIsItsOwnScreenPicture) {
  // Page i of a job is the page a job of one copy starting at its number gives.
  const auto pictures = [&](const std::vector<std::string>& options, const std::string& name) {
    EXPECT_EQ(Print("1.1.1", options).status, 0);
    const std::string prefix = (folder_ / name).string();
    Shell("pdftoppm -r 40 '" + PdfPath() + "' '" + prefix + "'");
    std::vector<std::string> pages;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
      if (entry.path().filename().string().starts_with(name + "-"))
        pages.push_back(entry.path().string());
    std::sort(pages.begin(), pages.end());
    std::vector<std::string> bytes;
    for (const std::string& page : pages) bytes.push_back(test::ReadBytes(page));
    return bytes;
  };
  const std::vector<std::string> job =
      pictures({"--mode", "screen", "--copies", "3", "--start", "5", "--answers", "on"}, "job");
  ASSERT_EQ(job.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE("copy " + std::to_string(i + 1));
    const std::string start = std::to_string(5 + i);
    const std::vector<std::string> alone =
        pictures({"--mode", "screen", "--start", start, "--answers", "on"}, "alone" + start);
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_TRUE(job[static_cast<std::size_t>(i)] == alone[0]);
  }
  EXPECT_FALSE(job[0] == job[1]);
}

TEST_F(CliPrintRandom, TheAnswerListHasARowPerCopyOverAsManyPagesAsItNeeds) {
  ASSERT_EQ(Print("1.1.1", {"--answer-list", "--copies", "60", "--start", "5"}).status, 0);
  EXPECT_EQ(Pages(), 2);
  const std::string text = PageText(1) + PageText(2);
  EXPECT_NE(text.find(CopyVariants(content_).Fingerprint()), std::string::npos);
  for (int n = 5; n < 65; ++n) {
    const Numbers numbers = VariantNumbers(n);
    const std::string row =
        "№" + std::to_string(n) + "(1)" + numbers.sum + "(2)" + numbers.difference;
    EXPECT_NE(text.find(row), std::string::npos) << row;
  }
  ASSERT_EQ(Print("1.1.2", {"--answer-list", "--copies", "2", "--start", "5"}).status, 0);
  EXPECT_NE(PageText(1).find("№5(1)5№6(1)5"), std::string::npos) << PageText(1);
}

}  // namespace
}  // namespace tavolo
