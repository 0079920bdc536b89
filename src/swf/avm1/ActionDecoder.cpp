#include "swf/avm1/ActionDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "swf/avm1/SwfString.h"
#include "swf/io/ByteReader.h"

namespace quelvo::swf::avm1 {

namespace {

// Reads the operands of one record body. Every read goes through the body's
// own reader, so a malformed body fails instead of reading the next record.
class OperandReader {
 public:
  OperandReader(ByteReader& body, int swfVersion) : body_(body), version_(swfVersion) {}

  QString string() {
    const std::string bytes = body_.string();
    return decodeSwfString(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), version_);
  }

  std::vector<PushValue> pushValues() {
    std::vector<PushValue> values;
    while (body_.ok() && !body_.atEnd()) {
      values.push_back(pushValue());
    }
    return values;
  }

  std::shared_ptr<const ConstantList> constantPool() {
    const std::uint16_t count = body_.u16();
    auto pool = std::make_shared<ConstantList>();
    for (std::uint16_t i = 0; i < count && body_.ok(); ++i) pool->push_back(string());
    return pool;
  }

  FunctionDef function(bool v2) {
    FunctionDef def;
    def.v2 = v2;
    def.name = string();
    const std::uint16_t paramCount = body_.u16();
    if (v2) {
      def.registerCount = body_.u8();
      const std::uint8_t first = body_.u8();
      const std::uint8_t second = body_.u8();
      def.flags = static_cast<std::uint16_t>(first | (second & 0x01) << 8);
    }
    for (std::uint16_t i = 0; i < paramCount && body_.ok(); ++i) {
      FunctionParam param;
      if (v2) param.reg = body_.u8();
      param.name = string();
      def.params.push_back(std::move(param));
    }
    def.bodySize = body_.u16();
    return def;
  }

  TryDef tryDef() {
    TryDef def;
    const std::uint8_t flags = body_.u8();
    def.catchInRegister = (flags & 0x04) != 0;
    def.hasFinally = (flags & 0x02) != 0;
    def.hasCatch = (flags & 0x01) != 0;
    def.trySize = body_.u16();
    def.catchSize = body_.u16();
    def.finallySize = body_.u16();
    if (def.catchInRegister) {
      def.catchRegister = body_.u8();
    } else {
      def.catchName = string();
    }
    return def;
  }

  GetUrl2Def getUrl2() {
    const std::uint8_t flags = body_.u8();
    return GetUrl2Def{static_cast<std::uint8_t>(flags >> 6), (flags & 0x02) != 0,
                      (flags & 0x01) != 0};
  }

  GotoFrame2Def gotoFrame2() {
    const std::uint8_t flags = body_.u8();
    GotoFrame2Def def;
    def.play = (flags & 0x01) != 0;
    if (flags & 0x02) def.sceneBias = body_.u16();
    return def;
  }

 private:
  PushValue pushValue() {
    PushValue value;
    const std::uint8_t type = body_.u8();
    switch (type) {
      case 0:
        value.kind = PushValue::Kind::String;
        value.string = string();
        break;
      case 1:
        value.kind = PushValue::Kind::Number;
        value.number = std::bit_cast<float>(body_.u32());
        break;
      case 2:
        value.kind = PushValue::Kind::Null;
        break;
      case 3:
        value.kind = PushValue::Kind::Undefined;
        break;
      case 4:
        value.kind = PushValue::Kind::Register;
        value.index = body_.u8();
        break;
      case 5:
        value.kind = PushValue::Kind::Boolean;
        value.number = body_.u8() != 0 ? 1 : 0;
        break;
      case 6: {
        // Stored as two little-endian 32-bit halves, the high half first.
        const std::uint64_t high = body_.u32();
        const std::uint64_t low = body_.u32();
        value.kind = PushValue::Kind::Number;
        value.number = std::bit_cast<double>(high << 32 | low);
        break;
      }
      case 7:
        value.kind = PushValue::Kind::Number;
        value.number = body_.s32();
        break;
      case 8:
        value.kind = PushValue::Kind::Constant;
        value.index = body_.u8();
        break;
      case 9:
        value.kind = PushValue::Kind::Constant;
        value.index = body_.u16();
        break;
      default:
        body_.reject("Push: unknown value type " + std::to_string(type));
        break;
    }
    return value;
  }

