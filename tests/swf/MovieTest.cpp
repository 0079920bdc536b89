#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "MovieTestSupport.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {
namespace {

using swftest::MovieOptions;
using swftest::TagStream;
using Bytes = std::vector<std::uint8_t>;

const MovieOptions kOptions;
const std::uint64_t kFirstTag = swftest::tagStreamOffset(kOptions);

TEST(MovieTest, ShortAndLongRecordHeadersGiveExactBodies) {
  const Bytes small{1, 2, 3};
  const Bytes largestShort(62, 7);
  const Bytes large(63, 9);
  TagStream tags;
  tags.tag(tags::DoAction, small).tag(tags::DoAction, small, true);
  tags.tag(tags::DoAction, largestShort).tag(tags::DoAction, large).showFrame().end();

  const auto movie = parseOk(kOptions, tags);
  ASSERT_TRUE(movie);
  const auto& records = movie->frames().at(0).tags;
  ASSERT_EQ(records.size(), 4u);
  const std::vector<std::pair<std::uint8_t, const Bytes*>> expected{
      {2, &small}, {6, &small}, {2, &largestShort}, {6, &large}};
  std::uint64_t offset = kFirstTag;
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].code, tags::DoAction);
    EXPECT_EQ(records[i].offset, offset) << i;
    EXPECT_EQ(records[i].headerSize, expected[i].first) << i;
    EXPECT_EQ(Bytes(records[i].body.begin(), records[i].body.end()), *expected[i].second) << i;
    EXPECT_EQ(records[i].reader().offset(), offset + expected[i].first);
    // Bodies point into the movie's own bytes.
    EXPECT_EQ(records[i].body.data(), movie->bytes().data() + records[i].bodyOffset());
    offset = records[i].bodyOffset() + records[i].body.size();
  }
}

TEST(MovieTest, RecordRunningPastTheDataEndsTheStreamAtThatRecord) {
  TagStream tags;
  tags.tag(tags::DoAction, Bytes{1}).showFrame();
  const std::uint64_t brokenAt = kFirstTag + tags.size();
  tags.tagHeader(tags::DoAction, 4000).rawBytes(Bytes(10, 0));

  const auto movie = parseOk(kOptions, tags);
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->frameCount(), 1u);
  EXPECT_EQ(movie->tagCount(), 2u);
  ASSERT_TRUE(movie->root().streamBreak);
  EXPECT_EQ(movie->root().streamBreak->offset, brokenAt);
  EXPECT_TRUE(movie->salvaged());
  const std::string& note = movie->salvageNote();
  EXPECT_NE(note.find("at byte " + std::to_string(brokenAt)), std::string::npos) << note;
  EXPECT_NE(note.find("length 4000"), std::string::npos) << note;
}

TEST(MovieTest, CutRecordHeadersEndTheStream) {
  for (const Bytes& tail : {Bytes{0x40}, Bytes{0xFF, 0x00, 0x10, 0x00}}) {
    TagStream tags;
    tags.showFrame().rawBytes(tail);
    const auto movie = parseOk(kOptions, tags);
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->root().streamBreak);
    EXPECT_EQ(movie->root().streamBreak->offset, kFirstTag + 2);
    EXPECT_NE(movie->salvageNote().find("header cut short"), std::string::npos);
  }
}

TEST(MovieTest, StreamWithoutEndTagIsSalvagedAtTheEndOfTheData) {
  TagStream tags;
  tags.showFrame().showFrame();
  const auto movie = parseOk(kOptions, tags);
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->frameCount(), 2u);
  EXPECT_EQ(movie->tagCount(), 2u);
  ASSERT_TRUE(movie->root().streamBreak);
  EXPECT_EQ(movie->root().streamBreak->offset, movie->bytes().size());
  EXPECT_TRUE(movie->salvaged());
}

TEST(MovieTest, DataAfterTheEndTagIsIgnored) {
  TagStream tags;
  tags.showFrame().end().rawBytes(Bytes{0xFF, 0xFF, 0xFF});
  const auto movie = parseOk(kOptions, tags);
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->tagCount(), 2u);
  EXPECT_FALSE(movie->salvaged());
}

TEST(MovieTest, BackgroundIsTheFirstSetBackgroundColourOrWhite) {
  const auto plain = parseOk(kOptions, TagStream().showFrame().end());
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->backgroundColor(), (Rgb{255, 255, 255}));

  TagStream tags;
  tags.backgroundColor({1, 2, 3}).showFrame().backgroundColor({4, 5, 6}).showFrame().end();
  const auto coloured = parseOk(kOptions, tags);
  ASSERT_TRUE(coloured);
  EXPECT_EQ(coloured->backgroundColor(), (Rgb{1, 2, 3}));
}

