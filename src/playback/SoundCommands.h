#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;
class QWidgetAction;

namespace quelvo::core {
class Dispatcher;
class SettingsStore;
}  // namespace quelvo::core

namespace quelvo::playback {

class MovieControlArray;
class VolumeSlider;

// The movie's volume and mute: the "音量" submenu of the control menu with a
// volume slider, louder and softer steps, mute, and the choice to fall silent
// while the window is minimized. The levels are kept in the settings file's
// SOUND section as soon as they change, and every movie control (the
// template, so each new movie too) plays at them.
class SoundCommands : public QObject {
  Q_OBJECT

 public:
  static constexpr int kStep = 10;

  SoundCommands(MovieControlArray& flash, QWidget* window, core::Dispatcher& dispatcher,
                core::SettingsStore& settings, QObject* owner);

  QAction* MNUVOLUP;
  QAction* MNUVOLDOWN;
  QAction* MNUMUTE;
  QAction* MNUMINMUTE;

  QMenu* createMenu(QWidget* parent);

  void MNUVOLUP_Click() { setVolume(volume_ + kStep); }
  void MNUVOLDOWN_Click() { setVolume(volume_ - kStep); }
  void MNUMUTE_Click();
  void MNUMINMUTE_Click();

  // Chooses a level; any choice of level ends mute.
  void setVolume(int percent);
  int volume() const { return volume_; }
  bool muted() const { return muted_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void restore();
  // Hands the levels to the movie controls and the menu.
  void apply();
  void save(const QString& key, const QString& value);

  MovieControlArray& flash_;
  QWidget* window_;
  core::SettingsStore& settings_;
  QWidgetAction* sliderItem_;
  VolumeSlider* slider_;
  int volume_ = 100;
  bool muted_ = false;
  bool silentWhenMinimized_ = false;
};

}  // namespace quelvo::playback
