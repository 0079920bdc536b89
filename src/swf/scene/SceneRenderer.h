#pragma once

#include <QTransform>
#include <cstdint>
#include <optional>
#include <vector>

#include "swf/model/Library.h"
#include "swf/render/DrawList.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/FieldTexts.h"

namespace quelvo::swf {

class TimelineInstance;

// Walks a display list tree from the lowest depth up and adds its shapes to
// a draw list: matrices and colour transforms compose from parent to child,
// and a clip layer (an object with a clip depth) masks the objects above it
// up to its clip depth instead of being drawn. An object with filters, a
// blend mode or cacheAsBitmap is drawn as a group.
class SceneRenderer {
 public:
  SceneRenderer(Library& library, FieldTexts& fields, DrawList& output);

  // The root's own drawing (from scripts), then its display list.
  void render(const TimelineInstance& root, const QTransform& toDevice);

 private:
  struct ActiveMask {
    std::uint16_t lastDepth = 0;
    // The areas of the clip layers in force when it began, then its own.
    std::vector<std::vector<MaskPart>> layers;
    std::size_t pushed = 0;  // masks it has on the output's stack
  };

  void drawList(const DisplayList& list, const QTransform& toDevice,
                const ColorTransform& colorTransform);
  void drawObject(const DisplayObject& object, const QTransform& toDevice,
                  const ColorTransform& colorTransform);
  // The object's character (or sprite), without its group effects.
  void drawCharacter(const DisplayObject& object, const QTransform& toDevice,
                     const ColorTransform& colorTransform);
  // A video's picture for the frame number its ratio gives, over its area.
  void drawVideo(const DisplayObject& object, const ShapePlacement& placement,
                 const ColorTransform& colorTransform);
  // A script bitmap attached to a clip, as its pixels are now.
  void drawAttachedBitmap(const DisplayObject& object, const ShapePlacement& placement,
                          const ColorTransform& colorTransform);
  // Adds the shapes of object (and of a sprite's children) to parts; returns
  // false when it holds characters that cannot be drawn yet.
  bool collectMask(const DisplayObject& object, const QTransform& toDevice,
                   std::vector<MaskPart>& parts);
  bool collectMask(const DisplayList& list, const QTransform& toDevice,
                   std::vector<MaskPart>& parts);
  void endMasksBelow(std::uint16_t depth, std::vector<ActiveMask>& masks);
  void popMasks(std::size_t count);
  // A sprite instance: what scripts drew on it, then its children, within
  // the clip masking it when a script set one.
  void drawSprite(const TimelineInstance& sprite, const QTransform& toDevice,
                  const ColorTransform& colorTransform);
  bool collectSpriteMask(const TimelineInstance& sprite, const QTransform& toDevice,
                         std::vector<MaskPart>& parts);
  // The script mask of sprite in device space; nullopt when it has none.
  std::optional<std::vector<MaskPart>> scriptMask(const TimelineInstance& sprite);
  std::optional<std::vector<MaskPart>> fieldMask(const TimelineInstance& sprite);

  Library& library_;
  FieldTexts& fields_;
  DrawList& output_;
  QTransform rootToDevice_;
};

}  // namespace quelvo::swf
