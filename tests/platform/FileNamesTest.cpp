#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "platform/FileNames.h"

namespace quelvo::test {
namespace {

namespace fs = std::filesystem;
using platform::fromNativePath;
using platform::toNativePath;

const std::string kGb18030Name = "\xd2\xb9\xc7\xfa.swf";       // 夜曲.swf
const std::string kUtf8Name = "\xe5\xa4\x9c\xe6\x9b\xb2.swf";  // 夜曲.swf
const std::string kLatin1Name = "caf\xe9.swf";                 // neither UTF-8 nor GB18030

// A temporary folder for names in any encoding; removed by std::filesystem, which, unlike Qt,
// can name them all.
class FileNames : public ::testing::Test {
 protected:
  ~FileNames() override {
    std::error_code ignored;
    fs::remove_all(root_ / "t", ignored);
  }
  fs::path make(const std::string& relative) const {
    const fs::path path = root_ / "t" / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path).put('x');
    return path;
  }
  QTemporaryDir dir_;
  fs::path root_{dir_.path().toStdString()};
};

#ifndef Q_OS_WIN
TEST_F(FileNames, EveryNameReadsBackAsItsOwnBytes) {
  int folder = 0;  // one folder each: the same text in two encodings side by side is another test
  for (const std::string& name :
       {kUtf8Name, kGb18030Name, kLatin1Name, "\xd2\xb9/" + kLatin1Name, std::string("a.swf")}) {
    const std::string relative = std::to_string(++folder) + "/" + name;
    const fs::path native = make(relative);
    const QString shown = fromNativePath(native);
    EXPECT_EQ(toNativePath(shown).native(), native.native()) << relative;
    EXPECT_TRUE(platform::isFile(shown)) << relative;
  }
}

TEST_F(FileNames, NamesShowAsTheirTextWhateverTheirEncoding) {
  const QString folder = fromNativePath(root_ / "t") + u'/';
  EXPECT_EQ(fromNativePath(root_ / "t" / kGb18030Name), folder + QStringLiteral("夜曲.swf"));
  EXPECT_EQ(fromNativePath(root_ / "t" / kUtf8Name), folder + QStringLiteral("夜曲.swf"));
  // A stray byte stays apart from the text around it.
  EXPECT_EQ(fromNativePath(root_ / "t" / kLatin1Name),
            folder + QStringLiteral("caf") + QChar(0xDCE9) + QStringLiteral(".swf"));
}

TEST_F(FileNames, AShownNameFindsWhicheverEncodingIsOnDisk) {
  const QString shown = fromNativePath(root_ / "t") + QStringLiteral("/夜曲.swf");
  EXPECT_EQ(toNativePath(shown).filename().native(), kUtf8Name) << "nothing there: UTF-8";
  EXPECT_FALSE(platform::exists(shown));
  make(kGb18030Name);
  EXPECT_EQ(toNativePath(shown).filename().native(), kGb18030Name);
  EXPECT_TRUE(platform::isFile(shown));
  EXPECT_FALSE(platform::isFolder(shown));
  make(kUtf8Name);
  EXPECT_EQ(toNativePath(shown).filename().native(), kUtf8Name) << "both there: UTF-8 first";
}

TEST_F(FileNames, HiddenMeansADotAtTheStartOfTheName) {
  EXPECT_TRUE(platform::isHidden(QStringLiteral("/a/.b.swf")));
  EXPECT_FALSE(platform::isHidden(QStringLiteral("/a/.b/c.swf")));
  EXPECT_FALSE(platform::isHidden(QStringLiteral("c.swf")));
}
#endif

}  // namespace
}  // namespace quelvo::test
