// The conversion command's run: a measuring pass, then the conversion pass.
#include "engine/EngineHost.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "toolkit/Bildablage.h"
#include "toolkit/Text.h"

namespace VelkorWinINTR {

using namespace VelkorWinVAR;

bool WandlungDurchfuehren() {
  auto& host = engine::Host();
  // Lines that could not be saved stay buffered; a new run must not mix with them.
  if (!VelkorWinFileUtils::NcPufferSichern()) return false;
  Kopfzeilen.clear();
  Fortsetzen = true;
  host.showBlock(engine::TSatzAnzeige::HauptQuelle, {});
  host.showBlock(engine::TSatzAnzeige::HauptZiel, {});

  Interpretermodus = TInterpretermodus::Messlauf;
  bool beendet = StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe);
  if (beendet) {
    if (!Bilddateiname.empty() && !Arbeitsbild) Arbeitsbild = QuellImage;
    if (GrafikbereichAutomatisch) {
      KonfigBlock.SimuGrenzeMin = {Fraesbereich.Links - 10.0, Fraesbereich.Unten - 10.0, -5.0};
      KonfigBlock.SimuGrenzeMax = {Fraesbereich.Rechts + 10.0, Fraesbereich.Oben + 10.0, 10.0};
    }
    WandlungLaeuft = true;
    if (KonfigBlock.GrafikEin) {
      if (GrafikVorhanden && host.confirm(toolkit::Ansi("Grafik löschen?"))) host.clearSimulation(GrafikVorhanden);
      host.initSimulation(true);
    } else {
      WandlungsFehler = false;
    }
    Interpretermodus = TInterpretermodus::Wandlung;
    beendet = StarteWandlung(TInterpretermodus::Wandlung, TeileprogrammListe);
    if (Abbruch) AbbruchzeileSchreiben();
  }
  WandlungLaeuft = false;
  Fortsetzen = true;
  Kopfzeilen.clear();
  return beendet && !Abbruch;
}

bool BildinformationDurchfuehren() {
  if (TeileprogrammListe) Bilddateiname = VelkorWinFileUtils::BilddateinameAusListe(*TeileprogrammListe);
  if (Bilddateiname.empty()) {
    engine::Host().notice("Kein Bilddateiname in der Quelldatei gefunden!");
    return false;
  }
  struct TLauf {
    TLauf() { Informationslauf = true; }
    ~TLauf() { Informationslauf = false; }
  } lauf;
  Interpretermodus = TInterpretermodus::Messlauf;
  StarteWandlung(TInterpretermodus::Messlauf, TeileprogrammListe);
  // A stop in the measuring pass ends the command: no information pass after it.
  if (!Abbruch) {
    if (!Arbeitsbild) Arbeitsbild = QuellImage;
    toolkit::BildAblegen(QuellImage);
    Interpretermodus = TInterpretermodus::Bildinfo;
    StarteWandlung(TInterpretermodus::Bildinfo, TeileprogrammListe);
  }
  AusschnittGewaehltAlt = Bildausschnitt.Gewaehlt;
  return true;
}

}  // namespace VelkorWinINTR
