#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QWidget>

#include "core/Dispatcher.h"

namespace quelvo::test {
namespace {

using core::Command;

class DispatcherTest : public ::testing::Test {
 protected:
  // Binds a command to a fresh action that counts its runs.
  QAction* bindCounting(Command command, int& runs, bool checkable = false) {
    auto* item = new QAction(&window);
    item->setCheckable(checkable);
    dispatcher.bind(command, item, [&runs] { ++runs; });
    return item;
  }

  QWidget window;
  bool skinOn = false;
  core::Dispatcher dispatcher{&window, [this] { return skinOn; }, nullptr};
};

TEST_F(DispatcherTest, ActionsButtonsAndNumbersReachTheSameCommand) {
  int runs = 0;
  QAction* item = bindCounting(Command::PlayPause, runs);
  QPushButton button(&window);
  dispatcher.bindButton(Command::PlayPause, &button);
  item->trigger();
  button.click();
  dispatcher.MenuButtons(*core::numberedCommand(7));
  EXPECT_EQ(runs, 3);
  EXPECT_TRUE(window.updatesEnabled());
  // Numbers outside the table name no command.
  for (int n : {0, 28, 29, 32, 100}) EXPECT_FALSE(core::numberedCommand(n)) << n;
}

TEST_F(DispatcherTest, CheckableItemLeavesItsMarkToTheHandler) {
  auto* item = new QAction(&window);
  item->setCheckable(true);
  bool seen = true;
  dispatcher.bind(Command::StatusBar, item, [&] { seen = item->isChecked(); });
  item->trigger();
  EXPECT_FALSE(seen);
  EXPECT_FALSE(item->isChecked());
}

TEST_F(DispatcherTest, CommandsArrivingWhileAnotherRunsDoNothing) {
  int inner = 0;
  bindCounting(Command::Close, inner);
  dispatcher.bind(Command::Open, new QAction(&window), [&] {
    EXPECT_FALSE(window.updatesEnabled());
    dispatcher.MenuButtons(Command::Close);
    dispatcher.MenuButtons(Command::Close);
    EXPECT_TRUE(dispatcher.running());
  });
  dispatcher.MenuButtons(Command::Open);
  EXPECT_EQ(inner, 0);
  // The guard and the drawing lock are released afterwards.
  EXPECT_FALSE(dispatcher.running());
  dispatcher.MenuButtons(Command::Close);
  EXPECT_EQ(inner, 1);
  EXPECT_TRUE(window.updatesEnabled());
}

QStringList warnings;

void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtWarningMsg) warnings << text;
}

TEST_F(DispatcherTest, FailingCommandIsLoggedAndReleasesTheGuard) {
  warnings.clear();
  const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
  int runs = 0;
  dispatcher.bind(Command::Open, new QAction(&window), [] { throw std::runtime_error("boom"); });
  bindCounting(Command::Close, runs);
  dispatcher.MenuButtons(Command::Open);
  qInstallMessageHandler(previous);
  ASSERT_EQ(warnings.size(), 1);
  EXPECT_TRUE(warnings.front().contains(QStringLiteral("boom")));
  dispatcher.MenuButtons(Command::Close);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(window.updatesEnabled());
}

TEST_F(DispatcherTest, SkinnedFaceIgnoresCommandsThatRearrangeTheWindow) {
  int runs = 0;
  const Command faceCommands[] = {Command::FullScreen,  Command::MenuBar,   Command::ButtonBar,
                                  Command::CatalogPane, Command::StatusBar, Command::RestoreWindow,
                                  Command::DockTopRight};
  for (Command command : faceCommands) bindCounting(command, runs);
  bindCounting(Command::Snapshot, runs);
  bindCounting(Command::QualityLow, runs);
  skinOn = true;
  for (Command command : faceCommands) dispatcher.MenuButtons(command);
  EXPECT_EQ(runs, 0);
  dispatcher.MenuButtons(Command::Snapshot);
  dispatcher.MenuButtons(Command::QualityLow);
  EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace quelvo::test
