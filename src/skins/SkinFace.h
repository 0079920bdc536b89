#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "skins/SkinLayout.h"

class QFrame;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QTimer;
class QWidget;

namespace quelvo::core {
class Dispatcher;
class SkinSchemeState;
}  // namespace quelvo::core
namespace quelvo::layout {
class PaneLayout;
}

namespace quelvo::skins {

class CanvasSlide;
class PictureButton;
struct SkinArt;

// The main window's parts a skinned face uses.
struct SkinWidgets {
  QWidget* window = nullptr;
  QWidget* client = nullptr;
  QFrame* frmflash = nullptr;
  QWidget* frmlist = nullptr;
  QListView* List2 = nullptr;
  std::array<QPushButton*, 5> Cmdlist{};
  std::function<QWidget*()> movie;
  QTimer* Tmrcanvas = nullptr;
};

// The face of a skinned window: the frame picture Picskin under everything,
// the movie area and catalog placed on it, the twelve skin buttons PicBut and
// the Canvas right-edge strip PicButs(3). The frame picture drags the window;
// a right click on it opens the File menu.
class SkinFace : public QObject {
  Q_OBJECT

 public:
  SkinFace(const SkinWidgets& widgets, layout::PaneLayout& panes, core::SkinSchemeState& state,
           core::Dispatcher& dispatcher, QObject* owner);

  // The File menu and the play-options menu the face pops up.
  void setMenus(QMenu* fileMenu, QMenu* playOptions);
  // Runs when the back-to-full-mode button is clicked.
  void onFullMode(std::function<void()> fullMode) { fullMode_ = std::move(fullMode); }

  void SKINFACE(const SkinLayout& layout, const SkinArt& art);
  void NOSKIN();

  PictureButton* PicBut(int index) const { return PicBut_.at(static_cast<std::size_t>(index)); }
  QLabel* Picskin = nullptr;
  QLabel* rightStrip = nullptr;  // PicButs(3) of the Canvas face
  CanvasSlide* slide = nullptr;

  void PicBut_Click(SkinButton button);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void hidePanes();
  void placeMovieAndCatalog(const SkinLayout& layout);
  void placeButtons(const SkinLayout& layout, const SkinArt& art);
  void swapMovieAndCatalog();

  SkinWidgets w_;
  layout::PaneLayout& panes_;
  core::SkinSchemeState& state_;
  core::Dispatcher& dispatcher_;
  std::array<PictureButton*, kSkinButtons> PicBut_{};
  QMenu* fileMenu_ = nullptr;
  QMenu* playOptions_ = nullptr;
  std::function<void()> fullMode_;
};

}  // namespace quelvo::skins
