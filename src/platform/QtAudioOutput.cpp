#include "platform/QtAudioOutput.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <cstring>

namespace quelvo::platform {

namespace {

constexpr int kBytesPerFrame = 4;  // two 16-bit channels
// About 100 ms queued: short enough for pausing and seeking to be heard at
// once, long enough to ride over a slow frame.
constexpr int kBufferFrames = AudioOutput::kRate / 10;

}  // namespace

PulledSamples::PulledSamples(AudioOutput::Source source) : source_(std::move(source)) {}

// Always more: the mix is made on demand.
qint64 PulledSamples::bytesAvailable() const {
  return kBufferFrames * kBytesPerFrame + QIODevice::bytesAvailable();
}

qint64 PulledSamples::readData(char* data, qint64 maxSize) {
  const qint64 frames = maxSize / kBytesPerFrame;
  if (frames <= 0) return 0;
  // The sink's buffer may not be aligned for 16-bit samples; mix into our own.
  mixed_.resize(std::size_t(frames) * 2);
  source_(mixed_);
  std::memcpy(data, mixed_.data(), mixed_.size() * sizeof(std::int16_t));
  return frames * kBytesPerFrame;
}

std::unique_ptr<AudioOutput> QtAudioOutput::openDefault(Source source) {
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return nullptr;
  QAudioFormat format;
  format.setSampleRate(kRate);
  format.setChannelCount(2);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) return nullptr;
  auto sink = std::make_unique<QAudioSink>(device, format);
  sink->setBufferSize(kBufferFrames * kBytesPerFrame);
  return std::make_unique<QtAudioOutput>(std::move(sink), std::move(source));
}

QtAudioOutput::QtAudioOutput(std::unique_ptr<QAudioSink> sink, Source source)
    : sink_(std::move(sink)), samples_(std::move(source)) {
  samples_.open(QIODevice::ReadOnly);
}

QtAudioOutput::~QtAudioOutput() { sink_->stop(); }

void QtAudioOutput::resume() {
  if (sink_->state() == QAudio::SuspendedState) {
    sink_->resume();
  } else if (sink_->state() == QAudio::StoppedState) {
    sink_->start(&samples_);
  }
}

void QtAudioOutput::suspend() {
  if (sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState) {
    sink_->suspend();
  }
}

bool QtAudioOutput::running() const {
  return sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState;
}

qint64 QtAudioOutput::queuedFrames() const {
  return (sink_->bufferSize() - sink_->bytesFree()) / kBytesPerFrame;
}

}  // namespace quelvo::platform
