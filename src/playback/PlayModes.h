#pragma once

#include <QObject>
#include <array>

#include "core/session/PlayMode.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace quelvo::playback {

// The play-options submenu "播放选项": radio items 0, 1, 2, 4, 5, 6 (3 is a
// separator) whose check marks and enabled states follow the play mode. The
// same actions appear in the control menu and in the status bar's popup, so
// the two can never disagree.
class PlayModes : public QObject {
  Q_OBJECT

 public:
  PlayModes(core::PlayModeState& state, QObject* owner);

  QAction* MnuOptions(core::PlayMode mode) const;
  // A new "播放选项" submenu holding the mode items.
  QMenu* createMenu(QWidget* parent) const;

  // Chooses a mode.
  void MnuOptions_Click(core::PlayMode mode);
  // Start-up: the stored number, or mode 0 when it names no mode.
  void restore(int storedNumber);

  // Uniform pick of an entry among `count` by the platform's random source.
  static int randomPick(double random, int count);
  static QString caption(core::PlayMode mode);

 private:
  void followState();

  core::PlayModeState& state_;
  std::array<QAction*, 7> items_{};
  QActionGroup* group_;
};

}  // namespace quelvo::playback
