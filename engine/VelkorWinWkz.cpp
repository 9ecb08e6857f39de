#include "engine/VelkorWinWkz.h"

namespace VelkorWinWkz {

std::vector<VelkorWinVAR::TWerkzeugDaten> WkzListe;

VelkorWinVAR::TWerkzeugDaten SucheWkz(int Nummer, const std::vector<VelkorWinVAR::TWerkzeugDaten>& Liste) {
  if (Nummer >= 1 && Nummer <= 255) {
    for (const auto& wkz : Liste) {
      if (wkz.Nummer == Nummer) return wkz;
    }
  }
  return VelkorWinVAR::KonfigBlock.KeinWerkzeug;
}

void ResetState() { WkzListe.clear(); }

}  // namespace VelkorWinWkz
