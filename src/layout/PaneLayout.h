#pragma once

#include <QObject>
#include <QRect>
#include <array>
#include <functional>
#include <optional>

#include "core/Twips.h"

class QAction;
class QFrame;
class QListView;
class QMainWindow;
class QMenu;
class QPushButton;
class QWidget;

namespace quelvo::core {
class Dispatcher;
class SkinSchemeState;
}  // namespace quelvo::core

namespace quelvo::layout {

// The panes of the ordinary window face that the layout places.
struct PaneWidgets {
  QMainWindow* window = nullptr;
  QWidget* client = nullptr;
  QFrame* frmflash = nullptr;
  QWidget* frmlist = nullptr;
  QWidget* Picture1 = nullptr;
  QWidget* Frame1 = nullptr;
  QWidget* Bar1 = nullptr;
  QListView* List2 = nullptr;
  std::array<QPushButton*, 5> Cmdlist{};
  std::array<QPushButton*, 8> Command1{};
  QWidget* Sldflash = nullptr;
  // The live movie control, which is made afresh for every movie.
  std::function<QWidget*()> movie;
};

// Places the movie frame, catalog pane, splitter, button bar and status bar from
// the window size and the check marks of the show/hide commands. All geometry is
// kept in twips and converted at the widgets.
class PaneLayout : public QObject {
  Q_OBJECT

 public:
  static constexpr double kMinPaneWidth = 360;
  static constexpr double kSplitterWidth = 35;
  static constexpr double kButtonBarWidth = 15000;
  static constexpr double kButtonBarHeight = 800;
  // The catalog pane's width until the splitter moves it.
  static constexpr double kCatalogWidth = 1590;

  PaneLayout(const PaneWidgets& widgets, const core::Twips& twips,
             const core::SkinSchemeState& skin, core::Dispatcher& dispatcher, QObject* owner);

  QAction* MNUBUTTON;
  QAction* MNUBAR;
  QAction* MNUMU;
  QAction* MNUMENU;

  void SheZhi();
  void HIDEMENU(bool hide);
  void MNUBUTTON_Click();
  void MNUBAR_Click();
  void MNUMU_Click();
  void MNUMENU_Click();
  // Hides the button bar, status bar and catalog pane at once.
  void hideBars();
  // The fixed arrangement of the buttons, made once at start-up.
  void arrangeButtons();
  // Clears the splitter-drag flag (start-up does it before the first layout).
  void endSplitterDrag() { dragging_ = false; }

  double catalogWidth() const { return catalogWidth_; }
  void setCatalogWidth(double twips) { catalogWidth_ = splitterLeft_ = twips; }
  double splitterLeft() const { return splitterLeft_; }
  double innerWidth() const;
  double innerHeight() const;
  bool movieFrameHasBorder() const;

  // The five top-level menus that HIDEMENU shows and hides (made after the
  // layout's own items, which they hold).
  void setMenus(const std::array<QMenu*, 5>& menus) { MENU_ = menus; }

  // Runs after the menu bar has been shown or hidden (the window-menu additions
  // are rebuilt there).
  void onMenuBarToggled(std::function<void()> callback) { menuBarToggled_ = std::move(callback); }

  // Splitter drag in twips relative to the splitter, as the mouse reports it.
  void splitterPressed(double xInSplitter);
  void splitterMoved(double xInSplitter);
  void splitterReleased();

  // The window's client area changed size.
  void Form_Resize();

  // The plain window's layout around a skin: position, size, bars, menu bar,
  // full screen and maximised state. Taken only while no skin is on.
  void SaveWindowState();
  void RestoreWindowState();
  // Full screen's toggle (its command lives with the window commands).
  void setFullScreenToggle(QAction* item, std::function<void()> toggle) {
    fullScreenItem_ = item;
    fullScreenToggle_ = std::move(toggle);
  }
  // Tells whether the stored skin index is exactly "0".
  void setStoredSchemeIsDefault(std::function<bool()> query) { storedDefault_ = std::move(query); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void toggle(QAction* item, QWidget* pane);
  void place(QWidget* widget, double left, double top, double width, double height) const;
  double heightOf(const QWidget* widget) const;
  void applyCatalogWidth();

  PaneWidgets w_;
  std::array<QMenu*, 5> MENU_{};
  core::Twips twips_;
  const core::SkinSchemeState& skin_;
  std::function<void()> menuBarToggled_;
  double catalogWidth_ = kCatalogWidth;
  double splitterLeft_ = kCatalogWidth;
  double splitterLimit_ = 0;
  double movieFrameLeft_ = 0;
  double movieFrameWidth_ = 0;
  double movieFrameHeight_ = 0;
  struct WindowSnapshot {
    QRect geometry;
    bool menu = true, catalog = false, buttons = false, status = false, fullScreen = false;
    bool maximised = false;
  };
  std::optional<WindowSnapshot> snapshot_;
  QAction* fullScreenItem_ = nullptr;
  std::function<void()> fullScreenToggle_;
  std::function<bool()> storedDefault_;
  bool dragging_ = false;
  double grabOffset_ = 0;
};

}  // namespace quelvo::layout
