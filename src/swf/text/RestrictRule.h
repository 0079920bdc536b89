#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace quelvo::swf {

// What typing may enter into a field with a restrict rule: characters and
// ranges (a-z) that are allowed; ^ switches to characters that are not, and
// back; a backslash takes the next character as it is (\- \^ \\). A rule
// starting with ^ allows everything it does not exclude. Returns the
// character as it may be entered (in the other case when only that is
// allowed), or nothing.
std::optional<QChar> restrictedCharacter(const QString& rule, QChar typed);

}  // namespace quelvo::swf
