#include "swf/model/Library.h"

#include <algorithm>

#include "swf/base/Log.h"
#include "swf/format/MorphFrame.h"
#include "swf/format/TagCodes.h"
#include "swf/format/Video.h"

namespace quelvo::swf {

namespace {

// Definition tags that add data to a character defined elsewhere rather than
// defining one of their own.
bool definesCharacter(std::uint16_t code) {
  switch (code) {
    case tags::JpegTables:
    case tags::DefineFontInfo:
    case tags::DefineFontInfo2:
    case tags::DefineButtonSound:
    case tags::DefineButtonCxform:
    case tags::DefineFontAlignZones:
    case tags::CsmTextSettings:
    case tags::DefineScalingGrid:
    case tags::DefineFontName:
      return false;
    default:
      return isDefinitionTag(code);
  }
}

void addVideoFrames(const Timeline& timeline,
                    std::map<std::uint16_t, std::vector<VideoFrame>>& frames) {
  for (const Frame& frame : timeline.frames) {
    for (const TagRecord& record : frame.tags) {
      if (record.code != tags::VideoFrame) continue;
      if (auto read = readVideoFrame(record)) frames[read->streamId].push_back(*read);
    }
  }
}

}  // namespace

Library::Library(const Movie& movie)
    : movie_(movie), bitmaps_(movie.definitions()), text_(movie.definitions()) {
  for (const TagRecord& record : movie.definitions()) {
    if (record.body.size() < 2) continue;
    const auto id = static_cast<std::uint16_t>(record.body[0] | record.body[1] << 8);
    if (definesCharacter(record.code)) definitions_.try_emplace(id, record);
    if (record.code == tags::DefineButtonCxform) buttonCxforms_.try_emplace(id, record);
  }
}

CharacterKind Library::kind(std::uint16_t id) const {
  const auto found = definitions_.find(id);
  if (found == definitions_.end()) return CharacterKind::None;
  if (shapeVersion(found->second.code) != 0) return CharacterKind::Shape;
  if (found->second.code == tags::DefineSprite) return CharacterKind::Sprite;
  if (morphShapeVersion(found->second.code) != 0) return CharacterKind::MorphShape;
  if (isButtonTag(found->second.code)) return CharacterKind::Button;
  if (isStaticTextTag(found->second.code)) return CharacterKind::StaticText;
  if (found->second.code == tags::DefineEditText) return CharacterKind::EditText;
  if (found->second.code == tags::DefineVideoStream) return CharacterKind::Video;
  return CharacterKind::Other;
}

const Shape* Library::shape(std::uint16_t id) {
  if (kind(id) != CharacterKind::Shape) return nullptr;
  return readOnce(shapes_, id, "shape",
                  [&](const TagRecord& record) { return readShape(record, edgeBudget_); });
}

const Shape* Library::morphShape(std::uint16_t id, std::uint16_t ratio) {
  if (kind(id) != CharacterKind::MorphShape) return nullptr;
  const MorphShape* morph = readOnce(morphs_, id, "morph shape", [&](const TagRecord& record) {
    return readMorphShape(record, edgeBudget_);
  });
  if (!morph) return nullptr;
  const auto key = std::pair(id, ratio);
  auto frame = morphFrames_.find(key);
  if (frame == morphFrames_.end()) {
    if (morphFrames_.size() >= kMorphFramesKept) {
      morphFrames_.erase(std::min_element(
          morphFrames_.begin(), morphFrames_.end(),
          [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; }));
    }
    Shape shape = morphFrame(*morph, ratio);
    shape.transientKey = newTransientKey();
    frame = morphFrames_.emplace(key, MorphFrame{std::move(shape), 0}).first;
  }
  frame->second.lastUse = ++morphUses_;
  return &frame->second.shape;
}

const Sprite* Library::sprite(std::uint16_t id) const {
  if (kind(id) != CharacterKind::Sprite) return nullptr;
  const auto found = movie_.sprites().find(id);
  return found != movie_.sprites().end() ? &found->second : nullptr;
}

const Button* Library::button(std::uint16_t id) {
  if (kind(id) != CharacterKind::Button) return nullptr;
  return readOnce(buttons_, id, "button", [&](const TagRecord& record) {
    auto button = readButton(record);
    const auto cxform = buttonCxforms_.find(id);
    if (button && record.code == tags::DefineButton && cxform != buttonCxforms_.end()) {
      const auto read = readButtonCxform(cxform->second);
      if (read) {
        for (ButtonRecord& part : button->records) part.colorTransform = read->colorTransform;
      }
    }
    return button;
  });
}

VideoCharacter* Library::video(std::uint16_t id) {
  if (kind(id) != CharacterKind::Video) return nullptr;
  return readOnce(videos_, id, "video stream", [&](const TagRecord& record) {
    if (!videoFrames_) {
      videoFrames_.emplace();
      addVideoFrames(movie_.root(), *videoFrames_);
      for (const auto& [spriteId, sprite] : movie_.sprites()) {
        addVideoFrames(sprite.timeline, *videoFrames_);
      }
    }
    auto stream = readVideoStream(record);
    if (!stream) return Expected<VideoCharacter>(stream.error());
    return Expected<VideoCharacter>(VideoCharacter(*stream, (*videoFrames_)[id]));
  });
}

const Shape* Library::shapeAt(std::uint16_t id, std::uint16_t ratio) {
  return kind(id) == CharacterKind::MorphShape ? morphShape(id, ratio) : shape(id);
}

}  // namespace quelvo::swf
