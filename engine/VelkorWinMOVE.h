#pragma once
// The image colour table (the distinct colours of a picture in the order of their first
// appearance, with the grey value of each and the colours an image cycle mills) and the
// pixel-to-move builders of the image milling: each builder changes the coordinates it
// names in the working point and hands it to FahreNach.
//
// Lookups go through an index that follows Farbtabelle (appended entries are added to it,
// any other change rebuilds it), so a lookup costs the same whatever the colour count.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/VelkorWinVAR.h"
#include "toolkit/Bitmap.h"

namespace VelkorWinMOVE {

using VelkorWinMATH::TPunkt3D;
using VelkorWinVAR::TArbeitsmodus;
using VelkorWinVAR::TColor;
using VelkorWinVAR::TEbene;
using VelkorWinVAR::TFarbInfo;

// ---- Colour table (VelkorWinMOVE.cpp) ----

// Counts the picture afresh into Farbtabelle: Farbanzahl, Pixelanzahl, and the grey table
// rebuilt for the new colours. Pending messages are processed once per pixel; a count
// asked for while one runs is refused (nothing changes).
void BildFarbenZaehlen(const toolkit::TBitmap& Bild);
// Counts again into the table that stands: every colour keeps its index (and so its
// per-colour settings), colours no longer there keep Anzahl 0, new ones are appended.
void BildFarbenNachzaehlen(const toolkit::TBitmap& Bild);
// True when QuellImage holds at most 16 colours (an empty picture too); the colour table
// is left alone.
bool BildHatWenigFarben();

// Index of the colour among the used entries of Farbtabelle, -1 when it is not there.
std::int32_t FarbIndex(TColor Farbe);
bool FarbeVorhanden(TColor Farbe);

// The colours selected for milling. They change only through these functions.
bool IstArbeitsfarbe(TColor Farbe);
bool ArbeitsfarbenVorhanden();
void ArbeitsfarbeEintragen(TColor Farbe);  // a colour already there is not added twice
void ArbeitsfarbeEntfernen(TColor Farbe);
void ArbeitsfarbenLeeren();

// The work mode of the colour. Up to 16 colours: its FarbModus letter ("F" milling, "S"
// engraving points, any other letter none) when it is a work colour with one of the 16
// entries; above 16: its extra colour's mode, else GrundArbeitsmodus, when it is a work
// colour. Every other colour: ohne.
TArbeitsmodus FarbArbeitsmodus(TColor Farbe);
// The mode the colour would have as a work colour (the rule above without the test).
TArbeitsmodus EigenerArbeitsmodus(TColor Farbe);
// A mode byte that may come from a file: anything but milling and engraving counts as ohne.
TArbeitsmodus Modusbyte(TArbeitsmodus Modus);
// FarbArbeitsmodus of every entry of Farbtabelle, worked out once for a whole table.
std::vector<TArbeitsmodus> ArbeitsmodusJeIndex();

// What a milling driver needs of every entry of Farbtabelle, worked out once: its work mode
// (FarbArbeitsmodus) and its depth, by grey value (`Grau`) or by its Farbtiefe entry; an
// entry beyond the 16 per-colour entries counts as mode ohne for the colour drivers.
struct TFarbwerte {
  std::vector<TArbeitsmodus> Modi;
  std::vector<double> Tiefen;
  // The mode of entry `Index`; ohne for an index outside the table (-1: no colour of it).
  TArbeitsmodus Modus(std::int32_t Index) const {
    return Index < 0 || static_cast<std::size_t>(Index) >= Modi.size() ? TArbeitsmodus::ohne
                                                                      : Modi[static_cast<std::size_t>(Index)];
  }
};
TFarbwerte FarbwerteJeIndex(bool Grau);

// Appends (Farbe, Anzahl 0) at index Anzahl of the table and counts it.
void FarbInfoAnhaengen(std::vector<TFarbInfo>& Tabelle, std::int32_t& Anzahl, TColor Farbe);
// Quellfarbtabelle := the first n entries of the table; Quellfarbanzahl := n.
void FarbInfoUebernehmen(const std::vector<TFarbInfo>& Tabelle, std::int32_t n);

// Grauwerttabelle := the grey value of every used entry of Farbtabelle.
void GrauwertTabelleBilden();
// Grauwertanzahl := the number of distinct grey values; the number of entries counted is
// shown in the main window's target label.
void GrauwerteZaehlen();

// While set (by the grey drivers), every colour's depth is the depth of its grey value.
extern bool TiefeNachGrauwert;
// Sets TiefeNachGrauwert to `Grau` while a driver runs and clears it when the driver ends.
class TGrautiefen {
public:
  explicit TGrautiefen(bool Grau) { TiefeNachGrauwert = Grau; }
  ~TGrautiefen() { TiefeNachGrauwert = false; }
  TGrautiefen(const TGrautiefen&) = delete;
  TGrautiefen& operator=(const TGrautiefen&) = delete;
};

// The depth of the colour: its Farbtiefe entry, or its grey value's depth while
// TiefeNachGrauwert is set. nullopt (after a notice that stops the run) for a colour
// without one of the 16 entries.
std::optional<double> Farbtiefe(TColor Farbe);
// Farbgeschwindigkeit of the colour's entry; false for a colour without one.
bool Farbgeschwindigkeit(TColor Farbe);

// ---- Pixel-to-move builders (VelkorWinMOVE_Bewegung.cpp) ----
// Every builder takes the absolute flag, the plane, its argument, the working point
// `Ziel` and the current position, sets the coordinates it names and calls FahreNach
// (which writes nothing for an unchanged point). Pixel numbers are signed; W1 and W2
// below are the world coordinates of a pixel column and row.

// The far corner of the image's milling area, set by the image cycle.
extern TPunkt3D Zyklusendpunkt;
// Depth of the drilling cycle last opened for engraving points.
extern double Bohrtiefe;

// Run-in and overrun lengths: Anlauffaktor / Ueberlauffaktor times the tool diameter.
double Anlauf();
double Ueberlauf();

// first := W1(column, raised to Links) - run-in; second := W2(row). Run-in and overrun
// lie outside the area whichever corner the cycle starts at.
void ZeilenAnlaufAnfahren(bool Absolut, TEbene Ebene, int Spalte, int Zeile, TPunkt3D& Ziel, TPunkt3D& Position);
// first := W1(column); second := W2(row) + run-in.
void SpaltenAnlaufAnfahren(bool Absolut, TEbene Ebene, int Spalte, int Zeile, TPunkt3D& Ziel, TPunkt3D& Position);
// All three := Zyklusstartpunkt, then the first (second) moved back by the run-in.
void StartAnlaufZeileAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position);
void StartAnlaufSpalteAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position);
// first (second) := that of Zyklusendpunkt plus the overrun beyond it.
void ZeilenUeberlaufAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position);
void SpaltenUeberlaufAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position);
// depth := Sicherheitsabstand.
void SicherheitsabstandAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position);
// depth := the given depth.
void TiefeAnfahren(bool Absolut, TEbene Ebene, double Tiefe, TPunkt3D& Ziel, TPunkt3D& Position);
// depth := the colour's depth (Farbtiefe above).
void FarbtiefeAnfahren(bool Absolut, TEbene Ebene, TColor Farbe, TPunkt3D& Ziel, TPunkt3D& Position);
// depth := Farbtiefe of the colour up to 16 colours, else its grey value's depth;
// WerkzeugUnten := True after the move.
void FarbtiefeEintauchen(bool Absolut, TEbene Ebene, TColor Farbe, TPunkt3D& Ziel, TPunkt3D& Position);
// depth := depth of Zyklusstartpunkt; WerkzeugUnten := False before the move.
void StarthoeheAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position);
// second := W2(row - Oben).
void ZeileAnfahren(bool Absolut, TEbene Ebene, int Zeile, TPunkt3D& Ziel, TPunkt3D& Position);
// first := W1(column - Links).
void SpalteAnfahren(bool Absolut, TEbene Ebene, int Spalte, TPunkt3D& Ziel, TPunkt3D& Position);
// first := W1(column - Links); second := W2(row - Oben).
void PixelAnfahren(bool Absolut, TEbene Ebene, int Spalte, int Zeile, TPunkt3D& Ziel, TPunkt3D& Position);
// first := W1(column).
void SpalteAbsolutAnfahren(bool Absolut, TEbene Ebene, int Spalte, TPunkt3D& Ziel, TPunkt3D& Position);
// Moves to a copy of the point and returns the pixel it lies on (plus Links and Oben).
void PunktAnfahrenPixel(bool Absolut, TEbene Ebene, const TPunkt3D& Punkt, TPunkt3D& Ziel, TPunkt3D& Position,
                        int& Spalte, int& Zeile);
