#pragma once
// Column-wise image milling: Zyklusbild is milled column by column, each column from its
// top row down to its bottom row (with bidirektional_bearbeiten every second column from
// the bottom up). The first in-plane axis is set per column, the second carries the cut;
// every column starts at its run-in point above the top row, and a milled run that
// reaches the bottom row is cut on by the overrun. The runs, depths and engraving points
// are those of line-wise milling (VelkorWinLinienFraesUnit), with rows and columns
// exchanged. Both drivers stop on WandlungsFehler as well as on Abbruch.
namespace VelkorWinSpaltenFraesUnit {

// Pictures of at most 16 colours without Graubildwandlung: each colour has its work mode
// and depth. Recounts Zyklusbild; milling starts at the cycle's start point moved by the
// run-in along the second axis; columns run from `Startspalte` to the right edge of
// Bearbeitungsbereich (`Startzeile` is not used: every column starts at the top).
void FarbbildSpaltenweiseFraesen(int Startspalte, int Startzeile);

// All other pictures: the depth of a pixel is its grey value's, a milled run goes on
// across depth changes as in line-wise grey milling. Recounts Zyklusbild; milling starts
// from the current position.
void GraubildSpaltenweiseFraesen(int Startspalte);

}  // namespace VelkorWinSpaltenFraesUnit
