#include "swf/scene/SceneRenderer.h"

#include <algorithm>
#include <cmath>

#include "swf/bitmapdata/BitmapSurface.h"
#include "swf/effects/ApplyFilter.h"
#include "swf/geometry/Transforms.h"
#include "swf/runtime/ButtonInstance.h"
#include "swf/runtime/TimelineInstance.h"

namespace quelvo::swf {

SceneRenderer::SceneRenderer(Library& library, FieldTexts& fields, DrawList& output)
    : library_(library), fields_(fields), output_(output) {}

void SceneRenderer::render(const TimelineInstance& root, const QTransform& toDevice) {
  rootToDevice_ = toDevice;
  drawSprite(root, toDevice, ColorTransform{});
}

void SceneRenderer::drawList(const DisplayList& list, const QTransform& toDevice,
                             const ColorTransform& colorTransform) {
  std::vector<ActiveMask> masks;
  for (const auto& [depth, object] : list.objects()) {
    endMasksBelow(depth, masks);
    if (object.clipDepth == 0) {
      if (object.visible) drawObject(object, toDevice, colorTransform);
      continue;
    }
    if (object.clipDepth <= depth) continue;  // masks nothing
    std::vector<MaskPart> parts;
    const bool complete = collectMask(object, toDevice, parts);
    // A mask we cannot draw yet leaves what it covers unmasked rather than hidden.
    if (!complete && parts.empty()) continue;
    // A clip layer within the range of others is itself clipped by them.
    ActiveMask mask{object.clipDepth, {}, 1};
    for (const ActiveMask& outer : masks) mask.layers.push_back(outer.layers.back());
    mask.layers.push_back(std::move(parts));
    output_.pushMask(mask.layers.back());
    masks.push_back(std::move(mask));
  }
  for (const ActiveMask& mask : masks) popMasks(mask.pushed);
}

void SceneRenderer::popMasks(std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) output_.popMask();
}

// Masks may end in any order; the output's are a stack, so the ones pushed
// after an ending mask come off with it and go back on, with the layers that
// clipped them.
void SceneRenderer::endMasksBelow(std::uint16_t depth, std::vector<ActiveMask>& masks) {
  const auto hasEnded = [&](const ActiveMask& mask) { return mask.lastDepth < depth; };
  const auto firstEnded =
      static_cast<std::size_t>(std::find_if(masks.begin(), masks.end(), hasEnded) - masks.begin());
  if (firstEnded == masks.size()) return;
  for (std::size_t i = firstEnded; i < masks.size(); ++i) popMasks(masks[i].pushed);
  masks.erase(std::remove_if(masks.begin() + static_cast<std::ptrdiff_t>(firstEnded), masks.end(),
                             hasEnded),
              masks.end());
  for (std::size_t i = firstEnded; i < masks.size(); ++i) {
    for (const auto& layer : masks[i].layers) output_.pushMask(layer);
    masks[i].pushed = masks[i].layers.size();
  }
}

namespace {

bool drawnAsGroup(const DisplayObject& object) {
  return object.cacheAsBitmap || !object.filters.empty() ||
         effects::blendModeFromCode(object.blendMode) != effects::BlendMode::Normal;
}

}  // namespace

void SceneRenderer::drawObject(const DisplayObject& object, const QTransform& parentToDevice,
                               const ColorTransform& parentColorTransform) {
  if (!isDrawable(toQTransform(object.matrix) * parentToDevice)) return;
  if (!drawnAsGroup(object)) {
    drawCharacter(object, parentToDevice, parentColorTransform);
    return;
  }
  // Filter sizes are in stage pixels, which the device may show larger.
  constexpr double kTwipsPerPixel = 20;
  const double scale = std::sqrt(std::abs(rootToDevice_.determinant())) * kTwipsPerPixel;
  std::vector<effects::FilterParams> filters;
  for (const auto& filter : object.filters) filters.push_back(effects::scaledFilter(filter, scale));
  output_.beginGroup(effects::blendModeFromCode(object.blendMode), std::move(filters));
  drawCharacter(object, parentToDevice, parentColorTransform);
  output_.endGroup();
}

void SceneRenderer::drawCharacter(const DisplayObject& object, const QTransform& parentToDevice,
                                  const ColorTransform& parentColorTransform) {
  const ShapePlacement placement{toQTransform(object.matrix), parentToDevice};
  const QTransform toDevice = placement.toDevice();
  const ColorTransform colorTransform = object.colorTransform.then(parentColorTransform);
  if (object.bitmap) {
    drawAttachedBitmap(object, placement, colorTransform);
    return;
  }
  if (object.sprite) {
    if (!object.sprite->masksAnother()) drawSprite(*object.sprite, toDevice, colorTransform);
    return;
  }
  switch (shownKind(library_, object)) {
    case CharacterKind::Shape:
    case CharacterKind::MorphShape:
      if (const Shape* shape = library_.shapeAt(object.character, object.ratio)) {
        output_.drawShape(*shape, placement, colorTransform);
      }
      break;
    case CharacterKind::Sprite:
      break;
    case CharacterKind::Button:
      if (object.button) drawList(object.button->displayList(), toDevice, colorTransform);
      break;
    case CharacterKind::StaticText:
      for (const PlacedGlyph& glyph : library_.text().glyphs(object.character)) {
        const ShapePlacement glyphPlacement{glyph.toCharacter * placement.matrix, parentToDevice};
        output_.drawShape(*glyph.shape, glyphPlacement, glyph.colour.then(colorTransform));
      }
      break;
    case CharacterKind::EditText: {
      const bool masking = object.field && object.field->scripted && object.field->scripted->masks;
      const Shape* shape = masking ? nullptr : fields_.shape(object.character, object.field.get());
      if (shape) output_.drawShape(*shape, placement, colorTransform);
      break;
    }
    case CharacterKind::Video:
      drawVideo(object, placement, colorTransform);
      break;
    case CharacterKind::Other:
    case CharacterKind::None:
      break;
  }
}

