#pragma once

#include <QPushButton>
#include <array>

class QFrame;
class QTimer;

namespace quelvo::playback {

class FrameSlider;
class MovieControl;
class MovieControlArray;
class StatusBar;

// The transport buttons Command1(0..7) by index.
enum TransportButton {
  PlayButton = 0,
  PauseButton = 1,
  BackButton = 2,
  ForwardButton = 3,
  RewindButton = 4,
  PreviousButton = 5,
  NextButton = 6,
  OpenButton = 7,
};

// The widgets playback drives: the movie frame and its control array, the
// button bar with its transport buttons and slider, the status bar, and the
// playback tick.
struct PlayerWidgets {
  QFrame* frmflash = nullptr;
  MovieControlArray* Flash1 = nullptr;
  QWidget* Frame1 = nullptr;
  std::array<QPushButton*, 8> Command1{};
  FrameSlider* Sldflash = nullptr;
  StatusBar* Bar1 = nullptr;
  QTimer* tmrsld = nullptr;

  MovieControl& movie() const;
  // Enables or disables the transport buttons first to last.
  void enableButtons(int first, int last, bool enabled) const {
    for (int i = first; i <= last; ++i) Command1[i]->setEnabled(enabled);
  }
};

}  // namespace quelvo::playback
