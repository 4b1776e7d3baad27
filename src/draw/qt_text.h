#pragma once
// Core speaks UTF-8 std::string, Qt QString: the two conversions, for the
// drawing library and the windows alike.

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace tavolo {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) { return text.toStdString(); }

// Lines as one text for a box or a label: a line break between each two.
inline QString JoinedLines(const std::vector<std::string>& lines) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) texts << ToQString(line);
  return texts.join(QLatin1Char('\n'));
}

}  // namespace tavolo
