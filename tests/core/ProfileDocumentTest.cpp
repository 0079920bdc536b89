#include <gtest/gtest.h>

#include <QStringEncoder>

#include "core/settings/ProfileDocument.h"

namespace quelvo::core {
namespace {

ProfileDocument parse(const QByteArray& bytes) { return ProfileDocument::fromBytes(bytes); }

TEST(ProfileDocumentTest, NamesMatchWithoutLetterCaseAndKeepTheirSpelling) {
  ProfileDocument document = parse("[Win]\r\nWidth=9000\r\n");
  EXPECT_EQ(document.read(QStringLiteral("WIN"), QStringLiteral("width")), u"9000");
  EXPECT_TRUE(document.set(QStringLiteral("wIN"), QStringLiteral("WIDTH"), QStringLiteral("1")));
  EXPECT_EQ(document.toBytes(), "[Win]\r\nWidth=1\r\n");
}

TEST(ProfileDocumentTest, ReadTrimsBlanksAndOneMatchingPairOfQuotes) {
  const ProfileDocument document = parse(
      " \t[ S ] \r\n\t k \t=  v w \t\r\nq=\"  x  \"\r\ns='y'\r\nm=\"z'\r\none=\"\r\nnone=\r\n");
  const std::pair<const char*, const char*> cases[] = {
      {"k", "v w"}, {"q", "  x  "}, {"s", "y"}, {"m", "\"z'"}, {"one", "\""}, {" NONE ", ""}};
  for (const auto& [key, value] : cases) {
    EXPECT_EQ(document.read(QStringLiteral("s"), QString::fromLatin1(key)), QLatin1String(value));
  }
  EXPECT_TRUE(document.hasKey(QStringLiteral("s"), QStringLiteral("none")));
  EXPECT_FALSE(document.hasKey(QStringLiteral("s"), QStringLiteral("absent")));
  EXPECT_EQ(document.read(QStringLiteral("absent"), QStringLiteral("k")), u"");
}

TEST(ProfileDocumentTest, ReadCutsLongValuesTo254Characters) {
  ProfileDocument document;
  const QString s = QStringLiteral("S");
  document.set(s, QStringLiteral("long"), QString(300, u'a'));
  document.set(s, QStringLiteral("quoted"), u'"' + QString(254, u'b') + u'"');
  // A cut between the halves of a surrogate pair would leave half a character.
  document.set(s, QStringLiteral("pair"), QString(253, u'c') + QStringLiteral("😀d"));
  EXPECT_EQ(document.read(s, QStringLiteral("long")), QString(254, u'a'));
  EXPECT_EQ(document.read(s, QStringLiteral("quoted")), QString(254, u'b'));
  EXPECT_EQ(document.read(s, QStringLiteral("pair")), QString(253, u'c'));
  // The file keeps the whole value.
  EXPECT_TRUE(document.toBytes().contains("long=" + QByteArray(300, 'a') + "\r\n"));
}

TEST(ProfileDocumentTest, UntouchedLinesKeepTheirBytes) {
  const QByteArray before =
      "; comment=1\n[A]\nodd line\n  key = old ; not a comment\n\x01\xFF junk\n\n[B]\rx=1";
  ProfileDocument document = parse(before);
  EXPECT_EQ(document.toBytes(), before);
  document.set(QStringLiteral("a"), QStringLiteral("KEY"), QStringLiteral("new"));
  QByteArray expected = before;
  expected.replace("  key = old ; not a comment\n", "key=new\r\n");
  EXPECT_EQ(document.toBytes(), expected);
}

TEST(ProfileDocumentTest, AcceptsEveryLineEndBomAndNoFinalNewline) {
  const QByteArray before = "\xEF\xBB\xBF[A]\r\na=1\nb=2\rc=3";
  ProfileDocument document = parse(before);
  for (const char* key : {"a", "b", "c"}) {
    EXPECT_TRUE(document.hasKey(QStringLiteral("A"), QString::fromLatin1(key))) << key;
  }
  EXPECT_EQ(document.read(QStringLiteral("A"), QStringLiteral("c")), u"3");
  // The last line gets a line end so that the new key starts a line of its own.
  document.set(QStringLiteral("A"), QStringLiteral("d"), QStringLiteral("4"));
  EXPECT_EQ(document.toBytes(), before + "\r\nd=4\r\n");
}

TEST(ProfileDocumentTest, NewKeysGoBeforeTrailingBlankLinesAndNewSectionsAtTheEnd) {
  ProfileDocument document = parse("[A]\r\na=1\r\n\r\n; about B\r\n\r\n[B]\r\nb=1\r\n\r\n");
  document.set(QStringLiteral("A"), QStringLiteral("a2"), QStringLiteral("2"));
  document.set(QStringLiteral("B"), QStringLiteral("b2"), QStringLiteral("2"));
  document.set(QStringLiteral("C"), QStringLiteral("c"), QStringLiteral("3"));
  EXPECT_EQ(document.toBytes(),
            "[A]\r\na=1\r\n\r\n; about B\r\na2=2\r\n\r\n[B]\r\nb=1\r\nb2=2\r\n\r\n[C]\r\nc=3\r\n");
  ProfileDocument empty;
  empty.set(QStringLiteral(" S "), QStringLiteral(" k "), QStringLiteral("v"));
  EXPECT_EQ(empty.toBytes(), "[S]\r\nk=v\r\n");
}

TEST(ProfileDocumentTest, DuplicatesUseTheFirstAndRemovalsTakeThemAll) {
  ProfileDocument document =
      parse("[S]\r\nk=1\r\nk=2\r\nx=0\r\n[s]\r\nk=3\r\nonly=4\r\n[T]\r\nt=5\r\n");
  const QString s = QStringLiteral("S");
  EXPECT_EQ(document.read(s, QStringLiteral("k")), u"1");
  EXPECT_FALSE(document.hasKey(s, QStringLiteral("only")));
  document.set(s, QStringLiteral("k"), QStringLiteral("9"));
  EXPECT_EQ(document.toBytes(),
            "[S]\r\nk=9\r\nk=2\r\nx=0\r\n[s]\r\nk=3\r\nonly=4\r\n[T]\r\nt=5\r\n");

  document.removeKey(s, QStringLiteral("K"));
  EXPECT_FALSE(document.hasKey(s, QStringLiteral("k")));
  EXPECT_EQ(document.read(s, QStringLiteral("x")), u"0");
  document.removeSection(QStringLiteral("s"));
  EXPECT_EQ(document.toBytes(), "[T]\r\nt=5\r\n");
  document.set(s, QStringLiteral("k"), QStringLiteral("1"));
  EXPECT_EQ(document.read(s, QStringLiteral("k")), u"1");
}

TEST(ProfileDocumentTest, RefusesTextThatWouldNotReadBackAsOneLine) {
  ProfileDocument document = parse("[S]\r\nk=1\r\n");
  const QString s = QStringLiteral("S");
  EXPECT_FALSE(document.set(s, QStringLiteral("k"), QStringLiteral("2\r\n[Other]\r\nx=1")));
  EXPECT_FALSE(document.set(QStringLiteral("S]\n[T"), QStringLiteral("k"), QStringLiteral("2")));
  for (const char* key : {"", " ", "a=b", ";k", "[k]", "k\n"}) {
    EXPECT_FALSE(document.set(s, QString::fromLatin1(key), QStringLiteral("2"))) << key;
  }
  EXPECT_EQ(document.toBytes(), "[S]\r\nk=1\r\n");
}

TEST(ProfileDocumentTest, JunkNulsAndHugeLinesAreReadWithoutHarm) {
  QByteArray bytes;
  for (int i = 0; i < 70000; ++i) bytes.append(static_cast<char>((i * 7919) % 256));
  const QByteArray huge(8 * 1024 * 1024, 'x');
  static constexpr char kNulLine[] = "\n[S]\nnul=a\0b\n";
  bytes += QByteArray(kNulLine, sizeof kNulLine - 1) + "huge=" + huge + "\n[" + huge;
  ProfileDocument document = parse(bytes);
  EXPECT_EQ(document.toBytes(), bytes);
  EXPECT_EQ(document.read(QStringLiteral("S"), QStringLiteral("nul")),
            QStringLiteral("a") + QChar() + QStringLiteral("b"));
  EXPECT_EQ(document.read(QStringLiteral("S"), QStringLiteral("huge")), QString(254, u'x'));
  document.set(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
  EXPECT_EQ(document.read(QStringLiteral("S"), QStringLiteral("k")), u"v");
}

TEST(ProfileDocumentTest, LinesBeyondTheIndexLimitAreKeptButNotSeen) {
  QByteArray bytes = "[S]\n";
  for (qsizetype i = 1; i < ProfileDocument::kMaxIndexedLines; ++i) bytes += "k=1\n";
  bytes += "last=2\n[T]\nt=3\n";
  ProfileDocument document = parse(bytes);
  EXPECT_EQ(document.read(QStringLiteral("S"), QStringLiteral("k")), u"1");
  EXPECT_FALSE(document.hasKey(QStringLiteral("S"), QStringLiteral("last")));
  EXPECT_FALSE(document.hasKey(QStringLiteral("T"), QStringLiteral("t")));
  EXPECT_EQ(document.toBytes(), bytes);
}

TEST(ProfileDocumentTest, Gb18030FileIsReadAndExtendedInGb18030) {
  QStringEncoder encoder("GB18030");
  // The second byte of 乚 is ']' (0x5D).
  const QByteArray before = encoder.encode(QStringLiteral("[乚]\r\n名称=设置\r\n"));
  ProfileDocument document = parse(before);
  EXPECT_EQ(document.read(QStringLiteral("乚"), QStringLiteral("名称")), u"设置");
  document.set(QStringLiteral("乚"), QStringLiteral("新"), QStringLiteral("值"));
  EXPECT_EQ(document.toBytes(), before + encoder.encode(QStringLiteral("新=值\r\n")));
}

}  // namespace
}  // namespace quelvo::core
