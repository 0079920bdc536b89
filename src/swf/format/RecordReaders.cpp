#include "swf/format/RecordReaders.h"

namespace quelvo::swf {

Matrix readMatrix(ByteReader& reader) {
  reader.alignToByte();
  Matrix matrix;
  if (reader.ub(1)) {
    const unsigned bits = reader.ub(5);
    matrix.scaleX = reader.fb(bits);
    matrix.scaleY = reader.fb(bits);
  }
  if (reader.ub(1)) {
    const unsigned bits = reader.ub(5);
    matrix.rotateSkew0 = reader.fb(bits);
    matrix.rotateSkew1 = reader.fb(bits);
  }
  const unsigned bits = reader.ub(5);
  matrix.translateX = reader.sb(bits);
  matrix.translateY = reader.sb(bits);
  reader.alignToByte();
  return reader.ok() ? matrix : Matrix{};
}

ColorTransform readColorTransform(ByteReader& reader, bool withAlpha) {
  reader.alignToByte();
  ColorTransform transform;
  const bool hasAdd = reader.ub(1) != 0;
  const bool hasMultiply = reader.ub(1) != 0;
  const unsigned bits = reader.ub(4);
  const std::size_t channels = withAlpha ? 4 : 3;
  if (hasMultiply) {
    for (std::size_t i = 0; i < channels; ++i) transform.multiply[i] = reader.sb(bits) / 256.0;
  }
  if (hasAdd) {
    for (std::size_t i = 0; i < channels; ++i) transform.add[i] = reader.sb(bits);
  }
  reader.alignToByte();
  return reader.ok() ? transform : ColorTransform{};
}

Error failure(const char* what, const ByteReader& reader) {
  return Error{std::string(what) + ": " + reader.error()->message, reader.error()->offset};
}

}  // namespace quelvo::swf
