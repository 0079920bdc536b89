#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <iostream>
#include <map>
#include <string>

#include "swf/bitmap/Bitmap.h"
#include "swf/format/TagCodes.h"
#include "swf/model/Movie.h"

namespace quelvo::swf {
namespace {

std::span<const std::uint8_t> firstJpegTables(const Movie& movie) {
  for (const TagRecord& record : movie.definitions()) {
    if (record.code == tags::JpegTables) return record.body;
  }
  return {};
}

// Decodes every bitmap definition of the public and wild movies: none may
// crash, every picture that decodes is usable, and the tally is reported.
TEST(BitmapCorpusTest, EveryBitmapOfTheCorpusDecodesOrFailsCleanly) {
  const QDir corpus(QStringLiteral(QUELVO_CORPUS_DIR));
  if (!corpus.exists()) GTEST_SKIP() << "corpus not present";
  std::size_t movies = 0;
  std::map<std::string, std::pair<std::size_t, std::size_t>> tally;  // decoded, seen
  for (const char* folder : {"public", "wild"}) {
    QDirIterator files(corpus.filePath(QLatin1String(folder)), {QStringLiteral("*.swf")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
      const QString path = files.next();
      const auto movie = Movie::load(path.toStdU16String());
      if (!movie) continue;
      ++movies;
      const auto tables = firstJpegTables(**movie);
      for (const TagRecord& record : (*movie)->definitions()) {
        if (!isBitmapTag(record.code)) continue;
        auto& [decoded, seen] = tally[tagName(record.code)];
        ++seen;
        const auto bitmap = decodeBitmap(record, tables);
        if (!bitmap) {
          std::cout << "  " << corpus.relativeFilePath(path).toStdString() << ": "
                    << tagName(record.code) << ": " << bitmap.error().describe() << "\n";
          continue;
        }
        ++decoded;
        EXPECT_FALSE(bitmap->image.isNull());
        EXPECT_EQ(bitmap->image.format(), QImage::Format_ARGB32_Premultiplied);
      }
    }
  }
  std::cout << "bitmaps decoded in " << movies << " movies:\n";
  for (const auto& [name, counts] : tally) {
    std::cout << "  " << name << ": " << counts.first << " of " << counts.second << "\n";
  }
  EXPECT_GT(movies, 0u);
}

}  // namespace
}  // namespace quelvo::swf
