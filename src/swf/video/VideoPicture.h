#pragma once

#include <QImage>

struct AVFrame;

namespace quelvo::swf {

// A decoded frame as a premultiplied ARGB picture, its top-left corner up to
// `size` (a frame decoded larger than the stream's size is cropped). Reads
// planar YUV 4:2:0 with BT.601 video-range coefficients, with or without an
// alpha plane, and packed BGR; a null image for any other layout or a size
// past the video limits.
QImage videoPicture(const AVFrame& frame, QSize size);

}  // namespace quelvo::swf
