#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <map>
#include <set>

namespace quelvo::test {
namespace {

// Folder -> folders its files include, for the files under `root`, with the
// first path component after `prefix` naming the folder ("." for files at
// the root itself).
using FolderGraph = std::map<QString, std::set<QString>>;

QString folderOf(const QString& relativePath) {
  const qsizetype slash = relativePath.indexOf(QLatin1Char('/'));
  return slash < 0 ? QStringLiteral(".") : relativePath.left(slash);
}

FolderGraph includeGraph(const QString& root, const QString& prefix,
                         std::vector<QString>* includersOfForm1 = nullptr) {
  static const QRegularExpression include(QStringLiteral("^#include \"([^\"]+)\""),
                                          QRegularExpression::MultilineOption);
  FolderGraph graph;
  const QDir base(root);
  QDirIterator files(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                     QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString path = files.next();
    const QString relative = base.relativeFilePath(path);
    const QString from = folderOf(relative);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QString text = QString::fromUtf8(file.readAll());
    auto matches = include.globalMatch(text);
    while (matches.hasNext()) {
      const QString included = matches.next().captured(1);
      if (includersOfForm1 && included == QStringLiteral("app/Form1.h") && from != "app") {
        includersOfForm1->push_back(relative);
      }
      if (!included.startsWith(prefix)) continue;
      const QString to = folderOf(included.mid(prefix.size()));
      if (to != from) graph[from].insert(to);
    }
  }
  return graph;
}

// A cycle through the graph as "a -> b -> a", or empty when there is none.
QString findCycle(const FolderGraph& graph) {
  enum class Mark { None, Open, Done };
  std::map<QString, Mark> marks;
  std::vector<QString> path;
  std::function<QString(const QString&)> visit = [&](const QString& node) -> QString {
    marks[node] = Mark::Open;
    path.push_back(node);
    const auto edges = graph.find(node);
    if (edges != graph.end()) {
      for (const QString& next : edges->second) {
        if (marks[next] == Mark::Open) {
          QStringList cycle;
          for (auto at = std::find(path.begin(), path.end(), next); at != path.end(); ++at) {
            cycle << *at;
          }
          return (cycle << next).join(QStringLiteral(" -> "));
        }
        if (marks[next] == Mark::None) {
          const QString found = visit(next);
          if (!found.isEmpty()) return found;
        }
      }
    }
    path.pop_back();
    marks[node] = Mark::Done;
    return QString();
  };
  for (const auto& [node, edges] : graph) {
    if (marks[node] == Mark::None) {
      const QString found = visit(node);
      if (!found.isEmpty()) return found;
    }
  }
  return QString();
}

TEST(Layering, FindsACycleWhereThereIsOne) {
  EXPECT_EQ(findCycle({{"a", {"b"}}, {"b", {"c"}}, {"c", {"a"}}}),
            QStringLiteral("a -> b -> c -> a"));
  EXPECT_TRUE(findCycle({{"a", {"b", "c"}}, {"b", {"c"}}}).isEmpty());
}

TEST(Layering, PlayerFoldersIncludeDownwardOnlyAndNoneReachesTheMainWindow) {
  const QString source = QStringLiteral(QUELVO_SOURCE_DIR);
  std::vector<QString> includers;
  const FolderGraph graph = includeGraph(source, QString(), &includers);
  EXPECT_EQ(findCycle(graph), QString());
  EXPECT_TRUE(includers.empty()) << includers.front().toStdString();
  // Only the composition root looks at every folder.
  for (const auto& [folder, uses] : graph) {
    if (folder != QStringLiteral("app")) {
      EXPECT_FALSE(uses.count(QStringLiteral("app"))) << folder.toStdString();
    }
  }
}

TEST(Layering, EngineFoldersFormNoCycle) {
  const FolderGraph graph =
      includeGraph(QStringLiteral(QUELVO_SOURCE_DIR "/swf"), QStringLiteral("swf/"));
  EXPECT_EQ(findCycle(graph), QString());
}

}  // namespace
}  // namespace quelvo::test
