#include "core/StartUp.h"

#include <QAction>
#include <QListView>
#include <cmath>

#include "app/Form1.h"
#include "catalog/CatalogModel.h"
#include "core/BusyCursor.h"
#include "core/settings/CatalogLines.h"
#include "core/settings/SettingValue.h"
#include "core/settings/SettingsStore.h"
#include "layout/PaneLayout.h"
#include "layout/Twips.h"
#include "platform/Platform.h"
#include "playback/Dispatcher.h"
#include "playback/MovieControlArray.h"
#include "playback/PlayModes.h"
#include "playback/PlaybackCommands.h"

namespace quelvo::core {

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

void configureMovieControls(app::Form1& form) {
  for (int element : {0, 1}) {
    playback::MovieControl& control = (*form.Flash1)[element];
    control.setMenu(false);
    control.setWMode(QStringLiteral("Opaque"));
    control.setScale(QStringLiteral("0"));
    control.setQuality2(QStringLiteral("best"));
  }
  playback::MovieControl& live = form.Flash1->live();
  live.hide();
  live.setGeometry(0, 0, form.frmflash->width(), form.frmflash->height());
}

// Outer size and position in twips, from the settings or the screen.
QRectF windowRectTwips(const SettingsStore& settings, const platform::ScreenMetrics& screen) {
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

void placeWindow(app::Form1& form, const QRectF& twipsRect) {
  const layout::Twips& t = *form.twips;
  // The platform applies its own minimum to a size of 0.
  layout::resizeOuter(&form, QSize(std::max(1, t.toPixelsX(twipsRect.width())),
                                   std::max(1, t.toPixelsY(twipsRect.height()))));
  form.move(t.toPixelsX(twipsRect.left()), t.toPixelsY(twipsRect.top()));
}

// Sets a bar to its stored state by marking it opposite and running its toggle.
void restoreBar(const SettingsStore& settings, const QString& key, QAction* item,
                const std::function<void()>& toggle) {
  const QString stored = settings.ReadSetting(QStringLiteral("WINDOWS"), key);
  if (stored.isEmpty()) return;
  const std::optional<bool> visible = toBoolean(stored);
  // A value that is neither a boolean word nor a number leaves the design state.
  if (!visible) return;
  item->setChecked(!*visible);
  toggle();
}

void restoreCatalog(app::Form1& form, const SettingsStore& settings) {
  std::vector<catalog::Entry> entries;
  for (const CatalogEntry& line : readSettingsCatalog(settings.load())) {
    entries.push_back({line.path, line.displayText});
  }
  form.catalog->append(entries);
  if (form.catalog->count() > 0) {
    form.List2->setCurrentIndex(form.catalog->index(0, catalog::CatalogModel::kDisplayColumn));
  }
}

}  // namespace

MinimumSize minimumWindowSize(double screenWidthTwips, double screenHeightTwips,
                              double twipsPerPixelX, double twipsPerPixelY) {
  const long w = std::lround(screenWidthTwips) / std::max(1L, std::lround(twipsPerPixelX));
  const long h = std::lround(screenHeightTwips) / std::max(1L, std::lround(twipsPerPixelY));
  const int extra = screenWidthTwips > 12000 ? 0 : 30;
  return {static_cast<int>(w / 3 + extra), static_cast<int>(h / 3 + extra)};
}

bool Form_Load(app::Form1& form, const std::function<void()>& closeSplash) {
  platform::Platform& platform = form.environment().platform;
  const SettingsStore& settings = form.environment().settings;

  if (platform.anotherInstanceRunning()) {
    closeSplash();
    if (!userWantsSecondCopy(platform)) return false;
  }
  BusyCursor busy;

  configureMovieControls(form);
  form.lastOpenFolder = settings.ReadSetting(QStringLiteral("PATH"), QStringLiteral("OPEN"));
  form.lastCatalogFolder = settings.ReadSetting(QStringLiteral("PATH"), QStringLiteral("LOAD"));

  const platform::ScreenMetrics screen = platform.screen();
  placeWindow(form, windowRectTwips(settings, screen));

  layout::PaneLayout& panes = *form.panes;
  restoreBar(settings, QStringLiteral("SBAR"), panes.MNUBAR, [&] { panes.MNUBAR_Click(); });
  restoreBar(settings, QStringLiteral("LIST"), panes.MNUMU, [&] { panes.MNUMU_Click(); });
  restoreBar(settings, QStringLiteral("PLAY"), panes.MNUBUTTON, [&] { panes.MNUBUTTON_Click(); });
  restoreBar(settings, QStringLiteral("MENU"), panes.MNUMENU, [&] { panes.MNUMENU_Click(); });

  form.playModes->restore(
      countValue(settings.ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("CONT"))));
  restoreCatalog(form, settings);

  panes.arrangeButtons();
  panes.endSplitterDrag();
  panes.SheZhi();
  form.playback->MNUCLOSE_Click();
  form.installKeyboardFilter();

  const MinimumSize minimum = minimumWindowSize(screen.widthTwips, screen.heightTwips,
                                                screen.twipsPerPixelX, screen.twipsPerPixelY);
  form.setMinimumSize(minimum.widthPixels, minimum.heightPixels);

  form.dispatcher->MenuButtons(
      23 + countValue(settings.ReadSetting(QStringLiteral("SKIN"), QStringLiteral("INDEX"))));
  return true;
}

}  // namespace quelvo::core
