#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

#include "playback/FileSelection.h"

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
class SettingsStore;
}
namespace quelvo::catalog {
class CatalogCommands;
class CatalogFile;
class CatalogList;
class ShellCommands;
class CatalogModel;
}  // namespace quelvo::catalog
namespace quelvo::layout {
class FullScreen;
class PaneLayout;
class Twips;
class WindowCommands;
class WindowPlacement;
}  // namespace quelvo::layout
namespace quelvo::playback {
class Dispatcher;
class FrameSlider;
class LoopRegion;
class MovieControlArray;
class PlaybackCommands;
class PlaybackTick;
class Transport;
class PlayModes;
class StatusBar;
class ViewCommands;
}  // namespace quelvo::playback
namespace quelvo::skins {
class SkinSwitcher;
}
namespace quelvo::integration {
class KeyboardHook;
}

namespace quelvo::app {

// What the main window needs from outside: the system, the settings file and
// the program folder (ending in the separator).
struct Environment {
  platform::Platform& platform;
  core::SettingsStore& settings;
  QString programFolder;
};

// The main window: creates the widgets and the subsystems, places the commands
// in menus and on buttons, and holds no command logic of its own.
class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(const Environment& environment);
  ~Form1() override;

  const Environment& environment() const { return env_; }

  // --- widgets ---
  QWidget* client = nullptr;
  QFrame* frmflash = nullptr;
  std::unique_ptr<playback::MovieControlArray> Flash1;
  QWidget* frmlist = nullptr;
  QListView* List1 = nullptr;
  QListView* List2 = nullptr;
  std::array<QPushButton*, 5> Cmdlist{};
  QWidget* Picture1 = nullptr;
  QWidget* Frame1 = nullptr;
  std::array<QPushButton*, 8> Command1{};
  playback::FrameSlider* Sldflash = nullptr;
  playback::StatusBar* Bar1 = nullptr;
  QLabel* Picskin = nullptr;
  QLabel* Pic = nullptr;
  QLabel* PicBut0 = nullptr;
  QLabel* PicButs0 = nullptr;
  QTimer* tmrsld = nullptr;
  QTimer* Tmrcanvas = nullptr;
  // Hidden labels of the original design: the current-entry index and the
  // always-on-top state, kept as their caption texts.
  QString Labn = QStringLiteral("Label2");
  QString Label1 = QStringLiteral("Label1");
  // Two or more catalog entries (with a movie loaded, for previous/next).
  bool multipleEntries = false;
  // The files chosen in the last accepted open dialog.
  playback::FileSelection fileSelection;
  // Last folders of the open and catalog dialogs.
  QString lastOpenFolder;
  QString lastCatalogFolder;

  // --- menus ---
  std::array<QMenu*, 5> MENU{};
  QMenu* MNULIST = nullptr;
  QMenu* MNUSLIDER = nullptr;
  QMenu* MNUPLAYCON = nullptr;
  // The hidden window FrmMnu's copy of the play-options menu, the status bar's popup.
  QMenu* FrmMnuPlayCon = nullptr;

  // --- subsystems ---
  std::unique_ptr<layout::Twips> twips;
  catalog::CatalogModel* catalog = nullptr;
  catalog::CatalogCommands* catalogCommands = nullptr;
  catalog::CatalogList* catalogList = nullptr;
  catalog::CatalogFile* catalogFile = nullptr;
  catalog::ShellCommands* shell = nullptr;
  playback::Dispatcher* dispatcher = nullptr;
  playback::PlayModes* playModes = nullptr;
  playback::PlaybackCommands* playback = nullptr;
  playback::Transport* transport = nullptr;
  playback::PlaybackTick* tick = nullptr;
  playback::ViewCommands* view = nullptr;
  playback::LoopRegion* loopRegion = nullptr;
  layout::PaneLayout* panes = nullptr;
  layout::WindowCommands* windowCommands = nullptr;
  layout::FullScreen* fullScreen = nullptr;
  layout::WindowPlacement* placement = nullptr;
  skins::SkinSwitcher* skins = nullptr;
  integration::KeyboardHook* keyboard = nullptr;
  QAction* MNUFIND = nullptr;
  QAction* MNUEXIT = nullptr;
  QAction* MNUOPT = nullptr;
  QAction* MNUABOUT = nullptr;

  // The application-wide key filter, installed at the end of start-up and
  // removed when the window closes.
  void installKeyboardFilter();
  void removeKeyboardFilter();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createWidgets();
  void createSubsystems();
  void createMenus();
  // Subsystems that act on the widgets, menus and other subsystems.
  void createBehaviour();
  void registerCommands();

  Environment env_;
};

}  // namespace quelvo::app
