#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace quelvo::swf {

// Installed families for a font a movie names but does not embed: the
// generic _sans, _serif and _typewriter, or a family such as 宋体 or Arial.
// The list starts with the name itself and goes on through stand-ins of the
// same kind and then CJK families, so Chinese text never shows as boxes.
QStringList deviceFontFamilies(const QString& name);

// Whether device fonts can be used: Qt's fonts need a GUI application.
bool deviceFontsAvailable();

// A font of those families, sized in twips per EM (one font pixel per twip).
QFont deviceFont(const QString& name, int twipsPerEm, bool bold, bool italic);

}  // namespace quelvo::swf
