#pragma once
// What the simulation window draws and reads out, without the window: its picture, its own
// world mapping (one per window, apart from the engine's), the coordinate system, the tool
// path of one move, and the mouse readout in millimetres.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/EngineHost.h"
#include "toolkit/qt/Zeichenflaeche.h"

namespace workspace {

// The window's world mapping: per axis scale = screen extent / world extent, offset =
// -scale x the world edge that maps to pixel 0; world y grows upwards, screen y downwards.
struct TGrafikWelt {
  long double MassstabX = 0.0L, MassstabY = 0.0L;  // pixels per mm, signed
  long double VersatzX = 0.0L, VersatzY = 0.0L;
  long double PixelgroesseX = 0.0L, PixelgroesseY = 0.0L;  // world size of one pixel

  // An axis whose world extent is 0 (or not a number) keeps its mapping.
  void Setzen(int Breite, int Hoehe, double WeltLinks, double WeltOben, double WeltRechts, double WeltUnten);
  // Rounded halves to even and clamped into the 32-bit range; NaN gives 0.
  std::int32_t ZuBildschirmX(long double x) const;
  std::int32_t ZuBildschirmY(long double y) const;
  // A zero scale counts as a tiny one, so the result may be huge but never a division by 0.
  long double ZuWeltX(long double x) const;
  long double ZuWeltY(long double y) const;
};

// The coordinate system of a working plane from the settings: XY with the settings' number
// format, ZX and YZ with 8 places and 3 decimals.
engine::TAchsenkreuz AchsenkreuzFuer(engine::TEbene Ebene);

// A world point in the picture's plane (XY: x, y; ZX: z, x; YZ: y, z).
struct TEbenenpunkt {
  double Waagrecht = 0.0, Senkrecht = 0.0;
};
TEbenenpunkt ImPlan(engine::TEbene Ebene, const engine::TPunkt3D& p);

class TGrafikSimulation {
public:
  static constexpr int StandardBreite = 729, StandardHoehe = 385;

  toolkit::qt::TZeichenflaeche& Flaeche() { return flaeche_; }
  const TGrafikWelt& Welt() const { return welt_; }
  const engine::TAchsenkreuz& Achsenkreuz() const { return achsen_; }

  // The mapping of a coordinate system without drawing it.
  void WeltSetzen(const engine::TAchsenkreuz& Achsen);
  // Sets the mapping and draws the axes through the world origin, with arrowheads, axis
  // letters and a labelled scale mark every |unit| (marks closer than 4 pixels are left
  // out). The picture is not filled: labels stand on white of their own.
  void ZeichneAchsen(const engine::TAchsenkreuz& Achsen);
  // One move: the centre path, or with Fraeserbahn the band the cutter of radius Radius
  // leaves (a circle at either end and the two side lines), and for Sticheln a circle at
  // the engraved point. Colour: the tool's drawing colour, lightened by the target's depth
  // for pictures of more than 16 colours. Sets GrafikVorhanden.
  void ZeichneBahn(engine::TEbene Ebene, bool& GrafikVorhanden, const engine::TPunkt3D& Position,
                   const engine::TPunkt3D& Ziel, engine::TArbeitsmodus Arbeitsmodus, bool Fraeserbahn,
                   double Radius);
  // The whole picture white, the brush red, GrafikVorhanden cleared.
  void Loeschen(bool& GrafikVorhanden);
  // A new white picture of that size; the coordinate system drawn last is drawn again.
  void GroesseSetzen(int Breite, int Hoehe);
  void StiftWaehlen(std::uint8_t Zeichenfarbe, int Schreibmodus);
  // Solid, width 1, black, copy.
  void StiftZuruecksetzen();

  // The readout of a picture pixel: world coordinates rounded to the size of one pixel;
  // nothing when they cannot be shown (not finite).
  struct TAblesung {
    double Waagrecht = 0.0, Senkrecht = 0.0;
  };
  std::optional<TAblesung> Ablesen(int x, int y) const;

private:
  toolkit::qt::TZeichenflaeche flaeche_{StandardBreite, StandardHoehe};
  TGrafikWelt welt_;
  engine::TAchsenkreuz achsen_;
  bool achsenGezeichnet_ = false;
  struct TRadius {  // the tool radius in pixels, for the radius and mapping it was made for
    double r = std::nan("");
    long double mx = 0, my = 0, vx = 0, vy = 0;
    std::int32_t rx = 0, ry = 0;
  } radius_;
};

// The picture's size when the window is shown with no drawing in it: the main window's
// picture size when that is at least 400 high; else, with a picture loaded, 700 wide and
// as high as its aspect ratio says; with no picture 729 x 385. At most 4096 each way.
struct TGroesse {
  int Breite = 0, Hoehe = 0;
};
TGroesse AnzeigeGroesse(TGroesse Hauptbild, bool BildGeladen, TGroesse Bild);

// A number as the readout shows it: at most 15 significant digits, the locale's separator.
std::string ZahlText(double wert);

}  // namespace workspace