TEST(MovieTest, ActionScript3FlagAndDoAbcAreReportedSeparately) {
  const auto flagged = parseOk(kOptions, TagStream().fileAttributes(true).showFrame().end());
  ASSERT_TRUE(flagged);
  EXPECT_TRUE(flagged->isAvm2());
  EXPECT_FALSE(flagged->hasDoAbc());

  TagStream withCode;
  withCode.fileAttributes(false, true).tag(tags::DoAbc, Bytes{0, 0, 0, 0, 0}).showFrame().end();
  const auto script = parseOk(kOptions, withCode);
  ASSERT_TRUE(script);
  EXPECT_FALSE(script->isAvm2());
  EXPECT_TRUE(script->hasDoAbc());
}

struct FrameCountCase {
  const char* name;
  TagStream tags;
  std::optional<std::uint16_t> headerFrames;
  std::size_t expectedFrames;
};

TEST(MovieTest, FrameCountFollowsTheStreamNotTheHeader) {
  const auto place = swftest::Placement::place(1, 1);
  std::vector<FrameCountCase> cases;
  cases.push_back({"as declared", TagStream().showFrame().showFrame().showFrame().end(), {}, 3});
  cases.push_back({"header says fewer", TagStream().showFrame().showFrame().end(), 1, 2});
  cases.push_back({"header says more", TagStream().showFrame().showFrame().end(), 10, 2});
  cases.push_back({"content after the last ShowFrame",
                   TagStream().showFrame().placeObject(place).end(),
                   {},
                   2});
  cases.push_back(
      {"unknown tag after the last ShowFrame", TagStream().showFrame().tag(700).end(), {}, 2});
  cases.push_back({"only End after the last ShowFrame", TagStream().showFrame().end(), {}, 1});
  cases.push_back({"no ShowFrame at all", TagStream().placeObject(place).end(), {}, 1});
  cases.push_back({"only End", TagStream().end(), 5, 1});
  cases.push_back({"no tags at all", TagStream(), {}, 1});
  for (const auto& testCase : cases) {
    MovieOptions options;
    options.frameCount = testCase.headerFrames;
    const auto movie = parseOk(options, testCase.tags);
    ASSERT_TRUE(movie) << testCase.name;
    EXPECT_EQ(movie->frameCount(), testCase.expectedFrames) << testCase.name;
    EXPECT_EQ(movie->frames().size(), testCase.expectedFrames) << testCase.name;
    EXPECT_EQ(movie->headerFrameCount(),
              testCase.headerFrames.value_or(testCase.tags.showFrameCount()))
        << testCase.name;
  }
}

TEST(MovieTest, FramesHoldTheirControlTagsAndLabels) {
  TagStream tags;
  tags.defineRectangle(1, {0, 200, 0, 200}, {255, 0, 0})
      .frameLabel("intro")
      .placeObject(swftest::Placement::place(1, 1))
      .showFrame()
      .tag(700, Bytes{1, 2})  // unknown: skipped
      .frameLabel("loop", true)
      .removeObject(1)
      .showFrame()
      .end();
  const auto movie = parseOk(kOptions, tags);
  ASSERT_TRUE(movie);
  ASSERT_EQ(movie->frameCount(), 2u);
  const auto codes = [](const Frame& frame) {
    std::vector<std::uint16_t> result;
    for (const auto& record : frame.tags) result.push_back(record.code);
    return result;
  };
  EXPECT_EQ(codes(movie->frames()[0]),
            (std::vector<std::uint16_t>{tags::FrameLabel, tags::PlaceObject2}));
  EXPECT_EQ(codes(movie->frames()[1]),
            (std::vector<std::uint16_t>{tags::FrameLabel, tags::RemoveObject2}));
  EXPECT_EQ(movie->frames()[0].label, "intro");
  EXPECT_EQ(movie->frames()[1].label, "loop");
  ASSERT_EQ(movie->definitions().size(), 1u);
  EXPECT_EQ(movie->definitions()[0].code, tags::DefineShape);
  EXPECT_EQ(movie->tagCount(), 9u);
}

