#include "playback/MovieControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/FileNames.h"
#include "platform/Platform.h"
#include "playback/FlashKeyCodes.h"
#include "swf/format/Button.h"

namespace quelvo::playback {

namespace {

constexpr double kMinZoom = 1.0 / 64;
constexpr double kMaxZoom = 64;
constexpr int kTemporaryNoticeMs = 4000;
// Scale modes: the stage fitted whole, filling the control with its edges
// cut, stretched to the control, or at its own size.
constexpr int kNoBorder = 1;
constexpr int kExactFit = 2;
constexpr int kNativeSize = 3;
constexpr double kTwipsPerPixel = 20;

// The scale mode that shows the stage as a movie's Stage.scaleMode asks.
int scaleModeOf(swf::avm1::StageScale scale) {
  switch (scale) {
    case swf::avm1::StageScale::NoBorder:
      return kNoBorder;
    case swf::avm1::StageScale::ExactFit:
      return kExactFit;
    case swf::avm1::StageScale::NoScale:
      return kNativeSize;
    case swf::avm1::StageScale::ShowAll:
      break;
  }
  return 0;
}

QString describeLoadFailure(const QString& path, const swf::Error& error) {
  if (!platform::isFile(path)) return QStringLiteral("无法播放：找不到文件");
  return QStringLiteral("无法播放：文件已损坏或不是 Flash 动画\n（第 %1 字节：%2）")
      .arg(error.offset)
      .arg(QString::fromStdString(error.message));
}

// Only movies with buttons or scripts react to the pointer; the others get
// no move events.
bool hasButtons(const swf::Movie& movie) {
  const auto& definitions = movie.definitions();
  return std::any_of(definitions.begin(), definitions.end(),
                     [](const swf::TagRecord& record) { return swf::isButtonTag(record.code); });
}

}  // namespace

MovieControl::MovieControl(platform::Platform& platform, const MovieControlSettings& settings,
                           QWidget* parent)
    : QWidget(parent), platform_(platform), settings_(settings), sound_(platform) {
  sound_.setVolume(settings_.volume);
  sound_.setMuted(settings_.muted);
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
  renderer_.reset();
  sound_.setPlayer(nullptr);
  player_.reset();
  movie_.reset();
  clock_.reset();
  notice_.clear();
  temporaryNotice_.clear();
  zoom_ = 1.0;
  setMouseTracking(false);
  unsetCursor();
  shownSinceMs_ = platform_.nowMs();
  if (path.size() > 1) {
    const std::filesystem::path file = platform::toNativePath(path);
    auto loaded = swf::Movie::load(file);
    if (loaded) {
      movie_ = *loaded;
      player_ = std::make_unique<swf::Player>(movie_);
      player_->setMovieFolder(file.parent_path());
      player_->setViewSize(width(), height());
      renderer_.emplace(*player_);
      sound_.setPlayer(player_.get());
      // The engine only passes on http and https addresses; of those, only
      // what a click or a key asked for opens, so a looping frame script
      // cannot flood the desktop with browser windows.
      player_->setUrlHandler([this](const QString& url, const QString&) {
        if (userGesture_) platform_.shellOpen(url);
      });
      clock_.emplace(movie_->frameRate());
      setMouseTracking(hasButtons(*movie_) || player_->hasScripts());
      if (movie_->isAvm2()) {
        temporaryNotice_ = QStringLiteral("此动画使用 ActionScript 3，其脚本不会运行");
        temporaryNoticeTimer_.start(kTemporaryNoticeMs);
      }
      userPaused_ = false;
      player_->autoplay();
      sound_.update();
      startClock();
    } else {
      notice_ = describeLoadFailure(path, loaded.error());
    }
  }
  redrawFrame();
}

qint64 MovieControl::shownForMs() const { return platform_.nowMs() - shownSinceMs_; }

void MovieControl::Play() {
  if (!player_) return;
  userPaused_ = false;
  player_->play();
  if (!frameTimer_.isActive()) startClock();
}

void MovieControl::Stop() {
  if (!player_) return;
  userPaused_ = true;
  player_->stop();
  frameTimer_.stop();
}

void MovieControl::Back() {
  moveStopped([this] { return player_->back(); });
}

void MovieControl::Forward() {
  moveStopped([this] { return player_->forward(); });
}

void MovieControl::Rewind() {
  moveStopped([this] { return player_->rewind(); });
}

void MovieControl::GotoFrame(int frame) {
  if (!player_) return;
  const int before = CurrentFrame();
  showChanges(player_->gotoFrame(static_cast<std::size_t>(std::max(0, frame))), before);
  // The new frame may hold sprites that animate while the movie stands still.
  if (!frameTimer_.isActive()) startClock();
}

void MovieControl::moveStopped(const std::function<bool()>& move) {
  if (!player_) return;
  userPaused_ = true;
  frameTimer_.stop();
  const int before = CurrentFrame();
  showChanges(move(), before);
}

int MovieControl::CurrentFrame() const {
  return player_ ? static_cast<int>(player_->currentFrame()) : 0;
}

int MovieControl::TotalFrames() const {
  return movie_ ? static_cast<int>(movie_->frameCount()) : 0;
}

bool MovieControl::IsPlaying() const { return player_ && player_->isPlaying(); }

void MovieControl::setPlaying(bool playing) {
  if (playing) {
    Play();
  } else {
    Stop();
  }
}

void MovieControl::setLoop(bool loop) {
  if (player_) player_->setLoop(loop);
}

bool MovieControl::loop() const { return player_ && player_->loop(); }

void MovieControl::Zoom(int percent) {
  if (percent == 0) {
    zoom_ = 1.0;
  } else if (percent > 0) {
    zoom_ = std::clamp(zoom_ * 100.0 / percent, kMinZoom, kMaxZoom);
  }
  redrawFrame();
}

void MovieControl::setScaleMode(int mode) {
  settings_.scaleMode = mode;
  redrawFrame();
}

void MovieControl::setQuality(int quality) {
  setQuality2(quality == 0 ? QStringLiteral("low") : QStringLiteral("high"));
}

void MovieControl::setQuality2(const QString& quality) {
  settings_.quality2 = quality.toLower();
  redrawFrame();
}

void MovieControl::setVolume(int percent) {
  settings_.volume = std::clamp(percent, 0, 100);
  sound_.setVolume(settings_.volume);
}

void MovieControl::setMuted(bool muted) {
  settings_.muted = muted;
  sound_.setMuted(muted);
}

void MovieControl::tick() {
  if (!clockShouldRun()) return;
  const int before = CurrentFrame();
  bool changed = false;
  if (const auto pace = streamPace()) {
    // The sound leads: frames it has reached are shown at once, those in
    // between are run but never drawn.
    for (int due = pace->framesDue; due > 0 && clockShouldRun(); --due) {
      changed = player_->tick() || changed;
    }
    // Where the stream ends, the frame clock goes on from here.
    if (pace->framesDue > 0) clock_->start(platform_.nowMs());
  } else {
    for (int due = clock_->framesDue(platform_.nowMs()); due > 0 && clockShouldRun(); --due) {
      changed = player_->tick() || changed;
      sound_.elapse(1.0 / clock_->framesPerSecond());
    }
  }
  showChanges(changed, before);
  updateCursor();
  scheduleNextFrame();
}

std::optional<swf::StreamPace> MovieControl::streamPace() {
  const auto unheard = sound_.unheardFrames();
  if (!unheard) return std::nullopt;
  // At most a second of frames at once, however far the picture fell behind.
  const int maxDue = std::max(1, static_cast<int>(clock_->framesPerSecond()));
  return swf::streamPace(*player_, *unheard, maxDue);
}

bool MovieControl::clockShouldRun() const {
  return player_ && !userPaused_ && (player_->isPlaying() || player_->animating());
}

void MovieControl::startClock() {
  if (!clockShouldRun()) return;
  clock_->start(platform_.nowMs());
  scheduleNextFrame();
}

void MovieControl::scheduleNextFrame() {
  if (!clockShouldRun()) return;
  qint64 wait = std::max<qint64>(0, clock_->nextDueMs() - platform_.nowMs());
  // Following the stream, look again when its next block is heard, and at
  // least every other frame period in case the device stops.
  if (const auto pace = streamPace()) {
    wait = std::min<qint64>(pace->msToNext, std::llround(2 * clock_->periodMs()));
  }
  frameTimer_.start(static_cast<int>(wait));
}

void MovieControl::showChanges(bool pictureChanged, int frameBefore) {
  if (pictureChanged) redrawFrame();
  sound_.update();
  if (CurrentFrame() != frameBefore) emit frameChanged(CurrentFrame());
}

void MovieControl::redrawFrame() {
  frameStale_ = true;
  update();
}

swf::Quality MovieControl::quality() const {
  const QString& name = settings_.quality2;
  if (name == QLatin1String("low") || name == QLatin1String("autolow")) return swf::Quality::Low;
  if (name == QLatin1String("medium")) return swf::Quality::Medium;
  if (name == QLatin1String("best")) return swf::Quality::Best;
  return swf::Quality::High;
}

// Show all (mode 0 and anything unknown) fits the stage into the control
// keeping its aspect ratio; native size (3) draws it at 1:1. The movie's
// scripts may choose the mode instead (Stage.scaleMode). The stage is
// centred, or put against the edges the movie's Stage.align names, and the
// zoom magnifies around that point.
QTransform MovieControl::stageToDevice(const QSize& deviceSize, double devicePixelRatio) const {
  const double stageWidth = std::max(movie_->widthPixels(), 1.0);
  const double stageHeight = std::max(movie_->heightPixels(), 1.0);
  const double fitX = deviceSize.width() / stageWidth;
  const double fitY = deviceSize.height() / stageHeight;
  double scaleX = std::min(fitX, fitY);
  double scaleY = scaleX;
  const auto scripted = player_->scriptedStage();
  switch (scripted ? scaleModeOf(scripted->scale) : settings_.scaleMode) {
    case kNoBorder:
      scaleX = scaleY = std::max(fitX, fitY);
      break;
    case kExactFit:
      scaleX = fitX;
      scaleY = fitY;
      break;
    case kNativeSize:
      scaleX = scaleY = devicePixelRatio;
      break;
    default:
      break;
  }
  scaleX *= zoom_;
  scaleY *= zoom_;
  const QString align = scripted ? scripted->align : QString();
  const auto place = [&](double room, QChar start, QChar end) {
    return align.contains(start) ? 0 : align.contains(end) ? room : room / 2;
  };
  const swf::Rect& stage = movie_->stageRect();
  return QTransform::fromTranslate(-stage.xMin, -stage.yMin) *
         QTransform::fromScale(scaleX / kTwipsPerPixel, scaleY / kTwipsPerPixel) *
         QTransform::fromTranslate(place(deviceSize.width() - stageWidth * scaleX, u'L', u'R'),
                                   place(deviceSize.height() - stageHeight * scaleY, u'T', u'B'));
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
  const double ratio = devicePixelRatioF();
  const QSize deviceSize = (QSizeF(size()) * ratio).toSize();
  if (frameStale_ || frame_.size() != deviceSize) {
    if (frame_.size() != deviceSize)
      frame_ = QImage(deviceSize, QImage::Format_ARGB32_Premultiplied);
    const swf::Rgb bg = movie_->backgroundColor();
    frame_.fill(QColor(bg.red, bg.green, bg.blue));
    QPainter framePainter(&frame_);
    renderer_->render(framePainter, stageToDevice(deviceSize, ratio), quality());
    frameStale_ = false;
  }
  painter.drawImage(QRectF(rect()), frame_);
  if (!temporaryNotice_.isEmpty()) {
    const QRect band(0, height() - 28, width(), 28);
    painter.fillRect(band, QColor(0, 0, 0, 160));
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, temporaryNotice_);
  }
}

void MovieControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (player_ && player_->setViewSize(width(), height())) redrawFrame();
}

void MovieControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  emit gotFocus();
}

bool MovieControl::movePointer(QPointF widgetPosition) {
  const double ratio = devicePixelRatioF();
  const QSize deviceSize = (QSizeF(size()) * ratio).toSize();
  bool invertible = false;
  const QTransform toStage = stageToDevice(deviceSize, ratio).inverted(&invertible);
  if (!invertible) return false;
  const QPointF twips = toStage.map(widgetPosition * ratio);
  return player_->pointerMove(twips.x(), twips.y());
}

void MovieControl::showInputChanges(bool pictureChanged, int frameBefore) {
  if (!player_) return;
  showChanges(pictureChanged, frameBefore);
  updateCursor();
  // Button actions may have started the movie or a sprite.
  if (!frameTimer_.isActive()) startClock();
}

void MovieControl::updateCursor() {
  const bool hand = player_ && player_->cursorOverButton();
  if (hand == (cursor().shape() == Qt::PointingHandCursor)) return;
  if (hand) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
}

void MovieControl::mouseMoveEvent(QMouseEvent* event) {
  if (!player_) return QWidget::mouseMoveEvent(event);
  const int before = CurrentFrame();
  showInputChanges(movePointer(event->position()), before);
}

