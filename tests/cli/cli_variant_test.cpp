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
    test::WriteCp932Lines(folder_ / "kazu" / "ksk1.que", {"[[unit1",
                                                          "<<ques",
                                                          "(1) $x+$a=#=x+a#",
                                                          ">>",
                                                          "<<kgroup",
                                                          "${x*a}",
                                                          ">>",
                                                          "<<hint",
                                                          "$x と $a をたします",
                                                          ">>",
                                                          "<<random",
                                                          "x = int(1..3)",
                                                          "a = int(1..2)",
                                                          ">>",
                                                          "]]",
                                                          "[[unit2",
                                                          "<<ques",
                                                          "(1) 3+4=#7#",
                                                          ">>",
                                                          "<<hint",
                                                          "$c はそのまま",
                                                          ">>",
                                                          "]]",
                                                          "[[unit3",
                                                          "<<ques",
                                                          "(1) $a=#=a#",
                                                          ">>",
                                                          "<<random",
                                                          "a = int(1..",
                                                          ">>",
                                                          "]]"});
  }

  std::string course() const { return test::CourseFolderOf(folder_); }
  std::string png(const std::string& name) const { return (folder_ / name).string(); }

  // Variant n of unit 1 as dump shows it: its values x and a.
  std::pair<int, int> ValuesOf(int n) const {
    const QJsonObject values =
        JsonOf(Cli({"dump", course(), "1.1.1", "--variant", std::to_string(n)}).out)["values"]
            .toObject();
    return {std::stoi(Text(values["x"])), std::stoi(Text(values["a"]))};
  }

  test::TempFolder folder_;
};

TEST_F(CliVariantTest, DumpShowsTheVariantWithItsValues) {
  const CliRun run = Cli({"dump", course(), "1.1.1", "--variant", "4"});
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
  EXPECT_EQ(Texts(dump["random"]), (Lines{"x = int(1..3)", "a = int(1..2)"}));
  EXPECT_FALSE(dump.contains("problems"));

  // Without the option nothing of the variant shows.
  const CliRun plain = Cli({"dump", course(), "1.1.1"});
  EXPECT_EQ(plain.out.find("variant"), std::string::npos) << plain.out;
  EXPECT_EQ(Texts(JsonOf(plain.out)["ques"]), Lines{"(1) $x+$a=#=x+a#"});

  const CliRun none = Cli({"dump", course(), "1.1.2", "--variant", "3"});
  ASSERT_EQ(none.status, 0) << none.err;
  const QJsonObject asRead = JsonOf(none.out);
  EXPECT_EQ(asRead["variant"].toInt(-1), 0);
  EXPECT_EQ(Text(asRead["fingerprint"]), "");
  EXPECT_TRUE(asRead["values"].toObject().isEmpty());
  EXPECT_EQ(Texts(asRead["ques"]), Lines{"(1) 3+4=#7#"});
  EXPECT_EQ(Texts(asRead["hint"]), Lines{"$c はそのまま"});

  const CliRun broken = Cli({"dump", course(), "1.1.3", "--variant", "1"});
  EXPECT_EQ(broken.status, 1);
  const QJsonObject unexpanded = JsonOf(broken.out);
  EXPECT_EQ(Texts(unexpanded["ques"]), Lines{"(1) $a=#=a#"});
  EXPECT_EQ(Texts(unexpanded["problems"]), Lines{"29 行目 12 文字目: 式が途中で終わっています"});

  for (const char* bad : {"0", "2147483648", "x"}) {
    SCOPED_TRACE(bad);
    const CliRun refused = Cli({"dump", course(), "1.1.1", "--variant", bad});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(
        refused.err,
        std::string("--variant には 1 から 2147483647 までの数を指定してください: ") + bad + "\n");
  }
}

