#pragma once

// A sine tone coded by one of libavcodec's audio encoders, for the sound tests
// and the sound benchmark.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
}

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace quelvo::swf {

// Packets of a sine tone from libavcodec's encoder; empty when the encoder is missing or
// refuses the settings.
inline std::vector<std::vector<std::uint8_t>> encodeTone(const AVCodec* encoder, int sampleRate,
                                                         int channels, double frequency,
                                                         double seconds,
                                                         AVDictionary* options = nullptr) {
  std::vector<std::vector<std::uint8_t>> packets;
  if (!encoder) return packets;
  AVCodecContext* context = avcodec_alloc_context3(encoder);
  context->sample_rate = sampleRate;
  av_channel_layout_default(&context->ch_layout, channels);
  context->sample_fmt = encoder->sample_fmts ? encoder->sample_fmts[0] : AV_SAMPLE_FMT_S16;
  AVFrame* frame = av_frame_alloc();
  AVPacket* packet = av_packet_alloc();
  const auto collect = [&] {
    while (avcodec_receive_packet(context, packet) == 0) {
      packets.emplace_back(packet->data, packet->data + packet->size);
      av_packet_unref(packet);
    }
  };

  if (avcodec_open2(context, encoder, &options) == 0) {
    const int frameSize = context->frame_size > 0 ? context->frame_size : 1024;
    const auto format = context->sample_fmt;
    const bool planar = av_sample_fmt_is_planar(format);
    const auto packed = av_get_packed_sample_fmt(format);
    const auto total = std::int64_t(seconds * sampleRate);
    for (std::int64_t start = 0; start < total; start += frameSize) {
      frame->nb_samples = frameSize;
      frame->format = format;
      frame->sample_rate = sampleRate;
      av_channel_layout_copy(&frame->ch_layout, &context->ch_layout);
      frame->pts = start;
      if (av_frame_get_buffer(frame, 0) < 0) break;
      for (int index = 0; index < frameSize; ++index) {
        const double value =
            0.5 * std::sin(2 * std::numbers::pi * frequency * double(start + index) / sampleRate);
        for (int channel = 0; channel < channels; ++channel) {
          std::uint8_t* plane = frame->extended_data[planar ? channel : 0];
          const int position = planar ? index : index * channels + channel;
          if (packed == AV_SAMPLE_FMT_FLT) {
            reinterpret_cast<float*>(plane)[position] = float(value);
          } else if (packed == AV_SAMPLE_FMT_S32) {
            reinterpret_cast<std::int32_t*>(plane)[position] = std::int32_t(value * 2147483647.0);
          } else {
            reinterpret_cast<std::int16_t*>(plane)[position] = std::int16_t(value * 32767);
          }
        }
      }
      avcodec_send_frame(context, frame);
      av_frame_unref(frame);
      collect();
    }
    avcodec_send_frame(context, nullptr);
    collect();
  }
  av_packet_free(&packet);
  av_frame_free(&frame);
  avcodec_free_context(&context);
  av_dict_free(&options);
  return packets;
}

}  // namespace quelvo::swf
