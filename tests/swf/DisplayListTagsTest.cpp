#include <gtest/gtest.h>

#include "MovieTestSupport.h"
#include "swf/format/DisplayListTags.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using Bytes = std::vector<std::uint8_t>;

// The frame tags of a one-frame movie.
std::vector<TagRecord> frameTags(const st::TagStream& tags,
                                 std::shared_ptr<const Movie>& keepAlive) {
  st::TagStream stream = tags;
  stream.showFrame().end();
  keepAlive = parseOk({}, stream);
  return keepAlive ? keepAlive->frames().at(0).tags : std::vector<TagRecord>{};
}

// Filters of every kind: a count, then each kind byte and its parameters.
Bytes everyFilterKind() {
  st::ByteWriter list;
  list.u8(8);
  list.u8(0).bytes(Bytes(23, 1));                         // drop shadow
  list.u8(1).bytes(Bytes(9, 2));                          // blur
  list.u8(2).bytes(Bytes(15, 3));                         // glow
  list.u8(3).bytes(Bytes(27, 4));                         // bevel
  list.u8(4).u8(2).bytes(Bytes(2 * 5 + 19, 5));           // gradient glow, 2 colours
  list.u8(5).u8(2).u8(3).bytes(Bytes(8 + 6 * 4 + 5, 6));  // convolution 2x3
  list.u8(6).bytes(Bytes(80, 7));                         // colour matrix
  list.u8(7).u8(1).bytes(Bytes(5 + 19, 8));               // gradient bevel, 1 colour
  return list.data();
}

TEST(DisplayListTagsTest, PlaceObject2FieldsReadBack) {
  st::Placement placement = st::Placement::place(3, 12, st::Matrix{2, 0.5, 0.25, -1, 100, -40});
  st::ColorTransform cx;
  cx.multiply = {128, 256, 512, 64};
  cx.add = {-10, 0, 20, 255};
  placement.colorTransform = cx;
  placement.ratio = 999;
  placement.name = "ball";
  placement.clipDepth = 9;
  placement.clipActions = {0, 0, 1, 2, 3, 4};
  st::TagStream tags;
  tags.placeObject(placement);
  std::shared_ptr<const Movie> movie;
  const auto records = frameTags(tags, movie);
  ASSERT_EQ(records.size(), 1u);
  ASSERT_EQ(records[0].code, tags::PlaceObject2);

  const auto place = readPlaceObject(records[0]);
  ASSERT_TRUE(place) << place.error().describe();
  EXPECT_EQ(place->version, 2);
  EXPECT_EQ(place->depth, 3);
  EXPECT_FALSE(place->move);
  EXPECT_EQ(place->character, 12);
  EXPECT_EQ(*place->matrix, (Matrix{2, 0.25, -1, 0.5, 100, -40}));
  EXPECT_EQ(place->colorTransform->multiply, (std::array<double, 4>{0.5, 1, 2, 0.25}));
  EXPECT_EQ(place->colorTransform->add, (std::array<double, 4>{-10, 0, 20, 255}));
  EXPECT_EQ(place->ratio, 999);
  EXPECT_EQ(place->name, "ball");
  EXPECT_EQ(place->clipDepth, 9);
  EXPECT_EQ(Bytes(place->clipActions.begin(), place->clipActions.end()), (Bytes{0, 0, 1, 2, 3, 4}));
  EXPECT_FALSE(place->filters);
}

