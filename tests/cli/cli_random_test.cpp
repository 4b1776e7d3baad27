// `tavolo check` and `tavolo dump` on a small course whose units hold random data.

#include <gtest/gtest.h>

#include "cli/json.h"
#include "cli_run.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;
using test::Cli;
using test::CliRun;

// Unit 1 holds random data, unit 2 a placeholder but no block.
class CliRandomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteCp932Lines(folder_ / "Main.ind", {"数学問題集１", "", "正負,kazu\\\\ksk"});
    test::WriteCp932Lines(folder_ / "kazu" / "ksk.ind", {"正の数と負の数", "[[sect1", "加法", "<<",
                                                         "乱数", "値なし", ">>", "]]"});
    WriteUnits({"b = int(1..9"});
  }

  void WriteUnits(const Lines& secondDeclaration) {
    Lines que = {"[[unit1", "<<ques", "(1) ($a)+($b)=#=a+b#", ">>", "<<random", "a = int(1..5)"};
    que.insert(que.end(), secondDeclaration.begin(), secondDeclaration.end());
    for (const std::string tail : {">>", "]]", "[[unit2", "<<ques", "$c を求めなさい", ">>", "]]"})
      que.push_back(tail);
    test::WriteCp932Lines(folder_ / "kazu" / "ksk1.que", que);
  }

  std::string course() const { return test::CourseFolderOf(folder_); }
  std::string que() const { return course() + "kazu/ksk1.que"; }

  test::TempFolder folder_;
};

TEST_F(CliRandomTest, CheckNamesLineAndColumnAndWarnsWithoutFailing) {
  const std::string placeholder =
      "警告: この単元には <<random ブロックがないので、「$c」は値にならずそのまま表示されます";
  const CliRun run = Cli({"check", course()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, que() + ":7:13: 「)」がありません\n" + que() + ":12: " + placeholder +
                         "\nレッスン 1、セクション 1、単元 2 を調べました: 問題が 1 件、警告が 1 "
                         "件あります\n");

  const CliRun json = Cli({"check", course(), "--json"});
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(json.out, "[\n  {\n    \"address\": \"1.1.1\",\n    \"file\": " + JsonQuote(que()) +
                          ",\n    \"line\": 7,\n    \"column\": 13,\n    \"message\": "
                          "\"「)」がありません\"\n  },\n  {\n    \"address\": \"1.1.2\",\n    "
                          "\"file\": " +
                          JsonQuote(que()) +
                          ",\n    \"line\": 12,\n    \"warning\": true,\n    \"message\": " +
                          JsonQuote(placeholder.substr(std::string("警告: ").size())) +
                          "\n  }\n]\n");

  // Mended, only warnings are left: the check passes.
  WriteUnits({"b = int(1..5)"});
  const CliRun mended = Cli({"check", course()});
  EXPECT_EQ(mended.status, 0) << mended.out;
  EXPECT_EQ(mended.out,
            que() + ":5: 警告: この単元の問題は 25 通りしかありません\n" + que() +
                ":12: " + placeholder +
                "\nレッスン 1、セクション 1、単元 2 を調べました: 警告が 2 件あります\n");
}

TEST_F(CliRandomTest, DumpShowsTheBlockOfUnitsThatHaveOne) {
  const CliRun run = Cli({"dump", course(), "1.1.1"});
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("  \"random\": [\n    \"a = int(1..5)\",\n    \"b = int(1..9\"\n  ],\n"
                         "  \"randomLine\": 6\n}\n"),
            std::string::npos)
      << run.out;
  const CliRun plain = Cli({"dump", course(), "1.1.2"});
  ASSERT_EQ(plain.status, 0) << plain.out;
  EXPECT_EQ(plain.out.find("random"), std::string::npos) << plain.out;
}

}  // namespace
}  // namespace tavolo
