#include "app/StartUp.h"

#include <QAction>
#include <QListView>
#include <cmath>

#include "app/Form1.h"
#include "catalog/CatalogModel.h"
#include "core/BusyCursor.h"
#include "core/Dispatcher.h"
#include "core/settings/CatalogLines.h"
#include "core/settings/SettingValue.h"
#include "core/settings/SettingsStore.h"
#include "integration/KeyboardHook.h"
#include "layout/PaneLayout.h"
#include "platform/Platform.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"

namespace quelvo::app {

using core::Command;

namespace {

using platform::MessageButton;

bool userWantsSecondCopy(platform::Platform& platform) {
  platform::MessageRequest question;
  question.title = QStringLiteral("Quelvo");
  question.text = QStringLiteral("程序已经运行，是否新打开一窗口？");
  question.icon = platform::MessageIcon::Information;
  question.buttons = platform::MessageButtons::YesNo;
  question.defaultButton = MessageButton::No;
  return platform.message(question) == MessageButton::Yes;
}

// Outer size and position in twips, from the settings or the screen.
QRectF windowRectTwips(const core::SettingsStore& settings, const platform::ScreenMetrics& screen) {
  using core::geometryValue;
  using core::isExactlyOne;
  double width = 0;
  double height = 0;
  if (isExactlyOne(settings.ReadSetting(QStringLiteral("EXIT"), QStringLiteral("WIN1")))) {
    width = geometryValue(settings.ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("WIDTH")));
    height =
        geometryValue(settings.ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("HEIGHT")));
  } else if (screen.widthTwips <= 12000) {
    width = 6666;
    height = 5000;
  } else {
    width = 8333;
    height = 6500;
  }
  double left = 0;
  double top = 0;
  if (isExactlyOne(settings.ReadSetting(QStringLiteral("EXIT"), QStringLiteral("WIN2")))) {
    left = geometryValue(settings.ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("LEFT")));
    top = geometryValue(settings.ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("TOP")));
  } else {
    left = screen.widthTwips / 2 - width / 2;
    top = screen.heightTwips / 2 - height / 2;
  }
  return QRectF(left, top, width, height);
}

void placeWindow(QWidget& window, const core::Twips& t, const QRectF& twipsRect) {
  // The platform applies its own minimum to a size of 0.
  core::resizeOuter(&window, QSize(std::max(1, t.toPixelsX(twipsRect.width())),
                                   std::max(1, t.toPixelsY(twipsRect.height()))));
  window.move(t.toPixelsX(twipsRect.left()), t.toPixelsY(twipsRect.top()));
}

// Sets a bar to its stored state by marking it opposite and running its toggle.
void restoreBar(const core::SettingsStore& settings, const QString& key, QAction* item,
                const std::function<void()>& toggle) {
  const QString stored = settings.ReadSetting(QStringLiteral("WINDOWS"), key);
  if (stored.isEmpty()) return;
  const std::optional<bool> visible = core::toBoolean(stored);
  // A value that is neither a boolean word nor a number leaves the design state.
  if (!visible) return;
  item->setChecked(!*visible);
  toggle();
}

}  // namespace

MinimumSize minimumWindowSize(double screenWidthTwips, double screenHeightTwips,
                              double twipsPerPixelX, double twipsPerPixelY) {
  const long w = std::lround(screenWidthTwips) / std::max(1L, std::lround(twipsPerPixelX));
  const long h = std::lround(screenHeightTwips) / std::max(1L, std::lround(twipsPerPixelY));
  const int extra = screenWidthTwips > 12000 ? 0 : 30;
  return {static_cast<int>(w / 3 + extra), static_cast<int>(h / 3 + extra)};
}

void Form1::configureMovieControls() {
  for (int element : {0, 1}) {
    playback::MovieControl& control = (*Flash1)[element];
    control.setMenu(false);
    control.setWMode(QStringLiteral("Opaque"));
    control.setScale(QStringLiteral("0"));
    control.setQuality2(QStringLiteral("best"));
  }
  playback::MovieControl& live = Flash1->live();
  live.hide();
  live.setGeometry(0, 0, frmflash->width(), frmflash->height());
}

void Form1::restoreCatalog() {
  std::vector<catalog::Entry> entries;
  for (const core::CatalogEntry& line : core::readSettingsCatalog(env_.settings.load())) {
    entries.push_back({line.path, line.displayText});
  }
  catalog->append(entries);
  if (catalog->count() > 0) {
    List2->setCurrentIndex(catalog->index(0));
  }
}

bool Form1::Form_Load(const std::function<void()>& closeSplash) {
  platform::Platform& platform = env_.platform;
  const core::SettingsStore& settings = env_.settings;

  if (platform.anotherInstanceRunning()) {
    closeSplash();
    if (!userWantsSecondCopy(platform)) return false;
  }
  core::BusyCursor busy;

  configureMovieControls();
  session_.folders.setOpen(settings.ReadSetting(QStringLiteral("PATH"), QStringLiteral("OPEN")));
  session_.folders.setCatalog(settings.ReadSetting(QStringLiteral("PATH"), QStringLiteral("LOAD")));

  const platform::ScreenMetrics screen = platform.screen();
  placeWindow(*this, twips_, windowRectTwips(settings, screen));

  layout::PaneLayout& p = *panes;
  restoreBar(settings, QStringLiteral("SBAR"), p.MNUBAR, [&] { p.MNUBAR_Click(); });
  restoreBar(settings, QStringLiteral("LIST"), p.MNUMU, [&] { p.MNUMU_Click(); });
  restoreBar(settings, QStringLiteral("PLAY"), p.MNUBUTTON, [&] { p.MNUBUTTON_Click(); });
  restoreBar(settings, QStringLiteral("MENU"), p.MNUMENU, [&] { p.MNUMENU_Click(); });

  playModes->restore(
      core::countValue(settings.ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("CONT"))));
  restoreCatalog();

  p.arrangeButtons();
  p.endSplitterDrag();
  p.SheZhi();
  playback->MNUCLOSE_Click();
  keyboard->install();

  const MinimumSize minimum = minimumWindowSize(screen.widthTwips, screen.heightTwips,
                                                screen.twipsPerPixelX, screen.twipsPerPixelY);
  setMinimumSize(minimum.widthPixels, minimum.heightPixels);

  // The stored scheme arrives as its skin command, 23 + the stored index. Other
  // numbers would reach unrelated commands (4 is help), so they are ignored.
  const int scheme =
      core::countValue(settings.ReadSetting(QStringLiteral("SKIN"), QStringLiteral("INDEX")));
  if (scheme >= 0 && scheme <= 3) {
    if (const std::optional<Command> command =
            core::numberedCommand(static_cast<int>(Command::SkinDefault) + scheme)) {
      dispatcher->MenuButtons(*command);
    }
  }
  return true;
}

}  // namespace quelvo::app
