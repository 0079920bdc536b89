#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace quelvo::core {

// The splash window Formnew: borderless, centred, showing the program's picture;
// after 600 ms it runs the main window's start and closes.
class Splash : public QWidget {
  Q_OBJECT

 public:
  // `showMain` creates and shows the main window.
  Splash(QSize sizePixels, std::function<void()> showMain);

  // Splash load: show at once, then start the timer.
  void start();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Timer1_Timer();

  QTimer Timer1;
  QPixmap picture_;
  std::function<void()> showMain_;
};

}  // namespace quelvo::core
