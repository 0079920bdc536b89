#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "core/Twips.h"
#include "core/session/Session.h"

class QAction;
class QFrame;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QTimer;

namespace quelvo::platform {
class Platform;
}
namespace quelvo::core {
class Dispatcher;
class SettingsStore;
}  // namespace quelvo::core
namespace quelvo::catalog {
class CatalogCommands;
class CatalogFile;
class CatalogList;
class CatalogModel;
class OpenDialog;
class ShellCommands;
}  // namespace quelvo::catalog
namespace quelvo::layout {
class FullScreen;
class PaneLayout;
class WindowCommands;
class WindowPlacement;
}  // namespace quelvo::layout
namespace quelvo::playback {
class FrameSlider;
class LoopRegion;
class MovieControlArray;
class PlaybackCommands;
class PlaybackTick;
class PlayModes;
class SoundCommands;
class StatusBar;
class Transport;
class ViewCommands;
}  // namespace quelvo::playback
namespace quelvo::skins {
class SkinSwitcher;
}
namespace quelvo::integration {
class KeyboardHook;
class WindowMenu;
}  // namespace quelvo::integration
namespace quelvo::search {
class Form3;
}

namespace quelvo::app {

// What the main window needs from outside: the system, the settings file and
// the program folder (ending in the separator).
struct Environment {
  platform::Platform& platform;
  core::SettingsStore& settings;
  QString programFolder;
};

// The main window, the composition root: creates the widgets, the session
// state and the subsystems, places the subsystems' commands in menus and on
// buttons, and brings the window up and down. It holds no command logic.
// Widgets and subsystems are its children, found by name or type.
class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(const Environment& environment);
  ~Form1() override;

  // The main window's load: brings it from creation to the last state the
  // user chose to keep. Returns false when the user declines to run a second
  // copy; the program then ends without touching the settings file.
  // `closeSplash` runs before the second-copy question is asked.
  bool Form_Load(const std::function<void()>& closeSplash);

  core::Session& session() { return session_; }
  const core::Twips& twips() const { return twips_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void MNUFIND_Click();
  void createWidgets();
  void createSubsystems();
  void createCatalog();
  void createPlayback();
  void createMenus();
  void connectViews();
  // The close: writes what the remember-switches ask for into the settings
  // file in one atomic replace, removes the keyboard filter, and closes the
  // program's other windows.
  void Form_QueryUnload();
  void restoreCatalog();
  void configureMovieControls();

  Environment env_;
  core::Twips twips_;
  core::Session session_;

  // --- widgets ---
  QWidget* client = nullptr;
  QFrame* frmflash = nullptr;
  std::unique_ptr<playback::MovieControlArray> Flash1;
  QWidget* frmlist = nullptr;
  QListView* List2 = nullptr;
  std::array<QPushButton*, 5> Cmdlist{};
  QWidget* Picture1 = nullptr;
  QWidget* Frame1 = nullptr;
  std::array<QPushButton*, 8> Command1{};
  playback::FrameSlider* Sldflash = nullptr;
  playback::StatusBar* Bar1 = nullptr;
  QLabel* Pic = nullptr;
  QTimer* tmrsld = nullptr;
  QTimer* Tmrcanvas = nullptr;

  // --- menus ---
  std::array<QMenu*, 5> MENU{};
  QMenu* MNULIST = nullptr;
  QMenu* MNUSLIDER = nullptr;
  // The hidden window FrmMnu's copy of the play-options menu, the status bar's popup.
  QMenu* FrmMnuPlayCon = nullptr;
  QAction* MNUFIND = nullptr;
  QAction* MNUEXIT = nullptr;
  QAction* MNUOPT = nullptr;
  QAction* MNUABOUT = nullptr;

  // --- subsystems ---
  core::Dispatcher* dispatcher = nullptr;
  catalog::CatalogModel* catalog = nullptr;
  std::unique_ptr<catalog::OpenDialog> openDialog;
  catalog::CatalogCommands* catalogCommands = nullptr;
  catalog::CatalogList* catalogList = nullptr;
  catalog::CatalogFile* catalogFile = nullptr;
  catalog::ShellCommands* shell = nullptr;
  playback::PlayModes* playModes = nullptr;
  playback::PlaybackCommands* playback = nullptr;
  playback::Transport* transport = nullptr;
  playback::PlaybackTick* tick = nullptr;
  playback::ViewCommands* view = nullptr;
  playback::SoundCommands* sound = nullptr;
  playback::LoopRegion* loopRegion = nullptr;
  layout::PaneLayout* panes = nullptr;
  layout::WindowCommands* windowCommands = nullptr;
  layout::FullScreen* fullScreen = nullptr;
  layout::WindowPlacement* placement = nullptr;
  skins::SkinSwitcher* skins = nullptr;
  integration::WindowMenu* windowMenu = nullptr;
  QPointer<search::Form3> searchWindow;
  integration::KeyboardHook* keyboard = nullptr;
};

}  // namespace quelvo::app
