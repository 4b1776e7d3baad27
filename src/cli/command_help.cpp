#include "cli/command_help.h"

#include <ostream>

namespace tavolo {

namespace {

constexpr std::string_view kUnitAddressText =
    "単元は、コースフォルダ COURSE と番号 L.S.U[Rv] で指定するか、コピーファイル FILE.prp "
    "で指定します。L.S.U はレッスン・セクション・単元の番号 (どれも 1 から数えます)、Rv "
    "は類題の番号 v (1 から 5) です。たとえば 1.3.1 は第 1 レッスンの第 3 セクションの第 1 "
    "単元、1.3.1R2 はその類題 2 です。番号は tavolo list で確かめられます。";

constexpr std::string_view kPaperText =
    "用紙の大きさ。省略すると単元に保存されている用紙を使います。";

std::vector<CommandHelp> MakeTable() {
  return {
      {"check",
       {"tavolo check COURSE [--json]", "tavolo check --answers COURSE [--json]"},
       {"コースフォルダ COURSE (Main.ind のあるフォルダ) "
        "のすべてのレッスン・セクション・単元を、類題も含めてコースメニューと同じように読み込み、"
        "見つかった問題を 1 行に 1 件ずつ「ファイル:行: "
        "メッセージ」の形で表示します。最後の行には、調べたレッスン・セクション・単元の数と問題の件"
        "数を表示します。",
        "乱数を使う単元 (<<random ブロック) は、宣言の誤り (文法の誤りは「ファイル:行:文字: "
        "メッセージ」の形で文字の位置も)、どの組み合わせも満たさない条件、値によっては 0 "
        "で割る式なども調べます。「警告: 」の付いたもの (変わる値が少ない単元など) "
        "は直さなくても使えます。",
        "コースを教室の PC に配る前や、問題ファイルを編集した後の確認に使います。ファイルは読むだけ"
        "で、書き換えません。",
        "--answers を付けると、答えが数の解答欄それぞれについて、同じ数の書き方のうち解答欄が受け付"
        "けないものを「ファイル:行: 単元 (番号) 「答え」 に加えて受け付けるとよい書き方: "
        "...」の形で"
        "表示します。番号は単元の中で何番目の解答欄かを 1 から数えたものです。候補は、正の数の "
        "\"+\" を付けた形と付けない形、同じ値の小数・分数・帯分数 (6 文字以内で、分数は既約のもの) "
        "です。採点は文字列の一致で行うので、受け付けたい形は別解として書き足します。"},
       {{"--answers", "答えの書き方の候補を表示します (問題の確認の代わりに行います)。"},
        {"--json",
         "問題を JSON の配列 (各要素に address, file, line, message。文字の位置のあるものには "
         "column、警告には \"warning\": true) "
         "で標準出力に書きます。--answers のときは各要素に file, line, unit, box, answer, missing "
         "(受け付けていない書き方の配列) を書きます。最後の行は標準エラー出力に書きます。"}},
       {{"0",
         "問題はありません (警告だけのときも 0 です。--answers: "
         "受け付けていない書き方はありません)。"},
        {"1", "問題が見つかりました (--answers: 候補のある解答欄があります)。"},
        {"2", "引数が正しくないか、Main.ind を読めません。"}},
       {"tavolo check /usr/share/tavolo/courses/sample",
        "tavolo check --answers /usr/share/tavolo/courses/sample --json"}},

      {"list",
       {"tavolo list COURSE [--json]"},
       {"コースのレッスン・セクション・単元を、コースメニューと同じ順と見出しで一覧にします。単元の"
        "行には L.S.U の番号と見出し、その単元の類題が並びます。この番号は dump, render, print "
        "の単元の指定に使います。",
        "索引を読めないレッスンは、その行に理由を表示して次のレッスンに進みます。"},
       {{"--json", "一覧を JSON で書きます。"}},
       {{"0", "一覧を表示しました。"}, {"2", "引数が正しくないか、Main.ind を読めません。"}},
       {"tavolo list /usr/share/tavolo/courses/sample"}},

      {"dump",
       {"tavolo dump COURSE L.S.U[Rv] [--variant N]", "tavolo dump FILE.prp [--variant N]"},
       {"1 つの単元を、ワークシートを開くときと同じように読み込み、その内容 "
        "(問題ファイル、タイトル、学校名と名前の行、問題の行と各ブロックの行) を JSON "
        "で表示します。",
        kUnitAddressText, "読み込めないときは、理由を {\"error\": \"...\"} の形で表示します。",
        "--variant N を付けると、乱数を使う単元 (<<random ブロック) を、番号 N "
        "のワークシートに出る問題にして表示します。問題の行・選択肢・ヒント (hint) "
        "には値が入り、計算する解答は受け付ける書き方の並びになります。加えて、variant (番号)、"
        "fingerprint (ブロックの 4 文字の印)、values (変数の値、宣言の順) を表示します。"
        "乱数のない単元は読み込んだまま、variant 0、fingerprint \"\" で表示します。"},
       {{"--variant N",
         "番号 N (1 から 2147483647) の問題にして表示します。乱数のデータに誤りがあるときは、"
         "読み込んだままの単元に problems (理由) を加えて表示します。"}},
       {{"0", "単元を読み込みました。"},
        {"1",
         "単元を読み込めません (理由は error に表示します)。--variant: "
         "乱数のデータに誤りがあります (理由は problems に表示します)。"},
        {"2", "引数が正しくありません。"}},
       {"tavolo dump /usr/share/tavolo/courses/sample 1.3.1",
        "tavolo dump /usr/share/tavolo/courses/sample 1.3.1 --variant 7"}},

      {"variants",
       {"tavolo variants COURSE L.S.U[Rv] [--count N] [--json]",
        "tavolo variants FILE.prp [--count N] [--json]"},
       {"乱数を使う単元 (<<random ブロック) の問題を、番号 1 から N まで 1 行に 1 "
        "つずつ、変数の値 (名前=値) と解答 (模範解答) を並べて表にします。番号 n "
        "の問題は、番号 n のワークシートに出る問題です。前の番号と値がすべて同じ問題には、"
        "重複の欄にその番号を「= 3」のように示します。",
        "最後の行には、表の中の異なる問題の数と、組み合わせをすべて数えられるブロック "
        "(組み合わせが 100,000 以下) では問題が全部で何通りあるかを表示します。印刷する部数より"
        "異なる問題が少ないと、同じ問題の部ができます。",
        kUnitAddressText},
       {{"--count N", "表にする問題の数 (1 から 10000)。省略すると 40 です。"},
        {"--json",
         "表を JSON で書きます: fingerprint, enumerated (組み合わせをすべて数えたか), total "
         "(そのときの問題の数、ほかは null), distinct (異なる問題の数), variants (各問題の "
         "variant, values, answers, repeats (同じ値の前の番号、ないときは null))。"}},
       {{"0", "表を表示しました。"},
        {"1",
         "単元を読み込めないか、乱数のデータがないか、その誤りで問題を作れません "
         "(理由は標準エラー出力に書きます)。"},
        {"2", "引数が正しくありません。"}},
       {"tavolo variants /usr/share/tavolo/courses/sample 1.3.1 --count 100"}},

      {"notation",
       {"tavolo notation TEXT --png FILE [--size N] [--printing]"},
       {"問題ファイルの問題の行 1 行 TEXT を、# で囲んだ解答や @ "
        "で始まる書式の指定も含めてワークシートと同じ数式表記で描き、PNG "
        "に書きます。解答は解答用紙と同じく青で描き、画像は描いた部分にちょうど合う大きさです。",
        "問題ファイルを書くときに、行の見え方を確かめるのに使います。"},
       {{"--png FILE", "書き出す PNG ファイル。必ず指定します。"},
        {"--size N", "文字の大きさ (ポイント、1 から 200)。省略すると 12 です。"},
        {"--printing",
         "画面ではなく、プリンタの解像度 (600 dpi) で印刷するときと同じように描きます。"}},
       {{"0", "書き出しました。"},
        {"1", "ファイルに書き込めません。"},
        {"2", "引数が正しくありません。"}},
       {"tavolo notation '(+3)+(-5)=#-2#' --png line.png --size 16"}},

      {"render",
       {"tavolo render COURSE L.S.U[Rv] --png FILE [--answers on|off] [--alternatives on|off] "
        "[--paper B5|A4|B4|A3] [--layout FILE.json] [--variant N]",
        "tavolo render FILE.prp --png FILE [...]"},
       {"単元のワークシートを、デスクトッププログラムで開いたときと同じ画面の大きさ (1 "
        "ピクセルが 1/3 mm) で描き、PNG に書きます。書き終えると、ファイル名、画像の大きさと解答"
        "欄の数を表示します。図が見つからないなど、ワークシートは描けても問題があるときは、その内"
        "容を標準エラー出力に書きます。",
        kUnitAddressText},
       {{"--png FILE", "書き出す PNG ファイル。必ず指定します。"},
        {"--answers on|off", "解答を表示するかどうか。省略すると on です。"},
        {"--alternatives on|off", "解答の選択肢を表示するかどうか。省略すると off です。"},
        {"--paper B5|A4|B4|A3", kPaperText},
        {"--layout FILE.json",
         "ワークシートの設定、各解答欄の位置・幅・文字の大きさ、得点の位置を JSON "
         "で書きます。学習画面が解答欄を置く位置と同じです。"},
        {"--variant N",
         "乱数を使う単元を、番号 N (1 から 2147483647) のワークシート (№ N) "
         "として、その番号の問題で描きます。省略すると番号 1 です。乱数のない単元は番号 1 "
         "のまま、同じように描きます。"}},
       {{"0", "書き出しました。"},
        {"1", "単元を読み込めないか、ファイルに書き込めません。"},
        {"2", "引数が正しくありません。"}},
       {"tavolo render /usr/share/tavolo/courses/sample 1.3.1 --png sheet.png --answers off",
        "tavolo render /usr/share/tavolo/courses/sample 1.3.1 --png sheet7.png --variant 7"}},

      {"print",
       {"tavolo print COURSE L.S.U[Rv] --pdf FILE [--copies N] [--start K] [--no-number] "
        "[--mode screen|printer] [--answers on|off] [--paper B5|A4|B4|A3] [--answer-list]",
        "tavolo print FILE.prp --pdf FILE [...]"},
       {"単元のワークシートを、クラスの人数分の部数だけ 1 つの PDF に印刷します。1 部が 1 "
        "ページで、各部には K から 1 ずつ増える番号が付きます。印刷される解答欄はデスクトップ"
        "プログラムの画面と同じです。",
        "PDF は書き終えてから FILE の名前になるので、途中で失敗しても書きかけのファイルは残り"
        "ません。",
        "乱数を使う単元では、番号 n の部に n 番目の問題 (その部だけの数値) が印刷され、解答用紙に"
        "はその部の解答が載ります。番号の後に乱数ブロックの識別記号 (4 文字) が付くので、単元を"
        "直した後の解答用紙は前に印刷した部と見分けられます。番号を付けないときは、どの部も K "
        "番目の問題です。",
        kUnitAddressText},
       {{"--pdf FILE", "書き出す PDF ファイル。必ず指定します。"},
        {"--copies N", "部数 (1 から 1000)。省略すると 1 です。"},
        {"--start K", "最初の部の番号 (1 から 9999)。省略すると 1 です。"},
        {"--no-number", "番号を付けずに印刷します。"},
        {"--mode screen|printer",
         "screen は画面の画像を用紙の大きさに広げて印刷し、printer "
         "はプリンタの解像度で描き直します。省略すると printer です。"},
        {"--answers on|off",
         "on にすると解答を表示した解答用紙を印刷します。省略すると off です。"},
        {"--paper B5|A4|B4|A3", kPaperText},
        {"--answer-list",
         "ワークシートの代わりに、採点用の解答一覧を印刷します。番号 K から N 部の各部について、"
         "番号とその部の解答を (1) (2) … の順に 1 行ずつ並べます (番号を付けないときは 1 行)。"}},
       {{"0", "印刷しました。"},
        {"1", "単元を読み込めないか、PDF に書き込めません。"},
        {"2", "引数が正しくありません。"}},
       {"tavolo print /usr/share/tavolo/courses/sample 1.3.1 --pdf class.pdf --copies 30"}},

      {"records",
       {"tavolo records COURSE [--lesson N] [--learner NAME] [--json|--csv]"},
       {"コースの学習者の学習記録を、デスクトッププログラムが記録を置く場所から読み、学習者と単元"
        "ごとに、実行した回数、最高点、最新の点、最後に実行した日付と記録の行を一覧にします。",
        "単元はレッスンの索引の順 (索引にあってまだ実行していない単元も含みます)、その後にコピー"
        "ファイル、索引にない単元の記録の順に並びます。パスワードは表示しません。読めない記録"
        "ファイルは標準エラー出力にその名前を示して飛ばします。"},
       {{"--lesson N", "レッスン N の記録だけを表示します。省略するとすべてのレッスンです。"},
        {"--learner NAME", "学習者 NAME の記録だけを表示します。"},
        {"--json", "一覧を JSON で書きます。"},
        {"--csv",
         "1 行に学習者と単元 1 つずつの CSV を書きます (UTF-8、バイト順マーク付き。表計算ソフト"
         "でそのまま開けます)。"}},
       {{"0", "一覧を表示しました。"}, {"2", "引数が正しくないか、Main.ind を読めません。"}},
       {"tavolo records /usr/share/tavolo/courses/sample --lesson 1 --csv"}},
  };
}

constexpr std::string_view kIndent = "  ";
constexpr std::string_view kItemTextIndent = "      ";

}  // namespace

const std::vector<CommandHelp>& CommandHelpTable() {
  static const std::vector<CommandHelp> table = MakeTable();
  return table;
}

const CommandHelp* FindCommandHelp(std::string_view name) {
  for (const CommandHelp& help : CommandHelpTable())
    if (help.name == name) return &help;
  return nullptr;
}

void WriteCommandHelp(std::ostream& out, const CommandHelp& help) {
  for (const std::string_view line : help.synopsis) out << line << "\n";
  for (const std::string_view paragraph : help.description)
    out << "\n" << kIndent << paragraph << "\n";
  // An option stands on a line of its own with its meaning below; an exit
  // status is short enough to share the line with its meaning.
  const auto writeItems = [&out](std::string_view heading, const std::vector<HelpItem>& items,
                                 bool termOnOwnLine) {
    if (items.empty()) return;
    out << "\n" << heading << "\n";
    for (const HelpItem& item : items) {
      out << kIndent << item.term;
      if (termOnOwnLine)
        out << "\n" << kItemTextIndent;
      else
        out << "  ";
      out << item.text << "\n";
    }
  };
  writeItems(kHelpOptionsHeading, help.options, true);
  writeItems(kHelpExitHeading, help.exitStatuses, false);
  if (!help.examples.empty()) {
    out << "\n" << kHelpExampleHeading << "\n";
    for (const std::string_view example : help.examples) out << kIndent << example << "\n";
  }
}

}  // namespace tavolo
