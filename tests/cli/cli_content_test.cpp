// `tavolo check`, `list` and `dump` on small courses built in temporary folders.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/json.h"
#include "cli/terminal_text.h"
#include "cli_run.h"
#include "platform/text_file.h"
#include "support/course_files.h"

namespace tavolo {
namespace {

using test::Cli;
using test::CliRun;

using Lines = std::vector<std::string>;
using test::CourseFolderOf;
using test::TempFolder;
using test::WriteCp932Lines;

const Lines kLayout = {"<<value", "630",    "False",  "40",      "5",     "5",     "1",     "7",
                       ">>",      "<<font", "12",     "MS 明朝", "False", "False", "False", "False",
                       "0",       ">>",     "<<kran", "5",       "15",    ">>"};

// One lesson "正負" in kazu\ with stem ksk; section 1 has two units, the first
// with the similar problems R1 and R2.
class CliContentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteCp932Lines(folder_ / "Main.ind", {"数学問題集１", "", "正負,kazu\\\\ksk"});
    WriteCp932Lines(folder_ / "kazu" / "ksk.ind", {"正の数と負の数", "[[sect1", "加法", "<<",
                                                   "正の数をたす", "負の数をたす", ">>", "]]"});
    Lines que = {"[[unit1", "<<ques", "(1) (+3)+(+4)=#+7#", ">>"};
    que.insert(que.end(), kLayout.begin(), kLayout.end());
    for (const std::string tail :
         {"]]", "[[unit1R1", "<<ques", "R1", ">>", "]]", "[[unit1R2", "<<ques", "R2", ">>", "]]",
          "[[unit2", "<<ques", "\"quoted\" \\ back", ">>", "]]"})
      que.push_back(tail);
    WriteCp932Lines(folder_ / "kazu" / "ksk1.que", que);
  }

  std::string course() const { return CourseFolderOf(folder_); }

  TempFolder folder_;
};

TEST_F(CliContentTest, ListAsJson) {
  const CliRun run = Cli({"list", course(), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::ostringstream expected;
  expected << R"({
  "title": "数学問題集１",
  "lessons": [
    {
      "number": 1,
      "caption": "正負",
      "folder": "kazu\\",
      "stem": "ksk",
      "title": "正の数と負の数",
      "error": null,
      "sections": [
        {
          "number": 1,
          "caption": "加法",
          "units": [
            {
              "number": 1,
              "caption": "正の数をたす",
              "similar": [
                "類題　1R1",
                "類題　1R2"
              ]
            },
            {
              "number": 2,
              "caption": "負の数をたす",
              "similar": []
            }
          ]
        }
      ]
    }
  ]
}
)";
  EXPECT_EQ(run.out, expected.str());
}

TEST_F(CliContentTest, ListShowsALessonErrorAndTheTree) {
  WriteCp932Lines(folder_ / "Main.ind", {"数学問題集１", "", "正負,kazu\\\\ksk", "欠,gone\\\\g"});
  const CliRun json = Cli({"list", "--json", course()});
  ASSERT_EQ(json.status, 0);
  EXPECT_NE(json.out.find("\"error\": \"ディレクトリ " + course() + "gone/ が見つかりません\""),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"title\": null"), std::string::npos);

  const CliRun tree = Cli({"list", course()});
  ASSERT_EQ(tree.status, 0);
  EXPECT_NE(tree.out.find("      1.1.1 正の数をたす  類題　1R1  類題　1R2\n"), std::string::npos)
      << tree.out;
  EXPECT_NE(tree.out.find("  2 欠  (gone\\g)  エラー: ディレクトリ "), std::string::npos);
}

