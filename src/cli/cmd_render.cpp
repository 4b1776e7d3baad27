// `tavolo render COURSE L.S.U[Rv] --png FILE ...` or `tavolo render FILE.prp
// --png FILE ...`: the worksheet page of a unit as the desktop program shows
// it, written as a PNG, optionally with the layout that practice relies on.
// `--variant N` draws a unit with random data as the sheet numbered N.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <ostream>
#include <sstream>

#include "cli/command_options.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/prepared_sheet.h"
#include "platform/text_file.h"

namespace tavolo {

namespace {

constexpr const char* kUsage =
    "使い方: tavolo render COURSE L.S.U[Rv] --png FILE [--answers on|off] "
    "[--alternatives on|off] [--paper B5|A4|B4|A3] [--layout FILE.json] [--variant N]\n"
    "        tavolo render FILE.prp --png FILE [...]";

struct RenderOptions {
  std::vector<std::string> positional;
  std::string pngPath;
  std::string layoutPath;
  bool answers = true;
  bool alternatives = false;
  const SheetPaper* paper = nullptr;
  int variant = 0;  // not asked for
};

bool ParseOptions(const CommandArgs& args, RenderOptions& options, std::ostream& err) {
  const std::vector<CommandOption> table = {
      TextOption("--png", options.pngPath),
      TextOption("--layout", options.layoutPath),
      OnOffOption("--answers", options.answers),
      OnOffOption("--alternatives", options.alternatives),
      PaperOption("--paper", options.paper),
      VariantOption(options.variant),
  };
  auto positional = ParseCommandOptions(args, table, kUsage, err);
  if (!positional) return false;
  options.positional = std::move(*positional);
  if (!IsUnitSource(options.positional) || options.pngPath.empty()) {
    err << kUsage << "\n";
    return false;
  }
  return true;
}

void WriteLayout(std::ostream& out, const SheetParams& p, const PageLayout& page,
                 const AnswerBoxRegistry& registry) {
  JsonWriter json(out);
  json.BeginObject().Key("sheet").BeginObject();
  json.Field("paperWidth", p.paperWidth)
      .Field("paperHeight", p.paperHeight)
      .Field("answerDisplay", p.answerDisplay)
      .Field("lineSpacing", p.lineSpacing)
      .Field("leftMargin", p.leftMargin)
      .Field("rightMargin", p.rightMargin)
      .Field("startNumber", p.startNumber)
      .Field("headerOptions", p.headerOptions)
      .Field("charSize", p.charSize)
      .Field("fontName", p.fontName)
      .Field("kran", std::vector<std::string>(p.kran.begin(), p.kran.end()));
  json.EndObject().Key("boxes").BeginArray();
  for (int n = 1; n <= registry.count(); ++n) {
    const AnswerBox& box = registry.box(n);
    json.BeginObject()
        .Field("x", box.x)
        .Field("y", box.y)
        .Field("width", box.width)
        .Field("text", box.answerText)
        .Field("fontSize", box.fontSize)
        .EndObject();
  }
  json.EndArray().Key("scorePosition").BeginObject();
  json.Field("x", page.scorePosition.x).Field("y", page.scorePosition.y);
  json.EndObject().EndObject().Finish();
}

}  // namespace

int RunRenderCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  RenderOptions options;
  if (!ParseOptions(args, options, err)) return 2;
  Result<PreparedSheet> sheet =
      PrepareSheet(options.positional, options.answers, options.paper, err, options.variant);
  if (!sheet) {
    err << sheet.message() << "\n";
    return 1;
  }
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  PageSettings settings = CommandPageSettings(sheet.value());
  settings.showAlternatives = options.alternatives;
  // Numbering is on at start, from 1. A sheet shows the variant of its
  // number, so variant N is drawn as sheet N; a unit without random data
  // draws as it always did.
  const bool numbered = options.variant > 0 && sheet->params.unit.HasRandomBlock();
  settings.sheetNumber = numbered ? options.variant : 1;
  const QImage page = RenderScreenPage(sheet.value(), renderer, settings);
  // Both files are staged before either appears, so a failure leaves neither.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  Result<StagedFile> stagedPng = Failure{};
  if (page.save(&buffer, "PNG"))
    stagedPng = StagedFile::Stage(options.pngPath, std::string_view(png.constData(), png.size()));
  if (!stagedPng) {
    err << "ファイル " << options.pngPath << " に書き込めません\n";
    return 1;
  }
  std::optional<StagedFile> stagedLayout;
  if (!options.layoutPath.empty()) {
    std::ostringstream json;
    WriteLayout(json, sheet->params, sheet->layout, registry);
    Result<StagedFile> staged = StagedFile::Stage(options.layoutPath, json.str());
    if (!staged) {
      err << staged.message() << "\n";
      return 1;
    }
    stagedLayout.emplace(std::move(staged).value());
  }
  if (!stagedPng.value().Commit()) {
    err << "ファイル " << options.pngPath << " に書き込めません\n";
    return 1;
  }
  if (stagedLayout) {
    if (const Status written = stagedLayout->Commit(); !written) {
      err << written.message() << "\n";
      return 1;
    }
  }
  out << options.pngPath << " (" << page.width() << "x" << page.height() << ", " << registry.count()
      << " 解答欄)\n";
  return 0;
}

}  // namespace tavolo
