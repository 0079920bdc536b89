#include "skins/SkinArt.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtDebug>

#include "skins/RegionFile.h"

namespace quelvo::skins {

namespace {

// Region files beyond this are damaged: the records read are capped anyway.
constexpr qint64 kMaxRegionFileSize = RegionFile::kMaxRecords * 8 + 8;

std::optional<QPixmap> readPicture(const QString& folder, const QString& name) {
  const QString path = findFile(folder, name);
  if (path.isEmpty()) return std::nullopt;
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  const QImage image = reader.read();
  if (image.isNull()) {
    qWarning("skin picture %s: %s", qUtf8Printable(path), qUtf8Printable(reader.errorString()));
    return std::nullopt;
  }
  return QPixmap::fromImage(image);
}

std::optional<QPixmap> loadPicture(const QString& folder, const QString& name,
                                   qreal devicePixelRatio) {
  if (devicePixelRatio > 1.0) {
    if (std::optional<QPixmap> sharp = readPicture(folder, name + QStringLiteral("@2x"))) {
      sharp->setDevicePixelRatio(2.0);
      return sharp;
    }
  }
  return readPicture(folder, name);
}

// The part of a sheet at a rectangle given in the sheet's own pixels at 1x.
QPixmap cutFrom(const QPixmap& sheet, const QRect& cut) {
  const qreal ratio = sheet.devicePixelRatio();
  QPixmap part = sheet.copy(
      QRectF(QPointF(cut.topLeft()) * ratio, QSizeF(cut.size()) * ratio).toAlignedRect());
  part.setDevicePixelRatio(ratio);
  return part;
}

// False when the file exists but cannot be read.
bool loadShape(const QString& folder, const QString& name, const QSize& picture,
               std::optional<QRegion>& shape) {
  const QString path = findFile(folder, name);
  if (path.isEmpty()) return true;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.read(kMaxRegionFileSize);
  const RegionFile region = readRegionFile(bytes, picture);
  if (region.capped || file.size() > kMaxRegionFileSize) {
    qWarning("skin region %s: only the first %lld rectangles are used", qUtf8Printable(path),
             static_cast<long long>(RegionFile::kMaxRecords));
  }
  shape = region.shape;
  return true;
}

}  // namespace

QString findFile(const QString& folder, const QString& name) {
  const QDir dir(folder);
  for (const QString& entry : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
  }
  return QString();
}

std::optional<SkinArt> loadSkinArt(const QString& programFolder, const SkinLayout& layout,
                                   qreal devicePixelRatio) {
  const QString skins = findFile(programFolder, QStringLiteral("Skins"));
  const QString folder = skins.isEmpty() ? QString() : findFile(skins, layout.folder);
  if (folder.isEmpty()) return std::nullopt;

  SkinArt art;
  const std::optional<QPixmap> frame = loadPicture(folder, layout.frameFile, devicePixelRatio);
  if (!frame) return std::nullopt;
  art.frame = *frame;
  const QSize frameSize = art.frame.deviceIndependentSize().toSize();
  if (!loadShape(folder, layout.regionFile, frameSize, art.shape)) return std::nullopt;
  for (std::size_t i = 0; i < art.sheets.size(); ++i) {
    if (layout.sheets[i].isEmpty()) continue;
    const std::optional<QPixmap> sheet = loadPicture(folder, layout.sheets[i], devicePixelRatio);
    if (!sheet) return std::nullopt;
    art.sheets[i] = *sheet;
  }
  for (int i = 0; i < kSkinButtons; ++i) {
    const ButtonArt& button = layout.buttons[i].art;
    if (button.kind == ButtonArt::Kind::File) {
      const std::optional<QPixmap> normal =
          loadPicture(folder, button.normalFile, devicePixelRatio);
      const std::optional<QPixmap> pressed =
          loadPicture(folder, button.pressedFile, devicePixelRatio);
      if (!normal || !pressed) return std::nullopt;
      art.normal[i] = *normal;
      art.pressed[i] = *pressed;
    } else if (button.kind == ButtonArt::Kind::Cut) {
      art.normal[i] = cutFrom(art.sheets[button.normalSheet], button.cut);
      art.pressed[i] = cutFrom(art.sheets[button.pressedSheet], button.cut);
    }
  }
  return art;
}

}  // namespace quelvo::skins
