// `tavolo dump --variant`, `tavolo variants` and `tavolo render --variant` on a
// small course: a unit with six variants, one without random data and one
// whose block is broken.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli_run.h"
#include "support/course_files.h"
#include "support/hostile_files.h"

namespace tavolo {
namespace {

using Lines = std::vector<std::string>;
using test::Cli;
using test::CliRun;

QJsonObject JsonOf(const std::string& text) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}
std::string Text(const QJsonValue& value) { return value.toString().toStdString(); }
Lines Texts(const QJsonValue& value) {
  Lines texts;
  for (const QJsonValue& item : value.toArray()) texts.push_back(Text(item));
  return texts;
}

class CliVariantTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteCp932Lines(folder_ / "Main.ind", {"数学問題集１", "", "正負,kazu\\\\ksk"});
    test::WriteCp932Lines(folder_ / "kazu" / "ksk.ind", {"正の数と負の数", "[[sect1", "加法", "<<",
                                                         "乱数", "値なし", "誤り", ">>", "]]"});
    // x is declared before a: the values keep that order.
    Lines que = {"[[unit1", "<<ques", "(1) $x+$a=#=x+a#", ">>", "<<kgroup", "${x*a}", ">>"};
    for (const Lines& more :
         {Lines{"<<hint", "$x と $a をたします", ">>", "<<random", "x = int(1..3)"},
          Lines{"a = int(1..2)", ">>", "]]", "[[unit2", "<<ques", "(1) 3+4=#7#", ">>", "<<hint"},
          Lines{"$c はそのまま", ">>", "]]", "[[unit3", "<<ques", "(1) $a=#=a#", ">>"},
          Lines{"<<random", "a = int(1..", ">>", "]]"}})
      que.insert(que.end(), more.begin(), more.end());
    test::WriteCp932Lines(folder_ / "kazu" / "ksk1.que", que);
  }

  std::string course() const { return test::CourseFolderOf(folder_); }
  std::string file(const std::string& name) const { return (folder_ / name).string(); }
  CliRun Dump(const std::string& address, const std::string& variant) const {
    return Cli({"dump", course(), address, "--variant", variant});
  }
  // Variant n of unit 1 as dump shows it: its values x and a.
  std::pair<int, int> ValuesOf(int n) const {
    const QJsonObject values = JsonOf(Dump("1.1.1", std::to_string(n)).out)["values"].toObject();
    return {std::stoi(Text(values["x"])), std::stoi(Text(values["a"]))};
  }

  test::TempFolder folder_;
};

TEST_F(CliVariantTest, DumpShowsTheVariantWithItsValues) {
  const CliRun run = Dump("1.1.1", "4");
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonObject dump = JsonOf(run.out);
  EXPECT_EQ(dump["variant"].toInt(), 4);
  EXPECT_EQ(Text(dump["fingerprint"]).size(), 4u);
  EXPECT_LT(run.out.find("\"x\": "), run.out.find("\"a\": "));
  const auto [x, a] = ValuesOf(4);
  const std::string sum = std::to_string(x + a), xs = std::to_string(x), as = std::to_string(a);
  EXPECT_EQ(Texts(dump["ques"]), Lines{"(1) " + xs + "+" + as + "=#" + sum + ";+" + sum + "#"});
  EXPECT_EQ(Texts(dump["kgroup"]), Lines{std::to_string(x * a)});
  EXPECT_EQ(Texts(dump["hint"]), Lines{xs + " と " + as + " をたします"});
  EXPECT_FALSE(dump.contains("problems"));
  EXPECT_EQ(Cli({"dump", course(), "1.1.1"}).out.find("variant"), std::string::npos);

  const struct {
    const char* label;
    std::string address, variant;
    int status;
    Lines ques, hint, problems;
  } asRead[] = {
      {"no block", "1.1.2", "3", 0, {"(1) 3+4=#7#"}, {"$c はそのまま"}, {}},
      {"a broken block",
       "1.1.3",
       "1",
       1,
       {"(1) $a=#=a#"},
       {},
       {"29 行目 12 文字目: 式が途中で終わっています"}},
  };
  for (const auto& c : asRead) {
    SCOPED_TRACE(c.label);
    const CliRun shown = Dump(c.address, c.variant);
    EXPECT_EQ(shown.status, c.status);
    const QJsonObject unit = JsonOf(shown.out);
    EXPECT_EQ(unit["variant"].toInt(-1), c.status == 0 ? 0 : 1);
    EXPECT_EQ(Text(unit["fingerprint"]), "");
    EXPECT_TRUE(unit["values"].toObject().isEmpty());
    EXPECT_EQ(Texts(unit["ques"]), c.ques);
    EXPECT_EQ(Texts(unit["hint"]), c.hint);
    EXPECT_EQ(Texts(unit["problems"]), c.problems);
  }
  const CliRun refused = Dump("1.1.1", "2147483648");
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err,
            "--variant には 1 から 2147483647 までの数を指定してください: 2147483648\n");
}