// Engraves the pixel at its colour's depth (BildpunktSticheln). Unless a drilling cycle of
// that depth is open, the tool first moves over the pixel at the height it has (an open
// cycle of another depth is closed before), so neither a drilling-cycle call nor an
// engraved point is ever made over another pixel.
void PixelSticheln(bool Absolut, TEbene Ebene, TColor Farbe, int Spalte, int Zeile, TPunkt3D& Ziel,
                   TPunkt3D& Position);
// Up to the start height and over to the target's in-plane point at rapid, down to the
// safety level, then at feed into the colour's depth; the working point becomes the
// new position.
void UmsetzenUndEintauchen(bool Absolut, TEbene Ebene, TColor Farbe, const TPunkt3D& Punkt, TPunkt3D& Ziel,
                           TPunkt3D& Position);

// ---- Contour following (VelkorWinMOVE_Kontur.cpp) ----
// Colours chosen for it are not milled as areas: their outlines are traced pixel by pixel
// and machined as paths at the colour's depth (engraved point by point in mode
// "Sticheln"); traced colours then leave Arbeitsfarben. Traced pixels are kept in a
// visited mask of the pass, so no colour of the picture is ever mistaken for a mark, and
// shown in Zyklusbild in the marker colour.

// One node of a traced contour: a pixel, the colour traced, and the chain code of the step
// that reached it (x to the right, y downward: 0 (+1, 0), 1 (+1, -1), 2 (0, -1),
// 3 (-1, -1), 4 (-1, 0), 5 (-1, +1), 6 (0, +1), 7 (+1, +1)). A separator (pen up) has
// column, row and code 65535; every contour ends with one.
struct TKonturpunkt {
  std::uint16_t Spalte = 0, Zeile = 0;
  TColor Farbe = -1;
  std::int32_t Richtung = 0;
  bool Trenner() const { return Spalte == 65535 && Zeile == 65535 && Richtung == 65535; }
};
inline constexpr TKonturpunkt KonturTrenner{65535, 65535, -1, 65535};
using TKonturliste = std::vector<TKonturpunkt>;

