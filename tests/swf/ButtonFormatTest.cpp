#include <gtest/gtest.h>

#include <QDir>

#include "MovieTestSupport.h"
#include "swf/format/Button.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint64_t kBodyOffset = 1000;

TagRecord recordOf(std::uint16_t code, const Bytes& body) {
  return TagRecord{code, 2, kBodyOffset - 2, body};
}

std::vector<st::ButtonPart> twoParts() {
  st::ButtonPart up;
  up.states = kButtonUp | kButtonHit;
  up.character = 3;
  up.depth = 2;
  up.matrix = st::Matrix::translate(40, -60);
  up.colorTransform.add = {10, 0, -5, 0};
  st::ButtonPart over;
  over.states = kButtonOver | kButtonDown;
  over.character = 4;
  over.depth = 7;
  over.filterList = Bytes{1, 1, 0, 0, 1, 0, 0, 0, 1, 0, 1};  // one blur
  over.blendMode = 5;
  return {up, over};
}

TEST(ButtonFormatTest, DefineButton2RecordsAndConditionActions) {
  const Bytes body = st::button2Body(9, twoParts(),
                                     {{kOverUpToOverDown | kIdleToOverUp, 0, Bytes{0x07, 0x00}},
                                      {kOverDownToOverUp, 97, Bytes{0x06, 0x06, 0x00}}},
                                     true);
  const auto button = readButton(recordOf(tags::DefineButton2, body));
  ASSERT_TRUE(button) << button.error().describe();
  EXPECT_EQ(button->id, 9);
  EXPECT_TRUE(button->trackAsMenu);
  ASSERT_EQ(button->records.size(), 2u);
  const ButtonRecord& up = button->records[0];
  EXPECT_EQ(up.states, kButtonUp | kButtonHit);
  EXPECT_EQ(up.character, 3);
  EXPECT_EQ(up.depth, 2);
  EXPECT_EQ(up.matrix.translateX, 40);
  EXPECT_EQ(up.matrix.translateY, -60);
  EXPECT_EQ(up.colorTransform.add[0], 10);
  EXPECT_EQ(up.colorTransform.add[2], -5);
  EXPECT_TRUE(up.filters.empty());
  const ButtonRecord& over = button->records[1];
  EXPECT_EQ(over.states, kButtonOver | kButtonDown);
  ASSERT_EQ(over.filters.size(), 1u);
  EXPECT_EQ(over.filters[0].kind, FilterKind::Blur);
  EXPECT_EQ(over.blendMode, 5);

  ASSERT_EQ(button->actions.size(), 2u);
  const ButtonAction& press = button->actions[0];
  EXPECT_EQ(press.conditions, kOverUpToOverDown | kIdleToOverUp);
  EXPECT_EQ(press.keyCode, 0);
  EXPECT_EQ(Bytes(press.actions.begin(), press.actions.end()), (Bytes{0x07, 0x00}));
  EXPECT_EQ(press.offset + 2, button->actions[1].offset - 4);
  const ButtonAction& key = button->actions[1];
  EXPECT_EQ(key.conditions, kOverDownToOverUp);
  EXPECT_EQ(key.keyCode, 97);
  EXPECT_EQ(Bytes(key.actions.begin(), key.actions.end()), (Bytes{0x06, 0x06, 0x00}));
  EXPECT_EQ(key.offset, kBodyOffset + body.size() - 3);
}

TEST(ButtonFormatTest, DefineButtonRunsItsActionsOnReleaseAndKeepsNoCxformFields) {
  const Bytes body = st::buttonBody(5, twoParts(), Bytes{0x07, 0x00});
  const auto button = readButton(recordOf(tags::DefineButton, body));
  ASSERT_TRUE(button) << button.error().describe();
  EXPECT_FALSE(button->trackAsMenu);
  ASSERT_EQ(button->records.size(), 2u);
  // The first version has no colour transform, filters or blend mode per record.
  EXPECT_TRUE(button->records[0].colorTransform.isIdentity());
  EXPECT_TRUE(button->records[1].filters.empty());
  EXPECT_EQ(button->records[1].depth, 7);
  ASSERT_EQ(button->actions.size(), 1u);
  EXPECT_EQ(button->actions[0].conditions, kOverDownToOverUp);
  EXPECT_EQ(button->actions[0].offset, kBodyOffset + body.size() - 2);

  const auto silent = readButton(recordOf(tags::DefineButton, st::buttonBody(5, twoParts(), {})));
  ASSERT_TRUE(silent);
  EXPECT_TRUE(silent->actions.empty());
}

