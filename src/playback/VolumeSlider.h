#pragma once

#include <QWidget>

class QLabel;
class QSlider;

namespace quelvo::playback {

// The volume control inside the sound menu: a slider from 0 to 100 with the
// level as text beside it. Up and Down are left to the menu, so the keyboard
// still walks the menu's items; Left and Right move the slider.
class VolumeSlider : public QWidget {
  Q_OBJECT

 public:
  explicit VolumeSlider(QWidget* parent = nullptr);

  // Shows a level without reporting it as chosen.
  void showLevel(int percent);

 signals:
  void levelChosen(int percent);

 private:
  QSlider* slider_;
  QLabel* levelText_;
};

}  // namespace quelvo::playback
