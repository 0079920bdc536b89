#pragma once

#include <QObject>
#include <QPixmap>
#include <memory>

#include "about/PaddleGame.h"

class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace quelvo::core {
class PanelBar;
class SettingsStore;
class Twips;
}  // namespace quelvo::core
namespace quelvo::platform {
class Platform;
}

namespace quelvo::about {

// The hidden paddle game inside the about box: the field Picture1 with the
// submarines Image2 (A) and Image1 (B) and the plank ImgHeng, the
// instructions LabJie, the start label Labaction, the 100 ms timer Timer1 and
// the hall-of-fame bar Bar1. It stays hidden until Found.
class GameView : public QObject {
  Q_OBJECT

 public:
  GameView(QWidget* window, const core::Twips& twips, core::SettingsStore& settings,
           platform::Platform& platform);
  ~GameView() override;

  // Shows the field and sets up a game: B starts on the icon's place, given in
  // twips. The window already has the game's size.
  void Found(const QPixmap& icon, int iconLeft, int iconTop);

  const PaddleGame* game() const { return game_.get(); }
  // One tick of Timer1.
  void Timer1_Timer();

  QWidget* Picture1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Image2 = nullptr;
  QLabel* ImgHeng = nullptr;
  QLabel* LabJie = nullptr;
  QPushButton* Labaction = nullptr;
  QTimer* Timer1 = nullptr;
  core::PanelBar* Bar1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Labaction_Click();
  void Picture1_KeyDown(int key);
  void gameOver();
  void place(QWidget* picture, const Sprite& sprite);
  void showSprites();

  QWidget* window_;
  const core::Twips& twips_;
  core::SettingsStore& settings_;
  platform::Platform& platform_;
  std::unique_ptr<PaddleGame> game_;
};

}  // namespace quelvo::about
