#include "imageprep/Bildzustand.h"

namespace imageprep {

std::uint8_t AusschnittwahlGesperrt = 1;
bool FarbinfoAktiv = false;
toolkit::TColor GewaehlteFarbe = 0;
bool ErsetztesBildUebergeben = false;

void BildzustandZuruecksetzen() {
  AusschnittwahlGesperrt = 1;
  FarbinfoAktiv = false;
  GewaehlteFarbe = 0;
  ErsetztesBildUebergeben = false;
}

}  // namespace imageprep
