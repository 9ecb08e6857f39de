// Test main of the window tests: one QApplication on the headless platform (unless the
// caller chose another, as the screenshot test does), set up as the program is: Qt's German
// texts, a role for every window.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "toolkit/qt/Fensterart.h"
#include "toolkit/qt/Uebersetzung.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  toolkit::qt::QtUebersetzungLaden();
  toolkit::qt::FensterrollenEinrichten();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
