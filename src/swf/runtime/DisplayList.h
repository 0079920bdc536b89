#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "swf/base/Records.h"
#include "swf/effects/FilterParams.h"
#include "swf/format/DisplayListTags.h"

namespace quelvo::swf {

class TimelineInstance;
class ButtonInstance;
struct FieldState;
class BitmapSurface;

// Which placement made an object: its frame and the tag's position in that
// frame. Two display lists holding an object of the same origin and
// character hold the same object.
struct PlacementOrigin {
  std::size_t frame = 0;
  std::size_t tag = 0;

  bool operator==(const PlacementOrigin&) const = default;
};

// One entry of a display list.
struct DisplayObject {
  DisplayObject();
  DisplayObject(DisplayObject&&) noexcept;
  DisplayObject& operator=(DisplayObject&&) noexcept;
  ~DisplayObject();

  std::uint16_t character = 0;
  Matrix matrix;
  ColorTransform colorTransform;
  std::uint16_t ratio = 0;
  std::string name;
  std::uint16_t clipDepth = 0;  // 0: drawn normally; else a mask up to this depth
  // Any of these three draws the object as a group on a layer of its own.
  std::uint8_t blendMode = 0;  // a blend mode number (see effects::BlendMode)
  bool cacheAsBitmap = false;
  std::vector<effects::FilterParams> filters;  // sizes in stage pixels
  bool visible = true;
  std::string className;

  PlacementOrigin origin;
  // Clip event actions of the placing tag, pointing into the movie's bytes.
  std::span<const std::uint8_t> clipActions;
  // A script set its transform: later timeline moves leave matrix, colour
  // transform and visibility alone.
  bool scriptLocked = false;
  // Made (or taken over) by a script: not part of the timeline's frames.
  bool byScript = false;
  // The sprite's own playback when the character is a sprite.
  std::unique_ptr<TimelineInstance> sprite;
  // The button's own state when the character is a button.
  std::unique_ptr<ButtonInstance> button;
  // The text of an edit text field bound to a variable, its own; other
  // fields show their character's text.
  std::unique_ptr<FieldState> field;
  // A script bitmap attached here (attachBitmap), drawn as it is at each
  // frame from the object's origin, one pixel to a pixel.
  std::shared_ptr<const BitmapSurface> bitmap;
  bool bitmapSmoothing = false;

  // Same character and properties (the sprite or button instance aside).
  bool samePlacement(const DisplayObject& other) const;
};

// Objects by depth, drawn from the lowest depth up.
//
// A depth normally holds one object, but placing a new object on a taken
// depth adds it there below the one already present, as the reference
// player does; moves and removals act on the lowest object of a depth.
class DisplayList {
 public:
  using Objects = std::multimap<std::uint16_t, DisplayObject>;

  enum class Outcome {
    Ignored,  // nothing happened (a move to an empty depth, say)
    Changed,  // properties of the object at the depth changed
    Created,  // a new object is at the depth: a sprite needs its instance
  };
  struct Placed {
    Outcome outcome = Outcome::Ignored;
    DisplayObject* object = nullptr;  // the object placed or changed
  };

  // A move changes the object at the depth, and with a different character
  // replaces it keeping the properties the record leaves out.
  Placed place(const PlaceObject& place, PlacementOrigin origin);
  bool remove(std::uint16_t depth);

  // The lowest object at depth; nullptr when there is none.
  const DisplayObject* find(std::uint16_t depth) const;

  const Objects& objects() const { return objects_; }
  Objects& objects() { return objects_; }

 private:
  Objects objects_;
};

}  // namespace quelvo::swf
