#pragma once
// Grey values: the grey value of a colour, the milling depth of a grey value between
// GrauFraestiefe_dunkel (darkest grey of the picture) and GrauFraestiefe_hell (lightest),
// the lightening of a drawing colour by depth, and the grey conversion of a picture.
#include <cstdint>
#include <vector>

#include "engine/VelkorWinVAR.h"
#include "toolkit/Bitmap.h"

namespace VelkorWinGrauwerte {

using VelkorWinMATH::TPunkt3D;
using VelkorWinVAR::TColor;
using VelkorWinVAR::TEbene;

// Round(0.3 R + 0.59 G + 0.11 B), computed exactly in whole numbers, halves to even.
std::int32_t Grauwert(TColor Farbe);
std::int32_t GrauwertBerechnen(TColor Farbe);

// The largest (from 0) and smallest (from 255) value of Grauwerttabelle.
std::int32_t GrauMaximum();
std::int32_t GrauMinimum();
// Grauwerttabelle was rebuilt: its extremes are taken once for all later depths.
void GrauwerteNeu();

// GrauFraestiefe_dunkel + (g - min) x (hell - dunkel) / (max - min, or 1 when equal),
// rounded to Nachkommastellen decimals; dunkel when the table is empty.
double TiefeFuerGrauwert(std::int32_t g);
// TiefeFuerGrauwert of every entry of Grauwerttabelle.
std::vector<double> GrautiefeJeIndex();
// v x 10^n rounded (halves to even) and divided by 10^n; stores and returns it. n = 0
// rounds to a whole number; n is taken at most 15.
double RundenAufStellen(double& Wert, int n);
bool GrauTiefenVerschieden(std::int32_t a, std::int32_t b);

// The pixel of the picture; -1 outside it.
TColor BildpunktLesen(const toolkit::TBitmap& Bild, int x, int y);
// depth := TiefeFuerGrauwert(g); FahreNach.
void GrautiefeAnfahren(bool Absolut, TEbene Ebene, std::int32_t g, TPunkt3D& Ziel, TPunkt3D& Position);

// The colour lightened by k on every channel (capped at 255), k growing as the depth
// rises from GrauFraestiefe_dunkel, so deeper moves are drawn darker.
TColor FarbeAufhellen(TColor Farbe, double Tiefe);
// Every pixel becomes (q, q, q), q = Round(0.3 R + 0.6 G + 0.1 B), halves to even.
void BildInGraustufen(toolkit::TBitmap& Bild);

void ResetState();

}  // namespace VelkorWinGrauwerte
