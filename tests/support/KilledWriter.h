#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace quelvo::test {

// A file writer that a test runs in a child process and kills at random moments, to show that the
// file is never left half-written. The child is this test executable started again with the
// writer's name in its environment; main() hands it to runRequestedWriter() instead of the tests.
class KilledWriter {
 public:
  // Writes content 0 or 1 to the file at path.
  using Write = std::function<void(const QString& path, int content)>;

  // Declare at namespace scope, under a name unique in the executable.
  KilledWriter(const char* name, Write write);

  // Writes content 0 to path, then `kills` times starts a child writing contents 1 and 0 in
  // turn and kills it a seeded random 0 to maxDelayMs after its first complete write. Returns
  // what the file held after each kill.
  std::vector<QByteArray> killRepeatedly(const QString& path, int kills, int maxDelayMs,
                                         std::uint32_t seed) const;

 private:
  friend bool runRequestedWriter();

  const char* name_;
  Write write_;
};

// In a child started by killRepeatedly: runs its writer until it is killed, and returns true.
// Elsewhere returns false at once.
bool runRequestedWriter();

}  // namespace quelvo::test
