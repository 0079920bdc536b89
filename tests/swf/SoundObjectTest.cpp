// The Sound class of scripts: attached and loaded sounds, their starts and
// stops, volume and pan for all sounds or a clip's, and the callbacks.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>

#include "Avm1Fixtures.h"
#include "PlayerTestSupport.h"
#include "SoundTestSupport.h"
#include "swf/script/LocalFile.h"
#include "swf/sound/ScriptSounds.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;
using avm1::test::PushItem;

constexpr std::uint32_t kFrame = 4410;  // sample frames of one frame at 10 fps

// Mono sound id of `samples` samples at 44.1 kHz, all at level, exported as name.
void defineLevel(st::TagStream& tags, std::uint16_t id, const char* name, std::int16_t level,
                 std::uint32_t samples = kFrame) {
  tags.defineSound(id, {}, samples, pcm16(std::vector<std::int16_t>(samples, level)))
      .exportAsset(id, name);
}

// name = new Sound(target), or new Sound() without one.
Asm& newSound(Asm& code, const char* name, const char* target = nullptr) {
  code.push({name});
  if (target) {
    code.getVar(target).push({1, "Sound"});
  } else {
    code.push({0, "Sound"});
  }
  return code.op(AC::NewObject).op(AC::SetVariable);
}

// object.method(args), the result dropped.
Asm& call(Asm& code, const char* object, const char* method, std::initializer_list<PushItem> args) {
  return code.callMethod(object, method, args).op(AC::Pop);
}

// variable = object.method(args)
Asm& keep(Asm& code, const char* variable, const char* object, const char* method,
          std::initializer_list<PushItem> args = {}) {
  code.push({variable}).callMethod(object, method, args);
  return code.op(AC::SetVariable);
}

// A 10 fps movie: the tags, then a first frame running code, then empty frames.
std::unique_ptr<Player> scripted(st::TagStream tags, const Asm& code, int frames = 10) {
  tags.doAction(code.program()).showFrame();
  for (int i = 1; i < frames; ++i) tags.showFrame();
  tags.end();
  st::MovieOptions options = smallStage();
  options.frameRate = 10;
  return playerFor(tags, options);
}

// The value of a script variable after each frame of a headless play.
std::vector<QString> watch(Player& player, std::uint64_t frames, const QString& variable) {
  std::vector<QString> values;
  playHeadless(player, frames, [&](std::span<const std::int16_t>) {
    values.push_back(player.scriptVariable(variable));
  });
  return values;
}

TEST(SoundObject, AttachedSoundPlaysFromItsOffsetAsManyTimesAsAsked) {
  struct Case {
    std::function<void(Asm&)> start;
    std::size_t length;  // sample frames heard
  };
  const Case cases[] = {
      {[](Asm& c) { call(c, "s", "start", {}); }, kFrame},
      {[](Asm& c) {
         call(c, "s", "start", {0.05, 3});
       },
       3 * kFrame / 2},
      {[](Asm& c) {
         call(c, "s", "start", {0, 0});
       },
       kFrame},
      {[](Asm& c) {
         call(c, "s", "start", {5, 2});
       },
       0},
  };
  for (const Case& c : cases) {
    st::TagStream tags;
    defineLevel(tags, 1, "beep", 8000);
    Asm code;
    newSound(code, "s");
    call(code, "s", "attachSound", {"beep"});
    code.push({"d"}).getVar("s").push({"duration"}).op(AC::GetMember).op(AC::SetVariable);
    c.start(code);
    const auto player = scripted(tags, code);
    ASSERT_TRUE(player);
    const auto out = left(mixed(*player, 6));
    SCOPED_TRACE(c.length);
    EXPECT_EQ(player->scriptVariable("d"), "100") << "known once attached";
    if (c.length > 0) {
      EXPECT_EQ(out[c.length - 1], 8000);
    }
    EXPECT_EQ(peak(std::vector<std::int16_t>(out.begin() + std::ptrdiff_t(c.length), out.end())),
              0);
  }
}

