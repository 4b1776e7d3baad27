#pragma once
// The creation date a PDF carries in its information dictionary. The drawing
// library stamps the computer's real time there; printed worksheets take the
// program's own clock instead, so that the same command gives the same file
// byte for byte (and a fixed clock gives a fixed date).

#include <string>

#include "platform/clock.h"

namespace tavolo {

// How far into a PDF its creation date is looked for: the information
// dictionary is written with the header, before any page.
inline constexpr std::size_t kPdfCreationDateSearchBytes = 4096;

// Replaces the first "/CreationDate (D:...)" in `head` (the file's first
// bytes) by `when` as "(D:YYYYMMDDHHmmSS)", padded with blanks to the old
// length so that no byte after it moves. False, with `head` unchanged, when
// there is no such date or the new one would not fit.
bool StampPdfCreationDate(std::string& head, const DateTime& when);

// The same on a complete PDF file open for reading and writing. False when
// the file cannot be read or written or carries no creation date.
bool StampPdfFileCreationDate(int fd, const DateTime& when);

}  // namespace tavolo
