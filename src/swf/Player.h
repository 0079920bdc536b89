#pragma once

#include <QImage>
#include <QString>
#include <QTransform>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "swf/geometry/ShapePaths.h"
#include "swf/input/ButtonInput.h"
#include "swf/model/Library.h"
#include "swf/model/Movie.h"
#include "swf/render/Scene.h"
#include "swf/runtime/Playhead.h"
#include "swf/runtime/TimelineInstance.h"
#include "swf/script/ScriptHost.h"
#include "swf/sound/SoundPlayer.h"

namespace quelvo::swf {

// One playback of a movie: the root playhead (Playhead semantics, frames
// 0-based) and the display lists of the root and of every sprite instance.
// Each frame comes out as a draw list for any RenderBackend (see
// PainterRenderer for drawing with a QPainter). No widget involved.
//
// Seeking (gotoFrame, back, forward, rewind) shows the target frame's display
// list exactly as playing to it would; sprite instances that stay on the
// stage keep their own frame positions, new ones start at their first frame
// (see TimelineInstance).
//
// Movies and images scripts load (loadMovie, loadMovieNum, MovieClipLoader)
// play as players of their own, ticked with this one at its frame rate: one
// loaded into a clip draws in the clip's place above the clip's level, a
// level above the levels below it. Their scripts run in their own VMs.
class Player : public Scene {
 public:
  explicit Player(std::shared_ptr<const Movie> movie);
  ~Player() override;
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  const Movie& movie() const { return *movie_; }

  std::size_t frameCount() const { return playhead_.frameCount(); }
  std::size_t currentFrame() const { return playhead_.current(); }
  bool isPlaying() const { return playhead_.isPlaying(); }
  bool loop() const { return playhead_.loop(); }
  void setLoop(bool loop) { playhead_.setLoop(loop); }

  void play() { playhead_.play(); }
  // Starts a movie just opened: a movie with scripts plays from its start by
  // itself, so what its first frame's scripts did (a stop) holds.
  void autoplay();
  // Stopping ends the root timeline's stream sound; event sounds play on.
  void stop();
  // These return whether the picture changed.
  bool gotoFrame(std::size_t frame);  // clamped; play state unchanged
  bool back();                        // these three stop
  bool forward();
  bool rewind();

  // One frame interval: every sprite instance that plays advances a frame
  // (looping), then the root advances when playing; then the scripts this
  // met run, and the timers due. Returns whether the picture changed.
  bool tick();
  // Whether ticks would change the picture with the root stopped: a sprite
  // that plays, an enterFrame handler or a timer.
  bool animating() const;

  // --- Input, for buttons and scripts (Key, onClipEvent(mouseDown)...). Key
  // codes are the movie's own (Key.LEFT is 37, A is 65...); character is
  // what the key types (Unicode), 0 for none. Pointer positions are in stage
  // twips, the space stageTransform maps from. These return whether the
  // picture may have changed.
  bool keyDown(int keyCode, int character = 0);
  bool keyUp(int keyCode);
  bool pointerMove(double x, double y);
  bool pointerLeave();  // the pointer left the movie
  bool pointerDown();
  bool pointerUp();
  // The size in pixels of the view showing the movie: scripts see it as
  // Stage.width and height under "noScale" and hear when it changes (loaded
  // movies too). Returns whether the picture may have changed.
  bool setViewSize(double width, double height);
  // How the movie's scripts asked the view to fit the stage (Stage.scaleMode
  // and align); nothing when they did not ask.
  std::optional<avm1::StageSettings> scriptedStage() const;
  // getURL with an http or https address; nothing else leaves the player.
  using UrlHandler = std::function<void(const QString& url, const QString& target)>;
  void setUrlHandler(UrlHandler handler);
  // Where scripts find the files they load (sounds, movies, data) named
  // relative to the movie; without one only absolute paths load.
  void setMovieFolder(std::filesystem::path folder);
  // Whether the movie's ActionScript runs (it has actions, and is not AVM2).
  bool hasScripts() const { return scripts_ != nullptr; }
  // A script variable as text ("" without scripts), e.g. "_root.score".
  QString scriptVariable(const QString& path) const;