TEST(SoundObject, VolumePanAndTransformOfAllSoundsShapeEveryChannel) {
  // A stereo sound, left 8000 and right 4000, started by the timeline.
  std::vector<std::int16_t> samples;
  for (std::uint32_t i = 0; i < kFrame; ++i) samples.insert(samples.end(), {8000, 4000});
  struct Case {
    std::function<void(Asm&)> adjust;
    int left;
    int right;
  };
  const Case cases[] = {
      {[](Asm&) {}, 8000, 4000},
      {[](Asm& c) { call(c, "s", "setVolume", {50}); }, 4000, 2000},
      {[](Asm& c) { call(c, "s", "setPan", {-100}); }, 8000, 0},
      {[](Asm& c) { call(c, "s", "setPan", {60}); }, 3200, 4000},
      {[](Asm& c) { call(c, "s", "setVolume", {250}); }, 8000, 4000},  // at most 100
      {[](Asm& c) {
         c.push({"ll", 0, "lr", 100, "rr", 0, "rl", 100, 4}).op(AC::InitObject);
         c.push({1}).getVar("s").push({"setTransform"}).op(AC::CallMethod).op(AC::Pop);
       },
       4000, 8000},
  };
  for (const Case& c : cases) {
    st::TagStream tags;
    tags.defineSound(1, {3, 3, true, true}, kFrame, pcm16(samples)).startSound(1);
    Asm code;
    newSound(code, "s");
    c.adjust(code);
    const auto player = scripted(tags, code);
    ASSERT_TRUE(player);
    const auto out = mixed(*player, 1);
    EXPECT_EQ(out[200], c.left);
    EXPECT_EQ(out[201], c.right);
  }
}

TEST(SoundObject, GettersGiveBackWhatWasSetWithinRange) {
  Asm code;
  newSound(code, "s");
  call(code, "s", "setPan", {60});
  keep(code, "pan", "s", "getPan");
  keep(code, "levels", "s", "getTransform");
  call(code, "s", "setVolume", {-5});
  keep(code, "volume", "s", "getVolume");
  const auto player = scripted({}, code);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("pan"), "60");
  EXPECT_EQ(player->scriptVariable("levels.ll"), "40");
  EXPECT_EQ(player->scriptVariable("levels.rr"), "100");
  EXPECT_EQ(player->scriptVariable("volume"), "0");
}

TEST(SoundObject, AClipsVolumeReachesTheSoundsInItAndIsSharedByItsSoundObjects) {
  st::TagStream tags;
  defineLevel(tags, 1, "beep", 8000);
  st::TagStream inner;
  inner.startSound(1).showFrame().end();
  tags.defineSprite(2, inner);
  st::TagStream outer;
  st::Placement innerPlace = st::Placement::place(1, 2);
  innerPlace.name = "inner";
  outer.placeObject(innerPlace).showFrame().end();
  tags.defineSprite(3, outer);
  st::Placement outerPlace = st::Placement::place(1, 3);
  outerPlace.name = "outer";
  tags.placeObject(outerPlace);
  Asm code;
  newSound(code, "a", "outer");
  call(code, "a", "setVolume", {50});
  newSound(code, "b", "outer");
  keep(code, "shared", "b", "getVolume");
  newSound(code, "all");
  call(code, "all", "setVolume", {50});
  // Frame 3 of the root starts the sound itself: only the global volume applies.
  tags.doAction(code.program()).showFrame().showFrame().startSound(1).showFrame();
  tags.showFrame().end();
  st::MovieOptions options = smallStage();
  options.frameRate = 10;
  const auto player = playerFor(tags, options);
  ASSERT_TRUE(player);
  const auto out = left(mixed(*player, 3));
  EXPECT_EQ(out[10], 2000) << "the clip's half of the global half";
  EXPECT_EQ(out[2 * kFrame + 10], 4000);
  EXPECT_EQ(player->scriptVariable("shared"), "50");
}

TEST(SoundObject, StopEndsTheTargetsSoundsOrTheNamedOne) {
  struct Case {
    const char* stopper;  // the object stopping
    const char* name;     // what it stops; nullptr for all it controls
    int left;
  };
  // "clip" plays beep (8000) for the box; "all" plays boop (1000).
  const Case cases[] = {
      {"clip", nullptr, 1000}, {"all", "beep", 1000},    {"all", "boop", 8000},
      {"clip", "boop", 9000},  {"all", "unknown", 9000}, {"all", nullptr, 0},
  };
  for (const Case& c : cases) {
    st::TagStream tags;
    defineLevel(tags, 1, "beep", 8000);
    defineLevel(tags, 2, "boop", 1000);
    st::TagStream empty;
    empty.showFrame().end();
    tags.defineSprite(3, empty);
    st::Placement box = st::Placement::place(1, 3);
    box.name = "box";
    tags.placeObject(box);
    Asm code;
    newSound(code, "clip", "box");
    call(code, "clip", "attachSound", {"beep"});
    call(code, "clip", "start", {});
    newSound(code, "all");
    call(code, "all", "attachSound", {"boop"});
    call(code, "all", "start", {});
    if (c.name) {
      call(code, c.stopper, "stop", {c.name});
    } else {
      call(code, c.stopper, "stop", {});
    }
    const auto player = scripted(tags, code);
    ASSERT_TRUE(player);
    EXPECT_EQ(left(mixed(*player, 1))[10], c.left) << c.stopper;
  }
}

