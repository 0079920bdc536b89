#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "swf/avm1/ActionCode.h"
#include "swf/base/Expected.h"

namespace quelvo::swf::avm1 {

// One value of a Push record, as stored. Constants are looked up in the
// constant pool in force when the Push runs, so they stay indexes here.
struct PushValue {
  enum class Kind : std::uint8_t { String, Number, Null, Undefined, Register, Boolean, Constant };
  Kind kind = Kind::Undefined;
  double number = 0;        // Number; Boolean as 0/1
  QString string;           // String
  std::uint16_t index = 0;  // Register or Constant
};

using ConstantList = std::vector<QString>;

// Flags of DefineFunction2, the two flag bytes as one value: the first byte in
// the low bits, the second (holding PreloadGlobal) above it.
enum FunctionFlag : std::uint16_t {
  PreloadThis = 0x0001,
  SuppressThis = 0x0002,
  PreloadArguments = 0x0004,
  SuppressArguments = 0x0008,
  PreloadSuper = 0x0010,
  SuppressSuper = 0x0020,
  PreloadRoot = 0x0040,
  PreloadParent = 0x0080,
  PreloadGlobal = 0x0100,
};

struct FunctionParam {
  std::uint8_t reg = 0;  // 0: the parameter is a named local variable
  QString name;
};

// DefineFunction and DefineFunction2. The body is the bodySize bytes that
// follow the record in the same block.
struct FunctionDef {
  bool v2 = false;
  QString name;  // empty for a function literal
  std::vector<FunctionParam> params;
  std::uint8_t registerCount = 0;
  std::uint16_t flags = 0;
  std::uint32_t bodySize = 0;
};

// Try: the try, catch and finally bodies follow the record back to back.
struct TryDef {
  bool hasCatch = false;
  bool hasFinally = false;
  bool catchInRegister = false;
  std::uint8_t catchRegister = 0;
  QString catchName;
  std::uint32_t trySize = 0;
  std::uint32_t catchSize = 0;
  std::uint32_t finallySize = 0;
};

struct GetUrlDef {
  QString url;
  QString target;
};

struct GetUrl2Def {
  std::uint8_t method = 0;  // 0 none, 1 GET, 2 POST
  bool loadTarget = false;  // the target names a clip rather than a window
  bool loadVariables = false;
};

struct GotoFrame2Def {
  bool play = false;
  std::uint16_t sceneBias = 0;
};

struct WaitForFrameDef {
  std::uint16_t frame = 0;
  std::uint8_t skipCount = 0;
};

// Operands of the records with a body. The plain integer alternatives are:
// GotoFrame frame index, Jump/If branch offset, StoreRegister register,
// With body size, WaitForFrame2 skip count.
using ActionOperand = std::variant<std::monostate, std::int32_t, QString, std::vector<PushValue>,
                                   std::shared_ptr<const ConstantList>, GetUrlDef, GetUrl2Def,
                                   GotoFrame2Def, WaitForFrameDef, FunctionDef, TryDef>;

struct Action {
  ActionCode code = ActionCode::End;
  std::uint32_t offset = 0;  // of the record header, from the start of the block
  std::uint32_t size = 1;    // whole record: header and body
  ActionOperand operand;

  std::uint32_t next() const { return offset + size; }
  std::int32_t integer() const { return std::get<std::int32_t>(operand); }
};

// A whole action block decoded once, in stream order. Decoding goes on past
// End records (function bodies and branch targets may lie beyond one) and
// stops at the first record that cannot be read; that record's offset and the
// reason are kept, so running into it ends execution with that error.
struct DecodedBlock {
  std::vector<Action> actions;
  std::uint32_t length = 0;      // bytes in the block
  std::uint32_t decodedEnd = 0;  // the block length, or the record that could not be read
  std::optional<Error> error;    // why decoding stopped; offset in the movie
  std::uint64_t baseOffset = 0;  // of the block in the movie
  int swfVersion = 0;
  std::shared_ptr<const void> owner;  // of the bytes, for the VM's cache; may be null

  // Index of the record starting exactly at offset; actions.size() for
  // decodedEnd; nullopt for any other offset.
  std::optional<std::size_t> indexAt(std::uint32_t offset) const;
  std::uint32_t offsetOf(std::size_t index) const;
};

}  // namespace quelvo::swf::avm1
