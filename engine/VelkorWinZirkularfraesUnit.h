#pragma once
// Circular image milling: Zyklusbild is milled along a spiral of rings around the centre
// of the image's milling area, inward from the area's start corner or outward from the
// centre (Zirkularrichtung), clockwise or counter-clockwise. A point turns about the
// centre by an angle step of as many degrees as one pixel is wide in mm; after a full
// turn the ring start moves one pixel along the corner diagonal. At every step the tool
// goes to the centre of the pixel under the point and works it by its mode; points
// outside the picture are passed over at the start height. The turning sense comes from
// the settings and the circular interpolation in force; when they contradict each other
// the operator settles it in the circular-direction dialog.
#include <cstdint>
#include <string>

#include "engine/EngineHost.h"
#include "engine/VelkorWinVAR.h"

namespace VelkorWinZirkularfraesUnit {

using VelkorWinMATH::TPunkt2D;
using VelkorWinMATH::TPunkt3D;
using VelkorWinVAR::TColor;
using VelkorWinVAR::TInterpolation;

// Spiral state, set anew at every driver start. Points are in mm; the in-plane axes are
// those of the working plane.
extern TPunkt2D Spiralmittelpunkt;
extern TPunkt3D Ringstartpunkt;     // where the current ring begins
extern TPunkt3D Spiralpunkt;        // the point that turns about the centre
extern TPunkt3D Vorgaengerpunkt;    // Spiralpunkt before the last step
extern double Drehwinkel;           // degrees turned on the current ring
extern long double Winkelschritt;   // degrees per step: the pixel width in mm, as a number
extern double Spiralradius, Vorgaengerradius;
struct TSpiralpixel {
  int Spalte = 0, Zeile = 0;
};
extern TSpiralpixel Spiralpixel;    // the pixel under Spiralpunkt
extern std::uint8_t Drehsinn;       // 1 clockwise, 2 counter-clockwise
extern bool SpiralEnde;
extern TColor KeineFarbe;           // a colour the picture lacks: what a point outside it reads
extern std::int64_t Spiralschritte; // steps taken since the driver started

// The item chosen last in the circular-direction dialog ("clockwise" or
// "contraclockwise"); it lives for the program run.
extern std::string Z_Richtung;

// Both drivers mill the same way: pictures of at most 16 colours without
// Graubildwandlung by the colours' depths, the others by grey depth. `Programmiert` is
// the interpolation in force in the part program, `Richtung` Zirkularrichtung (0 inward,
// 1 outward); the column and row are not used. An angle step that is not a number above 0
// and up to 360 is refused with a notice and WandlungsFehler.
void FarbbildZirkularFraesen(int Startspalte, int Startzeile, TInterpolation Programmiert, std::uint8_t Richtung);
void GraubildZirkularFraesen(int Startspalte, int Startzeile, TInterpolation Programmiert, std::uint8_t Richtung);

// Shows the circular-direction dialog; Z_Richtung takes the item chosen there.
engine::TZirkularAntwort UserDialogZeigen();

// The turning sense from the programmed interpolation and Zirkularsinn (0 cw, 1 ccw):
// 1 or 2 when they agree or nothing is programmed; on a contradiction (G02 with ccw, G03
// with cw) a beep and the dialog until "Übernehmen" (Drehsinn from Z_Richtung) or
// "Abbrechen" (WandlungsFehler); "Hilfe" explains first. Any other combination leaves
// Drehsinn as it is.
void ZirkularsinnAbgleichen(TInterpolation Programmiert, std::uint8_t Zirkularsinn, std::uint8_t& Drehsinn);

// One step: Spiralpunkt turns by Winkelschritt, or after a full turn the next ring
// starts; SpiralEnde is set when an inward ring would not come closer to the centre, or
// an outward ring has passed the area's start corner or lies wholly outside the picture.
// Spiralpixel follows the point.
void SpiralSchritt();

void ResetState();

}  // namespace VelkorWinZirkularfraesUnit
