#pragma once

#include <QByteArray>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "swf/avm1/Host.h"
#include "swf/avm1/Vm.h"
#include "swf/geometry/ShapePaths.h"
#include "swf/input/HitTester.h"
#include "swf/model/Movie.h"
#include "swf/runtime/Playhead.h"
#include "swf/runtime/TimelineInstance.h"
#include "swf/script/ClipEvents.h"
#include "swf/sound/SoundPlayer.h"

namespace quelvo::swf {

// Runs a movie's ActionScript over its playback: the VM's host (clips are the
// sprite instances of the timelines, handles their instance ids; text fields
// and buttons scripts reach get handles of their own) and the timelines'
// action runner.
//
// Frame actions, clip events and handler calls are queued as the timelines
// meet them and run in that order once the display lists of the step are in
// place; the init actions of a sprite run once, ahead of other queued actions,
// and the constructors of registered classes run next, parents before children.
// Script depths are the display list's depths less 16384. Time, as scripts
// see it, advances by one frame period per tick, so every run of a movie
// gives the same pictures. Sound objects play through the playback's sounds;
// their callbacks run on the tick after the sound ended or loaded.
class ScriptHost final : public avm1::Host, public ActionRunner {
 public:
  // Receives getURL requests for http and https addresses only.
  using UrlHandler = std::function<void(const QString& url, const QString& target)>;

  // A sound file scripts load is read whole; larger ones are refused.
  static constexpr qint64 kMaxSoundFileBytes = qint64{64} << 20;
  // loadSound calls served per tick; later ones fail.
  static constexpr int kMaxSoundLoadsPerTick = 4;

  ScriptHost(std::shared_ptr<const Movie> movie, PlayContext& context, Playhead& playhead,
             TimelineInstance& root, SoundPlayer& sounds);
  ~ScriptHost() override;

  // Whether the movie holds any actions at all (frame, init, clip event or button).
  static bool hasScripts(const Movie& movie);

  // --- For the player
  // Runs what is queued, then the timers due; one tick's time passes first
  // when tick is set. Returns whether any script ran.
  bool runPending(bool tick);
  // Whether scripts will act on coming ticks (enterFrame handlers, timers).
  bool animating();
  // These return whether any script ran.
  // character: what the key types (Unicode), 0 for none; keyPress handlers match it.
  bool keyDown(int keyCode, int character = 0);
  bool keyUp(int keyCode);
  // Pointer position in stage twips.
  bool pointerMove(double x, double y);
  bool pointerDown();
  bool pointerUp();
  // The pointer is over a clip that acts as a button and shows a hand.
  bool cursorOverClipButton();
  void setUrlHandler(UrlHandler handler) { urlHandler_ = std::move(handler); }
  // Where loadSound finds files named relative to the movie; none refuses them.
  void setMovieFolder(std::filesystem::path folder) { movieFolder_ = std::move(folder); }
  // Rebuilds the shapes of clips drawn on since the last call; returns the
  // shapes replaced, for the renderer's caches to forget.
  std::vector<std::shared_ptr<const Shape>> updateDrawings();
  QString variable(const QString& path);
  // Shows in each field bound to a variable the variable's value; a field
  // met for the first time sets its undefined variable to its text instead.
  // Returns whether any field's text changed.
  bool updateFields();
  // The size of the view showing the movie, in pixels. Scripts see it as
  // the Stage's size under "noScale", where a change tells the Stage's
  // listeners (onResize). Returns whether any script ran.
  bool setViewSize(double width, double height);

  // --- Loading (ScriptHostLoading.cpp). A load a script asked for waits
  // for the player's next tick; data files are read then too.
  // A movie or image to load into a clip or level, or with no url to unload one.
  struct MovieLoad {
    QString url;
    avm1::ClipHandle clip = avm1::kNoClip;  // the target clip, or
    int level = -1;                         // the target level
    std::uint64_t loadId = 0;               // a MovieClipLoader's, to report to
  };
  // Loads waiting at once; later ones are dropped (a loader's fail).
  static constexpr std::size_t kMaxPendingLoads = 16;
  // A data file (LoadVars, XML, loadVariables) is read whole; larger ones fail.
  static constexpr qint64 kMaxDataFileBytes = qint64{16} << 20;
  std::vector<MovieLoad> takeMovieLoads() { return std::exchange(movieLoads_, {}); }
  const std::filesystem::path& movieFolder() const { return movieFolder_; }
  // Gives the clip an empty timeline in place of its content, keeping its
  // depth, name, matrix, colour, visibility and clip events; the clip that
  // replaces it, kNoClip when the clip has gone.
  avm1::ClipHandle emptyClip(avm1::ClipHandle clip);
  bool hasClip(avm1::ClipHandle clip) const { return this->clip(clip) != nullptr; }
  // Matrix from the clip's space to the stage's; nothing when it or a clip
  // holding it is hidden or gone.
  std::optional<QTransform> clipToStage(avm1::ClipHandle clip) const;
  // Tells the MovieClipLoader behind a load how it goes.
  void reportClipLoad(std::uint64_t loadId, const avm1::ClipLoadNews& news);

