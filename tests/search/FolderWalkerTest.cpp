#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>

#include "search/FolderWalker.h"

namespace quelvo::test {
namespace {

using search::walkFolders;

struct Visit {
  QString folder;
  QStringList matches;
};

// A folder tree in a temporary folder, built from paths relative to its root.
class FolderWalk : public ::testing::Test {
 protected:
  QString root() const { return search::startFolder(dir_.path()); }
  QString path(const QString& relative) const { return root() + relative; }

  void makeFolder(const QString& relative) const { ASSERT_TRUE(QDir().mkpath(path(relative))); }
  void makeFile(const QString& relative) const {
    QFile file(path(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  void makeLink(const QString& target, const QString& relative) const {
    ASSERT_TRUE(QFile::link(target, path(relative)));
  }

  // Every visit of a walk from the root, in order.
  std::vector<Visit> walk(const std::atomic<bool>* stop = nullptr) const {
    std::vector<Visit> visits;
    walkFolders(
        root(),
        [&visits](const QString& folder, const QStringList& matches) {
          visits.push_back({folder, matches});
          return true;
        },
        stop);
    return visits;
  }

  QStringList visitedFolders() const {
    QStringList folders;
    for (const auto& visit : walk()) folders.append(visit.folder);
    return folders;
  }

  QStringList allMatches() const {
    QStringList matches;
    for (const auto& visit : walk()) matches += visit.matches;
    return matches;
  }

  QTemporaryDir dir_;
};

TEST(MovieName, EndsWithSwfInAnyCase) {
  for (const char* name : {"a.swf", "B.SWF", "c.Swf", "d.sWf", ".swf", "夜曲.swf", "x.y.swf"}) {
    EXPECT_TRUE(search::isMovieName(QString::fromUtf8(name))) << name;
  }
  for (const char* name : {"", "swf", "a.swfx", "a.swf.bak", "a_swf", "a.sw", "a.swf ",
                           "a.\u017fwf" /* long s, which Unicode folds to s */}) {
    EXPECT_FALSE(search::isMovieName(QString::fromUtf8(name))) << name;
  }
}

TEST(StartFolder, EndsWithExactlyOneSlash) {
  EXPECT_EQ(search::startFolder(QStringLiteral("/home/u/动画")), QStringLiteral("/home/u/动画/"));
  EXPECT_EQ(search::startFolder(QStringLiteral("/home/u/")), QStringLiteral("/home/u/"));
  EXPECT_EQ(search::startFolder(QStringLiteral("/home/u///")), QStringLiteral("/home/u/"));
  EXPECT_EQ(search::startFolder(QStringLiteral("/")), QStringLiteral("/"));
  EXPECT_EQ(search::startFolder(QStringLiteral("//")), QStringLiteral("/"));
  EXPECT_EQ(search::startFolder(QString()), QString());
}

TEST_F(FolderWalk, ListsNamesEndingInSwfWithFullPaths) {
  makeFile("a.swf");
  makeFile("B.SWF");
  makeFile("c.swfx");
  makeFile("d.swf.bak");
  makeFile("swf");
  makeFolder("clip.Swf");  // a folder named like a movie is listed and entered
  makeFile("clip.Swf/inner.swf");

  QStringList matches = allMatches();
  matches.sort();
  EXPECT_EQ(matches, QStringList({path("B.SWF"), path("a.swf"), path("clip.Swf"),
                                  path("clip.Swf/inner.swf")}));
}

TEST_F(FolderWalk, VisitsEachFolderBeforeItsSubfoldersDepthFirst) {
  for (const char* folder : {"p1.swf/q/r", "p2.swf/q", "p3.swf"}) makeFolder(folder);
  for (const char* file : {"p1.swf/q/r/m.swf", "p2.swf/q/m.swf", "p2.swf/m.swf"}) makeFile(file);

  const auto visits = walk();
  ASSERT_EQ(visits.size(), 7u);
  EXPECT_EQ(visits[0].folder, root());
  // The root's subfolders, in the order its listing reports them, are entered in that order,
  // each with all of its own subfolders before the next.
  ASSERT_EQ(visits[0].matches.size(), 3);
  std::vector<QString> expected{root()};
  for (const QString& top : visits[0].matches) {
    expected.push_back(top + "/");
    if (top.endsWith("p1.swf")) expected.insert(expected.end(), {top + "/q/", top + "/q/r/"});
    if (top.endsWith("p2.swf")) expected.push_back(top + "/q/");
  }
  std::vector<QString> folders;
  for (const auto& visit : visits) folders.push_back(visit.folder);
  EXPECT_EQ(folders, expected);
  for (const auto& visit : visits) {
    for (const QString& match : visit.matches) {
      EXPECT_EQ(match.section('/', 0, -2) + '/', visit.folder) << match.toStdString();
    }
  }
}

TEST_F(FolderWalk, CountsFoldersAndMatches) {
  makeFolder("a/b");
  makeFile("x.swf");
  makeFile("a/b/y.swf");
  makeFile("a/b/z.SWF");
  const auto counts = walkFolders(root(), [](const QString&, const QStringList&) { return true; });
  EXPECT_EQ(counts.folders, 3);
  EXPECT_EQ(counts.matches, 3);
}

TEST_F(FolderWalk, DoesNotEnterDotFoldersButListsMatchingDotNames) {
  makeFolder(".cache");
  makeFile(".cache/inside.swf");
  makeFolder(".old.swf");
  makeFile(".old.swf/inside.swf");
  makeFile(".hidden.swf");

  EXPECT_EQ(visitedFolders(), QStringList{root()});
  QStringList matches = allMatches();
  matches.sort();
  EXPECT_EQ(matches, QStringList({path(".hidden.swf"), path(".old.swf")}));
}

TEST_F(FolderWalk, DoesNotFollowLinksToFolders) {
  makeFolder("real");
  makeFile("real/movie.swf");
  makeLink(path("real"), "linked");      // would list real/movie.swf a second time
  makeLink(root(), "loop");              // would never end
  makeLink(path("real"), "linked.swf");  // listed for its name, not entered
  makeLink(path("real/movie.swf"), "shortcut.SWF");

  EXPECT_EQ(visitedFolders(), QStringList({root(), path("real/")}));
  QStringList matches = allMatches();
  matches.sort();
  EXPECT_EQ(matches,
            QStringList({path("linked.swf"), path("real/movie.swf"), path("shortcut.SWF")}));
}

TEST_F(FolderWalk, SkipsUnreadableFoldersWithoutVisitingThem) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  makeFolder("locked");
  makeFile("locked/hidden.swf");
  makeFolder("open");
  makeFile("open/seen.swf");
  ASSERT_TRUE(QFile::setPermissions(path("locked"), {}));

  const QStringList folders = visitedFolders();
  const QStringList matches = allMatches();
  QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_FALSE(folders.contains(path("locked/")));
  EXPECT_TRUE(folders.contains(path("open/")));
  EXPECT_EQ(matches, QStringList{path("open/seen.swf")});
}

TEST_F(FolderWalk, MissingStartFolderVisitsNothing) {
  const auto counts = walkFolders(path("gone/"), [](const QString&, const QStringList&) {
    ADD_FAILURE() << "visited";
    return true;
  });
  EXPECT_EQ(counts.folders, 0);
}

TEST_F(FolderWalk, StopsAtOnce) {
  makeFolder("a/b");
  makeFolder("c");
  makeFile("a/b/m.swf");
  const auto noVisit = [](const QString&, const QStringList&) { return true; };

  int visits = 0;
  const auto first = walkFolders(root(), [&visits](const QString&, const QStringList&) {
    ++visits;
    return false;
  });
  EXPECT_EQ(visits, 1) << "visit returned false";
  EXPECT_EQ(first.folders, 1);

  std::atomic<bool> stop = true;
  EXPECT_EQ(walkFolders(root(), noVisit, &stop).folders, 0) << "stopped before the start";

  stop = false;
  visits = 0;
  walkFolders(
      root(),
      [&](const QString&, const QStringList&) {
        ++visits;
        stop = true;  // as another thread would, while the walk goes on
        return true;
      },
      &stop);
  EXPECT_EQ(visits, 1) << "stopped during the walk";
}

// Names are bytes on Linux; the native walk hands them back untouched, even when they are not
// UTF-8.
TEST_F(FolderWalk, NativeWalkKeepsTheBytesOfNames) {
  const std::filesystem::path folder(QFile::encodeName(root()).toStdString());
  const std::string gb18030Name = "\xd2\xb9\xc7\xfa.swf";  // 夜曲.swf in GB18030
  std::ofstream(folder / gb18030Name).put('x');

  std::vector<std::filesystem::path> found;
  search::walkNativeFolders(folder, [&found](const auto&, const auto& matches) {
    found.insert(found.end(), matches.begin(), matches.end());
    return true;
  });
  std::filesystem::remove(folder / gb18030Name);  // QTemporaryDir cannot remove a non-UTF-8 name
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].native(), (folder / gb18030Name).native());
}

}  // namespace
}  // namespace quelvo::test
