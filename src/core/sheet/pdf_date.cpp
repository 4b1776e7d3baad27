#include "sheet/pdf_date.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tavolo {

bool StampPdfCreationDate(std::string& head, const DateTime& when) {
  static constexpr std::string_view kKey = "/CreationDate";
  const std::size_t key = head.find(kKey);
  if (key == std::string::npos) return false;
  std::size_t open = key + kKey.size();
  while (open < head.size() && (head[open] == ' ' || head[open] == '\n' || head[open] == '\r'))
    ++open;
  if (head.compare(open, 3, "(D:") != 0) return false;
  // A date string holds digits, a zone sign, apostrophes and Z: no
  // parentheses or escapes to skip over.
  const std::size_t close = head.find(')', open);
  if (close == std::string::npos) return false;
  if (when.year < 0 || when.year > 9999) return false;
  char date[32];
  const int length = std::snprintf(date, sizeof date, "(D:%04d%02d%02d%02d%02d%02d)", when.year,
                                   when.month, when.day, when.hour, when.minute, when.second);
  const std::size_t old = close + 1 - open;
  if (length <= 0 || static_cast<std::size_t>(length) > old) return false;
  // Blanks between a value and what follows are PDF whitespace.
  std::string stamp(date, static_cast<std::size_t>(length));
  stamp.resize(old, ' ');
  head.replace(open, old, stamp);
  return true;
}

bool StampPdfFileCreationDate(int fd, const DateTime& when) {
  std::string head(kPdfCreationDateSearchBytes, '\0');
  ssize_t got = -1;
  do {
    got = ::pread(fd, head.data(), head.size(), 0);
  } while (got < 0 && errno == EINTR);
  if (got <= 0) return false;
  head.resize(static_cast<std::size_t>(got));
  if (!StampPdfCreationDate(head, when)) return false;
  std::size_t written = 0;
  while (written < head.size()) {
    const ssize_t n =
        ::pwrite(fd, head.data() + written, head.size() - written, static_cast<off_t>(written));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace tavolo
