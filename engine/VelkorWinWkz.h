#pragma once
// The tool list and the tool lookup of the T word.
#include <vector>

#include "engine/VelkorWinVAR.h"

namespace VelkorWinWkz {

// The operator's tools, read from the tool file; every entry is a real tool.
extern std::vector<VelkorWinVAR::TWerkzeugDaten> WkzListe;

// A copy of the first tool with that number, or of KeinWerkzeug when none has it. Tool
// numbers run from 1 to 255: any other number finds nothing.
VelkorWinVAR::TWerkzeugDaten SucheWkz(int Nummer, const std::vector<VelkorWinVAR::TWerkzeugDaten>& Liste);

void ResetState();

}  // namespace VelkorWinWkz
