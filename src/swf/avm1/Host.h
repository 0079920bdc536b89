#pragma once

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "swf/avm1/ActionDecoder.h"
#include "swf/avm1/ClipProperty.h"
#include "swf/avm1/StageSettings.h"
#include "swf/avm1/Value.h"
#include "swf/base/Records.h"
#include "swf/bitmapdata/BitmapDraw.h"
#include "swf/effects/BlendMode.h"
#include "swf/effects/FilterParams.h"
#include "swf/sound/SoundTransform.h"
#include "swf/text/FieldFormat.h"
#include "swf/text/FieldMember.h"

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
  std::uint64_t loadId = 0;         // a MovieClipLoader's load, for Vm::clipLoadEvent
};

// Selection.getBeginIndex, getEndIndex and getCaretIndex.
struct FieldSelection {
  int begin = 0, end = 0, caret = 0;
};

// TextFormat.getTextExtent: pixels.
struct TextExtent {
  double width = 0, height = 0, ascent = 0, descent = 0;
  double fieldWidth = 0, fieldHeight = 0;  // of a field that fits the text
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

// The options lineStyle takes after its colour and alpha, with caps and
// joints in the file format's codes (0 round, 1 none or bevel, 2 square or
// miter).
struct LineOptions {
  bool pixelHinting = false;
  bool noHorizontalScale = false;
  bool noVerticalScale = false;
  std::uint8_t caps = 0;
  std::uint8_t joints = 0;
  double miterLimit = 3;
};

// One drawing API call on a clip, in the clip's coordinates (pixels).
struct DrawCommand {
  enum class Op : std::uint8_t {
    Clear,
    LineStyle,          // args: thickness (NaN: no line), rgb, alpha
    BeginFill,          // args: rgb, alpha
    BeginGradientFill,  // gradient
    LineGradientStyle,  // gradient: paints the current line
    BeginBitmapFill,    // bitmap, bitmapMatrix; args: repeat, smoothing (0 or 1)
    MoveTo,             // args: x, y
    LineTo,             // args: x, y
    CurveTo,            // args: control x, control y, anchor x, anchor y
    EndFill,
  };
  Op op = Op::Clear;
  std::array<double, 4> args{};
  GradientFill gradient;
  LineOptions line;  // LineStyle
  // A bitmap fill's pixels, shown as they are whenever the clip is drawn,
  // and the matrix (a b c d tx ty, pixels) placing them in the clip.
  std::shared_ptr<const BitmapSurface> bitmap;
  std::array<double, 6> bitmapMatrix{1, 0, 0, 1, 0, 0};
};

// What a clip or text field is drawn through: filters (sizes in stage
// pixels), blend mode, and whether it is drawn as a bitmap of its own.
struct DisplayEffects {
  std::vector<effects::FilterParams> filters;
  effects::BlendMode blendMode = effects::BlendMode::Normal;
  bool cacheAsBitmap = false;
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
  // Object.registerClass: the library character exported under name, and the
  // character a clip is an instance of; -1 for none (drawn or empty clips).
  virtual int exportedCharacter(const QString& /*name*/) { return -1; }
  virtual int characterOf(ClipHandle) { return -1; }

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
  // getBounds (strokes) and getRect (no strokes): the clip's bounds in
  // target's coordinates, pixels; nothing when it shows nothing.
  virtual std::optional<QRectF> clipBounds(ClipHandle, ClipHandle /*target*/, bool /*strokes*/) {
    return std::nullopt;
  }
  // localToGlobal (toStage) and globalToLocal: a point of the clip's space on
  // the stage or back, pixels; nothing for a gone clip.
  virtual std::optional<QPointF> mapPoint(ClipHandle, QPointF, bool /*toStage*/) {
    return std::nullopt;
  }
  // The clip (or text field) at a script depth of parent; kNoClip for none.
  virtual ClipHandle clipAtDepth(ClipHandle /*parent*/, int /*depth*/) { return kNoClip; }
  // The SWF version of the movie the clip came from; -1 for a gone clip.
  virtual int swfVersionOf(ClipHandle) { return -1; }

  virtual void startDrag(ClipHandle clip, const DragOptions& options) = 0;
  virtual void stopDrag() = 0;

