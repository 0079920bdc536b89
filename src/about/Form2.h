#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace quelvo::core {
class SettingsStore;
class Twips;
}  // namespace quelvo::core
namespace quelvo::platform {
class Platform;
}

namespace quelvo::about {

class GameView;

// What the about box needs from the program.
struct AboutContext {
  QWidget* mainWindow = nullptr;
  core::SettingsStore& settings;
  const core::Twips& twips;
  platform::Platform& platform;
  // The page ImgMe opens: the user guide.
  QString guidePath;
};

// The about box: the program's icon, a thank-you note, the makers' card that
// the arrow opens and closes, and a close button. It stays above other
// windows and closes when another application becomes active. Releasing the
// mouse over the icon with Shift+Ctrl+Alt held turns it into the hidden game.
class Form2 : public QDialog {
  Q_OBJECT

 public:
  explicit Form2(const AboutContext& context);
  ~Form2() override;

  // Opens a new about box modally over the main window.
  static void MNUABOUT_Click(const AboutContext& context);

  // The card arrow: opens or closes the makers' card.
  void Label1_Click();
  // The secret: with exactly Shift, Ctrl and Alt held the game appears.
  void ImgIcon_MouseUp(Qt::KeyboardModifiers modifiers);
  void ImgMe_Click();
  // Another application became active.
  void Form_Deactivate();

  GameView& game() const { return *game_; }

  QLabel* ImgIcon = nullptr;
  QGroupBox* Frame1 = nullptr;
  QGroupBox* FrmMe = nullptr;
  QToolButton* ImgMe = nullptr;
  QToolButton* Label1 = nullptr;
  QPushButton* cmdexit = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createWidgets();
  void createCard();
  void setClientHeight(int twips);
  void centreOver(const QWidget* mainWindow);

  AboutContext context_;
  GameView* game_ = nullptr;
  bool cardOpen_ = false;
};

}  // namespace quelvo::about
