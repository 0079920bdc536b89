#pragma once

#include "core/PanelBar.h"

namespace quelvo::playback {

// The status bar Bar1: six panels numbered from 1. Panels 1, 3 and 5 hold the
// fixed labels; 2 the current frame, 4 the total frames, 6 the play mode or the
// loop region.
class StatusBar : public core::PanelBar {
  Q_OBJECT

 public:
  enum class Panel {
    FrameLabel = 1,
    CurrentFrame = 2,
    TotalLabel = 3,
    TotalFrames = 4,
    StateLabel = 5,
    State = 6,
  };

  explicit StatusBar(QWidget* parent = nullptr);

  QString panel(Panel panel) const;
  void setPanel(Panel panel, const QString& text);

 signals:
  // A double click on the bar: the status-bar command (single clicks are too
  // easily made by accident to hide the bar).
  void doubleClicked();
  // A right-button release, with the pointer's global position.
  void rightClicked(const QPoint& globalPos);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace quelvo::playback
