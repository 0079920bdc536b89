#include "swf/Player.h"

#include "swf/input/KeyCodes.h"
#include "swf/scene/SceneRenderer.h"
#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

namespace {

constexpr double kTwipsPerPixel = 20.0;

}  // namespace

Player::Player(std::shared_ptr<const Movie> movie)
    : movie_(std::move(movie)),
      library_(*movie_),
      context_(library_),
      sounds_(std::make_unique<SoundPlayer>(*movie_)),
      playhead_(movie_->frameCount()),
      root_(std::make_unique<TimelineInstance>(movie_->root(), context_, 0)),
      buttons_(*root_, context_, hitPaths_) {
  context_.sounds = sounds_.get();
  if (ScriptHost::hasScripts(*movie_)) {
    scripts_ = std::make_unique<ScriptHost>(movie_, context_, playhead_, *root_, *sounds_);
    context_.actions = scripts_.get();
    playhead_.play();
  }
  showCurrentFrame();
}

void Player::autoplay() {
  if (!scripts_) playhead_.play();
  // The first frame was shown before the root played; its stream starts now.
  if (playhead_.isPlaying()) sounds_->continueStream(*root_, playhead_.current());
}

Player::~Player() {
  // The timelines go first, without a runner to tell.
  context_.actions = nullptr;
  root_.reset();
}

bool Player::showCurrentFrame() {
  context_.startStep();
  const bool changed = root_->showFrame(playhead_.current());
  return runScripts(false) || changed;
}

bool Player::runScripts(bool tick) {
  bool changed = false;
  if (scripts_) {
    const bool ran = scripts_->runPending(tick);
    // Fields bound to variables show what the scripts set.
    changed = scripts_->updateFields() || ran;
  }
  // A seek, a frame step or a script may have left the root stopped: a
  // stopped timeline plays no stream sound.
  if (!playhead_.isPlaying()) sounds_->streamEnds(root_->id());
  return changed;
}

bool Player::gotoFrame(std::size_t frame) {
  playhead_.gotoFrame(frame);
  return showCurrentFrame();
}

bool Player::back() {
  playhead_.back();
  return showCurrentFrame();
}

bool Player::forward() {
  playhead_.forward();
  return showCurrentFrame();
}

bool Player::rewind() {
  playhead_.rewind();
  return showCurrentFrame();
}

void Player::stop() {
  playhead_.stop();
  sounds_->streamEnds(root_->id());
}

bool Player::tick() {
  // What was loaded earlier moves on; what arrives now shows its first frame.
  bool changed = false;
  for (Loaded& loaded : loaded_) {
    if (loaded.player) changed = loaded.player->tick() || changed;
  }
  changed = runMovieLoads() || changed;
  context_.startStep();
  changed = root_->advanceChildren() || changed;
  if (scripts_) scripts_->clipEnteringFrame(*root_);
  if (playhead_.advance()) changed = root_->showFrame(playhead_.current()) || changed;
  changed = runScripts(true) || changed;
  // Buttons may have moved under the pointer.
  return buttons_.refresh() || changed;
}

const StreamSound* Player::rootStream() { return sounds_->bank().stream(movie_->root()); }

std::optional<std::uint64_t> Player::rootStreamPosition() const {
  return sounds_->mixer().streamPosition(root_->id());
}

bool Player::animating() const {
  for (const Loaded& loaded : loaded_) {
    if (loaded.player && loaded.player->animating()) return true;
  }
  return root_->animating() || (scripts_ && scripts_->animating());
}

// Buttons see input first and queue their actions; the scripts' own handlers
// follow, then whatever is still queued runs.
bool Player::keyDown(int keyCode, int character) {
  bool changed = buttons_.keyDown(buttonKeyCode(keyCode, character));
  changed = (scripts_ && scripts_->keyDown(keyCode, character)) || changed;
  return runScripts(false) || changed;
}

bool Player::keyUp(int keyCode) { return scripts_ && scripts_->keyUp(keyCode); }

bool Player::pointerMove(double x, double y) {
  bool changed = buttons_.pointerMove(QPointF(x, y));
  changed = (scripts_ && scripts_->pointerMove(x, y)) || changed;
  return runScripts(false) || changed;
}

bool Player::pointerLeave() { return buttons_.pointerLeave(); }

bool Player::pointerDown() {
  bool changed = buttons_.pointerDown();
  changed = (scripts_ && scripts_->pointerDown()) || changed;
  return runScripts(false) || changed;
}

bool Player::pointerUp() {
  bool changed = buttons_.pointerUp();
  changed = (scripts_ && scripts_->pointerUp()) || changed;
  return runScripts(false) || changed;
}

bool Player::setViewSize(double width, double height) {
  bool changed = scripts_ && scripts_->setViewSize(width, height);
  for (Loaded& loaded : loaded_) {
    if (loaded.player) changed = loaded.player->setViewSize(width, height) || changed;
  }
  // Fields bound to variables show what the listeners set.
  if (changed) runScripts(false);
  return changed;
}

std::optional<avm1::StageSettings> Player::scriptedStage() const {
  if (!scripts_) return std::nullopt;
  const avm1::StageSettings settings = scripts_->stageSettings();
  return settings.scripted ? std::optional(settings) : std::nullopt;
}

void Player::setUrlHandler(UrlHandler handler) {
  if (scripts_) scripts_->setUrlHandler(std::move(handler));
}

void Player::setMovieFolder(std::filesystem::path folder) {
  if (scripts_) scripts_->setMovieFolder(std::move(folder));
}

QString Player::scriptVariable(const QString& path) const {
  return scripts_ ? scripts_->variable(path) : QString();
}

DrawList Player::drawList(const QTransform& stageToDevice) {
  DrawList list;
  appendDrawing(list, stageToDevice);
  return list;
}

QTransform Player::stageTransform(double scale) const {
  const Rect& stage = movie_->stageRect();
  QTransform transform;
  transform.scale(scale / kTwipsPerPixel, scale / kTwipsPerPixel);
  transform.translate(-stage.xMin, -stage.yMin);
  return transform;
}

}  // namespace quelvo::swf
