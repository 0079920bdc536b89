#include "support/KilledWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <utility>

namespace quelvo::test {

namespace {

constexpr char kNameVariable[] = "QUELVO_KILLED_WRITER";
constexpr char kPathVariable[] = "QUELVO_KILLED_WRITER_PATH";
// A child whose parent is gone stops by itself after this long.
constexpr qint64 kChildLifetimeMs = 60000;
constexpr int kStartTimeoutMs = 30000;

std::map<std::string, const KilledWriter*>& writers() {
  static std::map<std::string, const KilledWriter*> registered;
  return registered;
}

}  // namespace

KilledWriter::KilledWriter(const char* name, Write write) : name_(name), write_(std::move(write)) {
  writers().emplace(name, this);
}

std::vector<QByteArray> KilledWriter::killRepeatedly(const QString& path, int kills, int maxDelayMs,
                                                     std::uint32_t seed) const {
  write_(path, 0);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delayMs(0, maxDelayMs);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QString::fromLatin1(kNameVariable), QString::fromLatin1(name_));
  environment.insert(QString::fromLatin1(kPathVariable), path);
  std::vector<QByteArray> found;
  for (int kill = 0; kill < kills; ++kill) {
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {});
    // The child's first line says its first write is complete.
    if (!child.waitForReadyRead(kStartTimeoutMs)) break;
    QThread::msleep(static_cast<unsigned long>(delayMs(random)));
    child.kill();
    child.waitForFinished();
    QFile file(path);
    found.push_back(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
  }
  return found;
}

bool runRequestedWriter() {
  const std::string name = qEnvironmentVariable(kNameVariable).toStdString();
  if (name.empty()) return false;
  const auto found = writers().find(name);
  if (found == writers().end()) return true;
  const KilledWriter::Write& write = found->second->write_;
  const QString path = qEnvironmentVariable(kPathVariable);
  QElapsedTimer lifetime;
  lifetime.start();
  write(path, 1);
  std::fputs("written\n", stdout);
  std::fflush(stdout);
  for (int content = 0; !lifetime.hasExpired(kChildLifetimeMs); content = 1 - content) {
    write(path, content);
  }
  return true;
}

}  // namespace quelvo::test
