#include "swf/input/HitTester.h"

#include <QPainterPathStroker>
#include <algorithm>
#include <vector>

#include "swf/geometry/Transforms.h"
#include "swf/runtime/ButtonInstance.h"
#include "swf/runtime/TimelineInstance.h"

namespace quelvo::swf {

namespace {

// A clip layer of a list being walked: up to which depth it masks, and
// whether the point is inside it.
struct PointMask {
  std::uint16_t lastDepth = 0;
  bool hit = false;
};

// Whether local falls within a stroke of width twips (a hairline counts as one pixel).
bool strokeContains(const QPainterPath& path, double width, QPointF local) {
  if (path.isEmpty()) return false;
  const double w = std::max(width, 20.0);
  if (!path.controlPointRect().adjusted(-w, -w, w, w).contains(local)) return false;
  QPainterPathStroker stroker;
  stroker.setWidth(w);
  stroker.setCapStyle(Qt::RoundCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(path).contains(local);
}

bool maskedOut(const std::vector<PointMask>& masks, std::uint16_t depth) {
  for (const PointMask& mask : masks) {
    if (depth <= mask.lastDepth && !mask.hit) return true;
  }
  return false;
}

}  // namespace

HitTester::HitTester(Library& library, FieldTexts& fields, ShapePathCache& paths)
    : library_(library), fields_(fields), paths_(paths) {}

void HitTester::visitButtons(TimelineInstance& root, std::optional<QPointF> point,
                             const std::function<void(const ButtonSite&)>& visit) {
  visitList(root, root.displayList(), QTransform(), point, visit);
}

// point is empty once a mask leaves it out: buttons below are still visited.
void HitTester::visitList(TimelineInstance& clip, const DisplayList& list,
                          const QTransform& toStage, std::optional<QPointF> point,
                          const std::function<void(const ButtonSite&)>& visit) {
  std::vector<PointMask> masks;
  for (const auto& [depth, object] : list.objects()) {
    if (object.clipDepth != 0) {
      if (object.clipDepth > depth) {
        masks.push_back({object.clipDepth, point && contains(object, toStage, *point)});
      }
      continue;
    }
    const QTransform objectToStage = toQTransform(object.matrix) * toStage;
    const std::optional<QPointF> visible =
        object.visible && !maskedOut(masks, depth) ? point : std::nullopt;
    if (object.sprite) {
      visitList(*object.sprite, object.sprite->displayList(), objectToStage, visible, visit);
    } else if (object.button) {
      visit(ButtonSite{object.button.get(), &clip, visible && contains(object, toStage, *visible)});
    }
  }
}

bool HitTester::contains(const DisplayObject& object, const QTransform& parentToStage,
                         QPointF point) {
  if (!object.visible) return false;
  const QTransform toStage = toQTransform(object.matrix) * parentToStage;
  if (!isDrawable(toStage)) return false;
  // Clips scripts made have no character of their own.
  if (object.sprite) return clipContains(*object.sprite, toStage, point);
  switch (shownKind(library_, object)) {
    case CharacterKind::Shape:
    case CharacterKind::MorphShape: {
      const Shape* shape = library_.shapeAt(object.character, object.ratio);
      return shape && shapeContains(*shape, toStage, point);
    }
    case CharacterKind::Button:
      return object.button && listContains(object.button->hitArea(), toStage, point);
    case CharacterKind::StaticText:
      for (const PlacedGlyph& glyph : library_.text().glyphs(object.character)) {
        if (shapeContains(*glyph.shape, glyph.toCharacter * toStage, point)) return true;
      }
      return false;
    // A field masking something does so with its glyphs alone.
    case CharacterKind::EditText: {
      const bool masking = object.clipDepth != 0 || (object.field && object.field->scripted &&
                                                     object.field->scripted->masks);
      const Shape* shape = fields_.shape(object.character, object.field.get());
      return shape &&
             shapeContains(*shape, toStage, point,
                           masking ? fields_.textLayer(object.character, object.field.get()) : 0);
    }
    case CharacterKind::Video: {
      const VideoCharacter* video = library_.video(object.character);
      return video && shapeContains(video->area(), toStage, point);
    }
    case CharacterKind::Sprite:
    case CharacterKind::Other:
    case CharacterKind::None:
      return false;
  }
  return false;
}

bool HitTester::clipContains(const TimelineInstance& clip, const QTransform& toStage,
                             QPointF point) {
  if (!scriptMaskPasses(clip, point)) return false;
  if (const Shape* drawing = clip.drawing(); drawing && shapeContains(*drawing, toStage, point)) {
    return true;
  }
  return listContains(clip.displayList(), toStage, point);
}

// The mask is tested by its own shapes only, not through masks of its own,
// so a clip masked by a clip holding it cannot send the test round in a circle.
// A text field as the mask is tested from the clip holding it.
bool HitTester::scriptMaskPasses(const TimelineInstance& clip, QPointF point) {
  if (testingMask_) return true;
  const TimelineInstance* mask = clip.maskClip();
  const auto field = mask ? std::nullopt : clip.maskField();
  const TimelineInstance* space = mask ? mask : field ? field->holder : nullptr;
  if (!space) return true;
  QTransform toStage;
  for (const TimelineInstance* at = space; at->parent(); at = at->parent()) {
    const DisplayObject* object = at->placement();
    if (!object) return false;
    toStage *= toQTransform(object->matrix);
  }
  testingMask_ = true;
  const bool passes =
      mask ? clipContains(*mask, toStage, point) : contains(*field->field, toStage, point);
  testingMask_ = false;
  return passes;
}

bool HitTester::listContains(const DisplayList& list, const QTransform& toStage, QPointF point) {
  std::vector<PointMask> masks;
  for (const auto& [depth, object] : list.objects()) {
    if (object.clipDepth != 0) {
      if (object.clipDepth > depth)
        masks.push_back({object.clipDepth, contains(object, toStage, point)});
    } else if (!maskedOut(masks, depth) && contains(object, toStage, point)) {
      return true;
    }
  }
  return false;
}

bool HitTester::shapeContains(const Shape& shape, const QTransform& toStage, QPointF point,
                              std::size_t firstLayer) {
  bool invertible = false;
  const QPointF local = toStage.inverted(&invertible).map(point);
  if (!invertible) return false;
  const ShapePaths& paths = paths_.paths(shape);
  for (std::size_t i = firstLayer; i < paths.layers.size() && i < shape.layers.size(); ++i) {
    const LayerPaths& layer = paths.layers[i];
    for (const QPainterPath& fill : layer.fills) {
      if (fill.contains(local)) return true;
    }
    const auto& styles = shape.layers[i].lines;
    for (std::size_t line = 0; line < layer.lines.size() && line < styles.size(); ++line) {
      if (strokeContains(layer.lines[line], styles[line].width, local)) return true;
    }
  }
  return false;
}

}  // namespace quelvo::swf
