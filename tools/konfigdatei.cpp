// konfigdatei: writes a settings file with the start values and the given changes, for
// the golden runs of the headless driver.
//   konfigdatei AUSGABE.CNF [FELD=WERT]...
// Fields: Fraesrichtung, GrundArbeitsmodus, MitSatznummern, LeerschritteZwischenAdressen,
// Graubildwandlung, bidirektional_bearbeiten, Sticheln_im_Zyklus, Zirkularsinn,
// Umlaufsinn (whole numbers), FarbModus and F_Verfolgen (letters, from colour 0 on),
// Farbtiefe (numbers separated by ",", from colour 0 on).
#include <cstdio>
#include <string>

#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinVAR.h"
#include "toolkit/NumberFormat.h"

namespace {

bool Setzen(const std::string& feld, const std::string& wert) {
  auto& k = VelkorWinVAR::KonfigBlock;
  if (feld == "FarbModus" || feld == "F_Verfolgen") {
    auto& buchstaben = feld == "FarbModus" ? k.FarbModus : k.F_Verfolgen;
    if (wert.size() > buchstaben.size()) return false;
    for (std::size_t i = 0; i < wert.size(); ++i) buchstaben[i] = wert[i];
    return true;
  }
  if (feld == "Farbtiefe") {
    std::size_t i = 0;
    for (std::size_t p = 0; p <= wert.size() && i < k.Farbtiefe.size(); ++i) {
      const std::size_t komma = std::min(wert.find(',', p), wert.size());
      const auto zahl = toolkit::ParseDecimal(wert.substr(p, komma - p));
      if (!zahl) return false;
      k.Farbtiefe[i] = *zahl;
      p = komma + 1;
    }
    return true;
  }
  const auto zahl = toolkit::ParseInteger(wert);
  if (!zahl || *zahl < 0 || *zahl > 255) return false;
  const auto b = static_cast<std::uint8_t>(*zahl);
  if (feld == "Fraesrichtung") k.Fraesrichtung = static_cast<VelkorWinVAR::TFraesrichtung>(b);
  else if (feld == "GrundArbeitsmodus") k.GrundArbeitsmodus = static_cast<VelkorWinVAR::TArbeitsmodus>(b);
  else if (feld == "MitSatznummern") k.MitSatznummern = b != 0;
  else if (feld == "LeerschritteZwischenAdressen") k.LeerschritteZwischenAdressen = b != 0;
  else if (feld == "Graubildwandlung") k.Graubildwandlung = b != 0;
  else if (feld == "bidirektional_bearbeiten") k.bidirektional_bearbeiten = b != 0;
  else if (feld == "Sticheln_im_Zyklus") k.Sticheln_im_Zyklus = b != 0;
  else if (feld == "Zirkularsinn") k.Zirkularsinn = b;
  else if (feld == "Umlaufsinn") k.Umlaufsinn = b;
  else return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "Aufruf: konfigdatei AUSGABE.CNF [FELD=WERT]...\n");
    return 2;
  }
  VelkorWinVAR::ResetState();
  VelkorWinINTR::ResetState();  // the start values of a program without settings file
  for (int i = 2; i < argc; ++i) {
    const std::string angabe = argv[i];
    const auto gleich = angabe.find('=');
    if (gleich == std::string::npos || !Setzen(angabe.substr(0, gleich), angabe.substr(gleich + 1))) {
      std::fprintf(stderr, "konfigdatei: falsche Angabe %s\n", argv[i]);
      return 2;
    }
  }
  return VelkorWinCNF::KonfigurationSpeichern(argv[1]) ? 0 : 1;
}
