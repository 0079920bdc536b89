#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "platform/AudioOutput.h"

namespace quelvo::platform {
class Platform;
}
namespace quelvo::swf {
class Player;
}

namespace quelvo::playback {

// Sends the sounds of the movie playing to the sound device. The device is
// opened when a sound first plays and suspended a moment after the mix falls
// silent, so an idle player costs nothing. Without a device the sounds run
// out on the frame clock instead, silently.
class MovieSound : public QObject {
 public:
  explicit MovieSound(platform::Platform& platform, QObject* parent = nullptr);
  ~MovieSound() override;

  // The player whose sounds play; nullptr for none (its sounds stop at once).
  void setPlayer(swf::Player* player);
  // After the player ran: starts the device when something sounds.
  void update();
  // Frame-clock time passed, for when there is no device.
  void elapse(double seconds);

  // 0 to 100, and mute on top of it.
  void setVolume(int percent);
  void setMuted(bool muted);
  bool hasDevice() const { return output_ != nullptr; }
  // Sample frames the device took from the mix and has not played yet, while
  // it plays and keeps taking more; nothing without a device or when it
  // stalled, and then the frame clock paces the movie.
  std::optional<std::uint64_t> unheardFrames() const;
  // Whether any sound of the movie is playing.
  bool sounding() const;

 private:
  void mixInto(std::span<std::int16_t> samples);
  void suspendWhenSilent();
  void applyVolume();

  platform::Platform& platform_;
  swf::Player* player_ = nullptr;
  std::unique_ptr<platform::AudioOutput> output_;
  bool deviceTried_ = false;
  qint64 lastPullMs_ = 0;  // when the device last took samples
  QTimer silence_;
  int volume_ = 100;
  bool muted_ = false;
};

}  // namespace quelvo::playback
