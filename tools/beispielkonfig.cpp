// beispielkonfig: writes the settings file of the example folder with the engine's own
// settings writer: the example part program as the last one loaded, the example font,
// line-wise milling with graphics on, the background colour (the first one found) left
// alone and the other colours milled 0.5 mm deep.
//   beispielkonfig AUSGABE.CNF
#include <cstdio>

#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: beispielkonfig AUSGABE.CNF\n");
    return 2;
  }
  VelkorWinVAR::ResetState();
  VelkorWinINTR::ResetState();
  auto& k = VelkorWinVAR::KonfigBlock;
  k.Arbeitsdateiname = "BEISPIEL.CNC";
  k.Gravurzeichensatz = "ROMANS.FNT";
  k.Fraesrichtung = VelkorWinVAR::TFraesrichtung::zeilenweise;
  k.GrafikEin = true;
  k.SimuGrenzeMin = {-10.0, -10.0, -5.0};
  k.SimuGrenzeMax = {110.0, 80.0, 10.0};
  k.FarbModus.fill('F');
  k.FarbModus[0] = 'K';
  k.Farbtiefe.fill(-0.5);
  return VelkorWinCNF::KonfigurationSpeichern(argv[1]) ? 0 : 1;
}
