// Shared main of every test executable: a QApplication on the offscreen
// platform, so windows can be created and inspected without a display.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/KilledWriter.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Started again by a test as a writer to be killed.
  if (quelvo::test::runRequestedWriter()) return 0;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
