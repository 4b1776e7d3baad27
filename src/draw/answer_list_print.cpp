#include "draw/answer_list_print.h"

#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <algorithm>

#include "draw/font_substitution.h"
#include "draw/qt_text.h"

namespace tavolo {

namespace {

constexpr double kMarginMillimetres = 15;
constexpr double kRowPoints = 12;  // as large as the sheet's own text, for reading at a desk
constexpr double kTitlePoints = 14;

QFont ListFont(double points, int dpi, bool bold) {
  QFont font(SubstituteFontFamily(QStringLiteral("ＭＳ 明朝")));
  font.setPixelSize(std::max(1, qRound(points * dpi / 72.0)));
  font.setBold(bold);
  return font;
}

// The answers of one row as lines no wider than width: "(k) answer" items
// never broken, one too wide for a whole line cut short.
QStringList RowLines(const std::vector<std::string>& answers, const QFontMetrics& metrics,
                     int width) {
  QStringList lines;
  QString line;
  const QString gap = QStringLiteral("　");
  for (std::size_t k = 0; k < answers.size(); ++k) {
    const QString item = metrics.elidedText(
        QStringLiteral("(%1) ").arg(k + 1) + ToQString(answers[k]), Qt::ElideRight, width);
    const QString longer = line.isEmpty() ? item : line + gap + item;
    if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
      lines << line;
      line = item;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty() || lines.isEmpty()) lines << line;
  return lines;
}

}  // namespace

bool DrawAnswerList(QPainter& painter, QPagedPaintDevice& device, const AnswerListHeading& heading,
                    const std::vector<AnswerListRow>& rows) {
  const int dpi = device.logicalDpiY();
  const int margin = qRound(kMarginMillimetres * dpi / 25.4);
  const int left = margin;
  const int right = device.width() - margin;
  const int bottom = device.height() - margin;
  painter.save();
  painter.setPen(QPen(Qt::black, std::max(1, dpi / 150)));

  const QFont titleFont = ListFont(kTitlePoints, dpi, true);
  const QFont rowFont = ListFont(kRowPoints, dpi, false);
  const QFontMetrics titleMetrics(titleFont, &device);
  const QFontMetrics rowMetrics(rowFont, &device);
  int y = margin;
  painter.setFont(titleFont);
  painter.drawText(left, y + titleMetrics.ascent(), ToQString("解答一覧　" + heading.unitTitle));
  y += titleMetrics.lineSpacing();
  painter.setFont(rowFont);
  std::string second = heading.shortName;
  if (!heading.fingerprint.empty()) second += "　" + heading.fingerprint;
  if (!rows.empty()) {
    second +=
        "　№ " + std::to_string(rows.front().number) + "〜№ " + std::to_string(rows.back().number);
  }
  painter.drawText(left, y + rowMetrics.ascent(), ToQString(second));
  y += rowMetrics.lineSpacing() * 3 / 2;

  // The number stands in a column of its own, wide enough for four digits.
  const int numberWidth = rowMetrics.horizontalAdvance(QStringLiteral("№ 9999　"));
  const int lineHeight = rowMetrics.lineSpacing() * 6 / 5;
  const int rowGap = lineHeight / 3;
  bool ok = true;
  for (const AnswerListRow& row : rows) {
    const QStringList lines = RowLines(row.answers, rowMetrics, right - left - numberWidth);
    const int height = static_cast<int>(lines.size()) * lineHeight + rowGap;
    // A row starts on a new page unless it would not fit on a whole one either.
    if (y + height > bottom && y > margin && height <= bottom - margin) {
      if (!device.newPage()) {
        ok = false;
        break;
      }
      y = margin;
    }
    painter.drawLine(left, y, right, y);
    y += rowGap;
    painter.drawText(left, y + rowMetrics.ascent(), ToQString("№ " + std::to_string(row.number)));
    for (const QString& line : lines) {
      if (y + lineHeight > bottom && y > margin) {
        if (!device.newPage()) {
          ok = false;
          break;
        }
        y = margin;
      }
      painter.drawText(left + numberWidth, y + rowMetrics.ascent(), line);
      y += lineHeight;
    }
    if (!ok) break;
  }
  if (ok && !rows.empty()) painter.drawLine(left, y, right, y);
  painter.restore();
  return ok;
}

}  // namespace tavolo
