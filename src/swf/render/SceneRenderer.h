#pragma once

#include <QTransform>
#include <cstdint>
#include <vector>

#include "swf/Library.h"
#include "swf/render/RenderBackend.h"
#include "swf/timeline/DisplayList.h"

namespace quelvo::swf {

// Walks a display list tree from the lowest depth up and hands the shapes to
// a backend: matrices and colour transforms compose from parent to child,
// and a clip layer (an object with a clip depth) masks the objects above it
// up to its clip depth instead of being drawn.
class SceneRenderer {
 public:
  SceneRenderer(Library& library, RenderBackend& backend);

  void render(const DisplayList& list, const QTransform& toDevice);

 private:
  struct ActiveMask {
    std::uint16_t lastDepth = 0;
    std::vector<MaskPart> parts;
  };

  void drawList(const DisplayList& list, const QTransform& toDevice,
                const ColorTransform& colorTransform);
  void drawObject(const DisplayObject& object, const QTransform& toDevice,
                  const ColorTransform& colorTransform);
  // Adds the shapes of object (and of a sprite's children) to parts; returns
  // false when it holds characters that cannot be drawn yet.
  bool collectMask(const DisplayObject& object, const QTransform& toDevice,
                   std::vector<MaskPart>& parts);
  bool collectMask(const DisplayList& list, const QTransform& toDevice,
                   std::vector<MaskPart>& parts);
  void endMasksBelow(std::uint16_t depth, std::vector<ActiveMask>& masks);

  Library& library_;
  RenderBackend& backend_;
};

}  // namespace quelvo::swf
