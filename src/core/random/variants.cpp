#include "random/variants.h"

#include <algorithm>
#include <utility>

namespace tavolo {

namespace {

__extension__ using UWide = unsigned __int128;

const char* kNotACondition = "require には条件を書いてください";

}  // namespace

std::uint64_t Mix64(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint64_t SplitMix64::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  return Mix64(state_);
}

std::uint64_t SplitMix64::Below(std::uint64_t bound) {
  UWide product = static_cast<UWide>(Next()) * bound;
  auto low = static_cast<std::uint64_t>(product);
  if (low < bound) {
    // Products whose low half falls under 2^64 mod bound would favour some
    // results; they are drawn again. Each retry happens with probability
    // below bound / 2^64, so the cap is never reached in practice.
    const std::uint64_t threshold = (0 - bound) % bound;
    for (int retry = 0; low < threshold && retry < 64; ++retry) {
      product = static_cast<UWide>(Next()) * bound;
      low = static_cast<std::uint64_t>(product);
    }
  }
  return static_cast<std::uint64_t>(product >> 64);
}

std::string Fingerprint(std::uint64_t blockHash) {
  static constexpr char kAlphabet[] = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
  std::uint64_t bits = Mix64(blockHash);
  std::string text;
  for (int i = 0; i < 4; ++i, bits >>= 5) text += kAlphabet[bits & 31];
  return text;
}

Variants::Variants(const RandomBlock& block) : block_(&block) {
  const auto& declarations = block.Declarations();
  std::vector<int> drawPosition(block.Names().size(), -1);
  for (const Declaration& d : declarations) {
    if (d.kind != Declaration::Kind::Draw) continue;
    for (const int slot : d.slotNumbers) {
      drawPosition[static_cast<std::size_t>(slot)] = static_cast<int>(slotOrder_.size());
      slotOrder_.push_back(slot);
      std::uint64_t product = 0;
      if (__builtin_mul_overflow(combinations_, d.set.count, &product)) product = UINT64_MAX;
      combinations_ = product;
    }
  }
  drawnSlots_ = slotOrder_.size();
  enumerated_ = combinations_ <= kMaxEnumerated;
  if (enumerated_) Enumerate();
}

std::string Variants::LineMessage(int line, const std::string& message) const {
  return RandomBlockError{line, 0, message}.Text();
}

void Variants::Enumerate() {
  const auto& declarations = block_->Declarations();
  scratch_.assign(block_->Names().size(), Value{});
  scratchIndex_.assign(drawnSlots_, 0);
  rejections_.assign(declarations.size(), 0);
  members_.reserve(combinations_ * drawnSlots_);
  Visit(0, 0);
  count_ = members_.size() / std::max<std::size_t>(drawnSlots_, 1);
  if (drawnSlots_ == 0) count_ = members_.empty() ? 0 : 1;
  order_.resize(count_);
  for (std::uint32_t i = 0; i < count_; ++i) order_[i] = i;
  // One shuffle with the block's own number: copies 1..count all differ.
  SplitMix64 generator(Mix64(block_->Hash()));
  for (std::size_t i = order_.size(); i > 1; --i)
    std::swap(order_[i - 1], order_[generator.Below(i)]);
  if (count_ == 0) {
    const auto worst = std::max_element(rejections_.begin(), rejections_.end());
    const int line = worst == rejections_.end()
                         ? block_->FirstLine()
                         : declarations[static_cast<std::size_t>(worst - rejections_.begin())].line;
    enumerationError_ = LineMessage(line, "どの組み合わせもこの条件を満たしません");
  }
  scratch_.clear();
  scratchIndex_.clear();
}

// Depth first through the declarations, so that a condition prunes every
// combination below it at once. The depth is the number of drawn values and
// declarations, which the reader caps.
void Variants::Visit(std::size_t index, std::size_t slotInDeclaration) {
  const auto& declarations = block_->Declarations();
  const Expressions& table = block_->Table();
  if (index == declarations.size()) {
    if (drawnSlots_ == 0) {
      if (members_.empty()) members_.push_back(0);
      return;
    }
    members_.insert(members_.end(), scratchIndex_.begin(), scratchIndex_.end());
    return;
  }
  const Declaration& d = declarations[index];
  auto fail = [&](const Evaluated& e) {
    ++rejections_[index];
    if (e.math != MathError::None && firstMathFailure_.empty())
      firstMathFailure_ = LineMessage(d.line, e.message);
  };
  switch (d.kind) {
    case Declaration::Kind::Draw: {
      if (slotInDeclaration == d.slotNumbers.size()) return Visit(index + 1, 0);
      std::vector<Value> removed;
      for (const int root : d.excepts) {
        Evaluated e = table.Evaluate(root, scratch_);
        if (!e.Ok()) return fail(e);
        removed.push_back(std::move(e.value));
      }
      const int slot = d.slotNumbers[slotInDeclaration];
      const std::size_t position = static_cast<std::size_t>(
          std::find(slotOrder_.begin(), slotOrder_.end(), slot) - slotOrder_.begin());
      for (std::uint64_t m = 0; m < d.set.count; ++m) {
        Value value = d.set.At(m);
        if (std::find(removed.begin(), removed.end(), value) != removed.end()) continue;
        scratch_[static_cast<std::size_t>(slot)] = std::move(value);
        scratchIndex_[position] = static_cast<std::uint32_t>(m);
        Visit(index, slotInDeclaration + 1);
      }
      return;
    }
    case Declaration::Kind::Derived: {
      Evaluated e = table.Evaluate(d.expression, scratch_);
      if (!e.Ok()) return fail(e);
      scratch_[static_cast<std::size_t>(d.slotNumbers[0])] = std::move(e.value);
      return Visit(index + 1, 0);
    }
    case Declaration::Kind::Require: {
      const Evaluated e = table.Evaluate(d.expression, scratch_);
      if (!e.Ok()) return fail(e);
      if (e.value.type != Value::Type::Truth) {
        Evaluated wrong;
        wrong.message = kNotACondition;
        return fail(wrong);
      }
      if (!e.value.truth) {
        ++rejections_[index];
        return;
      }
      return Visit(index + 1, 0);
    }
  }
}

VariantValues Variants::Rebuild(std::uint32_t combination) const {
  VariantValues result;
  result.values.assign(block_->Names().size(), Value{});
  std::size_t position = 0;
  for (const Declaration& d : block_->Declarations()) {
    if (d.kind == Declaration::Kind::Draw) {
      for (const int slot : d.slotNumbers)
        result.values[static_cast<std::size_t>(slot)] =
            d.set.At(members_[combination * drawnSlots_ + position++]);
    } else if (d.kind == Declaration::Kind::Derived) {
      // The same computation passed while enumerating.
      result.values[static_cast<std::size_t>(d.slotNumbers[0])] =
          block_->Table().Evaluate(d.expression, result.values).value;
    }
  }
  return result;
}

VariantValues Variants::Draw(std::int64_t n, int* attemptsUsed) const {
  const auto& declarations = block_->Declarations();
  const Expressions& table = block_->Table();
  SplitMix64 generator(Mix64(block_->Hash() ^ Mix64(static_cast<std::uint64_t>(n))));
  std::vector<std::uint64_t> rejected(declarations.size(), 0);
  std::vector<Value> values(block_->Names().size());
  std::string lastMessage;
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    std::size_t at = 0;
    bool kept = true;
    for (; at < declarations.size() && kept; ++at) {
      const Declaration& d = declarations[at];
      if (d.kind == Declaration::Kind::Draw) {
        for (const int slot : d.slotNumbers) {
          Value value = d.set.At(generator.Below(d.set.count));
          for (const int root : d.excepts) {
            const Evaluated e = table.Evaluate(root, values);
            if (!e.Ok() || e.value == value) kept = false;
          }
          values[static_cast<std::size_t>(slot)] = std::move(value);
        }
      } else {
        Evaluated e = table.Evaluate(d.expression, values);
        if (!e.Ok()) {
          lastMessage = e.message;
          kept = false;
        } else if (d.kind == Declaration::Kind::Derived) {
          values[static_cast<std::size_t>(d.slotNumbers[0])] = std::move(e.value);
        } else if (e.value.type != Value::Type::Truth) {
          lastMessage = kNotACondition;
          kept = false;
        } else {
          kept = e.value.truth;
        }
      }
      if (!kept) ++rejected[at];
    }
    if (kept) {
      if (attemptsUsed) *attemptsUsed = attempt + 1;
      return {std::move(values), {}};
    }
  }
  if (attemptsUsed) *attemptsUsed = kMaxAttempts;
  const auto worst = std::max_element(rejected.begin(), rejected.end());
  const int line = declarations[static_cast<std::size_t>(worst - rejected.begin())].line;
  std::string message = std::to_string(kMaxAttempts) + " 回引いても条件を満たす値が出ません";
  if (!lastMessage.empty()) message += "（" + lastMessage + "）";
  return {{}, LineMessage(line, message)};
}

double Variants::RejectedShare(std::int64_t variants) const {
  if (enumerated_) {
    if (combinations_ == 0) return 0.0;
    return 1.0 - static_cast<double>(count_) / static_cast<double>(combinations_);
  }
  std::int64_t attempts = 0, kept = 0;
  for (std::int64_t n = 1; n <= variants; ++n) {
    int used = 0;
    if (Draw(n, &used).Ok()) ++kept;
    attempts += used;
  }
  return attempts == 0 ? 0.0 : 1.0 - static_cast<double>(kept) / static_cast<double>(attempts);
}

VariantValues Variants::Variant(std::int64_t n) const {
  if (n < 1) return {{}, "問題の番号は 1 以上にしてください"};
  if (!enumerated_) return Draw(n);
  if (count_ == 0) return {{}, enumerationError_};
  return Rebuild(order_[static_cast<std::size_t>(static_cast<std::uint64_t>(n - 1) % count_)]);
}

}  // namespace tavolo
