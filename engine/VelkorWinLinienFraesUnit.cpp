#include "engine/VelkorWinLinienFraesUnit.h"

#include <algorithm>

#include "engine/EngineHost.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"

namespace VelkorWinLinienFraesUnit {

using namespace VelkorWinVAR;
using VelkorWinGrvTXT::BohrzyklusAktiv;
using VelkorWinGrvTXT::Eilgang;
using VelkorWinGrvTXT::WerkzeugUnten;

namespace {

// One run of a line-wise driver over Zyklusbild within Bearbeitungsbereich.
class TZeilenfraeser {
public:
  explicit TZeilenfraeser(bool Grau) : grau_(Grau) {
    const auto& b = Bearbeitungsbereich;
    links_ = b.Links, rechts_ = b.Rechts, oben_ = b.Oben, unten_ = b.Unten;
    modi_ = VelkorWinMOVE::ArbeitsmodusJeIndex();
    if (grau_) {
      tiefen_ = VelkorWinGrauwerte::GrautiefeJeIndex();
    } else {
      tiefen_.assign(modi_.size(), 0.0);
      for (std::size_t i = 0; i < modi_.size(); ++i) {
        if (i < KonfigBlock.Farbtiefe.size()) tiefen_[i] = KonfigBlock.Farbtiefe[i];
        else modi_[i] = TArbeitsmodus::ohne;  // no entry of the per-colour tables
      }
    }
    tiefen_.resize(modi_.size(), KonfigBlock.GrauFraestiefe_dunkel);
  }

  void Fraesen(int Startspalte, int Startzeile);

private:
  // ---- the pixels of the row in hand ----
  void ZeileLesen(int Zeile) {
    zeile_ = Zeile;
    const auto& bild = VelkorWinBildZyklus::Zyklusbild;
    const int breite = std::max(rechts_ - links_ + 1, 0);
    farben_.assign(static_cast<std::size_t>(breite), -1);
    indizes_.assign(static_cast<std::size_t>(breite), -1);
    const int y = Zeile - oben_;
    if (y < 0 || y >= bild.Height()) return;
    std::vector<TColor> pixel(static_cast<std::size_t>(bild.Width()));
    bild.ReadRow(y, pixel);
    for (int x = 0; x < breite && x < bild.Width(); ++x) {
      farben_[static_cast<std::size_t>(x)] = pixel[static_cast<std::size_t>(x)];
      indizes_[static_cast<std::size_t>(x)] = VelkorWinMOVE::FarbIndex(pixel[static_cast<std::size_t>(x)]);
    }
  }
  std::int32_t Index(int Spalte) const { return indizes_[static_cast<std::size_t>(Spalte - links_)]; }
  TColor Farbe(int Spalte) const { return farben_[static_cast<std::size_t>(Spalte - links_)]; }
  TArbeitsmodus Modus(int Spalte) const {
    const std::int32_t i = Index(Spalte);
    return i < 0 || static_cast<std::size_t>(i) >= modi_.size() ? TArbeitsmodus::ohne
                                                                 : modi_[static_cast<std::size_t>(i)];
  }
  double Tiefe(int Spalte) const { return tiefen_[static_cast<std::size_t>(Index(Spalte))]; }
  bool InZeile(int Spalte) const { return Spalte >= links_ && Spalte <= rechts_; }
  // Two neighbouring pixels of one mode belong to one run: of one colour, or in the grey
  // driver of one depth (a milled grey run goes on across depth changes, see Grenze).
  bool GleicherAbschnitt(int a, int b) const {
    return grau_ ? Tiefe(a) == Tiefe(b) : Index(a) == Index(b);
  }

