// Writes the demo movies that the run script gives a newcomer to watch, and
// optionally a settings file whose catalog lists them.
//
//   make-sample-movies DIR                     writes DIR/*.swf
//   make-sample-movies --settings FILE DIR     also writes FILE with a catalog of them
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/settings/CatalogLines.h"
#include "core/settings/SettingsStore.h"
#include "support/SwfWriter.h"

namespace {

using namespace quelvo::swftest;

constexpr int kStageWidth = 11000;  // 550 x 400 pixels
constexpr int kStageHeight = 8000;

MovieOptions options(double frameRate, Compression compression) {
  MovieOptions result;
  result.frameRate = frameRate;
  result.compression = compression;
  return result;
}

Polygon square(int half, const Colour& colour) {
  return {colour, {{-half, -half}, {half, -half}, {half, half}, {-half, half}}};
}

Polygon disc(int radius, const Colour& colour, int sides = 24) {
  Polygon polygon{colour, {}};
  for (int i = 0; i < sides; ++i) {
    const double angle = 2 * std::numbers::pi * i / sides;
    polygon.points.push_back({static_cast<std::int32_t>(radius * std::cos(angle)),
                              static_cast<std::int32_t>(radius * std::sin(angle))});
  }
  return polygon;
}

Polygon blade(const Colour& colour) { return {colour, {{0, 0}, {1400, -300}, {1600, 500}}}; }

Matrix rotated(double degrees, int x, int y, double scale = 1.0) {
  const double r = degrees * std::numbers::pi / 180;
  Matrix m;
  m.scaleX = std::cos(r) * scale;
  m.scaleY = std::cos(r) * scale;
  m.rotateSkew0 = std::sin(r) * scale;
  m.rotateSkew1 = -std::sin(r) * scale;
  m.translateX = x;
  m.translateY = y;
  return m;
}

// Three squares bouncing across the stage.
std::vector<std::uint8_t> bouncingSquares() {
  TagStream tags;
  tags.backgroundColor({250, 246, 232});
  const Colour colours[3] = {{230, 60, 60}, {40, 150, 230}, {250, 190, 30}};
  for (int i = 0; i < 3; ++i)
    tags.defineShape(static_cast<std::uint16_t>(i + 1), {square(700, colours[i])});
  const int frames = 72;
  for (int f = 0; f < frames; ++f) {
    for (int i = 0; i < 3; ++i) {
      const double t = 2 * std::numbers::pi * (f + i * 9) / frames;
      const int x = 1800 + static_cast<int>((kStageWidth - 3600) * (0.5 + 0.5 * std::sin(t + i)));
      const int y = 1500 + static_cast<int>((kStageHeight - 3000) * std::abs(std::cos(t * 2 + i)));
      const auto depth = static_cast<std::uint16_t>(i + 1);
      tags.placeObject(f == 0 ? Placement::place(depth, depth, rotated(f * 5.0 * (i + 1), x, y))
                              : Placement::moveTo(depth, rotated(f * 5.0 * (i + 1), x, y)));
    }
    tags.showFrame();
  }
  tags.end();
  return buildMovie(options(24, Compression::None), tags);
}

// A pinwheel turning on a night-blue stage.
std::vector<std::uint8_t> pinwheel() {
  TagStream tags;
  tags.backgroundColor({20, 30, 70});
  const Colour colours[4] = {{240, 80, 90}, {250, 210, 60}, {80, 200, 120}, {90, 160, 250}};
  std::vector<Polygon> blades;
  for (int i = 0; i < 4; ++i) {
    Polygon b = blade(colours[i]);
    const double r = i * std::numbers::pi / 2;
    for (Point& p : b.points) {
      p = {static_cast<std::int32_t>(p.x * std::cos(r) - p.y * std::sin(r)),
           static_cast<std::int32_t>(p.x * std::sin(r) + p.y * std::cos(r))};
    }
    blades.push_back(b);
  }
  blades.push_back(disc(220, {255, 255, 255}));
  tags.defineShape(1, blades);
  tags.defineRectangle(2, {-120, 120, 0, 3200}, {200, 200, 210});
  tags.placeObject(Placement::place(1, 2, Matrix::translate(kStageWidth / 2, kStageHeight / 2)));
  const int frames = 60;
  for (int f = 0; f < frames; ++f) {
    const Matrix m = rotated(f * 6.0, kStageWidth / 2, kStageHeight / 2 - 400);
    tags.placeObject(f == 0 ? Placement::place(2, 1, m) : Placement::moveTo(2, m));
    tags.showFrame();
  }
  tags.end();
  return buildMovie(options(30, Compression::Zlib), tags);
}

// A sun rising and setting over the sea, its sky changing colour.
std::vector<std::uint8_t> sunrise() {
  TagStream tags;
  tags.backgroundColor({120, 190, 240});
  tags.defineShape(1, {disc(1100, {255, 170, 40}, 36)});
  tags.defineRectangle(2, {0, kStageWidth, 0, 2600}, {30, 90, 160});
  const int frames = 96;
  for (int f = 0; f < frames; ++f) {
    const double t = std::sin(std::numbers::pi * f / frames);
    Placement sun = f == 0 ? Placement::place(1, 1) : Placement{};
    sun.depth = 1;
    sun.move = f != 0;
    sun.matrix =
        Matrix::translate(kStageWidth / 2, kStageHeight - 1400 - static_cast<int>(4200 * t));
    ColorTransform glow;
    glow.add = {0, static_cast<std::int16_t>(60 * t), static_cast<std::int16_t>(40 * t), 0};
    sun.colorTransform = glow;
    tags.placeObject(sun);
    if (f == 0) tags.placeObject(Placement::place(2, 2, Matrix::translate(0, kStageHeight - 2600)));
    tags.showFrame();
  }
  tags.end();
  return buildMovie(options(24, Compression::Lzma), tags);
}

// A scale of eight notes, one a second, in the movie's stream sound; a
// bar climbs a step with each note, so picture and sound can be seen to agree.
std::vector<std::uint8_t> scale() {
  constexpr int kRate = 11025;
  constexpr int kFps = 12;
  const double notes[8] = {261.63, 293.66, 329.63, 349.23, 392.00, 440.00, 493.88, 523.25};
  TagStream tags;
  tags.backgroundColor({245, 240, 250});
  tags.defineRectangle(1, {-500, 500, -300, 300}, {150, 80, 200});
  SoundFormatSpec format;
  format.rateCode = 1;
  tags.soundStreamHead(format, kRate / kFps + 1);
  double phase = 0;
  for (int f = 0; f < 8 * kFps; ++f) {
    const int note = f / kFps;
    const int samples = (f + 1) * kRate / kFps - f * kRate / kFps;
    std::vector<std::int16_t> block;
    for (int i = 0; i < samples; ++i) {
      phase += 2 * std::numbers::pi * notes[note] / kRate;
      block.push_back(static_cast<std::int16_t>(std::lround(9000 * std::sin(phase))));
    }
    tags.soundStreamBlock(pcm16(block));
    const Matrix at = Matrix::translate(1200 + note * 1200, kStageHeight - 800 - note * 800);
    tags.placeObject(f == 0 ? Placement::place(1, 1, at) : Placement::moveTo(1, at));
    tags.showFrame();
  }
  tags.end();
  return buildMovie(options(kFps, Compression::Zlib), tags);
}

bool writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

// A first-run settings file that remembers the catalog and shows its panes.
bool writeDemoSettings(const QString& path,
                       const std::vector<quelvo::core::CatalogEntry>& entries) {
  quelvo::core::SettingsStore store(path);
  quelvo::core::ProfileDocument document;
  const char* const exitSwitches[][2] = {{"SAVE", "True"}, {"OPEN", "1"}, {"LOAD", "1"},
                                         {"OPTI", "1"},    {"CONT", "1"}, {"WIN1", "0"},
                                         {"WIN2", "0"},    {"SKIN", "1"}, {"FILE", "1"}};
  for (const auto& [key, value] : exitSwitches) {
    document.set(QStringLiteral("EXIT"), QString::fromLatin1(key), QString::fromLatin1(value));
  }
  for (const char* bar : {"PLAY", "LIST", "SBAR"}) {
    document.set(QStringLiteral("WINDOWS"), QString::fromLatin1(bar), QStringLiteral("True"));
  }
  quelvo::core::writeSettingsCatalog(document, entries);
  return store.save(document);
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  QString settingsPath;
  if (args.size() == 3 && args[0] == QStringLiteral("--settings")) {
    settingsPath = args[1];
    args = args.mid(2);
  }
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: make-sample-movies [--settings FILE] DIR\n");
    return 2;
  }
  const QDir dir(args[0]);
  if (!QDir().mkpath(dir.absolutePath())) {
    std::fprintf(stderr, "error: cannot create %s\n", qPrintable(dir.absolutePath()));
    return 1;
  }
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
  } movies[] = {{"彩色方块", bouncingSquares()},
                {"风车", pinwheel()},
                {"日出日落", sunrise()},
                {"音阶", scale()}};

  std::vector<quelvo::core::CatalogEntry> entries;
  for (const auto& movie : movies) {
    const QString name = QString::fromUtf8(movie.name);
    const QString path =
        QDir::toNativeSeparators(dir.absoluteFilePath(name + QStringLiteral(".swf")));
    if (!writeFile(path, movie.bytes)) {
      std::fprintf(stderr, "error: cannot write %s\n", qPrintable(path));
      return 1;
    }
    entries.push_back({path, name});
  }
  if (!settingsPath.isEmpty() && !writeDemoSettings(settingsPath, entries)) {
    std::fprintf(stderr, "error: cannot write %s\n", qPrintable(settingsPath));
    return 1;
  }
  return 0;
}
