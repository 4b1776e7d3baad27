#include "random/block.h"

#include <algorithm>

namespace tavolo {

namespace {

__extension__ using UWide = unsigned __int128;
__extension__ using Wide = __int128;

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The line up to a "%" outside a text: the rest is a comment.
std::string_view WithoutComment(std::string_view line) {
  bool inText = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') inText = !inText;
    if (line[i] == '%' && !inText) return line.substr(0, i);
  }
  return line;
}

// Characters (not bytes) before a byte offset: a column as an editor counts.
int ColumnOf(std::string_view line, std::size_t offset) {
  int column = 1;
  for (std::size_t i = 0; i < offset && i < line.size(); ++i)
    if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++column;
  return column;
}

// The names a line declares ("c, d = …"), read loosely so that a line above
// can be told that a name it uses comes later.
std::vector<std::string> DeclaredNames(std::string_view line) {
  std::vector<std::string> names;
  line = WithoutComment(line);
  const std::size_t equal = line.find('=');
  if (equal == std::string_view::npos || (equal + 1 < line.size() && line[equal + 1] == '=') ||
      (equal > 0 && (line[equal - 1] == '<' || line[equal - 1] == '>' || line[equal - 1] == '!')))
    return names;
  std::string_view left = line.substr(0, equal);
  while (!left.empty()) {
    const std::size_t comma = left.find(',');
    const std::string_view name = TrimBlanks(left.substr(0, comma));
    if (IsValueName(name)) names.emplace_back(name);
    if (comma == std::string_view::npos) break;
    left.remove_prefix(comma + 1);
  }
  return names;
}

// A constant part of a generator: evaluated at once, without values.
struct Constant {
  bool ok = false;
  Value value;
};

}  // namespace

std::string RandomBlockError::Text() const {
  std::string text = std::to_string(line) + " 行目";
  if (column > 0) text += " " + std::to_string(column) + " 文字目";
  return text + ": " + message;
}

Value ValueSet::At(std::uint64_t index) const {
  if (kind == Kind::Pick) return picks[static_cast<std::size_t>(index)];
  // low + index * step stays between the bounds, which fit in 64 bits; the
  // wide product keeps the steps on the way from wrapping.
  const Wide num =
      static_cast<Wide>(low.num) * step.den + static_cast<Wide>(index) * step.num * low.den;
  const Wide den = static_cast<Wide>(low.den) * step.den;
  Wide a = num < 0 ? -num : num, b = den;
  while (b != 0) {
    const Wide t = a % b;
    a = b;
    b = t;
  }
  const Wide g = a == 0 ? 1 : a;
  Rational value{static_cast<std::int64_t>(num / g), static_cast<std::int64_t>(den / g),
                 std::max(low.kind, step.kind)};
  return Value::Number(value);
}

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::uint64_t BlockTextHash(const std::vector<std::string>& lines) {
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += '\n';
    joined += TrimBlanks(lines[i]);
  }
  return Fnv1a64(joined);
}

int RandomBlock::Slot(std::string_view name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name) return static_cast<int>(i);
  return kUnknownName;
}