extern TKonturliste Konturliste;       // the contour in hand
extern TColor Markierfarbe;            // shows traced pixels in Zyklusbild
extern TColor Verfolgungsfarbe;        // the colour being traced
extern std::uint8_t HelligkeitVerfolgen;  // 0 trace by colour, 1 by grey value
// Marker candidates of pictures of at most 16 colours, tried from the last to the first.
extern const std::array<TColor, 16> Markierfarben;

// The point of node `Knoten`: in-plane coordinates from its pixel (no Links/Oben offset),
// depth of its colour as FarbtiefeEintauchen takes it; `Stift` its chain code. The list's
// last node (and a separator) changes nothing: false.
bool KonturpunktSetzen(TEbene Ebene, const TKonturliste& Liste, std::size_t Knoten, TPunkt3D& Punkt,
                       std::int32_t& Stift);
// The moves of one contour list in work mode `Modus`: "Sticheln" engraves every node (in a
// drilling cycle with Sticheln_im_Zyklus); "Fraesen" moves over the first node, plunges,
// cuts from corner to corner (one move per straight run), lifts and plunges again after a
// separator, and returns to the start height at the end; mode "ohne" moves nothing.
// Separators never become points. An open drilling cycle is closed at the end.
void KonturlisteFahren(bool Absolut, TEbene Ebene, const TKonturliste& Liste, TPunkt3D& Ziel, TPunkt3D& Position,
                       TArbeitsmodus Modus);

// The contour pass of pictures of at most 16 colours: every colour whose F_Verfolgen
// letter is "J" and that has pixels, in the order of Farbtabelle, with its own work mode;
// a cut-out colour (Ausschneidfarben) is traced once round and closed, and an open one is
// finished only when the operator says so. Moves start from the current position.
void FarbKonturenVerfolgen(bool Absolut, TPunkt3D& Position, TPunkt3D& Ziel);
// The contour pass of pictures of more than 16 colours: every colour with GrundBesonderheit
// "Farbe verfolgen" (with GrundArbeitsmodus) and every extra colour with Besonderheit
// "Farbe verfolgen" (with its own mode); with LinienanfangSuchen each contour starts at
// the end of its line. Nothing for 16 colours or fewer. Bearbeitungsbereich is as before.
void ExtraFarbKonturenVerfolgen(bool Absolut, TPunkt3D& Position, TPunkt3D& Ziel);
// Start values of the contour state; part of ResetState.
void KonturZustandZuruecksetzen();

void ResetState();

}  // namespace VelkorWinMOVE
