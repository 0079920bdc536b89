#pragma once

#include <QStringList>

class QWidget;

namespace quelvo::test {

// The object names of the named widgets and actions under root that a screen
// reader would find without a name. Qt's own parts ("qt_...") are left out.
QStringList unnamedParts(const QWidget& root);

}  // namespace quelvo::test
