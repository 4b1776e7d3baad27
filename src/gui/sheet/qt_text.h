#pragma once
// Core speaks UTF-8 std::string, Qt QString: the two conversions, for the
// drawing library and the windows alike.

#include <QString>
#include <string>
#include <string_view>

namespace tavolo {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) { return text.toStdString(); }

}  // namespace tavolo
