#pragma once

#include <QAudioSink>
#include <QIODevice>
#include <memory>
#include <vector>

#include "platform/AudioOutput.h"

namespace quelvo::platform {

// The source as a device QAudioSink reads from in pull mode.
class PulledSamples final : public QIODevice {
 public:
  explicit PulledSamples(AudioOutput::Source source);
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override;

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  AudioOutput::Source source_;
  std::vector<std::int16_t> mixed_;  // kept between reads: no allocation per read
};

// The system's default sound device through Qt Multimedia.
class QtAudioOutput final : public AudioOutput {
 public:
  // Null when the system has no sound device.
  static std::unique_ptr<AudioOutput> openDefault(Source source);

  QtAudioOutput(std::unique_ptr<QAudioSink> sink, Source source);
  ~QtAudioOutput() override;

  void resume() override;
  void suspend() override;
  bool running() const override;
  void setVolume(double volume) override { sink_->setVolume(volume); }
  qint64 queuedFrames() const override;

 private:
  std::unique_ptr<QAudioSink> sink_;
  PulledSamples samples_;
};

}  // namespace quelvo::platform
