#pragma once

#include <QIcon>
#include <QPixmap>

namespace quelvo::core {

// The program's own pictures, drawn in code: the splash and the window icon.
QPixmap splashPicture(const QSize& size);
QIcon programIcon();

}  // namespace quelvo::core