  // ---- moves, all from the interpreter's current position ----
  bool Absolut() const { return VelkorWinGrvTXT::AbsolutMass; }
  TEbene Ebene() const { return VelkorWinINTR::Ebene; }
  VelkorWinMATH::TPunkt3D& Ziel() { return VelkorWinGrvTXT::Zielpunkt; }
  VelkorWinMATH::TPunkt3D& Position() { return VelkorWinINTR::AktPosition; }
  void Pixel(int Spalte) { VelkorWinMOVE::PixelAnfahren(Absolut(), Ebene(), Spalte, zeile_, Ziel(), Position()); }
  void TiefeFahren(double t) { VelkorWinMOVE::TiefeAnfahren(Absolut(), Ebene(), t, Ziel(), Position()); }
  void Hochfahren() {
    Eilgang = true;
    VelkorWinMOVE::StarthoeheAnfahren(Absolut(), Ebene(), Ziel(), Position());
  }
  // The tool of a milled run cuts on to the pixel at the run's depth: the colour driver
  // through the line-wise milling step (the colour's own speed), the grey driver at feed.
  void Schneiden(int Spalte, std::int32_t Laufindex) {
    if (grau_) {
      Eilgang = false;
      Pixel(Spalte);
    } else {
      VelkorWinGrvTXT::ZeilenabschnittFraesen(Farbtabelle[static_cast<std::size_t>(Laufindex)].Farbe,
                                             static_cast<std::uint16_t>(Spalte), static_cast<std::uint16_t>(zeile_),
                                             BohrzyklusAktiv, Ziel(), Position(), VelkorWinGrvTXT::Sicherheitsabstand);
    }
  }
  bool Eilgangfarbe(std::int32_t Laufindex) const {
    return !grau_ && VelkorWinMOVE::Farbgeschwindigkeit(Farbtabelle[static_cast<std::size_t>(Laufindex)].Farbe);
  }
  void BohrzyklusSchliessen() {
    if (!BohrzyklusAktiv) return;
    VelkorWinGrvTXT::ZusatzSatzAusgeben();
    BohrzyklusAktiv = false;
  }

  // A stop request: the line, and true. Inside a run WandlungsFehler is set as well.
  static bool Gestoppt(bool ImLauf) {
    if (!Abbruch) return false;
    VelkorWinFileUtils::NcSatzSchreiben(KonfigBlock.Zieldateiname, "Wandlung abgebrochen!");
    if (ImLauf) WandlungsFehler = true;
    return true;
  }

  bool Durchgang(int Startspalte, int Richtung, int& Endspalte);
  bool Stichellauf(int& Spalte, int Richtung);
  bool Fraeslauf(int& Spalte, int Richtung);
  bool Luecke(int& Spalte, int Richtung);
  void Grenze(int Letzte, int Naechste, std::int32_t Laufindex);

