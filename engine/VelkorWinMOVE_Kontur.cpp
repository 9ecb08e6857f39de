// Contour following: tracing the outlines of chosen colours, their moves, and the two
// passes of the image cycle. A pass reads Zyklusbild once into colour indexes and keeps,
// per colour, the pixels in scan order as start candidates; a visited mask marks what is
// traced. Every pixel is so looked at a fixed number of times: the cost grows linearly
// with the picture.
#include <algorithm>
#include <new>

#include "engine/EngineHost.h"
#include "engine/VelkorWinBildZyklus.h"
#include "engine/VelkorWinCIRC.h"
#include "engine/VelkorWinFileUtils.h"
#include "engine/VelkorWinGrauwerte.h"
#include "engine/VelkorWinGrvTXT.h"
#include "engine/VelkorWinINTR.h"
#include "engine/VelkorWinMOVE.h"
#include "toolkit/Random.h"
#include "toolkit/Text.h"

namespace VelkorWinMOVE {

using namespace VelkorWinVAR;
using VelkorWinCIRC::Tiefenachse;
using VelkorWinGrvTXT::Eilgang;

TKonturliste Konturliste;
TColor Markierfarbe = 0;
TColor Verfolgungsfarbe = -1;
std::uint8_t HelligkeitVerfolgen = 0;
const std::array<TColor, 16> Markierfarben = {0x000000, 0xFF0000, 0x00A800, 0xFFFF00, 0x0000FF, 0xFF00FF,
                                              0x00A854, 0x545454, 0xA8A8A8, 0xA80000, 0x54FE54, 0xFEFE54,
                                              0x00007F, 0xFE54FE, 0x54FEFE, 0xFFFFFF};

namespace {

// Steps of the chain codes.
constexpr int kDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int kDy[8] = {0, -1, -1, -1, 0, 1, 1, 1};

struct TPixel {
  int Spalte = 0, Zeile = 0;
  bool operator==(const TPixel&) const = default;
};

// The state of one contour pass over Zyklusbild.
class TKonturpass {
public:
  // Reads the picture; false after the notice when memory is short.
  bool Beginnen() {
    const auto& bild = VelkorWinBildZyklus::Zyklusbild;
    breite_ = bild.Width();
    hoehe_ = bild.Height();
    fenster_ = Bearbeitungsbereich;
    AusschnittSetzen();
    try {
      const auto pixel = static_cast<std::size_t>(breite_) * static_cast<std::size_t>(hoehe_);
      const std::size_t farben = Benutzt(Farbtabelle, Farbanzahl);
      index_.assign(pixel, -1);
      std::vector<TColor> zeile(static_cast<std::size_t>(breite_));
      std::vector<std::uint32_t> anzahl(farben + 1, 0);
      TColor letzte = -1;
      std::int32_t index = -1;
      for (int y = 0; y < hoehe_; ++y) {
        bild.ReadRow(y, zeile);
        for (int x = 0; x < breite_; ++x) {
          const TColor c = zeile[static_cast<std::size_t>(x)];
          if (c != letzte) index = FarbIndex(letzte = c);
          index_[Platz(x, y)] = index;
          if (index >= 0) ++anzahl[static_cast<std::size_t>(index)];
        }
      }
      // Start candidates: the pixels of each colour in scan order.
      anfang_.assign(farben + 1, 0);
      for (std::size_t i = 0; i < farben; ++i) anfang_[i + 1] = anfang_[i] + anzahl[i];
      kandidaten_.assign(anfang_[farben], 0);
      std::vector<std::uint32_t> frei(anfang_.begin(), anfang_.end() - 1);
      for (std::size_t p = 0; p < pixel; ++p) {
        if (index_[p] >= 0) kandidaten_[frei[static_cast<std::size_t>(index_[p])]++] = static_cast<std::uint32_t>(p);
      }
      grau_.resize(farben);
      for (std::size_t i = 0; i < farben; ++i) grau_[i] = VelkorWinGrauwerte::GrauwertBerechnen(Farbtabelle[i].Farbe);
      markiert_.assign(pixel, false);
      inListe_.assign(pixel, false);
    } catch (const std::bad_alloc&) {
      engine::Host().notice(toolkit::Ansi("Nicht genügend Heapspeicher!"));
      WandlungsFehler = true;
      return false;
    }
    return true;
  }

