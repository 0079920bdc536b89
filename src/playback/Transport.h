#pragma once

#include <QObject>

namespace quelvo::app {
class Form1;
}

namespace quelvo::playback {

// The transport buttons Command1(0..7) and the control-menu items that share
// their handler: play, pause, frame back/forward, rewind, previous/next entry
// and open.
class Transport : public QObject {
  Q_OBJECT

 public:
  explicit Transport(app::Form1& form);

  void Command1_Click(int index);
  void MNUPLAY_Click();
  void MNUBACKONE_Click() { Command1_Click(5); }
  void MNUNEXTONE_Click() { Command1_Click(6); }

  // Slider value and panel 2 from the frame on screen; selects the current entry.
  void tail();

 private:
  void stepEntry(int button);
  void loadEntry(int index, int focusButton);

  app::Form1& f_;
};

}  // namespace quelvo::playback
