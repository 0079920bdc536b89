#pragma once

#include <QPainter>
#include <QTransform>
#include <cstddef>
#include <memory>

#include "swf/Library.h"
#include "swf/Movie.h"
#include "swf/input/ButtonInput.h"
#include "swf/render/QPainterBackend.h"
#include "swf/render/Quality.h"
#include "swf/timeline/Playhead.h"
#include "swf/timeline/TimelineInstance.h"

namespace quelvo::swf {

// One playback of a movie: the root playhead (Playhead semantics, frames
// 0-based), the display lists of the root and of every sprite instance, and
// the caches for drawing them. No widget involved.
//
// Seeking (gotoFrame, back, forward, rewind) shows the target frame's display
// list exactly as playing to it would; sprite instances that stay on the
// stage keep their own frame positions, new ones start at their first frame
// (see TimelineInstance).
class Player {
 public:
  explicit Player(std::shared_ptr<const Movie> movie);
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  const Movie& movie() const { return *movie_; }

  std::size_t frameCount() const { return playhead_.frameCount(); }
  std::size_t currentFrame() const { return playhead_.current(); }
  bool isPlaying() const { return playhead_.isPlaying(); }
  bool loop() const { return playhead_.loop(); }
  void setLoop(bool loop) { playhead_.setLoop(loop); }

  void play() { playhead_.play(); }
  void stop() { playhead_.stop(); }
  // These return whether the picture changed.
  bool gotoFrame(std::size_t frame);  // clamped; play state unchanged
  bool back();                        // these three stop
  bool forward();
  bool rewind();

  // One frame interval: every sprite instance advances a frame (looping),
  // then the root advances when playing. Returns whether the picture changed.
  bool tick();
  // Whether ticks would change the picture with the root stopped.
  bool animating() const;

  // Draws the display list with the painter's own antialiasing (fast; for
  // the screen). stageToDevice maps stage twips (the header's stage
  // rectangle) to device pixels. The background is not drawn: fill it with
  // movie().backgroundColor() first.
  void render(QPainter& painter, const QTransform& stageToDevice, Quality quality);
  // Draws the display list over image, antialiasing by sampling coverage on
  // a grid of 2x2 (medium) or 4x4 (high, best) points per pixel, the way the
  // reference player does: slower, and closest to its pictures.
  void renderSampled(QImage& image, const QTransform& stageToDevice, Quality quality);
  // Maps the stage rectangle to an image of the stage's size times scale,
  // its top-left corner at the origin.
  QTransform stageTransform(double scale) const;

  const DisplayList& displayList() const { return root_->displayList(); }
  // The characters of this playback, with the current texts of its fields.
  Library& library() { return library_; }

  // The pointer and the keyboard, acting on buttons (see ButtonInput).
  // Points are in stage pixels from the stage's top-left corner. These
  // return whether the picture changed.
  bool pointerMove(double x, double y);
  bool pointerLeave();  // the pointer left the movie
  bool pointerDown();
  bool pointerUp();
  // keyCode is the virtual key code (37 for the left arrow, 65 for A),
  // character what the key typed (0 for none).
  bool keyDown(int keyCode, int character = 0);
  // The pointer is over a button: show a hand.
  bool cursorOverButton() const { return buttons_.overButton(); }
  // Lets script actions run (buttons', for now); nullptr skips them.
  void setActionRunner(ActionRunner* runner) { context_.actions = runner; }

 private:
  bool showCurrentFrame();
  // pixelSize: device pixels per output pixel, the thinnest a stroke gets.
  void draw(QPainter& painter, const QTransform& stageToDevice, Quality quality, bool antialias,
            double pixelSize);

  std::shared_ptr<const Movie> movie_;
  Library library_;
  PlayContext context_;
  Playhead playhead_;
  std::unique_ptr<TimelineInstance> root_;
  QPainterBackend::Caches drawCaches_;
  ButtonInput buttons_;
};

}  // namespace quelvo::swf