  // --- ActionRunner
  void runActions(TimelineInstance& clip, std::span<const std::uint8_t> actions,
                  std::uint64_t offset) override;
  void runInitActions(TimelineInstance& clip, std::span<const std::uint8_t> body,
                      std::uint64_t offset) override;
  void clipLoaded(TimelineInstance& clip, const DisplayObject& placement) override;
  void clipEnteringFrame(TimelineInstance& clip) override;
  void clipGone(std::uint64_t id) override;
  void buttonEvent(TimelineInstance& holder, const ButtonInstance& button,
                   std::uint16_t condition) override;
  ButtonScripting buttonScripting(TimelineInstance& holder, const ButtonInstance& button) override;

  // --- avm1::Host
  avm1::ClipHandle rootClip() override { return root_.id(); }
  avm1::ClipHandle levelClip(int level) override;
  avm1::ClipHandle parentClip(avm1::ClipHandle clip) override;
  avm1::ClipHandle childClip(avm1::ClipHandle parent, const QString& name,
                             bool caseSensitive) override;
  std::vector<avm1::ClipHandle> childClips(avm1::ClipHandle parent) override;
  int exportedCharacter(const QString& name) override;
  int characterOf(avm1::ClipHandle clip) override;
  void gotoFrame(avm1::ClipHandle clip, int frameIndex, bool play) override;
  std::optional<int> frameOfLabel(avm1::ClipHandle clip, const QString& label) override;
  void play(avm1::ClipHandle clip) override;
  void stop(avm1::ClipHandle clip) override;
  void nextFrame(avm1::ClipHandle clip) override;
  void prevFrame(avm1::ClipHandle clip) override;
  std::vector<avm1::ActionBlock> frameActions(avm1::ClipHandle clip, int frameIndex) override;
  avm1::Value getProperty(avm1::ClipHandle clip, avm1::ClipProperty property) override;
  void setProperty(avm1::ClipHandle clip, avm1::ClipProperty property,
                   const avm1::Value& value) override;
  avm1::ClipHandle duplicateClip(avm1::ClipHandle source, const QString& name, int depth) override;
  avm1::ClipHandle attachClip(avm1::ClipHandle parent, const QString& exportName,
                              const QString& name, int depth) override;
  avm1::ClipHandle createEmptyClip(avm1::ClipHandle parent, const QString& name,
                                   int depth) override;
  void removeClip(avm1::ClipHandle clip) override;
  int depthOf(avm1::ClipHandle clip) override;
  int nextHighestDepth(avm1::ClipHandle parent) override;
  void swapDepths(avm1::ClipHandle clip, int depth) override;
  void draw(avm1::ClipHandle clip, const avm1::DrawCommand& command) override;
  void setMask(avm1::ClipHandle clip, avm1::ClipHandle mask) override;
  bool hitTestPoint(avm1::ClipHandle clip, double x, double y, bool shape) override;
  bool hitTestClip(avm1::ClipHandle clip, avm1::ClipHandle other) override;
  std::optional<QRectF> clipBounds(avm1::ClipHandle clip, avm1::ClipHandle target,
                                   bool strokes) override;
  std::optional<QPointF> mapPoint(avm1::ClipHandle clip, QPointF point, bool toStage) override;
  avm1::ClipHandle clipAtDepth(avm1::ClipHandle parent, int depth) override;
  int swfVersionOf(avm1::ClipHandle clip) override;
  void startDrag(avm1::ClipHandle clip, const avm1::DragOptions& options) override;
  void stopDrag() override;
  void toggleQuality() override {}
  void stopSounds() override;
  void getUrl(const avm1::UrlRequest& request) override;
  std::optional<QByteArray> readData(const QString& url) override;
  void fsCommand(const QString&, const QString&) override {}
  void trace(const QString& message) override;
  double timerMs() override;
  double epochMs() override;
  double random() override;
  bool isKeyDown(int keyCode) override { return keysDown_.count(keyCode) > 0; }
  int lastKeyCode() override { return lastKey_; }
  avm1::SoundId exportedSound(const QString& name) override;
  avm1::SoundId loadSound(const QString& url) override;
  double soundDurationMs(avm1::SoundId sound) override;
  avm1::SoundChannel startSound(avm1::ClipHandle target, avm1::SoundId sound, double offsetSeconds,
                                int loops) override;
  void stopSound(avm1::ClipHandle target, const QString& name) override;
  std::optional<double> channelPositionMs(avm1::SoundChannel channel) override;
  SoundTransform soundTransform(avm1::ClipHandle target) override;
  void setSoundTransform(avm1::ClipHandle target, const SoundTransform& transform) override;
  QImage exportedBitmap(const QString& name) override;
  void attachBitmap(avm1::ClipHandle clip, std::shared_ptr<const BitmapSurface> bitmap, int depth,
                    bool smoothing) override;
  void drawClip(avm1::ClipHandle clip, BitmapSurface& target, const BitmapDraw& settings) override;
  std::optional<avm1::DisplayEffects> displayEffects(avm1::ClipHandle handle) override;
  void setDisplayEffects(avm1::ClipHandle handle, const avm1::DisplayEffects& effects) override;
  bool isTextField(avm1::ClipHandle handle) override;
  bool isButton(avm1::ClipHandle handle) override;
  avm1::ClipHandle createTextField(avm1::ClipHandle parent, const QString& name, int depth,
                                   const std::array<double, 4>& box) override;
  void removeTextField(avm1::ClipHandle handle) override;
  avm1::Value fieldMember(avm1::ClipHandle handle, FieldMember member) override;
  void setFieldMember(avm1::ClipHandle handle, FieldMember member,
                      const avm1::Value& value) override;
  FieldFormat textFormat(avm1::ClipHandle handle, int begin, int end) override;
  void setTextFormat(avm1::ClipHandle handle, int begin, int end,
                     const FieldFormat& format) override;
  FieldFormat newTextFormat(avm1::ClipHandle handle) override;
  void setNewTextFormat(avm1::ClipHandle handle, const FieldFormat& format) override;
  avm1::TextExtent textExtent(const FieldFormat& format, const QString& text,
                              std::optional<double> width) override;
  avm1::ClipHandle focusedField() override;
  bool setFocusedField(avm1::ClipHandle handle) override;
  std::optional<avm1::FieldSelection> selection() override;
  void setSelection(int begin, int end) override;
  std::pair<double, double> stageSize(bool view) override;
  avm1::StageSettings stageSettings() override { return stage_; }
  void setStageSettings(const avm1::StageSettings& settings) override { stage_ = settings; }
  std::optional<ColorTransform> colorTransform(avm1::ClipHandle handle) override;
  void setColorTransform(avm1::ClipHandle handle, const ColorTransform& transform) override;

