#include "support/MovieFiles.h"

namespace quelvo::test {

QString writeMovie(const TempProgramFolder& folder, const QString& name,
                   const std::vector<std::uint8_t>& bytes) {
  folder.writeFile(name, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                    static_cast<qsizetype>(bytes.size())));
  return folder.filePath(name);
}

std::vector<std::uint8_t> simpleMovie(int frames, double rate, swftest::Colour background,
                                      bool actionScript3) {
  swftest::TagStream tags;
  if (actionScript3) tags.fileAttributes(true);
  tags.backgroundColor(background);
  tags.defineRectangle(1, {0, 2000, 0, 2000}, {200, 0, 0});
  tags.placeObject(swftest::Placement::place(1, 1));
  for (int f = 0; f < frames; ++f) tags.showFrame();
  tags.end();
  swftest::MovieOptions options;
  options.frameRate = rate;
  return swftest::buildMovie(options, tags);
}

}  // namespace quelvo::test
