#include <gtest/gtest.h>

#include <QStringEncoder>

#include "platform/TextEncoding.h"

namespace quelvo::platform {
namespace {

QByteArray gb18030(const QString& text) {
  QStringEncoder encoder("GB18030");
  return encoder.encode(text);
}

TEST(TextEncodingTest, Utf8ValidationIsStrict) {
  EXPECT_TRUE(isValidUtf8(QByteArray()));
  EXPECT_TRUE(isValidUtf8(QStringLiteral("设置 😀 plain").toUtf8()));
  EXPECT_TRUE(isValidUtf8(QByteArray("a\0b", 3)));
  EXPECT_FALSE(isValidUtf8("\xC0\x80"));          // overlong
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(isValidUtf8("ok\xE8\xAE"));        // cut off at the end
  EXPECT_FALSE(isValidUtf8("\x80"));              // lone continuation byte
  EXPECT_FALSE(isValidUtf8(gb18030(QStringLiteral("设置"))));
}

TEST(TextEncodingTest, DecodesUtf8WithOrWithoutBomElseGb18030) {
  const QString text = QStringLiteral("[列表]\r\n1=C:\\游戏\\a.swf|游戏😀");
  EXPECT_EQ(decodeText(text.toUtf8()), text);
  EXPECT_EQ(decodeText("\xEF\xBB\xBF" + text.toUtf8()), text);
  EXPECT_EQ(decodeText(gb18030(text)), text);  // 😀 is outside code page 936: four bytes
  EXPECT_EQ(encodeWith(TextCodec::Gb18030, text), gb18030(text));
#ifndef Q_OS_WIN
  EXPECT_EQ(encodeText(text), text.toUtf8());
#endif
}

TEST(TextEncodingTest, InvalidBytesBecomeReplacementCharacters) {
  // 0x80 and 0xFF are never valid; 0x81 at the very end starts a sequence that never completes.
  EXPECT_EQ(decodeText(QByteArray("a\x80"
                                  "b\xFF\0c\x81",
                                  7)),
            QStringLiteral("a\uFFFDb\uFFFD") + QChar() + QStringLiteral("c\uFFFD"));
  // A BOM declares UTF-8 even when invalid bytes follow.
  EXPECT_EQ(decodeText("\xEF\xBB\xBF"
                       "a\xFF"),
            QStringLiteral("a\uFFFD"));
}

}  // namespace
}  // namespace quelvo::platform
