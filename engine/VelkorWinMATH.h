#pragma once
// Small numeric routines: points and vectors, move differences, the spindle-speed rule,
// rotation about Z, rounding for display, minimum and maximum. Angles are degrees.
#include <array>

namespace VelkorWinMATH {

// A point or vector in millimetres.
struct TPunkt3D {
  double X = 0.0, Y = 0.0, Z = 0.0;
  friend bool operator==(const TPunkt3D&, const TPunkt3D&) = default;
};

struct TPunkt2D {
  double X = 0.0, Y = 0.0;
};

// 3 x 3, row-major, applied to a row vector (v' = v x M).
using TMatrix3 = std::array<std::array<double, 3>, 3>;

// dx, dy = Ziel - Position; dz goes to dzAuf when positive, else to dzAb.
void Verfahrdifferenzen(const TPunkt3D& Position, const TPunkt3D& Ziel, double& dx, double& dy, double& dzAuf,
                        double& dzAb);
// True when X, Y and Z are exactly equal.
bool PunkteGleich(const TPunkt3D& a, const TPunkt3D& b);

// The speed step for a spindle speed: 750 doubled while half the speed reaches it.
// A non-finite speed is returned as it is (the loop would never end).
double DrehzahlStufe(double S);
// Spindle speed step for cutting speed vc [m/min] and diameter d [mm]; 12000 for d <= 0.
double Drehzahl(double vc, double d);

void PunktDifferenz(const TPunkt3D& a, const TPunkt3D& b, TPunkt3D& Ergebnis);
TPunkt3D NullVektor();
TMatrix3 EinheitsMatrix();
// Counter-clockwise rotation about Z by Winkel degrees.
TMatrix3 DrehmatrixZ(double Winkel);
TPunkt3D VektorMalMatrix(const TPunkt3D& v, const TMatrix3& M);
// Rotates (x, y) counter-clockwise about the origin; an angle of exactly 0 changes nothing.
void PunktDrehen(double& x, double& y, double Winkel);

// Rounds the fraction of v to one significant digit when that changes it by less than p
// (a display helper: mouse coordinates to the size of one pixel).
double RundenAufGenauigkeit(double p, double v);
void PunktRunden(double& x, double& y, double px, double py);

// The larger / smaller value; the second argument on a tie.
double Max(double a, double b);
double Min(double a, double b);

}  // namespace VelkorWinMATH
