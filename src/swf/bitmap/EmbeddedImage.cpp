#include "swf/bitmap/EmbeddedImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <algorithm>
#include <array>
#include <string>

#include "swf/bitmap/Bitmap.h"

namespace quelvo::swf {

namespace {

// No JPEG, PNG or GIF encodes more pixels per byte of file (a 1-bit PNG
// coded at deflate's best ratio comes closest, at about 8300).
constexpr std::uint64_t kMaxPixelsPerByte = 16384;

bool startsWith(std::span<const std::uint8_t> data, std::span<const std::uint8_t> prefix) {
  return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

const char* formatName(ImageKind kind) {
  switch (kind) {
    case ImageKind::Jpeg:
      return "jpeg";
    case ImageKind::Png:
      return "png";
    case ImageKind::Gif:
      return "gif";
    case ImageKind::Unknown:
      break;
  }
  return "";
}

}  // namespace

ImageKind sniffImageKind(std::span<const std::uint8_t> data) {
  static constexpr std::array<std::uint8_t, 8> kPng{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  static constexpr std::array<std::uint8_t, 6> kGif87{'G', 'I', 'F', '8', '7', 'a'};
  static constexpr std::array<std::uint8_t, 6> kGif89{'G', 'I', 'F', '8', '9', 'a'};
  static constexpr std::array<std::uint8_t, 2> kJpeg{0xFF, 0xD8};
  static constexpr std::array<std::uint8_t, 4> kStrayJpeg{0xFF, 0xD9, 0xFF, 0xD8};
  if (startsWith(data, kPng)) return ImageKind::Png;
  if (startsWith(data, kGif87) || startsWith(data, kGif89)) return ImageKind::Gif;
  if (startsWith(data, kJpeg) || startsWith(data, kStrayJpeg)) return ImageKind::Jpeg;
  return ImageKind::Unknown;
}

Expected<QImage> decodeEmbeddedImage(std::span<const std::uint8_t> data, ImageKind kind,
                                     std::uint64_t offset) {
  const std::string name = formatName(kind);
  if (name.empty()) return Error{"image data is not JPEG, PNG or GIF", offset};
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                             static_cast<qsizetype>(data.size()));
  QBuffer device(&bytes);
  device.open(QIODevice::ReadOnly);
  QImageReader reader(&device, QByteArray(name.c_str()));
  reader.setAutoDetectImageFormat(false);
  reader.setAutoTransform(false);

  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) {
    return Error{name + " header unreadable: " + reader.errorString().toStdString(), offset};
  }
  const std::uint64_t pixels = std::uint64_t(size.width()) * std::uint64_t(size.height());
  const std::string declared =
      name + " size " + std::to_string(size.width()) + "x" + std::to_string(size.height());
  if (pixels > kMaxBitmapPixels) return Error{declared + " is too large", offset};
  if (pixels > data.size() * kMaxPixelsPerByte) {
    return Error{declared + " is more than " + std::to_string(data.size()) + " bytes can hold",
                 offset};
  }
  QImage image;
  if (!reader.read(&image)) {
    return Error{name + " data unreadable: " + reader.errorString().toStdString(), offset};
  }
  image.convertTo(QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return Error{"no memory for the " + name + " picture", offset};
  return image;
}

}  // namespace quelvo::swf