 private:
  struct Pending {
    avm1::ClipHandle clip = avm1::kNoClip;
    std::span<const std::uint8_t> actions;
    std::uint64_t offset = 0;
    QString method;  // a handler to call instead of actions
    // The clip has gone: unload handlers still run on it, and the last entry
    // lets its script object go.
    bool afterRemoval = false;
    bool forget = false;
    // Applies the clip's registered class, then queues its onLoad.
    bool construct = false;
    // Handlers called with arguments, in place of all the above.
    std::function<void()> call{};
  };
  struct Drawing {
    std::vector<avm1::DrawCommand> commands;
    bool dirty = false;
    std::shared_ptr<const Shape> shape;
  };
  struct Drag {
    avm1::ClipHandle clip = avm1::kNoClip;
    avm1::DragOptions options;
    double offsetX = 0, offsetY = 0;  // pointer to clip origin, parent twips
  };

  TimelineInstance* clip(avm1::ClipHandle handle) const { return context_.instance(handle); }
  // A clip with a parent, and its entry there.
  DisplayObject* placed(avm1::ClipHandle handle) const;
  QString decode(const std::string& bytes) const;
  // The character exported under name (case-insensitive before SWF 7).
  std::optional<std::uint16_t> exported(const QString& name) const;
  // Tells the Sound objects which of their sounds ended and which loaded;
  // returns whether there was any news.
  bool runSoundEvents();
  // Gives the clips drawn on since the last time their new shapes; the
  // shapes replaced wait in retired_ for updateDrawings.
  void rebuildDrawings();
  // Runs the clips' handlers of an input event, then the source's listeners.
  // pressCode also runs the keyPress handlers for that key.
  bool queueEvent(std::uint32_t event, const QString& method, const QString& source,
                  int pressCode = 0);
  void queueHandlers(avm1::ClipHandle clip, std::uint32_t event, int pressCode = 0);
  void runEntry(const Pending& entry);
  // Queues a loadMovie, unloadMovie or loadVariables request.
  void queueLoad(const avm1::UrlRequest& request);
  // Serves the data files asked for; returns whether there were any.
  bool runLoads();
  // Adds object at a script depth of parent and makes its instance.
  avm1::ClipHandle addClip(TimelineInstance& parent, int depth, DisplayObject object,
                           const Timeline* timeline);
  // Moves the dragged clip with the pointer; false when nothing is dragged.
  bool moveDrag();
  // Ends the mask pairings the clip takes part in, and those of a text field.
  void unpairMask(TimelineInstance& instance);
  void unpairFieldMask(avm1::ClipHandle field);
  // Matrix from the clip's space to the root's (twips), and its bounds there,
  // with its strokes or without (ScriptHostGeometry.cpp).
  QTransform toRoot(const TimelineInstance& clip) const;
  std::optional<QRectF> bounds(const TimelineInstance& clip, const QTransform& toSpace,
                               bool strokes) const;
  std::optional<QRectF> bounds(const DisplayList& list, const QTransform& toSpace,
                               bool strokes) const;
  std::optional<QRectF> parentBounds(const TimelineInstance& clip) const;
  // The bounds of a clip, reached text field or button in its parent's space.
  std::optional<QRectF> entryBounds(avm1::ClipHandle handle);
  // The innermost clip whose shapes are topmost under point (root twips),
  // leaving skipped out; kNoClip for a shape of timeline itself, nothing
  // when nothing is there.
  std::optional<avm1::ClipHandle> clipUnder(TimelineInstance& timeline, const QTransform& toStage,
                                            QPointF point, avm1::ClipHandle skipped, int nesting);
  // _droptarget: the slash path of the clip the dragged clip was dropped on.
  QString dropTarget(avm1::ClipHandle clip);
  // Clips with press or roll handlers act as buttons (ScriptHostClipButtons.cpp).
  bool actsAsButton(avm1::ClipHandle clip);
  bool clipFlag(avm1::ClipHandle clip, const QString& member);
  // The topmost enabled clip acting as a button under point (root twips).
  avm1::ClipHandle clipButtonAt(TimelineInstance& timeline, const QTransform& toStage,
                                QPointF point, int nesting);
  // Whether point falls in the clip button's hit area: the clip its hitArea
  // names, or else its own shapes.
  bool clipButtonHit(const DisplayObject& object, const QTransform& toStage, QPointF point);
  // Follows the pointer over and out of clip buttons; pressClipButton and
  // releaseClipButton the pointer's press and release.
  void trackClipButtons();
  void pressClipButton();
  void releaseClipButton();
  // Queues the clip's handlers of a button event, unless it is disabled.
  void fireClipButton(avm1::ClipHandle clip, std::uint32_t event, const QString& method);
  bool updateFields(TimelineInstance& timeline, int nesting);
  // A text field scripts reached: the timeline holding it and its entry there.
  struct FieldPlace {
    TimelineInstance* parent = nullptr;
    DisplayObject* object = nullptr;
    FieldState* state = nullptr;
    ScriptedField* field = nullptr;
  };
  std::optional<FieldPlace> fieldPlace(avm1::ClipHandle handle) const;
  // The entry of a clip or a reached text field in its parent's list.
  DisplayObject* displayEntry(avm1::ClipHandle handle) const;
  // The handle of the named text field in parent's list; kNoClip for none.
  avm1::ClipHandle childField(TimelineInstance& parent, const QString& name, bool caseSensitive);
  avm1::ClipHandle reachField(TimelineInstance& parent, DisplayObject& object);
  // The field's text changed: its variable follows.
  void fieldTextChanged(const FieldPlace& place);
  // Properties of a text field or button that a clip computes from its
  // timeline or children.
  std::optional<avm1::Value> entryGeometry(avm1::ClipHandle handle, avm1::ClipProperty property);
  // A button scripts reached: the timeline holding it and its entry there
  // (ScriptHostButtons.cpp).
  struct ButtonPlace {
    TimelineInstance* parent = nullptr;
    DisplayObject* object = nullptr;
  };
  std::optional<ButtonPlace> buttonPlace(avm1::ClipHandle handle) const;
  // The button's handle, made when scripts first reach it.
  avm1::ClipHandle reachButton(TimelineInstance& parent, const ButtonInstance& button);
  avm1::ClipHandle childButton(TimelineInstance& parent, const QString& name, bool caseSensitive);
  // Queues the call of the button's handler, when it has one, to run if the
  // button is still there then.
  void queueButtonCall(avm1::ClipHandle button, const QString& method);
  // A key event for the focused button, when it is enabled.
  void tellFocusedButton(const QString& method);
  // Lets the script objects of buttons that left the stage go.
  void forgetGoneButtons();
  void setFieldSize(avm1::ClipHandle handle, avm1::ClipProperty property, double pixels);
  // The input field under point (root twips) in timeline's list, reached.
  avm1::ClipHandle inputFieldAt(TimelineInstance& timeline, const QTransform& toRoot, QPointF point,
                                int nesting);
  // A press focuses the input field under the pointer, or none; returns
  // whether the focus moved.
  bool focusFieldAtPointer();
  // Types the key into the focused input field; returns whether its text changed.
  bool typeIntoFocus(int keyCode, int character);
  // Queues the field's own handler of event and those of its listeners
  // (TextField.addListener), each called with the field.
  void queueFieldEvent(avm1::ClipHandle field, const QString& event);
  // The script object of a clip or field that is there; null otherwise.
  avm1::Value objectOf(avm1::ClipHandle handle);
  // The display list depth of a script depth, when there is one.
  static std::optional<std::uint16_t> listDepth(int scriptDepth);
  // A new object placed as original is: its matrix, colour transform,
  // visibility and clip events, nothing of its content.
  static DisplayObject placedLike(const DisplayObject& original);

