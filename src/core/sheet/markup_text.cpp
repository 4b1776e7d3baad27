#include "sheet/markup_text.h"

#include <memory>
#include <random>
#include <utility>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace tavolo {
namespace {

std::vector<std::string> SplitAt(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t pos = text.find(separator); pos != std::string_view::npos;
       pos = text.find(separator, start)) {
    pieces.emplace_back(text.substr(start, pos - start));
    start = pos + 1;
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

constexpr std::string_view kWideSpace = "　";
constexpr std::string_view kTwelveBlanks = "            ";

}  // namespace

void ForEachMarkupPiece(std::string_view text,
                        const std::function<void(std::string_view piece, bool isCode)>& visit) {
  if (text.empty()) return;
  std::size_t start = 0;
  for (std::size_t at = text.find('@'); at != std::string_view::npos; at = text.find('@', start)) {
    visit(text.substr(start, at - start), false);
    // The code is one whole character, so a Japanese character after "@" is
    // never cut in two.
    std::size_t codeLength = Utf8CharLength(text, at + 1);
    visit(text.substr(at + 1, codeLength), true);
    start = at + 1 + codeLength;
  }
  visit(text.substr(start), false);
}

std::vector<std::string> SplitMarkup(std::string_view text) {
  std::vector<std::string> pieces;
  ForEachMarkupPiece(text, [&](std::string_view piece, bool) { pieces.emplace_back(piece); });
  return pieces;
}

std::vector<std::string> SplitAnswerMarks(std::string_view line) {
  if (line.empty()) return {};
  return SplitAt(line, '#');
}

std::vector<std::string> SplitAlternatives(std::string_view answer) { return SplitAt(answer, ';'); }

std::string TrimWideSpaces(std::string_view text) {
  auto isBlankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && isBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlankOrControl(text.back())) text.remove_suffix(1);
  while (text.starts_with(kWideSpace)) text.remove_prefix(kWideSpace.size());
  while (text.ends_with(kWideSpace)) text.remove_suffix(kWideSpace.size());
  return std::string(text);
}

std::string PadToAnswerWidth(std::string_view shown, std::string_view model) {
  const std::size_t modelBytes = SjisLength(model);
  if (SjisLength(shown) >= modelBytes) return std::string(shown);
  if (shown.empty()) return SjisLeft(kTwelveBlanks, modelBytes);
  std::string padded = " ";
  padded.append(shown);
  padded.append(kTwelveBlanks);
  return SjisLeft(padded, modelBytes);
}

RandomIndex RepeatableRandomIndex(std::uint32_t start) {
  auto engine = std::make_shared<std::mt19937>(start);
  return [engine](std::size_t bound) {
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(*engine);
  };
}

RandomIndex SystemRandomIndex() { return RepeatableRandomIndex(std::random_device{}()); }

void ShuffleItems(std::vector<std::string>& items, const RandomIndex& randomIndex) {
  const std::size_t count = items.size();
  if (count < 2) return;
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t j = randomIndex(count);
    // A source that misbehaves must not write past the list.
    if (j >= count) j %= count;
    if (j != i) std::swap(items[i], items[j]);
  }
}

}  // namespace tavolo
