#include "swf/script/LocalFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include "swf/base/Log.h"

namespace quelvo::swf {

namespace {

// A scheme has two letters or more: "c:\..." is a Windows drive.
bool hasScheme(const QString& url) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return scheme.match(url).hasMatch();
}

// A UNC name (two slashes of either kind first) reaches other machines.
bool isNetworkPath(const QString& name) {
  return name.startsWith(QLatin1String("\\\\")) || name.startsWith(QLatin1String("//")) ||
         name.startsWith(QLatin1String("\\/")) || name.startsWith(QLatin1String("/\\"));
}

}  // namespace

std::optional<std::filesystem::path> localPath(const QString& url,
                                               const std::filesystem::path& folder) {
  QString name = url;
  if (hasScheme(url)) {
    const QUrl parsed(url);
    if (parsed.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0) {
      return std::nullopt;
    }
    name = parsed.toLocalFile();
  }
  if (name.isEmpty() || isNetworkPath(name)) return std::nullopt;
  const std::filesystem::path path(name.toStdU16String());
  if (path.is_absolute()) return path;
  if (folder.empty()) return std::nullopt;
  return folder / path;
}

std::optional<std::vector<std::uint8_t>> readLocalFile(const QString& url,
                                                       const std::filesystem::path& folder,
                                                       qint64 maxBytes) {
  const auto path = localPath(url, folder);
  if (!path) {
    qCDebug(lcSwf) << "refused load:" << url;
    movielog::refusedLoad(url, QStringLiteral("not a local file"));
    return std::nullopt;
  }
  // Only regular files: a device or a pipe could block or never end.
  const QFileInfo info(*path);
  if (!info.isFile() || info.size() > maxBytes) return std::nullopt;
  QFile file(*path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray data = file.read(maxBytes + 1);
  if (data.size() > maxBytes) return std::nullopt;
  return std::vector<std::uint8_t>(data.begin(), data.end());
}

}  // namespace quelvo::swf
