#include "engine/VelkorWinLinienFraesUnit.h"

#include <algorithm>

#include "engine/EngineHost.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"

namespace VelkorWinLinienFraesUnit {

using namespace VelkorWinVAR;
using VelkorWinGrvTXT::BohrzyklusAktiv;
using VelkorWinGrvTXT::Eilgang;
using VelkorWinGrvTXT::WerkzeugUnten;

namespace {

// One run of a line-wise or column-wise driver over Zyklusbild within
// Bearbeitungsbereich. A line ("Bahn") is a row or a column; a place ("Stelle") is a
// pixel's number along its line: the column in a row, the row in a column.
class TBahnfraeser {
public:
  TBahnfraeser(TBahnart Art, bool Grau)
      : spalten_(Art == TBahnart::Spalten), grau_(Grau), werte_(VelkorWinMOVE::FarbwerteJeIndex(Grau)) {
    const auto& b = Bearbeitungsbereich;
    links_ = b.Links, oben_ = b.Oben;
    erste_ = spalten_ ? b.Oben : b.Links;
    letzte_ = spalten_ ? b.Unten : b.Rechts;
    letzteBahn_ = spalten_ ? b.Rechts : b.Unten;
  }

  void Fraesen(int Startspalte, int Startzeile);

private:
  // ---- the pixels of the line in hand ----
  int Spalte(int Stelle) const { return spalten_ ? bahn_ : Stelle; }
  int Zeile(int Stelle) const { return spalten_ ? Stelle : bahn_; }
  void BahnLesen(int Bahn) {
    bahn_ = Bahn;
    const auto& bild = VelkorWinBildZyklus::Zyklusbild;
    const int laenge = std::max(letzte_ - erste_ + 1, 0);
    farben_.assign(static_cast<std::size_t>(laenge), -1);
    indizes_.assign(static_cast<std::size_t>(laenge), -1);
    if (spalten_) {
      for (int i = 0; i < laenge; ++i) farben_[static_cast<std::size_t>(i)] = bild.Pixel(Bahn - links_, i);
    } else if (Bahn - oben_ >= 0 && Bahn - oben_ < bild.Height()) {
      std::vector<TColor> zeile(static_cast<std::size_t>(bild.Width()));
      bild.ReadRow(Bahn - oben_, zeile);
      std::copy_n(zeile.begin(), std::min(zeile.size(), farben_.size()), farben_.begin());
    }
    TColor letzte = -1;
    std::int32_t index = -1;
    for (std::size_t i = 0; i < farben_.size(); ++i) {
      if (farben_[i] == -1) continue;  // outside the picture
      if (farben_[i] != letzte) index = VelkorWinMOVE::FarbIndex(letzte = farben_[i]);
      indizes_[i] = index;
    }
  }
  std::int32_t Index(int Stelle) const { return indizes_[static_cast<std::size_t>(Stelle - erste_)]; }
  TColor Farbe(int Stelle) const { return farben_[static_cast<std::size_t>(Stelle - erste_)]; }
  TArbeitsmodus Modus(int Stelle) const { return werte_.Modus(Index(Stelle)); }
  double Tiefe(int Stelle) const { return werte_.Tiefen[static_cast<std::size_t>(Index(Stelle))]; }
  bool InBahn(int Stelle) const { return Stelle >= erste_ && Stelle <= letzte_; }
  // Two neighbouring pixels of one mode belong to one run: of one colour, or in the grey
  // driver of one depth (a milled grey run goes on across depth changes, see Grenze).
  bool GleicherAbschnitt(int a, int b) const { return grau_ ? Tiefe(a) == Tiefe(b) : Index(a) == Index(b); }

