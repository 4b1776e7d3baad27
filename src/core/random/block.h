#pragma once
// The block of random data of a unit: its declarations, read from the lines
// between "<<random" and ">>". Sets are kept as ranges, so a set of a billion
// values costs as little as one of three.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "random/expression.h"

namespace tavolo {

// A message about one line of the block, numbered as in the unit's file.
struct RandomBlockError {
  int line = 0;
  int column = 0;  // 1-based, in characters; 0 when the whole line is meant
  std::string message;
  // "12 行目: …" or "12 行目 5 文字目: …".
  std::string Text() const;
};

// The finite set a value is drawn from.
struct ValueSet {
  enum class Kind : std::uint8_t { Range, Pick };
  Kind kind = Kind::Range;
  Rational low;  // Range: low + i * step for i < count
  Rational step;
  std::uint64_t count = 0;
  std::vector<Value> picks;  // Pick

  Value At(std::uint64_t index) const;
};

struct Declaration {
  enum class Kind : std::uint8_t { Draw, Derived, Require };
  Kind kind = Kind::Draw;
  int line = 0;                  // in the file
  std::vector<int> slotNumbers;  // Draw: each drawn on its own (c, d = …); Derived: one
  ValueSet set;                  // Draw
  std::vector<int> excepts;      // Draw: values removed, may use earlier values
  int expression = -1;           // Derived, Require
};

// The most declarations a block holds: far past a question's needs, and the
// drawing walks them without recursion of their number beyond this.
inline constexpr std::size_t kMaxDeclarations = 200;

class RandomBlock {
 public:
  // lines: the block's content without "<<random" and ">>"; firstLine: the
  // file line of lines[0]. Nothing when any line has an error; every error
  // found is added to errors.
  static std::optional<RandomBlock> Read(const std::vector<std::string>& lines, int firstLine,
                                         std::vector<RandomBlockError>& errors);

  const std::vector<std::string>& Names() const { return names_; }  // by slot
  int Slot(std::string_view name) const;  // kUnknownName when there is none
  const std::vector<Declaration>& Declarations() const { return declarations_; }
  const Expressions& Table() const { return expressions_; }
  int FirstLine() const { return firstLine_; }
  // FNV-1a (64 bits) of the lines trimmed of blanks and joined with LF: the
  // block's own text and nothing else decides its variants.
  std::uint64_t Hash() const { return hash_; }

 private:
  std::vector<std::string> names_;
  std::vector<Declaration> declarations_;
  Expressions expressions_;
  int firstLine_ = 1;
  std::uint64_t hash_ = 0;
};

std::uint64_t Fnv1a64(std::string_view bytes);
std::uint64_t BlockTextHash(const std::vector<std::string>& lines);

}  // namespace tavolo