TEST_F(CliContentTest, DumpAUnitAndASimilarProblem) {
  const CliRun run = Cli({"dump", course(), "1.1.1R2"});
  ASSERT_EQ(run.status, 0) << run.out;
  const std::string file = course() + "kazu/ksk1.que";
  EXPECT_NE(run.out.find("\"questionFile\": " + JsonQuote(file)), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"keyLine\": \"[[unit1R2\""), std::string::npos);
  EXPECT_NE(run.out.find("\"identity\": " + JsonQuote(file + "-U1R2")), std::string::npos);
  EXPECT_NE(run.out.find("\"shortName\": \"ksk1.que-U1R2\""), std::string::npos);
  EXPECT_NE(run.out.find("\"title\": \"正負//加法§1-1 正の数をたす\""), std::string::npos);
  EXPECT_NE(run.out.find("\"ques\": [\n    \"R2\"\n  ]"), std::string::npos);

  const CliRun escaped = Cli({"dump", course(), "1.1.2"});
  ASSERT_EQ(escaped.status, 0);
  EXPECT_NE(escaped.out.find(R"("\"quoted\" \\ back")"), std::string::npos) << escaped.out;
}

TEST_F(CliContentTest, DumpFailures) {
  const struct {
    Lines args;
    std::string error;
  } cases[] = {
      {{"dump", course(), "1.1.3"}, "単元がありません"},
      {{"dump", course(), "1.1.1R3"}, "単元がありません"},
      {{"dump", course(), "1.2.1"}, "単元がありません"},
      {{"dump", course(), "2.1.1"}, "単元がありません"},
      {{"dump", course(), "1.1"}, "単元の指定が正しくありません: 1.1"},
      {{"dump", course() + "none", "1.1.1"},
       "ファイル " + course() + "none/Main.ind が見つかりません"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, 1) << c.args[2];
    EXPECT_EQ(run.out, "{\n  \"error\": " + JsonQuote(c.error) + "\n}\n");
  }
  EXPECT_EQ(Cli({"dump", course()}).status, 2);
}

TEST_F(CliContentTest, DumpACopyFile) {
  WriteCp932Lines(folder_ / "ksk" / "mine.prp", {"[[unitX", "<<header", "題名", "東中学校",
                                                 "氏名欄", ">>", "<<ques", "q", ">>", "]]"});
  const CliRun run = Cli({"dump", (folder_ / "ksk" / "mine.prp").string()});
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("\"keyLine\": \"[[unitX\""), std::string::npos);
  EXPECT_NE(run.out.find("\"shortName\": \"mine.prp\""), std::string::npos);
  EXPECT_NE(run.out.find("\"school\": \"東中学校\""), std::string::npos);
}

TEST_F(CliContentTest, CheckACleanCourse) {
  const CliRun run = Cli({"check", course()});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "レッスン 1、セクション 1、単元 4 を調べました: 問題はありません\n");
  const CliRun json = Cli({"check", course(), "--json"});
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out, "[]\n");
  EXPECT_EQ(json.err, "レッスン 1、セクション 1、単元 4 を調べました: 問題はありません\n");
}

