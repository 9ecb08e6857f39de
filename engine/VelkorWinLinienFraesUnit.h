#pragma once
// Line-wise image milling: the picture of the image cycle (Zyklusbild) is milled row by
// row, each row from left to right (with bidirektional_bearbeiten every second row from
// right to left). Milled pixels are cut at their depth, engraving points ("Sticheln")
// are engraved one by one, pixels of mode "ohne" are crossed at the start height. Every
// move goes through the builders of VelkorWinMOVE from the interpreter's current
// position; a stop request ends the driver at once with "Wandlung abgebrochen!".
//
// The column-wise drivers (VelkorWinSpaltenFraesUnit) are the same walk with rows and
// columns exchanged; both run through BahnweiseFraesen.
namespace VelkorWinLinienFraesUnit {

// Pictures of at most 16 colours without Graubildwandlung: each colour has its work mode
// (FarbModus) and depth (Farbtiefe). Milling starts at the cycle's start point moved back
// by the run-in; rows run from `Startzeile` to the bottom of Bearbeitungsbereich, each
// from its left edge (`Startspalte` is not used).
void FarbbildZeilenweiseFraesen(int Startspalte, int Startzeile);

// All other pictures: the depth of a pixel is the depth of its grey value, and a milled
// run goes on across depth changes (a ramp to the next pixel's depth, or with
// KonturKantigFraesen a step at the pixel boundary). Recounts Zyklusbild first; milling
// starts over the pixel (Startspalte, Startzeile).
void GraubildZeilenweiseFraesen(int Startspalte, int Startzeile);

// The lines a picture is milled along.
enum class TBahnart { Zeilen, Spalten };

// Mills Zyklusbild within Bearbeitungsbereich line by line: rows from `Startzeile` or
// columns from `Startspalte`, each line along its whole length, by colour or (`Grau`) by
// grey depth. Column-wise the cuts inside a column run at feed whatever the colour's speed
// flag, the stop flags are both polled (WandlungsFehler as well as Abbruch) and a stop
// leaves out the final retract. Every line's last pixel is milled, and milling both ways
// ends after the last line whatever the line count.
void BahnweiseFraesen(TBahnart Art, bool Grau, int Startspalte, int Startzeile);

}  // namespace VelkorWinLinienFraesUnit
