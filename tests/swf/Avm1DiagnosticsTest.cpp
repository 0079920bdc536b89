// The movie log: what scripts call that does not exist, unknown actions, and
// that nothing is kept while the log is off.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "Avm1Fixtures.h"
#include "swf/base/Log.h"

namespace quelvo::swf::avm1::test {
namespace {

// Turns the log on for one test, with its lines captured.
class MovieLogOn {
 public:
  MovieLogOn() {
    movielog::takeSummary();
    movielog::setSink([this](const QString& line) { lines.push_back(line.toStdString()); });
    movielog::setEnabled(true);
  }
  ~MovieLogOn() {
    movielog::setEnabled(false);
    movielog::setSink({});
    movielog::takeSummary();
  }
  MovieLogOn(const MovieLogOn&) = delete;
  MovieLogOn& operator=(const MovieLogOn&) = delete;

  std::vector<std::string> lines;
};

// Calls of a missing clip method, a missing global function, a method of a
// built-in object and an existing method, the first three times.
Asm callsOfMissingThings() {
  Asm code;
  code.defineFunction("", {}, [](Asm& body) {
    body.callMethod("_root", "noSuchMethod", {}).op(AC::Pop);
    body.callFunction("noSuchFunction", {1}).op(AC::Pop);
    body.callMethod("Math", "cube", {2}).op(AC::Pop);
    body.callMethod("Math", "abs", {-2}).op(AC::Pop);
  });
  code.storeRegister(1).op(AC::Pop);
  for (int i = 0; i < 3; ++i) {
    code.push({0}).push({Reg{1}}).push({Undefined{}}).op(AC::CallMethod).op(AC::Pop);
  }
  return code;
}

TEST(Avm1DiagnosticsTest, MissingMembersAreCountedByClassAndName) {
  MovieLogOn log;
  VmRunner runner;
  runner.run(callsOfMissingThings());
  const QString summary = movielog::takeSummary();
  EXPECT_TRUE(summary.contains(QStringLiteral("missing method MovieClip.noSuchMethod x3")))
      << summary.toStdString();
  EXPECT_TRUE(summary.contains(QStringLiteral("missing method Math.cube x3")))
      << summary.toStdString();
  EXPECT_TRUE(summary.contains(
      QRegularExpression(QStringLiteral("missing function noSuchFunction at byte \\d+ x3"))))
      << summary.toStdString();
  EXPECT_FALSE(summary.contains(QStringLiteral("abs")));
  // Taking the summary empties it.
  EXPECT_TRUE(movielog::takeSummary().isEmpty());
}

TEST(Avm1DiagnosticsTest, UnknownActionsAreCountedAndSkipped) {
  MovieLogOn log;
  VmRunner runner;
  Bytes code{0x2F};  // no version defines this code
  const Bytes rest = Asm().trace("after").program();
  code.insert(code.end(), rest.begin(), rest.end());
  runner.runBytes(code);
  EXPECT_EQ(runner.host.traces, std::vector<std::string>{"after"});
  EXPECT_TRUE(
      movielog::takeSummary().contains(QStringLiteral("unsupported action 0x2f at byte 0")));
}

TEST(Avm1DiagnosticsTest, NothingIsKeptWhileTheLogIsOff) {
  movielog::takeSummary();
  VmRunner runner;
  runner.run(callsOfMissingThings());
  movielog::line(movielog::Kind::Trace, QStringLiteral("unseen"));
  EXPECT_TRUE(movielog::takeSummary().isEmpty());
}

TEST(Avm1DiagnosticsTest, DistinctEntriesAreCappedAndLinesCarryTheirKind) {
  MovieLogOn log;
  for (int i = 0; i < 1500; ++i) {
    movielog::count(movielog::Kind::Missing, QStringLiteral("method X.m%1").arg(i));
  }
  movielog::refusedLoad(QStringLiteral("data.txt"), QStringLiteral("outside the movie's folder"));
  movielog::line(movielog::Kind::Trace, QStringLiteral("hello"));
  const QString summary = movielog::takeSummary();
  EXPECT_EQ(summary.count(u'\n'), 1001);
  EXPECT_TRUE(summary.contains(QStringLiteral("(500 more")));
  EXPECT_EQ(log.lines, (std::vector<std::string>{
                           "refused load: data.txt (outside the movie's folder)", "trace: hello"}));
}

}  // namespace
}  // namespace quelvo::swf::avm1::test