  // Sets the colour traced from now on.
  void FarbeSetzen(std::int32_t Index) {
    farbe_ = Index;
    naechster_ = Index >= 0 ? anfang_[static_cast<std::size_t>(Index)] : 0;
    Verfolgungsfarbe = Farbtabelle[static_cast<std::size_t>(Index)].Farbe;
  }
  // The next pixel of the colour in scan order that is not yet traced; false when none is
  // left. Candidates passed are never looked at again.
  bool NaechsterStart(TPixel& Start) {
    const auto ende = anfang_[static_cast<std::size_t>(farbe_) + 1];
    while (naechster_ < ende && markiert_[kandidaten_[naechster_]]) ++naechster_;
    if (naechster_ >= ende) return false;
    const std::uint32_t p = kandidaten_[naechster_];
    Start = {static_cast<int>(p % static_cast<std::uint32_t>(breite_)), static_cast<int>(p / static_cast<std::uint32_t>(breite_))};
    return true;
  }

  TPixel Verfolgen(TPixel Start, bool Ausschneiden);
  TPixel Linienanfang(TPixel Start);
  // After the moves: every node's pixel counts as traced and shows the marker colour; the
  // pixels passed outside the section count as traced.
  void Markieren() {
    for (const std::size_t p : aussen_) markiert_[p] = true;
    aussen_.clear();
    auto& bild = VelkorWinBildZyklus::Zyklusbild;
    for (const TKonturpunkt& k : Konturliste) {
      if (k.Trenner()) continue;
      const std::size_t p = Platz(k.Spalte, k.Zeile);
      markiert_[p] = true;
      inListe_[p] = false;
      bild.SetPixel(k.Spalte, k.Zeile, Markierfarbe);
    }
  }
  // Whether (x, y) belongs to the contour being traced: in the window, not yet traced, of
  // the colour (or its grey value).
  bool Innen(int x, int y) const {
    if (x < fenster_.Links || x > fenster_.Rechts || y < fenster_.Oben || y > fenster_.Unten || x >= breite_ ||
        y >= hoehe_) {
      return false;
    }
    const std::size_t p = Platz(x, y);
    if (markiert_[p]) return false;
    const std::int32_t i = index_[p];
    if (HelligkeitVerfolgen == 0) return i == farbe_;
    return i >= 0 && grau_[static_cast<std::size_t>(i)] == grau_[static_cast<std::size_t>(farbe_)];
  }

private:
  // The chosen image section bounds the contours when the picture milled is the one it was
  // chosen on (a picture the section window cut to it is the section already).
  void AusschnittSetzen() {
    ausschnitt_ = {0, 0, static_cast<std::uint16_t>(std::max(breite_ - 1, 0)),
                   static_cast<std::uint16_t>(std::max(hoehe_ - 1, 0))};
    const auto& a = Bildausschnitt;
    if (!FraesbereichGegeben || !a.Gewaehlt || !(a.Links < a.Rechts && a.Oben < a.Unten)) return;
    if (a.Links >= breite_ || a.Oben >= hoehe_) return;  // not a section of this picture
    if (breite_ != QuellImage.Width() || hoehe_ != QuellImage.Height()) return;
    const int rechts = std::min<int>(a.Rechts, breite_ - 1);
    ausschnitt_.Oben = a.Oben;
    ausschnitt_.Unten = std::min(a.Unten, ausschnitt_.Unten);
    // A mirrored picture carries its section mirrored.
    ausschnitt_.Links = static_cast<std::uint16_t>(BildSpiegeln ? breite_ - 1 - rechts : a.Links);
    ausschnitt_.Rechts = static_cast<std::uint16_t>(BildSpiegeln ? breite_ - 1 - a.Links : rechts);
  }
  bool ImAusschnitt(const TPixel& p) const {
    return p.Spalte >= ausschnitt_.Links && p.Spalte <= ausschnitt_.Rechts && p.Zeile >= ausschnitt_.Oben &&
           p.Zeile <= ausschnitt_.Unten;
  }
  std::size_t Platz(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(breite_) + static_cast<std::size_t>(x);
  }
  bool Schritt(TPixel& p, int& d, bool Rechts, int& Code) const;
  void Anhaengen(const TKonturpunkt& k) {
    try {
      Konturliste.push_back(k);
    } catch (const std::bad_alloc&) {
      engine::Host().notice(toolkit::Ansi("Nicht genügend Heapspeicher!"));
    }
  }

