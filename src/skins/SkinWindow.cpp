#include "skins/SkinWindow.h"

#include <QScreen>
#include <QWidget>

#include "layout/PaneLayout.h"
#include "skins/SkinArt.h"
#include "skins/SkinLayout.h"

namespace quelvo::skins {

SkinWindow::SkinWindow(QWidget* window, layout::PaneLayout& panes)
    : window_(window), panes_(panes) {}

void SkinWindow::setFrameless(bool frameless) {
  if (window_->windowFlags().testFlag(Qt::FramelessWindowHint) == frameless) return;
  const bool shown = window_->isVisible();
  window_->setWindowFlag(Qt::FramelessWindowHint, frameless);
  // Changing the flags hides a top-level window.
  if (shown) window_->show();
}

void SkinWindow::SKIN(const SkinLayout& layout, const SkinArt& art) {
  if (!skinned_) plainMinimum_ = window_->minimumSize();
  skinned_ = true;
  window_->setMinimumSize(0, 0);
  panes_.HIDEMENU(true);
  setFrameless(true);

  QSize size = art.frame.deviceIndependentSize().toSize();
  if (layout.startWidth > 0) size.setWidth(skinPixels(layout.startWidth));
  window_->resize(size);
  if (art.shape) {
    window_->setMask(*art.shape);
  } else {
    window_->clearMask();
  }
  if (const QScreen* screen = window_->screen()) {
    const QRect area = screen->geometry();
    window_->move(area.left() + (area.width() - size.width()) / 2,
                  area.top() + (area.height() - size.height()) / 2);
  }
}

void SkinWindow::undo() {
  if (!skinned_) return;
  skinned_ = false;
  window_->clearMask();
  setFrameless(false);
  window_->setMinimumSize(plainMinimum_);
}

}  // namespace quelvo::skins
