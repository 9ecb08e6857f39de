#pragma once
// The image cycle: mills a picture line-wise, column-wise or circularly between the
// cycle's start point and its target point.
#include <string>

#include "engine/VelkorWinVAR.h"

namespace VelkorWinBildZyklus {

// Expands one image cycle. `LeseFehler` becomes non-zero when the cycle failed, which
// makes the interpreter stop the run.
void BildZyklusWandeln(const std::string& Bilddateiname, VelkorWinVAR::TInterpretermodus Modus,
                       bool FraesbereichGegeben, bool& WandlungsFehler, VelkorWinMATH::TPunkt3D& Zielpunkt,
                       VelkorWinMATH::TPunkt3D& Zyklusstartpunkt, double Sicherheitsabstand, int& LeseFehler);

}  // namespace VelkorWinBildZyklus
