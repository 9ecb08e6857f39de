#include "engine/VelkorWinCIRC.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/EngineHost.h"
#include "toolkit/Text.h"

namespace VelkorWinCIRC {

double Kreisradius = 0.0;
double Kreisstartwinkel = 0.0;
double Kreisbogenwinkel = 0.0;
TPunkt2D Kreismitte;
bool KreisbogenFehler = false;

namespace {
constexpr double Pi = std::numbers::pi;
double BogenInGrad(double b) { return b * 180.0 / Pi; }
int Nachkommastellen() { return VelkorWinVAR::KonfigBlock.Nachkommastellen; }
}  // namespace

double Hypotenuse(double a, double b) { return std::sqrt(a * a + b * b); }

double ArcSinus(double x) {
  x = std::clamp(x, -1.0, 1.0);
  if (x == 1.0) return Pi / 2.0;
  if (x == -1.0) return 3.0 * Pi / 2.0;
  return std::atan(x / std::sqrt(1.0 - x * x));
}

double GradInBogen(double Grad) { return Pi * Grad / 180.0; }

double Potenz(double b, int n) {
  if (std::nearbyint(b * 1e6) == 0.0) return 0.0;
  const double p = std::exp(n * std::log(std::fabs(b)));
  return (b < 0.0 && n % 2 != 0) ? -p : p;
}

char Vorzeichenzeichen(double v) {
  if (v == 0.0) return '0';
  return v > 0.0 ? '+' : '-';
}

double Quadrantenwinkel(const std::string& Schluessel, double a) {
  if (Schluessel == "+0") return 0.0;
  if (Schluessel == "0+") return 90.0;
  if (Schluessel == "-0") return 180.0;
  if (Schluessel == "0-") return 270.0;
  if (Schluessel == "++") return a;
  if (Schluessel == "-+") return 180.0 - a;
  if (Schluessel == "--") return 180.0 + a;
  if (Schluessel == "+-") return 360.0 - a;
  engine::Host().notice("Fehler bei der Winkelberechnung!");
  KreisbogenFehler = true;
  return 0.0;
}

double AufGanzeRunden(double& v, int n) {
  const double ganz = std::nearbyint(v);
  if (std::fabs(v - ganz) < std::pow(10.0, -n)) v = ganz;
  return v;
}

namespace {
std::string Schluessel(double dx, double dy) { return {Vorzeichenzeichen(dx), Vorzeichenzeichen(dy)}; }
}  // namespace

double Richtungswinkel(const TPunkt2D& Ende, const TPunkt2D& Start) {
  if (Ende.X == Start.X) return Ende.Y <= Start.Y ? 270.0 : 90.0;
  const double dx = Ende.X - Start.X;
  const double dy = Ende.Y - Start.Y;
  const double a = std::fabs(BogenInGrad(std::atan(dy / dx)));
  return Quadrantenwinkel(Schluessel(dx, dy), a);
}

void BogenWinkel(int Sinn, double r, const TPunkt2D& Start, const TPunkt2D& Ende, double& Startwinkel,
                 double& Bogenwinkel) {
  if (r == 0.0) r = 0.1;
  auto winkel = [&](const TPunkt2D& v) {
    double w = Quadrantenwinkel(Schluessel(v.X, v.Y), BogenInGrad(ArcSinus(std::fabs(v.Y) / r)));
    return AufGanzeRunden(w, Nachkommastellen());
  };
  const double anfang = winkel(Start);
  const double ende = winkel(Ende);
  Startwinkel = anfang;
  if (Sinn == 1) {
    Bogenwinkel = ende >= anfang ? 360.0 - (ende - anfang) : anfang - ende;
  } else {
    Bogenwinkel = ende <= anfang ? 360.0 - (anfang - ende) : ende - anfang;
  }
}

bool AusserhalbRadius(double r, double Grenze, const TPunkt2D& Mitte, const TPunkt2D& Punkt) {
  const int n = Nachkommastellen();
  const double t = n == 0 ? 0.01 : 0.1 / std::pow(10.0, n);
  if (r == 0.0 || r < Grenze) return true;
  // Only an end point outside the circle by the tolerance or more is refused; one inside
  // it (a coordinate the program wrote rounded) is taken.
  const double abstand = Hypotenuse(Punkt.X - Mitte.X, Punkt.Y - Mitte.Y);
  return !(abstand - r < t);
}

TPunkt2D EbenenPunkt(TEbene Ebene, const TPunkt3D& p) {
  switch (Ebene) {
    case TEbene::ZX: return {p.Z, p.X};
    case TEbene::YZ: return {p.Y, p.Z};
    default: return {p.X, p.Y};
  }
}

void EbenenPunktSetzen(TEbene Ebene, TPunkt3D& p, const TPunkt2D& q) {
  switch (Ebene) {
    case TEbene::ZX: p.Z = q.X; p.X = q.Y; break;
    case TEbene::YZ: p.Y = q.X; p.Z = q.Y; break;
    default: p.X = q.X; p.Y = q.Y; break;
  }
}

double& Tiefenachse(TEbene Ebene, TPunkt3D& p) {
  switch (Ebene) {
    case TEbene::ZX: return p.Y;
    case TEbene::YZ: return p.X;
    default: return p.Z;
  }
}

void KreistextNaechsterPunkt(int Sinn, TEbene Ebene, bool& Ende, TPunkt3D& P, double d) {
  const TPunkt2D p = EbenenPunkt(Ebene, P);
  double x = p.X - Kreismitte.X;
  double y = p.Y - Kreismitte.Y;
  VelkorWinMATH::PunktDrehen(x, y, Sinn == 1 ? -d : d);
  EbenenPunktSetzen(Ebene, P, {Kreismitte.X + x, Kreismitte.Y + y});
  Ende = d > Kreisbogenwinkel;
}

void BogenParameterSetzen(TEbene Ebene, int Sinn, bool /*MitteRelativ*/, double Grenze,
                          const TPunkt2D& Mittelpunktabstand, const TPunkt3D& Endpunkt, const TPunkt3D& Startpunkt) {
  const TEbene ebene = Ebene;
  const TPunkt2D start = EbenenPunkt(ebene, Startpunkt);
  const TPunkt2D ende = EbenenPunkt(ebene, Endpunkt);
  const int n = Nachkommastellen();
  Kreismitte = {start.X + Mittelpunktabstand.X, start.Y + Mittelpunktabstand.Y};
  AufGanzeRunden(Kreismitte.X, n);
  AufGanzeRunden(Kreismitte.Y, n);
  Kreisradius = Hypotenuse(start.X - Kreismitte.X, start.Y - Kreismitte.Y);
  AufGanzeRunden(Kreisradius, n);
  KreisbogenFehler = AusserhalbRadius(Kreisradius, Grenze, Kreismitte, ende);
  if (!KreisbogenFehler) {
    BogenWinkel(Sinn, Kreisradius, {start.X - Kreismitte.X, start.Y - Kreismitte.Y},
                {ende.X - Kreismitte.X, ende.Y - Kreismitte.Y}, Kreisstartwinkel, Kreisbogenwinkel);
  }
}

double KreistextBogenlaenge(TEbene, const TPunkt3D&, const TPunkt3D&, int, double r) {
  if (r == 0.0) {
    engine::Host().notice(toolkit::Ansi("Fehler bei der Berechnung der Länge des Kreistext-Bogens!"));
    VelkorWinVAR::WandlungsFehler = true;
    return 0.0;
  }
  return r * GradInBogen(Kreisbogenwinkel);
}

void ResetState() {
  Kreisradius = Kreisstartwinkel = Kreisbogenwinkel = 0.0;
  Kreismitte = {};
  KreisbogenFehler = false;
}

}  // namespace VelkorWinCIRC
