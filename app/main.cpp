// Program entry: the modules take their start values first, in the order they initialise.
// The windows are not built yet; until they are, the program says so.
#include <cstdio>

#include "engine/EngineReset.h"
#include "imageio/RasterCompression_Jpeg.h"
#include "imageio/RasterGraphics.h"
#include "toolkit/Clock.h"
#include "toolkit/NumberFormat.h"

int main() {
  toolkit::InitDecimalSeparatorFromLocale();
  toolkit::InitShortDateFormatFromLocale();
  engine::ResetAllModules();
  RasterCompression::ResetState();
  RasterGraphics::ResetState();  // registers every picture format
  std::puts("Velkor: Die Fenster des Programms sind noch nicht gebaut.");
  std::puts("Die Wandlung steht bereits und wird von den Tests ohne Fenster ausgeführt.");
  return 0;
}