TEST_F(CliContentTest, CheckReportsFileAndLine) {
  WriteCp932Lines(folder_ / "kazu" / "ksk.ind",
                  {"正の数と負の数", "[[sect1", "加法", "<<", "正の数をたす", "負の数をたす",
                   "三つめ", ">>", "]]"});
  WriteCp932Lines(folder_ / "kazu" / "ksk1.que",
                  {"[[unit1", "<<ques", "{", "never closed", "]]", "[[unit2", "]]"});
  const std::string index = course() + "kazu/ksk.ind";
  const std::string que = course() + "kazu/ksk1.que";

  const CliRun run = Cli({"check", course()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, que + ":3: <<ques の { が } で閉じられていません\n" + index +
                         ":7: 単元がありません\n"
                         "レッスン 1、セクション 1、単元 3 を調べました: 問題が 2 件あります\n");

  const CliRun json = Cli({"check", course(), "--json"});
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(json.out,
            "[\n  {\n    \"address\": \"1.1.1\",\n    \"file\": " + JsonQuote(que) +
                ",\n    \"line\": 3,\n    \"message\": \"<<ques の { が } で閉じられていません\"\n"
                "  },\n  {\n    \"address\": \"1.1.3\",\n    \"file\": " +
                JsonQuote(index) +
                ",\n    \"line\": 7,\n    \"message\": \"単元がありません\"\n  }\n]\n");
  EXPECT_NE(json.err.find("問題が 2 件あります"), std::string::npos);
}

TEST_F(CliContentTest, CheckWarnsOfCaptionsOtherProgramsCannotFileRunsUnder) {
  WriteCp932Lines(
      folder_ / "kazu" / "ksk.ind",
      {"正の数と負の数", "[[sect1", "加法[基本]", "<<", "正の数をたす[基本]", "負の数をたす ", ">>",
       "]]", "[[sect2", "減法", "<<", "ひく　", "ひく］", ">>", "]]"});
  WriteCp932Lines(folder_ / "kazu" / "ksk2.que",
                  {"[[unit1", "<<ques", "q", ">>", "]]", "[[unit2", "<<ques", "q", ">>", "]]"});
  const std::string index = course() + "kazu/ksk.ind";
  const CliRun run = Cli({"check", course()});
  EXPECT_EQ(run.status, 1);
  // The section caption is no part of a record file's names; a full-width
  // "］" is a character like any other.
  EXPECT_EQ(run.out,
            index +
                ":5: 単元名に「]」があると、ほかのプログラムが書いた記録ファイルではこの単元の記録"
                "が読めません\n" +
                index +
                ":6: 単元名の最後に空白があると、ほかのプログラムが書いた記録ファイルではこの単元の"
                "記録が読めません\n" +
                index +
                ":12: 単元名の最後に空白があると、ほかのプログラムが書いた記録ファイルではこの単元"
                "の記録が読めません\n"
                "レッスン 1、セクション 2、単元 6 を調べました: 問題が 3 件あります\n");
  const CliRun json = Cli({"check", course(), "--json"});
  EXPECT_NE(json.out.find("\"address\": \"1.2.1\",\n    \"file\": " + JsonQuote(index) +
                          ",\n    \"line\": 12,"),
            std::string::npos)
      << json.out;
}

// Planted gaps: unit 1 misses the "+" form and the other forms of 3/2; its
// similar problem R1 misses "-0.2"; a box that is complete, a word answer and
// a comparison are passed over; unit 2 is complete.
TEST_F(CliContentTest, CheckAnswersListsTheFormsABoxDoesNotAccept) {
  Lines que = {"[[unit1",       "<<ques",           "(1) (+3)+(+4)=#+7;7#  (2) -8 は #負の数#",
               "(3) -1 #＜# 0", "(4) 3\\2=# 3/2 #", ">>"};
  que.insert(que.end(), kLayout.begin(), kLayout.end());
  for (const std::string tail :
       {"]]", "[[unit1R1", "<<ques", "(1) 1\\(-5)=#-1/5#", ">>", "]]", "[[unit1R2", "<<ques",
        "(1) 7-7=#0#", ">>", "]]", "[[unit2", "<<ques", "(1) 1\\2=#1/2;+1/2;0.5;+0.5#", ">>", "]]"})
    que.push_back(tail);
  WriteCp932Lines(folder_ / "kazu" / "ksk1.que", que);
  const std::string file = course() + "kazu/ksk1.que";
  const auto before = ReadFileBytes(folder_ / "kazu" / "ksk1.que");

  const CliRun json = Cli({"check", "--answers", course(), "--json"});
  EXPECT_EQ(json.status, 1) << json.err;
  EXPECT_EQ(json.out,
            "[\n"
            "  {\n"
            "    \"file\": " +
                JsonQuote(file) +
                ",\n"
                "    \"line\": 5,\n"
                "    \"unit\": \"1.1.1\",\n"
                "    \"box\": 4,\n"
                "    \"answer\": \"3/2\",\n"
                "    \"missing\": [\n"
                "      \"+3/2\",\n"
                "      \"1.5\",\n"
                "      \"1&1/2\"\n"
                "    ]\n"
                "  },\n"
                "  {\n"
                "    \"file\": " +
                JsonQuote(file) +
                ",\n"
                "    \"line\": 32,\n"
                "    \"unit\": \"1.1.1R1\",\n"
                "    \"box\": 1,\n"
                "    \"answer\": \"-1/5\",\n"
                "    \"missing\": [\n"
                "      \"-0.2\"\n"
                "    ]\n"
                "  }\n"
                "]\n");
  EXPECT_EQ(json.err,
            "数の解答欄 5 個を調べました: 受け付けていない書き方のある解答欄が 2 個あります\n");

  const CliRun text = Cli({"check", course(), "--answers"});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out,
            file + ":5: 1.1.1 (4) 「3/2」 に加えて受け付けるとよい書き方: +3/2 1.5 1&1/2\n" + file +
                ":32: 1.1.1R1 (1) 「-1/5」 に加えて受け付けるとよい書き方: -0.2\n"
                "数の解答欄 5 個を調べました: 受け付けていない書き方のある解答欄が 2 個あります\n");
  // It only reads.
  EXPECT_EQ(ReadFileBytes(folder_ / "kazu" / "ksk1.que").value(), before.value());
}