TEST(DisplayListTagsTest, PlaceObject3SkipsEveryFilterKindAndReadsWhatFollows) {
  st::Placement placement = st::Placement::moveTo(5, st::Matrix::translate(7, 8));
  placement.className = "flash.display.Sprite";
  placement.filterList = everyFilterKind();
  placement.blendMode = 3;
  placement.cacheAsBitmap = true;
  placement.visible = false;
  placement.clipDepth = 11;
  st::TagStream tags;
  tags.placeObject(placement);
  std::shared_ptr<const Movie> movie;
  const auto records = frameTags(tags, movie);
  ASSERT_EQ(records.at(0).code, tags::PlaceObject3);

  const auto place = readPlaceObject(records[0]);
  ASSERT_TRUE(place) << place.error().describe();
  EXPECT_EQ(place->version, 3);
  EXPECT_TRUE(place->move);
  EXPECT_FALSE(place->character);
  EXPECT_EQ(place->className, "flash.display.Sprite");
  EXPECT_EQ(place->matrix->translateX, 7);
  EXPECT_EQ(place->clipDepth, 11);
  ASSERT_TRUE(place->filters);
  ASSERT_EQ(place->filters->size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(static_cast<std::size_t>((*place->filters)[i].kind), i);
  }
  EXPECT_EQ((*place->filters)[5].parameters.size(), 2u + 8 + 6 * 4 + 5);
  EXPECT_EQ(place->blendMode, 3);
  EXPECT_EQ(place->cacheAsBitmap, true);
  EXPECT_EQ(place->visible, false);
  EXPECT_TRUE(place->clipActions.empty());
}

TEST(DisplayListTagsTest, UnknownOrCutFiltersFailTheRecord) {
  for (const Bytes& filters : {Bytes{1, 9, 0, 0}, Bytes{2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}}) {
    st::Placement placement = st::Placement::place(1, 1);
    placement.filterList = filters;
    st::TagStream tags;
    tags.placeObject(placement);
    std::shared_ptr<const Movie> movie;
    const auto records = frameTags(tags, movie);
    const auto place = readPlaceObject(records.at(0));
    ASSERT_FALSE(place);
    EXPECT_GE(place.error().offset, records[0].bodyOffset());
    EXPECT_LE(place.error().offset, records[0].bodyOffset() + records[0].body.size());
  }
}

TEST(DisplayListTagsTest, PlaceObjectAndRemoveObjectOfTheFirstVersion) {
  st::ColorTransform cx;
  cx.multiply = {0, 256, 256, 256};
  cx.add = {255, 0, 0, 0};
  st::TagStream tags;
  tags.placeObject1(4, 2, st::Matrix::translate(-20, 40), cx);
  tags.placeObject1(5, 3, st::Matrix{});
  tags.removeObject1(4, 2).removeObject(3);
  std::shared_ptr<const Movie> movie;
  const auto records = frameTags(tags, movie);
  ASSERT_EQ(records.size(), 4u);

  const auto first = readPlaceObject(records[0]);
  ASSERT_TRUE(first) << first.error().describe();
  EXPECT_EQ(first->version, 1);
  EXPECT_EQ(first->character, 4);
  EXPECT_EQ(first->depth, 2);
  EXPECT_EQ(first->matrix->translateY, 40);
  ASSERT_TRUE(first->colorTransform);
  EXPECT_EQ(first->colorTransform->multiply[0], 0);
  EXPECT_EQ(first->colorTransform->add[0], 255);
  EXPECT_EQ(first->colorTransform->multiply[3], 1);  // no alpha terms in this version
  const auto second = readPlaceObject(records[1]);
  ASSERT_TRUE(second);
  EXPECT_FALSE(second->colorTransform);

  const auto remove1 = readRemoveObject(records[2]);
  ASSERT_TRUE(remove1);
  EXPECT_EQ(remove1->character, 4);
  EXPECT_EQ(remove1->depth, 2);
  const auto remove2 = readRemoveObject(records[3]);
  ASSERT_TRUE(remove2);
  EXPECT_FALSE(remove2->character);
  EXPECT_EQ(remove2->depth, 3);
}

TEST(DisplayListTagsTest, CutRecordsFailInsideTheirBody) {
  st::TagStream tags;
  tags.tag(tags::PlaceObject2, Bytes{0x22, 1, 0, 5});  // a name without its terminator
  tags.tag(tags::PlaceObject3, Bytes{0x02});           // the second flag byte missing
  tags.tag(tags::RemoveObject2, Bytes{1});
  tags.tag(tags::PlaceObject, Bytes{1, 0, 2});
  std::shared_ptr<const Movie> movie;
  const auto records = frameTags(tags, movie);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_FALSE(readPlaceObject(records[0]));
  EXPECT_FALSE(readPlaceObject(records[1]));
  EXPECT_FALSE(readRemoveObject(records[2]));
  EXPECT_FALSE(readPlaceObject(records[3]));
}

}  // namespace
}  // namespace quelvo::swf
