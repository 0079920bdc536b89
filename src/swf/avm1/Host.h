#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "swf/avm1/ActionDecoder.h"
#include "swf/avm1/ClipProperty.h"
#include "swf/avm1/Value.h"
#include "swf/sound/SoundTransform.h"

namespace quelvo::swf::avm1 {

// Identifies a movie clip of the host. Handles are never reused: a handle of
// a clip that has gone is stale, and the host answers every call with a
// stale handle harmlessly (no clip, undefined, nothing done).
using ClipHandle = std::uint64_t;
inline constexpr ClipHandle kNoClip = 0;

// A sound Sound objects can start, and one start of it, as the host numbers
// them: never reused, 0 for none.
using SoundId = std::uint64_t;
using SoundChannel = std::uint64_t;

// getURL and loadMovie/loadVariables. The engine never touches the network:
// the host decides what, if anything, happens.
struct UrlRequest {
  enum class Method : std::uint8_t { None, Get, Post };
  QString url;
  QString target;
  Method method = Method::None;
  bool targetIsClip = false;        // load into the clip (or level) the target names
  bool loadVariables = false;       // loadVariables rather than loadMovie/getURL
  ClipHandle targetClip = kNoClip;  // the clip, when targetIsClip and it exists
};

struct DragOptions {
  bool lockCenter = false;
  bool constrained = false;
  double left = 0, top = 0, right = 0, bottom = 0;  // in the parent's coordinates, pixels
};

// A gradient fill of the drawing API: colours as 0xRRGGBB, alphas 0-100,
// ratios 0-255, and the gradient box as an a b c d tx ty matrix.
struct GradientFill {
  enum class Spread : std::uint8_t { Pad, Reflect, Repeat };
  bool radial = false;
  Spread spread = Spread::Pad;
  bool linearRgb = false;  // interpolates in linear RGB
  double focalPoint = 0;   // radial: -1..1 along the gradient's x axis
  std::vector<std::uint32_t> colors;
  std::vector<double> alphas;
  std::vector<double> ratios;
  std::array<double, 6> matrix{1, 0, 0, 1, 0, 0};
};

// One drawing API call on a clip, in the clip's coordinates (pixels).
struct DrawCommand {
  enum class Op : std::uint8_t {
    Clear,
    LineStyle,          // args: thickness (NaN: no line), rgb, alpha
    BeginFill,          // args: rgb, alpha
    BeginGradientFill,  // gradient
    LineGradientStyle,  // gradient: paints the current line
    MoveTo,             // args: x, y
    LineTo,             // args: x, y
    CurveTo,            // args: control x, control y, anchor x, anchor y
    EndFill,
  };
  Op op = Op::Clear;
  std::array<double, 4> args{};
  GradientFill gradient;
};

// Everything scripts do to the movie and the world outside it. The display
// list implements this; the VM never touches clips or the network itself.
// Frame numbers here are 0-based indexes.
class Host {
 public:
  virtual ~Host() = default;

  // --- The clip tree
  virtual ClipHandle rootClip() = 0;
  // _levelN; kNoClip when that level holds no movie.
  virtual ClipHandle levelClip(int level) = 0;
  virtual ClipHandle parentClip(ClipHandle clip) = 0;
  // The child with this instance name (case-insensitive for SWF 6 and older).
  virtual ClipHandle childClip(ClipHandle parent, const QString& name, bool caseSensitive) = 0;
  virtual std::vector<ClipHandle> childClips(ClipHandle parent) = 0;

  // --- Timeline control
  // Goes to the frame (clamped by the host to the clip's frames) and plays or stops there.
  virtual void gotoFrame(ClipHandle clip, int frameIndex, bool play) = 0;
  virtual std::optional<int> frameOfLabel(ClipHandle clip, const QString& label) = 0;
  virtual void play(ClipHandle clip) = 0;
  virtual void stop(ClipHandle clip) = 0;
  virtual void nextFrame(ClipHandle clip) = 0;
  virtual void prevFrame(ClipHandle clip) = 0;
  // The action lists of a frame, for the Call action (call(frame)).
  virtual std::vector<ActionBlock> frameActions(ClipHandle clip, int frameIndex) = 0;