  std::shared_ptr<const Movie> movie_;
  PlayContext& context_;
  Playhead& playhead_;
  TimelineInstance& root_;
  SoundPlayer& sounds_;
  std::unique_ptr<avm1::Vm> vm_;
  UrlHandler urlHandler_;
  std::filesystem::path movieFolder_;
  int soundLoadsThisTick_ = 0;
  struct VariablesLoad {
    avm1::ClipHandle clip = avm1::kNoClip;
    QString url;
  };
  std::vector<MovieLoad> movieLoads_;
  std::vector<VariablesLoad> variablesLoads_;
  Timeline emptyTimeline_;
  std::map<QString, std::uint16_t> exports_;  // lower case before SWF 7
  std::deque<Pending> initQueue_;
  // Constructors of clips placed on timelines: after the init actions that
  // register their classes, before the frame actions that use them.
  std::deque<Pending> constructQueue_;
  std::deque<Pending> queue_;
  std::set<std::uint16_t> exportedIds_;
  std::set<std::uint16_t> initDone_;
  std::unordered_map<avm1::ClipHandle, std::vector<ClipEventHandler>> handlers_;
  std::unordered_map<avm1::ClipHandle, Drawing> drawings_;
  std::size_t drawCommands_ = 0;  // in all drawings
  // Drawing calls kept for all clips together; later ones are dropped.
  static constexpr std::size_t kMaxDrawCommands = std::size_t{1} << 18;
  std::vector<std::shared_ptr<const Shape>> retired_;
  std::set<int> keysDown_;
  int lastKey_ = 0;
  double pointerX_ = 0, pointerY_ = 0;
  Drag drag_;
  std::unordered_map<avm1::ClipHandle, avm1::ClipHandle> dropTargets_;  // dragged clip: target
  struct ClipButtons {
    avm1::ClipHandle hovered = avm1::kNoClip;
    avm1::ClipHandle pressed = avm1::kNoClip;
    bool down = false;
    bool inside = false;  // the pointer is over the pressed clip
  };
  ClipButtons clipButtons_;
  // Buttons scripts reached, by handle, and their handles by instance serial.
  struct ReachedButton {
    avm1::ClipHandle holder = avm1::kNoClip;
    std::uint64_t serial = 0;
    std::uint16_t depth = 0;  // where it was met: looked at first
  };
  std::unordered_map<avm1::ClipHandle, ReachedButton> buttons_;
  std::unordered_map<std::uint64_t, avm1::ClipHandle> buttonHandles_;
  // Text fields set as masks (setMask): the clip each masks.
  std::unordered_map<avm1::ClipHandle, avm1::ClipHandle> fieldMasks_;
  ShapePathCache hitPaths_;  // for hit tests; drawings retired are forgotten
  HitTester hits_{context_.library, context_.fields, hitPaths_};
  avm1::ClipHandle focus_ = avm1::kNoClip;  // the input field keys type into
  qsizetype selectionAnchor_ = 0;           // the focused field's selection: from here to its caret
  avm1::StageSettings stage_;
  std::optional<std::pair<double, double>> viewSize_;  // pixels
  std::uint64_t ticks_ = 0;
  std::mt19937 random_{20061207};
};

}  // namespace quelvo::swf
