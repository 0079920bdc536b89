// Times the catalog's bulk paths with a full catalog of 32 767 entries: adding,
// importing and exporting a catalog file, and ListRefresh.
//
//   catalogbench            prints one line per path with its median of 5 runs
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/Form1.h"
#include "catalog/CatalogList.h"
#include "catalog/CatalogModel.h"
#include "catalog/CatalogText.h"
#include "core/settings/SettingsStore.h"
#include "layout/PaneLayout.h"
#include "platform/QtPlatform.h"

namespace {

using quelvo::catalog::CatalogModel;
using quelvo::catalog::Entry;

double medianMs(const std::function<void()>& setUp, const std::function<void()>& work) {
  std::vector<double> times;
  for (int run = 0; run < 5; ++run) {
    setUp();
    QElapsedTimer timer;
    timer.start();
    work();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  quelvo::platform::QtPlatform platform;
  quelvo::core::SettingsStore settings(dir.filePath(QStringLiteral("Quelvo.ini")));
  quelvo::app::Form1 form({platform, settings, dir.path() + QLatin1Char('/')});
  // The catalog pane is on screen, as when a user works with it.
  form.findChild<quelvo::layout::PaneLayout*>()->MNUMU_Click();
  form.show();
  CatalogModel& catalog = *form.findChild<CatalogModel*>();
  quelvo::catalog::CatalogList& list = *form.findChild<quelvo::catalog::CatalogList*>();

  std::vector<Entry> entries;
  for (int i = 0; i < CatalogModel::kMaxEntries; ++i) {
    entries.push_back({QStringLiteral("/home/user/动画/第%1集 夜曲.swf").arg(i),
                       QStringLiteral("第%1集 夜曲").arg(i)});
  }
  const QString file = dir.filePath(QStringLiteral("big.qvl"));
  const auto clear = [&] { catalog.clear(); };
  const auto fill = [&] {
    catalog.clear();
    catalog.append(entries);
  };

  const double add = medianMs(clear, [&] {
    list.appendEntries(entries);
    QCoreApplication::processEvents();
  });
  const double exportMs = medianMs(fill, [&] { quelvo::catalog::writeCatalogFile(file, entries); });
  const double importMs = medianMs(clear, [&] {
    if (const auto read = quelvo::catalog::readCatalogFile(file)) {
      list.appendEntries(*read);
    }
  });
  const double refresh = medianMs(fill, [&] { list.ListRefresh(); });

  std::printf("entries: %d\n", CatalogModel::kMaxEntries);
  std::printf("add: %.1f ms\nexport: %.1f ms\nimport: %.1f ms\nListRefresh: %.1f ms\n", add,
              exportMs, importMs, refresh);
  return 0;
}
