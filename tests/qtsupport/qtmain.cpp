// Test main of the window tests: one QApplication on the headless platform (unless the
// caller chose another, as the screenshot test does), with Qt's German texts as in the
// program.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "toolkit/qt/Uebersetzung.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  toolkit::qt::QtUebersetzungLaden();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
