#pragma once

// Video frames coded by libavcodec's own encoders, and the tag bodies that
// carry them, for the video tests.

#include <QColor>
#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "support/SwfWriter.h"
#include "swf/format/Video.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
}

namespace quelvo::swf::videotest {

using Bytes = std::vector<std::uint8_t>;

// Writes picture into frame: BGR for the Screen Video encoders, BT.601
// video-range YUV 4:2:0 for the others.
inline void fillFrame(AVFrame& frame, const QImage& picture) {
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      const QRgb rgb = picture.pixel(x, y);
      const int r = qRed(rgb), g = qGreen(rgb), b = qBlue(rgb);
      const auto at = [&](int plane, int column, int row) {
        return frame.data[plane] + row * frame.linesize[plane] + column;
      };
      if (frame.format == AV_PIX_FMT_BGR24) {
        *at(0, 3 * x, y) = static_cast<std::uint8_t>(b);
        *at(0, 3 * x + 1, y) = static_cast<std::uint8_t>(g);
        *at(0, 3 * x + 2, y) = static_cast<std::uint8_t>(r);
        continue;
      }
      *at(0, x, y) = static_cast<std::uint8_t>(16 + (66 * r + 129 * g + 25 * b + 128) / 256);
      *at(1, x / 2, y / 2) = static_cast<std::uint8_t>(128 + (-38 * r - 74 * g + 112 * b) / 256);
      *at(2, x / 2, y / 2) = static_cast<std::uint8_t>(128 + (112 * r - 94 * g - 18 * b) / 256);
    }
  }
}

// The pictures (all of one size) coded one frame each, a key frame every
// keyInterval frames and nowhere else; empty without such an encoder.
inline std::vector<Bytes> encode(AVCodecID codec, const std::vector<QImage>& pictures,
                                 int keyInterval) {
  std::vector<Bytes> frames;
  const AVCodec* encoder = avcodec_find_encoder(codec);
  if (!encoder) return frames;
  AVCodecContext* context = avcodec_alloc_context3(encoder);
  context->width = pictures.front().width();
  context->height = pictures.front().height();
  context->time_base = AVRational{1, 25};
  context->gop_size = keyInterval;
  context->pix_fmt = codec == AV_CODEC_ID_FLV1 ? AV_PIX_FMT_YUV420P : AV_PIX_FMT_BGR24;
  context->flags |= AV_CODEC_FLAG_QSCALE;
  context->global_quality = FF_QP2LAMBDA * 2;
  av_opt_set_int(context->priv_data, "sc_threshold", 1000000000, 0);  // no key frame of its own
  AVFrame* frame = av_frame_alloc();
  AVPacket* packet = av_packet_alloc();
  if (avcodec_open2(context, encoder, nullptr) == 0) {
    frame->format = context->pix_fmt;
    frame->width = context->width;
    frame->height = context->height;
    av_frame_get_buffer(frame, 0);
    for (std::size_t i = 0; i <= pictures.size(); ++i) {
      if (i < pictures.size()) {
        av_frame_make_writable(frame);
        fillFrame(*frame, pictures[i]);
        frame->pts = static_cast<std::int64_t>(i);
      }
      avcodec_send_frame(context, i < pictures.size() ? frame : nullptr);
      while (avcodec_receive_packet(context, packet) == 0) {
        frames.emplace_back(packet->data, packet->data + packet->size);
        av_packet_unref(packet);
      }
    }
  }
  av_packet_free(&packet);
  av_frame_free(&frame);
  avcodec_free_context(&context);
  return frames;
}

inline QImage solid(int width, int height, QColor colour) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(colour);
  return picture;
}

// A distinct colour for each frame number.
inline QColor frameColour(int frame) {
  return QColor::fromHsv((frame * 47) % 360, 255, frame % 2 == 0 ? 255 : 160);
}

inline std::vector<QImage> solidFrames(int count, int width, int height) {
  std::vector<QImage> pictures;
  for (int i = 0; i < count; ++i) pictures.push_back(solid(width, height, frameColour(i)));
  return pictures;
}

inline bool near(QColor a, QColor b, int tolerance = 12) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

inline swftest::ByteWriter videoStreamBody(std::uint16_t id, std::uint16_t width,
                                           std::uint16_t height, VideoCodec codec,
                                           bool smoothing = false, std::uint8_t deblocking = 0) {
  swftest::ByteWriter body;
  body.u16(id).u16(1).u16(width).u16(height);
  body.ub(0, 4).ub(deblocking, 3).ub(smoothing ? 1 : 0, 1).u8(static_cast<std::uint8_t>(codec));
  return body;
}

inline swftest::ByteWriter videoFrameBody(std::uint16_t stream, std::uint16_t number,
                                          const Bytes& data) {
  swftest::ByteWriter body;
  body.u16(stream).u16(number).bytes(data);
  return body;
}

// A Sorenson H.263 picture header: start code, version 0, temporal
// reference, size code (the size follows for codes 0 and 1), picture type.
inline Bytes h263Header(unsigned sizeCode, unsigned type, unsigned width = 0, unsigned height = 0) {
  swftest::ByteWriter header;
  header.ub(1, 17).ub(0, 5).ub(0, 8).ub(sizeCode, 3);
  const unsigned sizeBits = sizeCode == 0 ? 8 : 16;
  if (sizeCode <= 1) header.ub(width, sizeBits).ub(height, sizeBits);
  header.ub(type, 2).ub(0, 7).align();
  return header.data();
}

}  // namespace quelvo::swf::videotest
