#include "engine/VelkorWinMATH.h"

#include <cmath>
#include <numbers>

namespace VelkorWinMATH {

void Verfahrdifferenzen(const TPunkt3D& Position, const TPunkt3D& Ziel, double& dx, double& dy, double& dzAuf,
                        double& dzAb) {
  dx = Ziel.X - Position.X;
  dy = Ziel.Y - Position.Y;
  const double dz = Ziel.Z - Position.Z;
  dzAuf = dz > 0.0 ? dz : 0.0;
  dzAb = dz < 0.0 ? dz : 0.0;
}

bool PunkteGleich(const TPunkt3D& a, const TPunkt3D& b) { return a.X == b.X && a.Y == b.Y && a.Z == b.Z; }

double DrehzahlStufe(double S) {
  if (!std::isfinite(S)) return S;
  double x = 750.0;
  while (S / 2.0 >= x) x *= 2.0;
  return x;
}

double Drehzahl(double vc, double d) {
  const double S = d <= 0.0 ? 12000.0 : vc * 1000.0 / (std::numbers::pi * d);
  return DrehzahlStufe(S);
}

void PunktDifferenz(const TPunkt3D& a, const TPunkt3D& b, TPunkt3D& Ergebnis) {
  Ergebnis = {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

TPunkt3D NullVektor() { return {}; }

TMatrix3 EinheitsMatrix() { return {{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}}; }

TMatrix3 DrehmatrixZ(double Winkel) {
  const double w = Winkel * std::numbers::pi / 180.0;
  const double co = std::cos(w);
  const double si = std::sin(w);
  return {{{co, si, 0.0}, {-si, co, 0.0}, {0.0, 0.0, 1.0}}};
}

TPunkt3D VektorMalMatrix(const TPunkt3D& v, const TMatrix3& M) {
  return {v.X * M[0][0] + v.Y * M[1][0] + v.Z * M[2][0], v.X * M[0][1] + v.Y * M[1][1] + v.Z * M[2][1],
          v.X * M[0][2] + v.Y * M[1][2] + v.Z * M[2][2]};
}

void PunktDrehen(double& x, double& y, double Winkel) {
  if (Winkel == 0.0) return;
  const TPunkt3D r = VektorMalMatrix({x, y, 0.0}, DrehmatrixZ(Winkel));
  x = r.X;
  y = r.Y;
}

double RundenAufGenauigkeit(double p, double v) {
  if (!std::isfinite(v) || !std::isfinite(p)) return v;
  const double i = std::trunc(v);
  const double f = v - i;
  if (std::fabs(f) < p || f == 0.0) return i;
  // One significant digit: scale the fraction up, round, and scale it back by the same
  // power, so that 0.96 becomes 1.0 (a carry into the whole part), never 0.1.
  double skala = 1.0;
  while (std::fabs(f * skala) < 1.0) skala *= 10.0;
  const double gerundet = std::nearbyint(f * skala) / skala;
  return std::fabs(gerundet - f) < p ? i + gerundet : i + f;
}

void PunktRunden(double& x, double& y, double px, double py) {
  x = RundenAufGenauigkeit(px, x);
  y = RundenAufGenauigkeit(py, y);
}

double Max(double a, double b) { return a > b ? a : b; }
double Min(double a, double b) { return a < b ? a : b; }

}  // namespace VelkorWinMATH
