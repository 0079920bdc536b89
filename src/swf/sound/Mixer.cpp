#include "swf/sound/Mixer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace quelvo::swf {

namespace {
// Ended script sounds kept for the next tick.
constexpr std::size_t kMaxEnded = 4096;
}  // namespace

namespace {

constexpr float kFullLevel = 32768;

// Where the voice's current loop ends.
std::uint64_t endOf(const Voice& voice) {
  const std::uint64_t length = outputLength(*voice.sound);
  return std::min<std::uint64_t>(length, voice.info.outPoint.value_or(length));
}

std::uint64_t startOf(const Voice& voice) { return voice.info.inPoint.value_or(0); }

// The envelope's levels (0..1) at an output position: linear between its
// points, the first point's levels before it and the last one's after.
std::pair<float, float> envelopeAt(const std::vector<EnvelopePoint>& envelope,
                                   std::uint64_t position) {
  if (envelope.empty()) return {1.0f, 1.0f};
  const auto next = std::find_if(envelope.begin(), envelope.end(),
                                 [&](const EnvelopePoint& p) { return p.position > position; });
  if (next == envelope.begin()) return {next->left / kFullLevel, next->right / kFullLevel};
  const EnvelopePoint& before = *(next - 1);
  if (next == envelope.end()) return {before.left / kFullLevel, before.right / kFullLevel};
  const float t = float(position - before.position) / float(next->position - before.position);
  const auto mixLevel = [t](std::uint16_t a, std::uint16_t b) {
    return (float(a) + (float(b) - float(a)) * t) / kFullLevel;
  };
  return {mixLevel(before.left, next->left), mixLevel(before.right, next->right)};
}

// The sound's channels at an output position, interpolated between the two
// nearest samples of its own rate. Mono is the same on both sides.
std::pair<float, float> sampleAt(const DecodedSound& sound, std::uint64_t position) {
  const double source = double(position) * sound.sampleRate / kOutputRate;
  const std::size_t frames = sound.frames();
  const std::size_t first = std::min<std::size_t>(std::size_t(source), frames - 1);
  const std::size_t second = std::min<std::size_t>(first + 1, frames - 1);
  const float t = float(source - double(first));
  const int channels = sound.channels;
  const auto at = [&](std::size_t frame, int channel) {
    return float(sound.samples[frame * std::size_t(channels) + std::size_t(channel)]);
  };
  const auto channel = [&](int c) { return at(first, c) + (at(second, c) - at(first, c)) * t; };
  const float left = channel(0);
  return {left, channels > 1 ? channel(1) : left};
}

// Moves a voice on to the next loop when it is at its end; false when it has
// no loop left.
bool wrap(Voice& voice, std::uint64_t end) {
  while (voice.position >= end) {
    if (voice.info.loopCount <= 1) return false;
    --voice.info.loopCount;
    voice.position = voice.position - end + startOf(voice);
    if (end <= startOf(voice)) return false;
  }
  return true;
}

// The share of each input channel in each output channel: left from left,
// left from right, right from right, right from left.
struct Gains {
  float ll = 1, lr = 0, rr = 1, rl = 0;
};

Gains transformGains(const SoundTransform& transform) {
  const double scale = transform.volume / 100 / 100;
  return {float(transform.ll * scale), float(transform.lr * scale), float(transform.rr * scale),
          float(transform.rl * scale)};
}

// The gains of inner followed by outer.
Gains operator*(const Gains& outer, const Gains& inner) {
  return {outer.ll * inner.ll + outer.lr * inner.rl, outer.ll * inner.lr + outer.lr * inner.rr,
          outer.rl * inner.lr + outer.rr * inner.rr, outer.rl * inner.ll + outer.rr * inner.rl};
}

// Mixes one voice into sum; returns false when it has ended.
bool mixVoice(Voice& voice, const Gains& gains, std::span<std::int32_t> sum) {
  const std::uint64_t end = endOf(voice);
  for (std::size_t i = 0; i + 1 < sum.size(); i += 2) {
    if (!wrap(voice, end)) return false;
    const auto [left, right] = sampleAt(*voice.sound, voice.position);
    const auto [leftLevel, rightLevel] = envelopeAt(voice.info.envelope, voice.position);
    const float shapedLeft = left * leftLevel;
    const float shapedRight = right * rightLevel;
    sum[i] += std::int32_t(std::lround(shapedLeft * gains.ll + shapedRight * gains.lr));
    sum[i + 1] += std::int32_t(std::lround(shapedRight * gains.rr + shapedLeft * gains.rl));
    ++voice.position;
  }
  return true;
}

}  // namespace

