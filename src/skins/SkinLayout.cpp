#include "skins/SkinLayout.h"

#include <cmath>

namespace quelvo::skins {

namespace {

ButtonPlace file(int left, int top, const QString& normal, const QString& pressed, int width = 0,
                 int height = 0) {
  ButtonPlace place;
  place.box = QRect(left, top, width, height);
  place.art.kind = ButtonArt::Kind::File;
  place.art.normalFile = normal;
  place.art.pressedFile = pressed;
  return place;
}

ButtonPlace cut(int left, int top, int width, int height, QRect from, int normalSheet = 0) {
  ButtonPlace place;
  place.box = QRect(left, top, width, height);
  place.art.kind = ButtonArt::Kind::Cut;
  place.art.normalSheet = normalSheet;
  place.art.pressedSheet = normalSheet + 1;
  place.art.cut = from;
  return place;
}

SkinLayout canvas() {
  SkinLayout s;
  s.scheme = Scheme::Canvas;
  s.folder = QStringLiteral("Canvas");
  s.frameFile = QStringLiteral("frame");
  s.regionFile = QStringLiteral("data");
  s.sheets = {QStringLiteral("playbut_df"), QStringLiteral("playbut_dn"), QString(),
              QStringLiteral("right")};
  s.rightStrip = QPoint(6060, 850);
  s.movie = QRect(960, 1050, 2715, 1995);
  s.catalog = QRect(6070, 1080, 2865, 3450);
  s.startWidth = kCanvasInWidth;
  s.movieBackground = Qt::black;
  s.listBackground = Qt::black;
  s.listText = Qt::white;
  s.buttons = {
      file(4560, 570, QStringLiteral("min_df"), QStringLiteral("min_dN")),
      cut(1150, 3260, 850, 730, QRect(50, 0, 57, 49)),
      cut(3700, 3820, 800, 600, QRect(212, 33, 56, 40)),
      cut(4380, 3450, 450, 380, QRect(257, 8, 31, 25)),
      cut(2800, 4660, 780, 400, QRect(154, 91, 52, 28)),
      cut(4690, 4630, 750, 380, QRect(278, 87, 50, 25)),
      cut(4970, 3360, 480, 490, QRect(296, 2, 33, 34)),
      ButtonPlace{},
      file(5100, 600, QStringLiteral("close_df"), QStringLiteral("close_dN")),
      file(5020, 1560, QStringLiteral("list_df"), QStringLiteral("list_dN")),
      cut(830, 4740, 585, 330, QRect(19, 94, 42, 22)),
      cut(1810, 4620, 560, 420, QRect(85, 85, 37, 28)),
  };
  return s;
}

SkinLayout face() {
  SkinLayout s;
  s.scheme = Scheme::Face;
  s.folder = QStringLiteral("Face");
  s.frameFile = QStringLiteral("Frame");
  s.regionFile = QStringLiteral("data");
  s.sheets = {QStringLiteral("playbut_df"), QStringLiteral("playbut_dn"), QStringLiteral("menu_df"),
              QStringLiteral("menu_dn")};
  s.movie = QRect(4990, 540, 3315, 2265);
  s.catalog = QRect(5560, 3390, 2115, 920);
  s.catalogShown = true;
  s.windowBackground = Qt::black;
  s.movieBackground = QColor(0, 204, 255);
  s.movieBorder = true;
  s.listBackground = QColor(0, 204, 255);
  const auto row = [](int left, int sheetX) {
    return cut(left, 3825, 270, 290, QRect(sheetX, 3, 18, 19));
  };
  s.buttons = {
      cut(3650, 890, 150, 160, QRect(2, 0, 20, 20), 2),
      row(460, 4),
      row(1440, 98),
      row(1890, 130),
      row(2370, 68),
      row(2820, 161),
      row(3790, 258),
      file(4275, 3825, QStringLiteral("open_df"), QStringLiteral("open_dn"), 270, 290),
      cut(3950, 890, 150, 160, QRect(22, 1, 20, 20), 2),
      ButtonPlace{},
      ButtonPlace{},
      ButtonPlace{},
  };
  return s;
}

SkinLayout love() {
  SkinLayout s;
  s.scheme = Scheme::Love;
  s.folder = QStringLiteral("Love");
  s.frameFile = QStringLiteral("Frame");
  s.regionFile = QStringLiteral("data");
  s.sheets = {QStringLiteral("playbut_df"), QStringLiteral("playbut_dn"), QString(), QString()};
  s.movie = QRect(1620, 1170, 2715, 1995);
  s.catalog = s.movie;
  s.movieBackground = Qt::black;
  s.listBackground = Qt::black;
  s.listText = QColor(237, 186, 114);
  s.buttons = {
      file(4310, 120, QStringLiteral("min_df"), QStringLiteral("min_dn"), 390, 345),
      file(2940, 4380, QStringLiteral("toggle_df"), QStringLiteral("toggle_dn"), 360, 420),
      cut(2410, 3550, 1155, 360, QRect(40, 8, 80, 25)),
      cut(3630, 3480, 165, 180, QRect(120, 5, 14, 13)),
      cut(1980, 3450, 225, 160, QRect(138, 2, 15, 14)),
      cut(4140, 3430, 260, 180, QRect(157, 0, 17, 15)),
      file(1020, 180, QStringLiteral("playcon_df"), QStringLiteral("playcon_dn"), 660, 570),
      ButtonPlace{},
      file(4680, 240, QStringLiteral("close_df"), QStringLiteral("close_dn"), 375, 330),
      file(320, 660, QStringLiteral("list_df"), QStringLiteral("list_dn"), 690, 585),
      ButtonPlace{},
      ButtonPlace{},
  };
  return s;
}

}  // namespace

int skinPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kSkinTwipsPerPixel));
}

QPoint skinPixels(const QPoint& twips) { return {skinPixels(twips.x()), skinPixels(twips.y())}; }

QRect skinPixels(const QRect& twips) {
  return QRect(skinPixels(twips.left()), skinPixels(twips.top()), skinPixels(twips.width()),
               skinPixels(twips.height()));
}

const SkinLayout& skinLayout(Scheme scheme) {
  static const std::array<SkinLayout, 3> layouts{canvas(), face(), love()};
  return layouts.at(static_cast<std::size_t>(scheme) - 1);
}

QString skinButtonTip(SkinButton button) {
  static const std::array<const char*, kSkinButtons> tips{
      "最小化",   "返回到完整模式", "播放", "暂停",   "上一首", "下一首",
      "播放选项", "打开",           "关闭", "目录栏", "上一帧", "下一帧"};
  return QString::fromUtf8(tips.at(static_cast<std::size_t>(button)));
}

}  // namespace quelvo::skins
