#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QWidget;

namespace quelvo::platform {
class Platform;
}
namespace quelvo::core {
class Dispatcher;
}

namespace quelvo::playback {

class MovieControlArray;

// Writes a picture of the movie area to a bitmap file chosen by the user.
void saveSnapshot(platform::Platform& platform, QWidget* movieArea);

// The view menu's scale, zoom and quality commands on the movie control.
class ViewCommands : public QObject {
  Q_OBJECT

 public:
  ViewCommands(MovieControlArray& flash, core::Dispatcher& dispatcher, QObject* owner);

  QAction* MNUSHOWALL;
  QAction* Mnu100;
  QAction* MNUZOOMIN;
  QAction* MNUZOOMOUT;
  std::array<QAction*, 3> MNUQUA{};
  // The "播放质量" submenu; its menu action is MNUQUALITY.
  QMenu* createQualityMenu(QWidget* parent);
  QAction* MNUQUALITY = nullptr;

  void MNUSHOWALL_Click();
  void Mnu100_Click();
  void MNUZOOMIN_Click();
  void MNUZOOMOUT_Click();
  void MNUQUA_Click(int index);

 private:
  MovieControlArray& flash_;
};

}  // namespace quelvo::playback