TEST_F(CliContentTest, CheckAnswersOnACompleteCourseAndItsUsageErrors) {
  WriteCp932Lines(folder_ / "kazu" / "ksk1.que",
                  {"[[unit1", "<<ques", "(1) (+3)+(+4)=#+7;7#", ">>", "]]", "[[unit2", "<<ques",
                   "(1) #x=3#", ">>", "]]"});
  const CliRun json = Cli({"check", "--answers", course(), "--json"});
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out, "[]\n");
  EXPECT_EQ(json.err, "数の解答欄 1 個を調べました: 受け付けていない書き方はありません\n");
  for (const Lines& args : {Lines{"check", "--answers"}, Lines{"check", "--answers", course(), "x"},
                            Lines{"check", "--answers", "--answers", course()}})
    EXPECT_EQ(Cli(args).status, 2) << testing::PrintToString(args);
  EXPECT_EQ(Cli({"check", "--answers", course() + "none"}).status, 2);
}

TEST_F(CliContentTest, ControlCharactersFromCourseFilesReachTheTerminalEscaped) {
  WriteCp932Lines(folder_ / "Main.ind", {"数学\x1b]0;title\x07問題集", "",
                                         "正負\x1b[31m,kazu\\\\ksk", "外,k\x1b[2Jz\\\\x"});
  WriteCp932Lines(folder_ / "kazu" / "ksk.ind", {"正の数\x7f", "[[sect1", "加法\x01", "<<",
                                                 "正の数をたす", "負の数をたす", ">>", "]]"});
  const CliRun list = Cli({"list", course()});
  const CliRun check = Cli({"check", course()});
  for (const CliRun* run : {&list, &check}) {
    for (const char c : run->out)
      EXPECT_FALSE((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == '\x7f') << run->out;
  }
  for (const char* shown :
       {"数学\\x1b]0;title\\x07問題集", "正負\\x1b[31m", "正の数\\x7f", "加法\\x01", "k\\x1b[2Jz"})
    EXPECT_NE(list.out.find(shown), std::string::npos) << shown << "\n" << list.out;
  EXPECT_NE(check.out.find("k\\x1b[2Jz"), std::string::npos) << check.out;
}

TEST_F(CliContentTest, PathsLeadingOutsideTheCourseAreRefusedAndReportedAtTheirLine) {
  WriteCp932Lines(folder_ / "Main.ind", {"数学問題集１", "", "正負,kazu\\\\ksk", "外,..\\\\x"});
  WriteCp932Lines(folder_ / "kazu" / "ksk1.que", {"[[unit1",   "<<ques",  "#1#",
                                                  ">>",        "<<graph", "ok.bmp",
                                                  "1",         "2",       "..\\..\\..\\etc\\passwd",
                                                  "3",         "4",       ">>",
                                                  "]]",        "[[unit2", "<<ques",
                                                  "#2#",       ">>",      "<<AGraph",
                                                  "C:\\x.bmp", "1",       "2",
                                                  ">>",        "]]"});
  const std::string outside = "はコースのフォルダの外を指しています";
  const CliRun list = Cli({"list", course()});
  EXPECT_NE(list.out.find("エラー: パス「..\\」" + outside), std::string::npos) << list.out;

  const CliRun check = Cli({"check", course()});
  EXPECT_EQ(check.status, 1);
  const std::string que = course() + "kazu/ksk1.que";
  for (const std::string& line : {course() + "Main.ind:4: パス「..\\」" + outside,
                                  que + ":9: パス「..\\..\\..\\etc\\passwd」" + outside,
                                  que + ":19: パス「C:\\x.bmp」" + outside})
    EXPECT_NE(check.out.find(line + "\n"), std::string::npos) << line << "\n" << check.out;
}

TEST(TerminalTextTest, EscapesControlsOnly) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"plain 正負 \\ text", "plain 正負 \\ text"},
      {"a\x1b[0mb", "a\\x1b[0mb"},
      {std::string("nul\0x", 5), "nul\\x00x"},
      {"tab\tline\r\n", "tab\\x09line\\x0d\\x0a"},
      {"del\x7f", "del\\x7f"},
      {"c1\xc2\x9b\xc2\xa0", "c1\\u009b\xc2\xa0"},  // CSI escaped, no-break space kept
      {"cut\xc2", "cut\xc2"},
  };
  for (const auto& c : cases) EXPECT_EQ(TerminalText(c.in), c.out) << c.in;
}