  // --- Clip properties (_x ... _ymouse). get returns undefined for a stale
  // clip. set receives the value already converted: a number, or for _name
  // and _quality a string, or for _visible a boolean. _target is composed by
  // the VM from names and parents and never asked for.
  virtual Value getProperty(ClipHandle clip, ClipProperty property) = 0;
  virtual void setProperty(ClipHandle clip, ClipProperty property, const Value& value) = 0;

  // --- Clips made and removed by scripts; kNoClip when nothing was made.
  virtual ClipHandle duplicateClip(ClipHandle source, const QString& name, int depth) = 0;
  virtual ClipHandle attachClip(ClipHandle parent, const QString& exportName, const QString& name,
                                int depth) = 0;
  virtual ClipHandle createEmptyClip(ClipHandle parent, const QString& name, int depth) = 0;
  // Removes a clip made by a script (the host ignores timeline clips, as the player did).
  virtual void removeClip(ClipHandle clip) = 0;
  virtual int depthOf(ClipHandle clip) = 0;
  virtual int nextHighestDepth(ClipHandle parent) = 0;
  virtual void swapDepths(ClipHandle clip, int depth) = 0;
  virtual void draw(ClipHandle clip, const DrawCommand& command) = 0;
  // clip.setMask(mask): mask's shapes limit what clip shows and mask itself is
  // no longer drawn; kNoClip takes the mask away.
  virtual void setMask(ClipHandle, ClipHandle) {}
  // hitTest(x, y, shapeFlag) in stage coordinates, and hitTest(other clip).
  virtual bool hitTestPoint(ClipHandle clip, double x, double y, bool shape) = 0;
  virtual bool hitTestClip(ClipHandle clip, ClipHandle other) = 0;

  virtual void startDrag(ClipHandle clip, const DragOptions& options) = 0;
  virtual void stopDrag() = 0;

  // --- The player and the outside
  virtual void toggleQuality() = 0;
  virtual void stopSounds() = 0;
  virtual void getUrl(const UrlRequest& request) = 0;
  // fscommand(command, args): getURL with an "FSCommand:" URL.
  virtual void fsCommand(const QString& command, const QString& args) = 0;
  virtual void trace(const QString& message) = 0;
  // Milliseconds since the movie started (getTimer, GetTime).
  virtual double timerMs() = 0;
  // Milliseconds since 1970-01-01 UTC, for Date.
  virtual double epochMs() = 0;
  // A random number in [0, 1).
  virtual double random() = 0;
  // Key.isDown and Key.getCode, with the player's key codes.
  virtual bool isKeyDown(int keyCode) = 0;
  virtual int lastKeyCode() = 0;

  // --- Sound objects. A target of kNoClip stands for every sound; a clip's
  // transform applies to the sounds of that clip and of the clips in it, the
  // global one on top. A host without sound plays nothing.
  // The DefineSound exported under name.
  virtual SoundId exportedSound(const QString& /*name*/) { return 0; }
  // loadSound: an MP3 file, local only, a relative path from the movie's folder.
  virtual SoundId loadSound(const QString& /*url*/) { return 0; }
  virtual double soundDurationMs(SoundId) { return 0; }
  // Plays the sound as the target's from offsetSeconds, loops times; the host
  // reports the channel's end to the VM (Vm::soundEnded).
  virtual SoundChannel startSound(ClipHandle /*target*/, SoundId, double /*offsetSeconds*/,
                                  int /*loops*/) {
    return 0;
  }
  // Stops the target's sounds, or only the one exported under name when it is not empty.
  virtual void stopSound(ClipHandle /*target*/, const QString& /*name*/) {}
  // Where a playing channel is, from the sound's start; nothing once it ended.
  virtual std::optional<double> channelPositionMs(SoundChannel) { return std::nullopt; }
  virtual SoundTransform soundTransform(ClipHandle /*target*/) { return {}; }
  virtual void setSoundTransform(ClipHandle /*target*/, const SoundTransform&) {}
};

}  // namespace quelvo::swf::avm1
