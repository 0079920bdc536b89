#include "skins/CanvasSlide.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "skins/SkinLayout.h"

namespace quelvo::skins {

namespace {
// Sliding in stops once the window is narrower than this.
constexpr int kSlideInStop = kCanvasInWidth + kCanvasSlideStep;
// The strip hides once its left edge is back within the start width.
constexpr int kStripHideLeft = 6310;
}  // namespace

bool slideStep(SlideState& s) {
  bool running = true;
  if (s.ListOut) {
    if (s.windowWidth > s.frameWidth) {
      running = false;
      s.catalogShown = true;
      s.stripShown = false;
      s.windowWidth = s.frameWidth;
    } else {
      s.stripShown = true;
      s.windowWidth += kCanvasSlideStep;
    }
  } else {
    s.stripShown = true;
    s.catalogShown = false;
    if (s.windowWidth >= kSlideInStop) {
      s.windowWidth -= kCanvasSlideStep;
    } else {
      running = false;
      s.stripShown = false;
      if (s.windowWidth > kCanvasInWidth) s.windowWidth = kCanvasInWidth;
    }
    if (s.stripLeft <= kStripHideLeft) s.stripShown = false;
  }
  s.stripLeft = s.windowWidth - s.stripWidth;
  return running;
}

CanvasSlide::CanvasSlide(QWidget* window, QWidget* frmlist, QTimer* Tmrcanvas, QObject* owner)
    : QObject(owner), window_(window), frmlist_(frmlist), Tmrcanvas_(Tmrcanvas) {
  connect(Tmrcanvas_, &QTimer::timeout, this, &CanvasSlide::Tmrcanvas_Timer);
}

void CanvasSlide::start(QLabel* strip, int frameWidth, int stripLeft) {
  strip_ = strip;
  state_ = SlideState{};
  state_.windowWidth = kCanvasInWidth;
  state_.frameWidth = frameWidth;
  state_.stripLeft = stripLeft;
  state_.stripWidth = strip->width() * kSkinTwipsPerPixel;
  state_.stripShown = true;
}

void CanvasSlide::toggle() {
  state_.ListOut = !state_.ListOut;
  Tmrcanvas_->start();
}

void CanvasSlide::stop() {
  Tmrcanvas_->stop();
  state_.ListOut = false;
  strip_ = nullptr;
}

void CanvasSlide::Tmrcanvas_Timer() {
  if (strip_ == nullptr) {
    Tmrcanvas_->stop();
    return;
  }
  if (!slideStep(state_)) Tmrcanvas_->stop();
  apply();
}

void CanvasSlide::apply() {
  window_->resize(skinPixels(state_.windowWidth), window_->height());
  strip_->move(skinPixels(state_.stripLeft), strip_->y());
  strip_->setVisible(state_.stripShown);
  frmlist_->setVisible(state_.catalogShown);
}

}  // namespace quelvo::skins
