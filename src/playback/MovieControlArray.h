#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "playback/MovieControl.h"

namespace quelvo::playback {

// The control array Flash1 inside the movie frame: element 0 is a hidden
// template that never plays; element 1 is the live control, recreated from the
// template's settings for every movie.
class MovieControlArray {
 public:
  MovieControlArray(platform::Platform& platform, QWidget* movieFrame);

  MovieControl& operator[](int index) { return index == 0 ? *template_ : *live_; }
  MovieControl& live() { return *live_; }
  MovieControl& templateElement() { return *template_; }

  // Unloads element 1 and loads it again from the template.
  void reloadLive();

  // Runs for element 1 now and whenever a new one is made, so its owner can
  // connect to it.
  void onLiveCreated(std::function<void(MovieControl&)> callback) {
    liveCreated_ = std::move(callback);
    liveCreated_(*live_);
  }

 private:
  void createLive();

  platform::Platform& platform_;
  QWidget* movieFrame_;
  std::unique_ptr<MovieControl> template_;
  std::unique_ptr<MovieControl> live_;
  std::function<void(MovieControl&)> liveCreated_;
};

}  // namespace quelvo::playback
