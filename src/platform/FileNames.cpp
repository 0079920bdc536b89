#include "platform/FileNames.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/TextEncoding.h"

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
#include <unistd.h>
#endif

namespace quelvo::platform {

namespace fs = std::filesystem;

#ifdef Q_OS_WIN

QString fromNativePath(const fs::path& path) {
  return QString::fromStdU16String(path.generic_u16string());
}

fs::path toNativePath(const QString& path) { return fs::path(path.toStdU16String()); }

bool isReadable(const QString& path) { return QFileInfo(path).isReadable(); }

bool isHidden(const QString& path) { return QFileInfo(path).isHidden(); }

#else

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // a stray byte b is kept as kEscapeBase + b

bool isEscape(QChar c, QChar before) {
  return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF &&
         !before.isHighSurrogate();
}

// The GB18030 reading of `name`, when decoding it and encoding the text again gives back exactly
// the same bytes (so nothing was invalid or cut off).
std::optional<QString> exactGb18030(QByteArrayView name) {
  QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless);
  QString text = decoder.decode(name);
  if (decoder.hasError()) return std::nullopt;
  QStringEncoder encoder("GB18030");
  const QByteArray again = encoder.encode(text);
  if (encoder.hasError() || !std::equal(again.begin(), again.end(), name.begin(), name.end())) {
    return std::nullopt;
  }
  return text;
}

QString decodeName(QByteArrayView name) {
  if (isValidUtf8(name)) return QString::fromUtf8(name);
  if (auto text = exactGb18030(name)) return *text;
  QString text;
  for (qsizetype i = 0; i < name.size();) {
    const qsizetype length = utf8SequenceLength(name, i);
    if (length == 0) {
      text += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(name[i])));
      ++i;
    } else {
      text += QString::fromUtf8(name.sliced(i, length));
      i += length;
    }
  }
  return text;
}

// UTF-8, except that escaped stray bytes become those bytes again.
QByteArray encodeName(QStringView name) {
  QByteArray bytes;
  qsizetype plain = 0;  // start of the run not yet encoded
  for (qsizetype i = 0; i < name.size(); ++i) {
    if (!isEscape(name[i], i > 0 ? name[i - 1] : QChar())) continue;
    bytes += name.sliced(plain, i - plain).toUtf8();
    bytes += char(name[i].unicode() - kEscapeBase);
    plain = i + 1;
  }
  return bytes + name.sliced(plain).toUtf8();
}

bool isAscii(QStringView name) {
  return std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
}

bool isThere(const std::string& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

}  // namespace

QString fromNativePath(const fs::path& path) {
  const std::string& bytes = path.native();
  QString text;
  for (std::size_t start = 0;;) {
    const std::size_t slash = bytes.find('/', start);
    const std::size_t end = slash == std::string::npos ? bytes.size() : slash;
    text += decodeName(QByteArrayView(bytes.data() + start, qsizetype(end - start)));
    if (slash == std::string::npos) return text;
    text += u'/';
    start = slash + 1;
  }
}

fs::path toNativePath(const QString& path) {
  const QStringList names = path.split(u'/');
  std::string whole;
  for (const QString& name : names) {
    if (&name != &names.front()) whole += '/';
    whole += encodeName(name).toStdString();
  }
  // Almost every path is there as UTF-8; only a miss pays for looking up each name.
  if (isAscii(path) || isThere(whole)) return fs::path(whole);
  std::string resolved;
  for (const QString& name : names) {
    if (&name != &names.front()) resolved += '/';
    std::string bytes = encodeName(name).toStdString();
    if (!isAscii(name) && !isThere(resolved + bytes)) {
      QStringEncoder gb18030("GB18030");
      const QByteArray other = gb18030.encode(name);
      if (!gb18030.hasError() && isThere(resolved + other.toStdString())) {
        bytes = other.toStdString();
      }
    }
    resolved += bytes;
  }
  return fs::path(resolved);
}

bool isReadable(const QString& path) { return ::access(toNativePath(path).c_str(), R_OK) == 0; }

bool isHidden(const QString& path) {
  return path.sliced(path.lastIndexOf(u'/') + 1).startsWith(u'.');
}

#endif

bool isFile(const QString& path) {
  std::error_code error;
  return fs::is_regular_file(toNativePath(path), error);
}

bool isFolder(const QString& path) {
  std::error_code error;
  return fs::is_directory(toNativePath(path), error);
}

bool exists(const QString& path) {
  std::error_code error;
  return fs::exists(toNativePath(path), error);
}

}  // namespace quelvo::platform
