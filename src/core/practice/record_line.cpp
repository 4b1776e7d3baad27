#include "practice/record_line.h"

#include <charconv>
#include <cstdio>

namespace tavolo {

namespace {

// A small cursor over a record line; every step fails without moving on a
// mismatch, and the caller gives up at the first failure.
class LineScanner {
 public:
  explicit LineScanner(std::string_view text) : text_(text) {}

  bool Literal(std::string_view s) {
    if (!text_.substr(pos_).starts_with(s)) return false;
    pos_ += s.size();
    return true;
  }
  void Blanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  // count digits exactly, or (count 0) at least one digit.
  bool Number(int* value, std::size_t count = 0) {
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] >= '0' && text_[end] <= '9' &&
           (count == 0 || end - pos_ < count))
      ++end;
    if (end == pos_ || (count != 0 && end - pos_ != count) || end - pos_ > 9) return false;
    std::from_chars(text_.data() + pos_, text_.data() + end, *value);
    pos_ = end;
    return true;
  }
  bool UpTo(char stop, std::string* out) {
    const std::size_t end = text_.find(stop, pos_);
    if (end == std::string_view::npos) return false;
    *out = std::string(text_.substr(pos_, end - pos_));
    pos_ = end + 1;
    return true;
  }
  bool AtEnd() const { return pos_ == text_.size(); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::string Padded(int value, int width) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%*d", width, value);
  return buffer;
}

std::string TwoDigitsAtLeast(int value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

}  // namespace

std::string SimilarProblemPrefix(int variant) {
  return variant == 0 ? std::string() : "類題" + std::to_string(variant) + ")";
}

std::string ElapsedText(int seconds) {
  if (seconds < 0) seconds = 0;
  return TwoDigitsAtLeast(seconds / 60) + ":" + TwoDigitsAtLeast(seconds % 60);
}

std::string RecordLine(const RunRecord& r) {
  return SimilarProblemPrefix(r.variant) + DateKanjiText(r.when) + " " + TimeText(r.when) + " [" +
         r.triesDigits + "] " + Padded(r.correct, 2) + "/" + Padded(r.total, 2) + " " +
         Padded(r.score, 3) + "点" + " " + ElapsedText(r.elapsedSeconds);
}

std::optional<RunRecord> ParseRecordLine(std::string_view line) {
  RunRecord r;
  LineScanner scan(line);
  if (scan.Literal("類題") && !(scan.Number(&r.variant) && scan.Literal(")"))) return std::nullopt;
  int minutes = 0, seconds = 0;
  const bool ok = scan.Number(&r.when.year) && scan.Literal("年") &&
                  scan.Number(&r.when.month, 2) && scan.Literal("月") &&
                  scan.Number(&r.when.day, 2) && scan.Literal("日") && scan.Literal(" ") &&
                  scan.Number(&r.when.hour, 2) && scan.Literal(":") &&
                  scan.Number(&r.when.minute, 2) && scan.Literal(" [") &&
                  scan.UpTo(']', &r.triesDigits) && scan.Literal(" ");
  if (!ok) return std::nullopt;
  scan.Blanks();
  if (!scan.Number(&r.correct) || !scan.Literal("/")) return std::nullopt;
  scan.Blanks();
  if (!scan.Number(&r.total) || !scan.Literal(" ")) return std::nullopt;
  scan.Blanks();
  if (!scan.Number(&r.score) || !scan.Literal("点 ") || !scan.Number(&minutes) ||
      !scan.Literal(":") || !scan.Number(&seconds, 2) || !scan.AtEnd())
    return std::nullopt;
  if (r.when.month < 1 || r.when.month > 12 || r.when.day < 1 || r.when.day > 31 ||
      r.when.hour > 23 || r.when.minute > 59 || seconds > 59 || minutes > 1'000'000)
    return std::nullopt;
  r.elapsedSeconds = minutes * 60 + seconds;
  return r;
}

}  // namespace tavolo
