#include "draw/font_substitution.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <mutex>

namespace tavolo {
namespace {

// Folds the spellings of one name together: full-width letters and spaces
// become half-width, runs of blanks one blank, letters lower case.
QString NormalizedName(const QString& family) {
  QString folded;
  folded.reserve(family.size());
  for (QChar c : family) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) {
      folded.append(QChar(char16_t(u - 0xFEE0)));
    } else if (u == 0x3000) {
      folded.append(u' ');
    } else {
      folded.append(c);
    }
  }
  return folded.simplified().toLower();
}

enum class Face { kMincho, kGothic, kOther };

Face FaceOf(const QString& normalized) {
  static const char16_t* const kMincho[] = {u"ms 明朝", u"ms p明朝", u"ms mincho", u"ms pmincho",
                                            u"明朝"};
  static const char16_t* const kGothic[] = {u"ms ゴシック", u"ms pゴシック", u"ms gothic",
                                            u"ms pgothic",  u"ms ui gothic", u"ゴシック"};
  for (const char16_t* name : kMincho)
    if (normalized == QStringView(name)) return Face::kMincho;
  for (const char16_t* name : kGothic)
    if (normalized == QStringView(name)) return Face::kGothic;
  return Face::kOther;
}

QString FirstInstalled(const QStringList& candidates) {
  for (const QString& family : candidates)
    if (QFontDatabase::hasFamily(family)) return family;
  return candidates.front();
}

QString MinchoFamily() {
  return FirstInstalled({QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP"),
                         QStringLiteral("Noto Sans CJK JP")});
}

QString GothicFamily() {
  return FirstInstalled({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                         QStringLiteral("IPAMincho")});
}

QString LookUpFamily(const QString& family) {
  switch (FaceOf(NormalizedName(family))) {
    case Face::kMincho:
      return MinchoFamily();
    case Face::kGothic:
      return GothicFamily();
    case Face::kOther:
      break;
  }
  if (!family.trimmed().isEmpty() && QFontDatabase::hasFamily(family)) return family;
  return MinchoFamily();
}

}  // namespace

QString SubstituteFontFamily(const QString& family) {
  // Asking the font database goes to fontconfig every time, and every page of
  // every print job asks for the same few names: the answers are kept for the
  // run (fonts installed while the program runs are seen after a restart).
  static std::mutex guard;
  static QHash<QString, QString> known;
  const std::lock_guard lock(guard);
  auto found = known.constFind(family);
  if (found == known.constEnd()) found = known.insert(family, LookUpFamily(family));
  return *found;
}

}  // namespace tavolo