TEST(CliContentNoCourseTest, CheckWithoutMainIndExitsWithTwo) {
  TempFolder folder;
  const CliRun run = Cli({"check", CourseFolderOf(folder)});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "ファイル " + CourseFolderOf(folder) + "Main.ind が見つかりません\n");
  EXPECT_EQ(Cli({"check"}).status, 2);
  EXPECT_EQ(Cli({"list", CourseFolderOf(folder)}).status, 2);
}

TEST(JsonTest, QuotesEveryKindOfCharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", R"("a\"b\\c")"},
      {"\n\r\t\b\f", R"("\n\r\t\b\f")"},
      {std::string("\x01\x1f\x7f", 3), R"("\u0001\u001f\u007f")"},
      {std::string("nul\0x", 5), R"("nul\u0000x")"},
      {"日本語　全角", "\"日本語　全角\""},
      {"bad \xFF byte", "\"bad \xEF\xBF\xBD byte\""},
      {"cut \xE6\x97", "\"cut \xEF\xBF\xBD\xEF\xBF\xBD\""},
      // Shaped like UTF-8 but not: a surrogate, an overlong "/", past U+10FFFF.
      {"s\xED\xA0\x80", "\"s\xEF\xBF\xBD\""},
      {"o\xE0\x80\xAF", "\"o\xEF\xBF\xBD\""},
      {"o\xF0\x80\x80\xAF", "\"o\xEF\xBF\xBD\""},
      {"h\xF4\x90\x80\x80", "\"h\xEF\xBF\xBD\""},
      {"\xF0\x9F\x98\x80\xED\x9F\xBF", "\"\xF0\x9F\x98\x80\xED\x9F\xBF\""},
  };
  for (const auto& [text, quoted] : cases) EXPECT_EQ(JsonQuote(text), quoted) << text;
}

TEST(JsonTest, NestsWithCommasAndEmptyContainers) {
  std::ostringstream out;
  JsonWriter json(out, 0);
  json.BeginObject().Field("a", 1).Key("b").BeginArray().Null().Bool(true).EndArray();
  json.Key("c").BeginObject().EndObject().Field("d", std::vector<std::string>{}).EndObject();
  EXPECT_EQ(out.str(), R"({"a":1,"b":[null,true],"c":{},"d":[]})");
}

}  // namespace
}  // namespace tavolo
