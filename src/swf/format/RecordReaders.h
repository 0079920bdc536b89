#pragma once

#include "swf/base/Expected.h"
#include "swf/base/Records.h"
#include "swf/io/ByteReader.h"

namespace quelvo::swf {

// MATRIX: optional scale and rotate/skew pairs, then the translation.
Matrix readMatrix(ByteReader& reader);

// CXFORM (withAlpha false) or CXFORMWITHALPHA: optional multiply and add
// terms of one shared bit width.
ColorTransform readColorTransform(ByteReader& reader, bool withAlpha);

// The reader's first error, named after the record it was reading ("PlaceObject: ...").
Error failure(const char* what, const ByteReader& reader);

}  // namespace quelvo::swf
