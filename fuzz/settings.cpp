// The settings file as the program loads it at start (KonfigurationLaden), whatever it
// holds: it is refused with the block untouched, or it loads without taking the reserved
// fields, and the block it gives is stable: saved, loaded again and saved once more, it
// gives the same bytes.
#include <cstdint>

#include "engine/EngineReset.h"
#include "engine/VelkorWinCNF.h"
#include "engine/VelkorWinVAR.h"
#include "fuzz/workdir.h"

namespace {

using VelkorWinCNF::KonfigBlockKodieren;
using VelkorWinVAR::KonfigBlock;

bool ReservierteGleich(const VelkorWinVAR::TKonfigBlock& a, const VelkorWinVAR::TKonfigBlock& b) {
  return a.Reserviert1 == b.Reserviert1 && a.Reserviert2 == b.Reserviert2 && a.Reserviert3 == b.Reserviert3;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EigenerOrdner();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  engine::ResetAllModules();
  // Reserved bytes that no file holds, so a load that took them would show.
  KonfigBlock.Reserviert1 = 0xA55A;
  KonfigBlock.Reserviert2.fill(0xC3);
  KonfigBlock.Reserviert3.fill(0x3C);
  const VelkorWinVAR::TKonfigBlock vorher = KonfigBlock;
  fuzz::DateiSchreiben("VelkorWin.CNF", data, size);

  if (!VelkorWinCNF::KonfigurationLaden("VelkorWin.CNF")) {
    if (KonfigBlockKodieren(KonfigBlock) != KonfigBlockKodieren(vorher))
      fuzz::Verletzt("ein abgelehnter Konfigurationsblock hat den Block geaendert");
    return 0;
  }
  if (!ReservierteGleich(KonfigBlock, vorher)) fuzz::Verletzt("reservierte Felder aus der Datei geladen");
  if (!VelkorWinCNF::KonfigurationSpeichern("ERSTE.CNF") || !VelkorWinCNF::KonfigurationLaden("ERSTE.CNF") ||
      !VelkorWinCNF::KonfigurationSpeichern("ZWEITE.CNF"))
    fuzz::Verletzt("Speichern oder erneutes Laden gescheitert");
  if (fuzz::DateiLesen("ERSTE.CNF") != fuzz::DateiLesen("ZWEITE.CNF"))
    fuzz::Verletzt("gespeichert, geladen und wieder gespeichert ergibt andere Bytes");
  return 0;
}
