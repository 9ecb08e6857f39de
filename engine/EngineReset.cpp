#include "engine/EngineReset.h"

#include "engine/VelkorWinVAR.h"

namespace engine {

void ResetAllModules() {
  VelkorWinVAR::ResetState();
  // A program started without a settings file mills circularly.
  VelkorWinVAR::KonfigBlock.Fraesrichtung = VelkorWinVAR::TFraesrichtung::zirkular;
}

}  // namespace engine
