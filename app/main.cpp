// Program entry: the modules take their start values first, in the order they initialise;
// then the windows are created and the message loop runs until the main window closes.
#include <QApplication>
#include <cstdio>

#include "app/Fensterliste.h"
#include "engine/EngineReset.h"
#include "imageio/RasterCompression_Jpeg.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/Clock.h"
#include "toolkit/NumberFormat.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  toolkit::InitDecimalSeparatorFromLocale();
  toolkit::InitShortDateFormatFromLocale();
  engine::ResetAllModules();
  RasterCompression::ResetState();
  RasterGraphics::ResetState();  // registers every picture format
  QWidget* haupt = FensterErzeugen();
  if (!haupt) {
    std::puts("Velkor: Das Hauptfenster ist noch nicht gebaut.");
    return 0;
  }
  haupt->show();
  return app.exec();
}
