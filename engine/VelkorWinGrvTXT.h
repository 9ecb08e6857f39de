#pragma once
// The move writer: every tool move of a cycle becomes one NC block here (FahreNach), in
// absolute (G90) or incremental (G91) form; the drilling-cycle blocks and the engraving
// helpers of the image milling; and the text-engraving cycle.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/EngineHost.h"
#include "engine/VelkorWinVAR.h"
#include "engine/VelkorWinZeichensatz.h"

namespace VelkorWinGrvTXT {

using VelkorWinMATH::TPunkt3D;
using VelkorWinVAR::TColor;

// Move state.
extern bool AbsolutMass;            // G90 True, G91 False
extern bool MassPraefixFaellig;     // the next incremental block begins with G90/G91
extern bool Eilgang;                // motion word of the next block: G00, else G01
extern bool PositionierenMitZiffern;  // motion word "G" + PositionierZiffern instead
extern TPunkt3D PositionZumBezugspunkt;
extern VelkorWinVAR::TArbeitsmodus AktArbeitsmodus;
extern bool WerkzeugUnten;          // the tool stands at milling depth
extern bool BohrzyklusAktiv;        // a drilling-cycle call is open in the NC output
extern double Sicherheitsabstand;   // safety level of the cycle call [mm]
extern TPunkt3D Zielpunkt;          // the working point
extern TPunkt3D Zyklusstartpunkt;   // the position at the cycle call

// X, Y, Z changed upwards, Z changed downwards.
using TAenderungen = std::array<bool, 4>;

// Draws the move when graphics are on, writes it as one block (absolute or incremental)
// and makes the target the current position.
void FahreNach(bool Absolut, TPunkt3D& Position, TPunkt3D& Ziel);
// Build, show and write one block (the absolute one only in the conversion pass);
// Position := Ziel.
void AbsolutSatzAusgeben(TPunkt3D& Position, const TPunkt3D& Ziel);
// The incremental block is shown where `Anzeige` says (by default in the simulation
// window with graphics on, else in the main window).
void InkrementalSatzAusgeben(TPunkt3D& Position, const TPunkt3D& Ziel,
                             std::optional<engine::TSatzAnzeige> Anzeige = std::nullopt);

// The numbered text of a motion block with the target coordinates, or "" when nothing
// changed. "" also when a value cannot be written (the run is then stopped).
std::string AbsolutSatztext(const TAenderungen& Geaendert, const TPunkt3D& Punkt);
// The same with the differences, after the G90/G91 prefix when it is due.
std::string InkrementalSatztext(const TAenderungen& Geaendert, const TPunkt3D& Punkt);
// The differences of an incremental block: those of the written (rounded) positions, so
// that the words add up exactly to the absolute target; the flags say which are not 0.
void InkrementalDifferenzen(const TPunkt3D& Position, const TPunkt3D& Ziel, TAenderungen& Geaendert,
                            TPunkt3D& Differenz);

// An axis value as an NC number: Nachkommastellen decimals right-aligned in Gesamtstellen
// characters, at most 10 characters (leading blanks go first, then trailing decimals),
// blanks removed unless kept. nullopt for a value whose whole digits would be lost or
// that is not finite: the notice is shown and the run stopped.
std::optional<std::string> NcZahltext(double Wert, bool LeerzeichenBehalten);

// The drilling-cycle call "G81 R02 <safety> R03 <depth>" and the cycle end (ZyklusendeWort).
void WerkzeugSatzAusgeben(double Tiefe, double Sicherheit);
void ZusatzSatzAusgeben();
// Closes the open drilling cycle (BohrzyklusAktiv) with its end block; nothing when none is open.
void BohrzyklusSchliessen();

// Engraves one point given in mm: in the open drilling cycle a positioning move, else
// down to the safety level, plunge, and back to the start height.
void PunktSticheln(double Tiefe, TPunkt3D& Position, TPunkt3D& Ziel, bool ImZyklus, double Sicherheit);
// Engraves one pixel at the depth of its colour, opening and closing drilling cycles as
// the depth changes.
void BildpunktSticheln(TColor Farbe, double& LetzteTiefe, bool& ZyklusOffen, TPunkt3D& Ziel, TPunkt3D& Position,
                       double Sicherheit, std::uint16_t Spalte, std::uint16_t Zeile);
// One line-wise milling step to the pixel at the depth of its colour; a tool below the
// safety level that is to rise above it rises straight up first.
void ZeilenabschnittFraesen(TColor Farbe, std::uint16_t Spalte, std::uint16_t Zeile, bool& ZyklusOffen,
                            TPunkt3D& Ziel, TPunkt3D& Position, double Sicherheit);

// Without leading and trailing blanks, runs of blanks collapsed to one.
std::string LeerzeichenNormieren(std::string_view Text);
// Without any blank.
std::string LeerzeichenEntfernen(std::string_view Text);

// Bereich widened to hold Dazu (y grows upwards).
void BereichVereinigen(VelkorWinVAR::TWeltRechteck& Bereich, const VelkorWinVAR::TWeltRechteck& Dazu);
// The measured area widened to hold Dazu; the first cycle of a measuring pass sets it.
void FraesbereichErweitern(const VelkorWinVAR::TWeltRechteck& Dazu);

// Where and how one character of an engraved text is drawn.
struct TZeichenlage {
  VelkorWinVAR::TInterpretermodus Modus = VelkorWinVAR::TInterpretermodus::Wandlung;
  VelkorWinVAR::TEbene Ebene = VelkorWinVAR::TEbene::XY;
  double Massstab = 1.0;              // mm per font unit
  VelkorWinMATH::TPunkt2D Ursprung;   // the character's origin in the working plane
  double Winkel = 0.0;                // baseline angle [degrees]
  double Tiefe = 0.0;                 // engraving depth
  double Sicherheit = 0.0;            // safety level, reached at rapid before each plunge
};

// Engraves one character along its pen actions. The conversion pass writes
// "(aktuelles Zeichen: " + Zeichen + ")" and moves the tool: a pen-up action first lifts a
// lowered tool to the height of Zyklusstartpunkt and only notes its point in Ziel; a draw
// goes there at rapid, down to the safety level, plunges to the depth at feed when the
// tool is up, then draws at feed. The measuring pass moves nothing and widens Fraesbereich
// by every point the tool would go to. WerkzeugOben: the tool is up (False: it is, or
// counts as, down). Sets Eilgang and WerkzeugUnten; returns at once when Abbruch is set.
void ZeichenStricheAusgeben(std::string_view Zeichen, const VelkorWinZeichensatz::TZeichenStriche& Striche,
                            const TZeichenlage& Lage, bool& WerkzeugOben, TPunkt3D& Position, TPunkt3D& Ziel);

// The text-engraving cycle: loads the font named by Gravurzeichensatz, writes the comment
// lines of the text (conversion pass), lays the text out from Position to Ziel along a
// line or on the arc of VelkorWinCIRC, and engraves it character by character. Position
// and Ziel end where the tool ends; the measuring pass widens Fraesbereich instead of
// moving. Fehler is set on a font that cannot be used and on an arc without length;
// Abbruch when the user stops the run because the text is too long for its arc.
void GravurTextWandeln(VelkorWinVAR::TInterpretermodus Modus, TPunkt3D& Position, TPunkt3D& Ziel,
                       VelkorWinVAR::TInterpolation Interpolation, double Sicherheit, double Tiefe, double Hoehe,
                       double Winkel, const std::string& Text, bool& EbenenwechselMelden, bool& Fehler);

void ResetState();

}  // namespace VelkorWinGrvTXT
