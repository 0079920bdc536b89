#include "swf/base/Expected.h"

namespace quelvo::swf {

std::string Error::describe() const { return message + " at byte " + std::to_string(offset); }

}  // namespace quelvo::swf
