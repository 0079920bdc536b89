#include "playback/MovieControlArray.h"

namespace quelvo::playback {

namespace {
const QString kMovieName = QStringLiteral("Flash 动画");
}

MovieControlArray::MovieControlArray(platform::Platform& platform, QWidget* movieFrame)
    : platform_(platform), movieFrame_(movieFrame) {
  template_ = std::make_unique<MovieControl>(platform_, MovieControlSettings{}, movieFrame_);
  template_->setObjectName(QStringLiteral("Flash1[0]"));
  template_->setAccessibleName(kMovieName);
  template_->setGeometry(0, 0, 1, 1);
  template_->hide();
  createLive();
}

void MovieControlArray::reloadLive() {
  live_.reset();
  createLive();
}

void MovieControlArray::createLive() {
  live_ = std::make_unique<MovieControl>(platform_, template_->settings(), movieFrame_);
  live_->setObjectName(QStringLiteral("Flash1[1]"));
  live_->setAccessibleName(kMovieName);
  live_->hide();
  if (liveCreated_) liveCreated_(*live_);
}

}  // namespace quelvo::playback