std::uint64_t frameStartSample(std::uint64_t frame, double frameRate) {
  return std::uint64_t(std::llround(double(frame) * kOutputRate / frameRate));
}

std::uint64_t outputLength(const DecodedSound& sound) {
  if (sound.sampleRate <= 0 || sound.frames() == 0) return 0;
  return std::uint64_t(std::llround(double(sound.frames()) * kOutputRate / sound.sampleRate));
}

bool Mixer::start(Voice voice) {
  if (!voice.sound || voice.sound->frames() == 0 || voice.sound->channels < 1) return false;
  voice.info.loopCount = std::max<std::uint16_t>(voice.info.loopCount, 1);
  voice.position = std::max(voice.position, startOf(voice));
  voices_.push_back(std::move(voice));
  return true;
}

template <typename Ends>
void Mixer::drop(Ends ends, bool completed) {
  std::erase_if(voices_, [&](Voice& voice) {
    if (!ends(voice)) return false;
    // Bounded: while nobody takes them (a paused movie), the oldest are kept.
    if (voice.channel != 0 && ended_.size() < kMaxEnded) {
      ended_.push_back({voice.channel, completed, std::min(voice.position, endOf(voice))});
    }
    return true;
  });
}

void Mixer::stopSound(std::uint16_t soundId) {
  drop([&](const Voice& v) { return v.stream == 0 && v.soundId == soundId; }, false);
}

void Mixer::stopStream(std::uint64_t stream) {
  drop([&](const Voice& v) { return v.stream == stream; }, false);
}

void Mixer::stopOwned(std::uint64_t owner, std::optional<std::uint16_t> soundId) {
  drop(
      [&](const Voice& v) {
        return v.stream == 0 && std::ranges::find(v.owners, owner) != v.owners.end() &&
               (!soundId || v.soundId == *soundId);
      },
      false);
}

void Mixer::stopAll() {
  drop([](const Voice&) { return true; }, false);
}

bool Mixer::isPlaying(std::uint16_t soundId) const {
  return std::any_of(voices_.begin(), voices_.end(),
                     [&](const Voice& v) { return v.stream == 0 && v.soundId == soundId; });
}

std::optional<std::uint64_t> Mixer::streamPosition(std::uint64_t stream) const {
  for (const Voice& voice : voices_) {
    if (voice.stream == stream) return voice.position;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> Mixer::channelPosition(std::uint64_t channel) const {
  for (const Voice& voice : voices_) {
    if (channel != 0 && voice.channel == channel) return voice.position;
  }
  return std::nullopt;
}

std::size_t Mixer::channelCount() const {
  return std::size_t(
      std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.channel != 0; }));
}

const SoundTransform& Mixer::transform(std::uint64_t owner) const {
  static const SoundTransform kUnchanged;
  const auto found = transforms_.find(owner);
  return found == transforms_.end() ? kUnchanged : found->second;
}

void Mixer::setTransform(std::uint64_t owner, const SoundTransform& transform) {
  if (transform == SoundTransform()) {
    transforms_.erase(owner);
  } else {
    transforms_[owner] = transform;
  }
}

std::vector<EndedChannel> Mixer::takeEnded() { return std::exchange(ended_, {}); }

void Mixer::skip(std::uint64_t samples) {
  drop(
      [&](Voice& voice) {
        voice.position += samples;
        return !wrap(voice, endOf(voice));
      },
      true);
}

void Mixer::mix(std::span<std::int16_t> out) {
  sum_.assign(out.size(), 0);
  // The owner's transform first, then each parent's, then that of every sound.
  const auto gainsOf = [&](const Voice& voice) {
    Gains gains;
    if (transforms_.empty()) return gains;
    for (const std::uint64_t owner : voice.owners) gains = transformGains(transform(owner)) * gains;
    return transformGains(transform(0)) * gains;
  };
  drop([&](Voice& voice) { return !mixVoice(voice, gainsOf(voice), sum_); }, true);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] =
        std::int16_t(std::clamp<std::int32_t>(sum_[i], std::numeric_limits<std::int16_t>::min(),
                                              std::numeric_limits<std::int16_t>::max()));
  }
}

}  // namespace quelvo::swf
