#include "playback/SoundCommands.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QWidget>
#include <QWidgetAction>
#include <algorithm>
#include <cmath>

#include "core/Actions.h"
#include "core/Dispatcher.h"
#include "core/settings/SettingValue.h"
#include "core/settings/SettingsStore.h"
#include "playback/MovieControlArray.h"
#include "playback/VolumeSlider.h"

namespace quelvo::playback {

namespace {

const QString kSound = QStringLiteral("SOUND");
const QString kVolume = QStringLiteral("VOLUME");
const QString kMute = QStringLiteral("MUTE");
const QString kMinimized = QStringLiteral("MINIMIZED");

}  // namespace

SoundCommands::SoundCommands(MovieControlArray& flash, QWidget* window,
                             core::Dispatcher& dispatcher, core::SettingsStore& settings,
                             QObject* owner)
    : QObject(owner), flash_(flash), window_(window), settings_(settings) {
  using core::Command;
  MNUVOLUP =
      core::makeAction(this, QStringLiteral("MNUVOLUP"), QStringLiteral("增大音量    Ctrl+Up"));
  MNUVOLDOWN =
      core::makeAction(this, QStringLiteral("MNUVOLDOWN"), QStringLiteral("减小音量    Ctrl+Down"));
  MNUMUTE = core::makeCheckableAction(this, QStringLiteral("MNUMUTE"),
                                      QStringLiteral("静音(&M)     Ctrl+U"));
  MNUMINMUTE =
      core::makeCheckableAction(this, QStringLiteral("MNUMINMUTE"), QStringLiteral("最小化时静音"));
  dispatcher.bind(Command::VolumeUp, MNUVOLUP, [this] { MNUVOLUP_Click(); });
  dispatcher.bind(Command::VolumeDown, MNUVOLDOWN, [this] { MNUVOLDOWN_Click(); });
  dispatcher.bind(Command::Mute, MNUMUTE, [this] { MNUMUTE_Click(); });
  // Not a dispatcher command: it must be reachable whatever the window's state.
  core::connectToggle(MNUMINMUTE, this, [this] { MNUMINMUTE_Click(); });

  slider_ = new VolumeSlider();
  sliderItem_ = new QWidgetAction(this);
  sliderItem_->setObjectName(QStringLiteral("MNUVOLUME"));
  sliderItem_->setText(QStringLiteral("音量"));
  sliderItem_->setDefaultWidget(slider_);
  connect(slider_, &VolumeSlider::levelChosen, this, &SoundCommands::setVolume);

  window_->installEventFilter(this);
  restore();
}

QMenu* SoundCommands::createMenu(QWidget* parent) {
  QMenu* menu = core::makeMenu(parent, QStringLiteral("MNUSOUND"), QStringLiteral("音量(&U)"));
  menu->addAction(sliderItem_);
  menu->addAction(MNUVOLUP);
  menu->addAction(MNUVOLDOWN);
  core::addNamedSeparator(menu, QStringLiteral("MNUHENG13"));
  menu->addAction(MNUMUTE);
  menu->addAction(MNUMINMUTE);
  return menu;
}

void SoundCommands::restore() {
  const QString stored = settings_.ReadSetting(kSound, kVolume);
  if (!stored.isEmpty()) {
    const double level = core::numericValue(stored);
    volume_ =
        std::isfinite(level) ? static_cast<int>(std::clamp(std::round(level), 0.0, 100.0)) : 100;
  }
  muted_ = core::toBoolean(settings_.ReadSetting(kSound, kMute)).value_or(false);
  silentWhenMinimized_ = core::toBoolean(settings_.ReadSetting(kSound, kMinimized)).value_or(false);
  apply();
}

void SoundCommands::setVolume(int percent) {
  percent = std::clamp(percent, 0, 100);
  const bool changed = percent != volume_ || muted_;
  volume_ = percent;
  if (muted_) {
    muted_ = false;
    save(kMute, core::formatBoolean(false));
  }
  if (changed) save(kVolume, QString::number(volume_));
  apply();
}

void SoundCommands::MNUMUTE_Click() {
  muted_ = !muted_;
  save(kMute, core::formatBoolean(muted_));
  apply();
}

void SoundCommands::MNUMINMUTE_Click() {
  silentWhenMinimized_ = !silentWhenMinimized_;
  save(kMinimized, core::formatBoolean(silentWhenMinimized_));
  apply();
}

void SoundCommands::apply() {
  const bool silent = muted_ || (silentWhenMinimized_ && window_->isMinimized());
  for (MovieControl* control : {&flash_.templateElement(), &flash_.live()}) {
    control->setVolume(volume_);
    control->setMuted(silent);
  }
  MNUMUTE->setChecked(muted_);
  MNUMINMUTE->setChecked(silentWhenMinimized_);
  slider_->showLevel(volume_);
}

void SoundCommands::save(const QString& key, const QString& value) {
  settings_.write(kSound, key, value);
}

bool SoundCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::WindowStateChange) apply();
  return QObject::eventFilter(watched, event);
}

}  // namespace quelvo::playback
