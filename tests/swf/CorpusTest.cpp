#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <QTextStream>

#include "swf/model/Movie.h"

namespace quelvo::swf {
namespace {

// Rows of a headers.tsv, keyed by column name (see the corpus README).
using Row = QHash<QString, QString>;

QString corpusFolder(const char* name) {
  const QDir folder(QStringLiteral(QUELVO_CORPUS_DIR "/") + QLatin1String(name));
  return folder.exists() ? folder.absolutePath() : QString();
}

QList<Row> readTable(const QString& path) {
  QList<Row> rows;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return rows;
  QTextStream text(&file);
  const QStringList columns = text.readLine().split(QLatin1Char('\t'));
  while (!text.atEnd()) {
    const QStringList cells = text.readLine().split(QLatin1Char('\t'));
    Row row;
    for (int i = 0; i < columns.size() && i < cells.size(); ++i) row[columns[i]] = cells[i];
    rows.append(row);
  }
  return rows;
}

// Compares what we read with what the reference scanner read.
void expectAgreesWithReference(const QString& folder, const Row& row) {
  const QString name = row[QStringLiteral("file")];
  SCOPED_TRACE(name.toStdString());
  const auto movie = Movie::load((folder + QLatin1Char('/') + name).toStdU16String());
  const QString signature = row[QStringLiteral("signature")];
  if (signature != QLatin1String("FWS") && signature != QLatin1String("CWS") &&
      signature != QLatin1String("ZWS")) {
    ASSERT_FALSE(movie.has_value());
    EXPECT_EQ(movie.error().offset, 0u);
    return;
  }
  if (row[QStringLiteral("stage_xmin")].isEmpty()) {  // the header itself was unreadable
    EXPECT_FALSE(movie.has_value());
    return;
  }
  ASSERT_TRUE(movie.has_value()) << movie.error().describe();
  const Movie& m = **movie;
  const auto number = [&](const char* column) { return row[QLatin1String(column)].toLongLong(); };
  EXPECT_EQ(QLatin1String(m.header().signature()), signature);
  EXPECT_EQ(m.version(), number("version"));
  EXPECT_EQ(m.header().declaredLength, number("file_length_header"));
  EXPECT_EQ(m.stageRect(), (Rect{static_cast<std::int32_t>(number("stage_xmin")),
                                 static_cast<std::int32_t>(number("stage_xmax")),
                                 static_cast<std::int32_t>(number("stage_ymin")),
                                 static_cast<std::int32_t>(number("stage_ymax"))}));
  EXPECT_DOUBLE_EQ(m.frameRate(), row[QStringLiteral("frame_rate")].toDouble());
  EXPECT_EQ(m.headerFrameCount(), number("frame_count"));
  EXPECT_EQ(m.tagCount(), static_cast<std::size_t>(number("tag_count")));
  EXPECT_GE(m.frameCount(), 1u);
  const QString badOffset = row[QStringLiteral("first_bad_offset")];
  if (badOffset.isEmpty()) {
    EXPECT_FALSE(m.root().streamBreak) << m.root().streamBreak->note();
  } else {
    ASSERT_TRUE(m.root().streamBreak);
    EXPECT_EQ(m.root().streamBreak->offset, badOffset.toULongLong());
    EXPECT_TRUE(m.salvaged());
  }
}

class CorpusTest : public testing::TestWithParam<const char*> {};

TEST_P(CorpusTest, EveryFileParsesOrFailsCleanly) {
  const QString folder = corpusFolder(GetParam());
  if (folder.isEmpty()) GTEST_SKIP() << "corpus not present";
  const QStringList files = QDir(folder).entryList({QStringLiteral("*.swf")}, QDir::Files);
  EXPECT_FALSE(files.isEmpty());
  for (const QString& name : files) {
    const auto movie = Movie::load((folder + QLatin1Char('/') + name).toStdU16String());
    if (movie) {
      EXPECT_EQ((*movie)->frames().size(), (*movie)->frameCount()) << name.toStdString();
    } else {
      EXPECT_FALSE(movie.error().message.empty()) << name.toStdString();
    }
  }
}

TEST_P(CorpusTest, HeadersAndTagCountsAgreeWithTheReference) {
  const QString folder = corpusFolder(GetParam());
  if (folder.isEmpty()) GTEST_SKIP() << "corpus not present";
  const QList<Row> rows = readTable(folder + QStringLiteral("/headers.tsv"));
  EXPECT_FALSE(rows.isEmpty());
  for (const Row& row : rows) expectAgreesWithReference(folder, row);
}

INSTANTIATE_TEST_SUITE_P(Folders, CorpusTest, testing::Values("wild", "corrupt"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace quelvo::swf
