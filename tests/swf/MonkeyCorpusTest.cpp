// The monkey test's random input, and the monkey run over a fixed choice of
// corpus movies: no crash, every frame played, in reasonable time.
#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <map>
#include <set>

#include "Avm1Fixtures.h"
#include "Monkey.h"
#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

using tools::MonkeyEvent;
using tools::MonkeyInput;
using Kind = MonkeyEvent::Kind;

std::vector<std::vector<MonkeyEvent>> eventStream(const Rect& stage, std::uint32_t seed,
                                                  int frames) {
  MonkeyInput input(stage, seed);
  std::vector<std::vector<MonkeyEvent>> stream;
  for (int frame = 0; frame < frames; ++frame) stream.push_back(input.nextFrame());
  return stream;
}

TEST(MonkeyInputTest, SameSeedGivesSameStreamOtherSeedAnother) {
  const Rect stage{0, 11000, 0, 8000};
  EXPECT_EQ(eventStream(stage, 7, 300), eventStream(stage, 7, 300));
  EXPECT_NE(eventStream(stage, 7, 300), eventStream(stage, 8, 300));
}

// Moves stay on the stage (also one offset from the origin, and one of no
// size), presses and releases alternate, and every key that goes down comes
// up within a few frames; all kinds of input occur.
TEST(MonkeyInputTest, InputStaysOnStageAndPairsUp) {
  for (const Rect& stage : {Rect{-4000, 6000, 1000, 3000}, Rect{200, 200, 0, 0}}) {
    MonkeyInput input(stage, 3);
    bool pressed = false;
    std::map<int, int> held;  // key code: the frame it went down
    std::set<Kind> kinds;
    std::set<int> keys;
    for (int frame = 0; frame < 2000; ++frame) {
      for (const MonkeyEvent& event : input.nextFrame()) {
        kinds.insert(event.kind);
        switch (event.kind) {
          case Kind::Move:
            EXPECT_GE(event.x, stage.xMin);
            EXPECT_LE(event.x, stage.xMax);
            EXPECT_GE(event.y, stage.yMin);
            EXPECT_LE(event.y, stage.yMax);
            break;
          case Kind::Press:
          case Kind::Release:
            EXPECT_NE(pressed, event.kind == Kind::Press);
            pressed = event.kind == Kind::Press;
            break;
          case Kind::KeyDown:
            EXPECT_TRUE(held.emplace(event.keyCode, frame).second) << "key " << event.keyCode;
            keys.insert(event.keyCode);
            break;
          case Kind::KeyUp:
            EXPECT_EQ(held.erase(event.keyCode), 1u) << "key " << event.keyCode;
            break;
        }
      }
      for (const auto& [key, down] : held) EXPECT_LE(frame - down, 2) << "key " << key;
    }
    EXPECT_EQ(kinds.size(), 5u);
    for (const int key : {int('A'), int('Z'), int('0'), int('9'), 37, 40, 13, 27, 9, 32})
      EXPECT_TRUE(keys.count(key));
  }
}

// A frame script that loops without end is ended by the step budget each
// time the frame comes round, and the movie plays on.
TEST(MonkeyRunTest, EndlessLoopIsStoppedAndPlayGoesOn) {
  swftest::TagStream tags;
  avm1::test::Asm loop;
  loop.label("again").jump("again");
  tags.doAction(loop.program()).showFrame().showFrame().end();
  const auto movie = parseOk(smallStage(), tags);
  ASSERT_TRUE(movie);
  const auto result = tools::runMonkey(movie, {.frames = 4, .seed = 1});
  EXPECT_EQ(result.frames, 4);
  EXPECT_EQ(result.scriptsStopped, 2);
  EXPECT_GT(result.events, 0u);
}

// Movies of all sorts: scripted buttons and drags, key handlers, bitmaps,
// text, sound, video, masks, morphs, filters, loads, and AS3 timelines.
constexpr const char* kMovies[] = {
    "wild/ruffle-avm1_drag_drop.swf",
    "wild/ruffle-avm1_bitmap_data_thorough_hitTest.swf",
    "wild/ruffle-avm1_movieclip_create_text_field.swf",
    "wild/ruffle-avm1_loadmovie_registerclass.swf",
    "wild/ruffle-from_shumway_bitmapbuttons.swf",
    "wild/ruffle-from_shumway_button1.swf",
    "wild/ruffle-swf_tests_swfs_DefineButtonCxformSound-MX.swf",
    "wild/ruffle-swf_tests_swfs_DefineVideoStream.swf",
    "wild/ruffle-swf_tests_swfs_SoundStreamHead2.swf",
    "wild/ruffle-swf_tests_swfs_PlaceObject3-theworks.swf",
    "wild/ruffle-swf_tests_swfs_DefineEditText-MX.swf",
    "wild/ruffle-web_packages_demo_public_logo-anim.swf",
    "wild/swfdec-custom_button-event-with-key-5.swf",
    "wild/swfdec-custom_mouse-scaled-5.swf",
    "wild/swfdec-sound_adpcm-5-2.swf",
    "wild/ruffle-avm2_place_multiple.swf",
    "public/ruffle-avm1-mask_with_drawing/movie.swf",
    "public/ruffle-visual-drawing_api-fills_and_lines/movie.swf",
    "public/swfdec-morph-gradient-8/movie.swf",
    "public/ruffle-from_shumway-acid-acid-text/movie.swf",
};

TEST(MonkeyCorpusTest, ChosenMoviesPlayThroughRandomInput) {
  const QDir corpus(QStringLiteral(QUELVO_CORPUS_DIR));
  if (!corpus.exists()) GTEST_SKIP() << "corpus not present";
  constexpr long kFrames = 100;
  // 100 frames are about 4 s of real time at 24 fps; a movie that needs more
  // than 10 s for them is too slow. Debug and sanitizer builds are not timed.
  constexpr double kMaxMilliseconds = 10'000;
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
  constexpr bool kTimed = true;
#else
  constexpr bool kTimed = false;
#endif
  for (const char* name : kMovies) {
    SCOPED_TRACE(name);
    const auto movie = Movie::load(corpus.filePath(QLatin1String(name)).toStdU16String());
    ASSERT_TRUE(movie) << movie.error().describe();
    const auto result = tools::runMonkey(*movie, {.frames = kFrames, .seed = 1});
    EXPECT_EQ(result.frames, kFrames);
    if (kTimed) {
      EXPECT_LT(result.milliseconds, kMaxMilliseconds);
    }
  }
}

}  // namespace
}  // namespace quelvo::swf
