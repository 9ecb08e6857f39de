#pragma once
// Circle and angle routines of the text cycle: distance, arc sine, the quadrant angle,
// snapping, arc angles, the radius test, the step along a text arc and its length.
// Angles are degrees at every interface.
#include <string>

#include "engine/VelkorWinMATH.h"
#include "engine/VelkorWinVAR.h"

namespace VelkorWinCIRC {

using VelkorWinMATH::TPunkt2D;
using VelkorWinMATH::TPunkt3D;
using VelkorWinVAR::TEbene;

// Text-arc state set by BogenParameterSetzen for the text cycle.
extern double Kreisradius;
extern double Kreisstartwinkel;
extern double Kreisbogenwinkel;  // sweep
extern TPunkt2D Kreismitte;      // in the working plane's coordinates
extern bool KreisbogenFehler;

double Hypotenuse(double a, double b);
// Radians; the argument is clamped to [-1, 1] (a snapped radius may put it just beyond).
double ArcSinus(double x);
double GradInBogen(double Grad);
// b to the power n; 0 when b rounds to 0 at six decimals.
double Potenz(double b, int n);
// "0", "+" or "-".
char Vorzeichenzeichen(double v);
// The angle of a direction given by the signs of dx and dy and the base angle a (0..90).
// Another key shows "Fehler bei der Winkelberechnung!" and sets KreisbogenFehler.
double Quadrantenwinkel(const std::string& Schluessel, double a);
// v := Round(v) when it lies within 10^-n of it; returns v.
double AufGanzeRunden(double& v, int n);
// Direction angle of the vector from Start to Ende, 0..360.
double Richtungswinkel(const TPunkt2D& Ende, const TPunkt2D& Start);
// Start angle and sweep of an arc of radius r (0 counts as 0.1) from the start vector to
// the end vector; Sinn 1 clockwise, otherwise counter-clockwise.
void BogenWinkel(int Sinn, double r, const TPunkt2D& Start, const TPunkt2D& Ende, double& Startwinkel,
                 double& Bogenwinkel);
// True when the radius is 0 or below the limit, or when the point's distance from the
// centre differs from the radius by the tolerance 0.1 / 10^Nachkommastellen or more.
bool AusserhalbRadius(double r, double Grenze, const TPunkt2D& Mitte, const TPunkt2D& Punkt);
// Turns P about Kreismitte by d degrees (clockwise for Sinn 1); Ende := d > sweep.
void KreistextNaechsterPunkt(int Sinn, TEbene Ebene, bool& Ende, TPunkt3D& P, double d);
// Centre, radius and angles of the text arc from the start point, the centre offset
// (I, J) and the end point; sets KreisbogenFehler when the end does not lie on the arc.
void BogenParameterSetzen(TEbene Ebene, int Sinn, bool MitteRelativ, double Grenze, const TPunkt2D& Mittelpunktabstand,
                          const TPunkt3D& Endpunkt, const TPunkt3D& Startpunkt);
// Length of the text arc: r times the sweep. A radius of 0 is reported and sets
// WandlungsFehler.
double KreistextBogenlaenge(TEbene Ebene, const TPunkt3D& Start, const TPunkt3D& Ende, int Sinn, double r);

// The two in-plane coordinates of a point (XY: X, Y; ZX: Z, X; YZ: Y, Z) and its depth
// coordinate (XY: Z; ZX: Y; YZ: X).
TPunkt2D EbenenPunkt(TEbene Ebene, const TPunkt3D& p);
void EbenenPunktSetzen(TEbene Ebene, TPunkt3D& p, const TPunkt2D& q);
double& Tiefenachse(TEbene Ebene, TPunkt3D& p);

void ResetState();

}  // namespace VelkorWinCIRC