  // --- The player and the outside
  virtual void toggleQuality() = 0;
  virtual void stopSounds() = 0;
  virtual void getUrl(const UrlRequest& request) = 0;
  // The bytes of a data file LoadVars or XML loads: a local file only, a
  // relative name from the movie's folder; nothing when refused or missing.
  virtual std::optional<QByteArray> readData(const QString& /*url*/) { return std::nullopt; }
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

  // --- Text fields. A field scripts reach has a handle of the clips' kind,
  // never reused, which the clip calls for display objects (properties,
  // parent, setMask) also take. Positions are character indexes; a
  // negative end means the end of the text. A host without fields has none.
  virtual bool isTextField(ClipHandle) { return false; }
  // Buttons scripts reach have handles of the same kind, which the calls for
  // display objects take too; a host without buttons has none.
  virtual bool isButton(ClipHandle) { return false; }
  // x, y, width, height in pixels.
  virtual ClipHandle createTextField(ClipHandle /*parent*/, const QString& /*name*/, int /*depth*/,
                                     const std::array<double, 4>& /*box*/) {
    return kNoClip;
  }
  virtual void removeTextField(ClipHandle) {}
  // set receives the value converted to the member's type (see kFieldMembers).
  virtual Value fieldMember(ClipHandle, FieldMember) { return {}; }
  virtual void setFieldMember(ClipHandle, FieldMember, const Value&) {}
  virtual FieldFormat textFormat(ClipHandle, int /*begin*/, int /*end*/) { return {}; }
  virtual void setTextFormat(ClipHandle, int /*begin*/, int /*end*/, const FieldFormat&) {}
  virtual FieldFormat newTextFormat(ClipHandle) { return {}; }
  virtual void setNewTextFormat(ClipHandle, const FieldFormat&) {}
  // The extent of text in format, wrapped at width pixels when given.
  virtual TextExtent textExtent(const FieldFormat&, const QString&, std::optional<double>) {
    return {};
  }
  // The field keys type into (or the button they go to); kNoClip for none.
  virtual ClipHandle focusedField() { return kNoClip; }
  virtual bool setFocusedField(ClipHandle) { return false; }
  // The focused field's selection as character indexes (begin <= end), and
  // where the caret is; nothing without a focused field.
  virtual std::optional<FieldSelection> selection() { return std::nullopt; }
  // Selects begin to end of the focused field, clamped to its text; the caret goes to end.
  virtual void setSelection(int /*begin*/, int /*end*/) {}

  // --- The Stage object and Color objects.
  // The movie's stage size in pixels, or with view the size of the view
  // showing it (the stage's when there is no view).
  virtual std::pair<double, double> stageSize(bool /*view*/) { return {0, 0}; }
  virtual StageSettings stageSettings() { return {}; }
  virtual void setStageSettings(const StageSettings&) {}
  // A clip's (or field's) colour transform; nothing for a stale handle.
  virtual std::optional<ColorTransform> colorTransform(ClipHandle) { return std::nullopt; }
  virtual void setColorTransform(ClipHandle, const ColorTransform&) {}

  // --- BitmapData. A host without a display shows no bitmaps.
  // The picture of the bitmap character exported under name; null when none.
  virtual QImage exportedBitmap(const QString& /*name*/) { return {}; }
  // clip.attachBitmap: shows bitmap at a script depth of the clip, as it is
  // whenever a frame is drawn; a disposed bitmap shows nothing.
  virtual void attachBitmap(ClipHandle, std::shared_ptr<const BitmapSurface>, int /*depth*/,
                            bool /*smoothing*/) {}
  // BitmapData.draw(clip): the clip and what it holds, from its own
  // coordinates (pixels) through the settings' matrix, drawn into target.
  virtual void drawClip(ClipHandle, BitmapSurface& /*target*/, const BitmapDraw&) {}

  // --- Filters, blend mode and cacheAsBitmap of a clip or text field; none
  // for a stale handle or a host without a display, which ignores changes.
  virtual std::optional<DisplayEffects> displayEffects(ClipHandle) { return std::nullopt; }
  virtual void setDisplayEffects(ClipHandle, const DisplayEffects&) {}
};

}  // namespace quelvo::swf::avm1