  // ---- moves, all from the interpreter's current position ----
  bool Absolut() const { return VelkorWinGrvTXT::AbsolutMass; }
  TEbene Ebene() const { return VelkorWinINTR::Ebene; }
  VelkorWinMATH::TPunkt3D& Ziel() { return VelkorWinGrvTXT::Zielpunkt; }
  VelkorWinMATH::TPunkt3D& Position() { return VelkorWinINTR::AktPosition; }
  void Pixel(int Stelle) {
    VelkorWinMOVE::PixelAnfahren(Absolut(), Ebene(), Spalte(Stelle), Zeile(Stelle), Ziel(), Position());
  }
  void TiefeFahren(double t) { VelkorWinMOVE::TiefeAnfahren(Absolut(), Ebene(), t, Ziel(), Position()); }
  void Hochfahren() {
    Eilgang = true;
    VelkorWinMOVE::StarthoeheAnfahren(Absolut(), Ebene(), Ziel(), Position());
  }
  // Over the line: its row (second axis) or its column (first axis).
  void BahnAnfahren() {
    if (spalten_) VelkorWinMOVE::SpalteAnfahren(Absolut(), Ebene(), bahn_, Ziel(), Position());
    else VelkorWinMOVE::ZeileAnfahren(Absolut(), Ebene(), bahn_, Ziel(), Position());
  }
  // The run-in point before the line's first pixel, at the place given.
  void AnlaufAnfahren(int Stelle) {
    if (spalten_) VelkorWinMOVE::SpaltenAnlaufAnfahren(Absolut(), Ebene(), bahn_, std::max(Stelle, erste_), Ziel(), Position());
    else VelkorWinMOVE::ZeilenAnlaufAnfahren(Absolut(), Ebene(), Stelle, bahn_, Ziel(), Position());
  }
  void UeberlaufAnfahren() {
    if (spalten_) VelkorWinMOVE::SpaltenUeberlaufAnfahren(Absolut(), Ebene(), Ziel(), Position());
    else VelkorWinMOVE::ZeilenUeberlaufAnfahren(Absolut(), Ebene(), Ziel(), Position());
  }
  // Over the pixel a backward run starts at.
  void UeberStelle(int Stelle) {
    if (spalten_) Pixel(Stelle);
    else VelkorWinMOVE::SpalteAbsolutAnfahren(Absolut(), Ebene(), Stelle, Ziel(), Position());
  }
  // The tool of a milled run cuts on to the pixel at the run's depth: the line-wise colour
  // driver through the line-wise milling step (the colour's own speed), the others at feed.
  void Schneiden(int Stelle, std::int32_t Laufindex) {
    if (grau_ || spalten_) {
      Eilgang = false;
      Pixel(Stelle);
    } else {
      VelkorWinGrvTXT::ZeilenabschnittFraesen(Farbtabelle[static_cast<std::size_t>(Laufindex)].Farbe,
                                             static_cast<std::uint16_t>(Stelle), static_cast<std::uint16_t>(bahn_),
                                             BohrzyklusAktiv, Ziel(), Position(), VelkorWinGrvTXT::Sicherheitsabstand);
    }
  }
  bool Eilgangfarbe(std::int32_t Laufindex) const {
    return !grau_ && !spalten_ && VelkorWinMOVE::Farbgeschwindigkeit(Farbtabelle[static_cast<std::size_t>(Laufindex)].Farbe);
  }

  bool Stoppwunsch() const { return Abbruch || (spalten_ && WandlungsFehler); }
  // A stop request: the line, and true. Inside a run WandlungsFehler is set as well.
  bool Gestoppt(bool ImLauf) const {
    if (!Stoppwunsch()) return false;
    VelkorWinINTR::AbbruchzeileSchreiben();
    if (ImLauf) WandlungsFehler = true;
    return true;
  }

  bool Durchgang(int Start, int Richtung, int& Ende);
  bool Stichellauf(int& Stelle, int Richtung);
  bool Fraeslauf(int& Stelle, int Richtung);
  bool Luecke(int& Stelle, int Richtung);
  void Grenze(int Letzte, int Naechste, std::int32_t Laufindex);

