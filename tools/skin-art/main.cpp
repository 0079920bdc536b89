// Draws the pictures of the three picture skins and their window shapes into
// a Skins folder: skin-art <Skins folder>. Every picture is also drawn at
// twice the size, as "<name>@2x", for screens of two device pixels to the pixel.

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

#include "LayoutCheck.h"
#include "ShapeRectangles.h"
#include "SkinPictures.h"
#include "skins/RegionFile.h"

namespace {

using namespace quelvo::skinart;
using quelvo::skins::encodeRegionFile;
using quelvo::skins::readRegionFile;

bool writeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool writePicture(const QString& path, const QImage& picture) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG") && file.commit();
}

// Writes each picture as its name followed by the suffix; false if any failed.
bool writePictures(const QDir& folder, const std::vector<Picture>& pictures,
                   const QString& suffix) {
  bool written = true;
  for (const Picture& picture : pictures) {
    written = writePicture(folder.filePath(picture.name + suffix), picture.image) && written;
  }
  return written;
}

// Writes one scheme's folder; false after reporting what went wrong.
bool writeScheme(const SchemeArt& art, const QDir& skins) {
  const SkinLayout& layout = art.layout();
  const std::vector<Picture> pictures = schemePictures(art, 1);
  const QImage& frame = pictures.front().image;
  // The shape, in window pixels, comes from the 1x frame and is checked as the
  // player will read it back.
  const QByteArray region = encodeRegionFile(shapeRectangles(frame));
  const QRegion shape = readRegionFile(region, frame.size()).shape.value_or(QRegion());
  const QStringList problems = layoutProblems(art, frame.size(), shape);
  for (const QString& problem : problems) {
    std::fprintf(stderr, "skin-art: %s: %s\n", qPrintable(layout.folder), qPrintable(problem));
  }
  if (!problems.isEmpty()) return false;
  if (!skins.mkpath(layout.folder)) {
    std::fprintf(stderr, "skin-art: cannot make %s\n", qPrintable(skins.filePath(layout.folder)));
    return false;
  }
  const QDir folder(skins.filePath(layout.folder));
  bool written = writeFile(folder.filePath(layout.regionFile), region);
  written = writePictures(folder, pictures, QString()) && written;
  written = writePictures(folder, schemePictures(art, 2), QStringLiteral("@2x")) && written;
  if (!written) std::fprintf(stderr, "skin-art: cannot write %s\n", qPrintable(folder.path()));
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skin-art <Skins folder>\n");
    return 2;
  }
  const QDir skins(QFile::decodeName(argv[1]));
  bool ok = true;
  for (quelvo::skins::Scheme scheme : quelvo::skins::kSchemes) {
    ok = writeScheme(*makeSchemeArt(scheme), skins) && ok;
  }
  return ok ? 0 : 1;
}
