#include "swf/base/Log.h"

namespace quelvo::swf {

Q_LOGGING_CATEGORY(lcSwf, "quelvo.swf", QtInfoMsg)

}  // namespace quelvo::swf
