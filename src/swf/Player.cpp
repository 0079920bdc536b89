#include "swf/Player.h"

#include "swf/input/KeyCodes.h"
#include "swf/render/GridSampling.h"
#include "swf/render/QPainterBackend.h"
#include "swf/render/SceneRenderer.h"

namespace quelvo::swf {

namespace {

constexpr double kTwipsPerPixel = 20.0;

}  // namespace

Player::Player(std::shared_ptr<const Movie> movie)
    : movie_(std::move(movie)),
      library_(*movie_),
      context_(library_),
      playhead_(movie_->frameCount()),
      root_(std::make_unique<TimelineInstance>(movie_->root(), context_, 0)),
      buttons_(*root_, context_, drawCaches_.paths) {
  showCurrentFrame();
}

Player::~Player() = default;

bool Player::showCurrentFrame() {
  context_.startStep();
  return root_->showFrame(playhead_.current());
}

bool Player::gotoFrame(std::size_t frame) {
  playhead_.gotoFrame(frame);
  return showCurrentFrame();
}

bool Player::back() {
  playhead_.back();
  return showCurrentFrame();
}

bool Player::forward() {
  playhead_.forward();
  return showCurrentFrame();
}

bool Player::rewind() {
  playhead_.rewind();
  return showCurrentFrame();
}

bool Player::tick() {
  context_.startStep();
  bool changed = root_->advanceChildren();
  if (playhead_.advance()) changed = root_->showFrame(playhead_.current()) || changed;
  // Buttons may have moved under the pointer.
  return buttons_.refresh() || changed;
}

bool Player::animating() const { return root_->animating(); }

void Player::render(QPainter& painter, const QTransform& stageToDevice, Quality quality) {
  draw(painter, stageToDevice, quality, quality != Quality::Low, 1);
}

void Player::renderSampled(QImage& image, const QTransform& stageToDevice, Quality quality) {
  const int factor = quality == Quality::Low ? 1 : quality == Quality::Medium ? 2 : 4;
  drawOnSampleGrid(image, factor, [&](QPainter& painter, const QTransform& scale) {
    draw(painter, stageToDevice * scale, quality, false, factor);
  });
}

void Player::draw(QPainter& painter, const QTransform& stageToDevice, Quality quality,
                  bool antialias, double pixelSize) {
  painter.save();
  PaintSettings settings;
  settings.minimumStrokeWidth = pixelSize;
  settings.gradientLead = quality == Quality::Low ? 0 : 1;
  QPainterBackend backend(painter, drawCaches_, library_.bitmaps(), antialias, settings);
  SceneRenderer(library_, backend).render(root_->displayList(), stageToDevice);
  painter.restore();
}

bool Player::pointerMove(double x, double y) {
  const Rect& stage = movie_->stageRect();
  return buttons_.pointerMove(
      QPointF(stage.xMin + x * kTwipsPerPixel, stage.yMin + y * kTwipsPerPixel));
}

bool Player::pointerLeave() { return buttons_.pointerLeave(); }

bool Player::pointerDown() { return buttons_.pointerDown(); }

bool Player::pointerUp() { return buttons_.pointerUp(); }

bool Player::keyDown(int keyCode, int character) {
  return buttons_.keyDown(buttonKeyCode(keyCode, character));
}

QTransform Player::stageTransform(double scale) const {
  const Rect& stage = movie_->stageRect();
  QTransform transform;
  transform.scale(scale / kTwipsPerPixel, scale / kTwipsPerPixel);
  transform.translate(-stage.xMin, -stage.yMin);
  return transform;
}

}  // namespace quelvo::swf
