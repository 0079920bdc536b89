#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>

#include "playback/StatusBar.h"

namespace quelvo::test {
namespace {

using Panel = playback::StatusBar::Panel;

QString spokenName(const playback::StatusBar& bar, Panel panel) {
  auto* label =
      bar.findChild<QLabel*>(QStringLiteral("Bar1.Panels(%1)").arg(static_cast<int>(panel)));
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label);
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

TEST(StatusBar, ScreenReaderHearsWhatThePanelsShowNow) {
  playback::StatusBar bar;
  bar.setPanel(Panel::CurrentFrame, QStringLiteral("38"));
  bar.setPanel(Panel::TotalFrames, QStringLiteral("96"));
  bar.setPanel(Panel::State, QStringLiteral("单首正常循环"));
  EXPECT_EQ(spokenName(bar, Panel::CurrentFrame), QStringLiteral("38"));
  EXPECT_EQ(spokenName(bar, Panel::TotalFrames), QStringLiteral("96"));
  EXPECT_EQ(spokenName(bar, Panel::State), QStringLiteral("单首正常循环"));
  EXPECT_EQ(spokenName(bar, Panel::FrameLabel), QStringLiteral("当前帧"));
}

}  // namespace
}  // namespace quelvo::test
