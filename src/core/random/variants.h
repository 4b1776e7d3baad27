#pragma once
// The variants of a block of random data: variant n (n >= 1) is the same on
// every machine and in every later version, decided by the block's own text
// and n alone. Small blocks are enumerated whole, so copies 1..count all
// differ; large ones are drawn with a bounded number of attempts.

#include <cstdint>
#include <string>
#include <vector>

#include "random/block.h"

namespace tavolo {

// SplitMix64: a 64-bit state advanced by a fixed odd constant and mixed. The
// project's own generator, so that variants never depend on a standard
// library's distributions.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t state) : state_(state) {}
  std::uint64_t Next();
  // Uniform in [0, bound), bound >= 1: Lemire's multiply-and-shift, with the
  // few biased low products drawn again (rarely more than once; capped).
  std::uint64_t Below(std::uint64_t bound);

 private:
  std::uint64_t state_;
};

// SplitMix64's output mix on its own: spreads one number over 64 bits.
std::uint64_t Mix64(std::uint64_t value);

// Four characters from a 32-letter alphabet without look-alikes (no 0/O, 1/I).
std::string Fingerprint(std::uint64_t blockHash);

// Blocks with at most this many combinations are enumerated whole.
inline constexpr std::uint64_t kMaxEnumerated = 100'000;
// Attempts at one drawn variant before it is given up as an error.
inline constexpr int kMaxAttempts = 10'000;

struct VariantValues {
  std::vector<Value> values;  // by slot
  std::string error;          // with the block's line; empty when there are values
  bool Ok() const { return error.empty(); }
};

class Variants {
 public:
  // The block must outlive its variants.
  explicit Variants(const RandomBlock& block);

  bool Enumerated() const { return enumerated_; }
  // Enumerated: the number of combinations that pass every condition.
  std::uint64_t Count() const { return count_; }
  // Combinations before conditions (saturating), the size of the whole space.
  std::uint64_t Combinations() const { return combinations_; }
  // Enumerated and none passes: why (with the line), for the author.
  const std::string& EnumerationError() const { return enumerationError_; }
  // The first failure of arithmetic any enumerated combination met (a
  // division by zero, an overflow), with its line; empty when none did.
  const std::string& FirstMathFailure() const { return firstMathFailure_; }

  VariantValues Variant(std::int64_t n) const;

  // The share of attempts that conditions (or failed arithmetic) threw away
  // while drawing variants 1..variants: exact, from the enumeration, when
  // the block is enumerated; an estimate otherwise. The author's check warns
  // of a condition that throws away nearly every draw.
  double RejectedShare(std::int64_t variants = 200) const;

 private:
  void Enumerate();
  void Visit(std::size_t declaration, std::size_t slotInDeclaration);
  // Walks the declarations after the draws of one combination or attempt;
  // false when one rejects (recorded in rejectedAt).
  bool Complete(std::vector<Value>& values, std::size_t from, int* rejectedAt) const;
  VariantValues Rebuild(std::uint32_t combination) const;
  VariantValues Draw(std::int64_t n, int* attemptsUsed = nullptr) const;
  std::string LineMessage(int line, const std::string& message) const;

  const RandomBlock* block_;
  bool enumerated_ = false;
  std::uint64_t combinations_ = 1;
  std::uint64_t count_ = 0;
  std::size_t drawnSlots_ = 0;
  std::vector<int> slotOrder_;          // drawn slots in declaration order
  std::vector<std::uint32_t> members_;  // per kept combination: an index per drawn slot
  std::vector<std::uint32_t> order_;    // the shuffled combinations
  std::vector<Value> scratch_;          // the values while enumerating
  std::vector<std::uint32_t> scratchIndex_;
  std::vector<std::uint64_t> rejections_;  // per declaration, while enumerating
  std::string enumerationError_;
  std::string firstMathFailure_;
};

}  // namespace tavolo
