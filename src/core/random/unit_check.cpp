#include "random/unit_check.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "random/block.h"
#include "random/expansion.h"
#include "random/unit_variant.h"
#include "random/variants.h"

namespace tavolo {

namespace {

constexpr std::string_view kLineSuffix = " 行目: ";
constexpr std::string_view kRandomMarker = "<<random";
// The reader's word for a line that does not start as a declaration does.
constexpr std::string_view kLineStartMessage = "乱数の行は英小文字か % で書き始めてください";

// The engine writes a message about a line as "12 行目: …"; the check gives
// the line and the message apart, as every `tavolo check` message is.
RandomCheckMessage FromLineText(const std::string& text) {
  RandomCheckMessage message;
  std::size_t i = 0;
  int line = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && line < 100'000'000)
    line = line * 10 + (text[i++] - '0');
  if (i > 0 && text.compare(i, kLineSuffix.size(), kLineSuffix) == 0) {
    message.line = line;
    message.message = text.substr(i + kLineSuffix.size());
  } else {
    message.message = text;
  }
  return message;
}

// The first placeholder of a line ("$a", "${a+b}"), as written; empty if none.
std::string FirstPlaceholder(std::string_view text) {
  for (std::size_t at = text.find('$'); at != std::string_view::npos; at = text.find('$', at + 1)) {
    const std::size_t next = at + 1;
    if (next >= text.size()) break;
    if (text[next] == '{') {
      const std::size_t close = text.find('}', next);
      return std::string(text.substr(at, close == std::string_view::npos ? 2 : close - at + 1));
    }
    if (IsNameStart(text[next])) {
      std::size_t end = next;
      while (end < text.size() && IsNameChar(text[end])) ++end;
      return std::string(text.substr(at, end - at));
    }
  }
  return {};
}

// Whether a line changes with the variant: placeholders, or a computed
// answer ("#=…#") in a question line.
bool Varies(const RandomCheckLine& line) {
  if (!FirstPlaceholder(line.text).empty()) return true;
  return line.question && line.text.find("#=") != std::string::npos;
}

std::string Percent(double share) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", share * 100.0);
  return text;
}

class Checker {
 public:
  explicit Checker(const RandomCheckUnit& unit) : unit_(unit) {}

  std::vector<RandomCheckMessage> Run() {
    for (const int line : unit_.extraBlockLines)
      Error(line,
            "<<random ブロックは一つの単元に一つだけです（この行からのブロックは使われません）");
    if (!unit_.hasBlock) {
      for (const RandomCheckLine& line : unit_.lines) {
        const std::string placeholder = FirstPlaceholder(line.text);
        if (!placeholder.empty())
          Add({line.line, 0, true,
               "この単元には <<random ブロックがないので、「" + placeholder +
                   "」は値にならずそのまま表示されます"});
      }
      return Sorted();
    }
    std::vector<RandomBlockError> errors;
    const std::optional<RandomBlock> block =
        RandomBlock::Read(unit_.blockLines, unit_.blockFirstLine, errors);
    for (RandomBlockError& error : errors) {
      if (error.message == kLineStartMessage)
        error.message += "（古い版のプログラムはこの行を読み違えます）";
      Add({error.line, error.column, false, std::move(error.message)});
    }
    if (block) CheckVariants(*block);
    return Sorted();
  }

 private:
  void Add(RandomCheckMessage message) { messages_.push_back(std::move(message)); }
  void Error(int line, std::string message) { Add({line, 0, false, std::move(message)}); }
  void ErrorFromText(const std::string& text, std::string_view before = {},
                     std::string_view after = {}) {
    RandomCheckMessage message = FromLineText(text);
    message.message = std::string(before) + message.message + std::string(after);
    Add(std::move(message));
  }
  // Messages about the block as a whole stand at its "<<random" line.
  int MarkerLine() const { return std::max(unit_.blockFirstLine - 1, 1); }

  std::vector<RandomCheckMessage> Sorted() {
    std::stable_sort(
        messages_.begin(), messages_.end(),
        [](const RandomCheckMessage& a, const RandomCheckMessage& b) { return a.line < b.line; });
    return std::move(messages_);
  }

  void CheckVariants(const RandomBlock& block) {
    const Variants variants(block);
    if (variants.Enumerated()) {
      if (!variants.EnumerationError().empty()) {
        ErrorFromText(variants.EnumerationError());
        return;
      }
      if (!variants.FirstMathFailure().empty())
        ErrorFromText(variants.FirstMathFailure(),
                      "値によっては計算できません: ", "（その組み合わせは使われません）");
    } else {
      const double share = variants.RejectedShare(kCheckedDraws);
      if (share > 0.99) {
        // The line that threw most draws away when a variant found none;
        // else the last condition, which rejects after every draw.
        int line = MarkerLine();
        for (const Declaration& d : block.Declarations())
          if (d.kind == Declaration::Kind::Require) line = d.line;
        for (std::int64_t n = 1; n <= kCheckedDraws; ++n) {
          const VariantValues variant = variants.Variant(n);
          if (variant.Ok()) continue;
          line = FromLineText(variant.error).line;
          break;
        }
        Error(line, "条件で捨てられる値が多すぎます（引いた値の " + Percent(share) +
                        " % が捨てられます）。条件か範囲を見直してください");
        return;
      }
    }
    CheckLines(block, variants);
  }

