#pragma once
// Colour lookup and the pixel-to-move builders the engraving helpers of the move writer
// use. Each builder changes the coordinates it names in the working point and hands it
// to FahreNach.
#include <cstdint>
#include <optional>

#include "engine/VelkorWinVAR.h"

namespace VelkorWinMOVE {

using VelkorWinMATH::TPunkt3D;
using VelkorWinVAR::TColor;
using VelkorWinVAR::TEbene;

// Index of the colour in Farbtabelle, -1 when it is not there.
std::int32_t FarbIndex(TColor Farbe);
// Farbtiefe of the colour's index; nullopt (after a notice that stops the run) for a
// colour without one of the 16 entries.
std::optional<double> Farbtiefe(TColor Farbe);

// depth := depth of Zyklusstartpunkt; WerkzeugUnten := False before the move.
void StarthoeheAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position);
// depth := Sicherheitsabstand.
void SicherheitsabstandAnfahren(bool Absolut, TEbene Ebene, TPunkt3D& Ziel, TPunkt3D& Position);
// depth := the colour's Farbtiefe.
void FarbtiefeAnfahren(bool Absolut, TEbene Ebene, TColor Farbe, TPunkt3D& Ziel, TPunkt3D& Position);
// In-plane coordinates of the pixel relative to the working rectangle's left and top.
void PixelAnfahren(bool Absolut, TEbene Ebene, std::uint16_t Spalte, std::uint16_t Zeile, TPunkt3D& Ziel,
                   TPunkt3D& Position);

}  // namespace VelkorWinMOVE