TEST(MovieTest, SpritesHaveTheirOwnFrames) {
  TagStream inner;
  inner.placeObject(swftest::Placement::place(1, 1)).showFrame().frameLabel("spin").showFrame();
  inner.removeObject(1).end();
  TagStream tags;
  tags.defineRectangle(1, {0, 100, 0, 100}, {0, 0, 255})
      .defineSprite(5, inner, 9)
      .showFrame()
      .end();

  const auto movie = parseOk(kOptions, tags);
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->frameCount(), 1u);
  EXPECT_TRUE(movie->frames()[0].tags.empty());
  ASSERT_EQ(movie->sprites().count(5), 1u);
  const Sprite& sprite = movie->sprites().at(5);
  EXPECT_EQ(sprite.headerFrameCount, 9);
  ASSERT_EQ(sprite.timeline.frames.size(), 3u);
  EXPECT_EQ(sprite.timeline.frames[1].label, "spin");
  EXPECT_EQ(sprite.timeline.frames[2].tags.at(0).code, tags::RemoveObject2);
  EXPECT_EQ(sprite.timeline.tagCount, 6u);
  EXPECT_EQ(movie->definitions().size(), 2u);
  EXPECT_FALSE(movie->salvaged());
}

TEST(MovieTest, DefinitionsInsideSpritesAreSkipped) {
  TagStream nested;
  nested.showFrame().end();
  TagStream inner;
  inner.defineSprite(7, nested).defineRectangle(8, {0, 1, 0, 1}, {}).showFrame().end();
  TagStream tags;
  tags.defineSprite(5, inner).defineSprite(5, nested).showFrame().end();

  const auto movie = parseOk(kOptions, tags);
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->sprites().size(), 1u);  // no 7; the second 5 loses
  const Sprite& sprite = movie->sprites().at(5);
  ASSERT_EQ(sprite.timeline.frames.size(), 1u);
  EXPECT_TRUE(sprite.timeline.frames[0].tags.empty());
}

TEST(MovieTest, BrokenSpriteStreamIsSalvagedInsideTheSprite) {
  TagStream inner;
  inner.showFrame().tagHeader(tags::ShowFrame, 400);
  TagStream tags;
  tags.defineSprite(3, inner).showFrame().end();

  const auto movie = parseOk(kOptions, tags);
  ASSERT_TRUE(movie);
  EXPECT_FALSE(movie->root().streamBreak);
  EXPECT_EQ(movie->frameCount(), 1u);
  const Sprite& sprite = movie->sprites().at(3);
  EXPECT_EQ(sprite.timeline.frames.size(), 1u);
  ASSERT_TRUE(sprite.timeline.streamBreak);
  // DefineSprite header (2) + id and frame count (4) + one ShowFrame (2).
  EXPECT_EQ(sprite.timeline.streamBreak->offset, kFirstTag + 8);
  EXPECT_NE(movie->salvageNote().find("sprite 3: "), std::string::npos) << movie->salvageNote();
}

TEST(MovieTest, TagBudgetStopsAStreamOfTinyRecords) {
  TagStream tags;
  for (int i = 0; i < 10; ++i) tags.showFrame();
  tags.end();
  TagBudget budget{4};
  const Timeline timeline =
      readTimeline(ByteReader(tags.data()), budget, [](auto&) { return true; });
  EXPECT_EQ(timeline.frames.size(), 4u);
  ASSERT_TRUE(timeline.streamBreak);
  EXPECT_EQ(timeline.streamBreak->offset, 8u);
}

TEST(MovieTest, WrittenPlacementReadsBack) {
  TagStream tags;
  swftest::ColorTransform tint;
  tint.multiply = {256, 128, 256, 200};
  tint.add = {10, -10, 0, 0};
  auto placement = swftest::Placement::place(4, 2, swftest::Matrix::translate(-300, 4500));
  placement.colorTransform = tint;
  tags.placeObject(placement).showFrame().end();
  const auto movie = parseOk(kOptions, tags);
  ASSERT_TRUE(movie);
  ByteReader body = movie->frames()[0].tags.at(0).reader();
  EXPECT_EQ(body.u8(), 0b00001110);  // colour transform, matrix, character
  EXPECT_EQ(body.u16(), 4);
  EXPECT_EQ(body.u16(), 2);
  EXPECT_EQ(body.ub(1), 0u);  // no scale
  EXPECT_EQ(body.ub(1), 0u);  // no rotation
  const unsigned bits = body.ub(5);
  EXPECT_EQ(body.sb(bits), -300);
  EXPECT_EQ(body.sb(bits), 4500);
  body.alignToByte();
  EXPECT_EQ(body.ub(1), 1u);  // add terms
  EXPECT_EQ(body.ub(1), 1u);  // multiply terms
  const unsigned termBits = body.ub(4);
  for (const int term : {256, 128, 256, 200, 10, -10, 0, 0}) EXPECT_EQ(body.sb(termBits), term);
  body.alignToByte();
  EXPECT_TRUE(body.ok());
  EXPECT_TRUE(body.atEnd());
}

}  // namespace
}  // namespace quelvo::swf
