#pragma once

// Test support for loading: files in a temporary folder and scripts that
// write what they hear into _root.log.

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "Avm1Fixtures.h"
#include "swf/base/Log.h"

namespace quelvo::swf::loadtest {

using avm1::test::AC;
using avm1::test::Asm;

inline void writeFile(const QTemporaryDir& folder, const char* name, const QByteArray& bytes) {
  QFile file(folder.filePath(QString::fromLatin1(name)));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

inline void writeFile(const QTemporaryDir& folder, const char* name,
                      const std::vector<std::uint8_t>& bytes) {
  writeFile(folder, name,
            QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

// Pushes each piece and joins them: "$a.b.c" reads a.b.c, anything else is text.
inline Asm& joined(Asm& code, std::initializer_list<const char*> pieces) {
  bool first = true;
  for (const char* piece : pieces) {
    if (piece[0] == '$') {
      const QStringList names = QString::fromLatin1(piece + 1).split(u'.');
      code.getVar(names.front().toLatin1().constData());
      for (qsizetype i = 1; i < names.size(); ++i) {
        code.push({names[i]}).op(AC::GetMember);
      }
    } else {
      code.push({piece});
    }
    if (!first) code.op(AC::Add2);
    first = false;
  }
  return code;
}

// _root.log += pieces joined, then ";"
inline Asm& appendLog(Asm& code, std::initializer_list<const char*> pieces) {
  code.push({"_root"}).op(AC::GetVariable).push({"log"});
  code.push({"_root"}).op(AC::GetVariable).push({"log"}).op(AC::GetMember);
  joined(code, pieces).op(AC::Add2).push({";"}).op(AC::Add2);
  return code.op(AC::SetMember);
}

// object.member = function(params) { _root.log += pieces; }
inline Asm& logHandler(Asm& code, const char* object, const char* member,
                       std::initializer_list<const char*> params,
                       std::initializer_list<const char*> pieces) {
  code.getVar(object).push({member});
  code.defineFunction("", params, [&](Asm& body) { appendLog(body, pieces); });
  return code.op(AC::SetMember);
}

// Collects the movie log's lines while it lives.
class MovieLogCapture {
 public:
  MovieLogCapture() {
    movielog::setSink([this](const QString& line) { lines.push_back(line.toStdString()); });
    movielog::setEnabled(true);
  }
  ~MovieLogCapture() {
    movielog::setEnabled(false);
    movielog::setSink({});
  }
  bool contains(const std::string& text) const {
    for (const std::string& line : lines) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }

  std::vector<std::string> lines;
};

}  // namespace quelvo::swf::loadtest
