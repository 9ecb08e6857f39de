#include "engine/EngineReset.h"

#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "engine/VelkorWinWorldScreen.h"
#include "engine/VelkorWinZirkularfraesUnit.h"
#include "toolkit/Random.h"

namespace engine {

void ResetAllModules() {
  VelkorWinVAR::ResetState();
  VelkorWinWkz::ResetState();
  VelkorWinWorldScreen::ResetState();
  VelkorWinCIRC::ResetState();
  VelkorWinFileUtils::ResetState();
  VelkorWinGrvTXT::ResetState();
  VelkorWinINTR::ResetState();
  VelkorWinMOVE::ResetState();
  VelkorWinGrauwerte::ResetState();
  VelkorWinBildZyklus::ResetState();
  VelkorWinZirkularfraesUnit::ResetState();
  toolkit::RandSeed = 0;
}

}  // namespace engine