  ByteReader& body_;
  int version_;
};

ActionOperand readOperand(ActionCode code, ByteReader& body, int swfVersion) {
  OperandReader reader(body, swfVersion);
  switch (code) {
    case ActionCode::GotoFrame:
      return std::int32_t{body.u16()};
    case ActionCode::GetUrl: {
      GetUrlDef def;
      def.url = reader.string();
      def.target = reader.string();
      return def;
    }
    case ActionCode::StoreRegister:
      return std::int32_t{body.u8()};
    case ActionCode::ConstantPool:
      return reader.constantPool();
    case ActionCode::WaitForFrame: {
      WaitForFrameDef def;
      def.frame = body.u16();
      def.skipCount = body.u8();
      return def;
    }
    case ActionCode::SetTarget:
    case ActionCode::GotoLabel:
      return reader.string();
    case ActionCode::WaitForFrame2:
      return std::int32_t{body.u8()};
    case ActionCode::DefineFunction2:
      return reader.function(true);
    case ActionCode::DefineFunction:
      return reader.function(false);
    case ActionCode::Try:
      return reader.tryDef();
    case ActionCode::With:
      return std::int32_t{body.u16()};
    case ActionCode::Push:
      return reader.pushValues();
    case ActionCode::Jump:
    case ActionCode::If:
      return std::int32_t{body.s16()};
    case ActionCode::GetUrl2:
      return reader.getUrl2();
    case ActionCode::GotoFrame2:
      return reader.gotoFrame2();
    default:
      return std::monostate{};
  }
}

// Bytes that follow the record and belong to it: function, with and try bodies.
std::uint64_t trailingBodySize(const Action& action) {
  switch (action.code) {
    case ActionCode::DefineFunction:
    case ActionCode::DefineFunction2:
      return std::get<FunctionDef>(action.operand).bodySize;
    case ActionCode::With:
      return static_cast<std::uint32_t>(action.integer());
    case ActionCode::Try: {
      const auto& def = std::get<TryDef>(action.operand);
      return std::uint64_t{def.trySize} + def.catchSize + def.finallySize;
    }
    default:
      return 0;
  }
}

}  // namespace

std::optional<std::size_t> DecodedBlock::indexAt(std::uint32_t offset) const {
  if (offset == decodedEnd) return actions.size();
  const auto found =
      std::lower_bound(actions.begin(), actions.end(), offset,
                       [](const Action& a, std::uint32_t o) { return a.offset < o; });
  if (found == actions.end() || found->offset != offset) return std::nullopt;
  return static_cast<std::size_t>(found - actions.begin());
}

std::uint32_t DecodedBlock::offsetOf(std::size_t index) const {
  return index < actions.size() ? actions[index].offset : decodedEnd;
}

std::shared_ptr<const DecodedBlock> decodeActions(const ActionBlock& block, int swfVersion) {
  auto decoded = std::make_shared<DecodedBlock>();
  // Offsets are kept in 32 bits; a block is a tag body, far smaller.
  const auto bytes = block.bytes.first(std::min<std::size_t>(block.bytes.size(), UINT32_MAX));
  decoded->length = static_cast<std::uint32_t>(bytes.size());
  decoded->baseOffset = block.baseOffset;
  decoded->swfVersion = swfVersion;
  decoded->owner = block.owner;

  ByteReader reader(bytes, block.baseOffset);
  while (!reader.atEnd()) {
    const auto start = static_cast<std::uint32_t>(reader.offset() - block.baseOffset);
    Action action;
    action.offset = start;
    action.code = static_cast<ActionCode>(reader.u8());
    if (static_cast<std::uint8_t>(action.code) >= 0x80) {
      const std::uint16_t length = reader.u16();
      ByteReader body = reader.subReader(length);
      if (reader.ok()) action.operand = readOperand(action.code, body, swfVersion);
      if (body.failed() && reader.ok()) {
        reader.reject(std::string(actionName(action.code)) + ": " + body.error()->message);
      }
    }
    if (reader.ok()) {
      action.size = static_cast<std::uint32_t>(reader.offset() - block.baseOffset) - start;
      if (action.next() + trailingBodySize(action) > decoded->length) {
        reader.reject(std::string(actionName(action.code)) + ": body of " +
                      std::to_string(trailingBodySize(action)) + " bytes runs past the block");
      }
    }
    if (reader.failed()) {
      decoded->decodedEnd = start;
      decoded->error = Error{
          "action record at block offset " + std::to_string(start) + ": " + reader.error()->message,
          block.baseOffset + start};
      return decoded;
    }
    decoded->actions.push_back(std::move(action));
  }
  decoded->decodedEnd = decoded->length;
  return decoded;
}

}  // namespace quelvo::swf::avm1