// s.onSoundComplete = function() { _root.count += 1; _root.heard = this.name; }
Asm& countCompletions(Asm& code, const char* sound) {
  code.getVar(sound).push({"onSoundComplete"});
  code.defineFunction("", {}, [](Asm& body) {
    body.getVar("_root").push({"count"}).getVar("_root").push({"count"}).op(AC::GetMember);
    body.push({1}).op(AC::Add2).op(AC::SetMember);
    body.getVar("_root").push({"heard"}).getVar("this").push({"name"}).op(AC::GetMember);
    body.op(AC::SetMember);
  });
  return code.op(AC::SetMember);
}

TEST(SoundObject, OnSoundCompleteRunsOnceAfterTheLastLoopButNotAfterAStop) {
  st::TagStream tags;
  defineLevel(tags, 1, "beep", 8000);
  Asm code;
  code.setVar("count", 0);
  newSound(code, "s");
  code.getVar("s").push({"name", "played"}).op(AC::SetMember);
  countCompletions(code, "s");
  call(code, "s", "attachSound", {"beep"});
  call(code, "s", "start", {0, 2});
  newSound(code, "t", "_root");  // its stop leaves the global sound playing
  code.getVar("t").push({"name", "stopped"}).op(AC::SetMember);
  countCompletions(code, "t");
  call(code, "t", "attachSound", {"beep"});
  call(code, "t", "start", {});
  call(code, "t", "stop", {});
  const auto player = scripted(tags, code);
  ASSERT_TRUE(player);
  const auto counts = watch(*player, 6, "count");
  EXPECT_EQ(counts[1], "0") << "still in its second loop";
  EXPECT_EQ(counts.back(), "1");
  EXPECT_EQ(player->scriptVariable("heard"), "played");
}

TEST(SoundObject, PositionFollowsThePlayAndHoldsWhereItStopped) {
  st::TagStream tags;
  defineLevel(tags, 1, "beep", 8000, 44100);
  Asm start;
  newSound(start, "s");
  call(start, "s", "attachSound", {"beep"});
  call(start, "s", "start", {});
  tags.doAction(start.program()).showFrame().showFrame().showFrame().showFrame();
  Asm stop;
  call(stop, "s", "stop", {});
  tags.doAction(stop.program()).showFrame().showFrame().end();
  st::MovieOptions options = smallStage();
  options.frameRate = 10;
  const auto player = playerFor(tags, options);
  ASSERT_TRUE(player);
  const auto positions = watch(*player, 6, "s.position");
  const std::vector<QString> expected{"100", "200", "300", "400", "400", "400"};
  EXPECT_EQ(positions, expected);
  EXPECT_EQ(player->scriptVariable("s.duration"), "1000");
}

TEST(SoundObject, ScriptsCannotFloodTheMixerOrTheLoader) {
  st::TagStream tags;
  defineLevel(tags, 1, "beep", 100);
  Asm code;
  code.setVar("loads", 0);
  newSound(code, "s");
  call(code, "s", "attachSound", {"beep"});
  code.getVar("s").push({"onLoad"});
  code.defineFunction("", {}, [](Asm& body) {
    body.push({"loads"}).getVar("loads").push({1}).op(AC::Add2).op(AC::SetVariable);
  });
  code.op(AC::SetMember);
  code.setVar("i", 0).label("again");
  call(code, "s", "start", {});
  call(code, "s", "loadSound", {"none.mp3"});
  code.push({"i"}).getVar("i").push({1}).op(AC::Add2).op(AC::SetVariable);
  code.getVar("i").push({10000}).op(AC::Less2).ifTrue("again");
  const auto player = scripted(tags, code);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->sounds().mixer().voiceCount(), ScriptSounds::kMaxChannels);
  player->tick();
  EXPECT_EQ(player->scriptVariable("loads"), QString::number(avm1::SoundEvents::kMaxPendingLoads));
}

