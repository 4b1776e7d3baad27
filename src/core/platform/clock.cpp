#include "platform/clock.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace tavolo {

namespace {

bool Digits(std::string_view text, std::size_t pos, std::size_t count, int* value) {
  if (pos + count > text.size()) return false;
  for (std::size_t i = pos; i < pos + count; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  std::from_chars(text.data() + pos, text.data() + pos + count, *value);
  return true;
}

std::string TwoDigits(int v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", v);
  return buffer;
}

}  // namespace

std::optional<DateTime> ParseDateTime(std::string_view text) {
  DateTime t;
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':')
    return std::nullopt;
  if (!Digits(text, 0, 4, &t.year) || !Digits(text, 5, 2, &t.month) ||
      !Digits(text, 8, 2, &t.day) || !Digits(text, 11, 2, &t.hour) ||
      !Digits(text, 14, 2, &t.minute) || !Digits(text, 17, 2, &t.second))
    return std::nullopt;
  using namespace std::chrono;
  const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                            day{static_cast<unsigned>(t.day)}};
  if (!date.ok() || t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
  return t;
}

DateTime Now() {
  if (const char* fixed = std::getenv("TAVOLO_NOW")) {
    if (auto t = ParseDateTime(fixed)) return *t;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string DateDotText(const DateTime& t) {
  return std::to_string(t.year) + "." + TwoDigits(t.month) + "." + TwoDigits(t.day);
}

std::string DateKanjiText(const DateTime& t) {
  return std::to_string(t.year) + "年" + TwoDigits(t.month) + "月" + TwoDigits(t.day) + "日";
}

std::string TimeText(const DateTime& t) { return TwoDigits(t.hour) + ":" + TwoDigits(t.minute); }

}  // namespace tavolo
