#include "imageprep/BildausschnittModell.h"

#include <algorithm>
#include <cmath>

#include "engine/VelkorWinUTIL.h"
#include "engine/VelkorWinVAR.h"
#include "imageprep/Bildzustand.h"
#include "toolkit/Bildablage.h"
#include "toolkit/Text.h"
#include "toolkit/qt/Dialoge.h"

namespace imageprep {

namespace var = VelkorWinVAR;

namespace {

bool Zwischen(int wert, int von, int bis) { return von <= wert && wert <= bis; }

// |spanne| / n, empty without a divisor.
std::string MmProPixel(double spanne, int n) {
  if (n <= 0) return {};
  return VelkorWinUTIL::KommentarZahl(std::fabs(spanne) / n);
}

std::uint16_t Wort(int wert) { return static_cast<std::uint16_t>(std::clamp(wert, 0, 65535)); }

}  // namespace

void TBAModell::Vorbereiten(const toolkit::TBitmap& Bild, bool NurGroesse) {
  bild_ = Bild;
  ausgang_ = Bild;
  groessenwahl_ = NurGroesse;
  ausschnittAngenommen_ = false;
  faktor_ = 1.0;
  var::Gesamtbildverkleinerung = 1.0;
  var::AnfangsbildverkleinerungX = var::AnfangsbildverkleinerungY = 1.0L;
  grob_ = fein_ = BalkenMitte;
  griff_ = TGreifzone::keine;
  zeigerX_ = zeigerY_ = vorigX_ = vorigY_ = 0;
  bearbeitungVorher_.reset();
  arbeitVorher_.reset();
  if (!var::Arbeitsbild || NurGroesse) var::Arbeitsbild = Bild;
  StartAusschnitt();
}

void TBAModell::StartAusschnitt() {
  const int w = bild_.Width(), h = bild_.Height();
  // A picture too small for the inset keeps its whole extent on that axis.
  ausschnitt_.Links = w >= 21 ? 10 : 0;
  ausschnitt_.Rechts = w >= 21 ? w - 10 : w;
  ausschnitt_.Oben = h >= 21 ? 10 : 0;
  ausschnitt_.Unten = h >= 21 ? h - 10 : h;
}

void TBAModell::Begrenzen() {
  const int w = bild_.Width(), h = bild_.Height();
  ausschnitt_.Links = std::clamp(ausschnitt_.Links, 0, w);
  ausschnitt_.Rechts = std::clamp(ausschnitt_.Rechts, 0, w);
  ausschnitt_.Oben = std::clamp(ausschnitt_.Oben, 0, h);
  ausschnitt_.Unten = std::clamp(ausschnitt_.Unten, 0, h);
}

// The zones in the order a press tries them; the pointer shape tries the right edge before
// the top edge.
TGreifzone TBAModell::Zone(int x, int y, bool rechtsVorOben) const {
  if (groessenwahl_) return TGreifzone::keine;
  const auto& a = ausschnitt_;
  const int mx = (a.Links + a.Rechts) / 2, my = (a.Oben + a.Unten) / 2;
  const bool oben = Zwischen(y, a.Oben - 5, a.Oben + 5) && Zwischen(x, mx - 10, mx + 10);
  const bool rechts = Zwischen(x, a.Rechts - 5, a.Rechts + 5) && Zwischen(y, my - 10, my + 10);
  const auto eckeX = [&](int kante) { return Zwischen(x, kante - 10, kante + 10); };
  const auto eckeY = [&](int kante) { return Zwischen(y, kante - 10, kante + 10); };
  if (Zwischen(x, a.Links + 20, a.Rechts - 20) && Zwischen(y, a.Oben + 20, a.Unten - 20)) return TGreifzone::innen;
  if (eckeX(a.Links) && Zwischen(y, my - 10, my + 10)) return TGreifzone::links;
  if (rechtsVorOben && rechts) return TGreifzone::rechts;
  if (oben) return TGreifzone::oben;
  if (rechts) return TGreifzone::rechts;
  if (Zwischen(y, a.Unten - 5, a.Unten + 5) && Zwischen(x, mx - 10, mx + 10)) return TGreifzone::unten;
  if (eckeX(a.Links) && eckeY(a.Oben)) return TGreifzone::linksOben;
  if (eckeX(a.Rechts) && eckeY(a.Oben)) return TGreifzone::rechtsOben;
  if (eckeX(a.Rechts) && eckeY(a.Unten)) return TGreifzone::rechtsUnten;
  if (eckeX(a.Links) && eckeY(a.Unten)) return TGreifzone::linksUnten;
  return TGreifzone::keine;
}

void TBAModell::Druecken(int x, int y, bool linkeTaste) {
  zeigerX_ = vorigX_ = x;
  zeigerY_ = vorigY_ = y;
  if (linkeTaste && griff_ == TGreifzone::keine) griff_ = ZoneFuerDruck(x, y);
}

// Moves the bounds the zone holds. `geordnet`: a bound moves only when the section stays
// ordered on its axis (the release).
void TBAModell::Verschieben(TGreifzone zone, int dx, int dy, bool geordnet) {
  auto& a = ausschnitt_;
  const auto links = [&] { if (!geordnet || a.Links + dx < a.Rechts) a.Links += dx; };
  const auto rechts = [&] { if (!geordnet || a.Rechts + dx > a.Links) a.Rechts += dx; };
  const auto oben = [&] { if (!geordnet || a.Oben + dy < a.Unten) a.Oben += dy; };
  const auto unten = [&] { if (!geordnet || a.Unten + dy > a.Oben) a.Unten += dy; };
  switch (zone) {
    case TGreifzone::innen:
      a.Links += dx, a.Rechts += dx, a.Oben += dy, a.Unten += dy;
      break;
    case TGreifzone::links: links(); break;
    case TGreifzone::rechts: rechts(); break;
    case TGreifzone::oben: oben(); break;
    case TGreifzone::unten: unten(); break;
    case TGreifzone::linksOben: links(), oben(); break;
    case TGreifzone::rechtsOben: rechts(), oben(); break;
    case TGreifzone::rechtsUnten: rechts(), unten(); break;
    case TGreifzone::linksUnten: links(), unten(); break;
    case TGreifzone::keine: break;
  }
}

void TBAModell::Ziehen(int x, int y) {
  zeigerX_ = x;
  zeigerY_ = y;
  if (groessenwahl_ || griff_ == TGreifzone::keine) return;
  Verschieben(griff_, x - vorigX_, y - vorigY_, false);
  vorigX_ = x;
  vorigY_ = y;
  Begrenzen();
}

void TBAModell::Loslassen(int x, int y) {
  zeigerX_ = x;
  zeigerY_ = y;
  if (!groessenwahl_ && griff_ != TGreifzone::keine) Verschieben(griff_, x - vorigX_, y - vorigY_, true);
  vorigX_ = x;
  vorigY_ = y;
  griff_ = TGreifzone::keine;
  Begrenzen();
}

void TBAModell::Taste(TBATaste taste, bool strg) {
  if (groessenwahl_) return;
  auto& a = ausschnitt_;
  // An arrow moves the pointer one pixel; with Ctrl also the edge the pointer is on.
  const auto schritt = [&](int& zeiger, int d, TGreifzone zone1, int& kante1, TGreifzone zone2, int& kante2) {
    zeiger += d;
    if (!strg) return;
    const auto zone = ZoneFuerDruck(zeigerX_, zeigerY_);
    if (zone == zone1) kante1 += d;
    else if (zone == zone2) kante2 += d;
  };
  switch (taste) {
    case TBATaste::Ende:
      a.Rechts = bild_.Width();
      a.Unten = bild_.Height();
      break;
    case TBATaste::Pos1:
      a.Links = 0;
      a.Oben = 0;
      break;
    case TBATaste::Links:
    case TBATaste::Rechts:
      schritt(zeigerX_, taste == TBATaste::Links ? -1 : 1, TGreifzone::links, a.Links, TGreifzone::rechts, a.Rechts);
      break;
    case TBATaste::Hoch:
    case TBATaste::Runter:
      schritt(zeigerY_, taste == TBATaste::Hoch ? -1 : 1, TGreifzone::oben, a.Oben, TGreifzone::unten, a.Unten);
      break;
  }
  vorigX_ = zeigerX_;
  vorigY_ = zeigerY_;
  Begrenzen();
}

bool TBAModell::Skalieren(double neuerFaktor) {
  const TBildgroesse ziel = SkalierteGroesse(ausgang_.Width(), ausgang_.Height(), neuerFaktor);
  if (ziel.Breite <= 0 || ziel.Hoehe <= 0) return false;  // too small a factor: no further step
  if (!ImGroessenrahmen(ziel)) {
    toolkit::qt::Hinweis(toolkit::Ansi("Weitere Bildvergrößerung nicht möglich!"));
    return false;
  }
  bild_ = BildSkalieren(ausgang_, ziel);
  faktor_ = neuerFaktor;
  var::Gesamtbildverkleinerung = faktor_;
  return true;
}

void TBAModell::GrobGeaendert(int position) {
  if (!groessenwahl_) return;
  position = std::clamp(position, 0, BalkenMax);
  if (position != grob_) {
    Skalieren(position > grob_ ? faktor_ / 1.1 : faktor_ * 1.1);
    fein_ = BalkenMitte;  // put back without a step
  }
  grob_ = position;
}

void TBAModell::FeinGeaendert(int position) {
  if (!groessenwahl_) return;
  position = std::clamp(position, 0, BalkenMax);
  if (position != fein_) Skalieren(position > fein_ ? faktor_ / 1.01 : faktor_ * 1.01);
  fein_ = position;
}

void TBAModell::Zurueck() {
  if (!groessenwahl_) return;
  bild_ = ausgang_;
  faktor_ = 1.0;
  var::Gesamtbildverkleinerung = 1.0;
  StartAusschnitt();
  grob_ = fein_ = BalkenMitte;
}

bool TBAModell::AusschnittOK() {
  if (groessenwahl_) return false;
  Begrenzen();
  const auto& a = ausschnitt_;
  if (a.Rechts <= a.Links || a.Unten <= a.Oben) {
    toolkit::qt::Hinweis(toolkit::Ansi("Ausschnittgrenzen ändern oder abbrechen!"));
    return false;
  }
  toolkit::TBitmap ausschnitt = ausgang_;
  BildAusschnittKopieren(ausschnitt, a.Links, a.Oben, a.Rechts, a.Unten);
  toolkit::BildAblegen(ausschnitt);
  var::Bildausschnitt = {Wort(a.Links), Wort(a.Oben), Wort(a.Rechts), Wort(a.Unten), true};
  bearbeitungVorher_ = var::Bearbeitungsbild;
  arbeitVorher_ = var::Arbeitsbild;
  var::Bearbeitungsbild = ausschnitt;
  var::Arbeitsbild = ausschnitt;
  ausgang_ = ausschnitt;
  bild_ = std::move(ausschnitt);
  ausschnittAngenommen_ = true;
  groessenwahl_ = true;
  faktor_ = 1.0;
  grob_ = fein_ = BalkenMitte;
  griff_ = TGreifzone::keine;
  AusschnittwahlGesperrt = 1;
  return true;
}

toolkit::TBitmap TBAModell::GroesseOK() {
  toolkit::BildAblegen(bild_);
  var::BildKopie = bild_;
  var::Bearbeitungsbild = bild_;
  var::Gesamtbildverkleinerung = faktor_;
  grob_ = fein_ = BalkenMitte;
  AusschnittwahlGesperrt = 1;
  return bild_;
}

void TBAModell::Abbrechen() {
  var::WandlungsFehler = true;
  AusschnittwahlGesperrt = 1;
  var::Bildausschnitt.Gewaehlt = false;
  if (bearbeitungVorher_) var::Bearbeitungsbild = std::move(*bearbeitungVorher_);
  if (arbeitVorher_) var::Arbeitsbild = std::move(*arbeitVorher_);
  bearbeitungVorher_.reset();
  arbeitVorher_.reset();
  grob_ = 0;
  fein_ = BalkenMitte;
}

int TBAModell::AnzeigeBreite() const { return groessenwahl_ ? bild_.Width() : ausschnitt_.Breite(); }
int TBAModell::AnzeigeHoehe() const { return groessenwahl_ ? bild_.Height() : ausschnitt_.Hoehe(); }

std::string TBAModell::FraesbreiteText() const {
  const auto& b = var::BildFraesbereich;
  return MmProPixel(b.Rechts - b.Links, AnzeigeBreite());
}

std::string TBAModell::FraeshoeheText() const {
  const auto& b = var::BildFraesbereich;
  return MmProPixel(b.Unten - b.Oben, AnzeigeHoehe());
}

std::string TBAModell::Hinweistext() const {
  return "Breite = " + std::to_string(AnzeigeBreite()) + toolkit::Ansi(" Höhe = ") + std::to_string(AnzeigeHoehe());
}

}  // namespace imageprep
