// `tavolo print COURSE L.S.U[Rv] --pdf FILE ...` or `tavolo print FILE.prp --pdf FILE ...`:
// numbered worksheets for a whole class as one PDF, one page per copy.

#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/command_options.h"
#include "cli/commands.h"
#include "cli/prepared_sheet.h"
#include "draw/sheet_print.h"
#include "platform/clock.h"
#include "platform/text_file.h"
#include "sheet/pdf_date.h"
#include "sheet/print_job.h"

namespace tavolo {

namespace {

constexpr const char* kUsage =
    "使い方: tavolo print COURSE L.S.U[Rv] --pdf FILE [--copies N] [--start K] [--no-number]\n"
    "                     [--mode screen|printer] [--answers on|off] [--paper B5|A4|B4|A3]\n"
    "        tavolo print FILE.prp --pdf FILE [...]";

constexpr int kPdfDpi = 600;
// One class set is a few dozen; a thousand leaves room and bounds the file.
constexpr int kMaxCopies = 1000;

struct PrintOptions {
  std::vector<std::string> positional;
  std::string pdfPath;
  int copies = 1;
  int start = 1;
  bool numbered = true;
  PrintMode mode = PrintMode::PrinterResolution;
  bool answers = false;  // a sheet for the learners; "on" gives the answer key
  const SheetPaper* paper = nullptr;
};

bool ParseOptions(const CommandArgs& args, PrintOptions& o, std::ostream& err) {
  const std::vector<CommandOption> table = {
      TextOption("--pdf", o.pdfPath),
      NumberOption("--copies", 1, kMaxCopies, o.copies),
      NumberOption("--start", kStartNumberRange.low, kStartNumberRange.high, o.start),
      FlagOption("--no-number", o.numbered, false),
      {"--mode", true,
       [&o](const std::string& value, std::ostream& e) {
         if (value != "screen" && value != "printer") {
           e << "--mode には screen か printer を指定してください: " << value << "\n";
           return false;
         }
         o.mode = value == "screen" ? PrintMode::Faithful : PrintMode::PrinterResolution;
         return true;
       }},
      OnOffOption("--answers", o.answers),
      PaperOption("--paper", o.paper),
  };
  auto positional = ParseCommandOptions(args, table, kUsage, err);
  if (!positional) return false;
  o.positional = std::move(*positional);
  if (!IsUnitSource(o.positional) || o.pdfPath.empty()) {
    err << kUsage << "\n";
    return false;
  }
  return true;
}

}  // namespace

int RunPrintCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  PrintOptions options;
  if (!ParseOptions(args, options, err)) return 2;
  Result<PreparedSheet> sheet =
      PrepareSheet(options.positional, options.answers, options.paper, err);
  if (!sheet) {
    err << sheet.message() << "\n";
    return 1;
  }
  const SheetParams& params = sheet->params;

  // The printed boxes are those of the screen page, as on the desktop: one
  // screen render fills the registry before printing.
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  const PageSettings settings = CommandPageSettings(sheet.value());
  RenderScreenPage(sheet.value(), renderer, settings);

  // The PDF appears under its name only when complete; until then it is a
  // temporary file of our own next to it, removed if printing fails.
  const std::filesystem::path target = options.pdfPath;
  const auto unwritable = [&](const std::string& message) {
    err << (message.empty() ? "" : message + "\n") << "ファイル " << PathText(target)
        << " に書き込めません\n";
    return 1;
  };
  Result<StagedFile> staged = StagedFile::Open(target);
  if (!staged) return unwritable("");
  PrintSettings print;
  print.mode = options.mode;
  print.numbered = options.numbered;
  print.startNumber = options.start;
  PrintResult result;
  {
    QFile file;
    if (!file.open(staged.value().fd(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
      return unwritable("");
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfDpi);
    pdf.setPageSize(QPageSize(QSizeF(params.paperWidth / 3.0, params.paperHeight / 3.0),
                              QPageSize::Millimeter));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QString::fromStdString(params.unit.title));
    pdf.setCreator(QStringLiteral("Tavolo++"));
    PagedDevicePrintTarget device(pdf, renderer, sheet.value().page(), settings, false);
    result = RunPrintJob(print, options.copies, device);
    if (!file.flush() || file.error() != QFileDevice::NoError) result.ok = false;
  }
  // The date inside is the program's clock, not the moment of writing: the
  // same command gives the same file.
  if (result.ok && !StampPdfFileCreationDate(staged.value().fd(), Now())) result.ok = false;
  if (!result.ok || !staged.value().Commit()) return unwritable(result.message);
  out << PathText(target) << "\n";
  return 0;
}

}  // namespace tavolo