  bool spalten_;
  bool grau_;
  VelkorWinMOVE::TFarbwerte werte_;  // per index of Farbtabelle
  int links_ = 0, oben_ = 0;
  int erste_ = 0, letzte_ = -1;  // places of a line
  int letzteBahn_ = -1;
  std::vector<TColor> farben_;       // per place of the line in hand
  std::vector<std::int32_t> indizes_;
  int bahn_ = 0;
  std::int32_t letzterLauf_ = -1;    // colour index of the milled run last under way
};

// One pass along the line from `Start` in `Richtung` (+1 forward, -1 backward). `Ende` is
// the place where it ended (just beyond the line). False on a stop.
bool TBahnfraeser::Durchgang(int Start, int Richtung, int& Ende) {
  int stelle = Start;
  while (InBahn(stelle)) {
    if (Gestoppt(false)) return false;
    bool weiter = true;
    switch (Modus(stelle)) {
      case TArbeitsmodus::Sticheln: weiter = Stichellauf(stelle, Richtung); break;
      case TArbeitsmodus::Fraesen: weiter = Fraeslauf(stelle, Richtung); break;
      default: weiter = Luecke(stelle, Richtung); break;
    }
    if (!weiter) return false;
  }
  Ende = stelle;
  return true;
}

// Engraving points of one colour (one depth) one by one; the drilling cycle they opened
// is closed where the run ends, before any other move.
bool TBahnfraeser::Stichellauf(int& Stelle, int Richtung) {
  VelkorWinGrvTXT::AktArbeitsmodus = TArbeitsmodus::Sticheln;
  if (WerkzeugUnten) Hochfahren();
  const int anfang = Stelle;
  do {
    VelkorWinMOVE::PixelSticheln(Absolut(), Ebene(), Farbe(Stelle), Spalte(Stelle), Zeile(Stelle), Ziel(), Position());
    Stelle += Richtung;
    if (Gestoppt(true)) return false;
  } while (InBahn(Stelle) && Modus(Stelle) == TArbeitsmodus::Sticheln && GleicherAbschnitt(anfang, Stelle));
  VelkorWinGrvTXT::BohrzyklusSchliessen();
  if (InBahn(Stelle)) {
    Eilgang = true;
    Pixel(Stelle);
  }
  return true;
}

// Pixels of mode "ohne": crossed at the start height. Forward the tool moves on to the
// next worked pixel; backward that pixel's run positions itself.
bool TBahnfraeser::Luecke(int& Stelle, int Richtung) {
  VelkorWinGrvTXT::AktArbeitsmodus = TArbeitsmodus::ohne;
  if (WerkzeugUnten) Hochfahren();
  do {
    Stelle += Richtung;
    if (InBahn(Stelle) && Gestoppt(false)) return false;
  } while (InBahn(Stelle) && Modus(Stelle) == TArbeitsmodus::ohne);
  if (InBahn(Stelle) && Richtung > 0) {
    Eilgang = true;
    Pixel(Stelle);
  }
  return true;
}

// Between two milled pixels of different runs: the deeper side never cuts into the
// shallower one. A run as deep as the next or deeper ends on its last pixel and the tool
// rises there; a shallower run cuts on onto the next pixel and the tool plunges there.
// The grey driver without KonturKantigFraesen ramps from the last pixel to the next.
void TBahnfraeser::Grenze(int Letzte, int Naechste, std::int32_t Laufindex) {
  const double alt = Tiefe(Letzte), neu = Tiefe(Naechste);
  if (grau_ && !KonturKantigFraesen) {
    Schneiden(Letzte, Laufindex);
    VelkorWinCIRC::Tiefenachse(Ebene(), Ziel()) = neu;
    Pixel(Naechste);
    return;
  }
  Schneiden(alt <= neu ? Letzte : Naechste, Laufindex);
  Eilgang = false;  // a plunge is never a rapid move
  TiefeFahren(neu);
}

// Milled pixels: run-in or positioning, the plunge, the cut along the run and across
// depth changes, and its end: on the last pixel inside the line, or cut on past the
// line's end and back to the start height.
bool TBahnfraeser::Fraeslauf(int& Stelle, int Richtung) {
  VelkorWinGrvTXT::AktArbeitsmodus = TArbeitsmodus::Fraesen;
  if (!WerkzeugUnten) {
    Eilgang = true;
    if (Richtung > 0 && Stelle == erste_) {  // the line's start: the tool runs in from outside
      Hochfahren();
      if (grau_ && !spalten_) Pixel(Stelle);
      else AnlaufAnfahren(Stelle);
    } else if (Richtung < 0) {
      // Backward the run starts over its first pixel, or at the line's end beyond it.
      if (Stelle < letzte_) UeberStelle(Stelle);
      else UeberlaufAnfahren();
    }
    VelkorWinMOVE::SicherheitsabstandAnfahren(Absolut(), Ebene(), Ziel(), Position());
  }
  Eilgang = false;
  TiefeFahren(Tiefe(Stelle));
  WerkzeugUnten = true;
  std::int32_t lauf = Index(Stelle);
  int letzte = Stelle;
  for (;;) {
    Stelle += Richtung;
    if (Gestoppt(true)) return false;
    if (!InBahn(Stelle) || Modus(Stelle) != TArbeitsmodus::Fraesen) break;
    if (!GleicherAbschnitt(letzte, Stelle)) {
      Grenze(letzte, Stelle, lauf);
      lauf = Index(Stelle);
    }
    letzte = Stelle;
  }
  letzterLauf_ = lauf;
  if (InBahn(Stelle)) {  // the next pixel is not milled: end on the run's last pixel
    Schneiden(letzte, lauf);
  } else if (Richtung > 0) {
    Eilgang = Eilgangfarbe(lauf);
    UeberlaufAnfahren();
    Hochfahren();
  }
  // Backward, a run that reaches the line's start is cut out by the pass's end.
  return true;
}

void TBahnfraeser::Fraesen(int Startspalte, int Startzeile) {
  auto& host = engine::Host();
  if (KonfigBlock.GrafikEin && !(grau_ && spalten_)) host.selectPen(KonfigBlock.AktWerkzeug.Zeichenfarbe, 4);
  if (grau_) {
    Ziel() = Position();
    if (!spalten_) {  // the grey line-wise driver starts over its first pixel
      bahn_ = Startzeile;
      Pixel(Startspalte);
    }
  } else {
    if (spalten_) VelkorWinMOVE::StartAnlaufSpalteAnfahren(Absolut(), Ebene(), Ziel(), Position());
    else VelkorWinMOVE::StartAnlaufZeileAnfahren(Absolut(), Ebene(), Ziel(), Position());
    Ziel() = Position();
  }
  int bahn = spalten_ ? Startspalte : Startzeile;
  while (bahn <= letzteBahn_) {
    if (spalten_ ? Stoppwunsch() : Gestoppt(false)) return;
    WerkzeugUnten = false;
    BahnLesen(bahn);
    BahnAnfahren();
    if (spalten_) AnlaufAnfahren(erste_);  // every column begins at its run-in point
    int ende = erste_;
    if (!Durchgang(erste_, 1, ende)) return;
    ++bahn;
    if (!KonfigBlock.bidirektional_bearbeiten || bahn > letzteBahn_) continue;
    BahnLesen(bahn);
    BahnAnfahren();
    if (spalten_) UeberlaufAnfahren();  // the next column is taken up from its overrun point
    int stelle = erste_;
    if (!Durchgang(std::min(ende, letzte_), -1, stelle)) return;
    // Row-wise the backward pass always ends at the run-in point; column-wise only a
    // milled run that reached the top is cut out there.
    if (!spalten_ || WerkzeugUnten) {
      if (WerkzeugUnten) Eilgang = Eilgangfarbe(letzterLauf_);
      AnlaufAnfahren(stelle);
      Hochfahren();
    }
    ++bahn;
    if (!spalten_ && bahn <= letzteBahn_) VelkorWinMOVE::ZeileAnfahren(Absolut(), Ebene(), bahn, Ziel(), Position());
  }
  if (spalten_ && Stoppwunsch()) return;  // column-wise a stop leaves out the final retract
  VelkorWinGrvTXT::BohrzyklusSchliessen();
  Eilgang = true;
  VelkorWinCIRC::Tiefenachse(Ebene(), Ziel()) = VelkorWinCIRC::Tiefenachse(Ebene(), VelkorWinGrvTXT::Zyklusstartpunkt);
  VelkorWinGrvTXT::FahreNach(Absolut(), Position(), Ziel());
}

}  // namespace

void BahnweiseFraesen(TBahnart Art, bool Grau, int Startspalte, int Startzeile) {
  const VelkorWinMOVE::TGrautiefen grautiefen(Grau);  // engraving points and cuts take the grey depth
  TBahnfraeser(Art, Grau).Fraesen(Startspalte, Startzeile);
}

void FarbbildZeilenweiseFraesen(int /*Startspalte*/, int Startzeile) {
  BahnweiseFraesen(TBahnart::Zeilen, false, Bearbeitungsbereich.Links, Startzeile);
}

void GraubildZeilenweiseFraesen(int Startspalte, int Startzeile) {
  VelkorWinMOVE::BildFarbenNachzaehlen(VelkorWinBildZyklus::Zyklusbild);
  BahnweiseFraesen(TBahnart::Zeilen, true, Startspalte, Startzeile);
}

}  // namespace VelkorWinLinienFraesUnit
