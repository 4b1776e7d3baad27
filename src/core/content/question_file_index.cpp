#include "content/question_file_index.h"

#include <algorithm>

#include "content/similar_problems.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

namespace tavolo {

QuestionFileIndex::QuestionFileIndex(std::string bytes)
    : bytes_(std::make_unique<const std::string>(std::move(bytes))),
      lines_(std::make_unique<ByteLines>(*bytes_)) {
  const std::size_t count = lines_->SplitAll();
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view line = lines_->At(i);
    if (IsKeyLine(line)) keyLines_[std::string(line)].push_back(i);
  }
}

Result<QuestionFileIndex> QuestionFileIndex::Read(const std::filesystem::path& file) {
  auto bytes = ReadFileBytes(file);
  if (!bytes) return bytes.failure();
  return QuestionFileIndex(std::move(bytes).value());
}

std::optional<std::size_t> QuestionFileIndex::FindKeyLine(std::string_view keyLine,
                                                          std::size_t from) const {
  // The file's lines are raw CP932; a key is compared in the same bytes.
  const auto found = keyLines_.find(EncodeCp932(keyLine));
  if (found == keyLines_.end()) return std::nullopt;
  const auto& lines = found->second;
  const auto at = std::lower_bound(lines.begin(), lines.end(), from);
  if (at == lines.end()) return std::nullopt;
  return *at;
}

UnitReading QuestionFileIndex::ReadUnit(std::string_view keyLine, int section, int unit,
                                        const UnitCaptions& captions) const {
  const auto key = keyLine.empty() ? std::nullopt : FindKeyLine(keyLine);
  if (!key)
    return UnitReading{
        std::nullopt, UnitProblem{UnitProblem::Kind::Missing, "単元がありません", 0}, {}};
  return ReadUnitAt(*lines_, *key, section, unit, captions);
}

int QuestionFileIndex::FindLineInUnit(std::string_view text, std::size_t from) const {
  const std::string encoded = EncodeCp932(text);
  for (std::size_t i = from; lines_->Has(i); ++i) {
    const std::string_view line = lines_->At(i);
    if (line == encoded) return lines_->LineNumber(i);
    if (line == "]]") break;
  }
  return 0;
}

std::vector<int> QuestionFileIndex::SimilarProblems(int unit) const {
  return ListSimilarProblems(
      [this](std::string_view key, std::size_t from) { return FindKeyLine(key, from); }, unit);
}

}  // namespace tavolo
