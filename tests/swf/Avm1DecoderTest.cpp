#include <cmath>

#include "Avm1Fixtures.h"
#include "swf/avm1/ActionDecoder.h"

namespace quelvo::swf::avm1 {
namespace {

using test::Asm;
using test::Bytes;

std::shared_ptr<const DecodedBlock> decode(const Bytes& bytes, int version = 7,
                                           std::uint64_t base = 0) {
  return decodeActions(ActionBlock{bytes, base, {}}, version);
}

const std::vector<PushValue>& pushed(const DecodedBlock& block, std::size_t index = 0) {
  return std::get<std::vector<PushValue>>(block.actions.at(index).operand);
}

TEST(Avm1DecoderTest, ReadsEveryPushTypeWithTheSwappedDoubleLayout) {
  // Hand-written: 1.5 as a double is 0x3FF8000000000000, stored high half first.
  const Bytes bytes{0x96, 0x22, 0x00,                          // Push, 34 bytes
                    0x00, 'h',  'i',  0x00,                    // string "hi"
                    0x01, 0x00, 0x00, 0x20, 0x40,              // float 2.5
                    0x02,                                      // null
                    0x03,                                      // undefined
                    0x04, 0x03,                                // register 3
                    0x05, 0x01,                                // true
                    0x06, 0x00, 0x00, 0xF8, 0x3F, 0, 0, 0, 0,  // double 1.5
                    0x07, 0xFE, 0xFF, 0xFF, 0xFF,              // integer -2
                    0x08, 0x07,                                // constant 7
                    0x09, 0x2C, 0x01,                          // constant 300
                    0x00};                                     // End
  const auto block = decode(bytes);
  ASSERT_FALSE(block->error) << block->error->describe();
  ASSERT_EQ(block->actions.size(), 2u);
  const auto& values = pushed(*block);
  ASSERT_EQ(values.size(), 10u);
  using K = PushValue::Kind;
  EXPECT_EQ(values[0].kind, K::String);
  EXPECT_EQ(values[0].string, QStringLiteral("hi"));
  EXPECT_EQ(values[1].kind, K::Number);
  EXPECT_EQ(values[1].number, 2.5);
  EXPECT_EQ(values[2].kind, K::Null);
  EXPECT_EQ(values[3].kind, K::Undefined);
  EXPECT_EQ(values[4].kind, K::Register);
  EXPECT_EQ(values[4].index, 3);
  EXPECT_EQ(values[5].kind, K::Boolean);
  EXPECT_EQ(values[5].number, 1);
  EXPECT_EQ(values[6].kind, K::Number);
  EXPECT_EQ(values[6].number, 1.5);
  EXPECT_EQ(values[7].number, -2);
  EXPECT_EQ(values[8].kind, K::Constant);
  EXPECT_EQ(values[8].index, 7);
  EXPECT_EQ(values[9].index, 300);
  EXPECT_EQ(block->actions[1].code, ActionCode::End);
  EXPECT_EQ(block->actions[1].offset, 37u);
}

TEST(Avm1DecoderTest, DoublesKeepEveryBitOfTheLowHalf) {
  Asm code;
  code.push({0.1, -1e300, 5e-324});
  const auto block = decode(code.bytes());
  const auto& values = pushed(*block);
  EXPECT_EQ(values[0].number, 0.1);
  EXPECT_EQ(values[1].number, -1e300);
  EXPECT_EQ(values[2].number, 5e-324);
}

TEST(Avm1DecoderTest, StopsAtARecordThatDoesNotFitAndKeepsWhatCameBefore) {
  Bytes bytes{0x06, 0x07};                                   // Play, Stop
  bytes.insert(bytes.end(), {0x96, 0x10, 0x00, 0x00, 'a'});  // Push claiming 16 bytes
  const auto block = decode(bytes, 7, 1000);
  ASSERT_EQ(block->actions.size(), 2u);
  ASSERT_TRUE(block->error);
  EXPECT_EQ(block->error->offset, 1002u);
  EXPECT_EQ(block->decodedEnd, 2u);
}

TEST(Avm1DecoderTest, MalformedBodiesEndDecoding) {
  const Bytes unterminated{0x96, 0x03, 0x00, 0x00, 'a', 'b'};
  EXPECT_TRUE(decode(unterminated)->error);
  const Bytes unknownType{0x96, 0x01, 0x00, 0x0A};
  ASSERT_TRUE(decode(unknownType)->error);
  EXPECT_NE(decode(unknownType)->error->message.find("type 10"), std::string::npos);
  const Bytes shortJump{0x99, 0x01, 0x00, 0x05};
  EXPECT_TRUE(decode(shortJump)->error);
  // A constant pool whose count promises more strings than the body holds.
  const Bytes pool{0x88, 0x04, 0x00, 0xFF, 0xFF, 'a', 0x00};
  EXPECT_TRUE(decode(pool)->error);
}

TEST(Avm1DecoderTest, FunctionBodiesMustLieInsideTheBlock) {
  Asm code;
  code.defineFunction("f", {}, [](Asm& body) { body.op(ActionCode::Play); });
  Bytes bytes = code.bytes();
  EXPECT_FALSE(decode(bytes)->error);
  bytes.pop_back();  // the body is now one byte short
  const auto cut = decode(bytes);
  ASSERT_TRUE(cut->error);
  EXPECT_EQ(cut->decodedEnd, 0u);
}

TEST(Avm1DecoderTest, ReadsDefineFunction2HeaderAndFlags) {
  Asm code;
  code.defineFunction2("move", 5, PreloadThis | SuppressArguments | PreloadGlobal,
                       {{1, "dx"}, {0, "dy"}}, [](Asm& body) { body.op(ActionCode::Stop); });
  const auto block = decode(code.bytes());
  ASSERT_FALSE(block->error);
  const auto& def = std::get<FunctionDef>(block->actions[0].operand);
  EXPECT_TRUE(def.v2);
  EXPECT_EQ(def.name, QStringLiteral("move"));
  EXPECT_EQ(def.registerCount, 5);
  EXPECT_EQ(def.flags, PreloadThis | SuppressArguments | PreloadGlobal);
  ASSERT_EQ(def.params.size(), 2u);
  EXPECT_EQ(def.params[0].reg, 1);
  EXPECT_EQ(def.params[1].name, QStringLiteral("dy"));
  EXPECT_EQ(def.bodySize, 1u);
  // The body's records are decoded with the rest of the block.
  EXPECT_EQ(block->actions[1].code, ActionCode::Stop);
}

TEST(Avm1DecoderTest, ReadsTryWithRegisterCatchAndFinally) {
  Asm code;
  code.tryBlock([](Asm& a) { a.op(ActionCode::Play); }, Asm::Catch{std::uint8_t{2}},
                [](Asm& a) { a.op(ActionCode::Stop); }, [](Asm& a) { a.op(ActionCode::Stop); });
  const auto block = decode(code.bytes());
  ASSERT_FALSE(block->error);
  const auto& def = std::get<TryDef>(block->actions[0].operand);
  EXPECT_TRUE(def.hasCatch);
  EXPECT_TRUE(def.hasFinally);
  EXPECT_TRUE(def.catchInRegister);
  EXPECT_EQ(def.catchRegister, 2);
  EXPECT_EQ(def.trySize + def.catchSize + def.finallySize, 3u);
}

TEST(Avm1DecoderTest, DecodesPastEndAndFindsRecordBoundaries) {
  const Bytes bytes{0x00, 0x06, 0x81, 0x02, 0x00, 0x05, 0x00};
  const auto block = decode(bytes);
  ASSERT_EQ(block->actions.size(), 3u);
  EXPECT_EQ(block->actions[2].integer(), 5);  // GotoFrame 5
  EXPECT_EQ(block->indexAt(1), 1u);
  EXPECT_EQ(block->indexAt(7), 3u);  // the end of the block
  EXPECT_FALSE(block->indexAt(3));   // inside the GotoFrame record
}

TEST(Avm1DecoderTest, OldMoviesMayStoreGbkTextNewOnesUtf8) {
  // "中文" in GB18030 and in UTF-8.
  const Bytes gbk{0x8B, 0x05, 0x00, 0xD6, 0xD0, 0xCE, 0xC4, 0x00, 0x00};
  const auto old = decode(gbk, 5);
  ASSERT_FALSE(old->error);
  EXPECT_EQ(std::get<QString>(old->actions[0].operand), QStringLiteral("中文"));
  Asm code;
  code.setTarget("中文");
  EXPECT_EQ(std::get<QString>(decode(code.bytes(), 6)->actions[0].operand), QStringLiteral("中文"));
  // UTF-8 stays UTF-8 in old movies too.
  EXPECT_EQ(std::get<QString>(decode(code.bytes(), 5)->actions[0].operand), QStringLiteral("中文"));
}

}  // namespace
}  // namespace quelvo::swf::avm1
