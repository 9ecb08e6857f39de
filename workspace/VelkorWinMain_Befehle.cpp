// The main window's commands that start, watch and stop a run, the toggles, and the
// colour-table entries' side of the main window.

#include "engine/EngineHost.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "toolkit/Bildablage.h"
#include "toolkit/Text.h"
#include "imageprep/VelkorFarbabwahlUnit.h"
#include "imageprep/VelkorFarbtabellen.h"
#include "toolkit/qt/Fensterliste.h"
#include "workspace/FensterHost.h"
#include "workspace/VelkorWinMain.h"
#include "workspace/VelkorZeichensatzWahl.h"

namespace workspace {

using namespace VelkorWinVAR;

namespace {

void Hinweis(const char* utf8) { engine::Host().notice(toolkit::Ansi(utf8)); }

// Kopfzeilen exist only while a command runs: empty at its start, emptied at its end.
class TKopfzeilen {
public:
  TKopfzeilen() { Kopfzeilen.clear(); }
  ~TKopfzeilen() { Kopfzeilen.clear(); }
};

// The image name from the part program; false after the notice when there is none.
bool BildnameAusTeileprogramm() {
  if (TeileprogrammListe && !TeileprogrammListe->empty()) {
    Bilddateiname = VelkorWinFileUtils::BilddateinameAusListe(*TeileprogrammListe);
  }
  if (!Bilddateiname.empty()) return true;
  Hinweis("Kein Bilddateiname in der Quelldatei gefunden!");
  return false;
}

// Loads the picture the part program names into QuellImage, fitted into the panel; false
// after the notice when it cannot.
bool BildNeuLaden() {
  return BildnameAusTeileprogramm() && VelkorWinBildZyklus::BilddateiLaden();
}

void BildZaehlen() {
  VelkorWinMOVE::BildFarbenZaehlen(QuellImage);
  VelkorWinMOVE::FarbInfoUebernehmen(Farbtabelle, Farbanzahl);
}

}  // namespace

bool Wandlung() {
  TLaufSperre sperre(TLaufArt::Wandlung);
  if (!sperre.Erteilt()) return false;
  TKopfzeilen kopfzeilen;
  VelkorWinINTR::WandlungDurchfuehren();
  return true;
}

bool Bildinformation() {
  if (LaufAktiv()) return false;
  if (!BildnameAusTeileprogramm()) return true;
  return LaufUnterSperre(TLaufArt::Bildinformation, [] { VelkorWinINTR::BildinformationDurchfuehren(); });
}

bool LaufUnterSperre(TLaufArt art, const std::function<void()>& pass) {
  TLaufSperre sperre(art);
  if (!sperre.Erteilt()) return false;
  TKopfzeilen kopfzeilen;
  pass();
  Fortsetzen = true;
  return true;
}

void AbbruchFragen() {
  static bool gefragt = false;  // one question at a time
  if (!LaufAktiv() || gefragt) return;
  gefragt = true;
  const bool ja = engine::Host().confirm("Wandlung von Datei " + KonfigBlock.Arbeitsdateiname + " abbrechen?");
  gefragt = false;
  if (!ja || !LaufAktiv()) return;
  Abbruch = WandlungsFehler = true;
  VelkorWinINTR::AbbruchzeileSchreiben();  // an information run writes nothing into the target
}

void WandlungFortsetzen() {
  if (!Fortsetzen && Interpretermodus == TInterpretermodus::Wandlung) Fortsetzen = true;
}

void BildSpiegelnUmschalten() {
  BildSpiegeln = !BildSpiegeln;
  Hinweis(BildSpiegeln ? "Das Bild wird bei der Wandlung horizontal gespiegelt!"
                       : "Das Bild wird bei der Wandlung nicht gespiegelt!");
}

void BildSpiegelnSetzen() {
  BildSpiegeln = true;
  Hinweis("Das Bild wird bei der Wandlung horizontal gespiegelt!");
}

void SpiegelschriftUmschalten() {
  KonfigBlock.Spiegelschrift = !KonfigBlock.Spiegelschrift;
  Hinweis(KonfigBlock.Spiegelschrift ? "Spiegelschrift eingeschaltet!" : "Spiegelschrift ausgeschaltet!");
}

void KreisschriftUmschalten() {
  KreistextNachInnen = !KreistextNachInnen;
  Hinweis(KreistextNachInnen ? "Kreistexte werden nach innen gewandelt!" : "Kreistexte werden nach außen gewandelt!");
}

bool StrgTaste(int taste, bool spiegelnSetzt) {
  switch (taste) {
    case 'H':
      if (spiegelnSetzt) BildSpiegelnSetzen();
      else BildSpiegelnUmschalten();
      return true;
    case 'K': KreisschriftUmschalten(); return true;
    case 'M': SpiegelschriftUmschalten(); return true;
    case 'S': KonfigBlock.TestschalterS = !KonfigBlock.TestschalterS; return true;
    case 'T': KonfigBlock.TestschalterT = !KonfigBlock.TestschalterT; return true;
    case 'W': toolkit::qt::FensterZeigen<TVelkorZeichensatzForm>(); return true;
    default: return false;
  }
}

void FarbtabellenFenster(imageprep::TTabellenArt art) {
  if (LaufAktiv() || !BildNeuLaden()) return;
  BildZaehlen();
  if (VelkorWinMOVE::BildHatWenigFarben()) imageprep::TabellenfensterZeigen(art);
  else Hinweis("Diese Funktion ist nur bei Bildern mit max. 16 Farben sinnvoll!");
}

void FarbflaecheAusschneiden() {
  if (LaufAktiv()) return;
  if (!BildGeladen && !BildNeuLaden()) return;
  BildZaehlen();
  if (VelkorWinMOVE::BildHatWenigFarben()) toolkit::qt::FensterZeigen<TVelkorAusschneidForm>();
}

void Farbabwahl() {
  if (LaufAktiv()) return;
  if (Farbanzahl == 0 && !BildnameAusTeileprogramm()) return;
  if (Farbanzahl > 16) {
    {
      TWarteZeiger zeiger;
      toolkit::BildAblegen(QuellImage);
    }
    toolkit::qt::FensterZeigen<TVelkorFarbabwahlForm>();
  } else {
    Hinweis("Diese Farbabwahl ist nur bei mehr als 16 Farben wirksam!");
  }
}

}  // namespace workspace