  // The display list as draw items, with what scripts drew. The background
  // is not drawn: fill with movie().backgroundColor() first.
  DrawList drawList(const QTransform& stageToDevice) override;
  BitmapLibrary& bitmaps() override { return library_.bitmaps(); }
  // Maps the stage rectangle to an image of the stage's size times scale,
  // its top-left corner at the origin.
  QTransform stageTransform(double scale) const;

  const DisplayList& displayList() const { return root_->displayList(); }
  // The characters of this playback.
  Library& library() { return library_; }
  // The current texts of its edit text fields.
  FieldTexts& fieldTexts() { return context_.fields; }

  // The sounds this playback started, to be mixed for output.
  SoundPlayer& sounds() { return *sounds_; }
  // The root timeline's stream sound (nullptr when it has none), and where
  // it plays: output samples on the stream's own time line, nothing when
  // it does not play.
  const StreamSound* rootStream();
  std::optional<std::uint64_t> rootStreamPosition() const;

  // Limits on what scripts load: a file's size, the movies loaded at once
  // into a player and all the players it loaded, and how deep loaded movies
  // may load movies in turn.
  static constexpr qint64 kMaxLoadedFileBytes = qint64{64} << 20;
  static constexpr int kMaxLoadedMovies = 32;
  static constexpr int kMaxLoadNesting = 4;
  // The movies and images loaded into this player, in the order they came.
  std::size_t loadedCount() const { return loaded_.size(); }

  // The pointer is over a button (or a clip acting as one): show a hand.
  bool cursorOverButton() const {
    return buttons_.overButton() || (scripts_ && scripts_->cursorOverClipButton());
  }
  // Replaces the runner of actions (tests record button actions with one).
  void setActionRunner(ActionRunner* runner) { context_.actions = runner; }

 private:
  bool showCurrentFrame();
  // Runs what the timelines queued for scripts; returns whether any ran.
  // Then ends the root's stream sound when the root is stopped.
  bool runScripts(bool tick);

  // A movie (or an image) loaded into a clip or a level.
  struct Loaded {
    avm1::ClipHandle clip = avm1::kNoClip;
    int level = -1;
    std::unique_ptr<Player> player;
    QImage image;
    std::shared_ptr<void> counted;  // holds one of the tree's loaded movies
  };
  // Serves the loads the scripts asked for since the last tick; forgets
  // those whose clip has gone. Returns whether any came or went.
  bool runMovieLoads();
  void runMovieLoad(const ScriptHost::MovieLoad& load);
  void unload(const ScriptHost::MovieLoad& load);
  // A loaded player or picture for the file's bytes; nothing when it is neither.
  std::optional<Loaded> loadedContent(std::span<const std::uint8_t> bytes, int nesting);
  // Adds this frame's items and those of what it loaded.
  void appendDrawing(DrawList& list, const QTransform& stageToDevice);
  void appendLoaded(DrawList& list, const Loaded& loaded, const QTransform& toDevice);

  std::shared_ptr<const Movie> movie_;
  Library library_;
  PlayContext context_;
  std::unique_ptr<SoundPlayer> sounds_;  // outlives the timelines, which tell it when they go
  Playhead playhead_;
  std::unique_ptr<TimelineInstance> root_;
  std::unique_ptr<ScriptHost> scripts_;  // only for movies with actions
  ShapePathCache hitPaths_;              // for finding what is under the pointer
  ButtonInput buttons_;
  std::vector<Loaded> loaded_;
  // Loaded movies alive in the whole tree of players, shared by all of them.
  std::shared_ptr<int> loadedMovies_ = std::make_shared<int>(0);
  int loadNesting_ = 0;  // 0 for the movie opened, 1 for one it loaded...
};

}  // namespace quelvo::swf
