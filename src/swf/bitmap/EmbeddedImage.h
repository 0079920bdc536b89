#pragma once

#include <QImage>
#include <cstdint>
#include <span>

#include "swf/base/Expected.h"

namespace quelvo::swf {

enum class ImageKind { Unknown, Jpeg, Png, Gif };

// What picture format the data holds, from its first bytes. JPEG data may
// start with a stray end+start marker pair, as some movies have it.
ImageKind sniffImageKind(std::span<const std::uint8_t> data);

// Decodes a whole JPEG, PNG or GIF file (a GIF's first frame) with Qt's
// reader for that format only, never a format guessed by Qt. The declared
// size is checked against kMaxBitmapPixels and against what the data could
// possibly encode before the picture is allocated. Data the reader gives up
// on part-way may still yield a picture: what the reader decoded, the rest
// filled as the reader fills it. Errors carry `offset`, where the data starts.
Expected<QImage> decodeEmbeddedImage(std::span<const std::uint8_t> data, ImageKind kind,
                                     std::uint64_t offset);

}  // namespace quelvo::swf
