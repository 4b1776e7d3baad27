#pragma once
// The one place the program asks for the current date and time. When the
// environment variable TAVOLO_NOW holds YYYY-MM-DDTHH:MM:SS, that is "now", so
// that tests and reproducible worksheets get fixed dates.

#include <optional>
#include <string>
#include <string_view>

namespace tavolo {

struct DateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool operator==(const DateTime&) const = default;
};

DateTime Now();

// "YYYY-MM-DDTHH:MM:SS" with a valid calendar date and time, else nothing.
std::optional<DateTime> ParseDateTime(std::string_view text);

// year + "." + MM + "." + DD (e.g. "2024.05.03")
std::string DateDotText(const DateTime& t);
// year + "年" + MM + "月" + DD + "日"
std::string DateKanjiText(const DateTime& t);
// HH + ":" + MM
std::string TimeText(const DateTime& t);

}  // namespace tavolo