  // Every line that changes with the variant, written for each variant:
  // what fails for some values (a "dec" of 1/3, a division by zero in a
  // placeholder, a name the block lacks), and how many units differ.
  void CheckLines(const RandomBlock& block, const Variants& variants) {
    std::vector<const RandomCheckLine*> varying;
    for (const RandomCheckLine& line : unit_.lines)
      if (Varies(line)) varying.push_back(&line);
    std::vector<bool> failed(varying.size(), false);
    bool anyFailed = false;
    std::unordered_set<std::string> distinct;
    const std::int64_t last =
        variants.Enumerated() ? static_cast<std::int64_t>(variants.Count()) : kWidthSampleVariants;
    for (std::int64_t n = 1; n <= last; ++n) {
      const VariantValues variant = variants.Variant(n);
      if (!variant.Ok()) continue;
      std::string unitText;
      for (std::size_t i = 0; i < varying.size(); ++i) {
        if (failed[i]) continue;
        const RandomCheckLine& line = *varying[i];
        const ExpandedText text = line.question
                                      ? ExpandQuestionLine(block, variant.values, line.text)
                                      : ExpandPlaceholders(block, variant.values, line.text);
        if (!text.Ok()) {
          failed[i] = anyFailed = true;
          std::string message = text.error;
          if (n > 1) message += "（番号 " + std::to_string(n) + " の問題で）";
          Error(line.line, std::move(message));
          continue;
        }
        unitText += text.text;
        unitText += '\n';
      }
      if (distinct.size() < kFewVariants) distinct.insert(std::move(unitText));
      // Nothing more to learn: every line is written alike, or has failed.
      if (varying.empty() || std::all_of(failed.begin(), failed.end(), [](bool f) { return f; }))
        break;
    }
    // A unit whose lines fail for some values is told that first.
    if (!anyFailed && !distinct.empty() && distinct.size() < kFewVariants)
      Add({MarkerLine(), 0, true,
           "この単元の問題は " + std::to_string(distinct.size()) + " 通りしかありません"});
  }

  const RandomCheckUnit& unit_;
  std::vector<RandomCheckMessage> messages_;
};

}  // namespace

std::vector<RandomCheckMessage> CheckRandomData(const RandomCheckUnit& unit) {
  return Checker(unit).Run();
}

RandomCheckUnit RandomCheckUnitOf(const LineSource& lines, const UnitExtent& extent) {
  RandomCheckUnit unit;
  const auto take = [&](std::size_t from, std::size_t to, bool question) {
    for (std::size_t i = from; i < to; ++i)
      unit.lines.push_back({lines.LineNumber(i), lines.Text(i), question});
  };
  for (const ScannedBlock& block : extent.blocks) {
    if (block.marker == kRandomMarker) {
      if (unit.hasBlock) {
        unit.extraBlockLines.push_back(lines.LineNumber(block.open));
        continue;
      }
      unit.hasBlock = true;
      unit.blockFirstLine = lines.LineNumber(block.first);
      for (std::size_t i = block.first; i < block.last; ++i)
        unit.blockLines.push_back(lines.Text(i));
    } else if (block.marker == "<<ques") {
      take(block.first, block.last, true);
    } else if (block.marker == "<<kgroup") {
      take(block.first, block.last, false);
    } else if (block.marker == "<<hint" || block.marker == "<<dummy") {
      take(block.open + 1, block.last, false);
    }
  }
  return unit;
}

std::vector<std::vector<std::string>> QuestionLinesOfVariants(const UnitContent& content) {
  std::vector<std::vector<std::string>> shown;
  if (!content.HasRandomBlock()) return shown;
  const RandomUnit unit(content);
  const Variants* variants = unit.AllVariants();
  if (!unit.Problems().empty() || !variants) return shown;
  std::int64_t count = kAnswerCheckVariants;
  if (variants->Enumerated())
    count = std::min<std::int64_t>(count, static_cast<std::int64_t>(variants->Count()));
  for (std::int64_t n = 1; n <= count; ++n) {
    UnitVariant variant = unit.Expand(static_cast<int>(n));
    if (variant.random.problems.empty()) shown.push_back(std::move(variant.content.questionLines));
  }
  return shown;
}

}  // namespace tavolo
