#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
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
  QTimer silence_;
  int volume_ = 100;
  bool muted_ = false;
};

}  // namespace quelvo::playback
