#pragma once
// The one application of a benchmark program that drives Qt, on the headless platform.
#include <QApplication>
#include <cstdlib>

namespace qtbench {

inline QApplication& Anwendung() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QApplication app(argc, argv);
  return app;
}

}  // namespace qtbench