  int breite_ = 0, hoehe_ = 0;
  TPixelRechteck fenster_;
  TPixelRechteck ausschnitt_;           // nodes are taken only inside it
  std::vector<std::size_t> aussen_;     // pixels the contour in hand passed outside it
  std::vector<std::int32_t> index_;        // colour index of every pixel
  std::vector<std::int32_t> grau_;         // grey value of every colour index
  std::vector<std::uint32_t> anfang_;      // per colour index: its first start candidate
  std::vector<std::uint32_t> kandidaten_;  // pixels by colour, each in scan order
  std::vector<bool> markiert_;             // traced
  std::vector<bool> inListe_;              // a node of the contour in hand
  std::int32_t farbe_ = -1;
  std::uint32_t naechster_ = 0;
};

// One tracing step from p facing d: three candidates in turn, the first inside taken; the
// facing turns when none is. Links the first candidate lies to the right of the facing and
// turns it right, rechts the other way round. False after four turns without a find.
bool TKonturpass::Schritt(TPixel& p, int& d, bool Rechts, int& Code) const {
  for (int drehung = 0; drehung < 4; ++drehung) {
    const int kandidaten[3] = {Rechts ? (d + 1) & 7 : (d + 7) & 7, d, Rechts ? (d + 7) & 7 : (d + 1) & 7};
    for (int k = 0; k < 3; ++k) {
      const int c = kandidaten[k];
      if (!Innen(p.Spalte + kDx[c], p.Zeile + kDy[c])) continue;
      p = {p.Spalte + kDx[c], p.Zeile + kDy[c]};
      Code = c;
      if (k == 0) d = Rechts ? (d + 2) & 7 : (d + 6) & 7;
      return true;
    }
    d = Rechts ? (d + 6) & 7 : (d + 2) & 7;
  }
  return false;
}

// Traces one contour from `Start` into Konturliste and returns its end point. Pixels of a
// colour that is not cut out count as traced at once, so the trace never comes back on
// itself; a cut-out colour is traced round until it is back at its start (or meets a
// node again), and that point closes the list. Only points inside the section become
// nodes: where the trace leaves the section and comes back, a separator splits the contour.
TPixel TKonturpass::Verfolgen(TPixel Start, bool Ausschneiden) {
  Konturliste.clear();
  aussen_.clear();
  const bool rechts = KonfigBlock.Umlaufsinn == 1;
  int d = rechts ? 2 : 6, code = d;
  TPixel p = Start;
  bool erster = true, verlassen = false;
  // A node at `q`; the first after a stretch outside the section starts a contour of its own.
  auto knoten = [&](const TPixel& q) {
    if (verlassen && !Konturliste.empty() && !Konturliste.back().Trenner()) Anhaengen(KonturTrenner);
    verlassen = false;
    Anhaengen({static_cast<std::uint16_t>(q.Spalte), static_cast<std::uint16_t>(q.Zeile), Verfolgungsfarbe, code});
  };
  // A cut-out trace marks nothing as it goes and outside the section meets no node of its
  // own: the bound keeps one that never comes back to its start from going round for ever.
  std::size_t schritte = 8 * static_cast<std::size_t>(breite_) * static_cast<std::size_t>(hoehe_) + 8;
  for (; schritte > 0; --schritte) {
    const std::size_t platz = Platz(p.Spalte, p.Zeile);
    if (inListe_[platz]) break;  // met a node of this contour again
    if (ImAusschnitt(p)) {
      knoten(p);
      inListe_[platz] = true;
    } else {
      verlassen = true;
      aussen_.push_back(platz);
    }
    if (!Ausschneiden) markiert_[platz] = true;
    TPixel q = p;
    if (!Schritt(q, d, rechts, code)) break;
    // the start takes the first step's code
    if (erster && ImAusschnitt(Start) && !Konturliste.empty()) Konturliste.front().Richtung = code;
    erster = false;
    p = q;
    if (p == Start) break;
  }
  const bool neu = !inListe_[Platz(p.Spalte, p.Zeile)];
  if (ImAusschnitt(p) && (Ausschneiden || neu)) knoten(p);
  Anhaengen(KonturTrenner);
  return p;
}

// The end of the line through `Start`: a walk the other way round, marking as it goes,
// until a step fails or it is back at the start. The pixels passed are given back.
TPixel TKonturpass::Linienanfang(TPixel Start) {
  const bool rechts = KonfigBlock.Umlaufsinn != 1;  // the opposite sense
  int d = rechts ? 2 : 6, code = 0;
  std::vector<std::size_t> begangen;
  TPixel p = Start;
  for (;;) {
    TPixel q = p;
    if (!Schritt(q, d, rechts, code)) break;
    if (q == Start) {  // round a closed line: it starts where it was found
      p = Start;
      break;
    }
    p = q;
    const std::size_t platz = Platz(p.Spalte, p.Zeile);
    markiert_[platz] = true;
    begangen.push_back(platz);
  }
  for (const std::size_t platz : begangen) markiert_[platz] = false;
  return p;
}

bool Gestoppt() { return Abbruch || WandlungsFehler; }

TKonturpass Pass;

// Gives the pass's memory back when a pass ends, however it ends.
struct TPassende {
  ~TPassende() { Pass = {}; }
};

// All contours of the colour set in the pass, in work mode `Modus`: from the first pixel
// in scan order, the next start searched on from there after each contour.
void AlleKonturen(bool Absolut, TEbene Ebene, TPunkt3D& Position, TPunkt3D& Ziel, TArbeitsmodus Modus,
                  bool Linienanfang) {
  TPixel start;
  while (!Gestoppt() && Pass.NaechsterStart(start)) {
    if (Linienanfang) start = Pass.Linienanfang(start);
    Pass.Verfolgen(start, false);
    KonturlisteFahren(Absolut, Ebene, Konturliste, Ziel, Position, Modus);
    Pass.Markieren();
    Konturliste.clear();
  }
}

// The first value of the pseudo-random source (from state 0) that, taken as a 24-bit
// colour, the picture lacks. A picture of every colour keeps the last one drawn.
TColor ZufallsMarkierfarbe() {
  toolkit::RandSeed = 0;
  TColor farbe = 0;
  do {
    farbe = toolkit::Random(2147483647) & 0xFFFFFF;
  } while (FarbeVorhanden(farbe) && Farbanzahl < 0x1000000);
  return farbe;
}

// The first of the marker candidates, from the last on, that the picture lacks; when it
// holds every candidate, the smallest colour value it lacks.
TColor KandidatenMarkierfarbe() {
  for (auto it = Markierfarben.rbegin(); it != Markierfarben.rend(); ++it) {
    if (!FarbeVorhanden(*it)) return *it;
  }
  TColor farbe = 0;
  while (FarbeVorhanden(farbe)) ++farbe;
  return farbe;
}

}  // namespace

void KonturlisteFahren(bool Absolut, TEbene Ebene, const TKonturliste& Liste, TPunkt3D& Ziel, TPunkt3D& Position,
                       TArbeitsmodus Modus) {
  auto& k = KonfigBlock;
  const double sicherheit = VelkorWinGrvTXT::Sicherheitsabstand;
  VelkorWinGrvTXT::WerkzeugUnten = false;
  VelkorWinGrvTXT::AktArbeitsmodus = Modusbyte(Modus);
  TPunkt3D punkt = Ziel;
  std::int32_t stift = 0;
  if (Modus == TArbeitsmodus::Sticheln) {
    for (std::size_t i = 0; i < Liste.size() && !Gestoppt(); ++i) {
      if (!KonturpunktSetzen(Ebene, Liste, i, punkt, stift)) continue;  // separators and the last node
      const double tiefe = Tiefenachse(Ebene, punkt);
      VelkorWinCIRC::EbenenPunktSetzen(Ebene, Ziel, VelkorWinCIRC::EbenenPunkt(Ebene, punkt));
      if (k.Sticheln_im_Zyklus && !VelkorWinGrvTXT::BohrzyklusAktiv) {
        // The drilling cycle is called over the first point, at the start height.
        Tiefenachse(Ebene, Ziel) = Tiefenachse(Ebene, VelkorWinGrvTXT::Zyklusstartpunkt);
        Eilgang = true;
        VelkorWinGrvTXT::FahreNach(Absolut, Position, Ziel);
        VelkorWinGrvTXT::WerkzeugSatzAusgeben(tiefe, sicherheit);
        VelkorWinGrvTXT::BohrzyklusAktiv = true;
        Bohrtiefe = tiefe;
      }
      VelkorWinGrvTXT::PunktSticheln(tiefe, Position, Ziel, k.Sticheln_im_Zyklus, sicherheit);
    }
  } else if (Modus == TArbeitsmodus::Fraesen) {
    // Over the first point of each piece and down; then a cut to every node before a
    // change of direction and to the last node of the piece.
    bool unten = false;
    std::int32_t richtung = 0;
    for (std::size_t i = 0; i < Liste.size() && !Gestoppt(); ++i) {
      const TKonturpunkt& knoten = Liste[i];
      if (knoten.Trenner() || i + 1 == Liste.size()) {
        if (unten && i > 0 && KonturpunktSetzen(Ebene, Liste, i - 1, punkt, stift)) {
          Ziel = punkt;
          VelkorWinGrvTXT::FahreNach(Absolut, Position, Ziel);
        }
        unten = false;
        continue;
      }
      if (!unten) {
        if (!KonturpunktSetzen(Ebene, Liste, i, punkt, stift)) continue;
        UmsetzenUndEintauchen(Absolut, Ebene, knoten.Farbe, punkt, Ziel, Position);
        richtung = knoten.Richtung;
        unten = true;
        continue;
      }
      if (knoten.Richtung != richtung) {
        // the corner: the cut runs to the node before the change
        if (KonturpunktSetzen(Ebene, Liste, i - 1, punkt, stift)) {
          Ziel = punkt;
          VelkorWinGrvTXT::FahreNach(Absolut, Position, Ziel);
        }
        richtung = knoten.Richtung;
      }
    }
    if (!Gestoppt()) {
      VelkorWinGrvTXT::WerkzeugUnten = false;
      Eilgang = true;
      Tiefenachse(Ebene, Ziel) = Tiefenachse(Ebene, VelkorWinGrvTXT::Zyklusstartpunkt);
      VelkorWinGrvTXT::FahreNach(Absolut, Position, Ziel);
    }
  }
  if (!Abbruch) VelkorWinGrvTXT::BohrzyklusSchliessen();
}

void FarbKonturenVerfolgen(bool Absolut, TPunkt3D& Position, TPunkt3D& Ziel) {
  const TPassende passende;
  if (Farbanzahl > 16 || !Pass.Beginnen()) return;
  const auto& k = KonfigBlock;
  const TEbene ebene = VelkorWinINTR::Ebene;
  Markierfarbe = KandidatenMarkierfarbe();
  Ziel = Position;  // the moves start from where the tool stands
  const std::size_t farben = std::min<std::size_t>(Benutzt(Farbtabelle, Farbanzahl), 16);
  for (std::size_t i = 0; i < farben && !Gestoppt(); ++i) {
    if (k.F_Verfolgen[i] != 'J' || Farbtabelle[i].Anzahl == 0) continue;
    Pass.FarbeSetzen(static_cast<std::int32_t>(i));
    const TColor farbe = Verfolgungsfarbe;
    const TArbeitsmodus modus = FarbArbeitsmodus(farbe);
    if (!k.Ausschneidfarben[i]) {
      AlleKonturen(Absolut, ebene, Position, Ziel, modus, false);
    } else {
      TPixel start;
      while (!Gestoppt() && Pass.NaechsterStart(start)) {
        const TPixel ende = Pass.Verfolgen(start, true);
        KonturlisteFahren(Absolut, ebene, Konturliste, Ziel, Position, modus);
        Pass.Markieren();
        Konturliste.clear();
        if (ende == start || Gestoppt()) break;
        if (engine::Host().confirm("Keine geschlossene Kontor! Bearbeitung dieser Farbe trotzdem beenden?")) break;
      }
    }
    ArbeitsfarbeEntfernen(farbe);
  }
}

void ExtraFarbKonturenVerfolgen(bool Absolut, TPunkt3D& Position, TPunkt3D& Ziel) {
  const TPixelRechteck bereich = Bearbeitungsbereich;
  struct TBereichZurueck {
    const TPixelRechteck& alt;
    ~TBereichZurueck() { Bearbeitungsbereich = alt; }
  } zurueck{bereich};
  Bearbeitungsbereich = VelkorWinBildZyklus::Bildrechteck(VelkorWinBildZyklus::Zyklusbild);
  if (Farbanzahl <= 16) return;
  Markierfarbe = ZufallsMarkierfarbe();
  const TPassende passende;
  if (!Pass.Beginnen()) return;
  const auto& k = KonfigBlock;
  const TEbene ebene = VelkorWinINTR::Ebene;
  Ziel = Position;
  auto folgen = [&](TColor Farbe, TArbeitsmodus Modus) {
    const std::int32_t i = FarbIndex(Farbe);
    if (i >= 0 && Farbtabelle[static_cast<std::size_t>(i)].Anzahl > 0) {
      Pass.FarbeSetzen(i);
      AlleKonturen(Absolut, ebene, Position, Ziel, Modus, k.LinienanfangSuchen);
    }
    ArbeitsfarbeEntfernen(Farbe);
  };
  const TArbeitsmodus grundmodus = Modusbyte(k.GrundArbeitsmodus);
  if (k.GrundBesonderheit == TBesonderheit::Farbe_verfolgen && grundmodus != TArbeitsmodus::ohne) {
    const std::size_t farben = Benutzt(Farbtabelle, Farbanzahl);
    for (std::size_t i = 0; i < farben && !Gestoppt(); ++i) {
      const TColor farbe = Farbtabelle[i].Farbe;
      if (!VelkorWinFileUtils::IstExtrafarbe(farbe, Extrafarbliste)) folgen(farbe, grundmodus);
    }
  }
  const std::size_t extras = Benutzt(Extrafarbliste, Extrafarbanzahl);
  for (std::size_t i = 0; i < extras && !Gestoppt(); ++i) {
    const TEF_Datentyp e = Extrafarbliste[i];
    const TArbeitsmodus modus = Modusbyte(e.Arbeitsmodus);
    if (e.Besonderheit == TBesonderheit::Farbe_verfolgen && modus != TArbeitsmodus::ohne) folgen(e.Farbe, modus);
  }
}

void KonturZustandZuruecksetzen() {
  Konturliste.clear();
  Markierfarbe = 0;
  Verfolgungsfarbe = -1;
  HelligkeitVerfolgen = 0;
  Pass = {};
}

}  // namespace VelkorWinMOVE
