#pragma once

#include <QBrush>
#include <QImage>
#include <QSize>
#include <QTransform>

namespace quelvo::swf {

// The pixels of a gradient brush, each taking the colour at its centre:
// colours are interpolated linearly (unpremultiplied, per channel) between
// the two stops around that point, sampled along the gradient a small
// fraction of a pixel apart; before the first stop and past the last their
// colours hold. toBrush maps image coordinates into the brush's space (the
// space its transform maps from). A brush without a linear or radial
// gradient gives a transparent image.
QImage gradientTexture(const QBrush& gradient, const QTransform& toBrush, QSize size);

}  // namespace quelvo::swf