  bool grau_;
  int links_ = 0, rechts_ = -1, oben_ = 0, unten_ = -1;
  std::vector<TArbeitsmodus> modi_;  // per index of Farbtabelle
  std::vector<double> tiefen_;
  std::vector<TColor> farben_;       // per column of the row in hand
  std::vector<std::int32_t> indizes_;
  int zeile_ = 0;
  std::int32_t letzterLauf_ = -1;    // colour index of the milled run last under way
};

// One pass over the row from `Startspalte` in `Richtung` (+1 forward, -1 backward).
// `Endspalte` is the column where it ended (just beyond the row). False on a stop.
bool TZeilenfraeser::Durchgang(int Startspalte, int Richtung, int& Endspalte) {
  int spalte = Startspalte;
  while (InZeile(spalte)) {
    if (Gestoppt(false)) return false;
    bool weiter = true;
    switch (Modus(spalte)) {
      case TArbeitsmodus::Sticheln: weiter = Stichellauf(spalte, Richtung); break;
      case TArbeitsmodus::Fraesen: weiter = Fraeslauf(spalte, Richtung); break;
      default: weiter = Luecke(spalte, Richtung); break;
    }
    if (!weiter) return false;
  }
  Endspalte = spalte;
  return true;
}

// Engraving points of one colour (one depth) one by one; the drilling cycle they opened
// is closed where the run ends, before any other move. The tool first stands over the
// run's first point, so a drilling cycle is never called over another pixel.
bool TZeilenfraeser::Stichellauf(int& Spalte, int Richtung) {
  VelkorWinGrvTXT::AktArbeitsmodus = TArbeitsmodus::Sticheln;
  if (WerkzeugUnten) Hochfahren();
  Eilgang = true;
  Pixel(Spalte);
  const int anfang = Spalte;
  do {
    VelkorWinGrvTXT::BildpunktSticheln(Farbe(Spalte), VelkorWinMOVE::Bohrtiefe, BohrzyklusAktiv, Ziel(), Position(),
                                       VelkorWinGrvTXT::Sicherheitsabstand, static_cast<std::uint16_t>(Spalte),
                                       static_cast<std::uint16_t>(zeile_));
    Spalte += Richtung;
    if (Gestoppt(true)) return false;
  } while (InZeile(Spalte) && Modus(Spalte) == TArbeitsmodus::Sticheln && GleicherAbschnitt(anfang, Spalte));
  BohrzyklusSchliessen();
  if (InZeile(Spalte)) {
    Eilgang = true;
    Pixel(Spalte);
  }
  return true;
}

// Pixels of mode "ohne": crossed at the start height. Forward the tool moves on to the
// next worked pixel; backward that pixel's run positions itself.
bool TZeilenfraeser::Luecke(int& Spalte, int Richtung) {
  VelkorWinGrvTXT::AktArbeitsmodus = TArbeitsmodus::ohne;
  if (WerkzeugUnten) Hochfahren();
  do {
    Spalte += Richtung;
    if (InZeile(Spalte) && Gestoppt(false)) return false;
  } while (InZeile(Spalte) && Modus(Spalte) == TArbeitsmodus::ohne);
  if (InZeile(Spalte) && Richtung > 0) {
    Eilgang = true;
    Pixel(Spalte);
  }
  return true;
}

// Between two milled pixels of different runs: the deeper side never cuts into the
// shallower one. A run as deep as the next or deeper ends on its last pixel and the tool
// rises there; a shallower run cuts on onto the next pixel and the tool plunges there.
// The grey driver without KonturKantigFraesen ramps from the last pixel to the next.
void TZeilenfraeser::Grenze(int Letzte, int Naechste, std::int32_t Laufindex) {
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
// depth changes, and its end: on the last pixel inside the row, or cut on past the row's
// end and back to the start height.
bool TZeilenfraeser::Fraeslauf(int& Spalte, int Richtung) {
  VelkorWinGrvTXT::AktArbeitsmodus = TArbeitsmodus::Fraesen;
  if (!WerkzeugUnten) {
    Eilgang = true;
    if (Richtung > 0 && Spalte == links_) {  // the row's start: the colour driver runs in from outside
      Hochfahren();
      if (grau_) Pixel(Spalte);
      else VelkorWinMOVE::ZeilenAnlaufAnfahren(Absolut(), Ebene(), Spalte, zeile_, Ziel(), Position());
    } else if (Richtung < 0) {
      // Backward the run starts over its first pixel, or at the row's end beyond it.
      if (Spalte < rechts_) VelkorWinMOVE::SpalteAbsolutAnfahren(Absolut(), Ebene(), Spalte, Ziel(), Position());
      else VelkorWinMOVE::ZeilenUeberlaufAnfahren(Absolut(), Ebene(), Ziel(), Position());
    }
    VelkorWinMOVE::SicherheitsabstandAnfahren(Absolut(), Ebene(), Ziel(), Position());
  }
  Eilgang = false;
  TiefeFahren(Tiefe(Spalte));
  WerkzeugUnten = true;
  std::int32_t lauf = Index(Spalte);
  int letzte = Spalte;
  for (;;) {
    Spalte += Richtung;
    if (Gestoppt(true)) return false;
    if (!InZeile(Spalte) || Modus(Spalte) != TArbeitsmodus::Fraesen) break;
    if (!GleicherAbschnitt(letzte, Spalte)) {
      Grenze(letzte, Spalte, lauf);
      lauf = Index(Spalte);
    }
    letzte = Spalte;
  }
  letzterLauf_ = lauf;
  if (InZeile(Spalte)) {  // the next pixel is not milled: end on the run's last pixel
    Schneiden(letzte, lauf);
  } else if (Richtung > 0) {
    Eilgang = Eilgangfarbe(lauf);
    VelkorWinMOVE::ZeilenUeberlaufAnfahren(Absolut(), Ebene(), Ziel(), Position());
    Hochfahren();
  }
  // Backward, a run that reaches the row's start is cut out by the pass's end.
  return true;
}

void TZeilenfraeser::Fraesen(int Startspalte, int Startzeile) {
  auto& host = engine::Host();
  if (KonfigBlock.GrafikEin) host.selectPen(KonfigBlock.AktWerkzeug.Zeichenfarbe, 4);
  if (grau_) {
    Ziel() = Position();
    zeile_ = Startzeile;
    Pixel(Startspalte);
  } else {
    VelkorWinMOVE::StartAnlaufZeileAnfahren(Absolut(), Ebene(), Ziel(), Position());
    Ziel() = Position();
  }
  int zeile = Startzeile;
  while (zeile <= unten_) {
    if (Gestoppt(false)) return;
    WerkzeugUnten = false;
    ZeileLesen(zeile);
    VelkorWinMOVE::ZeileAnfahren(Absolut(), Ebene(), zeile, Ziel(), Position());
    int ende = links_;
    if (!Durchgang(links_, 1, ende)) return;
    ++zeile;
    if (!KonfigBlock.bidirektional_bearbeiten || zeile > unten_) continue;
    ZeileLesen(zeile);
    VelkorWinMOVE::ZeileAnfahren(Absolut(), Ebene(), zeile, Ziel(), Position());
    int spalte = links_;
    if (!Durchgang(std::min(ende, rechts_), -1, spalte)) return;
    if (WerkzeugUnten) Eilgang = Eilgangfarbe(letzterLauf_);
    VelkorWinMOVE::ZeilenAnlaufAnfahren(Absolut(), Ebene(), spalte, zeile, Ziel(), Position());
    Hochfahren();
    ++zeile;
    if (zeile <= unten_) VelkorWinMOVE::ZeileAnfahren(Absolut(), Ebene(), zeile, Ziel(), Position());
  }
  BohrzyklusSchliessen();
  Eilgang = true;
  VelkorWinCIRC::Tiefenachse(Ebene(), Ziel()) = VelkorWinCIRC::Tiefenachse(Ebene(), VelkorWinGrvTXT::Zyklusstartpunkt);
  VelkorWinGrvTXT::FahreNach(Absolut(), Position(), Ziel());
}

}  // namespace

void FarbbildZeilenweiseFraesen(int /*Startspalte*/, int Startzeile) {
  TZeilenfraeser(false).Fraesen(Bearbeitungsbereich.Links, Startzeile);
}

void GraubildZeilenweiseFraesen(int Startspalte, int Startzeile) {
  VelkorWinMOVE::BildFarbenNachzaehlen(VelkorWinBildZyklus::Zyklusbild);
  struct TGrautiefen {  // engraving points and cuts take the grey depth while this driver runs
    TGrautiefen() { VelkorWinMOVE::TiefeNachGrauwert = true; }
    ~TGrautiefen() { VelkorWinMOVE::TiefeNachGrauwert = false; }
  } grautiefen;
  TZeilenfraeser(true).Fraesen(Startspalte, Startzeile);
}

}  // namespace VelkorWinLinienFraesUnit