std::optional<RandomBlock> RandomBlock::Read(const std::vector<std::string>& lines, int firstLine,
                                             std::vector<RandomBlockError>& errors) {
  RandomBlock block;
  block.firstLine_ = firstLine;
  block.hash_ = BlockTextHash(lines);
  const std::size_t errorsBefore = errors.size();

  std::vector<std::vector<std::string>> laterNames(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) laterNames[i] = DeclaredNames(lines[i]);

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int lineNumber = firstLine + static_cast<int>(i);
    const std::string_view raw = lines[i];
    auto lineError = [&](std::string message) {
      errors.push_back({lineNumber, 0, std::move(message)});
    };
    auto columnError = [&](std::size_t offset, std::string message) {
      errors.push_back({lineNumber, ColumnOf(raw, offset), std::move(message)});
    };
    if (TrimBlanks(raw).empty()) continue;
    if (!IsNameStart(raw.front()) && raw.front() != '%') {
      lineError("乱数の行は英小文字か % で書き始めてください");
      continue;
    }
    // Only the end is trimmed: the line starts with a letter, so columns stay.
    const std::string_view text = TrimBlanks(WithoutComment(raw));
    if (text.empty()) continue;
    if (block.declarations_.size() >= kMaxDeclarations) {
      lineError("乱数の宣言が多すぎます（" + std::to_string(kMaxDeclarations) + " 行まで）");
      break;
    }

    // Names of earlier lines have slots; this line's and later lines' names
    // are "later"; anything else is unknown.
    const std::size_t lineIndex = i;
    ExpressionReader reader(text, block.expressions_, [&](std::string_view name) {
      const int slot = block.Slot(name);
      if (slot >= 0) return slot;
      for (std::size_t k = lineIndex; k < laterNames.size(); ++k)
        if (std::find(laterNames[k].begin(), laterNames[k].end(), name) != laterNames[k].end())
          return kLaterName;
      return kUnknownName;
    });
    auto readFailed = [&]() {
      if (!reader.Failed()) return false;
      columnError(reader.Error().offset, reader.Error().message);
      return true;
    };
    auto expectEnd = [&]() {
      if (reader.AtEnd()) return true;
      columnError(reader.Offset(), "ここに書けないものがあります");
      return false;
    };

    Declaration declaration;
    declaration.line = lineNumber;
    if (reader.TakeWord("require")) {
      declaration.kind = Declaration::Kind::Require;
      declaration.expression = reader.ReadExpression();
      if (readFailed() || !expectEnd()) continue;
      block.declarations_.push_back(std::move(declaration));
      continue;
    }

    // The names before "=".
    std::vector<std::string> names;
    bool bad = false;
    do {
      const std::size_t at = reader.Offset();
      const std::string_view name = reader.TakeName();
      if (name.empty() || (at + name.size() < text.size() && text[at + name.size()] >= 'A' &&
                           text[at + name.size()] <= 'Z')) {
        columnError(at, "名前は英小文字で始め、英小文字、数字、_ で書いてください");
        bad = true;
        break;
      }
      const std::string nameText(name);
      if (name.size() > 16) {
        columnError(at, "名前「" + nameText + "」が長すぎます（16 文字まで）");
      } else if (IsReservedName(name)) {
        columnError(at, "「" + nameText + "」は関数や語の名前なので、値の名前には使えません");
      } else if (block.Slot(name) >= 0 ||
                 std::find(names.begin(), names.end(), nameText) != names.end()) {
        columnError(at, "「" + nameText + "」はもう決まっています");
      } else {
        names.push_back(nameText);
        continue;
      }
      bad = true;
      break;
    } while (reader.TakeSymbol(","));
    if (bad) continue;
    if (!reader.TakeSymbol("=")) {
      columnError(reader.Offset(), "「=」がありません");
      continue;
    }
    if (block.names_.size() + names.size() > kMaxDeclarations) {
      lineError("乱数の値が多すぎます（" + std::to_string(kMaxDeclarations) + " 個まで）");
      break;
    }

    const std::size_t rightStart = reader.Offset();
    const bool isInt = reader.TakeWord("int"), isDec = !isInt && reader.TakeWord("dec");
    const bool isPick = !isInt && !isDec && reader.TakeWord("pick");
    if (!isInt && !isDec && !isPick) {
      if (names.size() != 1) {
        columnError(rightStart, "式から決める値は一行に一つにしてください");
        continue;
      }
      declaration.kind = Declaration::Kind::Derived;
      declaration.expression = reader.ReadExpression();
      if (readFailed() || !expectEnd()) continue;
    } else {
      if (!reader.TakeSymbol("(")) {
        columnError(reader.Offset(), "「(」がありません");
        continue;
      }
      auto constant = [&](const char* what) -> Constant {
        const std::size_t at = reader.Offset();
        const int root = reader.ReadExpression();
        if (readFailed()) return {};
        if (!block.expressions_.IsConstant(root)) {
          columnError(at, std::string(what) + "には値の名前を使えません");
          return {};
        }
        const Evaluated evaluated = block.expressions_.Evaluate(root, {});
        if (!evaluated.Ok()) {
          columnError(at, evaluated.message);
          return {};
        }
        return {true, evaluated.value};
      };
      ValueSet& set = declaration.set;
      if (isPick) {
        set.kind = ValueSet::Kind::Pick;
        bool ok = true;
        do {
          const std::size_t at = reader.Offset();
          const Constant item = constant("pick の値");
          if (!item.ok) {
            ok = false;
            break;
          }
          if (item.value.type == Value::Type::Truth) {
            columnError(at, "pick には数か文字列を書いてください");
            ok = false;
            break;
          }
          set.picks.push_back(item.value);
        } while (reader.TakeSymbol(","));
        if (!ok) continue;
        set.count = set.picks.size();
      } else {
        const std::size_t lowAt = reader.Offset();
        const Constant low = constant("範囲");
        if (!low.ok) continue;
        if (!reader.TakeSymbol("..")) {
          columnError(reader.Offset(), "「..」がありません");
          continue;
        }
        const Constant high = constant("範囲");
        if (!high.ok) continue;
        Constant step{true, Value::Number(IntegerValue(1))};
        const std::size_t stepAt = reader.Offset();
        if (reader.TakeWord("step")) {
          step = constant("刻み");
          if (!step.ok) continue;
        } else if (isDec) {
          columnError(stepAt, "dec には step で刻みを書いてください");
          continue;
        }
        if (low.value.type != Value::Type::Number || high.value.type != Value::Type::Number ||
            step.value.type != Value::Type::Number) {
          columnError(lowAt, "範囲と刻みは数で書いてください");
          continue;
        }
        const Rational lo = low.value.number, hi = high.value.number, k = step.value.number;
        if (isInt && (!lo.IsInteger() || !hi.IsInteger() || !k.IsInteger() || k.num <= 0)) {
          columnError(lowAt, "int の範囲は整数で、刻みは正の整数で書いてください");
          continue;
        }
        if (isDec && (k.num <= 0 || !Terminates(k) || !Terminates(lo) || !Terminates(hi))) {
          columnError(
              lowAt, "dec の範囲と刻みは 0.1 や 0.25 のような小数で、刻みは正の数で書いてください");
          continue;
        }
        if (Compare(hi, lo) < 0) {
          columnError(lowAt, "範囲が空です（下限が上限より大きくなっています）");
          continue;
        }
        // Decimal ranges are kept to sizes whose every member and every step
        // count fit the 128-bit arithmetic below and a 64-bit result.
        constexpr std::int64_t kMaxDecimalBound = 1'000'000'000'000;
        constexpr std::int64_t kMaxDenominator = 1 << 20;
        if (hi.den > kMaxDenominator || lo.den > kMaxDenominator || k.den > kMaxDenominator ||
            (isDec && (Compare(hi, IntegerValue(kMaxDecimalBound)) > 0 ||
                       Compare(lo, IntegerValue(-kMaxDecimalBound)) < 0))) {
          columnError(lowAt, "dec の範囲が大きすぎるか、小数の桁が多すぎます");
          continue;
        }
        // (hi - lo) / k in 128 bits: never wraps for 64-bit parts of such sizes.
        const Wide spanNum =
            (static_cast<Wide>(hi.num) * lo.den - static_cast<Wide>(lo.num) * hi.den) * k.den;
        const Wide spanDen = static_cast<Wide>(hi.den) * lo.den;
        const Wide divisor = spanDen * k.num;
        const auto steps = static_cast<UWide>(spanNum / divisor);
        if (steps >= static_cast<UWide>(UINT64_MAX)) {
          columnError(lowAt, "範囲が大きすぎます");
          continue;
        }
        set.low = lo;
        set.step = k;
        set.low.kind = set.step.kind = isDec ? NumberKind::Decimal : NumberKind::Integer;
        set.count = static_cast<std::uint64_t>(steps) + 1;
      }
      if (!reader.TakeSymbol(")")) {
        columnError(reader.Offset(), "「)」がありません");
        continue;
      }
      if (reader.TakeWord("except")) {
        bool ok = true;
        do {
          const int root = reader.ReadExpression();
          if (readFailed()) {
            ok = false;
            break;
          }
          declaration.excepts.push_back(root);
        } while (reader.TakeSymbol(","));
        if (!ok) continue;
      }
      if (!expectEnd()) continue;
      // A set that except leaves empty whatever is drawn.
      bool allConstant = true;
      for (const int root : declaration.excepts)
        allConstant = allConstant && block.expressions_.IsConstant(root);
      if (allConstant && set.count <= declaration.excepts.size()) {
        std::uint64_t left = 0;
        for (std::uint64_t m = 0; m < set.count; ++m) {
          const Value member = set.At(m);
          bool removed = false;
          for (const int root : declaration.excepts) {
            const Evaluated e = block.expressions_.Evaluate(root, {});
            removed = removed || (e.Ok() && e.value == member);
          }
          if (!removed) ++left;
        }
        if (left == 0) {
          lineError("except で値がすべて除かれて、引ける値が残りません");
          continue;
        }
      }
    }
    for (const std::string& name : names) {
      declaration.slotNumbers.push_back(static_cast<int>(block.names_.size()));
      block.names_.push_back(name);
    }
    block.declarations_.push_back(std::move(declaration));
  }
  if (errors.size() != errorsBefore) return std::nullopt;
  return block;
}

}  // namespace tavolo