TEST_F(CliVariantTest, VariantsListsValuesAnswersAndRepeats) {
  // Eight rows of six variants: 7 and 8 are 1 and 2 again.
  const CliRun run = Cli({"variants", course(), "1.1.1", "--count", "8"});
  ASSERT_EQ(run.status, 0) << run.err;
  const CliRun json = Cli({"variants", course(), "1.1.1", "--count", "8", "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const QJsonObject table = JsonOf(json.out);
  const QJsonArray rows = table["variants"].toArray();
  ASSERT_EQ(rows.size(), 8);
  std::string expected = "番号  値        答え  重複\n";
  for (int n = 1; n <= 8; ++n) {
    SCOPED_TRACE(n);
    const auto [x, a] = ValuesOf(n);
    expected += "   " + std::to_string(n) + "  x=" + std::to_string(x) +
                "  a=" + std::to_string(a) + "  " + std::to_string(x + a) +
                (n > 6 ? "     = " + std::to_string(n - 6) : "") + "\n";
    const QJsonObject row = rows[n - 1].toObject();
    EXPECT_EQ(row["variant"].toInt(), n);
    EXPECT_EQ(Text(row["values"].toObject()["a"]), std::to_string(a));
    EXPECT_EQ(Texts(row["answers"]), Lines{std::to_string(x + a)});
    EXPECT_EQ(row["repeats"].toInt(0), n > 6 ? n - 6 : 0);
  }
  expected += "1 から 8 までのうち、異なる問題は 6 通りです (この単元の問題は全部で 6 通りです)\n";
  EXPECT_EQ(run.out, expected);
  EXPECT_TRUE(table["enumerated"].toBool());
  EXPECT_EQ(table["total"].toInt(), 6);
  EXPECT_EQ(table["distinct"].toInt(), 6);
  EXPECT_EQ(Text(table["fingerprint"]), Text(JsonOf(Dump("1.1.1", "1").out)["fingerprint"]));

  const struct {
    const char* label;
    std::string address, err;
  } refused[] = {
      {"no block", "1.1.2", "この単元には乱数のデータがありません\n"},
      {"a broken block", "1.1.3",
       course() + "kazu/ksk1.que: 29 行目 12 文字目: 式が途中で終わっています\n"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.label);
    const CliRun failed = Cli({"variants", course(), c.address});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, c.err);
  }
}

TEST_F(CliVariantTest, RenderDrawsTheVariantAskedFor) {
  const auto render = [&](const std::string& address, const std::string& name, Lines args) {
    args.insert(args.begin(), {"render", course(), address, "--png", file(name + ".png"),
                               "--layout", file(name + ".json")});
    EXPECT_EQ(Cli(args).status, 0) << name;
    return test::ReadBytes(file(name + ".png"));
  };
  const std::string first = render("1.1.1", "v1", {"--variant", "1"});
  EXPECT_NE(render("1.1.1", "v2", {"--variant", "2"}), first);
  EXPECT_EQ(render("1.1.1", "default", {}), first);  // variant 1 unless asked
  // The boxes hold the answers of the variant drawn.
  const auto [x, a] = ValuesOf(2);
  const std::string sum = std::to_string(x + a);
  const QJsonArray boxes = JsonOf(test::ReadBytes(file("v2.json")))["boxes"].toArray();
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(Text(boxes[0].toObject()["text"]), sum + ";+" + sum);

  EXPECT_EQ(render("1.1.2", "plain", {"--variant", "5"}), render("1.1.2", "asRead", {}));
}

}  // namespace
}  // namespace tavolo
