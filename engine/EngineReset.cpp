#include "engine/EngineReset.h"

#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "engine/VelkorWinWorldScreen.h"

namespace engine {

void ResetAllModules() {
  VelkorWinVAR::ResetState();
  VelkorWinWkz::ResetState();
  VelkorWinWorldScreen::ResetState();
  VelkorWinCIRC::ResetState();
  VelkorWinFileUtils::ResetState();
  // A program started without a settings file mills circularly.
  VelkorWinVAR::KonfigBlock.Fraesrichtung = VelkorWinVAR::TFraesrichtung::zirkular;
}

}  // namespace engine
