// `tavolo print COURSE L.S.U[Rv] --pdf FILE ...` or `tavolo print FILE.prp --pdf FILE ...`:
// numbered worksheets for a whole class as one PDF, one page per copy.

#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <charconv>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/commands.h"
#include "cli/unit_source.h"
#include "gui/sheet/sheet_print.h"
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

bool ParseCount(const std::string& option, const std::string& value, int low, int high, int& result,
                std::ostream& err) {
  int n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc() || end != value.data() + value.size() || n < low || n > high) {
    err << option << " には " << low << " から " << high << " までの数を指定してください: " << value
        << "\n";
    return false;
  }
  result = n;
  return true;
}

bool ParseOptions(const CommandArgs& args, PrintOptions& o, std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--no-number") {
      o.numbered = false;
      continue;
    }
    if (arg.rfind("--", 0) != 0) {
      o.positional.push_back(arg);
      continue;
    }
    if (i + 1 >= args.size()) {
      err << arg << " の後に値がありません\n" << kUsage << "\n";
      return false;
    }
    const std::string& value = args[++i];
    if (arg == "--pdf") {
      o.pdfPath = value;
    } else if (arg == "--copies") {
      if (!ParseCount(arg, value, 1, 1000, o.copies, err)) return false;
    } else if (arg == "--start") {
      if (!ParseCount(arg, value, kStartNumberRange.low, kStartNumberRange.high, o.start, err))
        return false;
    } else if (arg == "--mode") {
      if (value != "screen" && value != "printer") {
        err << "--mode には screen か printer を指定してください: " << value << "\n";
        return false;
      }
      o.mode = value == "screen" ? PrintMode::Faithful : PrintMode::PrinterResolution;
    } else if (arg == "--answers") {
      if (value != "on" && value != "off") {
        err << "--answers には on か off を指定してください: " << value << "\n";
        return false;
      }
      o.answers = value == "on";
    } else if (arg == "--paper") {
      o.paper = FindPaperByName(value);
      if (!o.paper) {
        err << "用紙は B5, A4, B4, A3 のどれかを指定してください: " << value << "\n";
        return false;
      }
    } else {
      err << "不明なオプションです: " << arg << "\n" << kUsage << "\n";
      return false;
    }
  }
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
  RenderScreenPage(sheet.value(), registry, renderer, settings);
  registry.SetRegistering(false);

  // The PDF appears under its name only when complete; until then it is a
  // temporary file of our own next to it, removed if printing fails.
  const std::filesystem::path target = options.pdfPath;
  const auto Unwritable = [&](const std::string& message) {
    err << (message.empty() ? "" : message + "\n") << "ファイル " << PathText(target)
        << " に書き込めません\n";
    return 1;
  };
  Result<StagedFile> staged = StagedFile::Open(target);
  if (!staged) return Unwritable("");
  PrintSettings print;
  print.mode = options.mode;
  print.numbered = options.numbered;
  print.startNumber = options.start;
  PrintResult result;
  {
    QFile file;
    if (!file.open(staged.value().fd(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
      return Unwritable("");
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfDpi);
    pdf.setPageSize(QPageSize(QSizeF(params.paperWidth / 3.0, params.paperHeight / 3.0),
                              QPageSize::Millimeter));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QString::fromStdString(params.unit.title));
    pdf.setCreator(QStringLiteral("Tavolo++"));
    {
      PagedDevicePrintTarget device(pdf, renderer, sheet.value().page(), settings, false);
      result = RunPrintJob(print, options.copies, device);
      if (!device.Finish() && result.ok) result = {false, result.documentsPrinted, ""};
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) result.ok = false;
  }
  // The date inside is the program's clock, not the moment of writing: the
  // same command gives the same file.
  if (result.ok && !StampPdfFileCreationDate(staged.value().fd(), Now())) result.ok = false;
  if (!result.ok || !staged.value().Commit()) return Unwritable(result.message);
  out << PathText(target) << "\n";
  return 0;
}

}  // namespace tavolo
