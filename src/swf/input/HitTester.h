#pragma once

#include <QPointF>
#include <QTransform>
#include <cstddef>
#include <functional>
#include <optional>

#include "swf/geometry/ShapePaths.h"
#include "swf/model/Library.h"
#include "swf/runtime/DisplayList.h"

namespace quelvo::swf {

class ButtonInstance;
class FieldTexts;
class TimelineInstance;

// A button on the stage: its instance, the timeline whose display list holds
// it, and whether a given point is in its hit area.
struct ButtonSite {
  ButtonInstance* button = nullptr;
  TimelineInstance* clip = nullptr;
  bool underPoint = false;
};

// Finds what lies under a point of the stage (in stage twips), testing the
// fills and strokes of the same paths the renderer draws, and what scripts
// drew in clips. Buttons inside a button's states are part of it, not buttons
// of their own; hidden objects and what a mask (a clip layer, or a clip or
// text field scripts set as a mask) leaves out are not under any point.
class HitTester {
 public:
  HitTester(Library& library, FieldTexts& fields, ShapePathCache& paths);

  // Visits every button on the stage from the lowest depth up (so the last
  // one found under the point is the topmost). Without a point none is under it.
  void visitButtons(TimelineInstance& root, std::optional<QPointF> point,
                    const std::function<void(const ButtonSite&)>& visit);
  // Whether point falls in the object's fills (a button's hit area for a button).
  bool contains(const DisplayObject& object, const QTransform& parentToStage, QPointF point);
  // Whether point falls in what the clip shows, visible or not itself.
  bool clipContains(const TimelineInstance& clip, const QTransform& toStage, QPointF point);
  // Whether point falls in the fills or strokes of the shape's layers from firstLayer on.
  bool shapeContains(const Shape& shape, const QTransform& toStage, QPointF point,
                     std::size_t firstLayer = 0);

 private:
  void visitList(TimelineInstance& clip, const DisplayList& list, const QTransform& toStage,
                 std::optional<QPointF> point, const std::function<void(const ButtonSite&)>& visit);
  bool listContains(const DisplayList& list, const QTransform& toStage, QPointF point);
  // Whether the mask a script gave the clip (if any) lets point through.
  bool scriptMaskPasses(const TimelineInstance& clip, QPointF point);

  Library& library_;
  FieldTexts& fields_;
  ShapePathCache& paths_;
  bool testingMask_ = false;
};

}  // namespace quelvo::swf