void SceneRenderer::drawVideo(const DisplayObject& object, const ShapePlacement& placement,
                              const ColorTransform& colorTransform) {
  VideoCharacter* video = library_.video(object.character);
  const QImage* picture = video ? video->picture(object.ratio) : nullptr;
  if (!picture) return;
  const Rect& area = video->area().bounds;
  output_.drawPicture(*picture,
                      QRectF(QPointF(area.xMin, area.yMin), QPointF(area.xMax, area.yMax)),
                      placement, colorTransform, video->stream().smoothing);
}

void SceneRenderer::drawAttachedBitmap(const DisplayObject& object, const ShapePlacement& placement,
                                       const ColorTransform& colorTransform) {
  const BitmapSurface& bitmap = *object.bitmap;
  if (bitmap.disposed()) return;
  output_.drawPicture(bitmap.image(), bitmap.areaInTwips(), placement, colorTransform,
                      object.bitmapSmoothing);
}

void SceneRenderer::drawSprite(const TimelineInstance& sprite, const QTransform& toDevice,
                               const ColorTransform& colorTransform) {
  const auto mask = scriptMask(sprite);
  if (mask) output_.pushMask(*mask);
  if (const Shape* drawing = sprite.drawing()) {
    output_.drawShape(*drawing, ShapePlacement{QTransform(), toDevice}, colorTransform);
  }
  drawList(sprite.displayList(), toDevice, colorTransform);
  if (mask) output_.popMask();
}

namespace {

std::optional<QTransform> toRootOf(const TimelineInstance& clip) {
  QTransform toRoot;
  for (const TimelineInstance* at = &clip; at->parent(); at = at->parent()) {
    const DisplayObject* object = at->placement();
    if (!object) return std::nullopt;
    toRoot *= toQTransform(object->matrix);
  }
  return toRoot;
}

}  // namespace

std::optional<std::vector<MaskPart>> SceneRenderer::scriptMask(const TimelineInstance& sprite) {
  if (const TimelineInstance* mask = sprite.maskClip()) {
    const auto toRoot = toRootOf(*mask);
    if (!toRoot) return std::nullopt;
    const QTransform toDevice = *toRoot * rootToDevice_;
    std::vector<MaskPart> parts;
    if (isDrawable(toDevice)) collectSpriteMask(*mask, toDevice, parts);
    return parts;
  }
  return fieldMask(sprite);
}

std::optional<std::vector<MaskPart>> SceneRenderer::fieldMask(const TimelineInstance& sprite) {
  const auto mask = sprite.maskField();
  const auto toRoot = mask ? toRootOf(*mask->holder) : std::nullopt;
  if (!toRoot) return std::nullopt;
  std::vector<MaskPart> parts;
  collectMask(*mask->field, *toRoot * rootToDevice_, parts);
  return parts;
}

bool SceneRenderer::collectSpriteMask(const TimelineInstance& sprite, const QTransform& toDevice,
                                      std::vector<MaskPart>& parts) {
  if (const Shape* drawing = sprite.drawing()) parts.push_back(MaskPart{drawing, toDevice});
  return collectMask(sprite.displayList(), toDevice, parts);
}

bool SceneRenderer::collectMask(const DisplayObject& object, const QTransform& parentToDevice,
                                std::vector<MaskPart>& parts) {
  const QTransform toDevice = toQTransform(object.matrix) * parentToDevice;
  if (!isDrawable(toDevice)) return true;
  if (object.sprite) return collectSpriteMask(*object.sprite, toDevice, parts);
  switch (shownKind(library_, object)) {
    case CharacterKind::Shape:
    case CharacterKind::MorphShape:
      if (const Shape* shape = library_.shapeAt(object.character, object.ratio)) {
        parts.push_back(MaskPart{shape, toDevice});
      }
      return true;
    case CharacterKind::Sprite:
      return true;
    // A mask is never under the pointer, so a button mask shows its up state.
    case CharacterKind::Button:
      return !object.button || collectMask(object.button->displayList(), toDevice, parts);
    case CharacterKind::StaticText:
      for (const PlacedGlyph& glyph : library_.text().glyphs(object.character)) {
        parts.push_back(MaskPart{glyph.shape, glyph.toCharacter * toDevice});
      }
      return true;
    // Text masks where its glyphs are, not its box.
    case CharacterKind::EditText:
      if (const Shape* shape = fields_.shape(object.character, object.field.get())) {
        parts.push_back(
            MaskPart{shape, toDevice, fields_.textLayer(object.character, object.field.get())});
      }
      return true;
    case CharacterKind::Video:
      if (const VideoCharacter* video = library_.video(object.character)) {
        parts.push_back(MaskPart{&video->area(), toDevice});
      }
      return true;
    case CharacterKind::Other:
      return false;
    case CharacterKind::None:
      return true;
  }
  return true;
}

bool SceneRenderer::collectMask(const DisplayList& list, const QTransform& toDevice,
                                std::vector<MaskPart>& parts) {
  bool complete = true;
  for (const auto& [depth, child] : list.objects()) {
    if (child.clipDepth == 0) complete = collectMask(child, toDevice, parts) && complete;
  }
  return complete;
}

}  // namespace quelvo::swf
