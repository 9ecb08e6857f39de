#include "engine/VelkorWinSpaltenFraesUnit.h"

#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinLinienFraesUnit.h"
#include "engine/VelkorWinMOVE.h"

namespace VelkorWinSpaltenFraesUnit {

using VelkorWinLinienFraesUnit::BahnweiseFraesen;
using VelkorWinLinienFraesUnit::TBahnart;

void FarbbildSpaltenweiseFraesen(int Startspalte, int Startzeile) {
  VelkorWinMOVE::BildFarbenNachzaehlen(VelkorWinBildZyklus::Zyklusbild);
  BahnweiseFraesen(TBahnart::Spalten, false, Startspalte, Startzeile);
}

void GraubildSpaltenweiseFraesen(int Startspalte) {
  VelkorWinMOVE::BildFarbenNachzaehlen(VelkorWinBildZyklus::Zyklusbild);
  BahnweiseFraesen(TBahnart::Spalten, true, Startspalte, VelkorWinVAR::Bearbeitungsbereich.Oben);
}

}  // namespace VelkorWinSpaltenFraesUnit
