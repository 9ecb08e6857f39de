// The tool file as the program reads it at start (ReadToolFile), whatever it holds, its
// notices answered silently: every tool taken over is one the tool table and the tool
// lookup can use (number 1 to 255, drawing colour 0 to 15, a name of at most 20
// characters, finite lengths).
#include <cmath>
#include <cstdint>

#include "engine/EngineReset.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinWkz.h"
#include "fuzz/silentdialogs.h"
#include "fuzz/workdir.h"
#include "toolkit/NumberFormat.h"
#include "workspace/VelkorWkzDatei.h"

namespace {

bool Brauchbar(const VelkorWinVAR::TWerkzeugDaten& w) {
  return w.Nummer >= 1 && w.Zeichenfarbe <= 15 && w.Benennung.size() <= VelkorWinVAR::BezeichnungKapazitaet &&
         std::isfinite(w.Laenge) && std::isfinite(w.Nutzlaenge) && std::isfinite(w.Durchmesser);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EigenerOrdner();
  toolkit::SetDecimalSeparator(',');
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::TStilleDialoge dialoge;
  engine::ResetAllModules();
  fuzz::DateiSchreiben("VelkorWkz.DAT", data, size);
  workspace::ReadToolFile("VelkorWkz.DAT");
  for (const auto& wkz : VelkorWinWkz::WkzListe)
    if (!Brauchbar(wkz)) fuzz::Verletzt("unbrauchbares Werkzeug in der Liste");
  return 0;
}
