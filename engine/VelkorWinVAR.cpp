#include "engine/VelkorWinVAR.h"

namespace VelkorWinVAR {

TKonfigBlock KonfigBlock;

bool Abbruch = false;
bool WandlungsFehler = false;
bool WandlungLaeuft = false;
bool Fortsetzen = true;
bool BildGeaendert = false;
bool GrafikVorhanden = false;
bool KonturKantigFraesen = false;
bool WkzEingabemodus = false;
TInterpretermodus Interpretermodus = TInterpretermodus::Messlauf;

bool KreistextNachInnen = false;
bool BildSpiegeln = false;
bool GrafikbereichAutomatisch = false;
std::uint8_t Zirkularrichtung = 0;

std::optional<TNcZeilen> TeileprogrammListe;

TWeltRechteck Fraesbereich;
bool FraesbereichLeer = true;
TWeltRechteck BildFraesbereich;
std::vector<std::string> Kopfzeilen;
std::string Bilddateiname;
bool FraesbereichGegeben = false;
TBildausschnitt Bildausschnitt;
bool AusschnittGewaehltAlt = false;
double Gesamtbildverkleinerung = 1.0;
std::uint16_t BildOrigBreite = 0, BildOrigHoehe = 0;
long double AnfangsbildverkleinerungX = 1.0L, AnfangsbildverkleinerungY = 1.0L;
std::int32_t Bildbreite = 0;
std::int32_t Bildhoehe = 0;
double Fraeszeilenhoehe = 0.0;
double Fraesspaltenbreite = 0.0;
TPixelRechteck Bearbeitungsbereich;
std::vector<TFarbInfo> Farbtabelle;
std::int32_t Farbanzahl = 0;
std::int32_t Pixelanzahl = 0;
std::vector<TFarbInfo> Quellfarbtabelle;
std::int32_t Quellfarbanzahl = 0;
std::vector<std::int32_t> Grauwerttabelle;
std::int32_t Grauwertanzahl = 0;
std::vector<TColor> Arbeitsfarben;
std::int32_t Arbeitsfarbanzahl = 0;
std::vector<TEF_Datentyp> Extrafarbliste;
std::int32_t Extrafarbanzahl = 0;
toolkit::TBitmap QuellImage;
toolkit::TBitmap Bearbeitungsbild;
toolkit::TBitmap BildKopie;
std::optional<toolkit::TBitmap> Arbeitsbild;
bool BildGeladen = false;

void ResetState() {
  KonfigBlock = TKonfigBlock{};
  Abbruch = false;
  WandlungsFehler = false;
  WandlungLaeuft = false;
  Fortsetzen = true;
  BildGeaendert = false;
  GrafikVorhanden = false;
  KonturKantigFraesen = false;
  WkzEingabemodus = false;
  Interpretermodus = TInterpretermodus::Messlauf;
  KreistextNachInnen = false;
  BildSpiegeln = false;
  GrafikbereichAutomatisch = false;
  Zirkularrichtung = 0;
  TeileprogrammListe.reset();
  Fraesbereich = {};
  FraesbereichLeer = true;
  BildFraesbereich = {};
  Kopfzeilen.clear();
  Bilddateiname.clear();
  FraesbereichGegeben = false;
  Bildausschnitt = {};
  AusschnittGewaehltAlt = false;
  Gesamtbildverkleinerung = 1.0;
  BildOrigBreite = BildOrigHoehe = 0;
  AnfangsbildverkleinerungX = AnfangsbildverkleinerungY = 1.0L;
  Bildbreite = 0;
  Bildhoehe = 0;
  Fraeszeilenhoehe = 0.0;
  Fraesspaltenbreite = 0.0;
  Bearbeitungsbereich = {};
  Farbtabelle.clear();
  Farbanzahl = 0;
  Pixelanzahl = 0;
  Quellfarbtabelle.clear();
  Quellfarbanzahl = 0;
  Grauwerttabelle.clear();
  Grauwertanzahl = 0;
  Arbeitsfarben.clear();
  Arbeitsfarbanzahl = 0;
  Extrafarbliste.clear();
  Extrafarbanzahl = 0;
  QuellImage = {};
  Bearbeitungsbild = {};
  BildKopie = {};
  Arbeitsbild.reset();
  BildGeladen = false;
}

}  // namespace VelkorWinVAR
