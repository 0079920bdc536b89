#include "LayoutCheck.h"

namespace quelvo::skinart {

namespace {

QString describe(const QRect& rect) {
  return QStringLiteral("(%1,%2 %3x%4)")
      .arg(rect.x())
      .arg(rect.y())
      .arg(rect.width())
      .arg(rect.height());
}

}  // namespace

QStringList layoutProblems(const SchemeArt& art, const QSize& frameSize, const QRegion& shape) {
  QStringList problems;
  const auto mustContain = [&](const QString& what, const QRect& rect) {
    const QRegion outside = QRegion(rect).subtracted(shape);
    if (!outside.isEmpty()) {
      problems << QStringLiteral("%1 %2 reaches outside the shape at %3")
                      .arg(what, describe(rect), describe(outside.boundingRect()));
    }
  };
  mustContain(QStringLiteral("movie"), art.movieRect());
  mustContain(QStringLiteral("catalog"), art.catalogRect());
  for (SkinButton button : shownButtons(art)) {
    mustContain(QStringLiteral("button %1").arg(static_cast<int>(button)), art.buttonRect(button));
  }
  if (QRegion(QRect(QPoint(0, 0), frameSize)).subtracted(shape).isEmpty()) {
    problems << QStringLiteral("the shape fills the whole frame");
  }
  return problems;
}

}  // namespace quelvo::skinart