void MovieControl::mousePressEvent(QMouseEvent* event) {
  if (!player_ || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QScopedValueRollback gesture(userGesture_, true);
  const int before = CurrentFrame();
  const bool moved = movePointer(event->position());
  showInputChanges(player_->pointerDown() || moved, before);
}

void MovieControl::mouseReleaseEvent(QMouseEvent* event) {
  if (!player_ || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const QScopedValueRollback gesture(userGesture_, true);
  const int before = CurrentFrame();
  const bool moved = movePointer(event->position());
  showInputChanges(player_->pointerUp() || moved, before);
}

void MovieControl::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (!player_) return;
  const int before = CurrentFrame();
  showInputChanges(player_->pointerLeave(), before);
}

void MovieControl::keyPressEvent(QKeyEvent* event) {
  if (player_) {
    const QScopedValueRollback gesture(userGesture_, true);
    const int before = CurrentFrame();
    const QString text = event->text();
    const int character = text.size() == 1 ? text.at(0).unicode() : 0;
    showInputChanges(player_->keyDown(flashKeyCode(event->key()), character), before);
  }
  // Not accepted: the window's own keys keep working.
  QWidget::keyPressEvent(event);
}

void MovieControl::keyReleaseEvent(QKeyEvent* event) {
  const int code = flashKeyCode(event->key());
  if (player_ && code != 0 && !event->isAutoRepeat()) {
    const int before = CurrentFrame();
    showInputChanges(player_->keyUp(code), before);
  }
  QWidget::keyReleaseEvent(event);
}

}  // namespace quelvo::playback