TEST(ButtonFormatTest, DefineButtonCxformReadsAnRgbTransform) {
  st::ColorTransform transform;
  transform.multiply = {0, 256, 128, 256};
  transform.add = {0, 0, 255, 0};
  st::ByteWriter body;
  body.u16(12).colorTransform(transform, false);
  const auto cxform = readButtonCxform(recordOf(tags::DefineButtonCxform, body.data()));
  ASSERT_TRUE(cxform) << cxform.error().describe();
  EXPECT_EQ(cxform->id, 12);
  EXPECT_EQ(cxform->colorTransform.multiply[0], 0);
  EXPECT_EQ(cxform->colorTransform.multiply[2], 0.5);
  EXPECT_EQ(cxform->colorTransform.add[2], 255);
  EXPECT_FALSE(readButtonCxform(recordOf(tags::DefineButtonCxform, Bytes{12})));
}

// Every cut of a body fails with an offset inside it, except cuts within
// the last action list, which runs to the end of the record.
TEST(ButtonFormatTest, CutRecordsFailInsideTheirBody) {
  const Bytes button2 = st::button2Body(
      9, twoParts(),
      {{kOverUpToOverDown, 0, Bytes{0x07, 0x00}}, {kOverDownToOverUp, 0, Bytes{0x06, 0x00}}});
  const std::size_t lastList = button2.size() - 2 - 4;
  const Bytes button1 = st::buttonBody(5, twoParts(), {});
  for (const auto& [code, body, valid] :
       {std::tuple{tags::DefineButton2, button2, lastList},
        std::tuple{tags::DefineButton, button1, button1.size()}}) {
    for (std::size_t size = 0; size < valid; ++size) {
      const Bytes cut(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(size));
      const auto button = readButton(recordOf(code, cut));
      ASSERT_FALSE(button) << "tag " << code << " cut to " << size;
      EXPECT_GE(button.error().offset, kBodyOffset - 2);
      EXPECT_LE(button.error().offset, kBodyOffset + size);
    }
  }
}

TEST(ButtonFormatTest, ActionOffsetsAndSizesThatDoNotFitFail) {
  const Bytes good = st::button2Body(9, twoParts(), {{kOverUpToOverDown, 0, Bytes{0x07, 0x00}}});
  Bytes intoRecords = good;
  intoRecords[3] = 4;  // the action offset points back into the records
  intoRecords[4] = 0;
  Bytes pastEnd = good;
  pastEnd[3] = 0xff;
  pastEnd[4] = 0x7f;
  // Two lists where the first claims a size below its own header.
  Bytes tinySize = st::button2Body(9, twoParts(),
                                   {{kOverUpToOverDown, 0, Bytes{}}, {kIdleToOverUp, 0, Bytes{}}});
  tinySize[good.size() - 6] = 3;
  for (const Bytes& body : {intoRecords, pastEnd, tinySize}) {
    const auto button = readButton(recordOf(tags::DefineButton2, body));
    ASSERT_FALSE(button);
    EXPECT_GE(button.error().offset, kBodyOffset);
    EXPECT_LE(button.error().offset, kBodyOffset + body.size());
  }
  EXPECT_TRUE(readButton(recordOf(tags::DefineButton2, good)));
  EXPECT_FALSE(readButton(recordOf(tags::DefineShape, good)));
}

// The button definitions of real movies read whole: the action offsets and
// list sizes of every producer agree with the reader.
TEST(ButtonFormatTest, EveryButtonOfTheWildCorpusReads) {
  const QDir folder(QStringLiteral(QUELVO_CORPUS_DIR "/wild"));
  if (!folder.exists()) GTEST_SKIP() << "corpus not present";
  int buttons = 0;
  for (const QString& name : folder.entryList({QStringLiteral("*.swf")}, QDir::Files)) {
    const auto movie = Movie::load(folder.filePath(name).toStdU16String());
    if (!movie) continue;
    for (const TagRecord& record : (*movie)->definitions()) {
      if (isButtonTag(record.code)) {
        ++buttons;
        const auto button = readButton(record);
        EXPECT_TRUE(button) << name.toStdString() << ": " << button.error().describe();
      } else if (record.code == tags::DefineButtonCxform) {
        EXPECT_TRUE(readButtonCxform(record)) << name.toStdString();
      }
    }
  }
  EXPECT_GT(buttons, 0);
}

}  // namespace
}  // namespace quelvo::swf
