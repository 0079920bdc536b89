#pragma once

#include <QFont>

namespace quelvo::core {

// 宋体 with the serif CJK families that stand in for it on other systems.
QFont songtiFont(double points);
// 黑体 with its sans-serif CJK stand-ins.
QFont heitiFont(double points, bool bold = false);
// A font with the arrow and triangle symbols of the small glyph buttons.
QFont symbolFont(double points);
// Installs the CJK fallbacks as the application's default families, so Chinese
// captions never show as boxes.
void installInterfaceFonts();

}  // namespace quelvo::core
