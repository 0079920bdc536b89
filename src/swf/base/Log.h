#pragma once

#include <QLoggingCategory>

namespace quelvo::swf {

// "quelvo.swf": notes about skipped or odd records. Debug output is off
// unless enabled through QT_LOGGING_RULES.
Q_DECLARE_LOGGING_CATEGORY(lcSwf)

}  // namespace quelvo::swf
