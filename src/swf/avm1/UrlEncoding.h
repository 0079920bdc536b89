#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <utility>
#include <vector>

namespace quelvo::swf::avm1 {

// escape(): every character but ASCII letters and digits as %XX, per UTF-8 byte.
QString urlEscape(QStringView text);

// %XX sequences as the bytes they stand for, other characters as UTF-8;
// with plusIsSpace a '+' is a space, as in form data.
QByteArray percentDecode(QStringView text, bool plusIsSpace);

// "name=value&name2=value2" as pairs, decoded as the movie's text is; pairs
// without a name are skipped.
std::vector<std::pair<QString, QString>> decodeVariables(QStringView text, int swfVersion);

}  // namespace quelvo::swf::avm1
