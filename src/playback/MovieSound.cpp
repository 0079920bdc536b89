#include "playback/MovieSound.h"

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"
#include "swf/Player.h"

namespace quelvo::playback {

namespace {

// How long the device keeps running after the mix fell silent: what it has
// queued still plays out.
constexpr int kSilenceMs = 500;
// A device that took nothing for this long has stalled.
constexpr qint64 kStallMs = 250;

}  // namespace

MovieSound::MovieSound(platform::Platform& platform, QObject* parent)
    : QObject(parent), platform_(platform) {
  silence_.setSingleShot(true);
  silence_.setInterval(kSilenceMs);
  connect(&silence_, &QTimer::timeout, this, &MovieSound::suspendWhenSilent);
}

MovieSound::~MovieSound() = default;

void MovieSound::setPlayer(swf::Player* player) {
  player_ = player;
  if (!player_ && output_) silence_.start();
}

void MovieSound::update() {
  if (!sounding()) return;
  if (!deviceTried_) {
    deviceTried_ = true;
    output_ = platform_.openAudioOutput([this](std::span<std::int16_t> s) { mixInto(s); });
    if (output_) applyVolume();
  }
  if (output_ && !output_->running()) {
    lastPullMs_ = platform_.nowMs();
    output_->resume();
  }
}

std::optional<std::uint64_t> MovieSound::unheardFrames() const {
  if (!output_ || !output_->running() || platform_.nowMs() - lastPullMs_ > kStallMs) {
    return std::nullopt;
  }
  return std::uint64_t(std::max<qint64>(0, output_->queuedFrames()));
}

void MovieSound::elapse(double seconds) {
  if (output_ || !player_) return;
  player_->sounds().mixer().skip(std::uint64_t(std::llround(seconds * swf::kOutputRate)));
}

bool MovieSound::sounding() const { return player_ && player_->sounds().mixer().voiceCount() > 0; }

void MovieSound::setVolume(int percent) {
  volume_ = std::clamp(percent, 0, 100);
  applyVolume();
}

void MovieSound::setMuted(bool muted) {
  muted_ = muted;
  applyVolume();
}

void MovieSound::applyVolume() {
  if (output_) output_->setVolume(muted_ ? 0.0 : volume_ / 100.0);
}

void MovieSound::mixInto(std::span<std::int16_t> samples) {
  if (!player_) {
    std::fill(samples.begin(), samples.end(), std::int16_t{0});
    return;
  }
  lastPullMs_ = platform_.nowMs();
  swf::Mixer& mixer = player_->sounds().mixer();
  mixer.mix(samples);
  if (mixer.voiceCount() == 0 && !silence_.isActive()) silence_.start();
}

void MovieSound::suspendWhenSilent() {
  if (!sounding() && output_) output_->suspend();
}

}  // namespace quelvo::playback
