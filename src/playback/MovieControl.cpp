#include "playback/MovieControl.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <limits>

#include "platform/Platform.h"

namespace quelvo::playback {

namespace {

constexpr double kMinZoom = 1.0 / 64;
constexpr double kMaxZoom = 64;
constexpr int kTemporaryNoticeMs = 4000;

QString describeLoadFailure(const QString& path, const swf::Error& error) {
  if (!QFileInfo(path).isFile()) return QStringLiteral("无法播放：找不到文件");
  return QStringLiteral("无法播放：文件已损坏或不是 Flash 动画\n（第 %1 字节：%2）")
      .arg(error.offset)
      .arg(QString::fromStdString(error.message));
}

}  // namespace

MovieControl::MovieControl(platform::Platform& platform, const MovieControlSettings& settings,
                           QWidget* parent)
    : QWidget(parent), platform_(platform), settings_(settings) {
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  frameTimer_.setSingleShot(true);
  frameTimer_.setTimerType(Qt::PreciseTimer);
  connect(&frameTimer_, &QTimer::timeout, this, &MovieControl::tick);
  temporaryNoticeTimer_.setSingleShot(true);
  connect(&temporaryNoticeTimer_, &QTimer::timeout, this, [this] {
    temporaryNotice_.clear();
    update();
  });
}

MovieControl::~MovieControl() = default;

void MovieControl::setMovie(const QString& path) {
  frameTimer_.stop();
  temporaryNoticeTimer_.stop();
  moviePath_ = path;
  movie_.reset();
  playhead_.reset();
  clock_.reset();
  notice_.clear();
  temporaryNotice_.clear();
  zoom_ = 1.0;
  if (path.size() > 1) {
    auto loaded = swf::Movie::load(path);
    if (loaded) {
      movie_ = *loaded;
      playhead_.emplace(movie_->frameCount());
      clock_.emplace(movie_->frameRate());
      if (movie_->isAvm2()) {
        temporaryNotice_ = QStringLiteral("此动画使用 ActionScript 3，其脚本不会运行");
        temporaryNoticeTimer_.start(kTemporaryNoticeMs);
      }
      Play();
    } else {
      notice_ = describeLoadFailure(path, loaded.error());
      noticeSinceMs_ = platform_.nowMs();
    }
  }
  update();
}

qint64 MovieControl::noticeAgeMs() const {
  return notice_.isEmpty() ? std::numeric_limits<qint64>::max()
                           : platform_.nowMs() - noticeSinceMs_;
}

void MovieControl::Play() {
  if (!playhead_) return;
  const bool wasPlaying = playhead_->isPlaying();
  playhead_->play();
  if (!wasPlaying) {
    clock_->start(platform_.nowMs());
    scheduleNextFrame();
  }
}

void MovieControl::Stop() {
  if (!playhead_) return;
  playhead_->stop();
  frameTimer_.stop();
}

void MovieControl::Back() {
  moveStopped([this] { playhead_->back(); });
}

void MovieControl::Forward() {
  moveStopped([this] { playhead_->forward(); });
}

void MovieControl::Rewind() {
  moveStopped([this] { playhead_->rewind(); });
}

void MovieControl::GotoFrame(int frame) {
  if (!playhead_) return;
  const std::size_t before = playhead_->current();
  playhead_->gotoFrame(static_cast<std::size_t>(std::max(0, frame)));
  if (playhead_->current() != before) frameShown();
}

void MovieControl::moveStopped(const std::function<void()>& move) {
  if (!playhead_) return;
  frameTimer_.stop();
  const std::size_t before = playhead_->current();
  move();
  if (playhead_->current() != before) frameShown();
}

int MovieControl::CurrentFrame() const {
  return playhead_ ? static_cast<int>(playhead_->current()) : 0;
}

int MovieControl::TotalFrames() const {
  return movie_ ? static_cast<int>(movie_->frameCount()) : 0;
}

bool MovieControl::IsPlaying() const { return playhead_ && playhead_->isPlaying(); }

void MovieControl::setPlaying(bool playing) {
  if (playing) {
    Play();
  } else {
    Stop();
  }
}

void MovieControl::setLoop(bool loop) {
  if (playhead_) playhead_->setLoop(loop);
}

bool MovieControl::loop() const { return playhead_ && playhead_->loop(); }

void MovieControl::Zoom(int percent) {
  if (percent == 0) {
    zoom_ = 1.0;
  } else if (percent > 0) {
    zoom_ = std::clamp(zoom_ * 100.0 / percent, kMinZoom, kMaxZoom);
  }
  update();
}

void MovieControl::setScaleMode(int mode) {
  settings_.scaleMode = mode;
  update();
}

void MovieControl::setQuality(int quality) {
  setQuality2(quality == 0 ? QStringLiteral("low") : QStringLiteral("high"));
}

void MovieControl::setQuality2(const QString& quality) {
  settings_.quality2 = quality.toLower();
  update();
}

void MovieControl::tick() {
  if (!playhead_ || !playhead_->isPlaying()) return;
  bool changed = false;
  for (int due = clock_->framesDue(platform_.nowMs()); due > 0; --due) {
    changed = playhead_->advance() || changed;
    if (!playhead_->isPlaying()) break;
  }
  if (changed) frameShown();
  scheduleNextFrame();
}

void MovieControl::scheduleNextFrame() {
  if (!playhead_ || !playhead_->isPlaying()) return;
  const qint64 wait = std::max<qint64>(0, clock_->nextDueMs() - platform_.nowMs());
  frameTimer_.start(static_cast<int>(wait));
}

void MovieControl::frameShown() {
  update();
  emit frameChanged(CurrentFrame());
}

void MovieControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!movie_) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!notice_.isEmpty()) {
      painter.setPen(palette().color(QPalette::WindowText));
      painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, notice_);
    }
    return;
  }
  const swf::Rgb bg = movie_->backgroundColor();
  painter.fillRect(rect(), QColor(bg.red, bg.green, bg.blue));
  if (!temporaryNotice_.isEmpty()) {
    const QRect band(0, height() - 28, width(), 28);
    painter.fillRect(band, QColor(0, 0, 0, 160));
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, temporaryNotice_);
  }
}

void MovieControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  emit gotFocus();
}

}  // namespace quelvo::playback