// An MP3 file of `frames` silent MPEG-1 Layer III frames (44.1 kHz mono, 417
// bytes each) after an ID3v2 tag. The tag holds 22.05 kHz frames, which would
// set the sound's rate were the tag read as sound.
std::vector<std::uint8_t> taggedSilentMp3(int frames) {
  constexpr int kTagFrames = 20;
  constexpr std::size_t kTagFrameBytes = 261;  // 80 kbit/s at 22.05 kHz
  constexpr std::size_t kTagBytes = kTagFrames * kTagFrameBytes;
  std::vector<std::uint8_t> file{'I', 'D', '3', 3, 0, 0, 0, 0, kTagBytes >> 7, kTagBytes & 0x7f};
  const auto addFrames = [&](int count, std::initializer_list<std::uint8_t> header,
                             std::size_t bytes) {
    for (int f = 0; f < count; ++f) {
      const std::size_t start = file.size();
      file.insert(file.end(), header);
      file.resize(start + bytes);
    }
  };
  addFrames(kTagFrames, {0xFF, 0xF3, 0x90, 0xC0}, kTagFrameBytes);
  addFrames(frames, {0xFF, 0xFB, 0x90, 0xC0}, 417);
  return file;
}

// object.onLoad = function(ok) { _root[variable] = ok; }
Asm& onLoadSets(Asm& code, const char* object, const char* variable) {
  code.getVar(object).push({"onLoad"});
  code.defineFunction("", {"ok"}, [variable](Asm& body) {
    body.getVar("_root").push({variable}).getVar("ok").op(AC::SetMember);
  });
  return code.op(AC::SetMember);
}

TEST(SoundObject, LoadSoundReadsLocalMp3FilesOnly) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QFile mp3(folder.filePath(QStringLiteral("tone.mp3")));
  ASSERT_TRUE(mp3.open(QIODevice::WriteOnly));
  const auto bytes = taggedSilentMp3(40);
  mp3.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
  mp3.close();
  const QByteArray absolute = QUrl::fromLocalFile(mp3.fileName()).toString().toUtf8();

  // The folder is set after the first frame, so the loads run in the second.
  Asm code;
  struct Load {
    const char* sound;
    const char* loaded;
    const char* url;
  };
  const Load loads[] = {
      {"near", "nearLoaded", "tone.mp3"},
      {"far", "farLoaded", absolute.constData()},
      {"remote", "remoteLoaded", "http://example.com/tone.mp3"},
      {"missing", "missingLoaded", "none.mp3"},
  };
  for (const Load& load : loads) {
    newSound(code, load.sound);
    onLoadSets(code, load.sound, load.loaded);
    call(code, load.sound, "loadSound", {load.url, true});
  }
  st::TagStream tags;
  tags.showFrame().doAction(code.program());
  for (int i = 0; i < 4; ++i) tags.showFrame();
  tags.end();
  st::MovieOptions options = smallStage();
  options.frameRate = 10;
  const auto player = playerFor(tags, options);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  mixed(*player, 4);
  EXPECT_EQ(player->scriptVariable("nearLoaded"), "true");
  EXPECT_EQ(player->scriptVariable("farLoaded"), "true");
  EXPECT_EQ(player->scriptVariable("remoteLoaded"), "false");
  EXPECT_EQ(player->scriptVariable("missingLoaded"), "false");
  const double duration = player->scriptVariable("near.duration").toDouble();
  EXPECT_NEAR(duration, 40 * 1152 / 44.1, 30) << "44.1 kHz: the tag was skipped";
  EXPECT_GT(player->scriptVariable("near.position").toDouble(), 100) << "streaming plays at once";
}

TEST(SoundObject, LocalFilesAreNamedFromTheMovieFolderAndReadWithinBounds) {
  const std::filesystem::path movies("/movies");
  EXPECT_EQ(localPath("a/b.mp3", movies), std::filesystem::path("/movies/a/b.mp3"));
  EXPECT_EQ(localPath("file:///x/y%20z.mp3", {}), std::filesystem::path("/x/y z.mp3"));
  EXPECT_EQ(localPath("/x/y.mp3", {}), std::filesystem::path("/x/y.mp3"));
  EXPECT_FALSE(localPath("b.mp3", {})) << "relative without a folder";
  EXPECT_FALSE(localPath("https://example.com/b.mp3", movies));
  EXPECT_FALSE(localPath("ftp:b.mp3", movies));
  EXPECT_FALSE(localPath("", movies));

  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QFile file(folder.filePath(QStringLiteral("ten.bin")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("0123456789");
  file.close();
  const std::filesystem::path base = folder.path().toStdString();
  EXPECT_EQ(readLocalFile("ten.bin", base, 10)->size(), 10u);
  EXPECT_FALSE(readLocalFile("ten.bin", base, 9)) << "larger than allowed";
  EXPECT_FALSE(readLocalFile(".", base, 10)) << "a folder";
  EXPECT_FALSE(readLocalFile("none.bin", base, 10));
}

}  // namespace
}  // namespace quelvo::swf
