#pragma once

#include <QImage>

#include "swf/effects/FilterParams.h"

namespace quelvo::swf::effects {

// The largest kernel side a convolution runs with; a larger (or empty or
// short) kernel leaves the image as it is.
inline constexpr int kMaxKernelSide = 15;

// Convolves the unpremultiplied channels (alpha too unless preserveAlpha).
// A divisor of 0 (or not finite) divides by 1.
QImage applyConvolution(const QImage& source, const ConvolutionParams& params);

}  // namespace quelvo::swf::effects
