// `tavolo print COURSE L.S.U[Rv] --pdf FILE ...` or `tavolo print FILE.prp --pdf FILE ...`:
// numbered worksheets for a whole class as one PDF, one page per copy, or
// with --answer-list the list of every copy's answers for grading them.

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
#include "draw/answer_list_print.h"
#include "draw/sheet_print.h"
#include "platform/clock.h"
#include "platform/text_file.h"
#include "random/copy_variants.h"
#include "sheet/pdf_date.h"
#include "sheet/print_job.h"

namespace tavolo {

namespace {

constexpr const char* kUsage =
    "使い方: tavolo print COURSE L.S.U[Rv] --pdf FILE [--copies N] [--start K] [--no-number]\n"
    "                     [--mode screen|printer] [--answers on|off] [--paper B5|A4|B4|A3]\n"
    "                     [--answer-list]\n"
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
  bool answers = false;     // a sheet for the learners; "on" gives the answer key
  bool answerList = false;  // the copies' answers, row by row, instead of the sheets
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
      FlagOption("--answer-list", o.answerList),
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

// Writes the PDF through a temporary file of our own next to it, which takes
// its name only when complete (and is removed if writing fails). draw fills
// the open writer; false, with a message, when it could not.
template <class Draw>
int WritePdf(const std::filesystem::path& target, const SheetParams& params, std::ostream& out,
             std::ostream& err, Draw&& draw) {
  const auto unwritable = [&](const std::string& message) {
    err << (message.empty() ? "" : message + "\n") << "ファイル " << PathText(target)
        << " に書き込めません\n";
    return 1;
  };
  Result<StagedFile> staged = StagedFile::Open(target);
  if (!staged) return unwritable("");
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
    result = draw(pdf);
    if (!file.flush() || file.error() != QFileDevice::NoError) result.ok = false;
  }
  // The date inside is the program's clock, not the moment of writing: the
  // same command gives the same file.
  if (result.ok && !StampPdfFileCreationDate(staged.value().fd(), Now())) result.ok = false;
  if (!result.ok || !staged.value().Commit()) return unwritable(result.message);
  out << PathText(target) << "\n";
  return 0;
}

PrintResult PrintAnswerList(QPdfWriter& pdf, const PreparedSheet& sheet,
                            const CopyVariants& variants, const PrintOptions& options) {
  // Copies without numbers all show the start number's variant: one row.
  const int rows = options.numbered ? options.copies : 1;
  QPainter painter;
  if (!painter.begin(&pdf)) return {false, 0, "出力ファイルを開けません"};
  const bool ok = DrawAnswerList(painter, pdf,
                                 {sheet.params.unit.title, sheet.shortName, variants.Fingerprint()},
                                 variants.AnswerList(options.start, rows));
  if (!painter.end() || !ok) return {false, 0, "印刷用のページを追加できません"};
  return {true, 1, {}};
}

}  // namespace

int RunPrintCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  PrintOptions options;
  if (!ParseOptions(args, options, err)) return 2;
  Result<PreparedSheet> sheet =
      PrepareSheet(options.positional, options.answers, options.paper, err, options.start);
  if (!sheet) {
    err << sheet.message() << "\n";
    return 1;
  }
  const CopyVariants& variants = *sheet->variants;
  if (options.answerList) {
    return WritePdf(options.pdfPath, sheet->params, out, err, [&](QPdfWriter& pdf) {
      return PrintAnswerList(pdf, sheet.value(), variants, options);
    });
  }

  // The printed boxes are those of the screen page, as on the desktop: the
  // screen page's layout fills the registry before printing.
  AnswerBoxRegistry registry;
  PageRenderer renderer(registry);
  const PageSettings settings = CommandPageSettings(sheet.value());
  RegisterScreenBoxes(sheet.value(), renderer, settings);

  PrintSettings print;
  print.mode = options.mode;
  print.numbered = options.numbered;
  print.startNumber = options.start;
  return WritePdf(options.pdfPath, sheet->params, out, err, [&](QPdfWriter& pdf) {
    PagedDevicePrintTarget device(pdf, renderer, sheet.value().page(), settings, false);
    // Each numbered copy shows the variant of its own number.
    CopyPages pages(variants, sheet.value().page(), renderer, registry);
    device.SetCopyPages([&pages](int number) { return pages.Page(number); });
    return RunPrintJob(print, options.copies, device);
  });
}

}  // namespace tavolo
