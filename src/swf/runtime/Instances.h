#pragma once

#include "swf/runtime/DisplayList.h"

namespace quelvo::swf {

struct PlayContext;
class TimelineInstance;
struct Timeline;

// The playback instances display lists hold: a TimelineInstance for a sprite,
// a ButtonInstance for a button, and a bound field's FieldState (made by the
// scripts, moved like the others). Shared by every kind of timeline.

// Gives a newly placed object the instance its character needs, within the
// context's limits; nesting is that of the list holding the object, parent
// the timeline holding it (nullptr inside a button). A sprite instance plays
// timeline when given, else the object's own sprite.
void instantiate(DisplayObject& object, PlayContext& context, int nesting, TimelineInstance* parent,
                 const Timeline* timeline = nullptr);

// Moves the instances of objects that are in both lists (same depth,
// character and origin) from old into rebuilt and gives the other objects of
// rebuilt new ones. Objects scripts made keep their depths, and properties
// scripts set on a kept object stay. Returns whether rebuilt looks different
// from old.
bool carryOverInstances(DisplayList& old, DisplayList& rebuilt, PlayContext& context, int nesting,
                        TimelineInstance* parent);

// One tick for every sprite and button instance in list.
bool advanceInstances(DisplayList& list);

// Whether ticks can change something below list: some playing sprite
// instance at any level has more than one frame.
bool instancesAnimating(const DisplayList& list);

}  // namespace quelvo::swf
