#include "core/Fonts.h"

#include <QApplication>

namespace quelvo::core {

namespace {

QFont withFamilies(const QStringList& families, double points, bool bold = false) {
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

const QStringList& sansFamilies() {
  static const QStringList families{QStringLiteral("黑体"),
                                    QStringLiteral("SimHei"),
                                    QStringLiteral("Noto Sans CJK SC"),
                                    QStringLiteral("WenQuanYi Zen Hei"),
                                    QStringLiteral("Microsoft YaHei"),
                                    QStringLiteral("PingFang SC"),
                                    QStringLiteral("DejaVu Sans")};
  return families;
}

}  // namespace

QFont songtiFont(double points) {
  return withFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                       QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                       QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Songti SC")},
                      points);
}

QFont heitiFont(double points, bool bold) { return withFamilies(sansFamilies(), points, bold); }

QFont symbolFont(double points) {
  return withFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Segoe UI Symbol"),
                       QStringLiteral("Arial Unicode MS")},
                      points);
}

void installInterfaceFonts() {
  QFont font = QApplication::font();
  QStringList families{font.family()};
  families += sansFamilies();
  font.setFamilies(families);
  QApplication::setFont(font);
}

}  // namespace quelvo::core