TEST_F(CliVariantTest, VariantsListsValuesAnswersAndRepeats) {
  // Eight rows of six variants: 7 and 8 are 1 and 2 again.
  const CliRun run = Cli({"variants", course(), "1.1.1", "--count", "8"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::string expected = "番号  値        答え  重複\n";
  for (int n = 1; n <= 8; ++n) {
    const auto [x, a] = ValuesOf(n);
    std::string row = std::string(n < 10 ? "   " : "  ") + std::to_string(n) +
                      "  x=" + std::to_string(x) + "  a=" + std::to_string(a) + "  " +
                      std::to_string(x + a);
    if (n > 6) row += "     = " + std::to_string(n - 6);
    expected += row + "\n";
  }
  expected += "1 から 8 までのうち、異なる問題は 6 通りです (この単元の問題は全部で 6 通りです)\n";
  EXPECT_EQ(run.out, expected);

  const CliRun json = Cli({"variants", course(), "1.1.1", "--count", "8", "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const QJsonObject table = JsonOf(json.out);
  EXPECT_TRUE(table["enumerated"].toBool());
  EXPECT_EQ(table["total"].toInt(), 6);
  EXPECT_EQ(table["distinct"].toInt(), 6);
  EXPECT_EQ(Text(table["fingerprint"]),
            Text(JsonOf(Cli({"dump", course(), "1.1.1", "--variant", "1"}).out)["fingerprint"]));
  const QJsonArray rows = table["variants"].toArray();
  ASSERT_EQ(rows.size(), 8);
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i + 1);
    const QJsonObject row = rows[i].toObject();
    const auto [x, a] = ValuesOf(i + 1);
    EXPECT_EQ(row["variant"].toInt(), i + 1);
    EXPECT_EQ(Text(row["values"].toObject()["x"]), std::to_string(x));
    EXPECT_EQ(Texts(row["answers"]), Lines{std::to_string(x + a)});
    if (i < 6)
      EXPECT_TRUE(row["repeats"].isNull());
    else
      EXPECT_EQ(row["repeats"].toInt(), i - 5);
  }

  const struct {
    const char* label;
    Lines args;
    int status;
    std::string err;
  } refused[] = {
      {"no block", {"1.1.2"}, 1, "この単元には乱数のデータがありません\n"},
      {"a broken block",
       {"1.1.3"},
       1,
       course() + "kazu/ksk1.que: 29 行目 12 文字目: 式が途中で終わっています\n"},
      {"too many",
       {"1.1.1", "--count", "10001"},
       2,
       "--count には 1 から 10000 までの数を指定してください: 10001\n"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.label);
    Lines args = {"variants", course()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun failed = Cli(args);
    EXPECT_EQ(failed.status, c.status);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, c.err);
  }
}

TEST_F(CliVariantTest, RenderDrawsTheVariantAskedFor) {
  const auto render = [&](const std::string& address, const std::string& name, const Lines& more) {
    Lines args = {"render",   course(),           address, "--png", png(name + ".png"),
                  "--layout", png(name + ".json")};
    args.insert(args.end(), more.begin(), more.end());
    EXPECT_EQ(Cli(args).status, 0) << name;
    return test::ReadBytes(png(name + ".png"));
  };
  const std::string first = render("1.1.1", "v1", {"--variant", "1"});
  const std::string second = render("1.1.1", "v2", {"--variant", "2"});
  EXPECT_NE(first, second);
  EXPECT_EQ(render("1.1.1", "default", {}), first);  // variant 1 unless asked
  // The boxes hold the answers of the variant drawn.
  const auto [x, a] = ValuesOf(2);
  const std::string sum = std::to_string(x + a);
  const QJsonArray boxes = JsonOf(test::ReadBytes(png("v2.json")))["boxes"].toArray();
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(Text(boxes[0].toObject()["text"]), sum + ";+" + sum);

  EXPECT_EQ(render("1.1.2", "plain", {"--variant", "5"}), render("1.1.2", "asRead", {}));
}

}  // namespace
}  // namespace tavolo
